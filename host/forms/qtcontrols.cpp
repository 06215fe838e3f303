#include "host/forms/qtcontrols.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

namespace zmk {

TQtControl::TQtControl(QString name, QString dataField, QWidget* widget)
    : TZMKControl(std::move(name), std::move(dataField)), widget_(widget) {}

void TQtControl::SetEnabled(bool value) {
    TZMKControl::SetEnabled(value);
    if (widget_) widget_->setEnabled(value);
}

void TQtControl::SetVisible(bool value) {
    TZMKControl::SetVisible(value);
    if (widget_) widget_->setVisible(value);
}

void TQtControl::SetCaption(const QString& value) {
    TZMKControl::SetCaption(value);
    if (auto* button = qobject_cast<QAbstractButton*>(widget_.data()))
        button->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(widget_.data()))
        label->setText(value);
    else if (auto* group = qobject_cast<QGroupBox*>(widget_.data()))
        group->setTitle(value);
}

void TQtControl::SetColor(const QColor& value) {
    TZMKControl::SetColor(value);
    ApplyColors();
}

void TQtControl::SetFontColor(const QColor& value) {
    TZMKControl::SetFontColor(value);
    ApplyColors();
}

void TQtControl::ApplyColors() {
    if (!widget_) return;
    QPalette palette = widget_->palette();
    if (Color().isValid()) {
        palette.setColor(QPalette::Window, Color());
        widget_->setAutoFillBackground(true);
    }
    if (FontColor().isValid()) {
        palette.setColor(QPalette::WindowText, FontColor());
        palette.setColor(QPalette::Text, FontColor());
    }
    widget_->setPalette(palette);
}

}  // namespace zmk
