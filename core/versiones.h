#pragma once
// Versions of company database files and their upgrade. A file of an older version is never
// changed in place: a copy of the current empty master receives its data through the import
// queries stored in the masters, through a chain of intermediate masters when needed.
//
// SQLite has no stored queries: a master keeps its import queries in the table
// TZMKImportQueries (NombreConsulta, TextoSQL). While a file's queries run, the next older file
// of the chain is attached to it as the schema "Origen", which the query texts read from.
#include <QString>
#include <QStringList>
#include <functional>

namespace zmk {

// Where the masters and work copies are, and what this program's files are called.
struct TAjustesBD {
    QString nombreAplicacionBD;    // name in TZMKVersionInfo, "ZMK Escolia EXT"
    int versionBD = 0;             // version this program works with
    QString directorioVacias;      // empty-database (master) directory
    QString nombreGenericoMaster;  // "ZMKEscoExtV"
    QString mascaraNuevaBD;        // "ZMKEscoliaExtV"
    QString directorioDatos;       // new company databases (DATADIR)
    QString directorioTemporal;    // work copies of a transfer (Temp)
    QString directorioEjecutable;  // base of relative paths when the INI has no directory
    // Optional master naming rule; without it directorioVacias + "/" + generic name + version +
    // ".MMDB".
    std::function<QString(int version)> nombreMaster;
};

// The program-wide settings (filled by the configuration at start-up; defaults are this
// program's name and version).
TAjustesBD& AjustesBD();

struct TVersionInfo {
    QString nombreAplicacion;
    int numeroVersion = 0;
    QString masterFileName;  // base name, without extension; empty when unknown
};

inline const QString kTablaVersionInfo = QStringLiteral("TZMKVersionInfo");
inline const QString kTablaImportVersions = QStringLiteral("TZMKImportVersions");
inline const QString kTablaImportQueries = QStringLiteral("TZMKImportQueries");
inline const QString kEsquemaOrigen = QStringLiteral("Origen");

// Master file of a version; raises when the directory or the generic name is not set.
QString MasterDatabaseFileName(int version);
// The next free new-database file name in the default data directory ("…V4E<n>.MDB").
QString NewDatabaseFileName();

// Reads the version table. Interactive: a file without one may be imported by hand (program
// name asked, version 1); "No" or cancel abort silently.
TVersionInfo LeeVersion(const QString& file, bool interactive);
// The file's version; raises 1400 (another program), 1401 (newer), 1402 (older).
int CompruebaVersion(const QString& file, int expected, bool allowOlder, bool allowNewer);
// Creates dest from the current master with the data of source; returns the queries run.
int TraspasaDatos(const QString& source, const QString& dest);
// Removes the import queries, their work tables and TZMKImportVersions from a new database.
void LimpiaImportacion(const QString& file);

// Copies a database file (complete even when its log holds recent changes); false on failure
// or when the target exists and overwrite is false.
bool CopiaArchivoBD(const QString& from, const QString& to, bool overwrite);
// Removes a database file with its SQLite side files.
bool BorraArchivoBD(const QString& file);

}  // namespace zmk
