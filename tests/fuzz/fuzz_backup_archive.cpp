// libFuzzer target over the backup archive readers: the image loader (both formats) and the
// volume loader, with every entry inflated. Any input must end in the format's errors, never in a
// crash, a hang or an allocation driven by a forged size.
//
// Input: a first byte 0 (the rest is one image) or 1 (the rest is volumes, each preceded by its
// length in two bytes, little-endian).
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <cstddef>
#include <cstdint>

#include "host/errors.h"
#include "maintenance/torvan_zip_lister.h"
#include "maintenance/torvan_zip_loader.h"

namespace {

zmk::TGrupsDest Groups() {
    zmk::TGrupsDest groups;
    groups.Add(1, QDir::tempPath());
    groups.Add(2, QDir::tempPath());
    return groups;
}

void CheckEntries(const zmk::TTorvan_Zip_Lister& lister) {
    for (int i = 0; i < lister.Count(); ++i) {
        try {
            lister.Check(i);
        } catch (const zmk::EZMKError&) {
        }
    }
}

void LoadImage(const QByteArray& image) {
    zmk::TTorvan_Zip_Lister lister;
    lister.SetGroups(Groups());
    try {
        lister.LoadFromImage(image);
    } catch (const zmk::EZMKError&) {
    }
    CheckEntries(lister);
}

void LoadVolumes(const QByteArray& input) {
    zmk::TTorvan_Zip_Loader loader;
    loader.SetGroups(Groups());
    qsizetype pos = 0;
    try {
        while (pos + 2 <= input.size() && loader.NeedsMoreVolumes()) {
            const qsizetype length = quint8(input[pos]) | quint8(input[pos + 1]) << 8;
            QByteArray volume = input.mid(pos + 2, length);
            pos += 2 + length;
            QBuffer device(&volume);
            device.open(QIODevice::ReadOnly);
            try {
                loader.AddVolume(device);
            } catch (const zmk::EZMKError&) {
            }
        }
        CheckEntries(*loader.Finish());
    } catch (const zmk::EZMKError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    if (data[0] & 1)
        LoadVolumes(rest);
    else
        LoadImage(rest);
    return 0;
}
