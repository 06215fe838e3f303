#include "cli/cmd_db.h"

#include "cli/commands.h"
#include "host/app.h"
#include "host/database.h"
#include "maintenance/democompany.h"
#include "schema/schema.h"

namespace zmk::cli {

namespace {

int RunDb(CliContext& ctx) {
    if (ctx.args.size() != 2 || ctx.args[0] != QLatin1String("create"))
        throw UsageError{QStringLiteral("db necesita: create ARCHIVO")};
    schema::CreateCompanyDatabase(ctx.args[1]);
    *ctx.out << ctx.args[1] << "\n";
    return kExitOk;
}

int RunDemo(CliContext& ctx) {
    QString path;
    DemoOptions options;
    QStringList args = ctx.args;
    while (!args.isEmpty()) {
        QString arg = args.takeFirst();
        if (arg == QLatin1String("--students") || arg == QLatin1String("--seed")) {
            if (args.isEmpty()) throw UsageError{arg + QStringLiteral(" necesita un valor")};
            bool ok = false;
            QString value = args.takeFirst();
            if (arg == QLatin1String("--students")) {
                options.students = value.toInt(&ok);
                if (!ok || options.students < 1)
                    throw UsageError{QStringLiteral("--students necesita un número mayor que 0")};
            } else {
                options.seed = value.toUInt(&ok);
                if (!ok) throw UsageError{QStringLiteral("--seed necesita un número sin signo")};
            }
        } else if (path.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            path = arg;
        } else {
            throw UsageError{QStringLiteral("Argumento no válido para demo: %1").arg(arg)};
        }
    }
    if (path.isEmpty()) throw UsageError{QStringLiteral("demo necesita el nombre del archivo")};
    CrearEmpresaDemo(path, options);
    *ctx.out << ResumenEmpresa(*TDataBaseZMK::Open(path));
    return kExitOk;
}

int RunSummary(CliContext& ctx) {
    if (!ctx.args.isEmpty()) throw UsageError{QStringLiteral("summary no lleva argumentos")};
    OpenDefaultDatabase(ctx);
    *ctx.out << ResumenEmpresa(DefaultDB());
    return kExitOk;
}

}  // namespace

void RegisterDbCommands() {
    RegisterCommand(QStringLiteral("db"),
                    QStringLiteral("db create ARCHIVO                     crea una base de datos "
                                   "de empresa vacía de la versión actual"),
                    RunDb);
    RegisterCommand(QStringLiteral("demo"),
                    QStringLiteral("demo ARCHIVO [--students N] [--seed S]  crea ARCHIVO con una "
                                   "empresa de demostración (300 alumnos, semilla 1)"),
                    RunDemo);
    RegisterCommand(QStringLiteral("summary"),
                    QStringLiteral("summary                               resumen de la base de "
                                   "datos (--db)"),
                    RunSummary);
}

}  // namespace zmk::cli
