// The main window's composed background looks the same in both window modes.
#include <QApplication>
#include <QMdiArea>

#include "app/background.h"
#include "app/mainwindow.h"
#include "tests/app/appfixture.h"

namespace zmk::test {
namespace {

class FondoModos : public AppFixture {};

// Without a database the first activation would open the selection dialog.
class QuietMenu : public TFRMMenu {
  public:
    void FirstActivation() override {}
};

void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

TEST_F(FondoModos, SingleWindowShowsTheSamePictureAsSeveralWindowsWhenNothingIsDocked) {
    NewConfig();
    QuietMenu w;
    w.resize(1000, 700);
    w.show();
    Settle();
    auto* fondo = w.findChild<TFondoPrincipal*>(QStringLiteral("FondoPrincipal"));
    ASSERT_NE(fondo, nullptr);
    ASSERT_FALSE(w.IsMDI());
    EXPECT_TRUE(fondo->isVisible());
    const QImage single = fondo->Imagen();
    ASSERT_EQ(single.size(), fondo->size());
    // The picture, not a plain colour: the centre differs from the corner.
    EXPECT_NE(single.pixel(single.width() / 2, single.height() / 2), single.pixel(1, 1));

    w.SetWindowMode(true);
    Settle();
    auto* area = qobject_cast<QMdiArea*>(w.centralWidget());
    ASSERT_NE(area, nullptr);
    EXPECT_FALSE(fondo->isVisible());
    EXPECT_EQ(area->viewport()->size(), single.size());
    EXPECT_EQ(area->background().textureImage(), single);

    // Back to one window, then a docked form comes and goes.
    w.SetWindowMode(false);
    Settle();
    EXPECT_TRUE(fondo->isVisible());
    EXPECT_EQ(fondo->Imagen(), single);
    w.setCentralWidget(new QWidget);
    Settle();
    EXPECT_FALSE(fondo->isVisible());
    delete w.takeCentralWidget();
    Settle();
    EXPECT_TRUE(fondo->isVisible());
    EXPECT_EQ(fondo->Imagen(), single);
}

}  // namespace
}  // namespace zmk::test
