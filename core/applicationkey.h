#pragma once
// The installation's key in the user's settings store, "Software/Torvanware/ZMK/ZMKAPP/" + the
// application's name: the installation facts, the language, the update check's dates and the
// application's users. The program and escolia-cli open it the same way, so both see the same
// values.
#include <QSettings>
#include <memory>

namespace zmk {

// The program's name under that key (the application file's base name).
QString EscoliaApplicationName();

// The key of application in the platform's native store (on Linux a file under
// $XDG_CONFIG_HOME/Torvanware/ZMK/ZMKAPP/), or, when iniFile is given, the same key path inside
// that INI file (a portable installation, tests).
std::unique_ptr<QSettings> ApplicationKey(const QString& application,
                                          const QString& iniFile = QString());

}  // namespace zmk
