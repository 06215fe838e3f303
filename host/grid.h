#pragma once
// A screen's grid: the rows of a query, the current one, and the rows the user selected.
#include <QVariant>
#include <QVariantList>

#include "host/querysql.h"
#include "host/zmkobject.h"

namespace zmk {

class TZMKDBGrid : public TZMKObject {
  public:
    explicit TZMKDBGrid(TQuerySQL& query) : query_(query) {}
    TQuerySQL& Query() const { return query_; }
    TDataSet& DataSet() const { return query_.DataSet(); }
    // Selected rows, by the value of the data set's key field, in the order they were chosen; a
    // data set without key (a read-only list) gives their record numbers, from 1.
    const QVariantList& SelectedKeys() const { return selected_; }
    void SetSelectedKeys(QVariantList keys) { selected_ = std::move(keys); }

  private:
    TQuerySQL& query_;
    QVariantList selected_;
};

}  // namespace zmk
