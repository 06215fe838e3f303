// escolia-cli: the program's procedures, hooks and data events without the screens.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/commands.h"
#include "core/splash.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/library.h"
#include "host/prompt.h"
#include "schema/schema.h"

using namespace zmk;
using namespace zmk::cli;

namespace {

void PrintUsage(QTextStream& err) {
    err << "Uso: escolia-cli [--db ARCHIVO] [--centre ID] [--answer R]... "
           "[--now \"AAAA-MM-DD[ HH:MM:SS]\"] [--verbose] ORDEN ...\n";
    for (QString usage : CommandUsages())
        err << "  " << usage.replace(QLatin1Char('\n'), QLatin1String("\n  ")) << "\n";
}

// Rendering reports needs fonts and page painting, which only a GUI application has; every other
// command keeps the lighter core application (and needs no display at all).
bool NeedsGuiApplication(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--db") == 0 || std::strcmp(arg, "--centre") == 0 ||
            std::strcmp(arg, "--answer") == 0 || std::strcmp(arg, "--now") == 0) {
            ++i;
            continue;
        }
        if (std::strncmp(arg, "--", 2) == 0) continue;
        return std::strcmp(arg, "report") == 0;
    }
    return false;
}

std::unique_ptr<QCoreApplication> CreateApplication(int& argc, char** argv) {
    if (!NeedsGuiApplication(argc, argv)) return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> application = CreateApplication(argc, argv);
    QCoreApplication& app = *application;
    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);

    RegisterAllCommands();
    CliContext ctx{QString(), std::nullopt, {}, &out, &err, &in};
    QStringList answers;
    bool verbose = false;
    QStringList args = app.arguments().mid(1);
    QString command;
    try {
        while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
            QString option = args.takeFirst();
            auto value = [&]() {
                if (args.isEmpty()) throw UsageError{option + QStringLiteral(" necesita un valor")};
                return args.takeFirst();
            };
            if (option == QLatin1String("--db")) {
                ctx.dbPath = value();
            } else if (option == QLatin1String("--centre")) {
                bool ok = false;
                ctx.centre = value().toInt(&ok);
                if (!ok) throw UsageError{QStringLiteral("--centre necesita un número")};
            } else if (option == QLatin1String("--answer")) {
                answers << value();
            } else if (option == QLatin1String("--now")) {
                QVariant now = ParseCliValue(value());
                if (now.metaType().id() != QMetaType::QDateTime)
                    throw UsageError{QStringLiteral("--now necesita \"AAAA-MM-DD[ HH:MM:SS]\"")};
                FijarAhora(now.toDateTime());
            } else if (option == QLatin1String("--verbose")) {
                verbose = true;
            } else if (option == QLatin1String("--help")) {
                PrintUsage(out);
                return kExitOk;
            } else {
                throw UsageError{QStringLiteral("Opción desconocida: %1").arg(option)};
            }
        }
        if (args.isEmpty()) throw UsageError{QStringLiteral("Falta la orden")};
        command = args.takeFirst();
        ctx.args = args;
    } catch (const UsageError& e) {
        err << e.text << "\n";
        PrintUsage(err);
        return kExitUsage;
    }

    auto prompt = std::make_unique<TScriptedPrompt>(answers);
    prompt->SetEcho(true);
    SetPromptService(std::move(prompt));
    SetApplicationTitle(QStringLiteral("ZMK-Escolia v16"));
    auto splash = std::make_unique<TSplash>();
    splash->SetVerbose(verbose);
    SetSplash(std::move(splash));
    schema::InstallFieldTypeResolver();
    RegisterDefaultProgramStrings();
    RegisterAllProcedureBodies();
    REGISTER_LIBRARY(ZMKApp().Procedures());

    int status = kExitFailed;
    try {
        status = RunCommand(command, ctx);
    } catch (const UsageError& e) {
        err << e.text << "\n";
        PrintUsage(err);
        status = kExitUsage;
    } catch (const EAbort&) {
        status = kExitAborted;
    } catch (const EZMKError& e) {
        err << "ERROR " << e.Message() << "\n";
        status = kExitFailed;
    } catch (const std::exception& e) {
        err << "ERROR " << QString::fromUtf8(e.what()) << "\n";
        status = kExitFailed;
    }
    out.flush();
    err.flush();
    ZMKApp().SetDefaultDB(nullptr);
    return status;
}
