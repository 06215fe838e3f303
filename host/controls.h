#pragma once
// The form interface the rules see: controls found by name, with the properties the rules set.
// The screens wrap their widgets in these; tests and the headless host use them as they are.
#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "host/zmkobject.h"

namespace zmk {

class TZMKControl : public TZMKObject {
  public:
    explicit TZMKControl(QString name, QString dataField = QString());
    ~TZMKControl() override;

    const QString& Name() const { return name_; }
    // Data-aware controls carry the name of the field they edit; others an empty text.
    const QString& DataField() const { return data_field_; }
    bool HasDataField() const { return has_data_field_; }
    void SetHasDataField(bool value) { has_data_field_ = value; }

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value) { enabled_ = value; }
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value) { visible_ = value; }
    const QString& Caption() const { return caption_; }
    virtual void SetCaption(const QString& value) { caption_ = value; }
    QColor Color() const { return color_; }
    virtual void SetColor(const QColor& value) { color_ = value; }
    QColor FontColor() const { return font_color_; }
    virtual void SetFontColor(const QColor& value) { font_color_ = value; }
    // The choices a rule offers in a control (a value's possible grades); a screen shows them
    // as the control's list, others only keep them.
    const QStringList& Items() const { return items_; }
    virtual void SetItems(const QStringList& items) { items_ = items; }
    // The value of a control that edits no field (a date picker). A change the user makes
    // reaches the change handler a rule binds.
    const QVariant& Value() const { return value_; }
    virtual void SetValue(const QVariant& value) { value_ = value; }
    void SetOnChange(std::function<void()> handler) { on_change_ = std::move(handler); }
    void Changed() {
        if (on_change_) on_change_();
    }
    // A click handler that a rule binds to a button.
    void SetOnClick(std::function<void()> handler) { on_click_ = std::move(handler); }
    void Click() {
        if (on_click_) on_click_();
    }
    bool HasClickHandler() const { return bool(on_click_); }

    TZMKControl* Parent() const { return parent_; }
    TZMKControl& Add(std::unique_ptr<TZMKControl> child);
    const std::vector<std::unique_ptr<TZMKControl>>& Children() const { return children_; }
    // Searches this control's descendants (at any depth) by name, without regard to case.
    TZMKControl* FindComponent(const QString& name) const;
    // Every descendant, depth first.
    void ForEachDescendant(const std::function<void(TZMKControl&)>& visit) const;

  private:
    QString name_;
    QString data_field_;
    bool has_data_field_;
    bool enabled_ = true;
    bool visible_ = true;
    QString caption_;
    QColor color_;
    QColor font_color_;
    QStringList items_;
    QVariant value_;
    std::function<void()> on_change_;
    std::function<void()> on_click_;
    TZMKControl* parent_ = nullptr;
    std::vector<std::unique_ptr<TZMKControl>> children_;
};

// A framework form: the root control, its node in the application tree and its data set.
class TZMKForm : public TZMKControl {
  public:
    TZMKForm(QString name, int nodeId) : TZMKControl(std::move(name)), node_id_(nodeId) {}
    int NodeId() const { return node_id_; }

  private:
    int node_id_;
};

}  // namespace zmk
