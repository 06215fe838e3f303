#pragma once
// Writing an archive as volumes: a 16-byte header (volume number, archive id, offset of the slice
// in the image, total image size) and a slice of the image, as many volumes as the medium needs.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

namespace zmk {

class TTorvan_Zip_Lister;

// Volume k of an archive saved as fileName in dir: fileName, then fileName + k.
QString VolumeFileName(const QString& dir, const QString& fileName, int volume);

class TTorvan_Zip_Saver {
  public:
    static constexpr int kHeaderSize = 16;
    static constexpr qint64 kMinVolumeSize = 4096;

    // Encodes the lister at once and draws the archive id.
    explicit TTorvan_Zip_Saver(TTorvan_Zip_Lister& lister);

    // 0 (no limit) or 4096 ... 2147483647.
    void SetMaxVolumeSize(qint64 size);
    qint64 MaxVolumeSize() const { return max_volume_size_; }
    bool MoreToWrite() const { return position_ < image_.size(); }
    void WriteVolume(QIODevice& out);

    // Saves every volume into dir, each sized to the free space left there, asking before
    // overwriting and before each further volume; false when the user stopped it.
    bool SaveToDirectory(const QString& dir, const QString& fileName);

    // An upper bound for the volumes sized by SaveToDirectory (0: none, only the free space).
    void SetVolumeLimit(qint64 limit) { volume_limit_ = limit; }

    qint32 ArchiveId() const { return archive_id_; }
    void SetArchiveId(qint32 id) { archive_id_ = id; }
    const QByteArray& Image() const { return image_; }
    int NextVolume() const { return volume_; }
    // Free bytes of a directory, or -1 when unknown; QStorageInfo unless set (tests).
    void SetFreeSpaceQuery(std::function<qint64(const QString& dir)> query) {
        free_space_ = std::move(query);
    }

  private:
    void WriteVolumeFile(const QString& dir, const QString& path);
    QByteArray image_;
    qint32 archive_id_ = 0;
    qint64 max_volume_size_ = 0;
    qint64 volume_limit_ = 0;
    qint64 position_ = 0;
    int volume_ = 0;
    std::function<qint64(const QString& dir)> free_space_;
};

}  // namespace zmk
