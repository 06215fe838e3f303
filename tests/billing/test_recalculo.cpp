// A generation run works out totals and receipts from the lines it has just written; reading
// the invoices back and recalculating them must give the very same rows.
#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QSqlRecord>

#include "billing/factura.h"
#include "billing/generarfacturas.h"
#include "billing/textorecibo.h"
#include "core/parametrosapp.h"
#include "tests/billing/test_generar_datos.h"

namespace zmk {
namespace {

QString Filas(TDataBaseZMK& db, const QString& sql) {
    QString texto;
    QSqlQuery q = db.Query(sql);
    while (q.next()) {
        for (int i = 0; i < q.record().count(); ++i) texto += q.value(i).toString() + '|';
        texto += '\n';
    }
    return texto;
}

TEST(RecalculoGeneracion, TotalsAndReceiptsOfARunAreThoseOfRecalculatingEachInvoice) {
    test::TestDatabase t;
    test::EmpresaFacturacion e{t};
    TParametrosApp& o = ParametrosApp();
    o.SetValue(TFormatoRecibo::kNLineasCabecera, 1);
    o.SetValue(TFormatoRecibo::kLinea1Cabecera, QStringLiteral("CABECERA"));
    o.SetValue(TFormatoRecibo::kNLineasPie, 2);
    o.SetValue(TFormatoRecibo::kLinea2Pie, QStringLiteral("FIN"));
    o.SetValue(
        TFormatoRecibo::kLineaDetalle,
        QStringLiteral("AAAAAWWWWNNNcccCCCCgggGGGGDDDDDDDmmMMMMaaaabbbbbbuuuu%%%iiiiiiIIITTTTTTT"));
    o.SetValue(TFormatoRecibo::kConceptoSepa,
               QStringLiteral("[{fra_numero_factura} {fra_fecha_factura} {fra_nombre_mes} "
                              "{fra_importe_total} ]{concepto} {unidades}x{importe_base} "
                              "-{porcentaje_descuento}% {porcentaje_iva}% {importe_total};"));

    const int ana = e.Alumno(QStringLiteral("Gil, Ana"));
    const int m = e.Matricula(ana);
    e.Concepto(m, QStringLiteral("Cuota"), 40, true, 10, 21, 1.5);
    const int libro = e.Concepto(m, QStringLiteral("Libro"), 12.5, false, 10, 4, 3);
    e.Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET TPCDtoT14=10,BaseImponibleT14=33.75,"
                          "ImporteIvaIncluidoT14=35.1 WHERE IDConceptoMatriculaT14=%1")
               .arg(libro));
    e.Concepto(m, QStringLiteral("Matrícula"), 30, false, 10, 0);
    // A fourth rate stays out of the breakdown.
    e.Concepto(m, QStringLiteral("Comedor"), 20, true, 10, 10);
    // Entered with its total only: price and base are worked out.
    const int donativo = e.Concepto(m, QStringLiteral("Donativo"), 0, false, 10, 21);
    e.Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET ImporteIvaIncluidoT14=24.2 WHERE "
                          "IDConceptoMatriculaT14=%1")
               .arg(donativo));
    const int pau = e.Alumno(QStringLiteral("Roca, Pau"));
    e.Concepto(e.Matricula(pau), QStringLiteral("Cuota"), 10);
    e.Concepto(e.Matricula(pau), QStringLiteral("Cuota tarde"), 15.55, true, 10, 21, 2);

    TGeneracionFacturas g;
    g.mes = 10, g.anyo = 2025, g.fecha = QDate(2025, 10, 1), g.idSerie = 1;
    g.alumnos = {ana, pau};
    t.prompt().Push(QStringLiteral("yes"));
    const QList<int> ids = GenerarFacturas(g);
    ASSERT_EQ(ids.size(), 3);
    const QString cabeceras =
        QStringLiteral("SELECT * FROM T15FacturasCab ORDER BY IDFacturaCabT15");
    const QString lineas = QStringLiteral("SELECT * FROM T16FacturasCue ORDER BY IDFacturaCueT16");
    const QString generadas = Filas(t.db(), cabeceras) + Filas(t.db(), lineas);
    EXPECT_EQ(e.Scalar(QStringLiteral("SELECT ImporteBaseT16 || '|' || BaseImponibleT16 FROM "
                                      "T16FacturasCue WHERE DescConceptoT16='Donativo'"))
                  .toString(),
              QStringLiteral("20.0|20.0"));
    EXPECT_TRUE(e.Scalar(QStringLiteral("SELECT ConceptoSEPAT15 FROM T15FacturasCab WHERE "
                                        "IDFacturaCabT15=%1")
                             .arg(ids[0]))
                    .toString()
                    .startsWith(QStringLiteral("7 01/10/2025 Octubre ")));
    // Rates from the highest: 21, 10, 4; the 0 % line only counts in the totals.
    EXPECT_EQ(e.Scalar(QStringLiteral("SELECT TPCIva1T15 || '|' || TPCIva2T15 || '|' || "
                                      "TPCIva3T15 FROM T15FacturasCab WHERE IDFacturaCabT15=%1")
                           .arg(ids[0]))
                  .toString(),
              QStringLiteral("21.0|10.0|4.0"));

    for (int id : ids)
        EXPECT_EQ(RecalcularFactura(id),
                  VarToCurrency(e.Scalar(QStringLiteral("SELECT ImporteTotalT15 FROM "
                                                        "T15FacturasCab WHERE IDFacturaCabT15=%1")
                                             .arg(id)))
                      .value_or(Currency()));
    EXPECT_EQ(Filas(t.db(), cabeceras) + Filas(t.db(), lineas), generadas);
}

}  // namespace
}  // namespace zmk
