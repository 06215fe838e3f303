// The Qt prompt service with the progress window of a running task.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include "core/forms/splash.h"
#include "core/splash.h"
#include "core/translate.h"
#include "host/errors.h"
#include "host/forms/qtprompt.h"
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

TEST(QtPrompt, YesAndNoSpeakTheProgramsLanguage) {
    Translate().SetValue(QStringLiteral("CC.Common.yes"), QStringLiteral("Yes"));
    QStringList captions;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            for (QAbstractButton* b : box->buttons()) captions << b->text();
            box->button(QMessageBox::No)->click();
        }
    });
    TQtPrompt prompt;
    EXPECT_EQ(prompt.Ask({QStringLiteral("ZMK-Escolia"),
                          QStringLiteral("Close?"),
                          {TMsgButton::Yes, TMsgButton::No},
                          TMsgIcon::Question,
                          TMsgButton::No}),
              TMsgButton::No);
    Translate().SetValue(QStringLiteral("CC.Common.yes"), QStringLiteral("Sí"));
    captions.sort();
    EXPECT_EQ(captions, QStringList({QStringLiteral("&No"), QStringLiteral("&Yes")}));
}

TEST(ProgressWindow, EscBelongsToDialogsExceptWhileATaskRunsWithoutOne) {
    TCCFRMSplash splash;
    auto pressEsc = [](QWidget* target) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    };
    // No task: a dialog closes with Esc as always.
    QDialog idle;
    idle.show();
    pressEsc(&idle);
    EXPECT_FALSE(idle.isVisible());

    // A cancellable task takes Esc...
    splash.Begin(QStringLiteral("BORRANDO"), QString(), true);
    QWidget main;
    main.show();
    pressEsc(&main);
    EXPECT_THROW(splash.SetText(QStringLiteral("Alumno 2"), 50), EZMKError);
    splash.End();

    // ...but a dialog it opens keeps Esc and is not covered by the progress window.
    splash.Begin(QStringLiteral("COBRO"), QString(), true);
    ASSERT_TRUE(ProgressWindow()->isVisible());
    QDialog question;
    question.show();
    EXPECT_FALSE(ProgressWindow()->isVisible());
    pressEsc(&question);
    EXPECT_FALSE(question.isVisible());
    EXPECT_NO_THROW(splash.SetText(QStringLiteral("Factura 3"), 60));
    splash.End();
}

}  // namespace
}  // namespace zmk
