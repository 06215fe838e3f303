#include "core/applicationkey.h"

namespace zmk {

QString EscoliaApplicationName() {
    return QStringLiteral("ZMKEscoliaV16EXT");
}

std::unique_ptr<QSettings> ApplicationKey(const QString& application, const QString& iniFile) {
    if (iniFile.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QStringLiteral("Torvanware"),
                                           QStringLiteral("ZMK/ZMKAPP/") + application);
    auto key = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
    key->beginGroup(QStringLiteral("Software/Torvanware/ZMK/ZMKAPP/") + application);
    return key;
}

}  // namespace zmk
