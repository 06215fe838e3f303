#include "maintenance/torvan_zip_saver.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStorageInfo>

#include "core/strings.h"
#include "host/prompt.h"
#include "maintenance/archive_stream.h"
#include "maintenance/torvan_zip_lister.h"

namespace zmk {

namespace {

constexpr qint64 kLowestFreeSpace = 10241;
constexpr qint64 kLargestVolume = 2147483647;

qint64 StorageFreeSpace(const QString& dir) {
    const QStorageInfo storage(dir);
    if (!storage.isValid() || !storage.isReady()) return -1;
    return storage.bytesAvailable();
}

}  // namespace

QString VolumeFileName(const QString& dir, const QString& fileName, int volume) {
    QString path = dir;
    if (!path.endsWith(u'/')) path += u'/';
    path += fileName;
    if (volume > 0) path += QString::number(volume);
    return path;
}

TTorvan_Zip_Saver::TTorvan_Zip_Saver(TTorvan_Zip_Lister& lister)
    : image_(lister.SaveToImage()),
      archive_id_(qint32(QRandomGenerator::global()->bounded(1000000000))),
      free_space_(StorageFreeSpace) {
    if (image_.size() > kLargestVolume)
        throw EZMKError(
            QStringLiteral("La copia de seguridad supera los 2 GB que admite su formato"));
}

void TTorvan_Zip_Saver::SetMaxVolumeSize(qint64 size) {
    if (size != 0 && (size < kMinVolumeSize || size > kLargestVolume))
        throw EZMKError(QString::number(size) + QStringLiteral(": MaxSteamSize=0 or between ") +
                        QString::number(kMinVolumeSize) + QStringLiteral(" and ") +
                        QString::number(kLargestVolume));
    max_volume_size_ = size;
}

void TTorvan_Zip_Saver::WriteVolume(QIODevice& out) {
    if (!MoreToWrite()) throw EZMKError(QStringLiteral("No more Stream to read"));
    qint64 slice = image_.size() - position_;
    if (max_volume_size_ > 0 && slice > max_volume_size_ - kHeaderSize)
        slice = max_volume_size_ - kHeaderSize;
    QByteArray volume;
    TArchiveWriter header(volume);
    header.Int32(volume_);
    header.Int32(archive_id_);
    header.Int32(qint32(position_));
    header.Int32(qint32(image_.size()));
    volume.append(image_.constData() + position_, slice);
    if (out.write(volume) != volume.size()) throw EZMKError(out.errorString());
    position_ += slice;
    ++volume_;
}

void TTorvan_Zip_Saver::WriteVolumeFile(const QString& dir, const QString& path) {
    const qint64 free = free_space_(dir);
    if (free < 0) throw EZMKError(SharedStringFmt(1653, {dir}));
    if (free < kLowestFreeSpace) throw EZMKError(SharedString(1654));
    // Beyond 2 GB free the largest volume the header can describe is used.
    qint64 size = std::min(free - 4096, kLargestVolume);
    if (volume_limit_ > 0) size = std::min(size, volume_limit_);
    SetMaxVolumeSize(size);
    // Written under a temporary name and renamed when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw EZMKError(path + u'\n' + file.errorString());
    WriteVolume(file);
    if (!file.commit()) throw EZMKError(path + u'\n' + file.errorString());
}

bool TTorvan_Zip_Saver::SaveToDirectory(const QString& dir, const QString& fileName) {
    while (MoreToWrite()) {
        const int volume = volume_;
        const qint64 start = position_;
        try {
            const QString path = VolumeFileName(dir, fileName, volume);
            if (QFile::exists(path)) {
                if (Pregunta(SharedStringFmt(103, {path}), {TMsgButton::Yes, TMsgButton::No},
                             TMsgIcon::Question, TMsgButton::No) != TMsgButton::Yes)
                    return false;
                if (!QFile::remove(path)) throw EZMKError(SharedStringFmt(104, {path}));
            }
            WriteVolumeFile(dir, path);
            if (MoreToWrite() &&
                Pregunta(SharedStringFmt(1655, {volume + 1}), {TMsgButton::Ok, TMsgButton::Cancel},
                         TMsgIcon::Information) != TMsgButton::Ok)
                return false;
        } catch (const EZMKError& error) {
            position_ = start;
            volume_ = volume;
            TQuestion question;
            question.caption = QStringLiteral("ERROR");
            question.text =
                SharedString(1656) + u'\n' + error.Message() + u'\n' + SharedString(105);
            question.buttons = {TMsgButton::Retry, TMsgButton::Cancel};
            question.icon = TMsgIcon::Error;
            if (Prompt().Ask(question) != TMsgButton::Retry) throw;
        }
    }
    return true;
}

}  // namespace zmk
