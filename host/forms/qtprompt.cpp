#include "host/forms/qtprompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "host/formhooks.h"

namespace zmk {

namespace {

QMessageBox::StandardButton ToQt(TMsgButton b) {
    switch (b) {
        case TMsgButton::Yes:
            return QMessageBox::Yes;
        case TMsgButton::No:
            return QMessageBox::No;
        case TMsgButton::Cancel:
            return QMessageBox::Cancel;
        case TMsgButton::Ok:
            return QMessageBox::Ok;
        case TMsgButton::Retry:
            return QMessageBox::Retry;
        case TMsgButton::Ignore:
            return QMessageBox::Ignore;
        case TMsgButton::Abort:
            return QMessageBox::Abort;
        case TMsgButton::None:
            break;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon ToQt(TMsgIcon icon) {
    switch (icon) {
        case TMsgIcon::Information:
            return QMessageBox::Information;
        case TMsgIcon::Warning:
            return QMessageBox::Warning;
        case TMsgIcon::Error:
            return QMessageBox::Critical;
        case TMsgIcon::Question:
            return QMessageBox::Question;
        case TMsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The captions of the buttons, whatever the system's language.
QString Caption(TMsgButton b) {
    switch (b) {
        // Yes and No follow the language files; the rest are the program's own Spanish.
        case TMsgButton::Yes:
            return QLatin1Char('&') +
                   TranslatedText(QStringLiteral("CC.Common.yes"), QStringLiteral("Sí"));
        case TMsgButton::No:
            return QLatin1Char('&') +
                   TranslatedText(QStringLiteral("CC.Common.no"), QStringLiteral("No"));
        case TMsgButton::Cancel:
            return QStringLiteral("&Cancelar");
        case TMsgButton::Ok:
            return QStringLiteral("&Aceptar");
        case TMsgButton::Retry:
            return QStringLiteral("&Reintentar");
        case TMsgButton::Ignore:
            return QStringLiteral("&Ignorar");
        case TMsgButton::Abort:
            return QStringLiteral("A&bortar");
        case TMsgButton::None:
            break;
    }
    return QString();
}

// The progress window stays on top of everything: while the user reads a question it steps
// aside (its next update brings it back).
void HideProgressWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("TCCFRMSplash") && w->isVisible()) w->hide();
}

}  // namespace

TMsgButton TQtPrompt::Ask(const TQuestion& q) {
    HideProgressWindow();
    QMessageBox box(ToQt(q.icon), q.caption, q.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    TMsgButton def = q.defaultButton == TMsgButton::None && !q.buttons.empty() ? q.buttons.front()
                                                                               : q.defaultButton;
    for (TMsgButton b : q.buttons) {
        QPushButton* button = box.addButton(ToQt(b));
        button->setText(Caption(b));
        if (b == def) box.setDefaultButton(button);
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (TMsgButton b : q.buttons)
        if (clicked && box.standardButton(clicked) == ToQt(b)) return b;
    // Closed with Esc or the window's close box: Cancel or No when offered, else the default.
    for (TMsgButton b : {TMsgButton::Cancel, TMsgButton::No})
        if (std::find(q.buttons.begin(), q.buttons.end(), b) != q.buttons.end()) return b;
    return def;
}

void TQtPrompt::Show(TMsgKind kind, const QString& caption, const QString& text) {
    QMessageBox::Icon icon = kind == TMsgKind::Information ? QMessageBox::Information
                             : kind == TMsgKind::Warning   ? QMessageBox::Warning
                                                           : QMessageBox::Critical;
    HideProgressWindow();
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    box.addButton(QMessageBox::Ok)->setText(Caption(TMsgButton::Ok));
    box.exec();
}

std::optional<QString> TQtPrompt::InputBox(const QString& caption, const QString& prompt,
                                           const QString& def) {
    HideProgressWindow();
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(def);
    dialog.setOkButtonText(Caption(TMsgButton::Ok).remove(QLatin1Char('&')));
    dialog.setCancelButtonText(Caption(TMsgButton::Cancel).remove(QLatin1Char('&')));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

QString TQtPrompt::OpenFileName(const QString& caption, const QString& dir, const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, dir, filter);
}

QString TQtPrompt::SaveFileName(const QString& caption, const QString& dir, const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, dir, filter);
}

}  // namespace zmk
