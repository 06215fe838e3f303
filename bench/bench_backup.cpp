// Speed of a backup: a company database of about 50 MB backed up (consistent snapshot, zlib at
// the default level, archive image, volume file) against compressing the same bytes with zlib at
// the same level in one call. The backup should reach at least 80 % of zlib's throughput.
#include <zlib.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

#include "core/empresas.h"
#include "host/database.h"
#include "maintenance/backup_create.h"
#include "maintenance/democompany.h"
#include "schema/schema.h"

namespace {

constexpr qint64 kTargetSize = 50LL * 1024 * 1024;

// The demo company, its students copied over and over until the file is about 50 MB.
void BuildCompany(const QString& path) {
    zmk::CrearEmpresaDemo(path, zmk::DemoOptions{300, 1});
    auto db = zmk::TDataBaseZMK::Open(path);
    const QString key = db->PrimaryKey(QStringLiteral("T01Alumnos"));
    QStringList columns = db->Columns(QStringLiteral("T01Alumnos"));
    columns.removeAll(key);
    const QString list = columns.join(u',');
    while (QFileInfo(path).size() < kTargetSize) {
        db->ExecuteSQL(QStringLiteral("INSERT INTO T01Alumnos (%1) SELECT %1 FROM T01Alumnos "
                                      "LIMIT 20000")
                           .arg(list));
        db->ExecuteSQL(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zmk::schema::InstallFieldTypeResolver();
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("DATADIR"));
    QDir().mkpath(data);
    const QString file = data + QStringLiteral("/ZMKEscoliaExtV4E1.MDB");
    BuildCompany(file);
    const qint64 size = QFileInfo(file).size();

    QSettings ini(dir.filePath(QStringLiteral("ZMK.INI")), QSettings::IniFormat);
    zmk::TZMKDataBases list(ini);
    zmk::TDataBaseEntry entry;
    entry.nombre = QStringLiteral("Grande");
    entry.archivo = file;
    list.Add(entry);
    zmk::TBackupInstallation inst;
    inst.programDir = dir.path();
    inst.dataDir = data;
    inst.resourceFile = dir.filePath(QStringLiteral("ZMK.MDR"));
    inst.applicationText = QStringLiteral("ZMK Escolia EXT");
    inst.databases = &list;
    zmk::TBackupRequest request;
    request.databases = {0};
    request.includeResources = false;

    QElapsedTimer timer;
    timer.start();
    zmk::RealizarCopia(inst, request, dir.filePath(QStringLiteral("copia.TvZ")));
    const double backupSeconds = timer.nsecsElapsed() / 1e9;

    QFile in(file);
    in.open(QIODevice::ReadOnly);
    const QByteArray bytes = in.readAll();
    uLongf out = compressBound(uLong(bytes.size()));
    QByteArray compressed(qsizetype(out), Qt::Uninitialized);
    timer.restart();
    compress2(reinterpret_cast<Bytef*>(compressed.data()), &out,
              reinterpret_cast<const Bytef*>(bytes.constData()), uLong(bytes.size()),
              Z_DEFAULT_COMPRESSION);
    const double zlibSeconds = timer.nsecsElapsed() / 1e9;

    const double mb = size / 1048576.0;
    std::printf("database %.1f MB, compressed to %.1f MB\n", mb, out / 1048576.0);
    std::printf("backup  %.3f s  %.1f MB/s\n", backupSeconds, mb / backupSeconds);
    std::printf("zlib    %.3f s  %.1f MB/s\n", zlibSeconds, mb / zlibSeconds);
    std::printf("backup at %.0f %% of zlib's throughput (target: 80 %%)\n",
                100.0 * zlibSeconds / backupSeconds);
    return 0;
}
