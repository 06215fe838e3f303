#pragma once
// The program-wide configuration: where the installation's files are, the INI file with the
// [INIT] keys, the per-user settings key, the language, the saved framework parameter block and
// resources (".MDR" with its "_Seg.MDR" backup), and the start-up sequence that loads them.
#include <QDateTime>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/empresas.h"
#include "host/forms/appdefinition.h"

namespace zmk {

class TZMKMenuForm;
class TDataBaseZMK;
class TProcedureZMK;

// Where the files go: what the program ships lives beside the executable; what changes (INI,
// ".MDR", DATADIR, Temp) lives in the user's data directory, unless the executable's directory
// is writable and already holds the INI file (a portable installation).
struct TAppLocations {
    QString exeDir;   // shipped files: language files, manual, masters, ".ZMK"
    QString dataDir;  // changing files
    QString exeName;  // file name of the executable, without directory
    // The settings store of the user's key; empty: the platform's native store.
    QString registryFile;

    static TAppLocations ForExecutable(const QString& exePath, const QString& baseName);
};

// The facts the main window hands over before Configure.
struct TAppStartupSettings {
    QString title;
    QString baseName;        // the application file's name without extension
    QString defaultDataDir;  // new company databases
    QString emptyDbDir;      // master copies
    QString genericMasterName;
    QString newDbMask;
    QString dbAppName;
    int dbVersion = 0;
    QString description;
    bool openSelectionAtStart = true;
    QStringList tables;        // "T01Alumnos=Alumnos", ...
    QString expectedTreeName;  // the application file must carry it
    std::function<QString(int version)> masterNaming;
};

class TZMKAppConfig {
  public:
    TZMKAppConfig(TAppLocations locations, TAppStartupSettings settings);
    // Saves the parameter block and resources into the ".MDR".
    ~TZMKAppConfig();
    TZMKAppConfig(const TZMKAppConfig&) = delete;
    TZMKAppConfig& operator=(const TZMKAppConfig&) = delete;

    const TAppLocations& Locations() const { return loc_; }
    const TAppStartupSettings& Settings() const { return set_; }

    // The application file path without extension, in the directory of changing files.
    QString AppFile() const;
    QString ZMKFileName() const;  // shipped beside the executable
    QString ResourceFile() const { return AppFile() + QStringLiteral(".MDR"); }
    QString BackupResourceFile() const;
    QString IniFileName() const { return AppFile() + QStringLiteral(".INI"); }
    QString LangDir() const { return loc_.exeDir + QStringLiteral("/lang"); }
    QString LanguageFile(const QString& language) const;
    QString ChangesFile() const;
    QString MasterDatabaseFileName(int version) const;

    // The INI file; raises "IniFile not available, not initialized ZMKApplication" before
    // Configure.
    QSettings& IniFile();
    // The user's key "Software/Torvanware/ZMK/ZMKAPP/" + application name.
    std::unique_ptr<QSettings> Registry() const;

    // Start-up: the window-mode step, the application file, the library, the resources, the
    // default database and the installation facts, behind the progress window. openDatabase
    // opens the company database named by [INIT] "EmpresaPorDefecto" (nothing when empty).
    void Configure(TZMKMenuForm* mainWindow, const std::function<void()>& applyWindowMode,
                   const std::function<void(TProcedureZMK&)>& registerLibrary,
                   const std::function<void(const QString& section)>& openDatabase);
    TZMKMenuForm* MainWindow() const { return main_window_; }
    void ForgetMainWindow() { main_window_ = nullptr; }

    // The company-database list over the INI file, wired to this object's connection.
    TEmpresasBD& DataBases();

    // The single company connection; the main window's four hooks run around each change.
    bool IsConnected() const;
    void Connect(std::unique_ptr<TDataBaseZMK> db);
    void Disconnect();
    // The open entry's display name and whether it was connected read-only.
    const QString& DatabaseName() const { return database_name_; }
    bool ReadOnly() const { return read_only_; }
    void SetOpenEntry(const QString& name, bool readOnly) {
        database_name_ = name;
        read_only_ = readOnly;
    }
    const TAppDefinition& Definition() const { return definition_; }
    // The name of the application file's tree (empty for an empty tree).
    const QString& TreeName() const { return tree_name_; }
    // Message 1611 when the tree belongs to another application; empty when it passes.
    QString IdentityError() const;

    void LoadAppDefinition();
    void LoadResources();
    void SaveResources();
    void WriteRegistryFacts() const;

    // Translation.
    void InitTranslation();
    bool TranslationReady() const { return translation_ready_; }
    QString Language() const { return language_; }
    void SetLanguage(const QString& language);
    QStringList AvailableLanguages() const;
    void TranslateForm(QWidget* form, const QString& section = QString());
    QString HelpQuery(bool haveMdi, bool mdi) const;

    static QString FileVersion();
    const QDateTime& ZMKFileDate() const { return zmk_date_; }
    int ZMKSaveCounter() const { return zmk_save_counter_; }

  private:
    // The company-file operations (versions, masters, new names) work with these settings.
    void PublicaAjustesBD() const;

    TAppLocations loc_;
    TAppStartupSettings set_;
    std::unique_ptr<QSettings> ini_;
    std::unique_ptr<TEmpresasBD> empresas_;
    TZMKMenuForm* main_window_ = nullptr;
    TAppDefinition definition_;
    QString tree_name_;
    QDateTime zmk_date_;
    int zmk_save_counter_ = 0;
    QString zmk_generator_;
    QString database_name_;
    bool read_only_ = false;
    QString language_;
    bool translation_ready_ = false;
};

// The connection the program works on for an opened company file: the same file again, for
// reading only, when the login said the user may only read (SQLite then refuses every write).
std::unique_ptr<TDataBaseZMK> WorkingConnection(std::unique_ptr<TDataBaseZMK> db, bool readOnly);

// The program-wide configuration object (nullptr before the main window creates it).
TZMKAppConfig* AppConfig();
void SetAppConfig(TZMKAppConfig* config);

}  // namespace zmk
