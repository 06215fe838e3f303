// Hundreds of invoices with random prices, units, discounts and VAT rates, billed and printed
// by the real binary: every invoice must add up to the cent in the database and on the PDF.
#include <gtest/gtest.h>

#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "host/currency.h"
#include "tests/support/testdb.h"

namespace zmk::test {
namespace {

constexpr int kAlumnos = 300;
const Currency kCien = Currency(100);
const Currency kMedioCentimo = Currency::FromRaw(50);
const Currency kCentimo = Currency::FromRaw(100);

Currency Dinero(const QVariant& v) {
    return VarToCurrency(v).value_or(Currency());
}

// "1.234,56" as printed.
Currency Impreso(QString texto) {
    texto.remove(QLatin1Char('.'));
    return *Currency::Parse(texto.replace(QLatin1Char(','), QLatin1Char('.')));
}

Currency Abs(Currency c) {
    return c < Currency() ? -c : c;
}

// The exact rate applied to a base, at four decimals.
Currency IvaExacto(Currency base, Currency iva) {
    return Currency::MulDiv({base, iva}, kCien, 4);
}

struct Tramo {
    Currency iva, base, cuota;
    int lineas = 0;
};

struct Factura {
    int numero = 0;
    Currency articulos, descuentos, bases, ivas, total;
    QMap<Currency, Tramo> tramos;  // from the lines, by rate
    int lineas = 0;
};

class FacturasAleatorias : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-v")}) < 0)
            FAIL() << "pdftotext is not installed (apt-get install poppler-utils)";
    }

    void Exec(const QString& sql) { t.db().ExecuteSQL(sql); }

    // A centre, a series, a course with its group and kAlumnos students, each with one to four
    // concepts. Their amounts are left for the program to work out (NULL), or are those of
    // another rate or discount, as an edit made outside the concept form leaves them.
    void Empresa(quint32 semilla) {
        QRandomGenerator azar(semilla);
        Exec(
            QStringLiteral("INSERT INTO T20Centros (IDCentroT20,CodigoCentroT20,NombreCentroT20,"
                           "ActivoT20) VALUES (1,'C1','Centro Uno',1)"));
        Exec(
            QStringLiteral("INSERT INTO T18Series (IDSerieT18,SerieT18,NSiguienteFacturaT18,"
                           "ActivaT18) VALUES (1,'A',1,1)"));
        Exec(
            QStringLiteral("INSERT INTO T17FormasCobro (IDFormaCobroT17,CodFormaCobroT17,"
                           "DescFormaCobroT17,UsaNorma19T17) VALUES (1,'EFE','Efectivo',0)"));
        Exec(
            QStringLiteral("INSERT INTO T03Cursos (IDCursoT03,ActivoT03,CodigoT03,DescripcionT03,"
                           "IDCentroT03) VALUES (1,1,'ING','Inglés',1)"));
        Exec(
            QStringLiteral("INSERT INTO T05Grupos (IDGrupoT05,IDCursoT05,IDCentroT05,CodigoT05,"
                           "NombreT05,ActivoT05) VALUES (1,1,1,'G1','Grupo',1)"));
        const int ivas[] = {0, 4, 10, 21};
        QStringList alumnos, matriculas, conceptos;
        int concepto = 0;
        for (int a = 1; a <= kAlumnos; ++a) {
            alumnos << QStringLiteral("(%1,1,%1,'Alumno %1',1,1)").arg(a);
            matriculas << QStringLiteral("(%1,1,1,%1,1)").arg(a);
            const int n = 1 + int(azar.bounded(4));
            for (int c = 0; c < n; ++c) {
                // Prices with two to four decimals, whole and fractional units, discounts with
                // up to two decimals (often none).
                const qint64 decimales = azar.bounded(10) < 7 ? 100 : 1;
                const Currency precio =
                    Currency::FromRaw((1 + qint64(azar.bounded(50000))) * decimales);
                const Currency unidades =
                    azar.bounded(4) == 0 ? Currency::FromRaw(qint64(azar.bounded(1, 40)) * 2500)
                                         : Currency(1 + int(azar.bounded(3)));
                const Currency dto = azar.bounded(3) == 0
                                         ? Currency()
                                         : Currency::FromRaw(qint64(azar.bounded(5000)) * 100);
                const int iva = ivas[azar.bounded(4)];
                QString base = QStringLiteral("NULL"), total = QStringLiteral("NULL");
                if (azar.bounded(3) == 0) {
                    base = precio.ToString();
                    total = (precio * Currency(2)).ToString();
                }
                conceptos << QStringLiteral("(%1,%2,1,'Concepto %1',%3,%4,%5,%6,%7,%8,1,1)")
                                 .arg(++concepto)
                                 .arg(a)
                                 .arg(precio.ToString(), unidades.ToString(), dto.ToString())
                                 .arg(iva)
                                 .arg(base, total);
            }
        }
        Exec(QStringLiteral("INSERT INTO T01Alumnos (IDAlumnoT01,IDCentroT01,CodigoT01,"
                            "NombreCompletoT01,IDFormaCobroT01,ActivoT01) VALUES ") +
             alumnos.join(QLatin1Char(',')));
        Exec(QStringLiteral("INSERT INTO T02Matriculas (IDMatriculaT02,IDGrupoT02,IDCentroT02,"
                            "IDAlumnoT02,ActivaT02) VALUES ") +
             matriculas.join(QLatin1Char(',')));
        Exec(QStringLiteral("INSERT INTO T14ConceptosMatricula (IDConceptoMatriculaT14,"
                            "IDMatriculaT14,IDCentroT14,ConceptoT14,ImporteBaseT14,UnidadesT14,"
                            "TPCDtoT14,TPCIvaT14,BaseImponibleT14,ImporteIvaIncluidoT14,"
                            "EsCuotaT14,ActivoT14) VALUES ") +
             conceptos.join(QLatin1Char(',')));
        Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET CobrarOctubreT14=1"));
    }

    // Every line and header of the database, checked as it is read.
    QMap<int, Factura> FacturasComprobadas() {
        QMap<int, Factura> facturas;
        QSqlQuery l = t.db().Query(
            QStringLiteral("SELECT IDFacturaCabT16,ImporteBaseT16,UnidadesT16,TPCDtoT16,TPCIvaT16,"
                           "BaseImponibleT16,ImporteIvaIncluidoT16 FROM T16FacturasCue"));
        while (l.next()) {
            Factura& f = facturas[l.value(0).toInt()];
            const Currency precio = Dinero(l.value(1)), unidades = Dinero(l.value(2)),
                           dto = Dinero(l.value(3)), iva = Dinero(l.value(4)),
                           base = Dinero(l.value(5)), total = Dinero(l.value(6));
            const Currency exacta = Currency::MulDiv({precio, unidades, kCien - dto}, kCien, 4);
            EXPECT_TRUE(base.HasDecimals(2) && total.HasDecimals(2))
                << base.ToString(4).toStdString();
            EXPECT_LE(Abs(base - exacta), kMedioCentimo) << exacta.ToString().toStdString();
            // A line may carry a cent of its rate's quota, never more.
            EXPECT_LT(Abs(total - base - IvaExacto(base, iva)), kCentimo);
            Tramo& tramo = f.tramos[iva];
            tramo.iva = iva;
            tramo.base += base;
            tramo.cuota += total - base;
            ++tramo.lineas;
            ++f.lineas;
        }
        QSqlQuery c = t.db().Query(QStringLiteral(
            "SELECT IDFacturaCabT15,NumeroT15,ImporteArticulosT15,ImporteDescuentosT15,"
            "ImporteBasesImponiblesT15,ImporteIvasT15,ImporteTotalT15,TPCIva1T15,"
            "BaseImponible1T15,ImporteIva1T15,TPCIva2T15,BaseImponible2T15,ImporteIva2T15,"
            "TPCIva3T15,BaseImponible3T15,ImporteIva3T15 FROM T15FacturasCab"));
        while (c.next()) {
            Factura& f = facturas[c.value(0).toInt()];
            f.numero = c.value(1).toInt();
            f.articulos = Dinero(c.value(2));
            f.descuentos = Dinero(c.value(3));
            f.bases = Dinero(c.value(4));
            f.ivas = Dinero(c.value(5));
            f.total = Dinero(c.value(6));
            const std::string id = "invoice " + std::to_string(f.numero);
            for (Currency importe : {f.articulos, f.descuentos, f.bases, f.ivas, f.total})
                EXPECT_TRUE(importe.HasDecimals(2))
                    << id << " " << importe.ToString().toStdString();
            EXPECT_EQ(f.articulos + f.descuentos, f.bases) << id;
            EXPECT_EQ(f.bases + f.ivas, f.total) << id;
            Currency bases, cuotas;
            for (const Tramo& tramo : f.tramos) {
                bases += tramo.base;
                cuotas += tramo.cuota;
                EXPECT_LE(Abs(tramo.cuota - IvaExacto(tramo.base, tramo.iva)), kMedioCentimo) << id;
            }
            EXPECT_EQ(bases, f.bases) << id;
            EXPECT_EQ(cuotas, f.ivas) << id;
            // The three slots hold the highest rates with their lines' sums.
            auto tramo = f.tramos.cend();
            for (int s = 0; s < 3; ++s) {
                const QVariant porcentaje = c.value(7 + 3 * s);
                if (tramo == f.tramos.cbegin()) {
                    EXPECT_TRUE(porcentaje.isNull()) << id;
                    continue;
                }
                --tramo;
                EXPECT_EQ(Dinero(porcentaje), tramo->iva) << id;
                EXPECT_EQ(Dinero(c.value(8 + 3 * s)), tramo->base) << id;
                EXPECT_EQ(Dinero(c.value(9 + 3 * s)), tramo->cuota) << id;
            }
        }
        return facturas;
    }

    TestDatabase t;
};

TEST_F(FacturasAleatorias, EveryInvoiceAddsUpToTheCentInTheDatabaseOnItsPdfAndOnItsReceipt) {
    Empresa(20261009);
    const CliResult generar = RunCli({"--db", t.path(), "--centre", "1", "--answer", "yes",
                                      "billing", "generate", "--month", "10", "--year", "2026",
                                      "--date", "2026-10-01", "--series", "1", "--rows", "all"});
    ASSERT_EQ(generar.status, 0) << generar.err.toStdString();
    const QMap<int, Factura> facturas = FacturasComprobadas();
    ASSERT_EQ(facturas.size(), kAlumnos);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("facturas.pdf"));
    const CliResult informe = RunCli({"--db", t.path(), "report", "pdf", "101", "", pdf});
    ASSERT_EQ(informe.status, 0) << informe.err.toStdString();
    QProcess texto;
    texto.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(texto.waitForFinished(120000));
    const QString paginas = QString::fromUtf8(texto.readAllStandardOutput());

    QMap<int, Factura> porNumero;
    for (const Factura& f : facturas) porNumero.insert(f.numero, f);
    const QString importe = QStringLiteral("(-?[0-9.]+,[0-9]{2})");
    const QRegularExpression numero(QStringLiteral("N\\.º\\s+A/(\\d+)"));
    const QRegularExpression tramo(QStringLiteral("^\\s*(\\d+(?:,\\d+)?)\\s+") + importe +
                                   QStringLiteral("\\s+") + importe + QStringLiteral("\\s+") +
                                   importe + QStringLiteral("(?:\\s|$)"));
    const QRegularExpression totalFactura(QStringLiteral("TOTAL\\s+") + importe +
                                          QStringLiteral("\\s+EUR"));
    const QRegularExpression base(QStringLiteral("Base imponible\\s+") + importe);
    const QRegularExpression iva(QStringLiteral("\\bIVA\\s+") + importe);
    int comprobadas = 0;
    for (const QString& pagina : paginas.split(QLatin1Char('\f'), Qt::SkipEmptyParts)) {
        const auto n = numero.match(pagina);
        if (!n.hasMatch()) continue;
        ASSERT_TRUE(porNumero.contains(n.captured(1).toInt())) << n.captured(1).toStdString();
        const Factura& f = porNumero[n.captured(1).toInt()];
        const std::string id = "printed invoice " + n.captured(1).toStdString();
        Currency bases, cuotas, totales;
        int tramos = 0;
        for (const QString& linea : pagina.split(QLatin1Char('\n'))) {
            const auto m = tramo.match(linea);
            if (!m.hasMatch()) continue;
            const Currency porcentaje = Impreso(m.captured(1)), b = Impreso(m.captured(2)),
                           cuota = Impreso(m.captured(3)), total = Impreso(m.captured(4));
            EXPECT_EQ(b + cuota, total) << id;
            ASSERT_TRUE(f.tramos.contains(porcentaje)) << id;
            const Tramo& t = f.tramos[porcentaje];
            EXPECT_EQ(b, t.base) << id;
            EXPECT_EQ(cuota, t.cuota) << id;
            EXPECT_LE(Abs(cuota - IvaExacto(b, porcentaje)), kMedioCentimo) << id;
            bases += b;
            cuotas += cuota;
            totales += total;
            ++tramos;
        }
        EXPECT_EQ(tramos, f.tramos.size()) << id;
        const auto t = totalFactura.match(pagina), b = base.match(pagina), i = iva.match(pagina);
        ASSERT_TRUE(t.hasMatch() && b.hasMatch() && i.hasMatch()) << id;
        EXPECT_EQ(Impreso(t.captured(1)), f.total) << id;
        EXPECT_EQ(Impreso(b.captured(1)), f.bases) << id;
        EXPECT_EQ(Impreso(i.captured(1)), f.ivas) << id;
        EXPECT_EQ(totales, f.total) << id;
        EXPECT_EQ(bases + cuotas, f.total) << id;
        EXPECT_FALSE(pagina.contains(QStringLiteral("--"))) << id;
        ++comprobadas;
    }
    EXPECT_EQ(comprobadas, kAlumnos);

    // The receipts of the same invoices charge each invoice's total, written as money.
    const QString recibos = dir.filePath(QStringLiteral("recibos.pdf"));
    const CliResult impresos = RunCli({"--db", t.path(), "report", "pdf", "102", "", recibos});
    ASSERT_EQ(impresos.status, 0) << impresos.err.toStdString();
    texto.start(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), recibos, QStringLiteral("-")});
    ASSERT_TRUE(texto.waitForFinished(120000));
    const QRegularExpression cargo(importe + QStringLiteral("\\s+EUR"));
    comprobadas = 0;
    for (const QString& pagina :
         QString::fromUtf8(texto.readAllStandardOutput()).split(QLatin1Char('\f'))) {
        const auto n = numero.match(pagina);
        if (!n.hasMatch()) continue;
        const std::string id = "printed receipt " + n.captured(1).toStdString();
        const auto m = cargo.match(pagina);
        ASSERT_TRUE(m.hasMatch()) << id << "\n" << pagina.toStdString();
        EXPECT_EQ(Impreso(m.captured(1)), porNumero[n.captured(1).toInt()].total) << id;
        EXPECT_FALSE(pagina.contains(QRegularExpression(QStringLiteral("--[0-9]")))) << id;
        ++comprobadas;
    }
    EXPECT_EQ(comprobadas, kAlumnos);
}

}  // namespace
}  // namespace zmk::test
