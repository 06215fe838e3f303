#include <gtest/gtest.h>

#include "billing/ask.h"
#include "host/prompt.h"

namespace zmk {
namespace {

class AskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ListAsk().Clear();
        auto prompt = std::make_unique<TScriptedPrompt>();
        prompt_ = prompt.get();
        previous_ = SetPromptService(std::move(prompt));
    }
    void TearDown() override {
        SetPromptService(std::move(previous_));
        ListAsk().Clear();
    }
    // How many questions have been asked so far.
    int Questions() const { return int(prompt_->Log().filter(QStringLiteral("QUESTION")).size()); }
    void Answer(std::initializer_list<const char*> answers) {
        for (const char* a : answers) prompt_->Push(QString::fromLatin1(a));
    }

    TScriptedPrompt* prompt_ = nullptr;
    std::unique_ptr<IPromptService> previous_;
};

TEST_F(AskTest, RememberedAnswerIsReturnedWithoutAsking) {
    Answer({"no", "yes"});  // No, and "always the same"
    EXPECT_EQ(Preguntar(QStringLiteral("T"), QStringLiteral("¿Numerar 1?"), kPermiteTodas,
                        QStringLiteral("numerar")),
              raNo);
    EXPECT_EQ(Questions(), 2);
    EXPECT_EQ(Preguntar(QStringLiteral("T"), QStringLiteral("¿Otro texto?"), kPermiteTodas,
                        QStringLiteral("NUMERAR")),
              raNo);
    EXPECT_EQ(Questions(), 2);
    EXPECT_EQ(ListAsk().Count(), 1);
}

TEST_F(AskTest, AnswerWithoutTheBoxIsRecordedButNotReused) {
    Answer({"yes", "no", "no"});
    EXPECT_EQ(
        Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QStringLiteral("k")),
        raSi);
    ASSERT_NE(ListAsk().Find(QStringLiteral("K")), nullptr);
    EXPECT_FALSE(ListAsk().Find(QStringLiteral("K"))->recordar);
    EXPECT_EQ(
        Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QStringLiteral("k")),
        raNo);
    EXPECT_EQ(Questions(), 4);
}

TEST_F(AskTest, RememberedAnswerThatIsNotAllowedAsksAgainAndIsReplaced) {
    Answer({"cancel", "yes"});
    EXPECT_EQ(
        Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QStringLiteral("k")),
        raCancelar);
    Answer({"yes"});  // Sí, box left unticked
    EXPECT_EQ(Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteSi | kPermiteNo,
                        QStringLiteral("k")),
              raSi);
    EXPECT_EQ(Questions(), 4);
    // The remembered Cancelar was replaced: the next question is shown again.
    Answer({"no"});
    EXPECT_EQ(
        Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QStringLiteral("k")),
        raNo);
    EXPECT_EQ(ListAsk().Count(), 1);
}

TEST_F(AskTest, OnlyAllowedButtonsAreOffered) {
    // Cancel is not a button of the question: closing it takes the first allowed answer.
    Answer({"cancel"});
    EXPECT_EQ(
        Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteNo | kPermiteSi, QString()),
        raSi);
    Answer({"yes"});
    EXPECT_EQ(Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteNo | kPermiteCancelar,
                        QString()),
              raNo);
}

TEST_F(AskTest, EmptyKeyNeverOffersNorReusesAnAnswer) {
    Answer({"no", "yes"});
    EXPECT_EQ(Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QString()), raNo);
    EXPECT_EQ(Questions(), 1);  // no "always the same" question
    EXPECT_EQ(Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QString()), raSi);
    EXPECT_EQ(Questions(), 2);
}

TEST_F(AskTest, ForgettingAKeyAsksAgain) {
    Answer({"yes", "yes"});
    Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QStringLiteral("a"));
    Answer({"no", "yes"});
    Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QStringLiteral("b"));
    OlvidarRespuesta(QStringLiteral("A"));
    EXPECT_EQ(ListAsk().Find(QStringLiteral("a")), nullptr);
    Answer({"cancel"});
    EXPECT_EQ(
        Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QStringLiteral("a")),
        raCancelar);
    EXPECT_EQ(
        Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QStringLiteral("b")),
        raNo);
}

TEST_F(AskTest, InstalledDialogReplacesThePromptQuestions) {
    bool offered = false;
    SetDialogoAsk([&](const QString&, const QString&, int permitidas, bool mostrarSiempre) {
        offered = mostrarSiempre;
        EXPECT_EQ(permitidas, kPermiteTodas);
        return TResultadoAsk{raCancelar, true};
    });
    EXPECT_EQ(
        Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QStringLiteral("k")),
        raCancelar);
    EXPECT_TRUE(offered);
    EXPECT_EQ(Questions(), 0);
    SetDialogoAsk(nullptr);
    EXPECT_EQ(
        Preguntar(QStringLiteral("T"), QStringLiteral("m"), kPermiteTodas, QStringLiteral("k")),
        raCancelar);
    EXPECT_EQ(Questions(), 0);
}

}  // namespace
}  // namespace zmk
