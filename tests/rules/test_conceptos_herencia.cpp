// Inherited copies of course and group concepts: creation on post, refresh from the parent,
// orphan removal, deletion and tariff repricing.
#include "host/datarules.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "rules/conceptos.h"
#include "rules/reglasconceptos.h"
#include "tests/rules/test_conceptos_datos.h"

namespace zmk::test {
namespace {

class Herencia : public DatosConceptos {
  protected:
    Herencia() {
        RegisterConceptosRules();
        curso = Curso();
        grupo = Grupo(curso);
        for (int i = 0; i < 3; ++i) matriculas << Matricula(grupo);
    }

    // A screen's data set on the table, as the hooks see it.
    std::unique_ptr<TDataSet> Pantalla(const QString& table, int id, const QString& where) {
        auto ds = tdb.db().GetTSQLDataSet(
            QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + where, false);
        ZMKApp().AttachDataSet(*ds, id);
        ds->Open();
        return ds;
    }

    int curso = 0, grupo = 0;
    QList<int> matriculas;
};

TEST_F(Herencia, CourseConceptPostedOnScreenReachesEveryActiveEnrolmentAndFollowsEdits) {
    Matricula(grupo, false);  // an inactive enrolment gets no copy
    auto ds = Pantalla("T14ConceptosMatricula", 242, "1=0");
    ds->Append();
    ds->FieldByName("IDCentroT14").SetValue(1);
    ds->FieldByName("IDCursoT14").SetValue(curso);
    ds->FieldByName("ConceptoT14").SetValue("Mensualidad");
    ds->FieldByName("ImporteBaseT14").SetAsCurrency(C("50"));
    ds->FieldByName("CobrarMarzoT14").SetValue(true);
    ds->Post();
    int padre = ds->FieldByName("IDConceptoMatriculaT14").AsInteger();
    EXPECT_EQ(Campo(padre, "ImporteIvaIncluidoT14"), C("60.5"));  // default VAT 21 %

    ASSERT_EQ(Copias(padre), 3);
    for (int m : matriculas) {
        int copia = Copia(padre, m);
        ASSERT_GT(copia, 0);
        EXPECT_EQ(Campo(copia, "ImporteBaseT14"), C("50"));
        EXPECT_EQ(Campo(copia, "UnidadesT14"), C("1"));
        EXPECT_EQ(Campo(copia, "TPCIvaT14"), C("21"));
        EXPECT_EQ(Campo(copia, "ImporteIvaIncluidoT14"), C("60.5"));
        EXPECT_EQ(Count(QStringLiteral("SELECT CobrarMarzoT14 + 2 * ActivoT14 FROM "
                                       "T14ConceptosMatricula WHERE IDConceptoMatriculaT14=%1")
                            .arg(copia)),
                  3);
        EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT ConceptoT14 FROM T14ConceptosMatricula "
                                            "WHERE IDConceptoMatriculaT14=%1")
                                 .arg(copia))
                      .toString(),
                  "Mensualidad");
    }

    ds->Edit();
    ds->FieldByName("ImporteBaseT14").SetAsCurrency(C("80"));
    ds->Post();
    for (int m : matriculas) EXPECT_EQ(Campo(Copia(padre, m), "ImporteIvaIncluidoT14"), C("96.8"));

    // Saving an enrolment twice leaves one copy per parent.
    auto mat =
        Pantalla("T02Matriculas", 186, QStringLiteral("IDMatriculaT02=%1").arg(matriculas[0]));
    for (int i = 0; i < 2; ++i) {
        mat->Edit();
        mat->FieldByName("ComentariosT02").SetValue(QStringLiteral("vez %1").arg(i));
        mat->Post();
    }
    EXPECT_EQ(Copias(padre), 3);
}

TEST_F(Herencia, CopiesKeepTheirDiscountAndRoundToCentsHalfAwayFromZero) {
    int padre = Concepto("IDCursoT14", curso);
    CrearConceptosHeredados(curso, 0);
    int conDto = Copia(padre, matriculas[0]);
    int sinDto = Copia(padre, matriculas[1]);
    Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET TPCDtoT14=10 WHERE "
                        "IDConceptoMatriculaT14=%1")
             .arg(conDto));
    ActualizarConceptosHeredados(0, 0, 0);
    EXPECT_EQ(Campo(conDto, "BaseImponibleT14"), C("90"));
    EXPECT_EQ(Campo(conDto, "ImporteIvaIncluidoT14"), C("108.9"));
    EXPECT_EQ(Campo(conDto, "TPCDtoT14"), C("10"));

    // Without discount the parent's own base and total are taken as they are, unrounded.
    Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET BaseImponibleT14=99.995, "
                        "ImporteIvaIncluidoT14=120.99 WHERE IDConceptoMatriculaT14=%1")
             .arg(padre));
    // 5.35 x 50 % = 2.675: binary rounding would give 2.67.
    Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET TPCDtoT14=50 WHERE "
                        "IDConceptoMatriculaT14=%1")
             .arg(conDto));
    Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET ImporteBaseT14=5.35 WHERE "
                        "IDConceptoMatriculaT14=%1")
             .arg(padre));
    ActualizarConceptosHeredados(0, grupo, 0);
    EXPECT_EQ(Campo(sinDto, "BaseImponibleT14"), C("99.995"));
    EXPECT_EQ(Campo(sinDto, "ImporteIvaIncluidoT14"), C("120.99"));
    EXPECT_EQ(Campo(conDto, "BaseImponibleT14"), C("2.68"));
    EXPECT_EQ(Campo(conDto, "ImporteIvaIncluidoT14"), C("3.24"));
}

TEST_F(Herencia, RefreshReachesOnlyTheSelectedCopies) {
    int otroGrupo = Grupo(curso, "Tardes");
    int otra = Matricula(otroGrupo);
    int padre = Concepto("IDCursoT14", curso);
    CrearConceptosHeredados(curso, 0);
    ASSERT_EQ(Copias(padre), 4);
    Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET ConceptoT14='Nuevo' WHERE "
                        "IDConceptoMatriculaT14=%1")
             .arg(padre));
    ActualizarConceptosHeredados(0, grupo, 0);
    auto texto = [&](int m) {
        return tdb
            .Scalar(QStringLiteral("SELECT ConceptoT14 FROM T14ConceptosMatricula WHERE "
                                   "IDConceptoMatriculaT14=%1")
                        .arg(Copia(padre, m)))
            .toString();
    };
    EXPECT_EQ(texto(matriculas[0]), "Nuevo");
    EXPECT_EQ(texto(otra), "Cuota");
    ActualizarConceptosHeredados(curso, 0, 0);
    EXPECT_EQ(texto(otra), "Nuevo");
}

TEST_F(Herencia, GroupConceptsAndInactiveOwnersGetNoCopiesWhereTheyDoNotApply) {
    int inactivo = Grupo(curso, "Cerrado", false);
    int enInactivo = Matricula(inactivo);
    int deGrupo = Concepto("IDGrupoT14", grupo);
    int deInactivo = Concepto("IDGrupoT14", inactivo);
    int deCurso = Concepto("IDCursoT14", curso);
    CrearConceptosHeredados(curso, grupo);
    CrearConceptosHeredados(0, inactivo);
    EXPECT_EQ(Copias(deGrupo), 3);
    EXPECT_EQ(Copias(deInactivo), 0);
    EXPECT_EQ(Copias(deCurso), 3);
    EXPECT_EQ(Copia(deCurso, enInactivo), 0);
}

TEST_F(Herencia, MovingAnEnrolmentToAnotherCourseSwapsItsCopiesAndKeepsInvoiceLines) {
    int curso2 = Curso("Francés");
    int grupo2 = Grupo(curso2);
    int viejo = Concepto("IDCursoT14", curso);
    int nuevo = Concepto("IDCursoT14", curso2);
    int deGrupo = Concepto("IDGrupoT14", grupo);
    CrearConceptosHeredados(curso, grupo);
    int copia = Copia(viejo, matriculas[0]);
    Exec(QStringLiteral("INSERT INTO T15FacturasCab (IDCentroT15) VALUES (1)"));
    Exec(QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, IDConceptoMatriculaT16) "
                        "VALUES (%1, %2)")
             .arg(Id("T15FacturasCab", "IDFacturaCabT15"))
             .arg(copia));
    Exec("INSERT INTO T24BoletinesNotas (IDCursoT24) VALUES (" + QString::number(curso) + ")");
    int boletin = Id("T24BoletinesNotas", "IDBoletinNotasT24");
    CrearConceptosHeredados(curso, 0);
    ASSERT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T25NotasBoletin WHERE "
                                   "IDBoletinNotasT25=%1")
                        .arg(boletin)),
              3);

    tdb.prompt().Push("yes");  // the course-change question, when its rule is present
    auto mat =
        Pantalla("T02Matriculas", 186, QStringLiteral("IDMatriculaT02=%1").arg(matriculas[0]));
    mat->Edit();
    mat->FieldByName("IDGrupoT02").SetValue(grupo2);
    mat->Post();

    EXPECT_EQ(Copia(viejo, matriculas[0]), 0);
    EXPECT_EQ(Copia(deGrupo, matriculas[0]), 0);
    EXPECT_GT(Copia(nuevo, matriculas[0]), 0);
    EXPECT_EQ(Copias(viejo), 2);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T16FacturasCue WHERE IDConceptoMatriculaT16 IS NULL"), 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T25NotasBoletin WHERE "
                                   "IDMatriculaT25=%1")
                        .arg(matriculas[0])),
              0);
}

TEST_F(Herencia, ACopyCannotBeDeletedButDeletingItsParentRemovesEveryCopy) {
    int padre = Concepto("IDCursoT14", curso);
    CrearConceptosHeredados(curso, 0);
    auto copia =
        Pantalla("T14ConceptosMatricula", 242,
                 QStringLiteral("IDConceptoMatriculaT14=%1").arg(Copia(padre, matriculas[0])));
    try {
        copia->Delete();
        FAIL() << "deleted a copy";
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().startsWith("Este concepto es heredado y no se puede eliminar"));
    }
    EXPECT_EQ(Copias(padre), 3);

    auto ds = Pantalla("T14ConceptosMatricula", 242,
                       QStringLiteral("IDConceptoMatriculaT14=%1").arg(padre));
    ds->Delete();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula"), 0);
}

TEST_F(Herencia, AParentDeletionThatFailsHalfWayChangesNothing) {
    int padre = Concepto("IDCursoT14", curso);
    CrearConceptosHeredados(curso, 0);
    // The copies go first; unlinking the invoice lines then fails.
    Exec("ALTER TABLE T16FacturasCue RENAME TO T16Aparte");
    auto ds = Pantalla("T14ConceptosMatricula", 242,
                       QStringLiteral("IDConceptoMatriculaT14=%1").arg(padre));
    EXPECT_ANY_THROW(ds->Delete());
    EXPECT_FALSE(tdb.db().InTransaction());
    EXPECT_EQ(Copias(padre), 3);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula"), 4);
}

TEST_F(Herencia, TariffRepricingReachesTariffConceptsAndTheirCopies) {
    Exec(
        "INSERT INTO T07TarifasPrecios (IDCentroT07, ImporteSinIVAT07, TPCIvaT07, "
        "ImporteConIVAT07) VALUES (1, 50, 21, 60.5)");
    int tarifa = Id("T07TarifasPrecios", "IDTarifaPreciosT07");
    int padre = Concepto("IDCursoT14", curso, QStringLiteral("IDTarifaPreciosT14=%1").arg(tarifa));
    int libre = Concepto("IDMatriculaT14", matriculas[2],
                         QStringLiteral("IDTarifaPreciosT14=%1, UnidadesT14=3").arg(tarifa));
    CrearConceptosHeredados(curso, 0);
    int copia = Copia(padre, matriculas[0]);
    Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET TPCDtoT14=10 WHERE "
                        "IDConceptoMatriculaT14=%1")
             .arg(copia));

    RepreciarConceptosTarifa(tarifa, C("100"), C("21"), C("121"));
    EXPECT_EQ(Campo(padre, "BaseImponibleT14"), C("100"));
    EXPECT_EQ(Campo(padre, "ImporteIvaIncluidoT14"), C("121"));
    EXPECT_EQ(Campo(copia, "ImporteBaseT14"), C("100"));
    EXPECT_EQ(Campo(copia, "BaseImponibleT14"), C("90"));
    EXPECT_EQ(Campo(copia, "ImporteIvaIncluidoT14"), C("108.9"));
    EXPECT_EQ(Campo(Copia(padre, matriculas[1]), "ImporteIvaIncluidoT14"), C("121"));
    EXPECT_EQ(Campo(libre, "BaseImponibleT14"), C("300"));
    EXPECT_EQ(Campo(libre, "ImporteIvaIncluidoT14"), C("363"));
}

TEST_F(Herencia, GroupPostCreatesTheCopiesOfItsCourseAndOwnConcepts) {
    int deGrupo = Concepto("IDGrupoT14", grupo);
    int deCurso = Concepto("IDCursoT14", curso);
    auto g = Pantalla("T05Grupos", 14, QStringLiteral("IDGrupoT05=%1").arg(grupo));
    g->Edit();
    g->FieldByName("NombreT05").SetValue("Renombrado");
    g->Post();
    EXPECT_EQ(Copias(deGrupo), 3);
    EXPECT_EQ(Copias(deCurso), 3);
}

}  // namespace
}  // namespace zmk::test
