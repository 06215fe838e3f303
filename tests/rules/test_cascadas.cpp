#include <gtest/gtest.h>

#include "host/errors.h"
#include "rules/cascadas.h"
#include "tests/rules/test_cascadas_datos.h"

using namespace zmk;
using namespace zmk::test;

namespace {

using Cascadas = DatosCascadas;

TEST_F(Cascadas, AutomaticIncidencesStoreNullKeysAndRefuseMixedCentres) {
    const int curso = Curso(1);
    CrearIncidenciaAutomatica(1, curso, 0, QStringLiteral("texto"), QStringLiteral("titulo"), 0, 0,
                              0);
    EXPECT_EQ(
        Filas("T11Incidencias",
              QStringLiteral("IDCentroT11=1 AND IDCursoT11=%1 AND IDGrupoT11 IS NULL AND "
                             "IDMatriculaT11 IS NULL AND IDAlumnoT11 IS NULL AND IDProfesorT11 "
                             "IS NULL AND AutomaticaT11 AND ResueltaT11 AND "
                             "IncidenciaT11='texto' AND TituloT11='titulo' AND "
                             "DiaHoraT11=DiaHoraResolucionT11 AND DiaHoraT11 > 46000")
                  .arg(curso)),
        1);
    try {
        CrearIncidenciaAutomatica(1, 0, 0, QStringLiteral("t"), QStringLiteral("t"), 0, Alumno(2),
                                  0);
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Algunos valores pertenecen a CENTROS DISTINTOS"));
    }
    EXPECT_EQ(Filas("T11Incidencias"), 1);
}

TEST_F(Cascadas, DeletingAGroupKeepingItsEnrolmentsLeavesThemInactiveWithoutGroup) {
    const int grupo = Grupo(Curso(), 1, true, QStringLiteral("G7"));
    const int m1 = Matricula(grupo, Alumno());
    const int m2 = Matricula(grupo, Alumno());
    const int concepto = Concepto("IDGrupoT14", grupo);
    const int copia = Concepto("IDMatriculaT14", m1);
    Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET IDConcMatrPadreT14=%1 WHERE "
                        "IDConceptoMatriculaT14=%2")
             .arg(concepto)
             .arg(copia));
    CrearIncidenciaAutomatica(1, 0, grupo, QStringLiteral("x"), QStringLiteral("x"), 0, 0, 0);

    EliminarGrupo(grupo, false, false);
    EXPECT_EQ(Filas("T02Matriculas", "IDGrupoT02 IS NULL AND NOT ActivaT02"), 2);
    EXPECT_EQ(Filas("T11Incidencias",
                    "TituloT11='25-El grupo al que pertenecía la matrícula se ha eliminado' AND "
                    "IncidenciaT11='Se ha eliminado el grupo: (G7) Mañanas' AND IDCentroT11=1"),
              2);
    EXPECT_EQ(Filas("T11Incidencias", QStringLiteral("IDMatriculaT11 IN (%1, %2)").arg(m1).arg(m2)),
              2);
    EXPECT_EQ(Filas("T11Incidencias", "IDGrupoT11 IS NOT NULL"), 0);
    EXPECT_EQ(Filas("T14ConceptosMatricula"), 0);
    EXPECT_EQ(Filas("T05Grupos"), 1);  // the row is left to the caller

    EliminarGrupo(grupo, true, true);
    EXPECT_EQ(Filas("T05Grupos"), 0);
    EXPECT_EQ(Filas("T02Matriculas"), 2);  // no longer in the group: not touched
}

TEST_F(Cascadas, DeletingAStudentKeepsTheInvoicesAndUnlinksEverything) {
    const int grupo = Grupo(Curso());
    const int alumno = Alumno();
    const int hermano = Alumno();
    Exec(QStringLiteral("UPDATE T01Alumnos SET IDAlumnoRelacionadoT01=%1 WHERE IDAlumnoT01=%2")
             .arg(alumno)
             .arg(hermano));
    const int m = Matricula(grupo, alumno);
    const int otra = Matricula(grupo, hermano);
    const int concepto = Concepto("IDMatriculaT14", m);
    const int factura = Factura(1, alumno, 7);
    Linea(factura, m, concepto);
    Linea(factura, otra, 0);
    Exec(QStringLiteral("INSERT INTO T26FaltasAsistencia (IDMatriculaT26) VALUES (%1)").arg(m));
    Exec(QStringLiteral("INSERT INTO T25NotasBoletin (IDMatriculaT25) VALUES (%1)").arg(m));
    CrearIncidenciaAutomatica(1, 0, 0, QStringLiteral("x"), QStringLiteral("x"), 0, alumno, 0);
    CrearIncidenciaAutomatica(1, 0, 0, QStringLiteral("x"), QStringLiteral("x"), 0, 0, m);

    EliminarAlumno(alumno, true);
    EXPECT_EQ(Filas("T01Alumnos"), 1);
    EXPECT_EQ(Filas("T01Alumnos", "IDAlumnoRelacionadoT01 IS NULL"), 1);
    EXPECT_EQ(Filas("T02Matriculas"), 1);
    EXPECT_EQ(Filas("T15FacturasCab",
                    QStringLiteral("IDFacturaCabT15=%1 AND IDAlumnoT15 IS NULL").arg(factura)),
              1);
    EXPECT_EQ(Filas("T16FacturasCue"), 2);
    EXPECT_EQ(Filas("T16FacturasCue", "IDMatriculaT16 IS NULL AND IDConceptoMatriculaT16 IS NULL"),
              1);
    EXPECT_EQ(Filas("T14ConceptosMatricula"), 0);
    EXPECT_EQ(Filas("T26FaltasAsistencia"), 0);
    EXPECT_EQ(Filas("T25NotasBoletin"), 0);
    EXPECT_EQ(Filas("T11Incidencias"), 0);
}

TEST_F(Cascadas, DeletingACourseWithOrWithoutItsGroups) {
    const int curso = Curso();
    const int grupo = Grupo(curso);
    const int m = Matricula(grupo, Alumno());
    const int boletin = Boletin(curso);
    Exec(QStringLiteral("INSERT INTO T25NotasBoletin (IDBoletinNotasT25, IDMatriculaT25) VALUES "
                        "(%1, %2)")
             .arg(boletin)
             .arg(m));
    Concepto("IDCursoT14", curso);
    EliminarCurso(curso, false, true);
    EXPECT_EQ(Filas("T03Cursos"), 0);
    EXPECT_EQ(Filas("T24BoletinesNotas"), 0);
    EXPECT_EQ(Filas("T25NotasBoletin"), 0);
    EXPECT_EQ(Filas("T14ConceptosMatricula"), 0);
    EXPECT_EQ(Filas("T05Grupos", "IDCursoT05 IS NULL"), 1);
    EXPECT_EQ(Filas("T02Matriculas", "ActivaT02"), 1);

    const int curso2 = Curso();
    Exec(QStringLiteral("UPDATE T05Grupos SET IDCursoT05=%1").arg(curso2));
    EliminarCurso(curso2, true, true);
    EXPECT_EQ(Filas("T05Grupos"), 0);
    EXPECT_EQ(Filas("T02Matriculas", "IDGrupoT02 IS NULL AND NOT ActivaT02"), 1);
}

TEST_F(Cascadas, TariffsInvoicesTeachersAndSettlements) {
    const int tarifa = Nuevo("INSERT INTO T07TarifasPrecios (IDCentroT07) VALUES (1)",
                             "T07TarifasPrecios", "IDTarifaPreciosT07");
    const int grupo = Grupo(Curso());
    const int m = Matricula(grupo, Alumno());
    const int padre = Concepto("IDGrupoT14", grupo, 1, tarifa);
    const int copia = Concepto("IDMatriculaT14", m);
    Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET IDConcMatrPadreT14=%1, ActivoT14=0 WHERE "
                        "IDConceptoMatriculaT14=%2")
             .arg(padre)
             .arg(copia));
    const int factura = Factura(1, 0, 3);
    Linea(factura, m, copia);
    EliminarFactura(factura, false, true);
    EXPECT_EQ(Filas("T14ConceptosMatricula", "ActivoT14"), 2);  // the billed copy is on again
    EXPECT_EQ(Filas("T16FacturasCue"), 0);
    EXPECT_EQ(Filas("T15FacturasCab"), 1);

    EliminarTarifa(tarifa, true);
    EXPECT_EQ(Filas("T14ConceptosMatricula"), 0);  // the priced concept and its copy
    EXPECT_EQ(Filas("T07TarifasPrecios"), 0);
    EXPECT_EQ(splash_->textos.mid(splash_->textos.size() - 2),
              (QStringList{QStringLiteral("Eliminando concepto matrícula"),
                           QStringLiteral("Eliminando la tarifa")}));

    const int profesor = Nuevo("INSERT INTO T04Profesores (IDCentroT04, ActivoT04) VALUES (1, 1)",
                               "T04Profesores", "IDProfesorT04");
    Exec(QStringLiteral("UPDATE T05Grupos SET IDProfesorT05=%1").arg(profesor));
    EliminarProfesor(profesor, true);
    EXPECT_EQ(Filas("T04Profesores"), 0);
    EXPECT_EQ(Filas("T05Grupos", "IDProfesorT05 IS NULL"), 1);

    Exec("INSERT INTO T27LiquidacionesCab (IDLiquidacionCabT27, IDCentroT27) VALUES (4, 1)");
    Exec("INSERT INTO T28LiquidacionesCue (IDLiquidacionCabT28) VALUES (4)");
    EliminarLiquidacion(4, false);
    EXPECT_EQ(Filas("T28LiquidacionesCue"), 0);
    EXPECT_EQ(Filas("T27LiquidacionesCab"), 1);
}

TEST_F(Cascadas, DeletingACentreRemovesAllItsDataInOrderAndNothingElse) {
    for (int centro : {1, 2}) {
        const int curso = Curso(centro);
        const int grupo = Grupo(curso, centro);
        const int alumno = Alumno(centro);
        const int m = Matricula(grupo, alumno, centro);
        Concepto("IDCursoT14", curso, centro);
        Concepto("IDMatriculaT14", m, centro);
        Linea(Factura(centro, alumno, 40 + centro), m, 0);
        Exec(QStringLiteral("INSERT INTO T07TarifasPrecios (IDCentroT07, DescrTarifaT07) VALUES "
                            "(%1, 'Tarifa')")
                 .arg(centro));
        Exec(QStringLiteral("INSERT INTO T27LiquidacionesCab (IDCentroT27, NLiquidacionT27) VALUES "
                            "(%1, 9)")
                 .arg(centro));
        CrearIncidenciaAutomatica(centro, 0, 0, QStringLiteral("Nota"), QStringLiteral("x"), 0, 0,
                                  0);
    }
    // A group of centre 1 without course is reached only by the groups step.
    Grupo(0, 1, true, QStringLiteral("SUELTO"));

    EliminarCentro(1, true);
    for (const char* tabla : {"T03Cursos", "T05Grupos", "T01Alumnos", "T02Matriculas",
                              "T15FacturasCab", "T16FacturasCue", "T07TarifasPrecios",
                              "T27LiquidacionesCab", "T11Incidencias", "T20Centros"})
        EXPECT_EQ(Filas(tabla), 1) << tabla;
    EXPECT_EQ(Filas("T14ConceptosMatricula"), 2);
    EXPECT_EQ(Filas("T14ConceptosMatricula", "IDCentroT14=2"), 2);
    EXPECT_EQ(Filas("T20Centros", "IDCentroT20=2"), 1);

    const QStringList esperados = {
        QStringLiteral("Inicializando..."),
        QStringLiteral("Eliminando las facturas"),
        QStringLiteral("Eliminando la factura nº: 41"),
        QStringLiteral("Eliminando los alumnos..."),
        QStringLiteral("Eliminando el alumno: Ruiz, Ana"),
        QStringLiteral("Eliminando los cursos..."),
        QStringLiteral("Eliminando el curso: Curso"),
        QStringLiteral("Eliminando los grupos..."),
        QStringLiteral("Eliminando el grupo: Mañanas"),
        QStringLiteral("Eliminando las tarifas de precios..."),
        QStringLiteral("Eliminando la tarifa: Tarifa"),
        QStringLiteral("Eliminando las incidencias..."),
        QStringLiteral("Eliminando la incidencia: Nota"),
        QStringLiteral("Eliminando las liquidaciones..."),
        QStringLiteral("Eliminando la liquidación nº: 9"),
    };
    QStringList vistos;
    for (const QString& t : splash_->textosPrimerNivel)
        if (esperados.contains(t) && (vistos.isEmpty() || vistos.last() != t)) vistos << t;
    EXPECT_EQ(vistos, esperados);
    EXPECT_FALSE(splash_->Active());
}

}  // namespace
