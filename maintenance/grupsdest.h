#pragma once
// Destination groups of a backup: numbers that stand for directories, so that a file backed up
// from one installation's directory comes back to the matching directory of another.
#include <QString>
#include <vector>

namespace zmk {

struct TGrupDest {
    int grupo = 0;
    QString directorio;
};

class TGrupsDest {
  public:
    // Raises "El grupo debe ser superior a 0", "El grupo ya existe", or the missing-directory
    // error.
    void Add(int grupo, const QString& directorio);
    bool Defined(int grupo) const { return Find(grupo) != nullptr; }
    // The group's directory; empty when it is not defined.
    QString Directory(int grupo) const;
    const std::vector<TGrupDest>& Groups() const { return groups_; }
    void Clear() { groups_.clear(); }
    // Cleared, then every group of other added again.
    void Assign(const TGrupsDest& other);

  private:
    const TGrupDest* Find(int grupo) const;
    std::vector<TGrupDest> groups_;
};

}  // namespace zmk
