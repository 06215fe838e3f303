// An invoice keeps the issuer it was issued with: the company data of the day, whatever they
// say later; its return copy is the same invoice; a company file of before gets the columns.
#include <gtest/gtest.h>

#include "billing/emisorfactura.h"
#include "billing/funcionesfacturas.h"
#include "billing/generarfacturas.h"
#include "core/datosempresa.h"
#include "tests/billing/test_generar_datos.h"

namespace zmk {
namespace {

class EmisorFactura : public ::testing::Test {
  protected:
    void Empresa(const QString& nombre, const QString& cif) {
        QStringList datos(kDatosEmpresa, QString());
        datos[0] = nombre;
        datos[1] = QStringLiteral("Calle Mayor 1");
        datos[2] = QStringLiteral("Lleida");
        datos[3] = QStringLiteral("25001");
        datos[4] = cif;
        GuardaDatosEmpresa(datos);
    }
    void Alumna() {
        alumno_ = e_.Alumno(QStringLiteral("Ana"));
        const int matricula = e_.Matricula(alumno_);
        for (int mes : {10, 11, 12}) e_.Concepto(matricula, QStringLiteral("Cuota"), 10, true, mes);
    }
    int Facturar(int mes) {
        TGeneracionFacturas g;
        g.mes = mes, g.anyo = 2025, g.fecha = QDate(2025, mes, 1), g.idSerie = 1;
        g.numerar = false;
        g.alumnos = {alumno_};
        t_.prompt().Push(QStringLiteral("yes"));
        const QList<int> ids = GenerarFacturas(g);
        return ids.isEmpty() ? 0 : ids.first();
    }
    QString Emisor(int id) {
        return e_
            .Scalar(QStringLiteral("SELECT COALESCE(EmisorNombreT15, '-') || '|' || "
                                   "COALESCE(EmisorCIFT15, '-') || '|' || "
                                   "COALESCE(EmisorDireccionT15, '-') || '|' || "
                                   "COALESCE(EmisorCPT15, '-') || '|' || "
                                   "COALESCE(EmisorPoblacionT15, '-') FROM T15FacturasCab "
                                   "WHERE IDFacturaCabT15=%1")
                        .arg(id))
            .toString();
    }

    test::TestDatabase t_;
    test::EmpresaFacturacion e_{t_};
    int alumno_ = 0;
};

TEST_F(EmisorFactura, AnInvoiceKeepsTheCompanyDataItWasIssuedWith) {
    Alumna();
    Empresa(QStringLiteral("Academia Sol, S.L."), QStringLiteral("B25000001"));
    const int primera = Facturar(10);
    ASSERT_GT(primera, 0);
    EXPECT_EQ(Emisor(primera), QStringLiteral("Academia Sol, S.L.|B25000001|Calle Mayor 1|25001|"
                                              "Lleida"));

    // The company changes its name: the earlier invoice still says who issued it.
    Empresa(QStringLiteral("Sol Formación, S.L."), QStringLiteral("B25000002"));
    const int segunda = Facturar(11);
    ASSERT_GT(segunda, 0);
    EXPECT_TRUE(Emisor(primera).startsWith(QStringLiteral("Academia Sol, S.L.|B25000001")));
    EXPECT_TRUE(Emisor(segunda).startsWith(QStringLiteral("Sol Formación, S.L.|B25000002")));

    // The copy a return makes is the same invoice presented again: the same issuer.
    CobrarFactura(primera, 0, true, 0, QDate(2025, 10, 2), false, QDate(2025, 10, 2), true);
    const int copia = DevolverFactura(primera, QVariant(), QDate(2025, 11, 5));
    EXPECT_EQ(Emisor(copia), Emisor(primera));

    // Without company data the issuer is left empty, so that the print shows the centre's.
    Empresa(QString(), QStringLiteral("  "));
    const int tercera = Facturar(12);
    ASSERT_GT(tercera, 0);
    EXPECT_EQ(Emisor(tercera), QStringLiteral("-|-|Calle Mayor 1|25001|Lleida"));
}

TEST_F(EmisorFactura, ACompanyFileOfBeforeGetsTheColumnsWithTodaysData) {
    e_.Exec("INSERT INTO T15FacturasCab (IDFacturaCabT15, NombreT15) VALUES (500, 'Antigua')");
    for (const QString& c : ColumnasEmisor())
        e_.Exec(QStringLiteral("ALTER TABLE T15FacturasCab DROP COLUMN ") + c);
    Empresa(QStringLiteral("Academia Sol, S.L."), QStringLiteral("B25000001"));
    // Billing on such a file still works before the upgrade, without an issuer.
    Alumna();
    EXPECT_GT(Facturar(10), 0);

    AseguraEmisorFacturas();
    for (const QString& c : ColumnasEmisor())
        EXPECT_TRUE(t_.db().Columns(QStringLiteral("T15FacturasCab")).contains(c))
            << c.toStdString();
    EXPECT_EQ(Emisor(500), QStringLiteral("Academia Sol, S.L.|B25000001|Calle Mayor 1|25001|"
                                          "Lleida"));
    // Done once: a later change of the company data does not rewrite the invoices.
    Empresa(QStringLiteral("Otra, S.L."), QStringLiteral("B1"));
    AseguraEmisorFacturas();
    EXPECT_TRUE(Emisor(500).startsWith(QStringLiteral("Academia Sol, S.L.")));
}

}  // namespace
}  // namespace zmk
