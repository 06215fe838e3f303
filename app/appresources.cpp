#include "app/appresources.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

#include "host/errors.h"

namespace zmk {

namespace {
const quint32 kMagic = 0x5A4D4452;  // "ZMDR"
const quint32 kFormat = 1;
}  // namespace

void TResourceFile::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZMKError(QStringLiteral("No se puede leer el archivo de recursos:\n") + path);
    QDataStream in(&file);
    quint32 magic = 0, format = 0;
    qint32 count = 0;
    in >> magic >> format >> count;
    if (magic != kMagic || format != kFormat || count < 0)
        throw EZMKError(QStringLiteral("El archivo de recursos no es válido:\n") + path);
    QMap<int, TResourceEntry> entries;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        qint32 number = 0, kind = 0;
        TResourceEntry entry;
        in >> number >> kind >> entry.name >> entry.data;
        entry.kind = kind;
        entries.insert(number, std::move(entry));
    }
    if (in.status() != QDataStream::Ok)
        throw EZMKError(QStringLiteral("El archivo de recursos no es válido:\n") + path);
    entries_ = std::move(entries);
}

void TResourceFile::Save(const QString& path, int first, int last) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EZMKError(QStringLiteral("No se puede escribir el archivo de recursos:\n") + path);
    QDataStream out(&file);
    QList<int> numbers;
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        if (it.key() >= first && (last < 0 || it.key() <= last)) numbers << it.key();
    out << kMagic << kFormat << qint32(numbers.size());
    for (int n : numbers) {
        const TResourceEntry& e = entries_.find(n).value();
        out << qint32(n) << qint32(e.kind) << e.name << e.data;
    }
    if (!file.commit())
        throw EZMKError(QStringLiteral("No se puede escribir el archivo de recursos:\n") + path);
}

}  // namespace zmk
