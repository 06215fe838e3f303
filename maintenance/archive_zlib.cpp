#include "maintenance/archive_zlib.h"

#include <zlib.h>

#include <array>
#include <memory>

#include "maintenance/archive_stream.h"

namespace zmk {

namespace {

constexpr qint64 kReadBlock = 1 << 20;
constexpr int kInflateBlock = 4096;

ETorvan_Zip DamagedEntry(const QString& name, const QString& reason) {
    return ETorvan_Zip(QStringLiteral("Error al descomprimir el archivo ") + name +
                       QStringLiteral(":\n") + reason);
}

}  // namespace

int ZlibLevel(int level) {
    switch (level) {
        case 0:
            return Z_NO_COMPRESSION;
        case 1:
            return Z_BEST_SPEED;
        case 3:
            return Z_BEST_COMPRESSION;
        default:
            return Z_DEFAULT_COMPRESSION;
    }
}

QByteArray DeflateDevice(QIODevice& in, int zlibLevel,
                         const std::function<void(qint64 position)>& progress) {
    // Stored blocks follow the pieces of input and output, so without compression the content is
    // compressed in zlib's one call; with compression the pieces do not matter (the stream is
    // finished on no input, as that call does), and either way an entry is byte for byte what
    // that call writes.
    if (zlibLevel == Z_NO_COMPRESSION) {
        QByteArray content = in.readAll();
        if (!in.atEnd()) throw ETorvan_Zip(in.errorString());
        uLongf size = compressBound(uLong(content.size()));
        QByteArray out(qsizetype(size), Qt::Uninitialized);
        if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                      reinterpret_cast<const Bytef*>(content.constData()), uLong(content.size()),
                      Z_NO_COMPRESSION) != Z_OK)
            throw ETorvan_Zip(QStringLiteral("compress2"));
        out.resize(qsizetype(size));
        if (progress) progress(content.size());
        return out;
    }
    z_stream z{};
    if (deflateInit(&z, zlibLevel) != Z_OK) throw ETorvan_Zip(QStringLiteral("deflateInit"));
    const std::unique_ptr<z_stream, int (*)(z_stream*)> guard(&z, deflateEnd);
    QByteArray input;
    QByteArray out;
    std::array<char, 1 << 16> buffer;
    qint64 position = 0;
    int flush = Z_NO_FLUSH;
    do {
        input = in.read(kReadBlock);
        if (input.isEmpty() && !in.atEnd()) throw ETorvan_Zip(in.errorString());
        position += input.size();
        flush = input.isEmpty() ? Z_FINISH : Z_NO_FLUSH;
        z.next_in = reinterpret_cast<Bytef*>(input.data());
        z.avail_in = uInt(input.size());
        do {
            z.next_out = reinterpret_cast<Bytef*>(buffer.data());
            z.avail_out = uInt(buffer.size());
            if (deflate(&z, flush) == Z_STREAM_ERROR) throw ETorvan_Zip(QStringLiteral("deflate"));
            out.append(buffer.data(), qsizetype(buffer.size() - z.avail_out));
        } while (z.avail_out == 0);
        if (progress && !input.isEmpty()) progress(position);
    } while (flush != Z_FINISH);
    return out;
}

void InflateData(const QByteArray& data, qint64 size, QIODevice* out, const QString& name,
                 const std::function<void(qint64 position)>& progress) {
    // An empty file may be stored without any stream at all.
    if (data.isEmpty() && size == 0) return;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw DamagedEntry(name, QStringLiteral("inflateInit"));
    const std::unique_ptr<z_stream, int (*)(z_stream*)> guard(&z, inflateEnd);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = uInt(data.size());
    std::array<char, kInflateBlock> buffer;
    qint64 produced = 0;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        z.next_out = reinterpret_cast<Bytef*>(buffer.data());
        z.avail_out = uInt(buffer.size());
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc == Z_NEED_DICT || rc == Z_DATA_ERROR || rc == Z_MEM_ERROR || rc == Z_STREAM_ERROR)
            throw DamagedEntry(name, QString::fromLatin1(z.msg ? z.msg : zError(rc)));
        const qint64 got = qint64(buffer.size() - z.avail_out);
        if (rc == Z_BUF_ERROR && got == 0)
            throw DamagedEntry(name, QStringLiteral("datos comprimidos incompletos"));
        if (produced + got > size)
            throw DamagedEntry(name, QStringLiteral("mayor que su tamaño original"));
        if (out && out->write(buffer.data(), got) != got) throw ETorvan_Zip(out->errorString());
        produced += got;
        if (progress) progress(produced);
    }
    if (produced != size) throw DamagedEntry(name, QStringLiteral("menor que su tamaño original"));
    if (z.avail_in != 0) throw DamagedEntry(name, QStringLiteral("datos sobrantes tras el final"));
}

}  // namespace zmk
