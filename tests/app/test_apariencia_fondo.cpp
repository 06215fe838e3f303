#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

#include "app/background.h"

using namespace zmk;

TEST(FondoPrincipal, FillsTheFreeAreaOrTheMdiBackground) {
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("Aplicación"));
    window.statusBar()->showMessage(QStringLiteral("listo"));
    window.resize(800, 600);
    TFondoPrincipal* fondo = CrearFondo(&window);
    window.show();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(fondo->isVisible());
    EXPECT_EQ(fondo->geometry().top(), window.menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(fondo->geometry().bottom() + 1, window.statusBar()->geometry().top());
    EXPECT_EQ(fondo->Imagen().size(), fondo->size());

    // A docked form covers it; several windows paint it as the MDI area's background.
    window.setCentralWidget(new QLabel(QStringLiteral("formulario")));
    QApplication::processEvents();
    EXPECT_FALSE(fondo->isVisible());
    auto* mdi = new QMdiArea;
    window.setCentralWidget(mdi);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_FALSE(fondo->isVisible());
    EXPECT_EQ(mdi->background().textureImage().size(), mdi->viewport()->size());
}
