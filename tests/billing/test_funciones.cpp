// Collecting, returning, cancelling and deleting invoices.
#include <gtest/gtest.h>

#include "billing/formfuncionesfacturas.h"
#include "billing/funcionesfacturas.h"
#include "billing/generarfacturas.h"
#include "core/parametrosapp.h"
#include "host/app.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/procedures.h"
#include "host/reports.h"
#include "tests/billing/test_generar_datos.h"

namespace zmk {
namespace {

class Funciones : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 3; ++i) {
            const int a = e_.Alumno(QStringLiteral("Alumno %1").arg(i));
            e_.Concepto(e_.Matricula(a), QStringLiteral("Matrícula"), 10 * (i + 1), false);
            alumnos_ << a;
        }
        TGeneracionFacturas g;
        g.mes = 10, g.anyo = 2025, g.fecha = QDate(2025, 10, 1), g.idSerie = 1;
        g.numerar = false;
        g.alumnos = alumnos_;
        t_.prompt().Push(QStringLiteral("yes"));
        ids_ = GenerarFacturas(g);
        ASSERT_EQ(ids_.size(), 3);
    }
    int Campo(const char* campo, int id) {
        return e_.Int(QStringLiteral("SELECT %1 FROM T15FacturasCab WHERE IDFacturaCabT15=%2")
                          .arg(QLatin1String(campo))
                          .arg(id));
    }
    TFormFuncionesFacturas Form(TAccionFactura accion, QList<int> ids) {
        TFormFuncionesFacturas f = TFormFuncionesFacturas::Inicial();
        f.accion = accion;
        f.ids = ids;
        f.fechaCobro = f.fechaDevolucion = QDate(2025, 10, 15);
        return f;
    }

    test::TestDatabase t_;
    test::EmpresaFacturacion e_{t_};
    QList<int> alumnos_, ids_;
};

TEST_F(Funciones, CollectingAsksOnceWithRememberedAnswersThenNumbersEveryInvoice) {
    // Numbering: yes, always the same; date: no, always the same.
    for (const char* r : {"yes", "yes", "no", "yes", "yes"}) t_.prompt().Push(QLatin1String(r));
    EXPECT_EQ(Form(TAccionFactura::Cobrar, ids_).Aceptar(), 3);
    EXPECT_EQ(Campo("NumeroT15", ids_[0]), 7);
    EXPECT_EQ(Campo("NumeroT15", ids_[2]), 9);
    EXPECT_EQ(Campo("CobradaT15", ids_[1]), 1);
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT NSiguienteFacturaT18 FROM T18Series")), 10);
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T11Incidencias WHERE "
                                    "IncidenciaT11='10-Cobro de factura' AND ResueltaT11=1")),
              3);
    EXPECT_TRUE(e_.Mostrado(QStringLiteral("Realizado en 3 Facturas")));
    EXPECT_EQ(t_.prompt().Remaining(), 0);
    // The questions name each invoice with its amount written the Spanish way.
    EXPECT_TRUE(t_.prompt().Log().join(u'\n').contains(QStringLiteral("Importe: 12,10")))
        << t_.prompt().Log().join(u'\n').toStdString();
}

TEST_F(Funciones, ARefusalOnOneInvoiceSavesNothing) {
    CobrarFactura(ids_[1], 0, false, 0, QDate(2025, 10, 2), false, QDate(2025, 10, 2), true);
    t_.prompt().Push(QStringLiteral("no"));
    try {
        Form(TAccionFactura::Cobrar, ids_).Aceptar();
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_TRUE(
            e.Message().startsWith(QStringLiteral("Esta factura no está \"PENDIENTE DE COBRO\"")));
    }
    EXPECT_EQ(Campo("CobradaT15", ids_[0]), 0);
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T11Incidencias")), 1);
}

TEST_F(Funciones, ReturnCreatesAPendingCopyAndCancellingItKeepsTheCopy) {
    CobrarFactura(ids_[0], 0, true, 0, QDate(2025, 10, 2), false, QDate(2025, 10, 2), true);
    t_.prompt().Push(QStringLiteral("yes"));
    Form(TAccionFactura::Devolver, {ids_[0]}).Aceptar();
    const int copia = e_.Int(QStringLiteral("SELECT MAX(IDFacturaCabT15) FROM T15FacturasCab"));
    EXPECT_EQ(Campo("DevueltaT15", ids_[0]), 1);
    EXPECT_EQ(Campo("NumeroT15", copia), Campo("NumeroT15", ids_[0]));
    EXPECT_EQ(Campo("CobradaT15", copia), 0);
    EXPECT_EQ(Campo("PteRevisarT15", copia), 1);
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T16FacturasCue WHERE IDFacturaCabT16=%1")
                         .arg(copia)),
              1);
    // Collection and return incidents travel with the copy.
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T11Incidencias WHERE IDFacturaCabT11=%1")
                         .arg(copia)),
              2);

    t_.prompt().Push(QStringLiteral("yes"));  // the warning
    t_.prompt().Push(QStringLiteral("yes"));  // the summary
    Form(TAccionFactura::AnularDevolucion, {ids_[0]}).Aceptar();
    EXPECT_EQ(Campo("DevueltaT15", ids_[0]), 0);
    EXPECT_EQ(Campo("CobradaT15", ids_[0]), 1);
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab")), 4);
}

TEST_F(Funciones, CancellingACollectionInARemittanceIsRefusedBeforeTheStateCheck) {
    e_.Exec(QStringLiteral("UPDATE T15FacturasCab SET IDNorma19T15=5 WHERE IDFacturaCabT15=%1")
                .arg(ids_[0]));
    t_.prompt().Push(QStringLiteral("yes"));
    try {
        Form(TAccionFactura::AnularCobro, {ids_[0]}).Aceptar();
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().startsWith(
            QStringLiteral("Esta factura está incluida en un archivo Norma 19.\nLas")));
    }
    t_.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(Form(TAccionFactura::AnularCobro, {ids_[1]}).Aceptar(), EAbort);
}

TEST_F(Funciones, DeletingWithReactivationMakesOneOffConceptsBillableAgain) {
    t_.prompt().Push(QStringLiteral("yes"));
    TFormFuncionesFacturas f = Form(TAccionFactura::Borrar, {ids_[0], ids_[1]});
    f.desfacturar = true;
    EXPECT_EQ(f.Aceptar(), 2);
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab")), 1);
    EXPECT_EQ(
        e_.Int(QStringLiteral("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE ActivoT14=1")), 2);
}

TEST_F(Funciones, WithoutAReportEngineTheActionIsSavedAndThePrintFailureShown) {
    ParametrosApp().SetValue(QStringLiteral("DefaultFormatoFactura"), 3);
    TFormFuncionesFacturas f = Form(TAccionFactura::Cobrar, ids_);
    f.imprimir = true;
    for (const char* r : {"yes", "yes", "no", "yes", "yes"}) t_.prompt().Push(QLatin1String(r));
    EXPECT_EQ(f.Aceptar(), 3);
    EXPECT_TRUE(e_.Mostrado(
        QStringLiteral("No hay ningún motor de informes instalado: no se puede imprimir.")));
    EXPECT_EQ(e_.Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab WHERE CobradaT15=1")), 3);
}

// A report engine that records what it was asked to print, or fails like a broken printer.
class MotorDePrueba {
  public:
    MotorDePrueba() {
        ZMKApp().Procedures().RegisterProcedure(
            kDoPrintIDReport, QString(), [this](const TProcCall&) {
                if (falla) throw EZMKError(QStringLiteral("La impresora no responde"));
                impresos << QStringLiteral("%1|%2|%3")
                                .arg(Parametres().AsInteger(QStringLiteral("PRME01")))
                                .arg(Parametres().AsString(QStringLiteral("PRME06")))
                                .arg(Parametres().AsInteger(QStringLiteral("PRME02")));
            });
    }
    ~MotorDePrueba() { ZMKApp().Procedures().UnregisterProcedure(kDoPrintIDReport); }
    bool falla = false;
    QStringList impresos;
};

QString Filtro(const QList<int>& ids) {
    QStringList lista;
    for (int id : ids) lista << QString::number(id);
    return QStringLiteral("IDFacturaCabT15 IN (") + lista.join(QLatin1Char(',')) + QLatin1Char(')');
}

TEST_F(Funciones, PrintingFollowsTheSavedActionAndAFailureUndoesNothing) {
    MotorDePrueba motor;
    ParametrosApp().SetValue(QStringLiteral("DefaultFormatoFactura"), 3);
    TFormFuncionesFacturas f = Form(TAccionFactura::Cobrar, {ids_[0], ids_[2]});
    f.imprimir = true;
    for (const char* r : {"yes", "yes", "no", "yes", "yes"}) t_.prompt().Push(QLatin1String(r));
    EXPECT_EQ(f.Aceptar(), 2);
    // The chosen invoices, with the configured format, to the preview.
    EXPECT_EQ(motor.impresos, QStringList{QStringLiteral("3|") + Filtro({ids_[0], ids_[2]}) +
                                          QStringLiteral("|0")});

    motor.falla = true;
    TFormFuncionesFacturas devolver = Form(TAccionFactura::Devolver, {ids_[0]});
    devolver.imprimir = true;
    t_.prompt().Push(QStringLiteral("yes"));
    EXPECT_EQ(devolver.Aceptar(), 1);
    EXPECT_TRUE(e_.Mostrado(QStringLiteral("La impresora no responde")));
    EXPECT_EQ(Campo("DevueltaT15", ids_[0]), 1);

    // Printing alone changes nothing; deleting never prints.
    motor.falla = false;
    TFormFuncionesFacturas imprimir = Form(TAccionFactura::Ninguna, {ids_[1]});
    imprimir.imprimir = true;
    EXPECT_EQ(imprimir.Aceptar(), 0);
    EXPECT_EQ(motor.impresos.size(), 2);
    EXPECT_EQ(motor.impresos.last(),
              QStringLiteral("3|") + Filtro({ids_[1]}) + QStringLiteral("|0"));
    TFormFuncionesFacturas borrar = Form(TAccionFactura::Borrar, {ids_[1]});
    borrar.imprimir = true;
    t_.prompt().Push(QStringLiteral("yes"));
    EXPECT_EQ(borrar.Aceptar(), 1);
    EXPECT_EQ(motor.impresos.size(), 2);
}

TEST_F(Funciones, BillingAndCollectingPrintsTheNewInvoicesOnlyWithAFormatConfigured) {
    MotorDePrueba motor;
    e_.Concepto(e_.Matricula(alumnos_[0]), QStringLiteral("Libro"), 25, false, 11);
    TGeneracionFacturas g;
    g.mes = 11, g.anyo = 2025, g.fecha = QDate(2025, 11, 1), g.idSerie = 1;
    g.alumnos = {alumnos_[0]};
    g.cobrar = true;
    t_.prompt().Push(QStringLiteral("yes"));
    const QList<int> sinFormato = GenerarFacturas(g);
    ASSERT_EQ(sinFormato.size(), 1);
    EXPECT_TRUE(motor.impresos.isEmpty());

    ParametrosApp().SetValue(QStringLiteral("DefaultFormatoFactura"), 101);
    e_.Concepto(e_.Matricula(alumnos_[1]), QStringLiteral("Libro"), 25, false, 11);
    g.alumnos = {alumnos_[1]};
    t_.prompt().Push(QStringLiteral("yes"));
    const QList<int> nuevas = GenerarFacturas(g);
    ASSERT_EQ(nuevas.size(), 1);
    EXPECT_EQ(Campo("CobradaT15", nuevas[0]), 1);
    EXPECT_EQ(motor.impresos,
              QStringList{QStringLiteral("101|") + Filtro(nuevas) + QStringLiteral("|0")});
}

}  // namespace
}  // namespace zmk
