// escolia: the windowed program.
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/appconfig.h"
#include "app/mainwindow.h"
#include "app/menuactions.h"
#include "app/startup.h"
#include "billing/forms/install.h"
#include "classroom/forms/install.h"
#include "core/applicationkey.h"
#include "core/forms/fondo.h"
#include "core/forms/splash.h"
#include "core/splash.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/qtprompt.h"
#include "host/forms/wheelguard.h"
#include "host/prompt.h"
#include "messaging/forms/install.h"
#include "messaging/serviciosms.h"
#include "rules/coloreado.h"
#include "rules/forms/install.h"
#include "schema/schema.h"
#include "subsystems/subsystems.h"

using namespace zmk;

namespace {

// Without a display Qt would abort deep inside its platform plug-in; say why instead.
bool HaveDisplay() {
#if defined(Q_OS_LINUX)
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

bool HasArgument(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], name) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer startup;
    startup.start();
    if (!HaveDisplay()) {
        std::fprintf(stderr,
                     "escolia: no hay pantalla (DISPLAY no está definido).\n"
                     "escolia needs a graphical display; run it from a desktop session, or under "
                     "a virtual display:\n  xvfb-run -s \"-screen 0 1400x900x24\" escolia\n");
        return 2;
    }
    const bool verbose = HasArgument(argc, argv, "--verbose") ||
                         !qEnvironmentVariableIsEmpty("ESCOLIA_STARTUP_TIME");
    const bool exitAfterStartup = HasArgument(argc, argv, "--exit-after-startup");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zmk-escolia"));
    QApplication::setOrganizationName(QStringLiteral("Torvanware"));
    // Every window (MDI children and dialogs included) carries the program's badge.
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(LogoAplicacion())));
    SetApplicationTitle(QStringLiteral("ZMK-Escolia"));
    SetPromptService(std::make_unique<TQtPrompt>());
    SetSplash(std::make_unique<TCCFRMSplash>());
    InstallWheelGuard();
    schema::InstallFieldTypeResolver();
    RegisterAllProcedureBodies();

    TAppLocations locations =
        TAppLocations::ForExecutable(QApplication::applicationFilePath(), EscoliaApplicationName());
    auto config = std::make_unique<TZMKAppConfig>(locations, EscoliaStartupSettings(locations));
    SetAppConfig(config.get());
    // The SMS service's addresses are deployment settings of the INI file.
    SetArchivoIniSMS(config->IniFileName());
    int status = 1;
    {
        TFRMMenu window;
        bool ok = false;
        try {
            ok = ArrancaAplicacion(*config, window, [&window] {
                InstallRulesForms();
                InstallBillingForms();
                InstallClassroomForms(
                    [&window]() -> const TAppDefinition& { return window.AppDefinition(); });
                InstallMessagingForms();
                // The grids take their row colours from the rules.
                SetRowStyleProvider([](int fuente, TDataSet& fila) {
                    TEstiloFila e = EstiloFila(fuente, fila);
                    return TRowStyle{e.cambia, e.fondo, e.texto, e.cursiva, e.negrita};
                });
            });
        } catch (const EAbort&) {
            // The application password was not given: the program ends at once.
            status = 0;
        } catch (const EZMKError& e) {
            MuestraError(e.Message());
        }
        if (ok) {
            // Without a window manager "maximised" means nothing: take the screen's size.
            if (QScreen* screen = QGuiApplication::primaryScreen())
                window.resize(screen->availableGeometry().size());
            window.showMaximized();
            QTimer::singleShot(0, &window, [&] {
                const qint64 ms = startup.elapsed() - window.QuestionMs();
                if (verbose)
                    std::fprintf(stderr, "escolia: start-up to the main window: %lld ms\n",
                                 static_cast<long long>(ms));
                if (exitAfterStartup) {
                    QApplication::exit(0);
                    return;
                }
                ComprobarActualizaciones();
            });
            status = app.exec();
        }
    }
    config.reset();
    ZMKApp().SetDefaultDB(nullptr);
    return status;
}
