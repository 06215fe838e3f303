#pragma once
// escolia-cli's company-file commands: "db create", "demo" and "summary".

namespace zmk::cli {

void RegisterDbCommands();

}  // namespace zmk::cli
