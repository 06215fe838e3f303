#pragma once
// What the screens need from the subsystems above the framework, which install it at start:
// the current centre (new records take it, screen queries use it as ":PRMIDCentroActual") and
// the texts of the chosen language. Without a hook there is no centre (0) and every text is
// its default.
#include <QString>
#include <functional>

namespace zmk {

void SetCurrentCentreHook(std::function<int()> hook);
void SetTranslationHook(std::function<QString(const QString& key, const QString& def)> hook);

int CurrentCentre();
QString TranslatedText(const QString& key, const QString& def);

}  // namespace zmk
