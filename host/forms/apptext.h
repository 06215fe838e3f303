#pragma once
// The application file's texts in the chosen language: every caption, column title, label and
// button of a screen and every menu entry is looked up under [Application.Texts] by its Spanish
// text, which stays when the language lacks it.
#include <QString>

#include "host/forms/appdefinition.h"

namespace zmk {

QString AppText(const QString& text);

// The definition with its texts translated (its SQL, fields and procedures as they are).
TScreenDef TranslatedScreen(const TScreenDef& def);

}  // namespace zmk
