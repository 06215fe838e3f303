#pragma once
// escolia-cli's company-database commands: the INI list ("company"), the version and upgrade of
// a file ("dbfile") and the master files ("masters").

namespace zmk::cli {

void RegisterEmpresasCommands();

}  // namespace zmk::cli
