#pragma once
// escolia-cli's backup commands: create, list, verify and restore backup archives of an
// installation (its INI file names the company list, the resource file and the data directory).

namespace zmk::cli {

void RegisterBackupCommands();

}  // namespace zmk::cli
