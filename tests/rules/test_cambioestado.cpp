#include <gtest/gtest.h>

#include "host/database.h"
#include "host/errors.h"
#include "host/querysql.h"
#include "rules/cambioestado.h"
#include "rules/conceptos.h"
#include "tests/rules/test_cascadas_datos.h"

using namespace zmk;
using namespace zmk::test;

namespace {

const QString kFinal =
    QStringLiteral("El proceso ha finalizado correctamente\n\n¿Aceptar el proceso?");

class CambioEstado : public DatosCascadas {
  protected:
    // Runs a change-of-state procedure on the list screen of the table, positioned on the key.
    void Ejecuta(const char* procedimiento, const char* tabla, const char* clave, int id) {
        auto ds = tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM %1 ORDER BY %2")
                                              .arg(QLatin1String(tabla), QLatin1String(clave)),
                                          false);
        ds->Open();
        ASSERT_TRUE(ds->Locate(QString::fromLatin1(clave), id));
        query_ = std::make_unique<TQuerySQL>(std::move(ds));
        Parametres().SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), query_->Handle());
        ZMKApp().Procedures().ExecuteProcedure(QString::fromLatin1(procedimiento));
    }
    // A course with two groups of three enrolments, a course concept and a group concept with
    // their copies, a bulletin with grade rows and an invoice line made from one copy.
    void CursoCompleto() {
        curso = Curso();
        for (int g = 0; g < 2; ++g) {
            grupos[g] = Grupo(curso, 1, true, QStringLiteral("G%1").arg(g + 1));
            for (int m = 0; m < 3; ++m) matriculas[g * 3 + m] = Matricula(grupos[g], Alumno());
        }
        concepto_curso = Concepto("IDCursoT14", curso);
        Concepto("IDGrupoT14", grupos[0]);
        CrearConceptosHeredados(curso, 0);
        CrearConceptosHeredados(0, grupos[0]);
        boletin = Boletin(curso);
        Exec(QStringLiteral("INSERT INTO T25NotasBoletin (IDBoletinNotasT25, IDMatriculaT25) "
                            "VALUES (%1, %2)")
                 .arg(boletin)
                 .arg(matriculas[0]));
        const int copia = Count(QStringLiteral("SELECT IDConceptoMatriculaT14 FROM "
                                               "T14ConceptosMatricula WHERE IDMatriculaT14=%1")
                                    .arg(matriculas[0]));
        linea = Linea(Factura(1, 0, 1), matriculas[0], copia);
        Exec(QStringLiteral("UPDATE T02Matriculas SET FechaBajaT02=40000 WHERE IDMatriculaT02=%1")
                 .arg(matriculas[5]));
    }
    double Hoy() { return DateTimeToSerial(QDateTime(QDate(2026, 10, 15), QTime(0, 0))); }

    int curso = 0, concepto_curso = 0, boletin = 0, linea = 0;
    int grupos[2] = {};
    int matriculas[6] = {};
    std::unique_ptr<TQuerySQL> query_;
};

TEST_F(CambioEstado, DeactivatingACourseCascadesToGroupsEnrolmentsConceptsAndBulletins) {
    CursoCompleto();
    ASSERT_EQ(Filas("T14ConceptosMatricula"), 2 + 6 + 3);
    tdb.prompt().Push(QStringLiteral("yes"));
    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(Ejecuta("CAMBIO_ACTIVO_CURSO", "T03Cursos", "IDCursoT03", curso));

    EXPECT_EQ(Filas("T02Matriculas", "ActivaT02"), 0);
    EXPECT_EQ(Filas("T05Grupos", "ActivoT05"), 0);
    EXPECT_EQ(Filas("T03Cursos", "ActivoT03"), 0);
    // Only the group's own concept stays: deactivating a group removes its enrolments' copies.
    EXPECT_EQ(Filas("T14ConceptosMatricula"), 1);
    EXPECT_EQ(Filas("T14ConceptosMatricula", QStringLiteral("IDGrupoT14=%1").arg(grupos[0])), 1);
    EXPECT_EQ(Filas("T16FacturasCue", "IDConceptoMatriculaT16 IS NULL"), 1);
    EXPECT_EQ(Filas("T24BoletinesNotas", "BloqueadoT24"), 1);
    // The leaving date: today where empty, kept where set.
    EXPECT_EQ(Filas("T02Matriculas", QStringLiteral("FechaBajaT02=%1").arg(Hoy())), 5);
    EXPECT_EQ(Filas("T02Matriculas", "FechaBajaT02=40000"), 1);

    EXPECT_EQ(Incidencias(QStringLiteral("07-Baja de la matrícula")), 6);
    EXPECT_EQ(Incidencias(QStringLiteral("05-Baja del Grupo")), 2);
    EXPECT_EQ(Incidencias(QStringLiteral("03-Baja del curso")), 1);
    EXPECT_EQ(Filas("T11Incidencias"), 9);
    EXPECT_EQ(Filas("T11Incidencias",
                    "AutomaticaT11 AND ResueltaT11 AND IncidenciaT11=TituloT11 "
                    "AND IDCentroT11=1 AND IDTipoIncidenciaT11 IS NULL"),
              9);
    EXPECT_EQ(Filas("T11Incidencias", QStringLiteral("IDCursoT11=%1 AND IDGrupoT11 IS NULL AND "
                                                     "IDMatriculaT11 IS NULL")
                                          .arg(curso)),
              1);
    EXPECT_EQ(Filas("T11Incidencias",
                    QStringLiteral("IDMatriculaT11=%1 AND IDCursoT11 IS NULL").arg(matriculas[2])),
              1);

    const QStringList& log = tdb.prompt().Log();
    ASSERT_EQ(log.size(), 4);
    EXPECT_TRUE(
        log[0].startsWith(QStringLiteral("QUESTION ") + ApplicationTitle() +
                          QStringLiteral(": ATENCIÓN:\\n\\nSi pone un curso como NO ACTIVO")));
    EXPECT_EQ(log[2], QStringLiteral("QUESTION : ") + OneLine(kFinal));
    EXPECT_TRUE(splash_->textos.contains(QStringLiteral("Desactivando Grupo: \"G2\"")));
    EXPECT_TRUE(splash_->textos.contains(QStringLiteral("Eliminando conceptos del curso")));
    EXPECT_FALSE(splash_->Active());
    EXPECT_FALSE(tdb.db().InTransaction());
}

TEST_F(CambioEstado, ANoLeavesTheDatabaseExactlyAsItWas) {
    CursoCompleto();
    const QString antes = tdb.Dump();
    // No to the final question: everything written is rolled back, incidences included.
    tdb.prompt().Push(QStringLiteral("yes"));
    tdb.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(Ejecuta("CAMBIO_ACTIVO_CURSO", "T03Cursos", "IDCursoT03", curso), EAbort);
    EXPECT_EQ(tdb.Dump(), antes);
    EXPECT_FALSE(tdb.db().InTransaction());
    // No to the first question: nothing is tried and nothing else is asked.
    tdb.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(Ejecuta("CAMBIO_ACTIVA_CLASE", "T05Grupos", "IDGrupoT05", grupos[0]), EAbort);
    EXPECT_EQ(tdb.Dump(), antes);
    EXPECT_EQ(tdb.prompt().Log().size(), 6);
    // No answer at all takes the default, No.
    EXPECT_THROW(Ejecuta("CAMBIO_ACTIVO_CENTRO", "T20Centros", "IDCentroT20", 1), EAbort);
    EXPECT_EQ(tdb.Dump(), antes);
}

TEST_F(CambioEstado, AnEmptyListHasNothingToChangeAndWritesNothing) {
    const QString antes = tdb.Dump();
    auto ds = tdb.db().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T02Matriculas WHERE IDMatriculaT02 = -1"), false);
    ds->Open();
    query_ = std::make_unique<TQuerySQL>(std::move(ds));
    Parametres().SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), query_->Handle());
    tdb.prompt().Push(QStringLiteral("yes"));
    tdb.prompt().Push(QStringLiteral("yes"));
    try {
        ZMKApp().Procedures().ExecuteProcedure(QStringLiteral("CAMBIO_ACTIVA_MATRICULA"));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("No hay registros"));
    }
    EXPECT_EQ(tdb.Dump(), antes);
    EXPECT_TRUE(tdb.prompt().Log().isEmpty());
}

TEST_F(CambioEstado, AFailureHalfWayRollsEverythingBack) {
    CursoCompleto();
    const QString antes = tdb.Dump();
    Exec(
        "CREATE TRIGGER Falla BEFORE INSERT ON T11Incidencias WHEN NEW.TituloT11 = "
        "'03-Baja del curso' BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
    tdb.prompt().Push(QStringLiteral("yes"));
    tdb.prompt().Push(QStringLiteral("yes"));
    try {
        ASSERT_NO_FATAL_FAILURE(Ejecuta("CAMBIO_ACTIVO_CURSO", "T03Cursos", "IDCursoT03", curso));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("disco lleno")));
    }
    EXPECT_EQ(tdb.prompt().Log().size(), 2);  // the final question was never asked
    EXPECT_EQ(tdb.Dump(), antes);
    EXPECT_FALSE(tdb.db().InTransaction());
    EXPECT_FALSE(splash_->Active());
}

TEST_F(CambioEstado, DeactivatingACentreTouchesOnlyItsActiveCourses) {
    const int activo = Curso(1, true, QStringLiteral("A"));
    const int inactivo = Curso(1, false, QStringLiteral("I"));
    const int otro_centro = Curso(2, true, QStringLiteral("O"));
    const int g_activo = Grupo(activo);
    const int g_inactivo = Grupo(inactivo);  // an active group of an inactive course
    const int g_otro = Grupo(otro_centro, 2);
    const int m = Matricula(g_inactivo, Alumno());
    Matricula(g_otro, Alumno(2), 2);
    tdb.prompt().Push(QStringLiteral("yes"));
    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(Ejecuta("CAMBIO_ACTIVO_CENTRO", "T20Centros", "IDCentroT20", 1));

    EXPECT_EQ(Filas("T20Centros", "IDCentroT20=1 AND NOT ActivoT20"), 1);
    EXPECT_EQ(Filas("T05Grupos", QStringLiteral("IDGrupoT05=%1 AND NOT ActivoT05").arg(g_activo)),
              1);
    EXPECT_EQ(Filas("T05Grupos", QStringLiteral("IDGrupoT05=%1 AND ActivoT05").arg(g_inactivo)), 1);
    EXPECT_EQ(Filas("T02Matriculas", QStringLiteral("IDMatriculaT02=%1 AND ActivaT02").arg(m)), 1);
    EXPECT_EQ(Filas("T05Grupos", QStringLiteral("IDGrupoT05=%1 AND ActivoT05").arg(g_otro)), 1);
    EXPECT_EQ(Filas("T02Matriculas", "IDCentroT02=2 AND ActivaT02"), 1);
    // Only the active course and its group leave incidences; the centre none.
    EXPECT_EQ(Filas("T11Incidencias"), 2);
    EXPECT_EQ(Filas("T11Incidencias", QStringLiteral("IDCursoT11=%1").arg(activo)), 1);
    EXPECT_TRUE(splash_->textos.contains(QStringLiteral("Desactivando curso: \"A\"")));
    EXPECT_FALSE(splash_->textos.contains(QStringLiteral("Desactivando curso: \"I\"")));

    // Activating the centre changes only its flag.
    tdb.prompt().Push(QStringLiteral("yes"));
    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(Ejecuta("CAMBIO_ACTIVO_CENTRO", "T20Centros", "IDCentroT20", 1));
    EXPECT_EQ(Filas("T20Centros", "IDCentroT20=1 AND ActivoT20"), 1);
    EXPECT_EQ(Filas("T03Cursos", QStringLiteral("IDCursoT03=%1 AND ActivoT03").arg(activo)), 0);
    EXPECT_EQ(Filas("T11Incidencias"), 2);
    EXPECT_TRUE(tdb.prompt().Log()[4].contains(
        QStringLiteral("Si pone un centro como ACTIVO los cursos, grupos y matrículas")));
}

TEST_F(CambioEstado, ActivationNeedsAnActiveParentAndAffectsOnlyTheRecord) {
    const int curso_inactivo = Curso(1, false);
    const int grupo = Grupo(curso_inactivo, 1, false);
    const QString antes = tdb.Dump();
    tdb.prompt().Push(QStringLiteral("yes"));
    try {
        ASSERT_NO_FATAL_FAILURE(Ejecuta("CAMBIO_ACTIVA_CLASE", "T05Grupos", "IDGrupoT05", grupo));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("El curso no está Activo, no puede realizar cambios"));
    }
    EXPECT_EQ(tdb.Dump(), antes);

    Exec("UPDATE T20Centros SET ActivoT20=0 WHERE IDCentroT20=2");
    const int curso_centro_inactivo = Curso(2, false);
    try {
        CambiarActivoCurso(curso_centro_inactivo, true);
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("El centro no está Activo, no puede realizar cambios"));
    }
}

TEST_F(CambioEstado, ReactivatingAnEnrolmentDatesItAndRecreatesItsCopies) {
    const int curso_ = Curso();
    const int grupo = Grupo(curso_);
    const int m = Matricula(grupo, Alumno(), 1, false);
    const int padre = Concepto("IDCursoT14", curso_);
    ASSERT_EQ(Filas("T14ConceptosMatricula", "IDConcMatrPadreT14 IS NOT NULL"), 0);
    tdb.prompt().Push(QStringLiteral("yes"));
    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(
        Ejecuta("CAMBIO_ACTIVA_MATRICULA", "T02Matriculas", "IDMatriculaT02", m));
    EXPECT_EQ(Filas("T02Matriculas", QStringLiteral("ActivaT02 AND FechaBajaT02=%1").arg(Hoy())),
              1);
    EXPECT_EQ(Filas("T14ConceptosMatricula", QStringLiteral("IDConcMatrPadreT14=%1 AND "
                                                            "IDMatriculaT14=%2")
                                                 .arg(padre)
                                                 .arg(m)),
              1);
    EXPECT_EQ(Incidencias(QStringLiteral("08-Alta de la matrícula")), 1);
    EXPECT_TRUE(tdb.prompt().Log()[0].contains(
        QStringLiteral("-Al activar la matrícula automáticamente se añaden los conceptos")));

    // Deactivating it again removes the copy and shows each concept's progress.
    CambiarActivaMatricula(m, false, false);
    EXPECT_EQ(Filas("T14ConceptosMatricula", QStringLiteral("IDMatriculaT14=%1").arg(m)), 0);
    EXPECT_TRUE(splash_->textos.contains(QStringLiteral("Elminando el concepto 1/1")));
    EXPECT_EQ(Incidencias(QStringLiteral("07-Baja de la matrícula")), 1);
}

TEST_F(CambioEstado, StudentsAndTeachers) {
    const int grupo = Grupo(Curso());
    const int alumno = Alumno();
    Matricula(grupo, alumno);
    Matricula(grupo, alumno);
    CambiarActivoAlumno(alumno, false);
    EXPECT_EQ(Filas("T02Matriculas", "ActivaT02"), 0);
    EXPECT_EQ(Incidencias(QStringLiteral("07-Baja de la matrícula")), 2);
    EXPECT_EQ(Filas("T11Incidencias", QStringLiteral("TituloT11='21-Baja del alumno' AND "
                                                     "IDAlumnoT11=%1 AND IDCentroT11=1")
                                          .arg(alumno)),
              1);
    EXPECT_TRUE(
        splash_->textos.contains(QStringLiteral("Desactivando matrícula \"M%1\"").arg(alumno)));

    const int profesor = Nuevo("INSERT INTO T04Profesores (IDCentroT04, ActivoT04) VALUES (1, 1)",
                               "T04Profesores", "IDProfesorT04");
    Exec(QStringLiteral("UPDATE T05Grupos SET IDProfesorT05=%1").arg(profesor));
    CambiarActivoProfesor(profesor, false);
    EXPECT_EQ(Filas("T05Grupos", "IDProfesorT05 IS NULL"), 1);
    EXPECT_EQ(Filas("T11Incidencias", QStringLiteral("TituloT11='23-Baja del profesor' AND "
                                                     "IDProfesorT11=%1 AND IDCentroT11=1")
                                          .arg(profesor)),
              1);
    CambiarActivoProfesor(profesor, true);
    EXPECT_EQ(Filas("T04Profesores", "ActivoT04"), 1);
    EXPECT_EQ(Incidencias(QStringLiteral("24-Alta del profesor")), 1);
}

TEST_F(CambioEstado, AChangeWhileTheRecordIsBeingEditedIsRefused) {
    const int curso_ = Curso();
    auto ds = tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM T03Cursos"), false);
    ds->Open();
    ds->Edit();
    TQuerySQL query(std::move(ds));
    Parametres().SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), query.Handle());
    try {
        ZMKApp().Procedures().ExecuteProcedure(QStringLiteral("CAMBIO_ACTIVO_CURSO"));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("No puede modificar el estado de activo si está "
                                              "modificando el registro\n\nPrimero debe aceptar o "
                                              "cancelar las modificaciones"));
    }
    EXPECT_TRUE(tdb.prompt().Log().isEmpty());
    EXPECT_EQ(Filas("T03Cursos", QStringLiteral("IDCursoT03=%1 AND ActivoT03").arg(curso_)), 1);
}

}  // namespace
