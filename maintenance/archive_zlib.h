#pragma once
// zlib streams of the backup archive entries (zlib format: header and Adler-32 trailer).
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

namespace zmk {

// Compression levels of the archive (0 none, 1 fastest, 2 zlib's default, 3 best) as zlib levels.
int ZlibLevel(int level);

// Compresses everything the device yields; progress is told the bytes read so far.
QByteArray DeflateDevice(QIODevice& in, int zlibLevel,
                         const std::function<void(qint64 position)>& progress);

// Inflates an entry's data, which must give exactly size bytes, into out (nullptr: only checks),
// in blocks of 4096 bytes. Damaged data raises ETorvan_Zip naming the entry; the output never
// grows past size, whatever the data claims.
void InflateData(const QByteArray& data, qint64 size, QIODevice* out, const QString& name,
                 const std::function<void(qint64 position)>& progress);

}  // namespace zmk
