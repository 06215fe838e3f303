#include "cli/cmd_update.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "cli/commands.h"
#include "core/applicationkey.h"
#include "host/errors.h"
#include "maintenance/updateexe.h"

namespace zmk::cli {

namespace {

const QString kUso = QStringLiteral(
    "update check [--force] [--manual] [--ini INI] [--settings FILE]   asks the update service; "
    "prints the log lines and the files that need an update");
int RunUpdate(CliContext& ctx) {
    QStringList args = ctx.args;
    if (args.value(0) != QLatin1String("check")) throw UsageError{kUso};
    args.removeFirst();
    bool force = false, manual = false;
    QString ini = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                  QStringLiteral("/Torvanware/zmk-escolia/") + EscoliaApplicationName() +
                  QStringLiteral(".INI");
    QString settings;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        auto value = [&]() {
            if (args.isEmpty()) throw UsageError{arg + QStringLiteral(" necesita un valor")};
            return args.takeFirst();
        };
        if (arg == QLatin1String("--force"))
            force = true;
        else if (arg == QLatin1String("--manual"))
            manual = true;
        else if (arg == QLatin1String("--ini"))
            ini = value();
        else if (arg == QLatin1String("--settings"))
            settings = value();
        else
            throw UsageError{QStringLiteral("Opción desconocida: %1").arg(arg)};
    }
    TUpdateInstallation inst;
    inst.titulo = QStringLiteral("ZMK-Escolia v16");
    inst.programDir = QFileInfo(ini).absolutePath();
    inst.exeBuild = QStringLiteral(ESCOLIA_FILE_VERSION);
    QSettings iniFile(ini, QSettings::IniFormat);
    ReadUpdateSettings(iniFile, inst);
    inst.registro = [settings] { return ApplicationKey(EscoliaApplicationName(), settings); };
    TZMKUpdate update(inst);
    QString error;
    int files = 0;
    try {
        // Nothing is forgotten for a check that cannot run.
        update.RequireService();
        if (force) update.ClearRegistryData();
        files = update.Check(manual ? QStringLiteral("INFO_MANUAL") : QStringLiteral("INFO_AUTO"));
    } catch (const EZMKError& e) {
        error = e.Message();
    }
    for (const QString& line : update.LogLines()) *ctx.out << "LOG " << line << "\n";
    if (error.isEmpty()) error = update.LastError();
    if (!error.isEmpty()) throw EZMKError(error);
    for (const TUpdateFile& f : update.NeededFiles())
        *ctx.out << f.fileName << "\t" << f.destFileName << "\t" << f.bytes << "\t" << f.descripcion
                 << "\n";
    if (files == 0) *ctx.out << UpdateText(QStringLiteral("version_ok")) << "\n";
    return kExitOk;
}

}  // namespace

void RegisterUpdateCommands() {
    RegisterCommand(QStringLiteral("update"), kUso, RunUpdate);
}

}  // namespace zmk::cli
