#pragma once
namespace zmk::cli {
// sql, record, proc and param: the foundation's commands.
void RegisterSqlCommand();
void RegisterRecordCommand();
void RegisterProcCommand();
void RegisterParamCommand();
}  // namespace zmk::cli
