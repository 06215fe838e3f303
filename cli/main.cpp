// escolia-cli: the program's procedures, hooks and data events without the screens.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringDecoder>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/commands.h"
#include "core/splash.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/cancelled.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/library.h"
#include "host/prompt.h"
#include "schema/schema.h"
#include "subsystems/subsystems.h"

using namespace zmk;
using namespace zmk::cli;

namespace {

void PrintUsage(QTextStream& err) {
    err << "Uso: escolia-cli [--db ARCHIVO] [--centre ID] [--answer R]... "
           "[--now \"AAAA-MM-DD[ HH:MM:SS]\"] [--user NOMBRE --password CONTRASEÑA] [--verbose] "
           "ORDEN ...\n";
    for (QString usage : CommandUsages())
        err << "  " << usage.replace(QLatin1Char('\n'), QLatin1String("\n  ")) << "\n";
}

bool IsGlobalOption(const QString& arg) {
    for (const char* option :
         {"--db", "--centre", "--answer", "--now", "--verbose", "--help", "--user", "--password"})
        if (arg == QLatin1String(option)) return true;
    return false;
}

// After "users", --password is the user's ("users add NAME --password PW"); after "sms",
// --user and --password are the SMS account's. The run's login goes before those commands.
bool CommandOwnsOption(const QStringList& commandArgs, const QString& arg) {
    if (commandArgs.isEmpty()) return false;
    const QString& command = commandArgs.first();
    if (command == QLatin1String("users")) return arg == QLatin1String("--password");
    if (command == QLatin1String("sms"))
        return arg == QLatin1String("--password") || arg == QLatin1String("--user");
    return false;
}

// Rendering reports needs fonts and page painting, which only a GUI application has; every other
// command keeps the lighter core application (and needs no display at all).
bool NeedsGuiApplication(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--db") == 0 || std::strcmp(arg, "--centre") == 0 ||
            std::strcmp(arg, "--answer") == 0 || std::strcmp(arg, "--now") == 0 ||
            std::strcmp(arg, "--user") == 0 || std::strcmp(arg, "--password") == 0) {
            ++i;
            continue;
        }
        if (std::strncmp(arg, "--", 2) == 0) continue;
        return std::strcmp(arg, "report") == 0;
    }
    return false;
}

// Arguments reach the program as bytes; one that is not UTF-8 text would be stored garbled.
void RefuseNonUtf8Arguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(QByteArrayView(argv[i]));
        if (utf8.hasError())
            throw UsageError{
                QStringLiteral("El argumento %1 no es texto UTF-8 válido: escríbalo en UTF-8")
                    .arg(i)};
    }
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
    try {
        RefuseNonUtf8Arguments(argc, argv);
    } catch (const UsageError& e) {
        err << e.text << "\n";
        return kExitUsage;
    }

    RegisterAllCommands();
    CliContext ctx{QString(), std::nullopt, {}, &out, &err, &in};
    QStringList answers;
    bool verbose = false;
    QStringList args = app.arguments().mid(1);
    QStringList commandArgs;
    try {
        // The global options go before the command or anywhere after it.
        while (!args.isEmpty()) {
            if ((!IsGlobalOption(args.first()) || CommandOwnsOption(commandArgs, args.first())) &&
                (!commandArgs.isEmpty() || !args.first().startsWith(QLatin1String("--")))) {
                commandArgs << args.takeFirst();
                continue;
            }
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
            } else if (option == QLatin1String("--user")) {
                RunLogin().user = value();
            } else if (option == QLatin1String("--password")) {
                RunLogin().password = value();
            } else if (option == QLatin1String("--verbose")) {
                verbose = true;
            } else if (option == QLatin1String("--help")) {
                PrintUsage(out);
                return kExitOk;
            } else {
                throw UsageError{QStringLiteral("Opción desconocida: %1").arg(option)};
            }
        }
        if (commandArgs.isEmpty()) throw UsageError{QStringLiteral("Falta la orden")};
        ctx.args = commandArgs.mid(1);
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
        status = RunCommand(commandArgs.first(), ctx);
    } catch (const UsageError& e) {
        err << e.text << "\n";
        PrintUsage(err);
        status = kExitUsage;
    } catch (const EAbort&) {
        status = kExitAborted;
    } catch (const ECancelled& e) {
        err << "CANCELLED " << e.Message() << "\n";
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
