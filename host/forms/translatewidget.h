#pragma once
// Translates a window's texts: every action, menu, label, button and group box with an object
// name reads section + "." + name, its built-in Spanish text being the default. The built-in
// text stays on the object, so that going back to the default language brings it back.
#include <QString>
#include <QWidget>

namespace zmk {

// Dialogs translate their caption too (section + ".Caption"); the main window builds its own.
enum class TCaptionTranslation { Keep, Translate };

void TranslateWidget(QWidget* form, const QString& section,
                     TCaptionTranslation caption = TCaptionTranslation::Keep);

}  // namespace zmk
