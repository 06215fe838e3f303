#include <gtest/gtest.h>

#include <climits>

#include "core/splash.h"
#include "core/strings.h"
#include "host/dataset.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {

QString ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EZMKError& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

// Records every view update and the stack depth it saw.
class RecordingSplash : public TSplash {
  public:
    QVector<int> depths;

  protected:
    void Update() override {
        depths << int(Levels().size());
        TSplash::Update();
    }
};

class SplashTest : public ::testing::Test {
  protected:
    void SetUp() override { Translate().Init(QString()); }
    RecordingSplash splash;
};

}  // namespace

TEST_F(SplashTest, StackOfLevels) {
    splash.Begin(QStringLiteral("Facturar"), QStringLiteral("Iniciando proceso..."));
    splash.Begin(QStringLiteral("Procesando alumnos"), QStringLiteral("Preparando..."), false, 5,
                 false);
    splash.Begin(QStringLiteral("C"), QStringLiteral("c"));
    splash.Begin(QStringLiteral("D"), QStringLiteral("d"));  // a fourth level is held too
    ASSERT_EQ(splash.Levels().size(), 4);
    splash.SetText(QStringLiteral("cuarto"), 40);
    EXPECT_EQ(splash.Levels()[3].text, QStringLiteral("cuarto"));
    EXPECT_EQ(splash.Levels()[3].percent, 40);
    EXPECT_EQ(splash.Levels()[1].percent, 5);
    EXPECT_FALSE(splash.Levels()[1].gaugeShown);
    EXPECT_EQ(splash.Levels()[0].title, QStringLiteral("Facturar"));
    splash.End();
    splash.End();
    splash.SetText(QStringLiteral("segundo"), 250);  // out-of-range percents are clamped
    EXPECT_EQ(splash.Levels().last().text, QStringLiteral("segundo"));
    EXPECT_EQ(splash.Levels().last().percent, 100);
    splash.End();
    splash.End();
    EXPECT_FALSE(splash.Active());
    // The view saw every change, the last one with the stack empty.
    EXPECT_EQ(splash.depths, (QVector<int>{1, 2, 3, 4, 4, 3, 2, 2, 1, 0}));
}

TEST_F(SplashTest, EndingOrChangingWithoutLevelsRaisesESplash) {
    const QString end = QStringLiteral("TSplash ERROR\nNo hay ningún Splash para finalizar");
    const QString change = QStringLiteral("TSplash ERROR\nNo hay ningún Splash para modificar");
    EXPECT_EQ(ErrorOf([&] { splash.End(); }), end);
    EXPECT_EQ(ErrorOf([&] { splash.SetText(QStringLiteral("x"), 1); }), change);
    EXPECT_EQ(ErrorOf([&] { splash.SetPosition(QStringLiteral("x"), 1, 2); }), change);
    EXPECT_EQ(ErrorOf([&] { splash.SetFromDataSet(QStringLiteral("x"), nullptr); }), change);
    try {
        Splash().End();
        FAIL();
    } catch (const ESplash& e) {
        EXPECT_EQ(e.ClassName(), QStringLiteral("ESplash"));
        EXPECT_EQ(e.Message(), end);
    }
}

TEST_F(SplashTest, PositionPercent) {
    splash.Begin(QStringLiteral("T"), QString());
    const auto percent = [&](int position, int maximum) {
        splash.SetPosition(QStringLiteral("t"), position, maximum);
        return splash.Levels().last().percent;
    };
    EXPECT_EQ(percent(0, 4), 25);
    EXPECT_EQ(percent(3, 4), 100);
    EXPECT_EQ(percent(0, 3), 33);
    EXPECT_EQ(percent(-1, 10), 0);
    // A maximum of 0 counts as the largest integer: ordinary positions stay at 0 %.
    EXPECT_EQ(percent(5, 0), 0);
    EXPECT_EQ(percent(INT_MAX / 2, 0), 50);
    // Large positions do not overflow.
    EXPECT_EQ(percent(INT_MAX - 1, INT_MAX), 100);
    EXPECT_EQ(percent(INT_MAX / 4, INT_MAX), 25);
    EXPECT_EQ(splash.Levels().last().text, QStringLiteral("t"));
}

TEST_F(SplashTest, DataSetForm) {
    test::TestDatabase tdb;
    for (int i = 1; i <= 4; ++i)
        tdb.db().ExecuteSQL(
            QStringLiteral("INSERT INTO T22TiposIva (TPCIvaT22, DescripcionT22) VALUES (%1, 'IVA')")
                .arg(i));
    auto ds =
        tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM T22TiposIva ORDER BY IDTipoIvaT22"));
    ds->Open();
    splash.Begin(QStringLiteral("IVA"), QString());
    splash.SetFromDataSet(QStringLiteral("Procesando"), ds.get());
    EXPECT_EQ(splash.Levels().last().text, QStringLiteral("(1/4) Procesando"));
    EXPECT_EQ(splash.Levels().last().percent, 25);
    ds->Next();
    ds->Next();
    splash.SetFromDataSet(QStringLiteral("Procesando"), ds.get());
    EXPECT_EQ(splash.Levels().last().text, QStringLiteral("(3/4) Procesando"));
    EXPECT_EQ(splash.Levels().last().percent, 75);

    auto empty = tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM T22TiposIva WHERE 1=0"));
    empty->Open();
    splash.SetFromDataSet(QStringLiteral("Nada"), empty.get());
    EXPECT_EQ(splash.Levels().last().text, QStringLiteral("(0/0) Nada"));
    EXPECT_EQ(splash.Levels().last().percent, 100);

    splash.SetFromDataSet(QStringLiteral("Sin datos"), nullptr);
    EXPECT_EQ(splash.Levels().last().text, QStringLiteral("Sin datos"));
    EXPECT_EQ(splash.Levels().last().percent, 0);
    splash.End();
}

TEST_F(SplashTest, EscAnsweredNoGoesOnAndYesCancelsEveryLaterUpdate) {
    test::TestDatabase tdb({QStringLiteral("no"), QStringLiteral("yes")});
    bool esc = false;
    splash.SetEscPressedCheck([&] { return esc; });

    splash.Begin(QStringLiteral("Borrar"), QStringLiteral("..."), true);
    splash.SetText(QStringLiteral("uno"), 10);  // Esc not held: no question
    esc = true;
    splash.SetText(QStringLiteral("dos"), 20);  // "No": the task goes on
    ASSERT_EQ(tdb.prompt().Log().size(), 2);
    EXPECT_TRUE(tdb.prompt().Log()[0].endsWith(QStringLiteral(": ¿Cancelar el proceso?")));
    EXPECT_EQ(tdb.prompt().Log()[1], QStringLiteral("ANSWER no"));

    const QString cancelled = QStringLiteral("Proceso cancelado por el usuario");
    EXPECT_EQ(ErrorOf([&] { splash.SetText(QStringLiteral("tres"), 30); }), cancelled);
    esc = false;
    // Once cancelled, every later update of the task fails without asking again, even in a
    // sub-task, whose level is not left behind.
    EXPECT_EQ(ErrorOf([&] { splash.SetPosition(QStringLiteral("x"), 1, 2); }), cancelled);
    EXPECT_EQ(ErrorOf([&] { splash.Begin(QStringLiteral("Sub"), QString()); }), cancelled);
    EXPECT_EQ(splash.Levels().size(), 1);
    EXPECT_EQ(tdb.prompt().Log().size(), 4);  // asked twice in all
    splash.End();                             // ending never fails for the cancellation

    // The next task starts afresh.
    splash.Begin(QStringLiteral("Otra"), QString(), true);
    splash.SetText(QStringLiteral("ok"), 50);
    splash.End();
}

TEST_F(SplashTest, OnlyACancellableFirstLevelAsks) {
    test::TestDatabase tdb({QStringLiteral("yes")});
    splash.SetEscPressedCheck([] { return true; });
    splash.Begin(QStringLiteral("A"), QString(), false);
    splash.Begin(QStringLiteral("B"), QString(), true);  // only level 0 counts
    splash.SetText(QStringLiteral("b"), 1);
    splash.End();
    splash.End();
    EXPECT_TRUE(tdb.prompt().Log().isEmpty());
}

TEST_F(SplashTest, GuardBalancesTheStackWhenAnErrorPasses) {
    try {
        TSplashLevel outer(splash, QStringLiteral("Tarea"), QStringLiteral("..."));
        {
            TSplashLevel inner(splash, QStringLiteral("Sub"), QStringLiteral("..."));
            EXPECT_EQ(splash.Levels().size(), 2);
        }
        EXPECT_EQ(splash.Levels().size(), 1);
        // A sub-task that forgot its level: the outer guard ends that one too.
        splash.Begin(QStringLiteral("Olvidado"), QString());
        throw EZMKError(QStringLiteral("fallo"));
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("fallo"));
    }
    EXPECT_FALSE(splash.Active());

    // A guard whose level the task already ended leaves the stack alone.
    splash.Begin(QStringLiteral("Fuera"), QString());
    {
        TSplashLevel level(splash, QStringLiteral("Dentro"), QString());
        splash.End();
    }
    EXPECT_EQ(splash.Levels().size(), 1);
    splash.End();
}

TEST_F(SplashTest, VerboseLinesAreThrottledUnlessTheTextChanges) {
    QStringList lines;
    qint64 now = 1000;
    splash.SetOutput([&](const QString& line) { lines << line; });
    splash.SetClock([&] { return now; });

    splash.Begin(QStringLiteral("Silencio"), QStringLiteral("nada"));
    splash.End();
    EXPECT_TRUE(lines.isEmpty());

    splash.SetVerbose(true);
    splash.Begin(QStringLiteral("Facturar"), QStringLiteral("Iniciando\nproceso"));
    splash.SetPosition(QStringLiteral("Registro"), 0, 4);
    now += 50;
    splash.SetPosition(QStringLiteral("Registro"), 1, 4);  // same text within 100 ms
    now += 60;
    splash.SetPosition(QStringLiteral("Registro"), 2, 4);
    splash.End();
    EXPECT_EQ(lines, (QStringList{QStringLiteral("PROGRESS Facturar: Iniciando\\nproceso (0%)"),
                                  QStringLiteral("PROGRESS Facturar: Registro (25%)"),
                                  QStringLiteral("PROGRESS Facturar: Registro (75%)")}));
}
