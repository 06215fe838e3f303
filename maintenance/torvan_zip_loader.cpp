#include "maintenance/torvan_zip_loader.h"

#include "host/errors.h"
#include "maintenance/archive_stream.h"
#include "maintenance/torvan_zip_lister.h"
#include "maintenance/torvan_zip_saver.h"

namespace zmk {

void TTorvan_Zip_Loader::AddVolume(QIODevice& in) {
    if (!NeedsMoreVolumes()) throw EZMKError(QStringLiteral("No more streams"));
    if (in.size() < in.pos() + TTorvan_Zip_Saver::kHeaderSize + 1)
        throw EZMKError(QStringLiteral("Stream Size is invalid"));
    const QByteArray headerBytes = in.read(TTorvan_Zip_Saver::kHeaderSize);
    if (headerBytes.size() != TTorvan_Zip_Saver::kHeaderSize)
        throw EZMKError(QStringLiteral("Stream Size is invalid"));
    TArchiveReader header(headerBytes);
    const qint32 number = header.Int32();
    const qint32 id = header.Int32();
    const qint32 offset = header.Int32();
    const qint32 total = header.Int32();
    if (number != expected_)
        throw EZMKError(QStringLiteral("Actual Stream (") + QString::number(number) +
                        QStringLiteral(") differs from Stream I need: ") +
                        QString::number(expected_));
    if (started_ && id != archive_id_) throw EZMKError(QStringLiteral("Streams are diferents"));
    if (offset != image_.size()) throw EZMKError(QStringLiteral("Position differs in streams"));
    if (started_ && total != total_) throw EZMKError(QStringLiteral("Size differs in streams"));
    if (total < 1) throw EZMKError(QStringLiteral("Stream Size is invalid"));
    // Only what the volume really holds is read, however large the total it declares.
    const qint64 wanted = qint64(total) - image_.size();
    const QByteArray slice = in.read(std::min(wanted, in.size() - in.pos()));
    if (slice.isEmpty()) throw EZMKError(QStringLiteral("Stream Size is invalid"));
    if (!started_) {
        archive_id_ = id;
        total_ = total;
        started_ = true;
    }
    image_.append(slice);
    ++expected_;
}

std::unique_ptr<TTorvan_Zip_Lister> TTorvan_Zip_Loader::Finish() {
    if (!started_) throw EZMKError(QStringLiteral("No Stream"));
    if (image_.size() < total_) throw EZMKError(QStringLiteral("Need more Streams"));
    auto lister = std::make_unique<TTorvan_Zip_Lister>();
    lister->SetGroups(groups_);
    const QByteArray image = std::move(image_);
    image_ = QByteArray();
    started_ = false;
    expected_ = 0;
    lister->LoadFromImage(image);
    return lister;
}

}  // namespace zmk
