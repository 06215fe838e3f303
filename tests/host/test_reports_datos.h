#pragma once
// A centre, an invoice with three lines at two VAT rates, a settlement and a grade bulletin, for
// the report tests.
#include <QDate>
#include <QDateTime>

#include "core/sqlhelpers.h"
#include "host/currency.h"
#include "host/database.h"

namespace zmk::test {

struct ReportData {
    int centro = 0;
    int factura = 0;
    int liquidacion = 0;
    int boletin = 0;
};

inline QVariant Money(const char* text) {
    return QVariant::fromValue(*Currency::Parse(QString::fromLatin1(text)));
}

inline ReportData CrearDatosInformes(TDataBaseZMK& db) {
    ReportData d;
    const QDateTime fecha(QDate(2026, 10, 1), QTime(0, 0));
    d.centro = CreaRegistreNouID(
                   db, QStringLiteral("T20Centros"), QStringLiteral("IDCentroT20"),
                   {QStringLiteral("CodigoCentroT20"), QStringLiteral("NombreCentroT20"),
                    QStringLiteral("DireccionT20"), QStringLiteral("CPT20"),
                    QStringLiteral("PoblacionT20"), QStringLiteral("CIFT20")},
                   {"C1", "Academia Sol & Luna", "Calle Mayor 1", "28001", "Madrid", "B12345678"})
                   .toInt();
    d.factura =
        CreaRegistreNouID(db, QStringLiteral("T15FacturasCab"), QStringLiteral("IDFacturaCabT15"),
                          {QStringLiteral("IDCentroT15"),
                           QStringLiteral("SerieT15"),
                           QStringLiteral("NumeroT15"),
                           QStringLiteral("FechaT15"),
                           QStringLiteral("NombreT15"),
                           QStringLiteral("NIFT15"),
                           QStringLiteral("DireccionT15"),
                           QStringLiteral("IBANT15"),
                           QStringLiteral("ReferenciaMandatoT15"),
                           QStringLiteral("ImporteArticulosT15"),
                           QStringLiteral("ImporteBasesImponiblesT15"),
                           QStringLiteral("ImporteIvasT15"),
                           QStringLiteral("ImporteTotalT15"),
                           QStringLiteral("TPCIva1T15"),
                           QStringLiteral("BaseImponible1T15"),
                           QStringLiteral("ImporteIva1T15"),
                           QStringLiteral("TPCIva2T15"),
                           QStringLiteral("BaseImponible2T15"),
                           QStringLiteral("ImporteIva2T15"),
                           QStringLiteral("Linea01T15"),
                           QStringLiteral("Linea08T15")},
                          {d.centro,
                           "A01",
                           17,
                           fecha,
                           "María O'Neill <Pérez>",
                           "12345678Z",
                           "Av. Sur 3",
                           "ES9121000418450200051332",
                           "MANDATO-0001",
                           Money("1250"),
                           Money("1250"),
                           Money("210"),
                           Money("1460"),
                           Money("21"),
                           Money("1000"),
                           Money("210"),
                           Money("0"),
                           Money("250"),
                           Money("0"),
                           "CONCEPTO     IMPORTE",
                           "TOTAL RECIBO 1.460,00"})
            .toInt();
    const char* conceptos[] = {"Mensualidad inglés", "Matrícula", "Libro de texto"};
    const char* bases[] = {"600", "400", "250"};
    const char* ivas[] = {"21", "21", "0"};
    for (int i = 0; i < 3; ++i)
        CreaRegistre(db, QStringLiteral("T16FacturasCue"),
                     {QStringLiteral("IDFacturaCabT16"), QStringLiteral("NOrdenT16"),
                      QStringLiteral("DescConceptoT16"), QStringLiteral("NMesFacturadoT16"),
                      QStringLiteral("AnyoFacturadoT16"), QStringLiteral("UnidadesT16"),
                      QStringLiteral("ImporteBaseT16"), QStringLiteral("BaseImponibleT16"),
                      QStringLiteral("TPCIvaT16")},
                     {d.factura, 3 - i, QString::fromUtf8(conceptos[i]), 10, 2026, Money("1"),
                      Money(bases[i]), Money(bases[i]), Money(ivas[i])});
    d.liquidacion =
        CreaRegistreNouID(db, QStringLiteral("T27LiquidacionesCab"),
                          QStringLiteral("IDLiquidacionCabT27"),
                          {QStringLiteral("IDCentroT27"), QStringLiteral("NLiquidacionT27"),
                           QStringLiteral("FechaLiquidacionT27"), QStringLiteral("NombreT27"),
                           QStringLiteral("ImporteLiquidadoT27")},
                          {d.centro, 5, fecha, "Ana Profesora", Money("300")})
            .toInt();
    CreaRegistre(db, QStringLiteral("T28LiquidacionesCue"),
                 {QStringLiteral("IDLiquidacionCabT28"), QStringLiteral("DescripcionT28"),
                  QStringLiteral("UnidadesT28"), QStringLiteral("PrecioUnitarioT28"),
                  QStringLiteral("ImporteLineaT28")},
                 {d.liquidacion, "Horas de clase", Money("20"), Money("15"), Money("300")});
    const int alumno =
        CreaRegistreNouID(db, QStringLiteral("T01Alumnos"), QStringLiteral("IDAlumnoT01"),
                          {QStringLiteral("IDCentroT01"), QStringLiteral("NombreCompletoT01")},
                          {d.centro, "Lucía Gómez"})
            .toInt();
    const int matricula =
        CreaRegistreNouID(db, QStringLiteral("T02Matriculas"), QStringLiteral("IDMatriculaT02"),
                          {QStringLiteral("IDCentroT02"), QStringLiteral("IDAlumnoT02"),
                           QStringLiteral("NMatriculaT02")},
                          {d.centro, alumno, "M-7"})
            .toInt();
    d.boletin = CreaRegistreNouID(
                    db, QStringLiteral("T24BoletinesNotas"), QStringLiteral("IDBoletinNotasT24"),
                    {QStringLiteral("NombreConc1T24"), QStringLiteral("ValoresConc1T24"),
                     QStringLiteral("NombreConc2T24"), QStringLiteral("ValoresConc2T24")},
                    {"Inglés", "{Oral|Escrito}{A|B|C}", "Actitud", "{}{Buena|Mala}"})
                    .toInt();
    CreaRegistre(db, QStringLiteral("T25NotasBoletin"),
                 {QStringLiteral("IDBoletinNotasT25"), QStringLiteral("IDMatriculaT25"),
                  QStringLiteral("ValorConc1T25"), QStringLiteral("ValorConc2T25")},
                 {d.boletin, matricula, "A|B", "Buena"});
    return d;
}

}  // namespace zmk::test
