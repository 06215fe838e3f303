#pragma once
// TCCFRMConfMenuLevel0Ext: the main window's settings (title, picture, colours, window mode)
// with a live preview of the background.
#include <QSettings>
#include <QWidget>

namespace zmk {

// Shows the dialog; on OK writes the settings and the INI's [INIT] "RememberMDIOption".
// Returns the window mode wanted (true: several windows); Cancel returns the current one.
// The MDI options are enabled only when owner is a main window that allows MDI.
bool ShowAjustesFormularioPrincipal(QWidget* owner, QSettings& ini);

// The whole menu action: the dialog, then, when the wanted mode differs from the running one,
// shared text 1003 and [INIT] "MDI" = the wanted mode (it applies at the next start).
void ConfiguraFormularioPrincipal(QWidget* owner, QSettings& ini);

}  // namespace zmk
