#include <gtest/gtest.h>

#include "host/controls.h"
#include "host/parametres.h"

using namespace zmk;

TEST(Parametres, TypedReadsFallBackToDefaults) {
    TParametres p;
    EXPECT_EQ(p.AsInteger(QStringLiteral("missing"), 7), 7);
    p.SetParametreValue(QStringLiteral("Num"), QStringLiteral("12"));
    EXPECT_EQ(p.AsInteger(QStringLiteral("num"), 0), 12);
    p.SetParametreValue(QStringLiteral("Bad"), QStringLiteral("abc"));
    EXPECT_EQ(p.AsInteger(QStringLiteral("BAD"), 5), 5);
    p.SetParametreValue(QStringLiteral("Null"), QVariant());
    EXPECT_EQ(p.AsString(QStringLiteral("null"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_TRUE(p.ParamExists(QStringLiteral("NULL")));
    EXPECT_FALSE(p.GetParametreValue(QStringLiteral("nothing")).isValid());
    p.SetParametreValue(QStringLiteral("Iva"), QVariant::fromValue(*Currency::Parse("21")));
    EXPECT_EQ(p.AsCurrency(QStringLiteral("iva")), Currency(21));
    p.SetParametreValue(QStringLiteral("Flag"), QStringLiteral("true"));
    EXPECT_TRUE(p.AsBoolean(QStringLiteral("flag")));
}

TEST(Parametres, OnlyWritableValuesAreSavedAndReadBackWithTheirTypes) {
    TParametres p;
    p.AddParam(QStringLiteral("PRMTitulo"), QStringLiteral("Academia"));
    p.AddParam(QStringLiteral("PRMColor"), 12615680);
    p.AddParam(QStringLiteral("PRMImporte"), QVariant::fromValue(*Currency::Parse("2.675")));
    p.AddParam(QStringLiteral("PRMFecha"), QDateTime(QDate(2026, 9, 1), QTime(8, 30)));
    p.AddParam(QStringLiteral("PRMActivo"), true);
    p.AddParam(QStringLiteral("PRMIDCentroActual"), 3, false);
    TParametres q;
    q.LoadFromBytes(p.SaveToBytes());
    EXPECT_EQ(q.AsString(QStringLiteral("prmtitulo")), QStringLiteral("Academia"));
    EXPECT_EQ(q.GetParametreValue(QStringLiteral("PRMColor")).metaType().id(), QMetaType::Int);
    EXPECT_EQ(q.AsCurrency(QStringLiteral("PRMImporte")), *Currency::Parse("2.675"));
    EXPECT_EQ(q.AsDateTime(QStringLiteral("PRMFecha")), QDateTime(QDate(2026, 9, 1), QTime(8, 30)));
    EXPECT_TRUE(q.AsBoolean(QStringLiteral("PRMActivo")));
    EXPECT_FALSE(q.ParamExists(QStringLiteral("PRMIDCentroActual")));
}

TEST(Parametres, ObjectHandlesResolveWhileTheObjectLives) {
    TParametres p;
    int handle;
    {
        TZMKControl control(QStringLiteral("boton"));
        handle = control.Handle();
        p.SetParametreValue(QStringLiteral("PRME01"), handle);
        EXPECT_EQ(p.AsObject<TZMKControl>(QStringLiteral("PRME01")), &control);
        EXPECT_EQ(p.AsObject<TZMKForm>(QStringLiteral("PRME01")), nullptr);
    }
    EXPECT_EQ(p.AsObject<TZMKControl>(QStringLiteral("PRME01")), nullptr);
    p.SetParametreValue(QStringLiteral("PRME02"), 0);
    EXPECT_EQ(p.AsObject<TZMKControl>(QStringLiteral("PRME02")), nullptr);
}
