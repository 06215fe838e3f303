#pragma once
// TZMKUpdate: whether the maker's update service offers newer files for this installation. It
// builds the query from the installation's facts in the settings store, asks the service and
// decides file by file; every step goes to its log.
#include <QDateTime>
#include <QSettings>
#include <functional>
#include <memory>

#include "maintenance/zonausuarios_conexion.h"

namespace zmk {

// Where the installation is and how to reach the service (deployment settings of the INI file,
// section [ACTUALIZACIONES]: "Servicio", "Actualizador", "PaginaCuenta").
struct TUpdateInstallation {
    QString titulo;        // the application title, as the updater knows it
    QString servicio;      // the service's address; empty: not configured
    QString actualizador;  // the updater program; empty: looked for beside the program
    QString paginaCuenta;  // where the user gets the updater
    QString programDir;    // the program's directory (the updater, the log)
    QString exeBuild;      // the build of the running program
    // The application's key in the settings store, where the installation's facts are.
    std::function<std::unique_ptr<QSettings>()> registro;
    // The updater's own key ("Software/Torvanware/ZMK/ZMKAPP/ZMK-Update"); may be empty.
    std::function<std::unique_ptr<QSettings>()> registroActualizador;
};

// The deployment settings of the INI file's [ACTUALIZACIONES] section.
void ReadUpdateSettings(QSettings& ini, TUpdateInstallation& installation);

struct TUpdateFile {
    int idUpdateFile = 0;
    QString fileName, destFileName, url, action, dateTimeText, minBuild, maxBuild, descripcion;
    qint64 bytes = 0;
    QDateTime dateTime;  // invalid when year, month or day is 0
};

// Decoded "yyyymmddhhnnss"; invalid when year, month or day is 0 or the text is not a date.
QDateTime DecodeUpdateDateTime(const QString& text);

// Builds compared character by character, except that runs of digits compare as numbers:
// "5.2.10" comes after "5.2.9". A plain text comparison would put 5.2.10 before 5.2.9 and offer
// a file meant for 5.2.10 and later to 5.2.9.
int CompareBuilds(const QString& a, const QString& b);

class TZMKUpdate {
  public:
    explicit TZMKUpdate(TUpdateInstallation installation);
    virtual ~TZMKUpdate() = default;

    const TUpdateInstallation& Installation() const { return inst_; }
    TZonaUsuarios_Conexion& Conexion() { return conexion_; }

    // "ZMKUPDATEBUILD=...&QUERYTYPE=...&BUILD=...&ZMKFILEDATE=...&LANG=..." (+ "&ALLFILES=1");
    // empty when the installation's key is missing.
    QString QueryString(const QString& queryType);
    // Refuses, saying where to set it, when the installation names no update service.
    void RequireService() const;
    // Asks the service; returns how many files need an update (listed in NeededFiles). A
    // service error ends it with none and its text in LastError.
    int Check(const QString& queryType);
    const QList<TUpdateFile>& NeededFiles() const { return needed_; }
    const QString& LastError() const { return last_error_; }

    // Whether one file is needed at build, logging why.
    bool NeedsUpdate(const TUpdateFile& file, const QString& build);

    bool Forced() const { return forced_; }
    void SetForced(bool forced) { forced_ = forced; }
    // "Limpiando datos del registro": forgets the builds and dates of the last updates, and
    // switches to forced mode.
    void ClearRegistryData();

    const QStringList& LogLines() const { return log_; }
    void SetLogToFile(bool on) { log_to_file_ = on; }
    void Log(const QString& line);

  protected:
    TUpdateInstallation inst_;

  private:
    QString ApplicationBuild(QSettings& registry) const;
    TZonaUsuarios_Conexion conexion_;
    QList<TUpdateFile> needed_;
    QString last_error_;
    QStringList log_;
    bool forced_ = false;
    bool log_to_file_ = false;
};

}  // namespace zmk
