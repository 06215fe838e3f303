#include "maintenance/forms/password.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "core/strings.h"
#include "host/forms/dialogbuttons.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"
#include "maintenance/passwordsdatabase.h"

namespace zmk {

TccFRMPassword::TccFRMPassword(TCustomZMKPasswords& store, QWidget* parent)
    : QDialog(parent), store_(store) {
    setObjectName(QStringLiteral("TccFRMPassword"));
    setWindowTitle(QStringLiteral("Password"));
    lblTitulo = new QLabel(QStringLiteral("Usuarios de: ") + store.Title());
    lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
    ebUsuario = new QLineEdit;
    ebUsuario->setObjectName(QStringLiteral("ebUsuario"));
    ebPassword = new QLineEdit;
    ebPassword->setObjectName(QStringLiteral("ebPassword"));
    ebPassword->setEchoMode(QLineEdit::Password);
    ebPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Usuario"), ebUsuario);
    form->addRow(QStringLiteral("&Contraseña"), ebPassword);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitulo);
    layout->addLayout(form);
    auto* help = new QLabel(QStringLiteral("F1: ¿ha olvidado la contraseña?"));
    help->setObjectName(QStringLiteral("lblAyuda"));
    layout->addWidget(help);
    AddDialogButtons(layout, this, bbAceptar, bbCancelar);
    connect(bbAceptar, &QPushButton::clicked, this, [this] { bbAceptarClick(); });
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    TranslateWidget(this, QStringLiteral("CC_TccFRMPassword"));
    ebUsuario->setFocus();
}

QString TccFRMPassword::HelpText() const {
    if (!dynamic_cast<TZMKPasswordsDataBase*>(&store_))
        return QStringLiteral(
            "Si ha olvidado su contraseña, pida al administrador de la aplicación (el usuario "
            "\"admin\") que se la cambie en \"Aplicación > Usuarios y contraseñas de la "
            "aplicación\".\n\n"
            "Si nadie puede entrar como administrador, quien use esta cuenta del ordenador puede "
            "darle una nueva contraseña con:\n"
            "  escolia-cli users --app reset-password USUARIO");
    return QStringLiteral(
        "Si ha olvidado su contraseña, pida a un administrador de la base de datos que se la "
        "cambie en \"Aplicación > Usuarios y Permisos de la Base de Datos\".\n\n"
        "Si nadie puede entrar como administrador, quien tenga acceso al archivo de la base de "
        "datos puede darle una nueva contraseña con:\n"
        "  escolia-cli --db ARCHIVO users reset-password USUARIO");
}

void TccFRMPassword::bbAceptarClick() {
    if (!bbAceptar->isEnabled()) return;
    if (store_.Login(ebUsuario->text(), ebPassword->text())) {
        accept();
        return;
    }
    ++failed_;
    ebPassword->clear();
    ebUsuario->selectAll();
    ebUsuario->setFocus();
    MuestraError(SharedString(1850));
    if (failed_ >= 3) {
        // Guessing gets slow: each further try waits.
        bbAceptar->setEnabled(false);
        QTimer::singleShot(retry_delay_ms_, this, [this] { bbAceptar->setEnabled(true); });
    }
}

void TccFRMPassword::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        Informa(HelpText());
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PideLogin(TCustomZMKPasswords& store, QWidget* parent) {
    TccFRMPassword dialog(store, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace zmk
