#include "app/menuactions.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/aboutbox.h"
#include "app/appconfig.h"
#include "billing/forms/opciones.h"
#include "core/centroactual.h"
#include "core/empresasacciones.h"
#include "core/forms/confdatosempresa.h"
#include "core/forms/confmenulevel0ext.h"
#include "core/forms/confmoneda.h"
#include "core/forms/selempresa.h"
#include "core/strings.h"
#include "host/errors.h"
#include "host/forms/menuform.h"
#include "host/prompt.h"
#include "host/resources.h"
#include "maintenance/backup_auto.h"
#include "maintenance/forms/configzmkupdate.h"
#include "maintenance/forms/passwords.h"
#include "maintenance/forms/realizarcopiaseg.h"
#include "maintenance/forms/restaurarcopiaseg.h"
#include "maintenance/passwordsdatabase.h"
#include "maintenance/passwordszmkapp.h"
#include "maintenance/userrights.h"
#include "maintenance/usersession.h"
#include "rules/formimportacion.h"
#include "rules/forms/borradomasivo.h"
#include "rules/forms/importacion.h"

namespace zmk {

void SeleccionarBaseDatos(QWidget* owner) {
    TFRMSelEmpresa dialog(AppConfig()->DataBases(), owner);
    dialog.exec();
}

void UsuariosYPermisos(QWidget* owner) {
    if (!PuedeGestionarUsuarios())
        throw EZMKError(QStringLiteral(
            "Solamente un administrador de la base de datos puede gestionar los usuarios"));
    TZMKPasswordsDataBase store;
    TccFRMPasswords dialog(store, ProgramTables(), owner);
    dialog.exec();
}

void UsuariosAplicacion(QWidget* owner) {
    if (!PuedeGestionarUsuariosAplicacion())
        throw EZMKError(QStringLiteral(
            "Solamente el administrador de la aplicación (el usuario \"admin\") puede gestionar "
            "sus usuarios.\n\nEntre en el programa con ese usuario."));
    TZMKPasswordsZMKApp store(AppConfig()->Registry());
    // The application's users have no table rights.
    TccFRMPasswords dialog(store, QStringList(), owner);
    dialog.exec();
}

void DatosEmpresa(QWidget* owner) {
    ShowDatosEmpresaDialog(owner);
}

void Moneda(QWidget* owner) {
    ShowMonedaDialog(owner);
}

bool AjustesVentanaPrincipal(QWidget* owner) {
    return ShowAjustesFormularioPrincipal(owner, AppConfig()->IniFile());
}

void OpcionesAplicacion(QWidget*) {
    MostrarOpciones();
}

TBackupInstallation InstalacionCopias() {
    TZMKAppConfig* config = AppConfig();
    TBackupInstallation inst;
    inst.programDir = QFileInfo(config->ResourceFile()).absolutePath();
    inst.dataDir = config->Settings().defaultDataDir;
    inst.resourceFile = config->ResourceFile();
    inst.applicationText = config->Settings().dbAppName;
    inst.applicationNumber = config->Settings().dbVersion;
    inst.title = config->Settings().title;
    inst.databases = &config->DataBases().DataBases();
    return inst;
}

// The company connection stays open: each database is copied through SQLite's online backup,
// and a restore never writes over an existing company. The resource file is brought up to date
// first, so that the copy holds the current settings.
void CopiaSeguridad(QWidget* owner) {
    TZMKAppConfig* config = AppConfig();
    const QString workingDir = QDir::currentPath();
    config->SaveResources();
    const TBackupInstallation inst = InstalacionCopias();
    TCCFRMRealizarCopiaSeg dialog(inst, config->DataBases().OpenIndex(), owner);
    dialog.exec();
    QDir::setCurrent(workingDir);
}

void InstallCopiaAntesDeBorrar() {
    SetCopiaAntesDeBorrar([](int index) {
        TZMKAppConfig* config = AppConfig();
        if (!config) return true;
        const QString nombre = config->DataBases().DataBases().Entry(index).nombre;
        if (!PreguntaSiNo(SharedStringFmt(1736, {nombre}), TMsgIcon::Question, TMsgButton::Yes))
            return true;
        const QString workingDir = QDir::currentPath();
        config->SaveResources();
        TCCFRMRealizarCopiaSeg dialog(InstalacionCopias(), index, QApplication::activeWindow());
        const bool hecha = dialog.exec() == QDialog::Accepted;
        QDir::setCurrent(workingDir);
        if (!hecha) Informa(SharedStringFmt(1737, {nombre}));
        return hecha;
    });
}

void CopiaAutomatica() {
    TZMKAppConfig* config = AppConfig();
    if (!config) return;
    try {
        CopiaAutomaticaAlCerrar(config->IniFile(), InstalacionCopias(),
                                config->DataBases().OpenIndex());
    } catch (const EZMKError&) {
        // Before the configuration has its INI file there is nothing to back up.
    }
}

bool RestaurarCopia(QWidget* owner) {
    TZMKAppConfig* config = AppConfig();
    const QString workingDir = QDir::currentPath();
    config->SaveResources();
    const TBackupInstallation inst = InstalacionCopias();
    TCCFRMRestaurarCopiaSeg dialog(inst, owner);
    dialog.exec();
    QDir::setCurrent(workingDir);
    if (!dialog.Restored()) return false;
    for (int number : RecursosZMK().Numbers())
        if (number > 90000) RecursosZMK().Remove(number);
    config->LoadResources();
    return true;
}

void AcercaDe(QWidget* owner) {
    const TZMKAppConfig* config = AppConfig();
    TInfoAplicacion info;
    info.descripcion = config->Settings().description;
    info.fechaGuardado = config->ZMKFileDate().date();
    info.contadorGuardado = config->ZMKSaveCounter();
    ShowAboutBox(owner, info);
}

void BorradoMasivo(TZMKMenuForm* owner) {
    if (IDCentroActual() < 1)
        throw EZMKError(
            QStringLiteral("Necesita seleccionar un CENTRO como predeterminado\npara poder "
                           "utilizar esta opción.\n"));
    if (!PreguntaSiNo(QStringLiteral("Desde este formulario es posible BORRAR TODOS SUS DATOS con "
                                     "un solo clic.\n\n¡ÚSELO CON PRECAUCIÓN!\n\n¿Desea entrar en "
                                     "el formulario de borrado masivo?"),
                      TMsgIcon::Question, TMsgButton::No))
        throw EZMKError(QStringLiteral("Operación abortada"));
    if (!owner->CloseOpenForms()) return;
    TFRMBorradoMasivo dialog(owner);
    dialog.exec();
}

void ImportarDatosExternos(TZMKMenuForm* owner) {
    ExigirCentroParaImportar();
    if (!owner->CloseOpenForms()) return;
    TFRMImportacion form(owner);
    if (form.AbrirOrigen()) form.exec();
}

namespace {

// The update check of the running configuration; made again when the configuration changes.
TZMKUpdateExe& Actualizaciones() {
    static std::unique_ptr<TZMKUpdateExe> update;
    static const TZMKAppConfig* made_for = nullptr;
    TZMKAppConfig* config = AppConfig();
    if (!update || made_for != config) {
        TUpdateInstallation inst;
        inst.titulo = config->Settings().title;
        inst.programDir = config->Locations().exeDir;
        inst.exeBuild = TZMKAppConfig::FileVersion();
        ReadUpdateSettings(config->IniFile(), inst);
        inst.registro = [] { return AppConfig()->Registry(); };
        inst.registroActualizador = [] {
            return AppConfig()->DataBases().Hooks().registro(QStringLiteral("ZMK-Update"));
        };
        update = std::make_unique<TZMKUpdateExe>(inst);
        // The updater replaces the program's files: the program ends for it.
        update->closeApplication = [] { QCoreApplication::exit(0); };
        ApplyUpdateProxy(*update);
        made_for = config;
    }
    return *update;
}

}  // namespace

void ConfigurarActualizaciones(QWidget* owner) {
    TFRMConfigZMKUpdate dialog(Actualizaciones(), owner);
    dialog.exec();
}

void ComprobarActualizaciones() {
    if (AppConfig()) Actualizaciones().PeriodicCheck();
}

}  // namespace zmk
