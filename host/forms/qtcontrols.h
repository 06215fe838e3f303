#pragma once
// The rules see a screen's widgets through TZMKControl; these carry the changes to the widgets.
#include <QPointer>
#include <QWidget>

#include "host/controls.h"

namespace zmk {

class TQtControl : public TZMKControl {
  public:
    TQtControl(QString name, QString dataField, QWidget* widget);
    QWidget* Widget() const { return widget_; }
    void SetEnabled(bool value) override;
    void SetVisible(bool value) override;
    void SetCaption(const QString& value) override;
    void SetColor(const QColor& value) override;
    void SetFontColor(const QColor& value) override;

  private:
    void ApplyColors();
    QPointer<QWidget> widget_;
};

}  // namespace zmk
