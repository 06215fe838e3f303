#pragma once
// The backup archive in memory: its header and its entries, each a file compressed with zlib,
// with the adding, extracting and the encoding to and from one byte image.
//
// Stored names use "\" between folders, as every installation of the program writes them; they
// become "/" when a file is extracted.
#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <functional>
#include <vector>

#include "maintenance/archive_stream.h"
#include "maintenance/grupsdest.h"

namespace zmk {

// One entry of the archive.
struct TArxiuComprimit {
    QString name;         // relative to its group's directory (or the base directory given)
    QString description;  // "(Sin descripción)" for entries of the old format
    qint32 time = 0;      // last write, packed DOS date/time
    qint32 size = 0;      // uncompressed bytes
    qint32 attributes = 0;
    QByteArray data;  // the zlib stream
    qint32 group = 0;
};

class TTorvan_Zip_Lister {
  public:
    using ProgressFn = std::function<void(const QString& file, qint64 total, qint64 position)>;
    using BeforeExtractFn =
        std::function<void(int index, const TArxiuComprimit& entry, QString& path)>;
    using QueryFn = std::function<void(const QString& path, bool& option)>;
    // Called with the inflated file under its temporary name before it takes its place; raising
    // refuses it and leaves the target as it was.
    using CheckExtractedFn =
        std::function<void(const TArxiuComprimit& entry, const QString& temporaryPath)>;
    using ExtractedFn = std::function<void(int index, const QString& path)>;

    TTorvan_Zip_Lister();

    // Returns false when the user chose to skip a file that cannot be read. contentPath, when
    // given, is read instead of path (a consistent copy of it); name, time and attributes are
    // always path's.
    bool AddFile(const QString& path, const QString& description, int group, int level,
                 const QString& baseDir, const QString& contentPath = QString());
    void AddEntry(const TArxiuComprimit& entry);
    void Delete(int index);
    void Clear();
    int Count() const { return int(entries_.size()); }
    TArxiuComprimit Entry(int index) const;
    QString Name(int index) const;
    qint32 Size(int index) const;
    qint32 CompressedSize(int index) const;

    // Extracts to the entry's group directory (or targetDir); false when skipped.
    bool Extract(int index, const QString& targetDir);
    bool ExtractTo(int index, const QString& path);
    // Inflates the entry without writing anything; raises when it is damaged.
    void Check(int index) const;

    void SaveToStream(QIODevice& out);
    QByteArray SaveToImage();
    void LoadFromStream(QIODevice& in);
    void LoadFromImage(const QByteArray& image);

    void SetGroups(const TGrupsDest& groups) { groups_.Assign(groups); }
    const TGrupsDest& Groups() const { return groups_; }

    bool Modified() const { return modified_; }
    const QDateTime& CreationDate() const { return creation_date_; }
    void SetCreationDate(const QDateTime& date);
    const QString& Description() const { return description_; }
    void SetDescription(const QString& text);
    const QString& ApplicationText() const { return application_text_; }
    void SetApplicationText(const QString& text);
    qint32 ApplicationNumber() const { return application_number_; }
    void SetApplicationNumber(qint32 number);

    bool CreateDirectories() const { return create_directories_; }
    void SetCreateDirectories(bool create) { create_directories_ = create; }
    bool OverwriteFiles() const { return overwrite_files_; }
    void SetOverwriteFiles(bool overwrite) { overwrite_files_ = overwrite; }

    void SetProgress(ProgressFn fn) { on_progress_ = std::move(fn); }
    void SetBeforeExtract(BeforeExtractFn fn) { on_before_extract_ = std::move(fn); }
    void SetCreateDirectoryQuery(QueryFn fn) { on_create_directory_ = std::move(fn); }
    void SetOverwriteQuery(QueryFn fn) { on_overwrite_ = std::move(fn); }
    void SetCheckExtracted(CheckExtractedFn fn) { on_check_extracted_ = std::move(fn); }
    void SetExtracted(ExtractedFn fn) { on_extracted_ = std::move(fn); }

  private:
    const TArxiuComprimit& At(int index) const;
    QString StoredName(const QString& path, int group, const QString& baseDir) const;
    void LoadNewFormat(TArchiveReader& reader);
    void LoadOldFormat(TArchiveReader& reader, qint32 count);
    bool ExtractEntry(int index, QString path);
    void Progress(const QString& file, qint64 total, qint64 position) const;

    std::vector<TArxiuComprimit> entries_;
    bool modified_ = false;
    QDateTime creation_date_;
    QString description_;
    QString application_text_;
    qint32 application_number_ = 0;
    TGrupsDest groups_;
    bool create_directories_ = true;
    bool overwrite_files_ = true;
    ProgressFn on_progress_;
    BeforeExtractFn on_before_extract_;
    QueryFn on_create_directory_;
    QueryFn on_overwrite_;
    CheckExtractedFn on_check_extracted_;
    ExtractedFn on_extracted_;
};

// A stored name as a path of this system ("\" becomes "/").
QString LocalPath(const QString& storedName);

}  // namespace zmk
