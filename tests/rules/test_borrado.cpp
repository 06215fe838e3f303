#include <gtest/gtest.h>

#include "host/database.h"
#include "host/errors.h"
#include "rules/borrardialogos.h"
#include "rules/reglasborrado.h"
#include "tests/rules/test_cascadas_datos.h"

using namespace zmk;
using namespace zmk::test;

namespace {

class Borrado : public DatosCascadas {
  protected:
    // A screen's delete of one row: the data set as a screen holds it, attached to the hooks.
    void Borra(const char* tabla, const char* clave, int id, int fuente) {
        ds_ = tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM %1 WHERE %2=%3")
                                          .arg(QLatin1String(tabla), QLatin1String(clave))
                                          .arg(id),
                                      false);
        ZMKApp().AttachDataSet(*ds_, fuente);
        ds_->Open();
        ASSERT_FALSE(ds_->IsEmpty());
        ds_->Delete();
    }
    // A student with an enrolment in a group of a course, its concept, absence and incidence.
    int AlumnoCompleto() {
        const int alumno = Alumno();
        const int m = Matricula(Grupo(Curso()), alumno);
        Concepto("IDMatriculaT14", m);
        Exec(QStringLiteral("INSERT INTO T26FaltasAsistencia (IDMatriculaT26) VALUES (%1)").arg(m));
        CrearIncidenciaAutomatica(1, 0, 0, QStringLiteral("x"), QStringLiteral("x"), 0, alumno, 0);
        return alumno;
    }
    std::unique_ptr<TDataSet> ds_;
};

TEST_F(Borrado, AStudentIsDeletedWithItsHistoryOnlyAfterAYes) {
    const int alumno = AlumnoCompleto();
    const QString antes = tdb.Dump();
    EXPECT_THROW(Borra("T01Alumnos", "IDAlumnoT01", alumno, 3), EAbort);  // no answer: No
    EXPECT_EQ(tdb.Dump(), antes);
    ASSERT_EQ(tdb.prompt().Log().size(), 2);
    EXPECT_EQ(tdb.prompt().Log()[0], QStringLiteral("QUESTION ") + ApplicationTitle() +
                                         QStringLiteral(": ") + OneLine(ProgramString(10107)));

    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(Borra("T01Alumnos", "IDAlumnoT01", alumno, 3));
    for (const char* tabla : {"T01Alumnos", "T02Matriculas", "T14ConceptosMatricula",
                              "T26FaltasAsistencia", "T11Incidencias"})
        EXPECT_EQ(Filas(tabla), 0) << tabla;
    EXPECT_TRUE(ds_->IsEmpty());
    EXPECT_FALSE(tdb.db().InTransaction());
}

TEST_F(Borrado, AFailureAnywhereInTheDeleteChangesNothing) {
    const int alumno = AlumnoCompleto();
    const QString antes = tdb.Dump();
    // Half-way through the cascade: the enrolment's absences cannot be deleted.
    Exec(
        "CREATE TRIGGER Falla BEFORE DELETE ON T26FaltasAsistencia BEGIN SELECT "
        "RAISE(ABORT, 'bloqueado'); END");
    tdb.prompt().Push(QStringLiteral("yes"));
    try {
        ASSERT_NO_FATAL_FAILURE(Borra("T01Alumnos", "IDAlumnoT01", alumno, 3));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("bloqueado")));
    }
    Exec("DROP TRIGGER Falla");
    EXPECT_EQ(tdb.Dump(), antes);
    EXPECT_FALSE(tdb.db().InTransaction());
    EXPECT_EQ(ds_->RecordCount(), 1);

    // At the very end: the row's own deletion fails after the whole cascade ran.
    Exec(
        "CREATE TRIGGER FallaFila BEFORE DELETE ON T01Alumnos BEGIN SELECT "
        "RAISE(ABORT, 'bloqueado'); END");
    tdb.prompt().Push(QStringLiteral("yes"));
    EXPECT_THROW(Borra("T01Alumnos", "IDAlumnoT01", alumno, 3), EZMKError);
    Exec("DROP TRIGGER FallaFila");
    EXPECT_EQ(tdb.Dump(), antes);
    EXPECT_FALSE(tdb.db().InTransaction());
}

TEST_F(Borrado, InsideAnOpenTransactionTheCascadeJoinsIt) {
    const int alumno = AlumnoCompleto();
    const QString antes = tdb.Dump();
    tdb.db().BeginTrans();
    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(Borra("T01Alumnos", "IDAlumnoT01", alumno, 3));
    EXPECT_TRUE(tdb.db().InTransaction());
    EXPECT_EQ(Filas("T01Alumnos"), 0);
    tdb.db().RollbackTrans();
    EXPECT_EQ(tdb.Dump(), antes);
}

TEST_F(Borrado, ThePendingEditGuardComesFirst) {
    const int alumno = Alumno();
    tdb.db().SetPendingEditQuestion([] { return 0; });
    try {
        ASSERT_NO_FATAL_FAILURE(Borra("T01Alumnos", "IDAlumnoT01", alumno, 3));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("El registro ha sido modificado\n\nDebe ACEPTAR LOS "
                                              "CAMBIOS (F12)\no CANCELAR (ESC) para continuar"));
    }
    tdb.db().SetPendingEditQuestion(nullptr);
    EXPECT_TRUE(tdb.prompt().Log().isEmpty());
    EXPECT_EQ(Filas("T01Alumnos"), 1);
}

TEST_F(Borrado, TheCourseDialogChoosesTheCascade) {
    const int curso = Curso();
    const int grupo = Grupo(curso);
    Matricula(grupo, Alumno());
    const QString antes = tdb.Dump();
    // Nothing selected: refused; Cancelar: silent. Either way nothing changes.
    try {
        ASSERT_NO_FATAL_FAILURE(Borra("T03Cursos", "IDCursoT03", curso, 110));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Debe seleccionar una opción de borrado"));
    }
    tdb.prompt().Push(QStringLiteral("cancel"));
    EXPECT_THROW(Borra("T03Cursos", "IDCursoT03", curso, 110), EAbort);
    EXPECT_EQ(tdb.Dump(), antes);
    EXPECT_EQ(tdb.prompt().Log()[0],
              QStringLiteral("QUESTION Borrar Curso: Importante\\n\\nSi borra el curso PERDERÁ "
                             "TODA LA INFORMACIÓN\\nEs mejor opción tener el curso como NO "
                             "ACTIVO\\n\\n Opciones de Borrado: \\n1 - Borrar también los grupos "
                             "del curso\\n2 - No Borrar los grupos y mantener las matrículas"));

    tdb.prompt().Push(QStringLiteral("2"));
    ASSERT_NO_FATAL_FAILURE(Borra("T03Cursos", "IDCursoT03", curso, 110));
    EXPECT_EQ(Filas("T03Cursos"), 0);
    EXPECT_EQ(Filas("T05Grupos", "IDCursoT05 IS NULL"), 1);
    EXPECT_EQ(Filas("T02Matriculas", "ActivaT02"), 1);
}

TEST_F(Borrado, TheGroupDialogKeepsOrDeletesTheEnrolments) {
    const int g1 = Grupo(Curso());
    const int g2 = Grupo(Curso());
    Matricula(g1, Alumno());
    Matricula(g2, Alumno());
    tdb.prompt().Push(QStringLiteral("2"));
    ASSERT_NO_FATAL_FAILURE(Borra("T05Grupos", "IDGrupoT05", g1, 14));
    EXPECT_EQ(Filas("T02Matriculas", "IDGrupoT02 IS NULL AND NOT ActivaT02"), 1);
    EXPECT_EQ(
        Incidencias(QStringLiteral("25-El grupo al que pertenecía la matrícula se ha eliminado")),
        1);
    tdb.prompt().Push(QStringLiteral("1"));
    ASSERT_NO_FATAL_FAILURE(Borra("T05Grupos", "IDGrupoT05", g2, 14));
    EXPECT_EQ(Filas("T05Grupos"), 0);
    EXPECT_EQ(Filas("T02Matriculas"), 1);
    EXPECT_TRUE(
        tdb.prompt().Log()[0].startsWith(QStringLiteral("QUESTION Borrar Grupo: Importante")));
}

TEST_F(Borrado, TheDialogLogicRefusesUntilAnOptionIsChosen) {
    QList<bool> llamadas;
    TFRMBorrarClase dialogo([&](bool borrar) { llamadas << borrar; });
    EXPECT_EQ(dialogo.ItemIndex(), -1);
    EXPECT_THROW(dialogo.bbBorrarClick(), EZMKError);
    EXPECT_EQ(dialogo.ModalResult(), TModalResult::None);
    dialogo.SetItemIndex(1);
    dialogo.bbBorrarClick();
    EXPECT_EQ(llamadas, QList<bool>{false});
    EXPECT_EQ(dialogo.ModalResult(), TModalResult::Ok);
}

TEST_F(Borrado, TariffsAskOnlyWhenInUseAndIncidencesOnlyWhenAutomatic) {
    const int libre = Nuevo("INSERT INTO T07TarifasPrecios (IDCentroT07) VALUES (1)",
                            "T07TarifasPrecios", "IDTarifaPreciosT07");
    ASSERT_NO_FATAL_FAILURE(Borra("T07TarifasPrecios", "IDTarifaPreciosT07", libre, 88));
    EXPECT_TRUE(tdb.prompt().Log().isEmpty());
    EXPECT_EQ(Filas("T07TarifasPrecios"), 0);

    const int usada = Nuevo("INSERT INTO T07TarifasPrecios (IDCentroT07) VALUES (1)",
                            "T07TarifasPrecios", "IDTarifaPreciosT07");
    Concepto("IDCursoT14", Curso(), 1, usada);
    EXPECT_THROW(Borra("T07TarifasPrecios", "IDTarifaPreciosT07", usada, 88), EAbort);
    EXPECT_EQ(Filas("T14ConceptosMatricula"), 1);
    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(Borra("T07TarifasPrecios", "IDTarifaPreciosT07", usada, 88));
    EXPECT_EQ(Filas("T14ConceptosMatricula"), 0);
    EXPECT_EQ(Filas("T07TarifasPrecios"), 0);

    CrearIncidenciaAutomatica(1, 0, 0, QStringLiteral("x"), QStringLiteral("x"), 0, 0, 0);
    const int automatica = Count("SELECT MAX(IDIncidenciaT11) FROM T11Incidencias");
    const int manual =
        Nuevo("INSERT INTO T11Incidencias (IDCentroT11, AutomaticaT11) VALUES (1, 0)",
              "T11Incidencias", "IDIncidenciaT11");
    const auto preguntas = tdb.prompt().Log().size();
    ASSERT_NO_FATAL_FAILURE(Borra("T11Incidencias", "IDIncidenciaT11", manual, 193));
    EXPECT_EQ(tdb.prompt().Log().size(), preguntas);
    tdb.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(Borra("T11Incidencias", "IDIncidenciaT11", automatica, 193), EAbort);
    EXPECT_TRUE(tdb.prompt().Log().last().endsWith(QStringLiteral("ANSWER no")));
    EXPECT_EQ(Filas("T11Incidencias"), 1);
}

TEST_F(Borrado, CentresTeachersEnrolmentsAndSettlements) {
    const int grupo = Grupo(Curso(2), 2);
    Matricula(grupo, Alumno(2), 2);
    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(Borra("T20Centros", "IDCentroT20", 2, 251));
    EXPECT_EQ(Filas("T20Centros"), 1);
    for (const char* tabla : {"T03Cursos", "T05Grupos", "T01Alumnos", "T02Matriculas"})
        EXPECT_EQ(Filas(tabla), 0) << tabla;
    EXPECT_TRUE(tdb.prompt().Log()[0].contains(
        QStringLiteral("¿Está seguro de que desea BORRAR el CENTRO?")));

    const int m = Matricula(Grupo(Curso()), Alumno());
    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(Borra("T02Matriculas", "IDMatriculaT02", m, 186));
    EXPECT_EQ(Filas("T02Matriculas"), 0);

    const int profesor = Nuevo("INSERT INTO T04Profesores (IDCentroT04) VALUES (1)",
                               "T04Profesores", "IDProfesorT04");
    EXPECT_THROW(Borra("T04Profesores", "IDProfesorT04", profesor, 5), EAbort);
    tdb.prompt().Push(QStringLiteral("yes"));
    ASSERT_NO_FATAL_FAILURE(Borra("T04Profesores", "IDProfesorT04", profesor, 5));
    EXPECT_EQ(Filas("T04Profesores"), 0);

    Exec("INSERT INTO T27LiquidacionesCab (IDLiquidacionCabT27, IDCentroT27) VALUES (3, 1)");
    Exec("INSERT INTO T28LiquidacionesCue (IDLiquidacionCabT28) VALUES (3)");
    ASSERT_NO_FATAL_FAILURE(Borra("T27LiquidacionesCab", "IDLiquidacionCabT27", 3, 348));
    EXPECT_EQ(Filas("T27LiquidacionesCab") + Filas("T28LiquidacionesCue"), 0);
}

TEST_F(Borrado, AVatTypeInUseStaysAndTheRefusalSaysWhatUsesIt) {
    const int tipo =
        Nuevo("INSERT INTO T22TiposIva (TPCIvaT22) VALUES (10.5)", "T22TiposIva", "IDTipoIvaT22");
    Exec("INSERT INTO T07TarifasPrecios (IDCentroT07, TPCIvaT07) VALUES (1, 21)");
    Concepto("IDCursoT14", Curso());
    Concepto("IDCursoT14", Curso());
    Exec(QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, TPCIvaT16) VALUES (%1, 21)")
             .arg(Factura(1, Alumno(), 1)));
    const int general = VarAEnter(
        tdb.Scalar(QStringLiteral("SELECT IDTipoIvaT22 FROM T22TiposIva WHERE TPCIvaT22=21")));
    const QString antes = tdb.Dump();
    try {
        Borra("T22TiposIva", "IDTipoIvaT22", general, 222);
        ADD_FAILURE() << "deleted";
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("No se puede borrar el tipo de IVA del 21 %: lo usan 1 tarifa "
                                 "de precios, 2 conceptos de matrícula y 1 línea de factura.\n\n"
                                 "Cambie antes el IVA de esas tarifas y conceptos; las facturas "
                                 "emitidas lo conservan siempre."));
    }
    EXPECT_EQ(tdb.Dump(), antes);

    // Unused, or the same rate kept by another row: it goes without a word.
    Borra("T22TiposIva", "IDTipoIvaT22", tipo, 222);
    EXPECT_EQ(Filas("T22TiposIva", QStringLiteral("IDTipoIvaT22=%1").arg(tipo)), 0);
    Exec("INSERT INTO T22TiposIva (TPCIvaT22) VALUES (21)");
    Borra("T22TiposIva", "IDTipoIvaT22", general, 222);
    EXPECT_EQ(Filas("T22TiposIva", QStringLiteral("TPCIvaT22=21")), 1);
    EXPECT_TRUE(tdb.prompt().Log().isEmpty());
}

}  // namespace
