#include "app/startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include "app/mainwindow.h"
#include "app/menuactions.h"
#include "app/migracion.h"
#include "core/applicationkey.h"
#include "core/centroactual.h"
#include "core/datosempresa.h"
#include "core/parametrosapp.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/forms/printpreview.h"
#include "host/library.h"
#include "host/prompt.h"
#include "host/reportprint.h"
#include "maintenance/backup_auto.h"
#include "maintenance/democompany.h"
#include "maintenance/forms/password.h"
#include "maintenance/passwordszmkapp.h"
#include "maintenance/userrights.h"
#include "maintenance/usersession.h"

namespace zmk {

namespace {

const QString kInit = QStringLiteral("INIT/");
const QString kNombreDemo = QStringLiteral("Academia Demo");

QString DemoDatabaseFile(const TAppStartupSettings& s) {
    for (int n = 1;; ++n) {
        const QString file = s.defaultDataDir + u'/' + s.newDbMask + QString::number(s.dbVersion) +
                             u'E' + QString::number(n) + QStringLiteral(".MDB");
        if (!QFile::exists(file)) return file;
    }
}

// A first run creates the demo company and lists it.
QString CreaEmpresaDemo(TZMKAppConfig& config) {
    QDir().mkpath(config.Settings().defaultDataDir);
    const QString file = DemoDatabaseFile(config.Settings());
    CrearEmpresaDemo(file, DemoOptions{});
    OfreceCopiaAutomatica(config.IniFile());
    {
        // The demo's bank data is generated complete: no SEPA check to offer.
        std::unique_ptr<TDataBaseZMK> db = TDataBaseZMK::Open(file);
        TParametrosApp params;
        params.SetDataBase(db.get());
        params.SetValue(QStringLiteral("ACTUALIZADA_V_BBDD_IBAN_1"), true);
        // The company's name is the title on the main window's background.
        const TDatoEmpresa& nombre = DatosEmpresa()[deNombre];
        params.DefineParametro(QString::fromUtf8(nombre.opcion),
                               QString::fromUtf8(nombre.descripcion), QString(), 6);
        params.SetValue(QString::fromUtf8(nombre.opcion), kNombreDemo);
    }
    TDataBaseEntry entry;
    entry.nombre = kNombreDemo;
    entry.version = config.Settings().dbVersion;
    entry.archivo = file;
    TZMKDataBases& list = config.DataBases().DataBases();
    const int index = list.Add(entry);
    // Nothing to import on a new installation.
    config.IniFile().setValue(kInit + QStringLiteral("ArchivoIniImportado"), true);
    return list.SectionName(index);
}

}  // namespace

TAppStartupSettings EscoliaStartupSettings(const TAppLocations& loc) {
    TAppStartupSettings s;
    s.title = QStringLiteral("ZMK-Escolia v16");
    s.baseName = EscoliaApplicationName();
    s.defaultDataDir = loc.dataDir + QStringLiteral("/DATADIR");
    s.emptyDbDir = loc.exeDir + QStringLiteral("/MastersMDB");
    s.genericMasterName = QStringLiteral("ZMKEscoExtV");
    s.newDbMask = QStringLiteral("ZMKEscoliaExtV");
    s.dbAppName = QStringLiteral("ZMK Escolia EXT");
    s.dbVersion = 4;
    s.description = QStringLiteral(
        "Gestión de centros de enseñanza: alumnos, cursos, grupos, "
        "matrículas, facturación y seguimiento académico.");
    s.openSelectionAtStart = true;
    s.tables = ProgramTables();
    s.expectedTreeName = QStringLiteral("ZMK-Escolia 2014 EXTENDED");
    const QString emptyDir = s.emptyDbDir;
    s.masterNaming = [emptyDir](int version) {
        return emptyDir + QStringLiteral("/ZMKEscoExtV") + QString::number(version) +
               QStringLiteral(".MMDB");
    };
    return s;
}

bool ArrancaAplicacion(TZMKAppConfig& config, TFRMMenu& window,
                       const std::function<void()>& installScreens) {
    SetApplicationTitle(config.Settings().title);
    window.setWindowTitle(config.Settings().title);
    MigraConfiguracionAnterior(config.AppFile());
    // Every connection publishes the company data for reports and screens.
    RegisterDatosEmpresa();
    InstallCopiaAntesDeBorrar();
    // The company login asks with the password dialog over the main window.
    SetLoginHandler([&window](TCustomZMKPasswords& store) { return PideLogin(store, &window); });
    config.Configure(
        &window,
        [&window, &config] {
            window.ApplyWindowMode();
            PideContrasenaAplicacion(config, &window);
        },
        [&installScreens](TProcedureZMK& procedures) {
            REGISTER_LIBRARY(procedures);
            if (installScreens) installScreens();
        },
        [&config](const QString& section) { AbreBaseDatosInicial(config, section); });
    // The report templates, then the users' reports of the ".MDR" loaded above; reports and
    // lists show in a preview window and go to the printers.
    RegisterReportProcedures();
    InstallPrintPreview();
    const QString identity = config.IdentityError();
    if (!identity.isEmpty()) {
        MuestraError(identity);
        return false;
    }
    window.SetAppDefinition(config.Definition());
    try {
        window.BuildMenus();
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    }
    RegisterDefaultProgramStrings();
    config.TranslateForm(&window, QStringLiteral("Application_TFRMMenu"));
    return true;
}

void PideContrasenaAplicacion(TZMKAppConfig& config, QWidget* owner) {
    TZMKPasswordsZMKApp store(config.Registry());
    FijaUsuarioAplicacion(TUserValues());
    if (!store.NeedUserName()) return;
    if (!PideLogin(store, owner)) throw EAbort();
    FijaUsuarioAplicacion(store.CurrentUser());
}

void AbreBaseDatosInicial(TZMKAppConfig& config, const QString& requested) {
    TEmpresasBD& empresas = config.DataBases();
    const bool firstRun = empresas.DataBases().Count() == 0 &&
                          !config.IniFile().contains(kInit + QStringLiteral("ArchivoIniImportado"));
    const QString section = firstRun ? CreaEmpresaDemo(config) : requested;
    empresas.OpenSection(section);
    if (firstRun && ZMKApp().GetDefaultDB() && IDCentroActual() <= 0) {
        QSqlQuery first =
            DefaultDB().Query(QStringLiteral("SELECT MIN(IDCentroT20) FROM T20Centros"));
        if (first.next() && !first.value(0).isNull()) FijaCentroActual(first.value(0).toInt());
    }
}

}  // namespace zmk
