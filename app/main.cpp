// escolia: the windowed program.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/mainwindow.h"
#include "cli/commands.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/forms/qtprompt.h"
#include "host/forms/splashwindow.h"
#include "host/library.h"
#include "maintenance/democompany.h"
#include "schema/schema.h"

using namespace zmk;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zmk-escolia"));
    SetApplicationTitle(QStringLiteral("ZMK-Escolia v16"));
    SetPromptService(std::make_unique<TQtPrompt>());
    SetSplash(std::make_unique<TCCFRMSplash>());
    schema::InstallFieldTypeResolver();
    RegisterDefaultProgramStrings();
    cli::RegisterAllProcedureBodies();
    REGISTER_LIBRARY(ZMKApp().Procedures());

    TFRMMenu window;
    try {
        window.SetAppDefinition(BuiltInAppDefinition());
        window.BuildMenus();
        // The company file given, else the demo company (created on the first run).
        QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
        if (path.isEmpty()) {
            QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            QDir().mkpath(dir);
            path = dir + QStringLiteral("/demo.db");
            if (!QFile::exists(path)) CrearEmpresaDemo(path, DemoOptions{});
        }
        window.BeforeConnectDB();
        ZMKApp().SetDefaultDB(TDataBaseZMK::Open(path));
        window.AfterConnectDB();
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    }
    window.resize(1200, 800);
    window.showMaximized();
    int status = app.exec();
    ZMKApp().SetDefaultDB(nullptr);
    return status;
}
