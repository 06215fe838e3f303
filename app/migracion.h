#pragma once
// Settings of an earlier version: when this version has no ".MDR" yet, the files of version
// "2.1" (or else "2.0") in the same directory become this version's.
#include <QString>

namespace zmk {

// appFile: this version's application file without extension. Returns the version taken
// ("2.1", "2.0") or empty; the caller has shown the information box when one was taken.
QString MigraConfiguracionAnterior(const QString& appFile);

}  // namespace zmk
