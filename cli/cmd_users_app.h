#pragma once
#include <QString>
#include <optional>

#include "cli/commands.h"
#include "maintenance/passwords.h"

namespace zmk::cli {

// users --app: the application's users in the program's own settings store (or --settings
// FILE), the ones its start-up login asks for. ctx.args are those after "--app".
int RunUsersApp(CliContext& ctx);
extern const QString kUsoUsuariosAplicacion;

// A new password of twelve letters and digits, for a reset without one.
QString RandomPassword();

// A reset: the user gets the password given, or a random one that is printed.
int ResetUserPassword(CliContext& ctx, TCustomZMKPasswords& store, TUserValues user,
                      const std::optional<QString>& password);

}  // namespace zmk::cli
