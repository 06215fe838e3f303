#include "host/datarules.h"

#include <map>
#include <vector>

namespace zmk {
namespace {

struct Rules {
    std::map<std::pair<TDataEvent, int>, std::vector<TDataRule>> data;
    std::map<int, std::vector<TDataChangeRule>> change;
    std::map<int, std::vector<TFormRule>> form;
    TDataSetState state_before_post = TDataSetState::Browse;
};

Rules& TheRules() {
    static Rules rules;
    return rules;
}

}  // namespace

void AddDataRule(TDataEvent event, int dataSourceId, TDataRule rule) {
    TheRules().data[{event, dataSourceId}].push_back(std::move(rule));
}

void AddDataChangeRule(int dataSourceId, TDataChangeRule rule) {
    TheRules().change[dataSourceId].push_back(std::move(rule));
}

void AddFormCreateRule(int nodeId, TFormRule rule) {
    TheRules().form[nodeId].push_back(std::move(rule));
}

void ClearDataRules() {
    Rules& r = TheRules();
    r.data.clear();
    r.change.clear();
    r.form.clear();
}

void RunDataRules(TDataEvent event, TDataSet& dataSet, int dataSourceId) {
    Rules& r = TheRules();
    if (event == TDataEvent::BeforePost) r.state_before_post = dataSet.State();
    for (int key : {kAnyDataSource, dataSourceId}) {
        auto it = r.data.find({event, key});
        if (it == r.data.end()) continue;
        // Copied: a rule may add rules (first use of a subsystem) while the list runs.
        auto rules = it->second;
        for (auto& rule : rules) rule(dataSet);
    }
}

void RunDataChangeRules(TDataSet& dataSet, TField* field, int dataSourceId) {
    auto it = TheRules().change.find(dataSourceId);
    if (it == TheRules().change.end()) return;
    auto rules = it->second;
    for (auto& rule : rules) rule(dataSet, field);
}

void RunFormCreateRules(const TProcCall& call) {
    Rules& r = TheRules();
    // The set-up rules need both integers; the node's own rules run for any form of the node.
    if (call.formInteger > 0 && call.nodeId > 0) {
        auto it = r.form.find(kAnyDataSource);
        if (it != r.form.end()) {
            auto rules = it->second;
            for (auto& rule : rules) rule(call);
        }
    }
    auto it = r.form.find(call.nodeId);
    if (it == r.form.end() || call.nodeId == kAnyDataSource) return;
    auto rules = it->second;
    for (auto& rule : rules) rule(call);
}

TDataSetState EstadoAntesDePost() {
    return TheRules().state_before_post;
}

}  // namespace zmk
