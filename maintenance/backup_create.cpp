#include "maintenance/backup_create.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include "core/empresas.h"
#include "core/strings.h"
#include "host/datetime.h"
#include "maintenance/backup_snapshot.h"
#include "maintenance/torvan_zip_lister.h"
#include "maintenance/torvan_zip_saver.h"

namespace zmk {

namespace {

constexpr int kDefaultLevel = 2;

}  // namespace

QString DefaultBackupDescription(const QString& title) {
    return QStringLiteral("Copia de \"") + title + QStringLiteral("\" - ") +
           Ahora().toString(QStringLiteral("dd/MM/yy hh:mm"));
}

TBackupResult RealizarCopia(const TBackupInstallation& installation, const TBackupRequest& request,
                            const QString& archivePath) {
    TTorvan_Zip_Lister lister;
    lister.SetGroups(installation.Groups());
    lister.SetDescription(request.description);
    lister.SetApplicationText(installation.applicationText);
    lister.SetApplicationNumber(installation.applicationNumber);
    lister.SetCreationDate(Ahora());
    lister.SetProgress(request.progress);
    TBackupResult result;
    if (request.includeResources && QFileInfo::exists(installation.resourceFile) &&
        lister.AddFile(installation.resourceFile, QStringLiteral("ARCHIVO DE RECURSOS"),
                       kGrupoPrograma, kDefaultLevel, QString()))
        result.files << installation.resourceFile;
    if (!request.databases.isEmpty() && !installation.databases)
        throw EZMKError(QStringLiteral("No hay ninguna lista de bases de datos"));
    QTemporaryDir snapshots;
    for (int index : request.databases) {
        const TDataBaseEntry entry = installation.databases->Entry(index);
        const int group = installation.InDataDir(entry.archivo) ? kGrupoDatos : 0;
        QString snapshot;
        if (QFileInfo::exists(entry.archivo)) {
            snapshot = snapshots.filePath(QString::number(index));
            SnapshotDatabase(entry.archivo, snapshot);
        }
        if (lister.AddFile(entry.archivo, entry.nombre, group, kDefaultLevel, QString(), snapshot))
            result.files << entry.archivo;
    }
    if (lister.Count() == 0) throw EZMKError(SharedString(1801));
    if (request.saving) request.saving();
    TTorvan_Zip_Saver saver(lister);
    saver.SetVolumeLimit(request.maxVolumeSize);
    const QFileInfo target(archivePath);
    result.complete = saver.SaveToDirectory(target.absolutePath(), target.fileName());
    result.volumes = saver.NextVolume();
    return result;
}

}  // namespace zmk
