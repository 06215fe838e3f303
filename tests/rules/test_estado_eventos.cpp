// The data-event rules of the teaching records, driven through screens' data sets.
#include "core/parametrosapp.h"
#include "host/prompt.h"
#include "rules/fuentesdatos.h"
#include "tests/rules/test_estado_datos.h"

using namespace zmk;
using zmk::test::ErrorMessage;

namespace {

class ReglasEventos : public test::DatosEstado {};

TEST_F(ReglasEventos, InactiveRecordsCannotBeEdited) {
    const int curso = Curso(1, false);
    const int grupo = Grupo(curso, 1, false);
    const int alumno = Alumno(1, 3, false);
    Matricula(grupo, alumno, 1, false);
    struct Caso {
        const char* tabla;
        int fuente;
        const char* texto;
    };
    for (const Caso& caso : {
             Caso{"T01Alumnos", fuente::kAlumnos, "El alumno no está activo, no puede modificar"},
             Caso{"T02Matriculas", fuente::kMatriculas,
                  "La matrícula no está activa, no puede modificar"},
             Caso{"T03Cursos", fuente::kCursos, "El curso no está activo, no puede modificar"},
             Caso{"T05Grupos", fuente::kGrupos, "El grupo no está activo, no puede modificar"},
         }) {
        auto ds = Pantalla(QString::fromLatin1(caso.tabla), caso.fuente);
        EXPECT_EQ(ErrorMessage([&] { ds->Edit(); }), QString::fromUtf8(caso.texto)) << caso.tabla;
        EXPECT_EQ(ds->State(), TDataSetState::Browse);
    }
}

TEST_F(ReglasEventos, InvoicesAndTheirLinesCanOnlyBeEditedWhilePending) {
    const int cobrada = Factura(2, 8, QStringLiteral("A"));
    Exec(QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, ImporteBaseT16) VALUES "
                        "(%1, 10)")
             .arg(cobrada));
    auto lineas = Pantalla(QStringLiteral("T16FacturasCue"), fuente::kFacturasCue);
    EXPECT_TRUE(
        ErrorMessage([&] { lineas->Edit(); }).contains(QStringLiteral("La factura nº 8 Serie")));
    auto cabeceras = Pantalla(QStringLiteral("T15FacturasCab"), fuente::kFacturasCab);
    EXPECT_FALSE(ErrorMessage([&] { cabeceras->Edit(); }).isEmpty());
    // Deleting its line is refused too, and leaves the line in place.
    EXPECT_FALSE(ErrorMessage([&] { lineas->Delete(); }).isEmpty());
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T16FacturasCue")).toInt(), 1);
}

TEST_F(ReglasEventos, NewStudentsAreNumberedFromTheCounter) {
    ParametrosApp().SetValue(QStringLiteral("NuevoCodigoAlumno"), 7);
    auto ds = Pantalla(QStringLiteral("T01Alumnos"), fuente::kAlumnos);
    ds->Append();
    ds->FieldByName(QStringLiteral("CodigoT01")).SetValue(99);  // replaced on insert
    ds->FieldByName(QStringLiteral("ActivoT01")).SetValue(true);
    ds->Post();
    ds->Append();
    ds->FieldByName(QStringLiteral("ActivoT01")).SetValue(true);
    ds->Post();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT GROUP_CONCAT(CodigoT01) FROM (SELECT CodigoT01 FROM "
                                    "T01Alumnos ORDER BY IDAlumnoT01)"))
                  .toString(),
              QStringLiteral("7,8"));
    EXPECT_EQ(ParametrosApp().AsInteger(QStringLiteral("NuevoCodigoAlumno"), 0), 9);

    // An edit keeps the number it has; a number taken by another student is refused.
    ds->First();
    ds->Edit();
    ds->FieldByName(QStringLiteral("CodigoT01")).SetValue(8);
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("Ya existe otro alumno con el código 8"));
    ds->Cancel();
    EXPECT_EQ(ParametrosApp().AsInteger(QStringLiteral("NuevoCodigoAlumno"), 0), 9);
}

TEST_F(ReglasEventos, ACounterThatHitsATakenNumberIsRefused) {
    Alumno(1, 9);
    ParametrosApp().SetValue(QStringLiteral("NuevoCodigoAlumno"), 9);
    auto ds = Pantalla(QStringLiteral("T01Alumnos"), fuente::kAlumnos);
    ds->Append();
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("Ya existe otro alumno con el código 9"));
    ds->Cancel();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T01Alumnos")).toInt(), 1);
}

TEST_F(ReglasEventos, ARelatedStudentMustBelongToTheSameCentre) {
    const int otro = Alumno(2, 50);
    const int propio = Alumno(1, 51);
    auto ds = Pantalla(QStringLiteral("T01Alumnos"), fuente::kAlumnos,
                       QStringLiteral("IDAlumnoT01=%1").arg(propio));
    ds->Edit();
    ds->FieldByName(QStringLiteral("IDAlumnoRelacionadoT01")).SetValue(otro);
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("El alumno relacionado no pertenece al mismo centro que el alumno"));
}

TEST_F(ReglasEventos, EnrolmentsNeedAnActiveGroupOfTheirCentre) {
    const int curso = Curso();
    const int inactivo = Grupo(curso, 1, false);
    const int ajeno = Grupo(Curso(2), 2);
    const int alumno = Alumno();
    auto ds = Pantalla(QStringLiteral("T02Matriculas"), fuente::kMatriculas);
    ds->Append();
    ds->FieldByName(QStringLiteral("IDCentroT02")).SetValue(1);
    ds->FieldByName(QStringLiteral("IDAlumnoT02")).SetValue(alumno);
    ds->FieldByName(QStringLiteral("ActivaT02")).SetValue(true);
    ds->FieldByName(QStringLiteral("IDGrupoT02")).SetValue(inactivo);
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("El grupo no está Activo, no puede realizar cambios"));
    ds->FieldByName(QStringLiteral("IDGrupoT02")).SetValue(ajeno);
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("El Alumno o el grupo no corresponden al mismo centro que la "
                             "Matrícula"));
    // A group that no longer exists counts as active and as having no centre.
    ds->FieldByName(QStringLiteral("IDGrupoT02")).SetValue(999);
    EXPECT_NO_THROW(ds->Post());
}

TEST_F(ReglasEventos, MovingAnEnrolmentToAnotherCourseAsksFirst) {
    const int grupo = Grupo(Curso());
    const int otroCurso = Grupo(Curso());
    const int mismoCurso = Grupo(Curso(), 1);
    Exec(QStringLiteral("UPDATE T05Grupos SET IDCursoT05=(SELECT IDCursoT05 FROM T05Grupos WHERE "
                        "IDGrupoT05=%1) WHERE IDGrupoT05=%2")
             .arg(grupo)
             .arg(mismoCurso));
    const int matricula = Matricula(grupo, Alumno());
    auto ds = Pantalla(QStringLiteral("T02Matriculas"), fuente::kMatriculas);
    ds->Edit();
    ds->FieldByName(QStringLiteral("IDGrupoT02")).SetValue(mismoCurso);
    ds->Post();  // same course: no question
    EXPECT_TRUE(tdb.prompt().Log().isEmpty());

    ds->Edit();
    ds->FieldByName(QStringLiteral("IDGrupoT02")).SetValue(otroCurso);
    tdb.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(ds->Post(), EAbort);
    EXPECT_TRUE(tdb.prompt().Log().first().contains(
        QStringLiteral("Ha modificado el CURSO de la matrícula.")));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT IDGrupoT02 FROM T02Matriculas WHERE "
                                    "IDMatriculaT02=%1")
                         .arg(matricula))
                  .toInt(),
              mismoCurso);
    tdb.prompt().Push(QStringLiteral("yes"));
    ds->Post();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT IDGrupoT02 FROM T02Matriculas")).toInt(), otroCurso);
}

TEST_F(ReglasEventos, GroupsStayWithTheirCourseCentreAndAskBeforeChangingCourse) {
    const int curso = Curso();
    const int ajeno = Curso(2);
    const int inactivo = Curso(1, false);
    const int otro = Curso();
    Grupo(curso);
    auto ds = Pantalla(QStringLiteral("T05Grupos"), fuente::kGrupos);
    ds->Edit();
    ds->FieldByName(QStringLiteral("IDCursoT05")).SetValue(ajeno);
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("El Curso del grupo corresponde a un CENTRO DISTINTO"));
    ds->FieldByName(QStringLiteral("IDCursoT05")).SetValue(inactivo);
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("El curso no está Activo, no puede realizar cambios"));
    ds->FieldByName(QStringLiteral("IDCursoT05")).SetValue(otro);
    EXPECT_THROW(ds->Post(), EAbort);  // the question's default is No
    EXPECT_TRUE(
        tdb.prompt().Log().first().contains(QStringLiteral("Ha modificado el CURSO del grupo")));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT IDCursoT05 FROM T05Grupos")).toInt(), curso);
}

TEST_F(ReglasEventos, IncidencesMayNotMixCentres) {
    const int curso = Curso(1);
    const int alumno = Alumno(2);
    auto ds = Pantalla(QStringLiteral("T11Incidencias"), fuente::kIncidencias);
    ds->Append();
    ds->FieldByName(QStringLiteral("IDCentroT11")).SetValue(1);
    ds->FieldByName(QStringLiteral("IDCursoT11")).SetValue(curso);
    ds->FieldByName(QStringLiteral("IDAlumnoT11")).SetValue(alumno);
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("Algunos valores pertenecen a CENTROS DISTINTOS"));
    ds->FieldByName(QStringLiteral("IDCursoT11")).Clear();
    ds->FieldByName(QStringLiteral("IDAlumnoT11")).Clear();
    ds->FieldByName(QStringLiteral("ResueltaT11")).SetValue(true);
    ds->Post();
    EXPECT_FALSE(
        Scalar(QStringLiteral("SELECT DiaHoraResolucionT11 FROM T11Incidencias")).isNull());

    // Its stored centre holds: it cannot move to another centre.
    ds->Edit();
    ds->FieldByName(QStringLiteral("IDCentroT11")).SetValue(2);
    EXPECT_FALSE(ErrorMessage([&] { ds->Post(); }).isEmpty());
    ds->FieldByName(QStringLiteral("IDCentroT11")).SetValue(1);
    ds->FieldByName(QStringLiteral("ResueltaT11")).SetValue(false);
    ds->Post();
    EXPECT_TRUE(Scalar(QStringLiteral("SELECT DiaHoraResolucionT11 FROM T11Incidencias")).isNull());
}

TEST_F(ReglasEventos, NewInvoicesNeedASeriesAndTakeItsNextNumber) {
    ParametrosApp().SetValue(QStringLiteral("PermitirCrearFactManualmente"), true);
    Exec(
        QStringLiteral("INSERT INTO T18Series (IDSerieT18, SerieT18, NSiguienteFacturaT18) "
                       "VALUES (4, 'B', 31)"));
    const int ajeno = Alumno(2);
    auto ds = Pantalla(QStringLiteral("T15FacturasCab"), fuente::kFacturasCab);
    ds->Append();
    ds->FieldByName(QStringLiteral("IDCentroT15")).SetValue(1);
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("Es necesario seleccionar la serie a la cual se asignará la "
                             "factura.\nEsta protección se puede desactivar desde las opciones "
                             "del programa."));
    ds->FieldByName(QStringLiteral("IDSerieT15")).SetValue(4);
    ds->FieldByName(QStringLiteral("IDAlumnoT15")).SetValue(ajeno);
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("El alumno no pertenece al mismo centro, no se puede seleccionar"));
    ds->FieldByName(QStringLiteral("IDAlumnoT15")).Clear();
    ds->Post();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT NumeroT15 FROM T15FacturasCab")).toInt(), 31);
    EXPECT_EQ(Scalar(QStringLiteral("SELECT NSiguienteFacturaT18 FROM T18Series")).toInt(), 32);
    EXPECT_FALSE(tdb.db().InTransaction());
    // The receipt text was written after the post.
    EXPECT_FALSE(Scalar(QStringLiteral("SELECT Linea01T15 FROM T15FacturasCab")).isNull());
}

TEST_F(ReglasEventos, InvoiceLinesKeepTheirInvoiceTotalUpToDate) {
    Parametres().SetParametreValue(QStringLiteral("PRMDefaultIVA"), 21);
    const int factura = Factura(1);
    auto ds = Pantalla(QStringLiteral("T16FacturasCue"), fuente::kFacturasCue);
    ds->Append();
    EXPECT_EQ(ds->FieldByName(QStringLiteral("UnidadesT16")).AsCurrency(), Currency(1));
    EXPECT_EQ(ds->FieldByName(QStringLiteral("TPCIvaT16")).AsCurrency(), Currency(21));
    ds->FieldByName(QStringLiteral("ImporteBaseT16")).SetAsCurrency(Currency(100));
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }),
              QStringLiteral("No se puede determinar la factura a la que pertenece"));
    ds->FieldByName(QStringLiteral("IDFacturaCabT16")).SetValue(factura);
    ds->FieldByName(QStringLiteral("TPCIvaT16")).SetAsCurrency(Currency(7));
    EXPECT_TRUE(ErrorMessage([&] { ds->Post(); }).contains(QStringLiteral(": 7\n")));
    ds->FieldByName(QStringLiteral("TPCIvaT16")).SetAsCurrency(Currency(21));
    ds->Post();
    EXPECT_EQ(Importe(QStringLiteral("SELECT ImporteTotalT15 FROM T15FacturasCab")), Currency(121));
    ds->Delete();
    EXPECT_EQ(Importe(QStringLiteral("SELECT ImporteTotalT15 FROM T15FacturasCab")), Currency());
}

TEST_F(ReglasEventos, TariffsUsedByConceptsAskBeforeChangingPrices) {
    Exec(
        QStringLiteral("INSERT INTO T07TarifasPrecios (IDCentroT07, CodigoTarifaT07, "
                       "ImporteSinIVAT07, TPCIvaT07) VALUES (1, 'T', 10, 21)"));
    const int tarifa =
        Ultimo(QStringLiteral("T07TarifasPrecios"), QStringLiteral("IDTarifaPreciosT07"));
    Exec(QStringLiteral("INSERT INTO T14ConceptosMatricula (IDCentroT14, IDTarifaPreciosT14, "
                        "ImporteBaseT14) VALUES (1, %1, 10)")
             .arg(tarifa));
    auto ds = Pantalla(QStringLiteral("T07TarifasPrecios"), fuente::kTarifas);
    ds->Edit();
    ds->FieldByName(QStringLiteral("ImporteSinIVAT07")).SetAsCurrency(Currency(20));
    tdb.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(ds->Post(), EAbort);
    EXPECT_EQ(Importe(QStringLiteral("SELECT ImporteBaseT14 FROM T14ConceptosMatricula")),
              Currency(10));
    tdb.prompt().Push(QStringLiteral("yes"));
    ds->Post();
    EXPECT_EQ(Importe(QStringLiteral("SELECT ImporteBaseT14 FROM T14ConceptosMatricula")),
              Currency(20));
}

TEST_F(ReglasEventos, PaymentMethodsGetTheirCreditorIdAndANorma19WarningThatDoesNotBlock) {
    auto ds = Pantalla(QStringLiteral("T17FormasCobro"), fuente::kFormasCobro);
    ds->Append();
    ds->FieldByName(QStringLiteral("NIFPresentadorT17")).SetValue(QStringLiteral("B12345678"));
    ds->FieldByName(QStringLiteral("SufijoT17")).SetValue(QStringLiteral("000"));
    ds->FieldByName(QStringLiteral("AcreedorIdentificadorT17")).SetValue(QStringLiteral("viejo"));
    ds->FieldByName(QStringLiteral("UsaNorma19T17")).SetValue(true);
    ds->FieldByName(QStringLiteral("NombrePresentadorT17")).SetValue(QStringLiteral("Academia"));
    ds->Post();
    EXPECT_EQ(ds->FieldByName(QStringLiteral("AcreedorPaisT17")).AsString(),
              QStringLiteral("España"));
    EXPECT_TRUE(ds->FieldByName(QStringLiteral("AcreedorIdentificadorT17"))
                    .AsString()
                    .endsWith(QStringLiteral("000B12345678")));
    ASSERT_FALSE(tdb.prompt().Log().isEmpty());
    EXPECT_TRUE(
        tdb.prompt().Log().join(QString()).contains(QStringLiteral("Norma 19 DEBE INTRODUCIR")));
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T17FormasCobro")).toInt(), 1);

    // A foreign creditor gets no Spanish identifier.
    ds->Edit();
    ds->FieldByName(QStringLiteral("AcreedorPaisT17")).SetValue(QStringLiteral("Francia"));
    ds->FieldByName(QStringLiteral("UsaNorma19T17")).SetValue(false);
    ds->Post();
    EXPECT_TRUE(ds->FieldByName(QStringLiteral("AcreedorIdentificadorT17")).IsNull());
}

TEST_F(ReglasEventos, SettlementLinesKeepTheSettlementTotal) {
    Exec(
        QStringLiteral("INSERT INTO T27LiquidacionesCab (IDLiquidacionCabT27, IDCentroT27) "
                       "VALUES (6, 1)"));
    auto ds = Pantalla(QStringLiteral("T28LiquidacionesCue"), fuente::kLiquidacionesCue);
    for (const char* precio : {"2.505", "10"}) {
        ds->Append();
        ds->FieldByName(QStringLiteral("IDLiquidacionCabT28")).SetValue(6);
        ds->FieldByName(QStringLiteral("UnidadesT28")).SetValue(2);
        ds->FieldByName(QStringLiteral("PrecioUnitarioT28")).SetValue(QString::fromLatin1(precio));
        ds->Post();
    }
    EXPECT_EQ(Importe(QStringLiteral("SELECT ImporteLiquidadoT27 FROM T27LiquidacionesCab")),
              Currency::FromRaw(250100));  // 5.01 + 20
    ds->Delete();
    EXPECT_EQ(Importe(QStringLiteral("SELECT ImporteLiquidadoT27 FROM T27LiquidacionesCab")),
              Currency::FromRaw(50100));
}

TEST_F(ReglasEventos, DeletingTheCurrentCentreClearsIt) {
    auto ds =
        Pantalla(QStringLiteral("T20Centros"), fuente::kCentros, QStringLiteral("IDCentroT20=1"));
    // The deletion's own confirmations, when the cascade rules are in place, are accepted.
    for (int i = 0; i < 3; ++i) tdb.prompt().Push(QStringLiteral("yes"));
    ds->Delete();
    EXPECT_EQ(IDCentroActual(), 0);
}

}  // namespace
