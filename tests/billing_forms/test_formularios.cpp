// The billing forms over a small company: what each mode and choice enables, and OK / Cancel.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include "billing/formgenerarfacturas.h"
#include "billing/forms/funcionesfacturas.h"
#include "billing/forms/generarfacturas.h"
#include "billing/forms/generarliquidaciones.h"
#include "billing/forms/opciones.h"
#include "core/parametrosapp.h"
#include "host/datetime.h"
#include "host/grid.h"
#include "host/parametres.h"
#include "host/querysql.h"
#include "host/reports.h"
#include "tests/billing/test_generar_datos.h"
#include "tests/billing_forms/instalacion.h"
#include "tests/rules_forms/modal.h"

using namespace zmk;

namespace {

class FormulariosFacturacion : public ::testing::Test {
  protected:
    void SetUp() override {
        Parametres().DeleteParam(QStringLiteral("PRM_FILTRO_MES_FACTURAR"));
        Parametres().DeleteParam(QStringLiteral("PRM_DLL_Facturar_IDSerie"));
    }
    // A grid over a query, as the screens hand it to the procedures.
    std::unique_ptr<TZMKDBGrid> Rejilla(const QString& sql) {
        consulta_ = std::make_unique<TQuerySQL>(tdb.db().GetTSQLDataSet(sql));
        consulta_->DataSet().Open();
        return std::make_unique<TZMKDBGrid>(*consulta_);
    }

    test::TestDatabase tdb;
    test::EmpresaFacturacion e{tdb};

  private:
    std::unique_ptr<TQuerySQL> consulta_;
};

const QString kAlumnos = QStringLiteral("SELECT * FROM T01Alumnos ORDER BY IDAlumnoT01");

}  // namespace

TEST_F(FormulariosFacturacion, GenerarPorAlumnoOneStudentShowsTheConceptGrid) {
    // A student who joins in December: the month's fee, the enrolment fee without month and the
    // September material that was never billed.
    FijarAhora(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    const int ana = e.Alumno(QStringLiteral("Ana"));
    const int m = e.Matricula(ana);
    e.Concepto(m, QStringLiteral("Matrícula"), 30, false, 0);
    e.Concepto(m, QStringLiteral("Cuota [MES]"), 50, true, 12);
    e.Concepto(m, QStringLiteral("Material"), 25, false, 9);
    e.Concepto(m, QStringLiteral("Cuota de octubre"), 50, true, 10);
    auto grid = Rejilla(kAlumnos);
    TFRMGenerarFacturas f(*grid, TFormGenerarFacturas::kPorAlumno);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("GENERAR FACTURAS POR ALUMNO"));
    EXPECT_EQ(f.rbAlumno->text(), QStringLiteral("&Alumno"));
    EXPECT_TRUE(f.rbAlumno->isChecked());
    EXPECT_FALSE(f.rbSeleccionados->isEnabled());
    EXPECT_EQ(f.lblCuenta->text(), QStringLiteral("1 Alumno"));
    // One student, no month filter: this month, and the box adds the concepts without month.
    EXPECT_TRUE(f.cbSinMes->isEnabled());
    EXPECT_TRUE(f.cbSinMes->isChecked());
    EXPECT_EQ(f.cbMes->currentIndex(), 11);
    EXPECT_TRUE(f.cbMes->isEnabled());
    EXPECT_TRUE(f.bbBorrarMes->isEnabled());
    EXPECT_EQ(f.bbBorrarMes->text(), QStringLiteral("Sin mes"));
    EXPECT_EQ(f.pcPaginas->currentWidget(), f.tsConceptos);
    ASSERT_EQ(f.sgConceptos->rowCount(), 3);
    QStringList listados;
    for (int r = 0; r < 3; ++r) listados << f.sgConceptos->item(r, 1)->text();
    EXPECT_EQ(listados, QStringList({QStringLiteral("Matrícula"), QStringLiteral("Cuota [MES]"),
                                     QStringLiteral("Material")}));
    EXPECT_TRUE(f.sgConceptos->item(0, 1)->font().strikeOut());
    for (QPushButton* b : {f.bbMas, f.bbMenos, f.bbFacturarConcepto}) EXPECT_TRUE(b->isEnabled());
    f.bbFacturarConcepto->click();
    f.bbMas->click();
    EXPECT_FALSE(f.sgConceptos->item(0, 1)->font().strikeOut());
    EXPECT_EQ(f.sgConceptos->item(0, 3)->text(), QStringLiteral("2"));
    EXPECT_TRUE(f.Form().seleccion[0].facturar);
    f.bbMenos->click();
    EXPECT_EQ(f.sgConceptos->item(0, 3)->text(), QStringLiteral("1"));

    // Without the box the month's concepts and the pending charge stay; flags start again.
    f.cbSinMes->click();
    ASSERT_EQ(f.sgConceptos->rowCount(), 2);
    EXPECT_EQ(f.sgConceptos->item(0, 1)->text(), QStringLiteral("Cuota [MES]"));
    EXPECT_FALSE(f.Form().seleccion[0].facturar);
    f.bbBorrarMes->click();
    EXPECT_EQ(f.Form().mes, 0);
    ASSERT_EQ(f.sgConceptos->rowCount(), 1);
    EXPECT_EQ(f.sgConceptos->item(0, 1)->text(), QStringLiteral("Material"));
    f.cbMes->setCurrentIndex(11);

    // Billed: the enrolment fee without month, the December fee and the September material.
    f.cbSinMes->click();
    ASSERT_EQ(f.sgConceptos->rowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        f.sgConceptos->selectRow(r);
        f.bbFacturarConcepto->click();
    }
    f.cbSerie->setCurrentIndex(0);
    tdb.prompt().Push(QStringLiteral("yes"));  // the summary
    f.bbFacturar->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(e.Scalar(QStringLiteral("SELECT GROUP_CONCAT(DescConceptoT16 || ':' || "
                                      "IFNULL(NMesFacturadoT16, '-'), '|') FROM (SELECT * FROM "
                                      "T16FacturasCue ORDER BY IDConceptoMatriculaT16)"))
                  .toString(),
              QStringLiteral("Matrícula:-|Cuota Diciembre:12|Material:12"));
    FijarAhora(std::nullopt);
}

TEST_F(FormulariosFacturacion, GenerarSelectedStudentsHideTheGridAndTheBox) {
    e.Alumno(QStringLiteral("Ana"));
    e.Alumno(QStringLiteral("Blas"));
    auto grid = Rejilla(kAlumnos);
    grid->SetSelectedKeys({1, 2});
    TFRMGenerarFacturas f(*grid, TFormGenerarFacturas::kPorAlumno);
    EXPECT_TRUE(f.rbSeleccionados->isEnabled());
    EXPECT_TRUE(f.rbSeleccionados->isChecked());
    EXPECT_EQ(f.lblCuenta->text(), QStringLiteral("2 Alumnos"));
    EXPECT_FALSE(f.cbSinMes->isEnabled());
    EXPECT_FALSE(f.cbSinMes->isChecked());
    EXPECT_TRUE(f.cbMes->isEnabled());
    EXPECT_EQ(f.pcPaginas->indexOf(f.tsConceptos), -1);
    EXPECT_EQ(f.pcPaginas->currentWidget(), f.tsOpciones);
    f.rbAlumno->click();
    EXPECT_EQ(f.lblCuenta->text(), QStringLiteral("1 Alumno"));
    EXPECT_TRUE(f.cbSinMes->isEnabled());
    EXPECT_NE(f.pcPaginas->indexOf(f.tsConceptos), -1);
}

TEST_F(FormulariosFacturacion, GenerarPorConceptoWithAMonthFilter) {
    const int m = e.Matricula(e.Alumno(QStringLiteral("Ana")));
    e.Concepto(m, QStringLiteral("Cuota"), 50, true, 3);
    Parametres().SetParametreValue(QStringLiteral("PRM_FILTRO_MES_FACTURAR"), 3);
    auto grid = Rejilla(QStringLiteral(
        "SELECT * FROM T14ConceptosMatricula INNER JOIN T02Matriculas ON "
        "IDMatriculaT02=IDMatriculaT14 INNER JOIN T01Alumnos ON IDAlumnoT01=IDAlumnoT02"));
    TFRMGenerarFacturas f(*grid, TFormGenerarFacturas::kPorConcepto);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("GENERAR FACTURAS POR CONCEPTO"));
    EXPECT_EQ(f.rbAlumno->text(), QStringLiteral("Concepto"));
    // With a filter month the form starts on all rows, with the month fixed.
    EXPECT_TRUE(f.rbTodos->isChecked());
    EXPECT_EQ(f.lblCuenta->text(), QStringLiteral("1 Concepto"));
    EXPECT_EQ(f.cbMes->currentIndex(), 2);
    EXPECT_FALSE(f.cbMes->isEnabled());
    EXPECT_FALSE(f.seAnyo->isEnabled());
    EXPECT_FALSE(f.cbSinMes->isEnabled());
    EXPECT_FALSE(f.cbSinMes->isChecked());
    Parametres().DeleteParam(QStringLiteral("PRM_FILTRO_MES_FACTURAR"));
}

TEST_F(FormulariosFacturacion, GenerarRefusalKeepsTheFormOpenAndSuccessClosesIt) {
    const int m = e.Matricula(e.Alumno(QStringLiteral("Ana")));
    e.Concepto(m, QStringLiteral("Cuota"), 50, true, 10);
    auto grid = Rejilla(kAlumnos);
    TFRMGenerarFacturas f(*grid, TFormGenerarFacturas::kPorAlumno);
    f.show();
    f.cbSinMes->click();
    f.bbBorrarMes->click();
    f.bbFacturar->click();  // no month
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(e.Mostrado(QStringLiteral("Debe seleccionar un mes")));
    f.cbMes->setCurrentIndex(9);
    ASSERT_EQ(f.sgConceptos->rowCount(), 1);
    f.bbFacturarConcepto->click();
    f.bbFacturar->click();  // no series
    EXPECT_TRUE(e.Mostrado(QStringLiteral("No ha seleccionado ninguna série válida")));
    EXPECT_TRUE(f.isVisible());
    ASSERT_EQ(f.cbSerie->count(), 1);
    f.cbSerie->setCurrentIndex(0);
    EXPECT_EQ(f.lblProximoNumero->text(), QStringLiteral("7"));
    tdb.prompt().Push(QStringLiteral("yes"));  // the summary
    f.bbFacturar->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(e.Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab")), 1);
    EXPECT_EQ(Parametres().AsInteger(QStringLiteral("PRM_DLL_Facturar_IDSerie"), 0), 1);
}

TEST_F(FormulariosFacturacion, GenerarInstalledThroughTheProcedure) {
    test::FormulariosInstalados instalados;
    e.Alumno(QStringLiteral("Ana"));
    auto grid = Rejilla(kAlumnos);
    Parametres().SetParametreValue(QStringLiteral("PRMIP_DBGRID"), grid->Handle());
    Parametres().SetParametreValue(QStringLiteral("PRME01"), 3);
    TProcCall call;
    ZMKApp().Procedures().ExecuteProcedure(QStringLiteral("AUTOFACTURAR"), call);
    EXPECT_TRUE(e.Mostrado(QStringLiteral("¡Error interno! Modo de facturación incorrecto.")));
    Parametres().SetParametreValue(QStringLiteral("PRME01"), 1);
    test::AlAbrirse<TFRMGenerarFacturas>([](TFRMGenerarFacturas* d) { d->bbCancelar->click(); });
    ZMKApp().Procedures().ExecuteProcedure(QStringLiteral("AUTOFACTURAR"), call);
    EXPECT_EQ(e.Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab")), 0);
}

TEST_F(FormulariosFacturacion, FuncionesFieldsFollowTheAction) {
    e.Exec(
        "INSERT INTO T15FacturasCab (IDFacturaCabT15,IDCentroT15,NombreT15,CobradaT15,"
        "ImporteTotalT15) VALUES (1,1,'Ana',FALSE,10)");
    e.Exec(
        "INSERT INTO T15FacturasCab (IDFacturaCabT15,IDCentroT15,NombreT15,CobradaT15,"
        "ImporteTotalT15) VALUES (2,1,'Blas',FALSE,20)");
    auto grid = Rejilla(QStringLiteral("SELECT * FROM T15FacturasCab ORDER BY IDFacturaCabT15"));
    TFRMFuncionesFacturas f(*grid);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Facturas"));
    EXPECT_FALSE(f.rbSeleccion->isEnabled());
    EXPECT_TRUE(f.rbActual->isChecked());
    EXPECT_EQ(f.Form().ids, QList<int>{1});
    f.rbTodas->click();
    EXPECT_EQ(f.Form().ids, (QList<int>{1, 2}));
    EXPECT_EQ(f.cbFormaCobro->itemText(0), QStringLiteral("(La misma)"));
    EXPECT_EQ(f.cbFormaCobro->itemText(1), QStringLiteral("DOM-Domiciliación"));

    struct Caso {
        QRadioButton* accion;
        bool cobro, devolucion, desfacturar, imprimir;
    };
    for (const Caso& c :
         {Caso{f.rbCobrar, true, false, false, true}, Caso{f.rbDevolver, false, true, false, true},
          Caso{f.rbBorrar, false, false, true, false},
          Caso{f.rbAnularDevolucion, false, false, false, true},
          Caso{f.rbAnularCobro, false, false, false, true}}) {
        c.accion->click();
        const std::string n = c.accion->text().toStdString();
        EXPECT_EQ(f.dtpFechaCobro->isEnabled(), c.cobro) << n;
        EXPECT_EQ(f.cbFormaCobro->isEnabled(), c.cobro) << n;
        EXPECT_EQ(f.dtpFechaDevolucion->isEnabled(), c.devolucion) << n;
        EXPECT_EQ(f.cbDesfacturar->isEnabled(), c.desfacturar) << n;
        EXPECT_EQ(f.cbImprimir->isEnabled(), c.imprimir) << n;
    }

    // No report configured: the print box does not stay checked.
    f.rbCobrar->click();
    f.cbImprimir->click();
    EXPECT_FALSE(f.cbImprimir->isChecked());
    EXPECT_TRUE(e.Mostrado(QStringLiteral("No se ha configurado ningún informe")));

    // Every Alt+letter of the dialog leads to one control only.
    QMap<QChar, QString> teclas;
    for (QAbstractButton* b : f.findChildren<QAbstractButton*>()) {
        const QString t = b->text();
        const qsizetype i = t.indexOf(u'&');
        if (i < 0 || i + 1 >= t.size()) continue;
        const QChar k = t[i + 1].toLower();
        EXPECT_FALSE(teclas.contains(k)) << t.toStdString() << " / " << teclas[k].toStdString();
        teclas.insert(k, t);
    }
    EXPECT_GE(teclas.size(), 7);
}

TEST_F(FormulariosFacturacion, FuncionesSelectionAndAceptar) {
    e.Exec(
        "INSERT INTO T15FacturasCab (IDFacturaCabT15,IDCentroT15,NombreT15,NumeroT15,"
        "FechaT15,CobradaT15,ImporteTotalT15) VALUES (1,1,'Ana',5,45000,FALSE,10)");
    e.Exec(
        "INSERT INTO T15FacturasCab (IDFacturaCabT15,IDCentroT15,NombreT15,NumeroT15,"
        "FechaT15,CobradaT15,ImporteTotalT15) VALUES (2,1,'Blas',6,45000,FALSE,20)");
    auto grid = Rejilla(QStringLiteral("SELECT * FROM T15FacturasCab ORDER BY IDFacturaCabT15"));
    grid->SetSelectedKeys({2, 1});
    TFRMFuncionesFacturas f(*grid);
    EXPECT_TRUE(f.rbSeleccion->isChecked());
    EXPECT_EQ(f.Form().ids, (QList<int>{2, 1}));
    f.show();
    f.bbAceptar->click();  // nothing chosen
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(e.Mostrado(QStringLiteral("No ha seleccionado ninguna acción a realizar")));
    f.rbCobrar->click();
    tdb.prompt().Push(QStringLiteral("yes"));  // the summary
    f.bbAceptar->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(e.Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab WHERE CobradaT15")), 2);
}

TEST_F(FormulariosFacturacion, LiquidacionesChoiceEnablesDatesOrMonths) {
    TFRMGenerarLiquidaciones f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Generador de liquidaciones"));
    EXPECT_TRUE(f.rbPeriodo->isChecked());
    EXPECT_TRUE(f.dtpFechaInicial->isEnabled());
    EXPECT_FALSE(f.clbMeses->isEnabled());
    f.dtpFechaLiquidacion->setDate(QDate(2005, 10, 15));
    EXPECT_EQ(f.dtpFechaInicial->date(), QDate(2005, 9, 1));
    EXPECT_EQ(f.dtpFechaFinal->date(), QDate(2005, 9, 30));
    ASSERT_EQ(f.clbMeses->count(), 12);
    EXPECT_TRUE(f.clbMeses->item(0)->text().endsWith(QStringLiteral("2005     10")));
    f.rbMensual->click();
    EXPECT_TRUE(f.clbMeses->isEnabled());
    EXPECT_FALSE(f.dtpFechaInicial->isEnabled());
    EXPECT_FALSE(f.dtpFechaFinal->isEnabled());
    f.clbMeses->item(1)->setCheckState(Qt::Checked);
    f.edDescripcion->setText(QStringLiteral("Septiembre"));
    const TFormGenerarLiquidaciones form = f.Form();
    EXPECT_TRUE(form.mensual);
    EXPECT_EQ(form.marcados, (QList<bool>{false, true, false, false, false, false, false, false,
                                          false, false, false, false}));

    f.show();
    f.bbAceptar->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(
        e.Scalar(QStringLiteral("SELECT DescrLiquidacionT27 FROM T27LiquidacionesCab")).toString(),
        QStringLiteral("Septiembre"));
}

TEST_F(FormulariosFacturacion, OpcionesLoadEnableAndWrite) {
    TFRMOpciones f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Opciones"));
    EXPECT_EQ(f.pcPaginas->count(), 5);
    EXPECT_EQ(f.edCodigoAlumno->text(), QStringLiteral("1"));
    EXPECT_TRUE(f.rbUnaPorMatricula->isChecked());
    EXPECT_TRUE(f.cbNumerarFacturas->isChecked());
    EXPECT_FALSE(f.cbModificarFechaAlCobrar->isEnabled());
    f.cbNumerarAlCobrar->click();
    EXPECT_TRUE(f.cbModificarFechaAlCobrar->isEnabled());
    EXPECT_EQ(f.mmConceptoSepa->toPlainText(), QStringLiteral("{concepto}"));
    EXPECT_EQ(f.lblEjemplo->text(), QStringLiteral("CONCEPTO"));
    f.mmConceptoSepa->setPlainText(QStringLiteral("{concepto}\n[ - {nombre_alumno}]"));
    EXPECT_EQ(f.mmConceptoSepa->toPlainText(), QStringLiteral("{concepto}[ - {nombre_alumno}]"));
    EXPECT_EQ(f.lblEjemplo->text(), QStringLiteral("CONCEPTO - ALUMNO"));

    // One header line: lines 2 and 3 are greyed but keep their text.
    EXPECT_EQ(f.cbLineasCabecera->currentIndex(), 2);
    f.cbLineasCabecera->setCurrentIndex(1);
    EXPECT_TRUE(f.edCabecera[0]->isEnabled());
    EXPECT_FALSE(f.edCabecera[1]->isEnabled());
    EXPECT_FALSE(f.edCabecera[2]->isEnabled());
    EXPECT_EQ(f.edCabecera[2]->palette().color(QPalette::Disabled, QPalette::Base),
              QColor(222, 222, 222));
    EXPECT_FALSE(f.edCabecera[2]->text().isEmpty());

    f.edCodigoAlumno->setText(QStringLiteral("x1"));
    f.BBAceptarClick();
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(ParametrosApp().AsInteger(QStringLiteral("GR_D_NLineasCabecera"), -5), 2);

    f.edCodigoAlumno->setText(QStringLiteral("250"));
    f.rbUnaPorAlumno->click();
    f.rbN19Sepa->click();
    f.BBAceptarClick();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    TParametrosApp& p = ParametrosApp();
    EXPECT_EQ(p.AsInteger(QStringLiteral("NuevoCodigoAlumno"), 0), 250);
    EXPECT_EQ(p.AsInteger(QStringLiteral("DefaultFormatoFactura"), 0), -1);
    EXPECT_TRUE(p.AsBoolean(QStringLiteral("AgruparPorAlumno"), false));
    EXPECT_TRUE(p.AsBoolean(QStringLiteral("NumerarFacturaAlCobrar"), false));
    EXPECT_EQ(p.AsInteger(QStringLiteral("GR_D_NLineasCabecera"), 0), 1);
    EXPECT_EQ(p.AsString(QStringLiteral("GR_D_ConceptoSepa"), QString()),
              QStringLiteral("{concepto}[ - {nombre_alumno}]"));
    EXPECT_EQ(p.AsString(QStringLiteral("N19_FormatoSepa"), QString()), QStringLiteral("N19SEPA"));
    EXPECT_EQ(p.AsString(QStringLiteral("N19_VersionCuaderno"), QString()),
              QStringLiteral("19143"));
}

TEST_F(FormulariosFacturacion, OpcionesDeleteClearsTheReportChoice) {
    ParametrosApp().SetValue(QStringLiteral("DefaultFormatoFactura"), 7);
    TReportDefinition factura;
    factura.id = 7;
    factura.kind = kReportKindFactura;
    factura.name = QStringLiteral("Factura");
    const bool habia = Reports().Find(7) != nullptr;
    const TReportDefinition anterior = habia ? *Reports().Find(7) : TReportDefinition();
    Reports().Add(factura);
    TFRMOpciones f;
    EXPECT_EQ(f.cbFormatoFactura->currentText(), QStringLiteral("Factura"));
    QKeyEvent suprimir(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(f.cbFormatoFactura, &suprimir);
    EXPECT_EQ(f.cbFormatoFactura->currentIndex(), -1);
    f.BBAceptarClick();
    EXPECT_EQ(ParametrosApp().AsInteger(QStringLiteral("DefaultFormatoFactura"), 0), -1);
    if (habia)
        Reports().Add(anterior);
    else
        Reports().Remove(7);
}
