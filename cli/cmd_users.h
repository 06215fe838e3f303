#pragma once
namespace zmk::cli {
// users: the company database's users, passwords and table rights.
void RegisterUsersCommands();
}  // namespace zmk::cli
