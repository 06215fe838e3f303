#pragma once
// What a backup or a restore needs to know about the installation: its two destination groups,
// its company-database list and the header it writes.
#include <QString>
#include <functional>

#include "maintenance/grupsdest.h"

namespace zmk {

class TZMKDataBases;

inline constexpr int kGrupoPrograma = 1;  // the program's directory, where the resource file is
inline constexpr int kGrupoDatos = 2;     // the default data directory

struct TBackupInstallation {
    QString programDir;
    QString dataDir;
    QString resourceFile;       // the ".MDR"
    QString applicationText;    // the configuration's application identifier ("ZMK Escolia EXT")
    int applicationNumber = 0;  // the current database version
    QString title;              // the application title
    // The company-database list (nullptr when the installation keeps none).
    TZMKDataBases* databases = nullptr;
    // The next unused new-database file name in the data directory; NewDatabaseFileName() when
    // not set.
    std::function<QString()> newDatabaseFileName;

    // Groups 1 and 2; raises the group error when a directory is missing.
    TGrupsDest Groups() const;
    // Whether file lies in the data directory (or below it).
    bool InDataDir(const QString& file) const;
    QString NewDatabaseFile() const;
};

// Backup files: extension and the choosers' filters.
inline const QString kBackupExtension = QStringLiteral("TvZ");
inline const QString kBackupSaveFilter =
    QStringLiteral("Archivos Copia de Seguridad (*.TvZ);;Todos los archivos (*)");
inline const QString kBackupOpenFilter =
    QStringLiteral("Copias de seguridad (.TvZ) (*.TvZ);;Todos los archivos (*.*) (*)");

}  // namespace zmk
