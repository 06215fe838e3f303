#include <gtest/gtest.h>

#include <QApplication>

#include "core/strings.h"
#include "host/app.h"
#include "host/forms/printpreview.h"
#include "host/library.h"
#include "schema/schema.h"
#include "subsystems/subsystems.h"

// Screen tests: a QApplication (offscreen) and the whole library registered, as the program has.
int main(int argc, char** argv) {
    // Also when CTest lists the tests at build time, with no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zmk::schema::InstallFieldTypeResolver();
    zmk::RegisterDefaultProgramStrings();
    zmk::RegisterAllProcedureBodies();
    zmk::InstallPrintPreview();
    zmk::REGISTER_LIBRARY(zmk::ZMKApp().Procedures());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
