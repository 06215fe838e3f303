// Mass deletion of a centre's data: the forced boxes, the rows each box removes or unlinks (and
// those it must keep, in other centres too), and the all-or-nothing final question.
#include "core/centroactual.h"
#include "host/errors.h"
#include "rules/borradomasivo.h"
#include "rules/conceptos.h"
#include "tests/rules/test_conceptos_datos.h"

namespace zmk::test {
namespace {

TEST(BorradoMasivoCasillas, CoursesForceTheirChainAndUncheckingReleasesIt) {
    TCasillasBorrado c;
    c.Click(kBorrarCursos, true);
    EXPECT_EQ(c.Claves().join(u','),
              "matriculas,cursos,grupos,faltas,boletines,conceptos,notas,incidencias-cursos,"
              "incidencias-grupos,incidencias-matriculas,conceptos-matriculas,conceptos-cursos,"
              "conceptos-grupos");
    EXPECT_FALSE(c.Forzada(kBorrarCursos));
    EXPECT_TRUE(c.Forzada(kBorrarMatriculas));
    // A forced box ignores clicks.
    c.Click(kBorrarGrupos, false);
    EXPECT_TRUE(c.Marcada(kBorrarGrupos));
    c.Click(kBorrarCursos, false);
    EXPECT_TRUE(c.Claves().isEmpty());
    for (int i = 0; i < kNumCasillasBorrado; ++i) EXPECT_FALSE(c.Forzada(i)) << i;
}

TEST(BorradoMasivoCasillas, KeyWordsNameEveryBoxOnce) {
    for (int i = 0; i < kNumCasillasBorrado; ++i)
        EXPECT_EQ(CasillaDeClave(QString::fromLatin1(DatosCasillaBorrado(i).clave).toUpper()), i);
    EXPECT_EQ(CasillaDeClave(QStringLiteral("todo")), -1);
}

class BorradoMasivo : public DatosConceptos {
  protected:
    BorradoMasivo() {
        curso = Curso();
        grupo = Grupo(curso);
        matricula = Matricula(grupo);
        alumno = Id("T01Alumnos", "IDAlumnoT01");
        deCurso = Concepto("IDCursoT14", curso);
        CrearConceptosHeredados(curso, grupo);
        Exec("INSERT INTO T04Profesores (IDCentroT04, NombreT04) VALUES (2, 'P2')");
        profesor = Id("T04Profesores", "IDProfesorT04");
        Exec(QStringLiteral("UPDATE T05Grupos SET IDProfesorT05=%1").arg(profesor));
        Exec("INSERT INTO T07TarifasPrecios (IDCentroT07, CodigoTarifaT07) VALUES (1, 'T1')");
        const int tarifa = Id("T07TarifasPrecios", "IDTarifaPreciosT07");
        Exec("INSERT INTO T07TarifasPrecios (IDCentroT07, CodigoTarifaT07) VALUES (2, 'T2')");
        Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET IDTarifaPreciosT14=%1").arg(tarifa));
        Exec(QStringLiteral("INSERT INTO T15FacturasCab (IDCentroT15, IDAlumnoT15) VALUES (1, %1)")
                 .arg(alumno));
        factura = Id("T15FacturasCab", "IDFacturaCabT15");
        Exec(QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, IDMatriculaT16, "
                            "IDConceptoMatriculaT16) VALUES (%1, %2, %3)")
                 .arg(factura)
                 .arg(matricula)
                 .arg(Copia(deCurso, matricula)));
        Exec(QStringLiteral("INSERT INTO T24BoletinesNotas (IDCursoT24) VALUES (%1)").arg(curso));
        Exec(QStringLiteral("INSERT INTO T25NotasBoletin (IDMatriculaT25) VALUES (%1)")
                 .arg(matricula));
        Exec(QStringLiteral("INSERT INTO T26FaltasAsistencia (IDMatriculaT26) VALUES (%1)")
                 .arg(matricula));
        Exec(
            QStringLiteral("INSERT INTO T11Incidencias (IDCentroT11, IDProfesorT11) VALUES (2, %1)")
                .arg(profesor));
        Exec(QStringLiteral("INSERT INTO T11Incidencias (IDCentroT11, IDAlumnoT11) VALUES (1, %1)")
                 .arg(alumno));
        Exec("INSERT INTO T11Incidencias (IDCentroT11, IDAlumnoT11) VALUES (2, 999)");
        // The other centre's student, enrolment and course stay whatever happens.
        Exec("INSERT INTO T03Cursos (IDCentroT03, DescripcionT03) VALUES (2, 'Otro')");
        Exec("INSERT INTO T01Alumnos (IDCentroT01, NombreT01) VALUES (2, 'B')");
        Exec("INSERT INTO T02Matriculas (IDCentroT02) VALUES (2)");
    }
    int Filas(const char* tabla, const QString& donde = QStringLiteral("1=1")) {
        return Count(
            QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(QLatin1String(tabla), donde));
    }
    void Borrar(std::initializer_list<int> casillas, QStringList respuestas) {
        TCasillasBorrado c;
        for (const QString& r : respuestas) tdb.prompt().Push(r);
        for (int casilla : casillas) c.Click(casilla, true);
        EjecutarBorradoMasivo(c);
    }
    int curso = 0, grupo = 0, matricula = 0, alumno = 0, deCurso = 0, profesor = 0, factura = 0;
};

TEST_F(BorradoMasivo, NoAtTheEndLeavesEverythingAsItWasAndSaysSo) {
    const QString antes = test::DumpDatabase(tdb.db());
    try {
        Borrar({kBorrarCursos, kBorrarAlumnos, kBorrarFacturas, kBorrarTarifasPrecios,
                kBorrarLiquidaciones, kBorrarIncidencias},
               {"no"});
        FAIL() << "no refusal";
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), "Operación abortada");
    }
    EXPECT_EQ(test::DumpDatabase(tdb.db()), antes);
    EXPECT_FALSE(tdb.db().InTransaction());
    const QString pregunta = tdb.prompt().Log().join(u'\n');
    // The log writes line feeds as "\\n".
    EXPECT_TRUE(pregunta.contains("SELECCIONADOS:\\n\\nINCIDENCIAS DE LOS CURSOS\\n"));
    EXPECT_TRUE(pregunta.contains("\\nCURSOS\\n\\n\\n\\n¿Aceptar el proceso?"));
}

TEST_F(BorradoMasivo, CoursesRemoveTheCentresTeachingDataOnly) {
    Borrar({kBorrarCursos}, {"yes"});
    EXPECT_EQ(Filas("T03Cursos"), 1);
    EXPECT_EQ(Filas("T03Cursos", "IDCentroT03=2"), 1);
    EXPECT_EQ(Filas("T05Grupos"), 0);
    EXPECT_EQ(Filas("T02Matriculas"), 1);
    EXPECT_EQ(Filas("T14ConceptosMatricula"), 0);
    EXPECT_EQ(Filas("T24BoletinesNotas") + Filas("T25NotasBoletin") + Filas("T26FaltasAsistencia"),
              0);
    // Students, invoices and their lines stay; the lines lose their links.
    EXPECT_EQ(Filas("T01Alumnos"), 2);
    EXPECT_EQ(Filas("T16FacturasCue", "IDMatriculaT16 IS NULL AND IDConceptoMatriculaT16 IS NULL"),
              1);
    EXPECT_EQ(Filas("T11Incidencias"), 3);
}

TEST_F(BorradoMasivo, TeachersAreAskedForAndGoInEveryCentre) {
    TCasillasBorrado c;
    tdb.prompt().Push("no");
    c.Click(kBorrarProfesores, true);
    EXPECT_FALSE(c.Marcada(kBorrarProfesores));
    EXPECT_FALSE(c.Marcada(kBorrarIncidenciasProfesores));
    EXPECT_TRUE(
        tdb.prompt().Log().join(u'\n').contains("LOS PROFESORES SON COMUNES A TODOS LOS CENTROS"));

    Borrar({kBorrarProfesores}, {"yes", "yes"});
    EXPECT_EQ(Filas("T04Profesores"), 0);
    EXPECT_EQ(Filas("T05Grupos", "IDProfesorT05 IS NOT NULL"), 0);
    EXPECT_EQ(Filas("T11Incidencias", "IDProfesorT11 IS NOT NULL"), 0);
    EXPECT_EQ(Filas("T11Incidencias"), 2);
}

TEST_F(BorradoMasivo, TariffsGoAndTheirConceptsStayWithoutTariff) {
    const int conceptos = Filas("T14ConceptosMatricula");
    Borrar({kBorrarTarifasPrecios}, {"yes"});
    EXPECT_EQ(Filas("T14ConceptosMatricula"), conceptos);
    EXPECT_EQ(Filas("T14ConceptosMatricula", "IDTarifaPreciosT14 IS NOT NULL"), 0);
    EXPECT_EQ(Filas("T07TarifasPrecios"), 1);
    EXPECT_EQ(Filas("T07TarifasPrecios", "IDCentroT07=2"), 1);
}

TEST_F(BorradoMasivo, StudentsGoAndTheirInvoicesStayWithLinesUnlinked) {
    Borrar({kBorrarAlumnos}, {"yes"});
    EXPECT_EQ(Filas("T01Alumnos"), 1);
    EXPECT_EQ(Filas("T02Matriculas", "IDCentroT02=1"), 0);
    EXPECT_EQ(Filas("T15FacturasCab", QStringLiteral("IDAlumnoT15=%1").arg(alumno)), 1);
    EXPECT_EQ(Filas("T16FacturasCue", "IDMatriculaT16 IS NULL"), 1);
    EXPECT_EQ(Filas("T25NotasBoletin") + Filas("T26FaltasAsistencia"), 0);
    EXPECT_EQ(Filas("T11Incidencias", "IDAlumnoT11 IS NOT NULL"), 1);  // the other centre's
    // The enrolment's copies are gone, the course's own concept stays.
    EXPECT_EQ(Filas("T14ConceptosMatricula", "IDMatriculaT14 IS NOT NULL"), 0);
    EXPECT_EQ(
        Filas("T14ConceptosMatricula", QStringLiteral("IDConceptoMatriculaT14=%1").arg(deCurso)),
        1);
}

TEST_F(BorradoMasivo, InvoicesGoWithTheirLines) {
    Borrar({kBorrarFacturas}, {"yes"});
    EXPECT_EQ(Filas("T15FacturasCab") + Filas("T16FacturasCue"), 0);
    EXPECT_EQ(Filas("T01Alumnos"), 2);
}

TEST_F(BorradoMasivo, WithoutCurrentCentreNothingRuns) {
    FijaCentroActual(0);
    const QString antes = test::DumpDatabase(tdb.db());
    TCasillasBorrado c;
    c.Click(kBorrarAlumnos, true);
    try {
        EjecutarBorradoMasivo(c);
        FAIL() << "no refusal";
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().startsWith("No ha seleccionado ningún centro"));
    }
    EXPECT_EQ(test::DumpDatabase(tdb.db()), antes);
}

}  // namespace
}  // namespace zmk::test
