#pragma once
namespace zmk::cli {
// update check: asks the update service whether this installation needs newer files.
void RegisterUpdateCommands();
}  // namespace zmk::cli
