#include "maintenance/backup_installation.h"

#include <QDir>
#include <QFileInfo>

#include "core/versiones.h"

namespace zmk {

TGrupsDest TBackupInstallation::Groups() const {
    TGrupsDest groups;
    groups.Add(kGrupoPrograma, programDir);
    groups.Add(kGrupoDatos, dataDir);
    return groups;
}

bool TBackupInstallation::InDataDir(const QString& file) const {
    if (dataDir.isEmpty()) return false;
    const QString dir = QDir::cleanPath(QFileInfo(dataDir).absoluteFilePath()) + u'/';
    return QDir::cleanPath(QFileInfo(file).absoluteFilePath()).startsWith(dir);
}

QString TBackupInstallation::NewDatabaseFile() const {
    return newDatabaseFileName ? newDatabaseFileName() : NewDatabaseFileName();
}

}  // namespace zmk
