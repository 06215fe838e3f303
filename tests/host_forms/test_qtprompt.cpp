// The Qt prompt service with the progress window of a running task.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "core/splash.h"
#include "host/forms/qtprompt.h"
#include "host/forms/splashwindow.h"
#include "host/prompt.h"

namespace zmk {
namespace {

QWidget* ProgressWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("TCCFRMSplash")) return w;
    return nullptr;
}

TEST(QtPrompt, AQuestionAskedDuringATaskIsNotHiddenByItsProgressWindow) {
    TCCFRMSplash splash;
    TSplashLevel level(splash, QStringLiteral("COBRO"), QStringLiteral("Factura 1"));
    ASSERT_NE(ProgressWindow(), nullptr);
    ASSERT_TRUE(ProgressWindow()->isVisible());
    bool progressVisibleDuringQuestion = true;
    QTimer::singleShot(0, [&] {
        progressVisibleDuringQuestion = ProgressWindow()->isVisible();
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Yes)->click();
    });
    TQtPrompt prompt;
    EXPECT_EQ(prompt.Ask({QStringLiteral("ZMK-Escolia"),
                          QStringLiteral("¿Aceptar el proceso?"),
                          {TMsgButton::Yes, TMsgButton::No},
                          TMsgIcon::Question,
                          TMsgButton::No}),
              TMsgButton::Yes);
    EXPECT_FALSE(progressVisibleDuringQuestion);
}

}  // namespace
}  // namespace zmk
