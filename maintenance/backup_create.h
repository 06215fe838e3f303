#pragma once
// Making a backup: the resource file and the chosen company databases, each as a consistent
// snapshot, into an archive saved as volumes sized to the target's free space.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "maintenance/backup_installation.h"

namespace zmk {

struct TBackupRequest {
    QString description;   // the archive's description
    QList<int> databases;  // entries of the company list, in order
    bool includeResources = true;
    qint64 maxVolumeSize = 0;  // upper bound of each volume; 0: the free space decides
    // Told each file as it is compressed (path, size, bytes done).
    std::function<void(const QString& file, qint64 total, qint64 position)> progress;
    // Told when the archive is being written.
    std::function<void()> saving;
};

struct TBackupResult {
    bool complete = false;  // false: the user stopped the save
    QStringList files;      // the paths added, in order
    int volumes = 0;
};

// "Copia de " + title in double quotes + " - " + now as "dd/mm/yy hh:nn".
QString DefaultBackupDescription(const QString& title);

// Raises "No se ha encontrado ningún archivo para realizar la copia" when nothing was added.
TBackupResult RealizarCopia(const TBackupInstallation& installation, const TBackupRequest& request,
                            const QString& archivePath);

}  // namespace zmk
