#include "cli/cmd_empresas.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

#include "cli/commands.h"
#include "core/empresas.h"
#include "core/masters.h"
#include "core/versiones.h"

namespace zmk::cli {

namespace {

// Takes "--name VALUE" out of args; def when absent.
QString TakeOption(QStringList& args, const QString& name, const QString& def = QString()) {
    const qsizetype i = args.indexOf(name);
    if (i < 0) return def;
    if (i + 1 >= args.size()) throw UsageError{name + QStringLiteral(" necesita un valor")};
    QString value = args[i + 1];
    args.remove(i, 2);
    return value;
}

// Masters beside the executable unless --masters says otherwise; work copies in the system's
// temporary folder.
void ConfiguraDirectorios(QStringList& args) {
    TAjustesBD& s = AjustesBD();
    s.directorioVacias =
        TakeOption(args, QStringLiteral("--masters"),
                   QCoreApplication::applicationDirPath() + QStringLiteral("/MastersMDB"));
    s.directorioTemporal = QDir::tempPath() + QStringLiteral("/escolia-Temp-") +
                           QString::number(QCoreApplication::applicationPid());
}

int RunCompany(CliContext& ctx) {
    QStringList args = ctx.args;
    const QString ini = TakeOption(args, QStringLiteral("--ini"));
    if (ini.isEmpty() || args.isEmpty())
        throw UsageError{QStringLiteral("company necesita: list|add|remove --ini ARCHIVO")};
    QSettings settings(ini, QSettings::IniFormat);
    TZMKDataBases list(settings);
    const QString action = args.takeFirst();
    if (action == QLatin1String("list") && args.isEmpty()) {
        for (int i = 0; i < list.Count(); ++i) {
            const TDataBaseEntry e = list.Entry(i);
            *ctx.out << i << '\t' << list.SectionName(i) << '\t' << e.nombre << '\t' << e.version
                     << '\t' << e.archivo << '\n';
        }
        return kExitOk;
    }
    if (action == QLatin1String("add") && args.size() == 2) {
        TDataBaseEntry e;
        e.nombre = args[0];
        e.archivo = QDir::current().absoluteFilePath(args[1]);
        *ctx.out << list.SectionName(list.Add(e)) << '\n';
        return kExitOk;
    }
    if (action == QLatin1String("remove") && args.size() == 1) {
        bool ok = false;
        const int index = args[0].toInt(&ok);
        if (!ok || index < 0 || index >= list.Count())
            throw UsageError{QStringLiteral("Índice no válido: %1").arg(args[0])};
        list.Delete(index);
        return kExitOk;
    }
    throw UsageError{QStringLiteral("company necesita: list | add NOMBRE ARCHIVO | remove INDICE")};
}

int RunDbFile(CliContext& ctx) {
    QStringList args = ctx.args;
    ConfiguraDirectorios(args);
    if (args.size() == 2 && args[0] == QLatin1String("version")) {
        const TVersionInfo info = LeeVersion(args[1], false);
        *ctx.out << info.nombreAplicacion << '\t' << info.numeroVersion << '\t'
                 << info.masterFileName << '\n';
        return kExitOk;
    }
    if (args.size() == 3 && args[0] == QLatin1String("upgrade")) {
        AseguraMasters();
        const int run = TraspasaDatos(args[1], args[2]);
        LimpiaImportacion(args[2]);
        QDir(AjustesBD().directorioTemporal).removeRecursively();
        *ctx.out << run << '\n';
        return kExitOk;
    }
    throw UsageError{QStringLiteral(
        "dbfile necesita: version ARCHIVO | upgrade ORIGEN DESTINO [--masters DIR]")};
}

int RunMasters(CliContext& ctx) {
    if (ctx.args.size() != 1) throw UsageError{QStringLiteral("masters necesita: DIRECTORIO")};
    for (const QString& f : CreaMasters(ctx.args[0])) *ctx.out << f << '\n';
    return kExitOk;
}

}  // namespace

void RegisterEmpresasCommands() {
    RegisterCommand(QStringLiteral("company"),
                    QStringLiteral("company list|add NOMBRE ARCHIVO|remove INDICE --ini ARCHIVO  "
                                   "lista de bases de datos de empresa de un archivo INI"),
                    RunCompany);
    RegisterCommand(QStringLiteral("dbfile"),
                    QStringLiteral("dbfile version ARCHIVO | upgrade ORIGEN DESTINO [--masters DIR]"
                                   "  versión de un archivo; traspaso a la versión actual"),
                    RunDbFile);
    RegisterCommand(QStringLiteral("masters"),
                    QStringLiteral("masters DIRECTORIO                    crea las bases de datos "
                                   "vacías (.MMDB) de cada versión"),
                    RunMasters);
}

}  // namespace zmk::cli
