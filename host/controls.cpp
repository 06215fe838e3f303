#include "host/controls.h"

namespace zmk {

TZMKControl::TZMKControl(QString name, QString dataField)
    : name_(std::move(name)),
      data_field_(std::move(dataField)),
      has_data_field_(!data_field_.isEmpty()) {}

TZMKControl::~TZMKControl() = default;

TZMKControl& TZMKControl::Add(std::unique_ptr<TZMKControl> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
    return *children_.back();
}

TZMKControl* TZMKControl::FindComponent(const QString& name) const {
    for (const auto& child : children_) {
        if (child->Name().compare(name, Qt::CaseInsensitive) == 0) return child.get();
        if (TZMKControl* found = child->FindComponent(name)) return found;
    }
    return nullptr;
}

void TZMKControl::ForEachDescendant(const std::function<void(TZMKControl&)>& visit) const {
    for (const auto& child : children_) {
        visit(*child);
        child->ForEachDescendant(visit);
    }
}

}  // namespace zmk
