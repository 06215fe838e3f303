#pragma once
// The rules see a screen's widgets through TZMKControl; these carry the changes to the widgets.
#include <QPointer>
#include <QWidget>

#include "host/controls.h"

namespace zmk {

class TQtControl : public TZMKControl {
  public:
    TQtControl(QString name, QString dataField, QWidget* widget);
    ~TQtControl() override;
    QWidget* Widget() const { return widget_; }
    void SetEnabled(bool value) override;
    void SetVisible(bool value) override;
    void SetCaption(const QString& value) override;
    void SetColor(const QColor& value) override;
    void SetFontColor(const QColor& value) override;
    // An edit offers the items as it is typed in (first letters) and in its list.
    void SetItems(const QStringList& items) override;
    // An edit that is bound to no field shows the value (a date as dd/mm/yyyy); leaving it
    // after typing takes the typed value and calls the change handler.
    void SetValue(const QVariant& value) override;

  private:
    void ApplyColors();
    QPointer<QWidget> widget_;
    QMetaObject::Connection edited_;
};

}  // namespace zmk
