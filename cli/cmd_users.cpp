#include "cli/cmd_users.h"

#include "cli/cmd_users_app.h"
#include "cli/commands.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/transactionguard.h"
#include "maintenance/passwordsdatabase.h"
#include "maintenance/userrights.h"
#include "maintenance/usersession.h"
#include "schema/schema.h"

namespace zmk::cli {

namespace {

const QString kUso = QStringLiteral(
    "users list | users add NOMBRE [--password CONTRASEÑA] [--full-name TEXTO] [--admin] "
    "[--write] [--rights TABLA=VAMD,...] | users edit NOMBRE [las mismas opciones] "
    "[--read-only] | users delete NOMBRE | users require on|off | users reset-password NOMBRE "
    "[--password CONTRASEÑA]");

struct UserOptions {
    std::optional<QString> password;
    std::optional<QString> fullName;
    std::optional<int> properties;
    QString rights;
};

UserOptions ParseUserOptions(QStringList args) {
    UserOptions o;
    int props = 0;
    bool propsGiven = false;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        auto value = [&]() {
            if (args.isEmpty()) throw UsageError{arg + QStringLiteral(" necesita un valor")};
            return args.takeFirst();
        };
        if (arg == QLatin1String("--password")) {
            o.password = value();
        } else if (arg == QLatin1String("--full-name")) {
            o.fullName = value();
        } else if (arg == QLatin1String("--admin")) {
            props |= kUserAdministrador, propsGiven = true;
        } else if (arg == QLatin1String("--write")) {
            props |= kUserEscritura, propsGiven = true;
        } else if (arg == QLatin1String("--read-only")) {
            propsGiven = true;
        } else if (arg == QLatin1String("--rights")) {
            o.rights = value();
        } else {
            throw UsageError{QStringLiteral("Opción desconocida: %1").arg(arg)};
        }
    }
    if (propsGiven) o.properties = props;
    return o;
}

// "T01Alumnos=VAMD,T15FacturasCab=V": the letters of the rights granted (Ver, Añadir,
// Modificar, Borrar); the tables not named keep what they had.
void ApplyRights(TTablesUserRights& rights, const QString& text) {
    for (const QString& entry : text.split(u',', Qt::SkipEmptyParts)) {
        const int eq = entry.indexOf(u'=');
        if (eq <= 0) throw UsageError{QStringLiteral("Se esperaba TABLA=VAMD: %1").arg(entry)};
        const QString table = entry.left(eq).trimmed();
        const schema::Table* known = schema::FindTable(table);
        if (!known) throw EZMKError(QStringLiteral("No existe la tabla %1").arg(table));
        const QString letters = entry.mid(eq + 1).trimmed().toUpper();
        for (QChar c : letters)
            if (!QStringLiteral("VAMD").contains(c))
                throw UsageError{QStringLiteral("Permiso desconocido '%1' en %2: use V, A, M y D")
                                     .arg(c)
                                     .arg(entry)};
        TTableUserRights& r = rights.Get(known->name);
        r.SetValue(0);
        r.Set(TTableUserRights::Ver, letters.contains(u'V'));
        r.Set(TTableUserRights::Anadir, letters.contains(u'A'));
        r.Set(TTableUserRights::Modificar, letters.contains(u'M'));
        r.Set(TTableUserRights::Borrar, letters.contains(u'D'));
    }
}

QString RightsLetters(const TTableUserRights& r) {
    QString letters;
    if (r.Has(TTableUserRights::Ver)) letters += u'V';
    if (r.Has(TTableUserRights::Anadir)) letters += u'A';
    if (r.Has(TTableUserRights::Modificar)) letters += u'M';
    if (r.Has(TTableUserRights::Borrar)) letters += u'D';
    return letters;
}

// The users are managed by an administrator, or by anyone while no login is required.
void RequireManager() {
    if (!PuedeGestionarUsuarios())
        throw EZMKError(QStringLiteral(
            "Solamente un administrador de la base de datos puede gestionar los usuarios.\n"
            "Entre con un usuario administrador: --user NOMBRE --password CONTRASEÑA"));
}

int List(CliContext& ctx, TZMKPasswordsDataBase& store) {
    *ctx.out << "Requerir usuario: " << (store.NeedUserName() ? "Si" : "No") << "\n";
    for (const QString& name : store.UserNames()) {
        const TDBUserValues user = store.GetDBUser(name);
        QStringList rights;
        for (const TTableUserRights& r : user.tableRights.Items())
            rights << r.table + u'=' + RightsLetters(r);
        *ctx.out << user.userName << "\t" << user.fullName << "\t" << store.Kind(user) << "\t"
                 << rights.join(u',') << "\n";
    }
    return kExitOk;
}

int AddOrEdit(CliContext& ctx, TZMKPasswordsDataBase& store, bool add) {
    const QString name = ctx.args.value(1);
    const UserOptions o = ParseUserOptions(ctx.args.mid(2));
    TDBUserValues user;
    if (add) {
        user.userName = name;
        user.fullName = name;
    } else {
        user = store.GetDBUser(name);
        if (user.IsEmpty()) throw EZMKError(QStringLiteral("No puede modificar el usuario"));
    }
    if (o.password) user.password = *o.password;
    if (o.fullName) user.fullName = *o.fullName;
    if (o.properties) user.properties = *o.properties;
    TCustomZMKPasswords::CheckValid(user.userName, o.password.value_or(QString()));
    ApplyRights(user.tableRights, o.rights);
    TTransactionGuard guard(DefaultDB());
    if (add)
        store.AddUser(user);
    else
        store.ModifyUser(user);
    if (add || !o.rights.isEmpty()) store.SetUserRights(user.userName, user.tableRights);
    guard.Commit();
    return kExitOk;
}

// Whoever can write the company file can reset a password: no login is asked.
int ResetPassword(CliContext& ctx) {
    if (ctx.dbPath.isEmpty())
        throw UsageError{QStringLiteral("Esta orden necesita una base de datos: --db ARCHIVO")};
    const QString name = ctx.args.value(1);
    const UserOptions o = ParseUserOptions(ctx.args.mid(2));
    if (!TDataBaseZMK::OpenReadOnly(ctx.dbPath)->TableExists(QStringLiteral("TZMKVersionInfo")))
        throw EZMKError(QStringLiteral("El archivo no es una base de datos de ZMK-Escolia:\n%1")
                            .arg(ctx.dbPath));
    auto db = TDataBaseZMK::Open(ctx.dbPath);
    TZMKPasswordsDataBase store(db.get());
    TUserValues user = store.GetUser(name);
    if (user.IsEmpty()) throw EZMKError(QStringLiteral("No puede modificar el usuario"));
    return ResetUserPassword(ctx, store, user, o.password);
}

int RunUsers(CliContext& ctx) {
    if (ctx.args.value(0) == QLatin1String("--app")) {
        ctx.args.removeFirst();
        return RunUsersApp(ctx);
    }
    const QString action = ctx.args.value(0);
    const bool named = action == QLatin1String("add") || action == QLatin1String("edit") ||
                       action == QLatin1String("delete") ||
                       action == QLatin1String("reset-password");
    if (action.isEmpty() || (named && ctx.args.size() < 2)) throw UsageError{kUso};
    if (action == QLatin1String("reset-password")) return ResetPassword(ctx);
    if (action == QLatin1String("require") &&
        (ctx.args.size() != 2 ||
         (ctx.args[1] != QLatin1String("on") && ctx.args[1] != QLatin1String("off"))))
        throw UsageError{QStringLiteral("users require on|off")};
    if (action == QLatin1String("delete") && ctx.args.size() != 2)
        throw UsageError{QStringLiteral("users delete NOMBRE")};
    if (!named && action != QLatin1String("list") && action != QLatin1String("require"))
        throw UsageError{kUso};
    OpenDefaultDatabase(ctx);
    TZMKPasswordsDataBase store;
    RequireManager();
    if (action == QLatin1String("list")) return List(ctx, store);
    if (action == QLatin1String("add")) return AddOrEdit(ctx, store, true);
    if (action == QLatin1String("edit")) return AddOrEdit(ctx, store, false);
    if (action == QLatin1String("delete")) {
        store.DeleteUser(ctx.args[1]);
        return kExitOk;
    }
    store.SetNeedUserName(ctx.args[1] == QLatin1String("on"));
    return kExitOk;
}

}  // namespace

void RegisterUsersCommands() {
    RegisterCommand(QStringLiteral("users"), kUso + QStringLiteral(" | ") + kUsoUsuariosAplicacion,
                    RunUsers);
}

}  // namespace zmk::cli
