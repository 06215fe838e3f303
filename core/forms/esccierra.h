#pragma once
// Esc closes a dialog through a shortcut of its own: the progress window's Esc watcher takes
// every Esc key press of the program before a dialog sees it, but not the shortcuts.
#include <QDialog>

namespace zmk {

void CierraConEsc(QDialog& dialog);

}  // namespace zmk
