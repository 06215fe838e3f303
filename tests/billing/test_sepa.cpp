// The SEPA data check over the whole database.
#include <gtest/gtest.h>

#include "billing/chequeosepa.h"
#include "core/bancos.h"
#include "tests/billing/test_generar_datos.h"

namespace zmk {
namespace {

TEST(ChequeoSEPA, ReportsErrorsCompletesIBANsAndFillsBICsOnlyWhenApplied) {
    test::TestDatabase t;
    test::EmpresaFacturacion e{t};
    const QString bueno = QStringLiteral("ES9121000418450200051332");
    const QString bic = BuscarBIC(QStringLiteral("2100"));
    ASSERT_FALSE(bic.isEmpty());
    e.Exec(
        QStringLiteral("INSERT INTO T01Alumnos (CodigoT01,NombreCompletoT01,IBANT01,BICT01) VALUES "
                       "(1,'Bien','%1','%2'),(2,'Sin DC','ES**21000418**0200051332',NULL),"
                       "(3,'Otro BIC','%1','BBVAESMMXXX')")
            .arg(bueno, bic));
    e.Exec(
        QStringLiteral("INSERT INTO T15FacturasCab (NumeroT15,NombreT15,IBANT15,FechaT15) VALUES "
                       "(4,'Extranjera','DE89370400440532013000',45930)"));

    const QStringList informe = InformeDatosSEPA(false);
    const QString texto = informe.join(QLatin1Char('\n'));
    EXPECT_FALSE(texto.contains(QStringLiteral("; Bien ;")));
    EXPECT_TRUE(texto.contains(QStringLiteral("3 ; Otro BIC ; El BIC calculado (") + bic +
                               QStringLiteral(") no coincide con el BIC existente (BBVAESMMXXX)")));
    EXPECT_TRUE(texto.contains(QStringLiteral("4 ; 30/09/2025 ; Extranjera ; ")));
    EXPECT_TRUE(
        texto.contains(QStringLiteral("    Procesados un total de 3 registros con 1 errores.")));
    EXPECT_EQ(informe.last(), QStringLiteral("*** Finalizada la actualización ***"));
    EXPECT_EQ(
        e.Scalar(QStringLiteral("SELECT IBANT01 FROM T01Alumnos WHERE CodigoT01=2")).toString(),
        "ES**21000418**0200051332");

    t.prompt().Push(QStringLiteral("yes"));
    EXPECT_TRUE(ComprobarDatosSEPA(false));
    EXPECT_EQ(e.Scalar(QStringLiteral(
                           "SELECT IBANT01 || '|' || BICT01 FROM T01Alumnos WHERE CodigoT01=2"))
                  .toString(),
              bueno + QLatin1Char('|') + bic);
    // Rows in error stay as they were.
    EXPECT_EQ(
        e.Scalar(QStringLiteral("SELECT BICT01 FROM T01Alumnos WHERE CodigoT01=3")).toString(),
        "BBVAESMMXXX");
}

}  // namespace
}  // namespace zmk
