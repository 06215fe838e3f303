#include "cli/cmd_users_app.h"

#include <QRandomGenerator>
#include <optional>

#include "core/applicationkey.h"
#include "core/strings.h"
#include "host/errors.h"
#include "maintenance/passwordszmkapp.h"

namespace zmk::cli {

const QString kUsoUsuariosAplicacion = QStringLiteral(
    "users --app list | add NOMBRE [--password CONTRASEÑA] | edit NOMBRE --password CONTRASEÑA | "
    "delete NOMBRE | require on|off | reset-password NOMBRE [--password CONTRASEÑA]  "
    "[--settings ARCHIVO]");

namespace {

struct AppUserOptions {
    std::optional<QString> password;
    QString settings;  // the INI file standing in for the settings store; empty: the native one
};

AppUserOptions ParseOptions(QStringList args) {
    AppUserOptions o;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        auto value = [&]() {
            if (args.isEmpty()) throw UsageError{arg + QStringLiteral(" necesita un valor")};
            return args.takeFirst();
        };
        if (arg == QLatin1String("--password"))
            o.password = value();
        else if (arg == QLatin1String("--settings"))
            o.settings = value();
        else if (arg == QLatin1String("--admin") || arg == QLatin1String("--write") ||
                 arg == QLatin1String("--read-only") || arg == QLatin1String("--rights") ||
                 arg == QLatin1String("--full-name"))
            throw UsageError{QStringLiteral("Los usuarios de la aplicación solamente tienen nombre "
                                            "y contraseña: %1 es de los usuarios de una base de "
                                            "datos")
                                 .arg(arg)};
        else
            throw UsageError{QStringLiteral("Opción desconocida: %1").arg(arg)};
    }
    return o;
}

// While the application asks for a login, only its built-in administrator manages its users,
// logged in for the run.
void RequireAdministrator(TZMKPasswordsZMKApp& store) {
    if (!store.NeedUserName()) return;
    const CliLogin& login = RunLogin();
    if (!IsDefaultUser(login.user))
        throw EZMKError(QStringLiteral(
            "Solamente el administrador de la aplicación puede gestionar sus usuarios.\n"
            "Entre con él: --user admin --password CONTRASEÑA"));
    if (!store.Login(login.user, login.password)) throw EZMKError(SharedString(1850));
}

int List(CliContext& ctx, TZMKPasswordsZMKApp& store) {
    *ctx.out << "Requerir usuario: " << (store.NeedUserName() ? "Si" : "No") << "\n";
    for (const QString& name : store.UserNames()) *ctx.out << name << "\n";
    return kExitOk;
}

// Whoever can write the settings store can reset a password in it: no login is asked.
int ResetPassword(CliContext& ctx, TZMKPasswordsZMKApp& store, const QString& name,
                  const AppUserOptions& o) {
    return ResetUserPassword(ctx, store, store.GetUser(name), o.password);
}

}  // namespace

int ResetUserPassword(CliContext& ctx, TCustomZMKPasswords& store, TUserValues user,
                      const std::optional<QString>& password) {
    const QString nueva = password.value_or(RandomPassword());
    TCustomZMKPasswords::CheckValid(user.userName, nueva);
    user.password = nueva;
    store.ModifyUser(user);
    if (!password) *ctx.out << "Nueva contraseña de " << user.userName << ": " << nueva << "\n";
    return kExitOk;
}

QString RandomPassword() {
    static const QString alphabet =
        QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz23456789");
    QString password;
    for (int i = 0; i < 12; ++i)
        password += alphabet[QRandomGenerator::system()->bounded(int(alphabet.size()))];
    return password;
}

int RunUsersApp(CliContext& ctx) {
    const QString action = ctx.args.value(0);
    const bool named = action == QLatin1String("add") || action == QLatin1String("edit") ||
                       action == QLatin1String("delete") ||
                       action == QLatin1String("reset-password");
    const bool require = action == QLatin1String("require");
    if (!named && !require && action != QLatin1String("list"))
        throw UsageError{kUsoUsuariosAplicacion};
    const QString name = named || require ? ctx.args.value(1) : QString();
    if ((named || require) && (name.isEmpty() || name.startsWith(QLatin1String("--"))))
        throw UsageError{kUsoUsuariosAplicacion};
    if (require && name != QLatin1String("on") && name != QLatin1String("off"))
        throw UsageError{QStringLiteral("users --app require on|off")};
    const AppUserOptions o = ParseOptions(ctx.args.mid(named || require ? 2 : 1));
    if (action == QLatin1String("edit") && !o.password)
        throw UsageError{QStringLiteral("users --app edit NOMBRE --password CONTRASEÑA")};
    if ((action == QLatin1String("delete") || require || action == QLatin1String("list")) &&
        o.password)
        throw UsageError{kUsoUsuariosAplicacion};

    TZMKPasswordsZMKApp store(ApplicationKey(EscoliaApplicationName(), o.settings));
    if (action == QLatin1String("reset-password")) return ResetPassword(ctx, store, name, o);
    RequireAdministrator(store);
    if (action == QLatin1String("list")) return List(ctx, store);
    if (require) {
        store.SetNeedUserName(name == QLatin1String("on"));
        return kExitOk;
    }
    if (action == QLatin1String("delete")) {
        store.DeleteUser(name);
        return kExitOk;
    }
    const QString password = o.password.value_or(QString());
    TCustomZMKPasswords::CheckValid(name, password);
    if (action == QLatin1String("add")) {
        store.AddUser(TUserValues{name, password, name, 0});
        return kExitOk;
    }
    TUserValues user = store.GetUser(name);
    user.password = password;
    store.ModifyUser(user);
    return kExitOk;
}

}  // namespace zmk::cli
