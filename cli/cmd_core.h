#pragma once
#include <QVariantList>
#include <memory>

#include "host/querysql.h"
#include "schema/schema.h"

namespace zmk::cli {
// sql, record, proc and param: the foundation's commands.
void RegisterSqlCommand();
void RegisterRecordCommand();
void RegisterProcCommand();
void RegisterParamCommand();
// The query of a screen's grid showing the given rows of table in the given order, the first
// current.
std::unique_ptr<TQuerySQL> GridQuery(const schema::Table& table, const QVariantList& keys);
}  // namespace zmk::cli
