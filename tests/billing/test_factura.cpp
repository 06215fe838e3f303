#include <gtest/gtest.h>

#include <QSqlQuery>

#include "billing/factura.h"
#include "billing/textorecibo.h"
#include "core/parametrosapp.h"
#include "core/sqlhelpers.h"
#include "host/errors.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

Currency C(const char* text) {
    return *Currency::Parse(QString::fromLatin1(text));
}

struct Linea {
    const char* concepto;
    const char* precio;
    const char* unidades;
    const char* dto;
    const char* iva;
    const char* base;   // as stored before recalculating
    const char* total;  // as stored before recalculating
};

class FacturaTest : public ::testing::Test {
  protected:
    int NuevaFactura(const QVariantList& numeroYSerie = {QVariant(), QVariant()}) {
        return CreaRegistreNouID(
                   t.db(), QStringLiteral("T15FacturasCab"), QStringLiteral("IDFacturaCabT15"),
                   {QStringLiteral("NumeroT15"), QStringLiteral("IDSerieT15"),
                    QStringLiteral("FechaT15")},
                   {numeroYSerie[0], numeroYSerie[1], QDateTime(QDate(2014, 3, 1), QTime())})
            .toInt();
    }
    int NuevaLinea(int factura, const Linea& l) {
        auto money = [](const char* v) { return QVariant::fromValue(C(v)); };
        return CreaRegistreNouID(
                   t.db(), QStringLiteral("T16FacturasCue"), QStringLiteral("IDFacturaCueT16"),
                   {QStringLiteral("IDFacturaCabT16"), QStringLiteral("DescConceptoT16"),
                    QStringLiteral("NombreAlumnoT16"), QStringLiteral("NMesFacturadoT16"),
                    QStringLiteral("AnyoFacturadoT16"), QStringLiteral("ImporteBaseT16"),
                    QStringLiteral("UnidadesT16"), QStringLiteral("TPCDtoT16"),
                    QStringLiteral("TPCIvaT16"), QStringLiteral("BaseImponibleT16"),
                    QStringLiteral("ImporteIvaIncluidoT16")},
                   {factura, QString::fromUtf8(l.concepto), QStringLiteral("Ana Pérez"), 3, 2014,
                    money(l.precio), money(l.unidades), money(l.dto), money(l.iva), money(l.base),
                    money(l.total)})
            .toInt();
    }
    Currency Importe(const QString& campo, int factura) {
        QVariant v = ValorCamp(QStringLiteral("T15FacturasCab"), campo,
                               QStringLiteral("IDFacturaCabT15=") + ValorSQL(factura));
        return VarToCurrency(v).value_or(C("-99999"));
    }
    bool EsNulo(const QString& campo, int factura) {
        return ValorCamp(QStringLiteral("T15FacturasCab"), campo,
                         QStringLiteral("IDFacturaCabT15=") + ValorSQL(factura))
            .isNull();
    }
    QString Texto(const QString& campo, int factura) {
        return ValorCamp(QStringLiteral("T15FacturasCab"), campo,
                         QStringLiteral("IDFacturaCabT15=") + ValorSQL(factura))
            .toString();
    }
    QString Linea(int n, int factura) {
        return Texto(QStringLiteral("Linea%1T15").arg(n, 2, 10, QLatin1Char('0')), factura);
    }

    test::TestDatabase t;
};

TEST_F(FacturaTest, TotalsOfADiscountedLine) {
    int f = NuevaFactura();
    NuevaLinea(f, {"Cuota", "10", "3", "10", "21", "27", "32.67"});
    EXPECT_EQ(RecalcularFactura(f), C("32.67"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteArticulosT15"), f), C("30"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteDescuentosT15"), f), C("-3"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteBasesImponiblesT15"), f), C("27"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteIvasT15"), f), C("5.67"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteTotalT15"), f), C("32.67"));
    EXPECT_EQ(Importe(QStringLiteral("TPCIva1T15"), f), C("21"));
    EXPECT_EQ(Importe(QStringLiteral("BaseImponible1T15"), f), C("27"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteIva1T15"), f), C("5.67"));
    for (const char* campo : {"TPCIva2T15", "BaseImponible2T15", "ImporteIva2T15", "TPCIva3T15",
                              "BaseImponible3T15", "ImporteIva3T15"})
        EXPECT_TRUE(EsNulo(QString::fromLatin1(campo), f)) << campo;
}

TEST_F(FacturaTest, ThreeVatSlotsAndAFourthRateInTheTotalsOnly) {
    int f = NuevaFactura();
    NuevaLinea(f, {"Sin IVA", "10", "1", "0", "0", "10", "10"});
    NuevaLinea(f, {"Libro", "25", "1", "0", "4", "25", "26"});
    NuevaLinea(f, {"Cuota", "100", "1", "0", "21", "100", "121"});
    NuevaLinea(f, {"Comedor", "50", "1", "0", "10", "50", "55"});
    NuevaLinea(f, {"Material", "20", "2", "50", "21", "20", "24.2"});
    EXPECT_EQ(RecalcularFactura(f), C("236.2"));
    EXPECT_EQ(Importe(QStringLiteral("TPCIva1T15"), f), C("21"));
    EXPECT_EQ(Importe(QStringLiteral("BaseImponible1T15"), f), C("120"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteIva1T15"), f), C("25.2"));
    EXPECT_EQ(Importe(QStringLiteral("TPCIva2T15"), f), C("10"));
    EXPECT_EQ(Importe(QStringLiteral("BaseImponible2T15"), f), C("50"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteIva2T15"), f), C("5"));
    EXPECT_EQ(Importe(QStringLiteral("TPCIva3T15"), f), C("4"));
    EXPECT_EQ(Importe(QStringLiteral("BaseImponible3T15"), f), C("25"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteIva3T15"), f), C("1"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteBasesImponiblesT15"), f), C("205"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteIvasT15"), f), C("31.2"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteArticulosT15"), f), C("225"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteDescuentosT15"), f), C("-20"));
}

TEST_F(FacturaTest, LineEnteredWithItsTotalOnly) {
    int f = NuevaFactura();
    int l = NuevaLinea(f, {"Cuota", "0", "1", "0", "21", "0", "121"});
    EXPECT_EQ(RecalcularFactura(f), C("121"));
    EXPECT_EQ(
        VarToCurrency(ValorCamp(QStringLiteral("T16FacturasCue"), QStringLiteral("ImporteBaseT16"),
                                QStringLiteral("IDFacturaCueT16=") + ValorSQL(l))),
        C("100"));
    EXPECT_EQ(VarToCurrency(ValorCamp(QStringLiteral("T16FacturasCue"),
                                      QStringLiteral("BaseImponibleT16"),
                                      QStringLiteral("IDFacturaCueT16=") + ValorSQL(l))),
              C("100"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteIvasT15"), f), C("21"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteArticulosT15"), f), C("100"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteDescuentosT15"), f), C("0"));
}

TEST_F(FacturaTest, InvoiceWithoutLinesHasZeroTotalsAndEmptySlots) {
    int f = NuevaFactura();
    EXPECT_EQ(RecalcularFactura(f), C("0"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteTotalT15"), f), C("0"));
    EXPECT_TRUE(EsNulo(QStringLiteral("TPCIva1T15"), f));
}

TEST_F(FacturaTest, ReceiptLinesWithTheDefaultLayout) {
    int f = NuevaFactura();
    NuevaLinea(f, {"Cuota Marzo", "10", "3", "10", "21", "27", "32.67"});
    NuevaLinea(f, {"Libro", "1234.5", "1", "0", "0", "1234.5", "1234.5"});
    RecalcularFactura(f);
    EXPECT_EQ(Linea(1, f), QString(32, QLatin1Char(' ')) + QStringLiteral("CONCEPTO") +
                               QString(33, QLatin1Char(' ')) + QStringLiteral("IMPORTE"));
    EXPECT_EQ(Linea(2, f),
              QString(72, QLatin1Char('-')) + QLatin1Char(' ') + QString(7, QLatin1Char('-')));
    EXPECT_EQ(Linea(3, f),
              QStringLiteral("Cuota Marzo").leftJustified(72) + QStringLiteral("   32,67"));
    EXPECT_EQ(Linea(4, f), QStringLiteral("Libro").leftJustified(72) + QStringLiteral(" 1234,50"));
    EXPECT_EQ(Linea(5, f), QString(80, QLatin1Char('=')));
    for (int n = 6; n <= 8; ++n) EXPECT_EQ(Linea(n, f), QString()) << n;
    EXPECT_EQ(Texto(QStringLiteral("ConceptoSEPAT15"), f), QStringLiteral("Cuota MarzoLibro"));
}

TEST_F(FacturaTest, TenLinesKeepTheHeaderAndTheFirstSixDetailLines) {
    int f = NuevaFactura();
    for (int i = 1; i <= 10; ++i) {
        QByteArray concepto = QStringLiteral("Concepto %1").arg(i).toUtf8();
        NuevaLinea(f, {concepto.constData(), "1", "1", "0", "0", "1", "1"});
    }
    RecalcularFactura(f);
    EXPECT_TRUE(Linea(2, f).startsWith(QLatin1Char('-')));
    EXPECT_TRUE(Linea(3, f).startsWith(QStringLiteral("Concepto 1 ")));
    EXPECT_TRUE(Linea(8, f).startsWith(QStringLiteral("Concepto 6 ")));
}

TEST_F(FacturaTest, CustomTemplate) {
    TParametrosApp& o = ParametrosApp();
    o.SetValue(TFormatoRecibo::kNLineasCabecera, 1);
    o.SetValue(TFormatoRecibo::kLinea1Cabecera, QStringLiteral("ALUMNO"));
    o.SetValue(TFormatoRecibo::kNLineasPie, 2);
    o.SetValue(TFormatoRecibo::kLinea2Pie, QStringLiteral("FIN"));
    // Name, month name, year, units, discount, VAT, and a total cut to five columns.
    o.SetValue(TFormatoRecibo::kLineaDetalle,
               QStringLiteral("AAAAAAAA|MMMMMM-aaaa uu %%%% III TTTTT bbbbbbb iiiiiii mm"));
    int f = NuevaFactura();
    NuevaLinea(f, {"Cuota", "1000", "3", "12.5", "21", "0", "0"});
    // 3 x 1000 less 12.5 % = 2625, plus VAT 551.25 = 3176.25
    t.db().ExecuteSQL(
        QStringLiteral("UPDATE T16FacturasCue SET BaseImponibleT16=2625, "
                       "ImporteIvaIncluidoT16=3176.25"));
    RecalcularFactura(f);
    EXPECT_EQ(Linea(1, f), QStringLiteral("ALUMNO"));
    EXPECT_EQ(Linea(2, f),
              QStringLiteral("Ana Pére Marzo  2014  3 12,5  21 3176, 1000,00 2625,00 3 ")
                  .leftJustified(80));
    EXPECT_EQ(Linea(3, f), QString(80, QLatin1Char('=')));
    EXPECT_EQ(Linea(4, f), QStringLiteral("FIN"));
}

TEST_F(FacturaTest, ValuesHoldingFieldLettersDoNotDisturbLaterFields) {
    ParametrosApp().SetValue(TFormatoRecibo::kNLineasCabecera, 0);
    ParametrosApp().SetValue(TFormatoRecibo::kLineaDetalle, QStringLiteral("DDDDDDDDDD TTTTTT"));
    int f = NuevaFactura();
    NuevaLinea(f, {"TTT DDD", "5", "1", "0", "0", "5", "5"});
    RecalcularFactura(f);
    EXPECT_EQ(Linea(1, f),
              (QStringLiteral("TTT DDD") + QString(6, QLatin1Char(' ')) + QStringLiteral("5,00"))
                  .leftJustified(80));
}

TEST_F(FacturaTest, SepaConceptTakesOptionalTextFromTheFirstLineOnly) {
    ParametrosApp().SetValue(TFormatoRecibo::kConceptoSepa,
                             QStringLiteral("{concepto}[ {nombre_alumno}]"));
    int f = NuevaFactura({7, QVariant()});
    NuevaLinea(f, {"Cuota Marzo", "10", "1", "0", "0", "10", "10"});
    NuevaLinea(f, {"Libro", "10", "1", "0", "0", "10", "10"});
    RecalcularFactura(f);
    EXPECT_EQ(Texto(QStringLiteral("ConceptoSEPAT15"), f),
              QStringLiteral("Cuota Marzo Ana PérezLibro"));

    ParametrosApp().SetValue(
        TFormatoRecibo::kConceptoSepa,
        QStringLiteral("Fra {fra_numero_factura} {fra_fecha_factura} {fra_nombre_mes} "
                       "{fra_anyo} {fra_importe_total}; "));
    RecalcularFactura(f);
    EXPECT_EQ(Texto(QStringLiteral("ConceptoSEPAT15"), f),
              QStringLiteral("Fra 7 01/03/2014 Marzo 2014 20,00; Fra 7 01/03/2014 Marzo 2014 "
                             "20,00; "));
}

TEST_F(FacturaTest, SepaConceptIsCutAndStrayBracesAreShown) {
    ParametrosApp().SetValue(TFormatoRecibo::kConceptoSepa,
                             QStringLiteral("{concepto} {x}") + QString(100, QLatin1Char('.')));
    int f = NuevaFactura();
    NuevaLinea(f, {"A", "1", "1", "0", "0", "1", "1"});
    NuevaLinea(f, {"B", "1", "1", "0", "0", "1", "1"});
    RecalcularFactura(f);
    QString sepa = Texto(QStringLiteral("ConceptoSEPAT15"), f);
    EXPECT_EQ(sepa.size(), 140);
    EXPECT_TRUE(sepa.startsWith(QStringLiteral("A {x}...")));
    EXPECT_EQ(t.prompt().Log().filter(QStringLiteral("Encontrado un carácter")).size(), 2);
}

TEST_F(FacturaTest, NextInvoiceNumber) {
    int serie =
        CreaRegistreNouID(t.db(), QStringLiteral("T18Series"), QStringLiteral("IDSerieT18"),
                          {QStringLiteral("SerieT18"), QStringLiteral("NSiguienteFacturaT18")},
                          {QStringLiteral("A"), 57})
            .toInt();
    EXPECT_EQ(SiguienteNumeroFactura(serie), 57);
    EXPECT_EQ(SiguienteNumeroFactura(QVariant()), 1);
    NuevaFactura({3, QVariant()});
    NuevaFactura({8, QVariant()});
    NuevaFactura({100, serie});
    NuevaFactura();
    EXPECT_EQ(SiguienteNumeroFactura(QVariant()), 9);
    EXPECT_EQ(SiguienteNumeroFactura(serie + 1), 9);
    EXPECT_EQ(SiguienteNumeroFactura(serie), 57);
}

TEST_F(FacturaTest, BulkRecalculationCommitsOnlyWhenAcceptedAndSaysHowManyChanged) {
    int f1 = NuevaFactura();
    NuevaLinea(f1, {"Cuota", "10", "3", "10", "21", "27", "32.67"});
    int f2 = NuevaFactura();
    NuevaLinea(f2, {"Cuota", "0", "1", "0", "21", "0", "121"});
    int f3 = NuevaFactura();
    NuevaLinea(f3, {"Cuota", "10", "1", "0", "21", "10", "12.1"});
    // Billed before amounts were kept in cents: a base of 37.525.
    int f4 = NuevaFactura();
    int vieja = NuevaLinea(f4, {"Cuota", "38", "1", "1.25", "0", "37.525", "37.53"});
    t.db().ExecuteSQL(QStringLiteral("UPDATE T15FacturasCab SET ImporteTotalT15=37.53 WHERE "
                                     "IDFacturaCabT15=") +
                      ValorSQL(f4));

    t.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(RecalcularFacturasAntiguas(), EAbort);
    EXPECT_FALSE(t.db().InTransaction());
    EXPECT_TRUE(EsNulo(QStringLiteral("ImporteTotalT15"), f1));
    EXPECT_EQ(VarToCurrency(ValorCamp(QStringLiteral("T16FacturasCue"),
                                      QStringLiteral("BaseImponibleT16"),
                                      QStringLiteral("IDFacturaCueT16=") + ValorSQL(vieja))),
              C("37.525"));

    RecalcularFactura(f1);
    t.prompt().Push(QStringLiteral("yes"));
    RecalcularFacturasAntiguas();
    EXPECT_TRUE(t.prompt().Log().contains(
        QStringLiteral("QUESTION : El proceso ha finalizado correctamente\\n\\nSe han "
                       "recalculado 3 facturas\\n2 de ellas han cambiado de importe\\n\\n"
                       "¿Aceptar el proceso?")))
        << t.prompt().Log().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Importe(QStringLiteral("ImporteTotalT15"), f1), C("32.67"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteTotalT15"), f2), C("121"));
    EXPECT_TRUE(EsNulo(QStringLiteral("ImporteTotalT15"), f3));
    EXPECT_EQ(VarToCurrency(ValorCamp(QStringLiteral("T16FacturasCue"),
                                      QStringLiteral("BaseImponibleT16"),
                                      QStringLiteral("IDFacturaCueT16=") + ValorSQL(vieja))),
              C("37.53"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteIvasT15"), f4), C("0"));
}

TEST_F(FacturaTest, ADiscountedLineAtZeroPercentAddsUpToTheCent) {
    // 38 less 1.25 % at 0 %: no VAT quota of 0.01 and no header amount with more than two
    // decimals, even for a line stored with the four-decimal base of earlier versions.
    int f = NuevaFactura();
    NuevaLinea(f, {"Cuota", "38", "1", "1.25", "0", "37.525", "37.53"});
    NuevaLinea(f, {"Libro", "0.125", "3", "0", "21", "0.375", "0.45"});
    const Currency total = RecalcularFactura(f);
    auto importe = [&](const char* campo) { return Importe(QString::fromLatin1(campo), f); };
    EXPECT_EQ(importe("ImporteIva2T15"), C("0"));
    EXPECT_EQ(importe("BaseImponible2T15"), C("37.53"));
    EXPECT_EQ(importe("BaseImponible1T15"), C("0.38"));
    EXPECT_EQ(importe("ImporteIva1T15"), C("0.08"));
    EXPECT_EQ(importe("ImporteArticulosT15") + importe("ImporteDescuentosT15"),
              importe("ImporteBasesImponiblesT15"));
    EXPECT_EQ(importe("ImporteBasesImponiblesT15") + importe("ImporteIvasT15"),
              importe("ImporteTotalT15"));
    EXPECT_EQ(importe("ImporteTotalT15"), total);
    EXPECT_EQ(total, C("37.99"));
    for (const char* campo : {"ImporteArticulosT15", "ImporteDescuentosT15", "ImporteTotalT15",
                              "ImporteBasesImponiblesT15", "ImporteIvasT15", "BaseImponible1T15",
                              "ImporteIva1T15", "BaseImponible2T15", "ImporteIva2T15"})
        EXPECT_TRUE(importe(campo).HasDecimals(2))
            << campo << importe(campo).ToString().toStdString();
    EXPECT_EQ(importe("ImporteDescuentosT15"), C("-0.47"));
}

// Three lines of 1.02 at 21 %: each line's own VAT is 0.21 (0.2142), but the rate's quota is
// 21 % of 3.06, 0.64. The cent left over goes to one line's total, so the lines, the quota and
// the total agree, and a second recalculation changes nothing.
TEST_F(FacturaTest, ARatesQuotaIsTheRateOfItsBaseAndTheLinesCarryIt) {
    int f = NuevaFactura();
    for (const char* c : {"Uno", "Dos", "Tres"})
        NuevaLinea(f, {c, "1.02", "1", "0", "21", "1.02", "1.23"});
    EXPECT_EQ(RecalcularFactura(f), C("3.70"));
    EXPECT_EQ(Importe(QStringLiteral("BaseImponible1T15"), f), C("3.06"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteIva1T15"), f), C("0.64"));
    EXPECT_EQ(Importe(QStringLiteral("ImporteIvasT15"), f), C("0.64"));
    QSqlQuery q = t.db().Query(
        QStringLiteral("SELECT SUM(ImporteIvaIncluidoT16), MAX(ImporteIvaIncluidoT16), "
                       "MIN(ImporteIvaIncluidoT16) FROM T16FacturasCue WHERE IDFacturaCabT16=") +
        ValorSQL(f));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(*VarToCurrency(q.value(0)), C("3.70"));
    EXPECT_EQ(*VarToCurrency(q.value(1)), C("1.24"));
    EXPECT_EQ(*VarToCurrency(q.value(2)), C("1.23"));
    TRecalculoFacturas otra(t.db());
    EXPECT_EQ(otra.Recalcular(f), C("3.70"));
    EXPECT_EQ(otra.Cambiadas(), 0u);
}

}  // namespace
}  // namespace zmk
