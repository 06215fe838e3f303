// Duplicating courses and groups: the copies, the options and their dependencies, and the
// all-or-nothing transaction.
#include "host/errors.h"
#include "host/library.h"
#include "host/querysql.h"
#include "rules/conceptos.h"
#include "rules/duplicar.h"
#include "tests/rules/test_conceptos_datos.h"

namespace zmk::test {
namespace {

class Duplicado : public DatosConceptos {
  protected:
    Duplicado() {
        RegisterDuplicarProcedures();
        curso = Curso("Inglés");
        activo1 = Grupo(curso, "Mañanas");
        activo2 = Grupo(curso, "Tardes");
        inactivo = Grupo(curso, "Antiguo", false);
        m1 = Matricula(activo1);
        Matricula(activo1, false);
        m2 = Matricula(activo2);
        Matricula(inactivo);
        deCurso = Concepto("IDCursoT14", curso);
        deGrupo = Concepto("IDGrupoT14", activo1);
        // Switched off in the source, active in the copy.
        deMatricula = Concepto("IDMatriculaT14", m1, "ActivoT14=0, ConceptoT14='Libro'");
        CrearConceptosHeredados(curso, activo1);
    }

    // Runs the procedure as the course screen would, on the given course.
    void Procedimiento(const char* name, const char* table, int key) {
        auto ds = tdb.db().GetTSQLDataSet(
            QStringLiteral("SELECT * FROM %1 WHERE %2=%3")
                .arg(QLatin1String(table),
                     QLatin1String(table[2] == '3' ? "IDCursoT03" : "IDGrupoT05"))
                .arg(key),
            false);
        ds->Open();
        TQuerySQL query(std::move(ds));
        Parametres().SetParametreValue("PRMIP_TQUERYSQL", query.Handle());
        Parametres().SetParametreValue("PRMIP_DATASET", query.DataSet().Handle());
        ZMKApp().Procedures().ExecuteProcedure(QLatin1String(name));
    }

    int curso = 0, activo1 = 0, activo2 = 0, inactivo = 0, m1 = 0, m2 = 0;
    int deCurso = 0, deGrupo = 0, deMatricula = 0;
};

TEST_F(Duplicado, CourseWithAllOptionsCopiesActiveGroupsEnrolmentsConceptsAndInheritance) {
    for (int i = 0; i < 6; ++i) tdb.prompt().Push("yes");  // the five boxes and the confirmation
    Procedimiento("DUPLICAR_CURSO", "T03Cursos", curso);

    int nuevo = Id("T03Cursos", "IDCursoT03");
    ASSERT_NE(nuevo, curso);
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT DescripcionT03 FROM T03Cursos WHERE IDCursoT03=%1")
                             .arg(nuevo))
                  .toString(),
              "XInglés");
    EXPECT_EQ(
        Count(QStringLiteral("SELECT COUNT(*) FROM T05Grupos WHERE IDCursoT05=%1").arg(nuevo)), 2);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T05Grupos WHERE IDCursoT05=%1 AND "
                                   "NombreT05 IN ('XMañanas','XTardes') AND ActivoT05")
                        .arg(nuevo)),
              2);
    const QString nuevasMatriculas =
        QStringLiteral(
            "SELECT IDMatriculaT02 FROM T02Matriculas INNER JOIN T05Grupos ON "
            "IDGrupoT05=IDGrupoT02 WHERE IDCursoT05=%1")
            .arg(nuevo);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM (" + nuevasMatriculas + ")"), 2);
    // Own concepts at each level, all active.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE IDCursoT14=%1")
                        .arg(nuevo)),
              1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE IDGrupoT14 IN (SELECT "
                    "IDGrupoT05 FROM T05Grupos WHERE NombreT05='XMañanas')"),
              1);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE ConceptoT14='Libro' AND "
                    "ActivoT14 AND IDMatriculaT14 IN (" +
                    nuevasMatriculas + ")"),
              1);
    // Inherited copies: the course concept in both new enrolments, the group concept in one;
    // the source's own copies were not duplicated as concepts of their own.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE IDConcMatrPadreT14 IS NOT "
                    "NULL AND IDMatriculaT14 IN (" +
                    nuevasMatriculas + ")"),
              3);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE IDConcMatrPadreT14 IS NULL "
                    "AND IDMatriculaT14 IN (" +
                    nuevasMatriculas + ")"),
              1);
    EXPECT_TRUE(tdb.prompt().Log().join("\n").contains(
        "El curso se ha duplicado según las opciones indicadas"));
}

TEST_F(Duplicado, LongDescriptionsKeepFiftyCharacters) {
    const QString largo(50, QLatin1Char('a'));
    Exec(QStringLiteral("UPDATE T03Cursos SET DescripcionT03=%1 WHERE IDCursoT03=%2")
             .arg(ValorSQL(largo))
             .arg(curso));
    Exec(QStringLiteral("UPDATE T05Grupos SET NombreT05=%1 WHERE IDGrupoT05=%2")
             .arg(ValorSQL(QStringLiteral("ñ") + largo.left(49)))
             .arg(activo1));
    int nuevo = DuplicarCurso(curso, false, true, false, false, false);
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT DescripcionT03 FROM T03Cursos WHERE IDCursoT03=%1")
                             .arg(nuevo))
                  .toString(),
              "X" + largo.left(49));
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT NombreT05 FROM T05Grupos WHERE IDCursoT05=%1 "
                                        "ORDER BY IDGrupoT05")
                             .arg(nuevo))
                  .toString(),
              "Xñ" + largo.left(48));
}

TEST_F(Duplicado, NoAtTheConfirmationOrAFailureLeavesTheDatabaseUnchanged) {
    const QString antes = tdb.Dump();
    Parametres().SetParametreValue("OPCIONES", "grupos,matriculas");
    tdb.prompt().Push("no");
    Procedimiento("DUPLICAR_CURSO", "T03Cursos", curso);
    EXPECT_EQ(tdb.Dump(), antes);

    // The grade rows table is gone: the inherited-concept step fails after the course, groups
    // and enrolments were inserted, and everything goes back.
    Exec("ALTER TABLE T25NotasBoletin RENAME TO T25Aparte");
    const QString sinNotas = tdb.Dump();
    Parametres().SetParametreValue("OPCIONES", "grupos,matriculas");
    tdb.prompt().Push("yes");
    EXPECT_ANY_THROW(EjecutarDuplicado(0, curso));
    EXPECT_FALSE(tdb.db().InTransaction());
    EXPECT_EQ(tdb.Dump(), sinNotas);
}

TEST_F(Duplicado, InactiveGroupCopiesNothingButStillReports) {
    const QString antes = tdb.Dump();
    Parametres().SetParametreValue("OPCIONES", "conceptosgrupo,matriculas,conceptosmatricula");
    tdb.prompt().Push("yes");
    Procedimiento("DUPLICAR_GRUPO", "T05Grupos", inactivo);
    EXPECT_EQ(tdb.Dump(), antes);
    EXPECT_TRUE(tdb.prompt().Log().join("\n").contains(
        "El grupo se ha duplicado según las opciones indicadas"));
}

TEST_F(Duplicado, GroupWithoutEnrolmentsStaysInItsCourse) {
    Parametres().SetParametreValue("OPCIONES", "conceptosgrupo");
    tdb.prompt().Push("yes");
    EXPECT_TRUE(EjecutarDuplicado(activo1, 0));
    int nuevo = Id("T05Grupos", "IDGrupoT05");
    EXPECT_EQ(
        Count(QStringLiteral("SELECT IDCursoT05 FROM T05Grupos WHERE IDGrupoT05=%1").arg(nuevo)),
        curso);
    EXPECT_EQ(
        Count(QStringLiteral("SELECT COUNT(*) FROM T02Matriculas WHERE IDGrupoT02=%1").arg(nuevo)),
        0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE IDGrupoT14=%1")
                        .arg(nuevo)),
              1);
    EXPECT_FALSE(Parametres().ParamExists("OPCIONES"));
}

TEST_F(Duplicado, ConceptCopyNeedsExactlyOneOwner) {
    EXPECT_THROW(DuplicarConceptos(curso, activo1, 0, 99), EZMKError);
    EXPECT_THROW(DuplicarConceptos(0, 0, 0, 99), EZMKError);
    try {
        DuplicarConceptos(0, 0, 0, 99);
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(),
                  "Error al duplicar conceptos: Falta un idcurso, idgrupo o idmatricula");
    }
}

TEST(OpcionesDuplicado, BoxesFollowTheirMasterBoxes) {
    TOpcionesDuplicado o;
    o.grupos = false;
    o.AplicarDependencias();
    EXPECT_FALSE(o.conceptosGrupo);
    EXPECT_FALSE(o.matriculas);
    EXPECT_FALSE(o.conceptosMatricula);
    EXPECT_TRUE(o.conceptosCurso);

    TOpcionesDuplicado p;
    p.matriculas = false;
    p.AplicarDependencias();
    EXPECT_TRUE(p.conceptosGrupo);
    EXPECT_FALSE(p.conceptosMatricula);

    TOpcionesDuplicado l = TOpcionesDuplicado::Leer(" Grupos, matriculas ", true);
    EXPECT_EQ(l.Texto(true), "grupos,matriculas");
    EXPECT_EQ(TOpcionesDuplicado::Leer("", true).Texto(true), "ninguna");
    // In group mode the groups box stays checked behind its hidden tab.
    EXPECT_TRUE(TOpcionesDuplicado::Leer("matriculas,conceptosmatricula", false).grupos);
    EXPECT_THROW(TOpcionesDuplicado::Leer("matriculas", true), EZMKError);
    EXPECT_THROW(TOpcionesDuplicado::Leer("grupos,conceptosmatricula", true), EZMKError);
    EXPECT_THROW(TOpcionesDuplicado::Leer("conceptoscurso", false), EZMKError);
    EXPECT_THROW(TOpcionesDuplicado::Leer("grupos,alumnos", true), EZMKError);
}

TEST_F(Duplicado, HeadlessQuestionsSkipDisabledBoxes) {
    tdb.prompt().Push("no");   // groups
    tdb.prompt().Push("yes");  // course concepts
    auto o = OpcionesDuplicadoSinPantalla(true);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->Texto(true), "conceptoscurso");
    EXPECT_EQ(tdb.prompt().Log().size(), 4);  // question and answer lines

    tdb.prompt().Push("yes");  // group concepts
    tdb.prompt().Push("no");   // enrolments
    o = OpcionesDuplicadoSinPantalla(false);
    EXPECT_EQ(o->Texto(false), "conceptosgrupo");
    EXPECT_EQ(tdb.prompt().Log().size(), 8);
}

}  // namespace
}  // namespace zmk::test
