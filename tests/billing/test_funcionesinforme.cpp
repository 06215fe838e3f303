// The functions the invoice templates call, and the VAT types' legal text that older company
// files receive when they connect.
#include <gtest/gtest.h>

#include "billing/funcionesinforme.h"
#include "core/strings.h"
#include "host/database.h"
#include "host/reports.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

TEST(FuncionesInforme, ReturnReasonsByCode) {
    RegisterDefaultProgramStrings();
    EXPECT_EQ(TextoMotivoDevolucion(QStringLiteral("2")),
              QStringLiteral("No domiciliado o cuenta cancelada"));
    EXPECT_EQ(TextoMotivoDevolucion(7), SharedString(1317));
    EXPECT_EQ(TextoMotivoDevolucion(QStringLiteral("x")),
              QStringLiteral("(Código de motivo desconocido)"));
    EXPECT_EQ(TextoMotivoDevolucion(QStringLiteral("12")),
              QStringLiteral("(Código de motivo desconocido)"));
}

TEST(FuncionesInforme, AnOlderFileGetsTheLegalTextColumnAndItsExemptionOnce) {
    test::TestDatabase tdb;
    TDataBaseZMK& db = tdb.db();
    db.ExecuteSQL(QStringLiteral("ALTER TABLE T22TiposIva DROP COLUMN TextoLegalT22"));
    db.ExecuteSQL(
        QStringLiteral("INSERT INTO T22TiposIva (TPCIvaT22, DescripcionT22) VALUES "
                       "(0, 'Exento'), (21, 'General')"));
    db.ExecuteSQL(
        QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, TPCIvaT16) "
                       "VALUES (5, 0), (5, 21), (6, 21)"));
    EXPECT_TRUE(TextosLegalesIva(5).isEmpty());  // no column yet: nothing, and no error

    AseguraTextoLegalIva();
    EXPECT_EQ(TextosLegalesIva(5), QStringList{QString::fromUtf8(kTextoExencionEnsenanza)});
    EXPECT_TRUE(TextosLegalesIva(6).isEmpty());
    QVariantList args{5};
    QVariant result;
    RegisterFuncionesFacturacion();
    ASSERT_TRUE(frCallFunction(QStringLiteral("TextosLegalesIva"), args, result));
    EXPECT_EQ(result.toString(), QString::fromUtf8(kTextoExencionEnsenanza));

    // A text the office changed stays; running again changes nothing.
    db.ExecuteSQL(
        QStringLiteral("UPDATE T22TiposIva SET TextoLegalT22 = 'Exenta' WHERE "
                       "TPCIvaT22 = 0"));
    AseguraTextoLegalIva();
    EXPECT_EQ(TextosLegalesIva(5), QStringList{QStringLiteral("Exenta")});
    EXPECT_FALSE(db.InTransaction());
}

}  // namespace
}  // namespace zmk
