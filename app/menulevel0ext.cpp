#include "app/menulevel0ext.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QUrl>

#include "app/appconfig.h"
#include "app/menuactions.h"
#include "core/strings.h"
#include "core/translate.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/forms/teclasacceso.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "maintenance/updateexe.h"
#include "maintenance/usersession.h"

namespace zmk {

namespace {

const QString kInit = QStringLiteral("INIT/");

// The appearance parameters: read with their defaults and written back after each connection,
// saved with the parameter block at shutdown (the last two only then).
struct TAppearance {
    const char* name;
    QVariant def;
};
const TAppearance kAppearance[] = {
    {"PRMTituloAplicacion", QString()},   {"PRMUsarTituloEmpresa", true},
    {"PRMLogoFileName", QString()},       {"PRMUsarLogoEmpresa", true},
    {"PRMGENColorTextoTitulo", 12615680}, {"PRMGENColorFondoImagen", 16777215},
    {"PRMAjustarImagenFondo", false},     {"PRMTituloEncimaImagen", false},
};
const char* const kSavedOnlyAtClose[] = {"PRMMostrarImageBackground", "PRMMDIAlinearAutomatico"};

QString WithoutHotKey(QString caption) {
    return caption.remove(u'&');
}

}  // namespace

TFRMMenuLevel0Ext::TFRMMenuLevel0Ext(QWidget* parent) : TZMKMenuForm(parent) {
    setObjectName(QStringLiteral("FRMMenu"));
    CreateMenus();
    fondo_ = CrearFondo(this);
    fondo_->SetAccionConfigurar(Action(QStringLiteral("ActConfFormularioPrincipal")));
}

QAction* TFRMMenuLevel0Ext::AddAction(const QString& name, const QString& caption,
                                      const std::function<void()>& execute) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [execute] { Run(execute); });
    actions_.insert(name, action);
    return action;
}

void TFRMMenuLevel0Ext::Run(const std::function<void()>& work) {
    try {
        work();
    } catch (const EAbort&) {
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    }
}

void TFRMMenuLevel0Ext::CreateMenus() {
    mnuAplicacion_ = menuBar()->addMenu(QStringLiteral("&Aplicación"));
    mnuAplicacion_->setObjectName(QStringLiteral("mnuAplicacion"));
    mnuAplicacion_->addAction(AddAction(QStringLiteral("ActSelEmpresa"),
                                        QStringLiteral("Seleccionar Base de Datos"),
                                        [this] { SeleccionarBaseDatos(this); }));
    QAction* users = AddAction(QStringLiteral("ActConfUsuariosBaseDatos"),
                               QStringLiteral("Usuarios y Permisos de la Base de Datos"),
                               [this] { UsuariosYPermisos(this); });
    mnuAplicacion_->addAction(users);
    db_actions_ << users;
    mnuAplicacion_->addAction(AddAction(QStringLiteral("ActConfUsuariosAplicacion"),
                                        QStringLiteral("Usuarios y contraseñas de la aplicación"),
                                        [this] { UsuariosAplicacion(this); }));

    mnuConfiguracion_ = mnuAplicacion_->addMenu(QStringLiteral("Configuración"));
    mnuConfiguracion_->setObjectName(QStringLiteral("mnuConfiguracion"));
    // The update settings come first in the configuration menu.
    mnuConfiguracion_->addAction(AddAction(QStringLiteral("ActConfigureZMKUpdate"),
                                           UpdateText(QStringLiteral("action.actualiza")),
                                           [this] { ConfigurarActualizaciones(this); }));
    QAction* datos =
        AddAction(QStringLiteral("ActConfDatosEmpresa"), QStringLiteral("Datos empresa"), [this] {
            DatosEmpresa(this);
            fondo_->Repinta();
        });
    QAction* moneda = AddAction(QStringLiteral("ActConfMoneda"),
                                QStringLiteral("Configurar moneda"), [this] { Moneda(this); });
    QAction* principal = AddAction(QStringLiteral("ActConfFormularioPrincipal"),
                                   QStringLiteral("Configurar formulario principal"), [this] {
                                       const bool wanted = AjustesVentanaPrincipal(this);
                                       fondo_->Repinta();
                                       RequestWindowMode(wanted);
                                   });
    mnuConfiguracion_->addActions({datos, moneda, principal});
    db_actions_ << datos << moneda << principal;
    mnuIdioma_ = mnuConfiguracion_->addMenu(QStringLiteral("Idioma"));
    mnuIdioma_->setObjectName(QStringLiteral("mnuIdioma"));

    mnuAplicacion_->addSeparator();
    mnuAplicacion_->addAction(AddAction(QStringLiteral("ActRealizarCopiaseguridad"),
                                        QStringLiteral("Realizar copia de seguridad"),
                                        [this] { CopiaSeguridad(this); }));
    mnuAplicacion_->addAction(AddAction(QStringLiteral("ActRestaurarCopiaSeguridad"),
                                        QStringLiteral("Restaurar copia de seguridad"), [this] {
                                            if (RestaurarCopia(this)) SeleccionarBaseDatos(this);
                                        }));
    mnuAplicacion_->addSeparator();
    mnuAplicacion_->addAction(AddAction(QStringLiteral("ActCerrarAplicacion"),
                                        QStringLiteral("Cerrar aplicación"), [this] { close(); }));

    mnuVentana_ = menuBar()->addMenu(QStringLiteral("&Ventana"));
    mnuVentana_->setObjectName(QStringLiteral("mnuVentana"));
    auto mdi = [this](const std::function<void(QMdiArea*)>& work) {
        return [this, work] {
            if (auto* area = qobject_cast<QMdiArea*>(centralWidget())) work(area);
        };
    };
    mnuVentana_->addAction(AddAction(QStringLiteral("WindowClose"),
                                     QStringLiteral("Cerrar Ventana"),
                                     mdi([](QMdiArea* a) { a->closeActiveSubWindow(); })));
    mnuVentana_->addAction(AddAction(QStringLiteral("WindowTileHorizontal"),
                                     QStringLiteral("Organiza &Horizontal"),
                                     mdi([](QMdiArea* a) { a->tileSubWindows(); })));
    mnuVentana_->addAction(AddAction(QStringLiteral("WindowTileVertical"),
                                     QStringLiteral("Organiza &Vertical"),
                                     mdi([](QMdiArea* a) { a->tileSubWindows(); })));
    mnuVentana_->addAction(AddAction(QStringLiteral("WindowCascade"), QStringLiteral("&Cascada"),
                                     mdi([](QMdiArea* a) { a->cascadeSubWindows(); })));
    mnuVentana_->addAction(AddAction(QStringLiteral("WindowMinimizeAll"),
                                     QStringLiteral("&Minimiza Todos"), mdi([](QMdiArea* a) {
                                         for (auto* w : a->subWindowList()) w->showMinimized();
                                     })));
    mnuVentana_->addAction(AddAction(QStringLiteral("WindowArrange"),
                                     QStringLiteral("&Alinear iconos"), mdi([](QMdiArea* a) {
                                         for (auto* w : a->subWindowList())
                                             if (w->isMinimized())
                                                 w->showNormal(), w->showMinimized();
                                     })));

    mnuAyuda_ = menuBar()->addMenu(QStringLiteral("A&yuda"));
    mnuAyuda_->setObjectName(QStringLiteral("mnuAyuda"));
    mnuAyuda_->addAction(AddAction(QStringLiteral("ActVersionProducto"),
                                   QStringLiteral("Versión del producto"),
                                   [this] { AcercaDe(this); }));
    mnuAyuda_->addAction(AddAction(QStringLiteral("ActSoporteRemoto"),
                                   QStringLiteral("Establecer conexión de soporte remoto"),
                                   [this] { RemoteSupport(); }));
    mnuAyuda_->addAction(AddAction(QStringLiteral("ActAyudaWeb"), QStringLiteral("Ayuda en la web"),
                                   [this] { OpenHelpPage(); }));
    mnuAyuda_->addAction(AddAction(QStringLiteral("ActLManualAplicacion"),
                                   QStringLiteral("Manual de la aplicación"),
                                   [this] { OpenManual(); }));

    // Qt has no idle-time action updates: the rules run whenever a menu opens.
    // Entries get their access keys as they are shown, in the language then in use.
    for (QMenu* m : {mnuAplicacion_, mnuConfiguracion_, mnuIdioma_, mnuVentana_, mnuAyuda_})
        connect(m, &QMenu::aboutToShow, this, [this, m] {
            UpdateActions();
            AsignaTeclasDeAcceso(*m);
        });
}

void TFRMMenuLevel0Ext::UpdateActions() {
    const bool open = ZMKApp().GetDefaultDB() != nullptr;
    for (QAction* a : std::as_const(db_actions_)) a->setEnabled(open);
    // Users and rights: an administrator, or anyone while the database requires no login.
    if (QAction* users = Action(QStringLiteral("ActConfUsuariosBaseDatos")))
        users->setEnabled(open && PuedeGestionarUsuarios());
    if (QAction* appUsers = Action(QStringLiteral("ActConfUsuariosAplicacion")))
        appUsers->setEnabled(PuedeGestionarUsuariosAplicacion());
    // A screen the user may not see stays in the menu, disabled.
    for (QAction* a : findChildren<QAction*>())
        if (a->objectName().startsWith(QStringLiteral("MenuItem_idnode_")))
            a->setEnabled(open && CanOpenNode(a->data().toInt()));
    mnuVentana_->menuAction()->setVisible(IsMDI());
    mnuVentana_->setEnabled(IsMDI());
    TZMKAppConfig* config = AppConfig();
    const QString active = config ? config->Language() : QString();
    for (QAction* a : std::as_const(language_actions_)) {
        const bool isDefault = a->data().toInt() == -1;
        a->setChecked(active.isEmpty() ? isDefault
                                       : !isDefault && WithoutHotKey(a->text()).compare(
                                                           active, Qt::CaseInsensitive) == 0);
    }
}

QString TFRMMenuLevel0Ext::CaptionFor() const {
    QString caption = ApplicationTitle();
    if (TDataBaseZMK* db = ZMKApp().GetDefaultDB()) {
        QString name = QFileInfo(db->FileName()).completeBaseName();
        if (TZMKAppConfig* config = AppConfig(); config && !config->DatabaseName().isEmpty())
            name = config->DatabaseName();
        caption += QStringLiteral(" \"") + name + u'"';
        if (AppConfig() && AppConfig()->ReadOnly()) caption += u' ' + SharedString(1004);
    }
    return caption;
}

void TFRMMenuLevel0Ext::AfterConnectDB() {
    if (!ZMKApp().GetDefaultDB()) return;
    for (const TAppearance& p : kAppearance) {
        const QString name = QString::fromLatin1(p.name);
        QVariant value = Parametres().GetParametreValue(name);
        Parametres().SetParametreValue(name, value.isValid() ? value : p.def);
    }
    fondo_->Repinta();
    setWindowTitle(CaptionFor());
    UpdateActions();
}

void TFRMMenuLevel0Ext::AfterDisconnectDB() {
    fondo_->Repinta();
    setWindowTitle(ApplicationTitle());
    UpdateActions();
}

void TFRMMenuLevel0Ext::FormOpened(QWidget*, bool newMdiChild, int visibleChildren) {
    if (newMdiChild && ZMKApp().GetDefaultDB() &&
        Parametres().AsBoolean(QStringLiteral("PRMMDIAlinearAutomatico"), false) &&
        visibleChildren >= 2 && visibleChildren <= 4)
        if (auto* area = qobject_cast<QMdiArea*>(centralWidget())) area->tileSubWindows();
}

void TFRMMenuLevel0Ext::AskWindowMode() {
    PreguntaModoVentana(this, AppConfig()->IniFile());
}

int TFRMMenuLevel0Ext::ScreenWidth() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

void TFRMMenuLevel0Ext::ApplyWindowMode() {
    QSettings& ini = AppConfig()->IniFile();
    if (DebePreguntarModoVentana(AllowMDI(), ScreenWidth(), ini)) {
        QElapsedTimer asking;
        asking.start();
        AskWindowMode();
        question_ms_ += asking.elapsed();
    }
    if (ini.contains(kInit + QStringLiteral("MDI")))
        SetWindowMode(ini.value(kInit + QStringLiteral("MDI"), IsMDI()).toBool());
    mnuVentana_->menuAction()->setVisible(IsMDI());
    mnuVentana_->setEnabled(IsMDI());
}

void TFRMMenuLevel0Ext::RequestWindowMode(bool wanted) {
    if (wanted == IsMDI()) return;
    Informa(SharedString(1003));
    AppConfig()->IniFile().setValue(kInit + QStringLiteral("MDI"), wanted);
}

void TFRMMenuLevel0Ext::BuildMenus() {
    AppConfig()->InitTranslation();
    BuildLanguageMenu();
}

void TFRMMenuLevel0Ext::BuildLanguageMenu() {
    mnuIdioma_->clear();
    language_actions_.clear();
    const QStringList languages = AppConfig()->AvailableLanguages();
    auto add = [this](const QString& caption, int tag) {
        auto* action = new QAction(caption, mnuIdioma_);
        action->setCheckable(true);
        action->setData(tag);
        connect(action, &QAction::triggered, this,
                [this, action] { Run([this, action] { ChooseLanguage(action); }); });
        mnuIdioma_->addAction(action);
        language_actions_ << action;
    };
    // The program's own language, named in it as every language is.
    add(QStringLiteral("Español"), -1);
    for (int i = 0; i < languages.size(); ++i) add(languages[i], i);
    mnuIdioma_->menuAction()->setVisible(!languages.isEmpty());
    UpdateActions();
}

void TFRMMenuLevel0Ext::ChooseLanguage(QAction* entry) {
    const QString caption = WithoutHotKey(entry->text());
    if (PreguntaSiNo(SharedStringFmt(1005, {caption}))) {
        // The open screens stay open, with whatever the clerk was doing in them, and change
        // language with the window.
        AppConfig()->SetLanguage(entry->data().toInt() == -1 ? QString() : caption);
        TranslateMainWindow(QStringLiteral("TFRMMenu"));
    }
    UpdateActions();
}

void TFRMMenuLevel0Ext::TranslateMainWindow(const QString& section) {
    AppConfig()->TranslateForm(this, section);
    // After the window's own texts, which would give the tree's entries their first caption.
    TranslateNodeMenus();
    TranslateOpenScreens();
}

QString TFRMMenuLevel0Ext::HelpPageUrl() const {
    QSettings& ini = AppConfig()->IniFile();
    const QString server = ini.value(QStringLiteral("AYUDA/ServidorWeb"),
                                     QStringLiteral("https://www.torvanware.com/"))
                               .toString();
    return server + QStringLiteral("ayuda.asp?") + AppConfig()->HelpQuery(true, IsMDI());
}

bool TFRMMenuLevel0Ext::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool TFRMMenuLevel0Ext::StartProgram(const QString& program) {
    return QProcess::startDetached(program, {});
}

void TFRMMenuLevel0Ext::OpenHelpPage() {
    OpenUrl(QUrl(HelpPageUrl()));
}

void TFRMMenuLevel0Ext::OpenManual() {
    const QString path = AppConfig()->Locations().exeDir + QStringLiteral("/ZMKEscoliaV16.pdf");
    if (!QFile::exists(path)) {
        Informa(QStringLiteral("No se encuentra el archivo:\n\n") + path);
        return;
    }
    OpenUrl(QUrl::fromLocalFile(path));
}

void TFRMMenuLevel0Ext::RemoteSupport() {
    QSettings& ini = AppConfig()->IniFile();
    const QString program =
        AppConfig()->Locations().exeDir + u'/' +
        ini.value(QStringLiteral("AYUDA/ProgramaSoporte"), QStringLiteral("ZMKSoporteRemoto"))
            .toString();
    if (QFileInfo(program).isExecutable()) {
        if (PreguntaSiNo(
                QStringLiteral("Está apunto de abrir el programa que permitirá la conexión "
                               "remota a su ordenador\npor parte de los técnicos de "
                               "Torvanware.\n\n¿Continuar?")))
            StartProgram(program);
        return;
    }
    if (PreguntaSiNo(QStringLiteral("A continuación se abrirá su navegador para descargar de "
                                    "internet el programa de soporte\n\n¿Continuar?")))
        OpenUrl(QUrl(ini.value(QStringLiteral("AYUDA/DescargaSoporte"),
                               QStringLiteral("https://www.torvanware.com/soporte"))
                         .toString()));
}

void TFRMMenuLevel0Ext::closeEvent(QCloseEvent* event) {
    if (!PreguntaSiNo(SharedStringFmt(1002, {ApplicationTitle()}), TMsgIcon::Question,
                      TMsgButton::No) ||
        !CloseOpenForms()) {
        event->ignore();
        return;
    }
    for (const TAppearance& p : kAppearance)
        Parametres().SetWritables(QString::fromLatin1(p.name), true);
    for (const char* name : kSavedOnlyAtClose)
        if (Parametres().ParamExists(QString::fromLatin1(name)))
            Parametres().SetWritables(QString::fromLatin1(name), true);
    CopiaAutomatica();
    event->accept();
}

}  // namespace zmk
