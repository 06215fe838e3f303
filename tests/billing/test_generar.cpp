// Invoice generation over a company built by hand.
#include <gtest/gtest.h>

#include "billing/formgenerarfacturas.h"
#include "billing/generarfacturas.h"
#include "billing/relatedids.h"
#include "core/parametrosapp.h"
#include "host/errors.h"
#include "tests/billing/test_generar_datos.h"

namespace zmk {
namespace {

class Generar : public ::testing::Test {
  protected:
    test::TestDatabase t_;
    test::EmpresaFacturacion e_{t_};

    TGeneracionFacturas Mes(QList<int> alumnos) {
        TGeneracionFacturas g;
        g.mes = 10;
        g.anyo = 2025;
        g.fecha = QDate(2025, 10, 1);
        g.idSerie = 1;
        g.textoSerie = QStringLiteral("A");
        g.alumnos = alumnos;
        return g;
    }
    int Facturas() { return e_.Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab")); }
    int Lineas() { return e_.Int(QStringLiteral("SELECT COUNT(*) FROM T16FacturasCue")); }
    int Serie() { return e_.Int(QStringLiteral("SELECT NSiguienteFacturaT18 FROM T18Series")); }
};

TEST(RelatedIDs, GroupsInCreationOrderAndFindsTheLastGroupOfAKey) {
    TRelatedIDs r;
    r.Add(50, 1);
    r.AddSinClaves(51);
    r.Add(52, 2);
    r.Add(50, 3);
    r.Add(50, 1);  // not twice
    r.Add(52, 1);  // a key in two groups: the later group wins
    EXPECT_EQ(r.Count(), 3);
    EXPECT_EQ(r.IDsFacturas(), (QList<int>{50, 51, 52}));
    EXPECT_EQ(r.IndexOf(3), 0);
    EXPECT_EQ(r.IndexOf(1), 2);
    EXPECT_EQ(r.IndexOf(9), -1);
}

TEST_F(Generar, OneInvoicePerEnrolmentWithLinesNumbersTotalsAndOneOffConceptsSwitchedOff) {
    const int a = e_.Alumno(QStringLiteral("Gil, Ana"));
    const int m = e_.Matricula(a);
    e_.Concepto(m, QStringLiteral("Cuota [MES] [AÑO]"), 40, true);
    const int matricula = e_.Concepto(m, QStringLiteral("Matrícula"), 10, false);
    e_.Concepto(m, QStringLiteral("Otro mes"), 99, true, 11);
    t_.prompt().Push(QStringLiteral("yes"));
    const QList<int> ids = GenerarFacturas(Mes({a}));
    ASSERT_EQ(ids.size(), 1);
    EXPECT_EQ(Lineas(), 2);
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT NumeroT15 FROM T15FacturasCab")), 7);
    EXPECT_EQ(e_.Scalar(QStringLiteral("SELECT SerieT15 FROM T15FacturasCab")).toString(), "A");
    EXPECT_EQ(Serie(), 8);
    EXPECT_DOUBLE_EQ(
        e_.Scalar(QStringLiteral("SELECT ImporteTotalT15 FROM T15FacturasCab")).toDouble(), 60.5);
    EXPECT_DOUBLE_EQ(
        e_.Scalar(QStringLiteral("SELECT ImporteIva1T15 FROM T15FacturasCab")).toDouble(), 10.5);
    EXPECT_EQ(e_.Scalar(QStringLiteral("SELECT DescConceptoT16 FROM T16FacturasCue ORDER BY "
                                       "IDFacturaCueT16 LIMIT 1"))
                  .toString(),
              "Cuota Octubre 2025");
    EXPECT_EQ(e_.Scalar(QStringLiteral("SELECT CodConceptoT16 || '|' || NMatriculaT16 || '|' || "
                                       "DescrGrupoT16 || '|' || NMesFacturadoT16 || '|' || "
                                       "AnyoFacturadoT16 FROM T16FacturasCue LIMIT 1"))
                  .toString(),
              "TAR1|M1|Grupo mañana|10|2025");
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT ActivoT14 FROM T14ConceptosMatricula WHERE "
                                    "IDConceptoMatriculaT14=%1")
                         .arg(matricula)),
              0);
    EXPECT_FALSE(
        e_.Scalar(QStringLiteral("SELECT Linea03T15 FROM T15FacturasCab")).toString().isEmpty());
    EXPECT_TRUE(e_.Mostrado(QStringLiteral("Se han creado un total de 1 facturas")));

    // The same month again: nothing left to bill.
    try {
        GenerarFacturas(Mes({a}));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("No se ha generado ninguna factura")));
    }
    EXPECT_EQ(Facturas(), 1);
}

TEST_F(Generar, ARefusedConfirmationLeavesTheDatabaseAsItWas) {
    const int a = e_.Alumno(QStringLiteral("Gil, Ana"));
    e_.Concepto(e_.Matricula(a), QStringLiteral("Matrícula"), 10, false);
    t_.prompt().Push(QStringLiteral("no"));
    try {
        GenerarFacturas(Mes({a}));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Proceso cancelado"));
    }
    EXPECT_EQ(Facturas(), 0);
    EXPECT_EQ(Lineas(), 0);
    EXPECT_EQ(Serie(), 7);
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT ActivoT14 FROM T14ConceptosMatricula")), 1);
}

TEST_F(Generar, GroupingByEnrolmentStudentOwnPaymentDataAndRelatedStudents) {
    const int a = e_.Alumno(QStringLiteral("Gil, Ana"));
    e_.Concepto(e_.Matricula(a), QStringLiteral("Inglés"), 40);
    e_.Concepto(e_.Matricula(a), QStringLiteral("Francés"), 30);
    const int propia = e_.Matricula(a, true);
    e_.Concepto(propia, QStringLiteral("Uno"), 5);
    e_.Concepto(propia, QStringLiteral("Dos"), 5);
    const int hermano = e_.Alumno(QStringLiteral("Gil, Luis"), QString(), a);
    e_.Concepto(e_.Matricula(hermano), QStringLiteral("Piano"), 20);

    TGeneracionFacturas g = Mes({a, hermano});
    g.agruparPorAlumno = false;
    t_.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(GenerarFacturas(g), EZMKError);
    // Per enrolment: two enrolments, two own-data concepts, the brother's enrolment.
    EXPECT_TRUE(e_.Mostrado(QStringLiteral("un total de 5 facturas")));

    g.agruparPorAlumno = true;
    g.alumnoRelacionado = true;
    t_.prompt().Push(QStringLiteral("yes"));
    EXPECT_EQ(GenerarFacturas(g).size(), 3);
    // The brother's concept ends on Ana's invoice, which holds both her enrolments.
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T16FacturasCue WHERE IDFacturaCabT16=("
                                    "SELECT MIN(IDFacturaCabT15) FROM T15FacturasCab)")),
              3);
    EXPECT_EQ(
        e_.Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab WHERE IDAlumnoT15<>%1").arg(a)),
        0);
}

TEST_F(Generar, WithoutNumberingTheSeriesDoesNotMoveAndParentDataNamesTheInvoice) {
    const int a = e_.Alumno(QStringLiteral("Gil, Ana"));
    e_.Exec(QStringLiteral("UPDATE T01Alumnos SET NombreMadreT01='Eva Pons',DNIMadreT01='123X'"));
    e_.Concepto(e_.Matricula(a), QStringLiteral("Cuota"), 40);
    TGeneracionFacturas g = Mes({a});
    g.numerar = false;
    g.datosPadreOMadre = true;
    t_.prompt().Push(QStringLiteral("yes"));
    GenerarFacturas(g);
    EXPECT_TRUE(e_.Scalar(QStringLiteral("SELECT NumeroT15 FROM T15FacturasCab")).isNull());
    EXPECT_EQ(Serie(), 7);
    EXPECT_EQ(
        e_.Scalar(QStringLiteral("SELECT NombreT15 || NIFT15 FROM T15FacturasCab")).toString(),
        "Eva Pons123X");
}

TEST_F(Generar, ADirectDebitWithoutIBANStopsTheWholeRun) {
    const int bien =
        e_.Alumno(QStringLiteral("Gil, Ana"), QStringLiteral("ES9121000418450200051332"));
    e_.Concepto(e_.Matricula(bien), QStringLiteral("Cuota"), 40);
    const int mal = e_.Alumno(QStringLiteral("Roca, Pau"), QStringLiteral(""));
    e_.Concepto(e_.Matricula(mal), QStringLiteral("Cuota"), 40);
    try {
        GenerarFacturas(Mes({bien, mal}));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().contains(
            QStringLiteral("Faltan algunos datos de cobro del alumno Roca, Pau")));
    }
    EXPECT_EQ(Facturas(), 0);
    EXPECT_EQ(Serie(), 7);
}

TEST_F(Generar, ConceptsWithoutMonthAndTheSingleStudentConceptGrid) {
    const int a = e_.Alumno(QStringLiteral("Gil, Ana"));
    const int m = e_.Matricula(a);
    const int libro = e_.Concepto(m, QStringLiteral("Libro"), 25, false, 0);
    const int otro = e_.Concepto(m, QStringLiteral("Material"), 3, false, 0);
    e_.Concepto(m, QStringLiteral("Cuota"), 40, true, 10);
    std::vector<TSeleccionConcepto> grid = ConceptosAlumno(a, 0, true);
    ASSERT_EQ(grid.size(), 2u);
    for (TSeleccionConcepto& s : grid) {
        s.facturar = s.idConcepto == libro;
        s.unidades = 2;
    }
    TGeneracionFacturas g = Mes({a});
    g.mes = g.anyo = -1;
    g.seleccion = grid;
    t_.prompt().Push(QStringLiteral("yes"));
    GenerarFacturas(g);
    EXPECT_EQ(Lineas(), 1);
    EXPECT_EQ(
        e_.Scalar(QStringLiteral("SELECT UnidadesT16 || '|' || BaseImponibleT16 || '|' || "
                                 "ImporteIvaIncluidoT16 || '|' || IFNULL(NMesFacturadoT16,'-') "
                                 "FROM T16FacturasCue"))
            .toString(),
        "2.0|50.0|60.5|-");
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT ActivoT14 FROM T14ConceptosMatricula WHERE "
                                    "IDConceptoMatriculaT14=%1")
                         .arg(otro)),
              1);
}

TEST_F(Generar, TheFormRefusesAMissingSeriesOrMonthBeforeWriting) {
    const int a = e_.Alumno(QStringLiteral("Gil, Ana"));
    e_.Concepto(e_.Matricula(a), QStringLiteral("Cuota"), 40);
    TFormGenerarFacturas f = TFormGenerarFacturas::Inicial(TFormGenerarFacturas::kPorAlumno);
    f.alumnos = {a};
    f.sinMes = false;
    f.mes = 0;
    f.idSerie = 1;
    try {
        f.Facturar(false);
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Debe seleccionar un mes"));
    }
    f.mes = 10;
    f.idSerie = 9;
    try {
        f.Facturar(false);
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("No ha seleccionado ninguna série válida"));
    }
    EXPECT_EQ(Facturas(), 0);
}

TEST_F(Generar, LeavingDateCheckDeactivatesOrCancels) {
    const int a = e_.Alumno(QStringLiteral("Gil, Ana"));
    const int m = e_.Matricula(a);
    e_.Concepto(m, QStringLiteral("Cuota"), 40);
    e_.Exec(QStringLiteral("UPDATE T02Matriculas SET FechaBajaT02=45900"));  // 2025-08-31
    t_.prompt().Push(QStringLiteral("cancel"));
    EXPECT_THROW(ComprobarBajasMatriculas(QDate(2025, 10, 1)), EAbort);
    EXPECT_TRUE(e_.Mostrado(QStringLiteral("Hay 1 matrículas activas")));
    t_.prompt().Push(QStringLiteral("yes"));
    t_.prompt().Push(QStringLiteral("yes"));
    ComprobarBajasMatriculas(QDate(2025, 10, 1));
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT ActivaT02 FROM T02Matriculas")), 0);
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T14ConceptosMatricula")), 0);
}

// The disk fills while the invoices are written: the user learns that, not that undoing the
// run failed, and the database is as it was.
TEST_F(Generar, AFullDiskSaysSoAndLeavesTheDatabaseAsItWas) {
    QList<int> alumnos;
    for (int i = 0; i < 300; ++i) {
        const int a = e_.Alumno(QStringLiteral("Alumno %1, Nombre").arg(i));
        e_.Concepto(e_.Matricula(a), QStringLiteral("Cuota"), 40, true);
        alumnos << a;
    }
    const int paginas = e_.Int(QStringLiteral("PRAGMA page_count"));
    t_.db().Query(QStringLiteral("PRAGMA max_page_count=%1").arg(paginas + 3));
    t_.prompt().Push(QStringLiteral("yes"));
    try {
        GenerarFacturas(Mes(alumnos));
        FAIL() << "the invoices did not fit and yet were saved";
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("full"))) << e.Message().toStdString();
        EXPECT_FALSE(e.Message().contains(QStringLiteral("rollback")));
    }
    EXPECT_FALSE(t_.db().InTransaction());
    EXPECT_EQ(Facturas(), 0);
    EXPECT_EQ(Lineas(), 0);
}

}  // namespace
}  // namespace zmk
