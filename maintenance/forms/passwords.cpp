#include "maintenance/forms/passwords.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/strings.h"
#include "host/errors.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"
#include "maintenance/passwordsdatabase.h"

namespace zmk {

namespace {

QPushButton* Button(const QString& name, const QString& text, const QKeySequence& key) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (!key.isEmpty()) b->setShortcut(key);
    return b;
}

// Every action shows its refusal and leaves the list as it is.
void Run(const std::function<void()>& work) {
    try {
        work();
    } catch (const EAbort&) {
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    }
}

}  // namespace

TccFRMPasswords::TccFRMPasswords(TCustomZMKPasswords& store, QStringList tables, QWidget* parent)
    : QDialog(parent), store_(store), tables_(std::move(tables)) {
    setObjectName(QStringLiteral("TccFRMPasswords"));
    setWindowTitle(QStringLiteral("Passwords"));
    runEditor = [](TccFRMUserValues& editor) { return editor.exec(); };
    cbRequerirUsuario = new QCheckBox(QStringLiteral("Requerir usuario"));
    cbRequerirUsuario->setObjectName(QStringLiteral("cbRequerirUsuario"));
    lvUsuarios = new QTreeWidget;
    lvUsuarios->setObjectName(QStringLiteral("lvUsuarios"));
    lvUsuarios->setHeaderLabels(
        {QStringLiteral("Usuario"), QStringLiteral("Nombre"), QStringLiteral("Tipo")});
    lvUsuarios->setRootIsDecorated(false);
    lvUsuarios->setContextMenuPolicy(Qt::CustomContextMenu);
    bbNuevo = Button(QStringLiteral("bbNuevo"), QStringLiteral("Nuevo"), Qt::Key_F6);
    bbModificar = Button(QStringLiteral("bbModificar"), QStringLiteral("Modificar"), Qt::Key_F5);
    bbBorrar = Button(QStringLiteral("bbBorrar"), QStringLiteral("Borrar"), Qt::Key_F7);
    bbCerrar = Button(QStringLiteral("bbCerrar"), QStringLiteral("Cerrar"), QKeySequence());
    connect(bbNuevo, &QPushButton::clicked, this, [this] { Run([this] { Nuevo(); }); });
    connect(bbModificar, &QPushButton::clicked, this, [this] { Run([this] { Modificar(); }); });
    connect(bbBorrar, &QPushButton::clicked, this, [this] { Run([this] { Borrar(); }); });
    connect(bbCerrar, &QPushButton::clicked, this, &QDialog::reject);
    connect(lvUsuarios, &QTreeWidget::itemDoubleClicked, this,
            [this] { Run([this] { Modificar(); }); });
    connect(cbRequerirUsuario, &QCheckBox::clicked, this,
            [this](bool on) { Run([this, on] { SetRequerirUsuario(on); }); });
    connect(lvUsuarios, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Nuevo"), this, [this] { Run([this] { Nuevo(); }); });
        menu.addAction(QStringLiteral("Modificar"), this, [this] { Run([this] { Modificar(); }); });
        menu.addAction(QStringLiteral("Borrar"), this, [this] { Run([this] { Borrar(); }); });
        menu.exec(lvUsuarios->viewport()->mapToGlobal(at));
    });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {bbNuevo, bbModificar, bbBorrar}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(bbCerrar);
    auto* body = new QHBoxLayout;
    body->addWidget(lvUsuarios, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cbRequerirUsuario);
    layout->addLayout(body);
    resize(520, 340);
    TranslateWidget(this, QStringLiteral("CC_TccFRMPasswords"));
    Refresh();
}

void TccFRMPasswords::Refresh() {
    const bool need = store_.NeedUserName();
    cbRequerirUsuario->setChecked(need);
    lvUsuarios->clear();
    for (const QString& name : store_.UserNames()) {
        const TUserValues user = store_.GetUser(name);
        new QTreeWidgetItem(lvUsuarios, {user.userName, user.fullName, store_.Kind(user)});
    }
    if (lvUsuarios->topLevelItemCount()) lvUsuarios->setCurrentItem(lvUsuarios->topLevelItem(0));
    lvUsuarios->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The application's users have neither a full name of their own nor a kind.
    const bool dbStore = dynamic_cast<TZMKPasswordsDataBase*>(&store_) != nullptr;
    lvUsuarios->setColumnHidden(1, !dbStore);
    lvUsuarios->setColumnHidden(2, !dbStore);
    // The users matter only while a login is required.
    for (QWidget* w : {static_cast<QWidget*>(lvUsuarios), static_cast<QWidget*>(bbNuevo),
                       static_cast<QWidget*>(bbModificar), static_cast<QWidget*>(bbBorrar)})
        w->setEnabled(need);
}

QString TccFRMPasswords::SelectedUser() const {
    const QTreeWidgetItem* item = lvUsuarios->currentItem();
    return item ? item->text(0) : QString();
}

void TccFRMPasswords::Changed() {
    Refresh();
    if (told_) return;
    told_ = true;
    Informa(SharedString(1861));
}

void TccFRMPasswords::Edit(TUserEdit mode, const QString& userName) {
    TccFRMUserValues editor(store_, mode, userName, tables_, this);
    if (runEditor(editor) == QDialog::Accepted) Changed();
}

void TccFRMPasswords::Nuevo() {
    Edit(TUserEdit::Add, QString());
}

void TccFRMPasswords::Modificar() {
    const QString user = SelectedUser();
    if (!user.isEmpty()) Edit(TUserEdit::Modify, user);
}

void TccFRMPasswords::Borrar() {
    const QString user = SelectedUser();
    if (user.isEmpty()) return;
    if (!PreguntaSiNo(SharedStringFmt(1860, {user}), TMsgIcon::Warning, TMsgButton::No)) return;
    store_.DeleteUser(user);
    Changed();
}

void TccFRMPasswords::SetRequerirUsuario(bool need) {
    store_.SetNeedUserName(need);
    Changed();
}

}  // namespace zmk
