#pragma once
// Reading an archive's volumes back into its image, checking each volume against the first, and
// turning the complete image into a lister.
#include <QByteArray>
#include <QIODevice>
#include <memory>

#include "maintenance/grupsdest.h"

namespace zmk {

class TTorvan_Zip_Lister;

class TTorvan_Zip_Loader {
  public:
    // The groups given to the lister produced.
    void SetGroups(const TGrupsDest& groups) { groups_.Assign(groups); }
    // Reads one volume from the device's position. A refused volume leaves what was gathered,
    // so the caller may offer it again.
    void AddVolume(QIODevice& in);
    bool NeedsMoreVolumes() const { return !started_ || image_.size() < total_; }
    int ExpectedVolume() const { return expected_; }
    // The lister of the complete image (the image is then released).
    std::unique_ptr<TTorvan_Zip_Lister> Finish();

  private:
    TGrupsDest groups_;
    QByteArray image_;
    bool started_ = false;  // volume 0 accepted
    int expected_ = 0;
    qint32 archive_id_ = 0;
    qint32 total_ = 0;
};

}  // namespace zmk
