#include "host/forms/qtcontrols.h"

#include <QAbstractButton>
#include <QCompleter>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace zmk {

namespace {

QLineEdit* EditOf(QWidget* widget) {
    if (!widget) return nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit;
    return widget->findChild<QLineEdit*>();
}

}  // namespace

TQtControl::TQtControl(QString name, QString dataField, QWidget* widget)
    : TZMKControl(std::move(name), std::move(dataField)), widget_(widget) {
    QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
    if (!edit || HasDataField()) return;
    edited_ = QObject::connect(edit, &QLineEdit::editingFinished, edit, [this, edit] {
        if (!edit->isModified()) return;
        edit->setModified(false);
        const QString text = edit->text().trimmed();
        QDate date = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
        if (!date.isValid()) date = QDate::fromString(text, Qt::ISODate);
        TZMKControl::SetValue(date.isValid() ? QVariant(date) : QVariant(text));
        Changed();
    });
}

TQtControl::~TQtControl() {
    QObject::disconnect(edited_);
}

void TQtControl::SetItems(const QStringList& items) {
    TZMKControl::SetItems(items);
    QLineEdit* edit = EditOf(widget_);
    if (!edit) return;
    if (QCompleter* old = edit->completer()) {
        edit->setCompleter(nullptr);
        old->deleteLater();
    }
    if (items.isEmpty()) return;
    auto* completer = new QCompleter(items, edit);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    edit->setCompleter(completer);
}

void TQtControl::SetValue(const QVariant& value) {
    TZMKControl::SetValue(value);
    QLineEdit* edit = qobject_cast<QLineEdit*>(widget_.data());
    if (!edit || HasDataField()) return;
    edit->setText(value.metaType().id() == QMetaType::QDate
                      ? value.toDate().toString(QStringLiteral("dd/MM/yyyy"))
                      : value.toString());
    edit->setModified(false);
}

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
