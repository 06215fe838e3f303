#include <gtest/gtest.h>

#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/errors.h"
#include "tests/support/testdb.h"

using namespace zmk;

TEST(SqlHelpers, LiteralsByType) {
    test::TestDatabase tdb;
    EXPECT_EQ(ValorSQL(true), QStringLiteral("TRUE"));
    EXPECT_EQ(ValorSQL(false), QStringLiteral("FALSE"));
    EXPECT_EQ(ValorSQL(QVariant()), QStringLiteral("NULL"));
    EXPECT_EQ(ValorSQL(42), QStringLiteral("42"));
    EXPECT_EQ(ValorSQL(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(ValorSQL(QVariant::fromValue(*Currency::Parse("108.90"))), QStringLiteral("108.9"));
    EXPECT_EQ(ValorSQL(QStringLiteral("D'Ors")), QStringLiteral("'D''Ors'"));
    EXPECT_EQ(ValorSQL(QDateTime(QDate(2000, 1, 1), QTime(12, 0))), QStringLiteral("36526.5"));
    EXPECT_EQ(ValorSQL(QDate(2000, 1, 1)), QStringLiteral("36526"));
    try {
        ValorSQL(QVariant(QStringList{QStringLiteral("x")}));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Variant de tipo inválido: ")));
        EXPECT_EQ(e.Message().size(), QStringLiteral("Variant de tipo inválido: ").size() + 8);
    }
}

TEST(SqlHelpers, CreaRegistreChecksLengthsAndReportsTheStatement) {
    test::TestDatabase tdb;
    try {
        CreaRegistre(tdb.db(), QStringLiteral("T20Centros"),
                     {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, {1, 2});
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("ERROR a CreaRegistre: La longitud de Camps és "
                                              "diferent de la longitud de valors!"));
    }
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT COUNT(*) FROM T20Centros")).toInt(), 0);
    QVariant id =
        CreaRegistreNouID(tdb.db(), QStringLiteral("T20Centros"), QStringLiteral("IDCentroT20"),
                          {QStringLiteral("CodigoCentroT20"), QStringLiteral("ActivoT20")},
                          {QStringLiteral("C1"), true});
    EXPECT_EQ(id.toInt(), 1);
    try {
        CreaRegistre(tdb.db(), QStringLiteral("T20Centros"), {QStringLiteral("NoExiste")}, {1});
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().startsWith(
            QStringLiteral("Error al insertar registros (Tipo \"EDatabaseError\"):\n")));
        EXPECT_TRUE(e.Message().endsWith(
            QStringLiteral("\n\nSQL Generado:\nINSERT INTO T20Centros (NoExiste) VALUES (1)")));
    }
}

TEST(SqlHelpers, ModificaRegistresShowsTheStatementOnlyWithTheDisplayOption) {
    test::TestDatabase tdb;
    auto fail_update = [&]() -> QString {
        try {
            ModificaRegistres(tdb.db(), QStringLiteral("T20Centros"), QStringLiteral("Nada=1"),
                              QString());
        } catch (const EZMKError& e) {
            return e.Message();
        }
        return QString();
    };
    QString quiet = fail_update();
    EXPECT_TRUE(quiet.startsWith(
        QStringLiteral("Error al modificar registros (Tipo \"EDatabaseError\"):\n")));
    EXPECT_FALSE(quiet.contains(QStringLiteral("SQL Generado")));
    ZMKApp().SetShowStatements(true);
    QString shown = fail_update();
    ZMKApp().SetShowStatements(false);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("\n\nSQL Generado:\nUPDATE T20Centros\nSET Nada=1")));
}

TEST(SqlHelpers, CountMaxFieldAndDelete) {
    test::TestDatabase tdb;
    EXPECT_FALSE(UltimValor(tdb.db(), QStringLiteral("T20Centros"), QStringLiteral("IDCentroT20"))
                     .isValid());
    for (const char* code : {"Norte", "Sur", "Este"})
        CreaRegistre(tdb.db(), QStringLiteral("T20Centros"), {QStringLiteral("CodigoCentroT20")},
                     {QString::fromLatin1(code)});
    EXPECT_EQ(CompteRegistres(tdb.db(), QStringLiteral("IDCentroT20"), QStringLiteral("T20Centros"),
                              QString()),
              3);
    EXPECT_EQ(CompteRegistres(tdb.db(), QStringLiteral("IDCentroT20"), QStringLiteral("T20Centros"),
                              QStringLiteral("IDCentroT20>1")),
              2);
    // The condition is lowered; text still matches as the database compares without case.
    EXPECT_EQ(ValorCamp(QStringLiteral("T20Centros"), QStringLiteral("IDCentroT20"),
                        QStringLiteral("CodigoCentroT20='SUR'"))
                  .toInt(),
              2);
    EXPECT_FALSE(ValorCamp(QStringLiteral("T20Centros"), QStringLiteral("IDCentroT20"),
                           QStringLiteral("IDCentroT20=99"))
                     .isValid());
    EsborraRegistres(tdb.db(), QStringLiteral("T20Centros"), QStringLiteral("IDCentroT20=3"));
    EXPECT_EQ(
        UltimValor(tdb.db(), QStringLiteral("T20Centros"), QStringLiteral("IDCentroT20")).toInt(),
        2);
    EXPECT_EQ(VarAEnter(QStringLiteral("12")), 12);
    EXPECT_EQ(VarAEnter(QStringLiteral("abc")), 0);
    EXPECT_EQ(VarAEnter(QVariant()), 0);
}
