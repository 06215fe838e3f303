// Form-state rules on a minimal form, and the grid colours.
#include "host/controls.h"
#include "host/grid.h"
#include "host/querysql.h"
#include "rules/coloreado.h"
#include "rules/fuentesdatos.h"
#include "rules/reglasformulario.h"
#include "tests/rules/test_estado_datos.h"

using namespace zmk;

namespace {

class ReglasFormulario : public test::DatosEstado {
  protected:
    ReglasFormulario() : form(QStringLiteral("FrmFicha"), 1) {
        boton = &Add(form, "ZMKsbAltaBaja");
        TZMKControl& panel = Add(form, "PControlsEntradaDades");
        TZMKControl& interior = Add(panel, "Pagina1");
        codigo = &Add(interior, "ZMKdbeCodigoAlumno", "CodigoT01");
        nombre = &Add(interior, "ZMKdbeNombre", "NombreT01");
        etiqueta = &Add(panel, "Etiqueta");
        fuera = &Add(form, "ZMKdbeFuera", "ComentariosT01");
        Parametres().SetParametreValue(QStringLiteral("PRMIP_ZMKFORM"), form.Handle());
    }
    static TZMKControl& Add(TZMKControl& padre, const char* nombre, const char* campo = "") {
        return padre.Add(
            std::make_unique<TZMKControl>(QString::fromLatin1(nombre), QString::fromLatin1(campo)));
    }

    TZMKForm form;
    TZMKControl* boton;
    TZMKControl* codigo;
    TZMKControl* nombre;
    TZMKControl* etiqueta;
    TZMKControl* fuera;
};

TEST_F(ReglasFormulario, StudentFormFollowsTheRecordState) {
    Alumno(1, 1, false);
    Alumno(1, 2, true);
    auto ds = Pantalla(QStringLiteral("T01Alumnos"), fuente::kAlumnos,
                       QStringLiteral("1=1 ORDER BY CodigoT01"));
    ds->Refresh();
    EXPECT_EQ(boton->Caption(), QStringLiteral("Dar de Alta"));
    EXPECT_TRUE(boton->Enabled());
    EXPECT_FALSE(nombre->Enabled());
    EXPECT_TRUE(etiqueta->Enabled());  // not bound to a field
    EXPECT_TRUE(fuera->Enabled());     // outside the entry panel

    ds->Next();  // an active student
    EXPECT_EQ(boton->Caption(), QStringLiteral("Dar de Baja"));
    EXPECT_TRUE(nombre->Enabled());
    EXPECT_TRUE(codigo->Enabled());
    ds->Edit();
    EXPECT_FALSE(boton->Enabled());
    ds->Cancel();
    EXPECT_TRUE(boton->Enabled());

    ds->First();
    ds->Append();  // a new record is typed in whatever the flag says; its number comes on post
    EXPECT_TRUE(nombre->Enabled());
    EXPECT_FALSE(codigo->Enabled());
    EXPECT_FALSE(boton->Enabled());
}

TEST_F(ReglasFormulario, WithoutAFormTheRulesDoNothing) {
    Parametres().SetParametreValue(QStringLiteral("PRMIP_ZMKFORM"), 0);
    Alumno(1, 1, false);
    auto ds = Pantalla(QStringLiteral("T01Alumnos"), fuente::kAlumnos);
    ds->Refresh();
    EXPECT_TRUE(nombre->Enabled());
    EXPECT_TRUE(boton->Caption().isEmpty());
}

TEST_F(ReglasFormulario, EnrolmentPaymentPanelFollowsItsBoxAndTheProcedureAsksFirst) {
    Add(form, "ZMKdbcbDatosCobroEnMatricula", "DatosCobroEnMatriculaT02");
    TZMKControl& panelCobro = Add(form, "ZMKpnlDatosCobroMatricula");
    Matricula(Grupo(Curso()), Alumno());
    auto ds = Pantalla(QStringLiteral("T02Matriculas"), fuente::kMatriculas);
    TQuerySQL lista(tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM T02Matriculas")));
    lista.DataSet().Open();
    Parametres().SetParametreValue(QStringLiteral("PRMIP_DATASET"), ds->Handle());
    Parametres().SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), lista.Handle());
    ds->Refresh();
    EXPECT_FALSE(panelCobro.Visible());

    const QString campo = QStringLiteral("DatosCobroEnMatriculaT02");
    ds->Edit();
    ds->FieldByName(campo).SetValue(true);
    tdb.prompt().Push(QStringLiteral("no"));
    ZMKApp().Procedures().ExecuteProcedure(QStringLiteral("CAMBIO_DATOS_COBRO_MATRICULA"));
    EXPECT_FALSE(ds->FieldByName(campo).AsBoolean());
    EXPECT_FALSE(panelCobro.Visible());

    ds->FieldByName(campo).SetValue(true);
    tdb.prompt().Push(QStringLiteral("yes"));
    ZMKApp().Procedures().ExecuteProcedure(QStringLiteral("CAMBIO_DATOS_COBRO_MATRICULA"));
    EXPECT_TRUE(ds->FieldByName(campo).AsBoolean());
    EXPECT_TRUE(panelCobro.Visible());
    EXPECT_EQ(tdb.prompt().Remaining(), 0);
}

// On a screen the list query is the data set being edited, so the box is weighed against the
// record as it was before the edit, not against its own new value.
TEST_F(ReglasFormulario, EnrolmentPaymentQuestionWhenTheListIsTheEditedRecord) {
    Add(form, "ZMKdbcbDatosCobroEnMatricula", "DatosCobroEnMatriculaT02");
    const int grupo = Grupo(Curso());
    Matricula(grupo, Alumno());
    TQuerySQL lista(tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM T02Matriculas"), false));
    TDataSet& ds = lista.DataSet();
    ZMKApp().AttachDataSet(ds, fuente::kMatriculas);
    ds.Open();
    Parametres().SetParametreValue(QStringLiteral("PRMIP_DATASET"), ds.Handle());
    Parametres().SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), lista.Handle());
    const QString campo = QStringLiteral("DatosCobroEnMatriculaT02");
    auto marcar = [&](const char* respuesta) {
        ds.FieldByName(campo).SetValue(true);
        if (respuesta) tdb.prompt().Push(QString::fromLatin1(respuesta));
        ZMKApp().Procedures().ExecuteProcedure(QStringLiteral("CAMBIO_DATOS_COBRO_MATRICULA"));
        EXPECT_EQ(tdb.prompt().Remaining(), 0);
        return ds.FieldByName(campo).AsBoolean();
    };

    ds.Edit();
    EXPECT_FALSE(marcar("no"));
    EXPECT_TRUE(marcar("yes"));
    ds.Post();
    // Stored with its own payment data: editing it again asks nothing.
    const qsizetype preguntas = tdb.prompt().Log().size();
    ds.Edit();
    EXPECT_TRUE(marcar(nullptr));
    EXPECT_EQ(tdb.prompt().Log().size(), preguntas);
    ds.Cancel();
    // A new enrolment has nothing stored yet.
    ds.Append();
    EXPECT_FALSE(marcar("no"));
    ds.Cancel();
}

TEST_F(ReglasFormulario, AutomaticIncidencesOnlyLetTheirTextAndResolutionChange) {
    TZMKControl& panel = *form.FindComponent(QStringLiteral("PControlsEntradaDades"));
    TZMKControl& texto = Add(panel, "ZMKdbmIncidencia", "IncidenciaT11");
    TZMKControl& resuelta = Add(panel, "ZMKdbcbResuelta", "ResueltaT11");
    TZMKControl& titulo = Add(panel, "ZMKdbeTitulo", "TituloT11");
    TZMKControl& automatica = Add(panel, "ZMKdbcbAutomatica", "AutomaticaT11");
    Exec(QStringLiteral("INSERT INTO T11Incidencias (IDCentroT11, AutomaticaT11) VALUES (1, 1)"));
    Exec(QStringLiteral("INSERT INTO T11Incidencias (IDCentroT11, AutomaticaT11) VALUES (1, 0)"));
    auto ds = Pantalla(QStringLiteral("T11Incidencias"), fuente::kIncidencias,
                       QStringLiteral("1=1 ORDER BY IDIncidenciaT11"));
    ds->Refresh();
    EXPECT_TRUE(texto.Enabled());
    EXPECT_TRUE(resuelta.Enabled());
    EXPECT_FALSE(titulo.Enabled());
    EXPECT_FALSE(automatica.Enabled());
    ds->Next();
    EXPECT_TRUE(titulo.Enabled());
    EXPECT_FALSE(automatica.Enabled());
}

TEST_F(ReglasFormulario, InvoiceLinesFromAnEnrolmentKeepTheirOrigin) {
    TZMKControl& panel = *form.FindComponent(QStringLiteral("PControlsEntradaDades"));
    TZMKControl& curso = Add(panel, "ZMKdbeCurso", "DescrCursoT16");
    TZMKControl& precio = Add(panel, "ZMKdbePrecio", "ImporteBaseT16");
    TZMKControl& quitar = Add(form, "ZMKsbQuitarEnlaceConcepto");
    const int factura = Factura();
    Exec(QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, NOrdenT16, IDMatriculaT16, "
                        "IDConceptoMatriculaT16) VALUES (%1, 1, 3, 4)")
             .arg(factura));
    Exec(QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, NOrdenT16) VALUES (%1, 2)")
             .arg(factura));
    auto ds = Pantalla(QStringLiteral("T16FacturasCue"), fuente::kFacturasCue,
                       QStringLiteral("1=1 ORDER BY NOrdenT16"));
    ds->Refresh();
    EXPECT_FALSE(curso.Enabled());
    EXPECT_TRUE(precio.Enabled());
    EXPECT_TRUE(quitar.Enabled());
    ds->Edit();
    EXPECT_FALSE(quitar.Enabled());
    ds->Cancel();
    ds->Next();
    EXPECT_TRUE(curso.Enabled());
    EXPECT_FALSE(quitar.Enabled());
}

TEST_F(ReglasFormulario, ShowingAMissingControlNamesTheForm) {
    MostrarControl(QStringLiteral("Etiqueta"), false);
    EXPECT_FALSE(etiqueta->Visible());
    MostrarControl(QStringLiteral("NoExiste"), true);
    ASSERT_FALSE(tdb.prompt().Log().isEmpty());
    EXPECT_TRUE(tdb.prompt().Log().last().contains(QStringLiteral("Frm: FrmFicha - TZMKForm")));
}

class Coloreado : public test::DatosEstado {};

TEST_F(Coloreado, RowStylesByDataSource) {
    Exec(
        QStringLiteral("INSERT INTO T14ConceptosMatricula (IDCentroT14, IDConcMatrPadreT14, "
                       "ActivoT14, EsCuotaT14) VALUES (1, 7, 1, 1)"));
    Exec(
        QStringLiteral("INSERT INTO T14ConceptosMatricula (IDCentroT14, ActivoT14, EsCuotaT14) "
                       "VALUES (1, 0, 0)"));
    auto conceptos = tdb.db().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T14ConceptosMatricula ORDER BY IDConceptoMatriculaT14"));
    conceptos->Open();
    TEstiloFila heredada = EstiloFila(fuente::kListaConceptos, *conceptos);
    EXPECT_TRUE(heredada.cursiva);
    EXPECT_TRUE(heredada.negrita);
    EXPECT_EQ(heredada.fondo, QColor(226, 254, 232));
    conceptos->Next();
    TEstiloFila inactiva = EstiloFila(fuente::kListaConceptos2, *conceptos);
    EXPECT_EQ(inactiva.fondo, QColor(222, 222, 222));
    EXPECT_EQ(inactiva.texto, QColor(128, 128, 128));
    EXPECT_FALSE(inactiva.negrita);

    Factura(1);
    Factura(2);
    Factura(3);
    auto facturas = tdb.db().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T15FacturasCab ORDER BY IDFacturaCabT15"));
    facturas->Open();
    for (const QColor& color : {QColor(255, 0, 0), QColor(0, 128, 0), QColor(128, 0, 128)}) {
        EXPECT_EQ(EstiloFila(fuente::kListaFacturas, *facturas).texto, color);
        facturas->Next();
    }

    Exec(QStringLiteral("INSERT INTO T18Series (SerieT18, ActivaT18) VALUES ('A', 1)"));
    Exec(QStringLiteral("INSERT INTO T18Series (SerieT18, ActivaT18) VALUES ('B', 0)"));
    auto series =
        tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM T18Series ORDER BY SerieT18"));
    series->Open();
    EXPECT_FALSE(EstiloFila(0, *series).cambia);
    series->Next();
    TEstiloFila baja = EstiloFila(0, *series);
    EXPECT_TRUE(baja.cursiva);
    EXPECT_EQ(baja.texto, QColor(128, 128, 128));
    // A list whose flag comes out Null (a row with nothing joined).
    auto sinFlag = tdb.db().GetTSQLDataSet(
        QStringLiteral("SELECT IDCentroT20, NULL AS ActivoT03 FROM T20Centros"));
    sinFlag->Open();
    TEstiloFila nula = EstiloFila(0, *sinFlag);
    EXPECT_EQ(nula.fondo, QColor(222, 222, 222));
    EXPECT_EQ(nula.texto, QColor(192, 192, 192));
    EXPECT_TRUE(nula.normal);
}

TEST_F(Coloreado, FormCreationHandsTheGridToTheSharedColouring) {
    Curso(1, false);
    TQuerySQL consulta(tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM T03Cursos")));
    consulta.DataSet().Open();
    TZMKDBGrid rejilla(consulta);
    TZMKForm form(QStringLiteral("FrmCursos"), fuente::kCursos);
    form.Add(std::make_unique<TZMKControl>(QStringLiteral("DBGrid")));
    Parametres().SetParametreValue(QStringLiteral("PRMIP_DBGRID"), rejilla.Handle());
    TProcCall call;
    call.form = &form;
    call.formInteger = 1;
    call.nodeId = fuente::kCursos;
    ZMKApp().Procedures().ExecuteProcedure(QStringLiteral("ProcedureZMKFormEvent_CREATE"), call);
    ASSERT_TRUE(ColoreadoRejillas().Colorea(&rejilla));
    EXPECT_TRUE(ColoreadoRejillas().EstiloCelda(rejilla, false).cursiva);
    EXPECT_FALSE(ColoreadoRejillas().EstiloCelda(rejilla, true).cambia);  // selected: unchanged
    ColoreadoRejillas().Quitar(&rejilla);
}

}  // namespace
