#pragma once
// The resource store: numbered blobs (the saved parameter block, user reports, views) kept in
// the ".MDR" file beside the application file.
//
// File format (ours): the magic "ZMKMDR", a format version, the count, then for each resource its
// number, a CRC-16 of its contents and the contents compressed with zlib (QDataStream, Qt 6.4).
#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <map>
#include <optional>

namespace zmk {

class TRecursosZMK {
  public:
    // The framework parameter block (TParametres::SaveToBytes).
    static constexpr int kParametres = 100001;

    // Adds a resource or replaces the one with that number.
    void Insert(int number, const QByteArray& data);
    std::optional<QByteArray> Find(int number) const;
    bool Remove(int number);
    QList<int> Numbers() const;
    int Count() const { return int(items_.size()); }
    void Clear() { items_.clear(); }

    // Replaces the contents with the stream's; a damaged or foreign stream raises and leaves the
    // store as it was.
    void LoadFromStream(QIODevice& device);
    void SaveToStream(QIODevice& device) const;
    // A missing file gives an empty store (first run) and returns false. Saving replaces the file
    // only once the new one is complete.
    bool LoadFromFile(const QString& path);
    void SaveToFile(const QString& path) const;

    // The program-wide parameter block into resource 100001, and back (nothing when absent).
    void GuardaParametres();
    bool CargaParametres();

  private:
    std::map<int, QByteArray> items_;
};

// The program's resources.
TRecursosZMK& RecursosZMK();

}  // namespace zmk
