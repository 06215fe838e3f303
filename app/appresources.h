#pragma once
// The ".MDR" resource file: numbered blobs with a kind and a name; the saved framework
// parameter block is resource 100001.
#include <QByteArray>
#include <QMap>
#include <QString>

namespace zmk {

inline constexpr int kParametersResource = 100001;
inline constexpr int kParametersResourceKind = 9;

struct TResourceEntry {
    int kind = 0;
    QString name;
    QByteArray data;
};

class TResourceFile {
  public:
    // Replaces the entries with the file's; raises when the file is not a resource file.
    void Load(const QString& path);
    // Writes the entries numbered first..last (last -1: no upper bound).
    void Save(const QString& path, int first, int last) const;

    bool Contains(int number) const { return entries_.contains(number); }
    const TResourceEntry& Get(int number) const { return entries_.find(number).value(); }
    void Insert(int number, TResourceEntry entry) { entries_.insert(number, std::move(entry)); }
    int Count() const { return int(entries_.size()); }

  private:
    QMap<int, TResourceEntry> entries_;
};

}  // namespace zmk
