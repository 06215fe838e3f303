#include <gtest/gtest.h>

#include "tests/support/testdb.h"

namespace zmk {
namespace {

using test::RunCli;

TEST(CliText, ExpandPrintsTheExpandedText) {
    auto r = RunCli({QStringLiteral("text"), QStringLiteral("expand"),
                     QStringLiteral("Cuota [MES3] [año3]"), QStringLiteral("2014"),
                     QStringLiteral("11")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Cuota Enero 2015\n"));

    r = RunCli({QStringLiteral("text"), QStringLiteral("expand"), QStringLiteral("x"),
                QStringLiteral("2014"), QStringLiteral("13")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, QString());
}

TEST(CliText, ReceiptConceptPrintsTextAndErrorLines) {
    QStringList args{QStringLiteral("text"), QStringLiteral("receipt-concept"),
                     QStringLiteral("--optional"), QStringLiteral("{concepto}[ - {nombre_alumno}]"),
                     QStringLiteral("Ana")};
    for (int i = 2; i <= 7; ++i) args << QStringLiteral("v%1").arg(i);
    args << QStringLiteral("Cuota");
    auto r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Cuota - Ana\n\n"));

    args.removeAt(2);
    EXPECT_EQ(RunCli(args).out, QStringLiteral("Cuota\n\n"));

    r = RunCli({QStringLiteral("text"), QStringLiteral("receipt-concept"),
                QStringLiteral("{desconocido}")});
    EXPECT_EQ(r.out, QStringLiteral("{desconocido}\nEncontrado un carácter \"{\" en la posición 1. "
                                    "Encontrado un carácter \"}\" en la posición 13. \n"));
}

TEST(CliInvoice, RecalcPrintsTheTotalAndUpdatesTheInvoice) {
    test::TestDatabase t;
    t.db().ExecuteSQL(QStringLiteral("INSERT INTO T15FacturasCab (IDFacturaCabT15) VALUES (5)"));
    t.db().ExecuteSQL(QStringLiteral(
        "INSERT INTO T16FacturasCue (IDFacturaCabT16, DescConceptoT16, ImporteBaseT16, "
        "UnidadesT16, TPCDtoT16, TPCIvaT16, BaseImponibleT16, ImporteIvaIncluidoT16) VALUES "
        "(5, 'Cuota', 10, 3, 10, 21, 27, 32.67), (5, 'Libro', 0, 1, 0, 4, 0, 78.23)"));
    auto r = RunCli({QStringLiteral("--db"), t.path(), QStringLiteral("invoice"),
                     QStringLiteral("recalc"), QStringLiteral("5")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("110.90\n"));
    EXPECT_EQ(t.Scalar(QStringLiteral("SELECT ImporteTotalT15 FROM T15FacturasCab")).toDouble(),
              110.9);
    // 78.23 / 1.04 = 75.2211...: a base of 75.22, whose VAT 3.01 brings it to 78.23.
    EXPECT_EQ(t.Scalar(QStringLiteral("SELECT BaseImponible2T15 FROM T15FacturasCab")).toDouble(),
              75.22);
    EXPECT_EQ(t.Scalar(QStringLiteral("SELECT ConceptoSEPAT15 FROM T15FacturasCab")),
              QVariant(QStringLiteral("CuotaLibro")));

    r = RunCli({QStringLiteral("--db"), t.path(), QStringLiteral("invoice"),
                QStringLiteral("recalc"), QStringLiteral("6")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, QString());
    EXPECT_TRUE(r.err.contains(QStringLiteral("ERROR No existe la factura 6")));
}

}  // namespace
}  // namespace zmk
