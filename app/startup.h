#pragma once
// The program's start-up, from the configuration object to the main window ready to show,
// and the opening of the company database named in the INI file (the demo company on a first run).
#include <QString>
#include <QWidget>

#include "app/appconfig.h"

namespace zmk {

class TFRMMenu;

// The fixed start-up facts of this program, with paths from the given locations.
TAppStartupSettings EscoliaStartupSettings(const TAppLocations& locations);

// Migration of earlier settings, Configure, the application-file identity check, the menus and
// the translation of the window. False when the program must end (the identity check failed:
// its message has been shown).
// installScreens runs right after the procedure library is registered (the windowed program
// puts its dialogs in place of the prompt-service questions there).
bool ArrancaAplicacion(TZMKAppConfig& config, TFRMMenu& window,
                       const std::function<void()>& installScreens = {});

// The application password, when the application's users require a login: anything but a
// login raises EAbort, which ends the program.
void PideContrasenaAplicacion(TZMKAppConfig& config, QWidget* owner);

// Opens the database of the INI section (Configure's database step). A first run (no
// databases listed, nothing imported yet) creates the demo company in the data directory,
// lists it as "Academia Demo", opens it and makes its first centre current.
void AbreBaseDatosInicial(TZMKAppConfig& config, const QString& section);

}  // namespace zmk
