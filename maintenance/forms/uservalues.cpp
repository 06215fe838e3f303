#include "maintenance/forms/uservalues.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "core/translate.h"
#include "host/errors.h"
#include "host/forms/dialogbuttons.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"
#include "maintenance/passwordsdatabase.h"

namespace zmk {

namespace {

QString Text(const char* key, const char* def) {
    return Translate().ValueDef(QString::fromLatin1(key), QString::fromUtf8(def));
}

}  // namespace

TccFRMUserValues::TccFRMUserValues(TCustomZMKPasswords& store, TUserEdit mode,
                                   const QString& userName, const QStringList& tables,
                                   QWidget* parent)
    : QDialog(parent), store_(store), mode_(mode) {
    setObjectName(QStringLiteral("TccFRMUserValues"));
    setWindowTitle(QStringLiteral("Datos de Usuario"));
    auto* dbStore = dynamic_cast<TZMKPasswordsDataBase*>(&store);
    if (mode != TUserEdit::Add) {
        user_ = store.GetUser(userName);
        if (user_.IsEmpty()) throw EZMKError(QStringLiteral("No puede modificar el usuario"));
        if (dbStore) rights_ = dbStore->UserRights(user_.userName);
    }
    if (dbStore) tables_ = tables;

    lblCaption = new QLabel(Text("FRMUserValues.caption", "Usuario de \"%s\"")
                                .replace(QStringLiteral("%s"), store.Title()));
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    ebUsuario = new QLineEdit(user_.userName);
    ebUsuario->setObjectName(QStringLiteral("ebUsuario"));
    ebUsuario->setReadOnly(mode != TUserEdit::Add);
    cbCambiarPassword = new QCheckBox(QStringLiteral("Cambiar la contraseña"));
    cbCambiarPassword->setObjectName(QStringLiteral("cbCambiarPassword"));
    cbCambiarPassword->setVisible(mode == TUserEdit::Modify);
    ebPassword = new QLineEdit;
    ebPassword->setObjectName(QStringLiteral("ebPassword"));
    ebPassword->setEchoMode(QLineEdit::Password);
    ebPassword->setEnabled(mode == TUserEdit::Add);
    connect(cbCambiarPassword, &QCheckBox::toggled, ebPassword, &QLineEdit::setEnabled);
    ebNombre = new QLineEdit(user_.fullName);
    ebNombre->setObjectName(QStringLiteral("ebNombre"));
    ebNombre->setReadOnly(mode == TUserEdit::Delete);

    clbPropiedades = new QListWidget;
    clbPropiedades->setObjectName(QStringLiteral("clbPropiedades"));
    for (const auto& [name, value] : store.PropertyNames()) {
        auto* item = new QListWidgetItem(name, clbPropiedades);
        item->setData(Qt::UserRole, value);
        item->setCheckState((user_.properties & value) ? Qt::Checked : Qt::Unchecked);
    }
    clbPropiedades->setMaximumHeight(60);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Usuario"), ebUsuario);
    form->addRow(QString(), cbCambiarPassword);
    form->addRow(QStringLiteral("&Contraseña"), ebPassword);
    // The application's store keeps no full name: it reads back as the user name.
    if (dbStore)
        form->addRow(QStringLiteral("&Nombre"), ebNombre);
    else
        ebNombre->hide();
    if (clbPropiedades->count())
        form->addRow(QStringLiteral("&Propiedades"), clbPropiedades);
    else
        clbPropiedades->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblCaption);
    layout->addLayout(form);

    sgPermisos = new QTableWidget(int(tables_.size()), 4);
    sgPermisos->setObjectName(QStringLiteral("sgPermisos"));
    sgPermisos->setHorizontalHeaderLabels(
        {Text("FRMUserValues.right_1", "Ver"), Text("FRMUserValues.right_2", "Añadir"),
         Text("FRMUserValues.right_3", "Modificar"), Text("FRMUserValues.right_4", "Borrar")});
    sgPermisos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(sgPermisos, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { ToggleRight(row, column); });
    if (!tables_.isEmpty()) {
        layout->addWidget(new QLabel(QStringLiteral("Permisos sobre tablas:")));
        layout->addWidget(sgPermisos);
        auto* nota = new QLabel(
            QStringLiteral("Nota: Hacer doble clic sobre el permiso para poner en SI/NO"));
        nota->setObjectName(QStringLiteral("lblNota"));
        layout->addWidget(nota);
        ShowRights();
        sgPermisos->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        resize(560, 560);
    } else {
        sgPermisos->hide();
    }
    AddDialogButtons(layout, this, bbAceptar, bbCancelar);
    connect(bbAceptar, &QPushButton::clicked, this, [this] {
        try {
            bbAceptarClick();
        } catch (const EZMKError& e) {
            MuestraError(e.Message());
        }
    });
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    TranslateWidget(this, QStringLiteral("CC_TccFRMUserValues"));
}

void TccFRMUserValues::ShowRights() {
    QStringList rows;
    for (int row = 0; row < tables_.size(); ++row) {
        const QString& entry = tables_[row];
        const int eq = entry.indexOf(u'=');
        const QString table = eq < 0 ? entry : entry.left(eq);
        const QString caption = eq < 0 ? QString() : entry.mid(eq + 1);
        rows << (caption.isEmpty() ? table : caption);
        const TTableUserRights* r = rights_.Find(table);
        for (int c = 0; c < 4; ++c) {
            const bool on = !r || r->Has(TTableUserRights::TRight(c));
            auto* item =
                new QTableWidgetItem(on ? Text("Common.yes", "Si") : Text("Common.no", "No"));
            item->setData(Qt::UserRole, table);
            sgPermisos->setItem(row, c, item);
        }
    }
    sgPermisos->setVerticalHeaderLabels(rows);
}

void TccFRMUserValues::ToggleRight(int row, int column) {
    if (mode_ == TUserEdit::Delete || row < 0 || row >= tables_.size() || column < 0 || column > 3)
        return;
    const QString table = sgPermisos->item(row, 0)->data(Qt::UserRole).toString();
    TTableUserRights& r = rights_.Get(table);
    const auto right = TTableUserRights::TRight(column);
    r.Set(right, !r.Has(right));
    ShowRights();
}

void TccFRMUserValues::bbAceptarClick() {
    TUserValues user = user_;
    user.userName = ebUsuario->text().trimmed();
    user.fullName = ebNombre->text();
    const bool newPassword = mode_ == TUserEdit::Add || cbCambiarPassword->isChecked();
    if (mode_ != TUserEdit::Delete)
        TCustomZMKPasswords::CheckValid(user.userName,
                                        newPassword ? ebPassword->text() : QString());
    if (newPassword) user.password = ebPassword->text();
    user.properties = 0;
    for (int i = 0; i < clbPropiedades->count(); ++i)
        if (clbPropiedades->item(i)->checkState() == Qt::Checked)
            user.properties |= clbPropiedades->item(i)->data(Qt::UserRole).toInt();
    auto* dbStore = dynamic_cast<TZMKPasswordsDataBase*>(&store_);
    if (dbStore && !tables_.isEmpty() && mode_ != TUserEdit::Delete) {
        dbStore->SaveUser(user, rights_, mode_ == TUserEdit::Add);
        accept();
        return;
    }
    switch (mode_) {
        case TUserEdit::Add:
            store_.AddUser(user);
            break;
        case TUserEdit::Modify:
            store_.ModifyUser(user);
            break;
        case TUserEdit::Delete:
            store_.DeleteUser(user.userName);
            accept();
            return;
    }
    accept();
}

}  // namespace zmk
