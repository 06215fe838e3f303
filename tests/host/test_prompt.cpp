#include <gtest/gtest.h>

#include "host/prompt.h"

using namespace zmk;

TEST(ScriptedPrompt, AnswersInOrderThenTakesTheDefaultButton) {
    TScriptedPrompt prompt({QStringLiteral("no"), QStringLiteral("retry")});
    TQuestion q{QStringLiteral("ZMK"),
                QStringLiteral("¿Seguir?\nSí"),
                {TMsgButton::Yes, TMsgButton::No},
                TMsgIcon::Warning,
                TMsgButton::No};
    EXPECT_EQ(prompt.Ask(q), TMsgButton::No);
    // "retry" is not a button of this question: the box closes with its default.
    EXPECT_EQ(prompt.Ask(q), TMsgButton::No);
    q.defaultButton = TMsgButton::None;
    EXPECT_EQ(prompt.Ask(q), TMsgButton::Yes);
    EXPECT_EQ(prompt.Log().first(), QStringLiteral("QUESTION ZMK: ¿Seguir?\\nSí"));
    EXPECT_EQ(prompt.Log()[1], QStringLiteral("ANSWER no"));
}

TEST(ScriptedPrompt, InputBoxesTakeTextDefaultOrCancel) {
    TScriptedPrompt prompt({QStringLiteral("11"), QStringLiteral("cancel")});
    EXPECT_EQ(prompt.InputBox(QStringLiteral("C"), QStringLiteral("Mes"), QStringLiteral("1")),
              QStringLiteral("11"));
    EXPECT_FALSE(
        prompt.InputBox(QStringLiteral("C"), QStringLiteral("Año"), QStringLiteral("2026")));
    EXPECT_EQ(prompt.InputBox(QStringLiteral("C"), QStringLiteral("Año"), QStringLiteral("2026")),
              QStringLiteral("2026"));
    prompt.Show(TMsgKind::Warning, QStringLiteral("C"), QStringLiteral("a\nb"));
    EXPECT_EQ(prompt.Log().last(), QStringLiteral("WARNING C: a\\nb"));
}
