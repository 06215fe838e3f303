#pragma once
// A screen's query: its data set plus the refresh that procedures call after changing data.
#include <memory>

#include "host/dataset.h"
#include "host/zmkobject.h"

namespace zmk {

class TQuerySQL : public TZMKObject {
  public:
    explicit TQuerySQL(std::unique_ptr<TDataSet> dataSet) : data_set_(std::move(dataSet)) {}
    TDataSet& DataSet() const { return *data_set_; }
    // Re-runs the query; the current record stays current when it still exists.
    void RefrescaSQL() { data_set_->Refresh(); }

  private:
    std::unique_ptr<TDataSet> data_set_;
};

}  // namespace zmk
