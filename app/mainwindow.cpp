#include "app/mainwindow.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/appconfig.h"
#include "app/menuactions.h"
#include "billing/chequeosepa.h"
#include "core/centroactual.h"
#include "core/parametrosapp.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/forms/apptext.h"
#include "host/forms/screen.h"
#include "host/forms/teclasacceso.h"
#include "host/parametres.h"
#include "host/prompt.h"

namespace zmk {

namespace {

const int kNodeCentros = 11342;

struct TToolbarEntry {
    const char* action;
    const char* caption;
    int node;
};
const TToolbarEntry kToolbar[] = {{"ActLAlumnos", "Alumnos", 11780},
                                  {"ActLCursos", "Cursos", 11778},
                                  {"ActLGrupos", "Grupos", 11779},
                                  {"ActLMatriculas", "Matrículas", 11782},
                                  {"ActLFacturas", "Facturas", 10723}};

struct TFrameworkMenu {
    const char* name;
    const char* caption;
    int node;
};
const TFrameworkMenu kFrameworkMenus[] = {{"mnuTablas", "Tablas", 391},
                                          {"mnuFacturacion", "Facturación", 10722},
                                          {"mnuHistorico", "Histórico", 11161},
                                          {"mnuConsultas", "Consultas", 11335}};

// In the list shown as a dialog, Esc undoes an edit as on any screen, and otherwise closes the
// dialog: the screen's own Esc would swallow the key in browse mode too.
void EscEnListaDeCentros(QDialog& dialog, TZMKScreen& screen) {
    const QKeySequence esc(Qt::Key_Escape);
    QAction* cancel = nullptr;
    for (QAction* a : screen.findChildren<QAction*>())
        if (a->shortcuts().contains(esc)) {
            cancel = a;
            QList<QKeySequence> keys = a->shortcuts();
            keys.removeAll(esc);
            a->setShortcuts(keys);
        }
    auto* shortcut = new QShortcut(esc, &dialog);
    shortcut->setObjectName(QStringLiteral("EscCierra"));
    QObject::connect(shortcut, &QShortcut::activated, &dialog, [&dialog, &screen, cancel] {
        TDataSet* data = screen.DataSet();
        const bool editing = data && (data->State() == TDataSetState::Edit ||
                                      data->State() == TDataSetState::Insert);
        if (editing && cancel)
            cancel->trigger();
        else
            dialog.reject();
    });
}

}  // namespace

TFRMMenu::TFRMMenu(QWidget* parent) : TFRMMenuLevel0Ext(parent) {
    SetCentroChangeCallback([this] { RefreshCentreLabel(); });
    setWindowTitle(ApplicationTitle());
    // F10 opens the first menu, as on other desktop programs, for work without the mouse.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] {
        for (QAction* a : menuBar()->actions())
            if (a->isVisible() && a->isEnabled()) {
                menuBar()->setActiveAction(a);
                return;
            }
    });

    toolbar_ = addToolBar(QStringLiteral("Principal"));
    toolbar_->setObjectName(QStringLiteral("ToolBar"));
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* select = AddAction(QStringLiteral("ActLSelectCentro"), QStringLiteral("..."),
                                [this] { SelectCentre(); });
    // F9 chooses the centre from the keyboard; the toolbar's button is its only other way.
    select->setShortcut(QKeySequence(Qt::Key_F9));
    select->setToolTip(QStringLiteral("Seleccionar centro (F9)"));
    db_actions_ << select;
    toolbar_->addAction(select);
    select->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    if (auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(select)))
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto* caption = new QLabel(QStringLiteral("Centro:"), toolbar_);
    caption->setObjectName(QStringLiteral("lblCentroCaption"));
    caption->setContentsMargins(6, 0, 4, 0);
    toolbar_->addWidget(caption);
    lblCentro_ = new QLabel(toolbar_);
    lblCentro_->setObjectName(QStringLiteral("lblCentro"));
    lblCentro_->setProperty("zmkNoTranslate", true);
    QFont bold = lblCentro_->font();
    bold.setBold(true);
    lblCentro_->setFont(bold);
    lblCentro_->setMinimumWidth(260);
    lblCentro_->setContentsMargins(0, 0, 12, 0);
    toolbar_->addWidget(lblCentro_);
    toolbar_->addSeparator();
    for (const TToolbarEntry& e : kToolbar) {
        const QString text = QString::fromUtf8(e.caption);
        QAction* action = AddAction(QString::fromLatin1(e.action), text, [this, e] {
            if (e.node > 0) OpenNode(e.node);
        });
        action->setToolTip(text);
        db_actions_ << action;
        toolbar_->addAction(action);
    }

    QAction* opciones =
        AddAction(QStringLiteral("ActLOpcionesAplicacion"), QStringLiteral("Opciones"), [this] {
            CloseOpenForms();
            OpcionesAplicacion(this);
        });
    QAction* borrado =
        AddAction(QStringLiteral("ActLBorradoMasivo"), QStringLiteral("Borrado masivo de datos"),
                  [this] { BorradoMasivo(this); });
    QAction* importar = AddAction(
        QStringLiteral("ActLImportarDatosExternos"),
        QStringLiteral("Importar datos de alumnos desde archivos externos al centro actual..."),
        [this] { ImportarDatosExternos(this); });
    db_actions_ << opciones << borrado << importar;
    mnuConfiguracion_->addAction(opciones);
    mnuConfiguracion_->addAction(borrado);
    QMenu* importMenu = mnuConfiguracion_->addMenu(QStringLiteral("Importar"));
    importMenu->setObjectName(QStringLiteral("mnuImportar"));
    importMenu->addAction(importar);
    QAction* sepa =
        AddAction(QStringLiteral("MnuComprobarSEPA"), QStringLiteral("Comprobar datos SEPA"), [] {
            if (ZMKApp().GetDefaultDB()) ComprobarDatosSEPA(false);
        });
    mnuConfiguracion_->addAction(sepa);
    RefreshCentreLabel();
    UpdateActions();
}

TFRMMenu::~TFRMMenu() {
    SetCentroChangeCallback(nullptr);
    if (AppConfig() && AppConfig()->MainWindow() == this) AppConfig()->ForgetMainWindow();
}

void TFRMMenu::BuildMenus() {
    TFRMMenuLevel0Ext::BuildMenus();
    for (QMenu* m : std::as_const(framework_menus_)) delete m;
    framework_menus_.clear();
    for (const TFrameworkMenu& f : kFrameworkMenus) {
        auto* menu = new QMenu(QString::fromUtf8(f.caption), menuBar());
        menu->setObjectName(QString::fromLatin1(f.name));
        menuBar()->insertMenu(WindowMenu()->menuAction(), menu);
        AddNodeChildren(menu, f.node);
        AsignaTeclasDeAcceso(*menu);
        menu->menuAction()->setVisible(!menu->isEmpty());
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateActions(); });
        framework_menus_ << menu;
    }
    Action(QStringLiteral("ActLFacturas"))->setText(QStringLiteral("Facturas"));
    AsignaTeclasDeAcceso(*menuBar());
    UpdateActions();
}

void TFRMMenu::UpdateActions() {
    TFRMMenuLevel0Ext::UpdateActions();
    for (const TToolbarEntry& e : kToolbar)
        if (QAction* a = Action(QString::fromLatin1(e.action));
            a && (!AppDefinition().nodeScreens.contains(e.node) || !CanOpenNode(e.node)))
            a->setEnabled(false);
    // The centre list is a screen like the others.
    if (!CanOpenNode(kNodeCentros)) Action(QStringLiteral("ActLSelectCentro"))->setEnabled(false);
}

void TFRMMenu::AfterConnectDB() {
    TFRMMenuLevel0Ext::AfterConnectDB();
    if (!ZMKApp().GetDefaultDB()) return;
    const QString flag = QStringLiteral("ACTUALIZADA_V_BBDD_IBAN_1");
    // A reading connection can neither correct the data nor remember the check.
    if (!DefaultDB().ReadOnly() && !ParametrosApp().AsBoolean(flag, false) &&
        CompteRegistres(DefaultDB(), QStringLiteral("IDCentroT20"), QStringLiteral("T20Centros"),
                        QString()) > 0) {
        if (ComprobarDatosSEPA(false))
            ParametrosApp().SetValue(flag, true);
        else
            QApplication::beep();
    }
    RecargaCentroActual();
    RefreshCentreLabel();
}

void TFRMMenu::AfterDisconnectDB() {
    TFRMMenuLevel0Ext::AfterDisconnectDB();
    RefreshCentreLabel();
}

void TFRMMenu::FirstActivation() {
    RefreshCentreLabel();
    if (!ZMKApp().GetDefaultDB() && AppConfig() && AppConfig()->Settings().openSelectionAtStart)
        Run([this] { SeleccionarBaseDatos(this); });
}

void TFRMMenu::RefreshCentreLabel() {
    if (IDCentroActual() > 0 && ZMKApp().GetDefaultDB()) {
        lblCentro_->setText(QStringLiteral("(") +
                            Parametres().AsString(QStringLiteral("PRMCodigoCentroActual")) +
                            QStringLiteral(") - ") +
                            Parametres().AsString(QStringLiteral("PRMNombreCentroActual")));
        lblCentro_->setStyleSheet(QStringLiteral("color: #000080;"));  // navy, 8388608
    } else {
        lblCentro_->setText(QStringLiteral("SIN CENTRO PREDETERMINADO"));
        lblCentro_->setStyleSheet(QStringLiteral("color: #ff0000;"));  // red, 255
    }
}

void TFRMMenu::SelectCentre() {
    if (!CloseOpenForms()) return;
    auto it = AppDefinition().nodeScreens.find(kNodeCentros);
    if (it == AppDefinition().nodeScreens.end()) return;
    const TScreenDef& def = AppDefinition().screens[it.value()];
    QDialog dialog(this);
    dialog.setWindowTitle(AppText(def.caption));
    auto* layout = new QVBoxLayout(&dialog);
    auto* screen = new TZMKScreen(def, kNodeCentros, &dialog);
    screen->setAttribute(Qt::WA_DeleteOnClose, false);
    layout->addWidget(screen);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        if (screen->CanClose()) dialog.accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    EscEnListaDeCentros(dialog, *screen);
    screen->OpenQuery();
    if (IDCentroActual() > 0)
        screen->DataSet()->Locate(QStringLiteral("IDCentroT20"), IDCentroActual());
    dialog.resize(900, 560);
    // The arrow keys move through the centres at once, Enter takes the one chosen.
    screen->Grid()->setFocus(Qt::OtherFocusReason);
    if (dialog.exec() != QDialog::Accepted) return;
    TDataSet* data = screen->DataSet();
    if (!data || data->RecNo() == 0) return;
    TField* id = data->FindField(QStringLiteral("IDCentroT20"));
    if (id && !id->IsNull()) FijaCentroActual(id->AsInteger());
}

void TFRMMenu::TranslateMainWindow(const QString& section) {
    TFRMMenuLevel0Ext::TranslateMainWindow(section);
    // Translated captions come without access keys of their own.
    AsignaTeclasDeAcceso(*menuBar());
    RefreshCentreLabel();
}

}  // namespace zmk
