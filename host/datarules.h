#pragma once
// The per-table rules behind the data-event, data-change and form-event hooks, keyed by
// data-source identifier. Subsystems add their rules; the hooks dispatch to them.
#include <functional>

#include "host/dataset.h"
#include "host/procedures.h"

namespace zmk {

// A rule for every data-source identifier runs before the table's own rules.
constexpr int kAnyDataSource = -1;

using TDataRule = std::function<void(TDataSet& dataSet)>;
using TDataChangeRule = std::function<void(TDataSet& dataSet, TField* field)>;
using TFormRule = std::function<void(const TProcCall& call)>;

void AddDataRule(TDataEvent event, int dataSourceId, TDataRule rule);
void AddDataChangeRule(int dataSourceId, TDataChangeRule rule);
// Rules of the form CREATE hook: kAnyDataSource holds the set-up rules, which run only when
// both integers are positive; a node's own rules run for every form of that node.
void AddFormCreateRule(int nodeId, TFormRule rule);
void ClearDataRules();

void RunDataRules(TDataEvent event, TDataSet& dataSet, int dataSourceId);
void RunDataChangeRules(TDataSet& dataSet, TField* field, int dataSourceId);
void RunFormCreateRules(const TProcCall& call);

// The state (edit or insert) recorded by BEFOREPOST, read by the AFTERPOST rules of that post.
TDataSetState EstadoAntesDePost();

}  // namespace zmk
