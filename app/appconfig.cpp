#include "app/appconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>
#include <QWidget>
#include <memory>

#include "core/applicationkey.h"
#include "core/datosempresa.h"
#include "core/parametrosapp.h"
#include "core/splash.h"
#include "core/strings.h"
#include "core/translate.h"
#include "core/versiones.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/forms/menuform.h"
#include "host/forms/translatewidget.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/resources.h"
#include "maintenance/usersession.h"

#ifndef ESCOLIA_FILE_VERSION
#define ESCOLIA_FILE_VERSION "0"
#endif

namespace zmk {

namespace {

TZMKAppConfig* g_config = nullptr;

const QString kInit = QStringLiteral("INIT/");

bool DirIsWritable(const QString& dir) {
    QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

// Reads the file's "application" key: the name of the tree the file describes.
QString TreeNameOf(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object().value(QStringLiteral("application")).toString();
}

}  // namespace

TAppLocations TAppLocations::ForExecutable(const QString& exePath, const QString& baseName) {
    TAppLocations loc;
    QFileInfo exe(exePath);
    loc.exeDir = exe.absolutePath();
    loc.exeName = exe.fileName();
    if (DirIsWritable(loc.exeDir) &&
        QFile::exists(loc.exeDir + u'/' + baseName + QStringLiteral(".INI")))
        loc.dataDir = loc.exeDir;
    else
        loc.dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return loc;
}

TZMKAppConfig* AppConfig() {
    return g_config;
}
void SetAppConfig(TZMKAppConfig* config) {
    g_config = config;
}

TZMKAppConfig::TZMKAppConfig(TAppLocations locations, TAppStartupSettings settings)
    : loc_(std::move(locations)), set_(std::move(settings)) {
    QDir().mkpath(loc_.dataDir);
    if (set_.title.isEmpty()) set_.title = ZMKApp().AppName();
    if (set_.defaultDataDir.isEmpty()) set_.defaultDataDir = loc_.exeDir;
    PublicaAjustesBD();
    Parametres().AddParam(QStringLiteral("ZMKAppMain"), qlonglong(quintptr(&ZMKApp())), false);
}

TZMKAppConfig::~TZMKAppConfig() {
    try {
        SaveResources();
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    }
    Parametres().SetParametreValue(QStringLiteral("ZMKAppMain"), 0);
    UnregisterDatosEmpresa();
    if (Empresas() == empresas_.get()) SetEmpresas(nullptr);
    ZMKApp().ClearApp();
    if (g_config == this) g_config = nullptr;
}

void TZMKAppConfig::PublicaAjustesBD() const {
    TAjustesBD& s = AjustesBD();
    if (!set_.dbAppName.isEmpty()) s.nombreAplicacionBD = set_.dbAppName;
    if (set_.dbVersion > 0) s.versionBD = set_.dbVersion;
    s.directorioVacias = set_.emptyDbDir;
    if (!set_.genericMasterName.isEmpty()) s.nombreGenericoMaster = set_.genericMasterName;
    if (!set_.newDbMask.isEmpty()) s.mascaraNuevaBD = set_.newDbMask;
    s.directorioDatos = set_.defaultDataDir;
    // Work copies change: they go with the other changing files.
    s.directorioTemporal = loc_.dataDir + QStringLiteral("/Temp");
    s.directorioEjecutable = loc_.exeDir;
    s.nombreMaster = set_.masterNaming;
}

QString TZMKAppConfig::AppFile() const {
    return loc_.dataDir + u'/' + set_.baseName;
}

QString TZMKAppConfig::ZMKFileName() const {
    return loc_.exeDir + u'/' + set_.baseName + QStringLiteral(".ZMK");
}

QString TZMKAppConfig::BackupResourceFile() const {
    return QFileInfo(AppFile()).absolutePath() + u'/' + set_.baseName + QStringLiteral("_Seg.MDR");
}

QString TZMKAppConfig::LanguageFile(const QString& language) const {
    return LangDir() + u'/' + QFileInfo(loc_.exeName).completeBaseName() + u'_' + language +
           QStringLiteral(".lang");
}

QString TZMKAppConfig::ChangesFile() const {
    return LangDir() + u'/' + QFileInfo(loc_.exeName).completeBaseName() +
           QStringLiteral(".lang_changes");
}

QString TZMKAppConfig::MasterDatabaseFileName(int version) const {
    if (set_.masterNaming) return set_.masterNaming(version);
    return set_.emptyDbDir + u'/' + set_.genericMasterName + QString::number(version) +
           QStringLiteral(".MMDB");
}

QSettings& TZMKAppConfig::IniFile() {
    if (!ini_) {
        if (set_.baseName.isEmpty())
            throw EZMKError(
                QStringLiteral("IniFile not available, not initialized ZMKApplication"));
        ini_ = std::make_unique<QSettings>(IniFileName(), QSettings::IniFormat);
    }
    return *ini_;
}

std::unique_ptr<QSettings> TZMKAppConfig::Registry() const {
    return ApplicationKey(set_.baseName, loc_.registryFile);
}

void TZMKAppConfig::Configure(TZMKMenuForm* mainWindow,
                              const std::function<void()>& applyWindowMode,
                              const std::function<void(TProcedureZMK&)>& registerLibrary,
                              const std::function<void(const QString&)>& openDatabase) {
    ZMKApp().ClearApp();
    ZMKApp().SetAppName(set_.title);
    InitTranslation();
    main_window_ = mainWindow;
    IniFile().sync();
    DataBases();
    if (applyWindowMode) applyWindowMode();
    {
        TSplashLevel splash(SharedString(1592), QStringLiteral("..."));
        Splash().SetText(SharedString(1593), 5);
        LoadAppDefinition();
        // The framework package and the virtual tree belong to the Delphi host; the steps stay
        // so that the progress reads as the users know it.
        Splash().SetText(SharedString(1594), 10);
        Splash().SetText(SharedString(1595), 30);
        Splash().SetText(SharedString(1596), 60);
        if (registerLibrary) registerLibrary(ZMKApp().Procedures());
        Splash().SetText(SharedString(1597), 80);
        try {
            LoadResources();
        } catch (const EZMKError& e) {
            // A damaged file must not stop the program; the defaults stay.
            MuestraError(e.Message());
        }
        Splash().SetText(SharedString(1598), 90);
        QString section;
        if (IniFile().value(kInit + QStringLiteral("ArchivoIniImportado"), false).toBool())
            section = IniFile().value(kInit + QStringLiteral("EmpresaPorDefecto")).toString();
        try {
            if (openDatabase) openDatabase(section);
        } catch (const EZMKError& e) {
            MuestraError(e.Message());
        }
        WriteRegistryFacts();
    }
}

TEmpresasBD& TZMKAppConfig::DataBases() {
    if (!empresas_) {
        empresas_ = std::make_unique<TEmpresasBD>(IniFile(), loc_.exeDir);
        TEmpresasHooks& hooks = empresas_->Hooks();
        hooks.conecta = [this](std::unique_ptr<TDataBaseZMK> db) {
            SetOpenEntry(empresas_->OpenEntry().nombre, empresas_->ReadOnly());
            Connect(WorkingConnection(std::move(db), ReadOnly()));
        };
        hooks.desconecta = [this] {
            Disconnect();
            CierraSesionBaseDatos();
        };
        InstallUserHooks(hooks);
        hooks.registro = [this](const QString& aplicacion) {
            return ApplicationKey(aplicacion, loc_.registryFile);
        };
        hooks.archivoRecursos = ResourceFile();
        hooks.recargaRecursos = [this] { LoadResources(); };
        // The earlier installation whose databases may be imported.
        empresas_->AplicacionesAnteriores() = {QStringLiteral("ZMKEscolia21")};
        SetEmpresas(empresas_.get());
    }
    return *empresas_;
}

std::unique_ptr<TDataBaseZMK> WorkingConnection(std::unique_ptr<TDataBaseZMK> db, bool readOnly) {
    if (!readOnly || !db || db->ReadOnly()) return db;
    const QString file = db->FileName();
    db.reset();
    return TDataBaseZMK::OpenReadOnly(file);
}

bool TZMKAppConfig::IsConnected() const {
    return ZMKApp().GetDefaultDB() != nullptr;
}

void TZMKAppConfig::Connect(std::unique_ptr<TDataBaseZMK> db) {
    Disconnect();
    if (main_window_) main_window_->BeforeConnectDB();
    ZMKApp().SetDefaultDB(std::move(db));
    ParametrosApp().NotifyReload();
    if (main_window_) main_window_->AfterConnectDB();
}

void TZMKAppConfig::Disconnect() {
    if (!IsConnected()) return;
    if (main_window_) main_window_->BeforeDisconnectDB();
    ZMKApp().SetDefaultDB(nullptr);
    SetOpenEntry(QString(), false);
    if (main_window_) main_window_->AfterDisconnectDB();
}

QString TZMKAppConfig::IdentityError() const {
    if (tree_name_.isEmpty() || set_.expectedTreeName.isEmpty()) return QString();
    if (tree_name_.compare(set_.expectedTreeName, Qt::CaseInsensitive) == 0) return QString();
    return SharedStringFmt(1611, {set_.expectedTreeName, tree_name_});
}

void TZMKAppConfig::LoadAppDefinition() {
    QByteArray json;
    QString origin = ZMKFileName();
    QFile file(origin);
    if (file.open(QIODevice::ReadOnly)) {
        json = file.readAll();
        zmk_date_ = QFileInfo(file).lastModified();
    } else {
        QFile builtIn(QStringLiteral(":/zmk/escolia.zmk"));
        if (!builtIn.open(QIODevice::ReadOnly)) {
            definition_ = TAppDefinition();
            tree_name_.clear();
            return;
        }
        origin = builtIn.fileName();
        json = builtIn.readAll();
        zmk_date_ = QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
    }
    definition_ = zmk::LoadAppDefinition(json, origin);
    QJsonObject root = QJsonDocument::fromJson(json).object();
    zmk_save_counter_ = root.value(QStringLiteral("version")).toInt();
    zmk_generator_ = root.value(QStringLiteral("generator")).toString();
    tree_name_ = definition_.nodes.empty() ? QString() : TreeNameOf(json);
    ZMKApp().SetNodes(definition_.nodes);
    ZMKApp().SetAppFile(origin);
}

void TZMKAppConfig::LoadResources() {
    if (RecursosZMK().LoadFromFile(ResourceFile())) RecursosZMK().CargaParametres();
}

void TZMKAppConfig::SaveResources() {
    RecursosZMK().GuardaParametres();
    const QString mdr = ResourceFile();
    if (QFile::exists(mdr)) {
        const QString backup = BackupResourceFile();
        // A failed rename is silent: the new file is written anyway.
        if (!QFile::exists(backup) || QFile::remove(backup)) QFile::rename(mdr, backup);
    }
    RecursosZMK().SaveToFile(mdr);
}

void TZMKAppConfig::WriteRegistryFacts() const {
    auto reg = Registry();
    reg->setValue(QStringLiteral("ZMKFileDate"), zmk_date_);
    reg->setValue(QStringLiteral("ZMKFileSaveCounter"), zmk_save_counter_);
    reg->setValue(QStringLiteral("ZMKFileGeneratorID"), zmk_generator_);
    reg->setValue(QStringLiteral("ExeBuild"), FileVersion());
    reg->setValue(QStringLiteral("ExeFileName"), loc_.exeDir + u'/' + loc_.exeName);
    reg->setValue(QStringLiteral("ZMKFileName"), ZMKFileName());
}

namespace {

// Qt's own dialogs (print, preview, files) in the language of the program: the language file
// names its locale ("CC.Common.locale"); Spanish without one.
void InstallQtTranslation() {
    static QTranslator* installed = nullptr;
    if (!QCoreApplication::instance()) return;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    const QString locale =
        Translate().ValueDef(QStringLiteral("CC.Common.locale"), QStringLiteral("es"));
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + locale,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    installed = translator.release();
    QCoreApplication::installTranslator(installed);
}

}  // namespace

void TZMKAppConfig::InitTranslation() {
    try {
        language_ = Translate().Collecting()
                        ? QString()
                        : Registry()->value(QStringLiteral("language")).toString();
        if (!QDir().mkpath(LangDir())) return;
        const QString file = LanguageFile(language_);
        Translate().Init(!language_.isEmpty() && QFile::exists(file) ? file : QString());
        InstallQtTranslation();
        translation_ready_ = true;
    } catch (const EZMKError& e) {
        throw EZMKError(
            QStringLiteral("ERROR INITIALIZING LOCALIZATION\nERROR INICIALIZANDO IDIOMA\n\n") +
            e.Message());
    }
}

void TZMKAppConfig::SetLanguage(const QString& language) {
    Registry()->setValue(QStringLiteral("language"), language);
    language_ = language;
    if (!QDir().mkpath(LangDir())) return;
    Translate().SetCollecting(false);
    const QString file = LanguageFile(language);
    Translate().Init(!language.isEmpty() && QFile::exists(file) ? file : QString());
    InstallQtTranslation();
    translation_ready_ = true;
}

QStringList TZMKAppConfig::AvailableLanguages() const {
    const QString prefix = QFileInfo(loc_.exeName).completeBaseName() + u'_';
    QStringList languages;
    const QFileInfoList files =
        QDir(LangDir()).entryInfoList({QStringLiteral("*.lang")}, QDir::Files, QDir::Name);
    for (const QFileInfo& f : files) {
        const QString base = f.completeBaseName();
        if (!base.startsWith(prefix)) continue;
        const QString rest = base.mid(prefix.size());
        if (!rest.isEmpty()) languages << rest;
    }
    return languages;
}

void TZMKAppConfig::TranslateForm(QWidget* form, const QString& section) {
    if (!translation_ready_) InitTranslation();
    TranslateWidget(form, section.isEmpty()
                              ? QStringLiteral("Application_") +
                                    QString::fromLatin1(form->metaObject()->className())
                              : section);
}

QString TZMKAppConfig::HelpQuery(bool haveMdi, bool mdi) const {
    QString query;
    if (haveMdi) query += mdi ? QStringLiteral("&MDI=1") : QStringLiteral("&MDI=0");
    query += QStringLiteral("&BUILD=") + FileVersion();
    QString lang;
    for (QChar c : language_)
        if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
            c == u'_')
            lang += c;
    query += QStringLiteral("&LANG=") + lang;
    query += QStringLiteral("&ZMKFILEDATE=") + zmk_date_.toString(QStringLiteral("yyyyMMdd"));
    query += QStringLiteral("&ZMKFILESAVECOUNTER=") + QString::number(zmk_save_counter_);
    return query;
}

QString TZMKAppConfig::FileVersion() {
    return QStringLiteral(ESCOLIA_FILE_VERSION);
}

}  // namespace zmk
