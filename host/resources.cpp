#include "host/resources.h"

#include <QDataStream>
#include <QFile>

#include "host/atomicfile.h"
#include "host/errors.h"
#include "host/parametres.h"

namespace zmk {

namespace {

const QByteArray kMagic = QByteArrayLiteral("ZMKMDR");
constexpr quint32 kVersion = 1;

[[noreturn]] void Damaged() {
    throw EZMKError(QStringLiteral("El archivo de recursos está dañado o no es de este programa"));
}

}  // namespace

void TRecursosZMK::Insert(int number, const QByteArray& data) {
    items_[number] = data;
}

std::optional<QByteArray> TRecursosZMK::Find(int number) const {
    auto it = items_.find(number);
    if (it == items_.end()) return std::nullopt;
    return it->second;
}

bool TRecursosZMK::Remove(int number) {
    return items_.erase(number) > 0;
}

QList<int> TRecursosZMK::Numbers() const {
    QList<int> numbers;
    for (const auto& [n, data] : items_) numbers << n;
    return numbers;
}

void TRecursosZMK::SaveToStream(QIODevice& device) const {
    QDataStream out(&device);
    out.setVersion(QDataStream::Qt_6_4);
    out.writeRawData(kMagic.constData(), int(kMagic.size()));
    out << kVersion << quint32(items_.size());
    for (const auto& [number, data] : items_)
        out << qint32(number) << quint16(qChecksum(data)) << qCompress(data);
    if (out.status() != QDataStream::Ok)
        throw EZMKError(QStringLiteral("No se pudo escribir el archivo de recursos"));
}

void TRecursosZMK::LoadFromStream(QIODevice& device) {
    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_6_4);
    QByteArray magic(kMagic.size(), '\0');
    if (in.readRawData(magic.data(), int(magic.size())) != magic.size() || magic != kMagic)
        Damaged();
    quint32 version = 0, count = 0;
    in >> version >> count;
    if (in.status() != QDataStream::Ok) Damaged();
    if (version > kVersion)
        throw EZMKError(
            QStringLiteral("El archivo de recursos es de una versión más reciente del programa"));
    std::map<int, QByteArray> loaded;
    for (quint32 i = 0; i < count; ++i) {
        qint32 number = 0;
        quint16 crc = 0;
        QByteArray packed;
        in >> number >> crc >> packed;
        if (in.status() != QDataStream::Ok) Damaged();
        QByteArray data = qUncompress(packed);
        // A damaged block uncompresses to nothing, which the checksum then refuses.
        if (quint16(qChecksum(data)) != crc) Damaged();
        loaded[number] = std::move(data);
    }
    if (!in.atEnd()) Damaged();
    items_ = std::move(loaded);
}

bool TRecursosZMK::LoadFromFile(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        items_.clear();
        return false;
    }
    if (!file.open(QIODevice::ReadOnly))
        throw EZMKError(
            QStringLiteral("No se puede abrir el archivo de recursos \"%1\"").arg(path));
    try {
        LoadFromStream(file);
    } catch (const EZMKError& e) {
        throw EZMKError(e.Message() + QStringLiteral(": \"") + path + QLatin1Char('"'));
    }
    return true;
}

void TRecursosZMK::SaveToFile(const QString& path) const {
    // The parameter block holds stored passwords (the SMS account's): only the user may read the
    // file. A replaced file hands its permissions on, so the old one is narrowed first.
    const QFileDevice::Permissions soloUsuario = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (QFile::exists(path)) QFile::setPermissions(path, soloUsuario);
    WriteFileAtomically(path, [this](QIODevice& file) { SaveToStream(file); });
    QFile::setPermissions(path, soloUsuario);
}

void TRecursosZMK::GuardaParametres() {
    Insert(kParametres, Parametres().SaveToBytes());
}

bool TRecursosZMK::CargaParametres() {
    auto bytes = Find(kParametres);
    if (!bytes) return false;
    Parametres().LoadFromBytes(*bytes);
    return true;
}

TRecursosZMK& RecursosZMK() {
    static TRecursosZMK store;
    return store;
}

}  // namespace zmk
