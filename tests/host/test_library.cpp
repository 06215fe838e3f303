#include <gtest/gtest.h>

#include "host/app.h"
#include "host/controls.h"
#include "host/datarules.h"
#include "host/errors.h"
#include "host/library.h"
#include "host/parametres.h"
#include "tests/support/testdb.h"

using namespace zmk;

TEST(ProcedureLibrary, RegistersAllEntriesInOrderWithTheirDescriptions) {
    TZMKApp app;
    REGISTER_LIBRARY(app.Procedures());
    QStringList names = app.Procedures().Names();
    ASSERT_EQ(names.size(), 41);
    EXPECT_EQ(names.first(), QStringLiteral("ControlActiuNomesQuanNoModifiqui"));
    EXPECT_EQ(names[2], QStringLiteral("AUTOFACTURAR"));
    EXPECT_EQ(names[26], QStringLiteral("MUESTRA_CENTRO_ACTUAL"));
    EXPECT_EQ(names.last(), QStringLiteral("ProcedureZMKFormEvent_DESTROY"));
    EXPECT_EQ(app.Procedures().Description(QStringLiteral("AUTOFACTURAR")),
              QStringLiteral("PRME01 : ModoFacturacion (1->Alumnos 2->Conceptos de cobro)"));
    EXPECT_TRUE(app.Procedures()
                    .Description(QStringLiteral("FILTRO_MES_FACTURAR"))
                    .startsWith(QStringLiteral("Abre Formulario para poder seleccionar MES/AÑO a "
                                               "facturar:\n0PRMS01: Campo")));
}

TEST(ProcedureLibrary, EntriesForTheGivenRegistryStayThere) {
    TZMKApp app;
    TProcedureZMK other(&app);
    REGISTER_LIBRARY(other);
    EXPECT_EQ(other.Names(), (QStringList{"ControlActiuNomesQuanNoModifiqui", "FormularioEnviarSMS",
                                          "GeneraDatosMandato", "BuscarCodigoBIC"}));
    EXPECT_EQ(app.Procedures().Names().size(), 37);
}

TEST(ProcedureLibrary, MissingBodiesRefuseClearly) {
    TZMKApp app;
    REGISTER_LIBRARY(app.Procedures());
    try {
        app.Procedures().ExecuteProcedure(QStringLiteral("ANULAR_NORMA19"));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("ANULAR_NORMA19")));
    }
    EXPECT_THROW(app.Procedures().ExecuteProcedure(QStringLiteral("NO_EXISTE")), EZMKError);
}

TEST(ProcedureLibrary, ControlIsEnabledOnlyWhileTheDataSetIsNotBeingModified) {
    test::TestDatabase tdb;
    TZMKApp app;
    REGISTER_LIBRARY(app.Procedures());
    TZMKControl control(QStringLiteral("ZMKsbAltaBaja"));
    auto ds = tdb.db().GetTDataSet(QStringLiteral("T20Centros"));
    ds->Open();
    Parametres().SetParametreValue(QStringLiteral("PRME01"), control.Handle());
    Parametres().SetParametreValue(QStringLiteral("PRME02"), 0);
    control.SetEnabled(false);
    app.Procedures().ExecuteProcedure(QStringLiteral("ControlActiuNomesQuanNoModifiqui"));
    EXPECT_FALSE(control.Enabled());  // no data set: nothing changes
    Parametres().SetParametreValue(QStringLiteral("PRME02"), ds->Handle());
    app.Procedures().ExecuteProcedure(QStringLiteral("ControlActiuNomesQuanNoModifiqui"));
    EXPECT_TRUE(control.Enabled());
    ds->Append();
    app.Procedures().ExecuteProcedure(QStringLiteral("ControlActiuNomesQuanNoModifiqui"));
    EXPECT_FALSE(control.Enabled());
}

TEST(ProcedureLibrary, HooksDispatchByDataSourceAndRecordTheStateBeforePost) {
    test::TestDatabase tdb;
    TZMKApp app;
    REGISTER_LIBRARY(app.Procedures());
    ClearDataRules();
    QStringList seen;
    TDataSetState state_in_after_post = TDataSetState::Inactive;
    AddDataRule(TDataEvent::BeforePost, kAnyDataSource, [&](TDataSet&) { seen << "any"; });
    AddDataRule(TDataEvent::BeforePost, 251, [&](TDataSet&) { seen << "251"; });
    AddDataRule(TDataEvent::BeforePost, 3, [&](TDataSet&) { seen << "3"; });
    AddDataRule(TDataEvent::AfterPost, 251,
                [&](TDataSet&) { state_in_after_post = EstadoAntesDePost(); });
    AddDataChangeRule(251, [&](TDataSet&, TField* f) {
        if (f) seen << f->FieldName();
    });
    auto ds = tdb.db().GetTDataSet(QStringLiteral("T20Centros"));
    app.AttachDataSet(*ds, 251);
    ds->Open();
    ds->Append();
    ds->FieldByName(QStringLiteral("CodigoCentroT20")).SetValue(QStringLiteral("X"));
    ds->Post();
    EXPECT_EQ(seen, (QStringList{"CodigoCentroT20", "any", "251"}));
    EXPECT_EQ(state_in_after_post, TDataSetState::Insert);
    ds->Edit();
    ds->Post();
    EXPECT_EQ(state_in_after_post, TDataSetState::Edit);
    ClearDataRules();
}

TEST(ProcedureLibrary, FormCreateRunsSetUpOnlyWithBothIntegersThenTheNodeRules) {
    TZMKApp app;
    REGISTER_LIBRARY(app.Procedures());
    ClearDataRules();
    QStringList seen;
    AddFormCreateRule(kAnyDataSource, [&](const TProcCall&) { seen << "setup"; });
    AddFormCreateRule(242, [&](const TProcCall&) { seen << "242"; });
    TProcCall call;
    call.formInteger = 0;
    call.nodeId = 242;
    app.Procedures().ExecuteProcedure(QStringLiteral("ProcedureZMKFormEvent_CREATE"), call);
    call.formInteger = 1;
    app.Procedures().ExecuteProcedure(QStringLiteral("ProcedureZMKFormEvent_CREATE"), call);
    EXPECT_EQ(seen, (QStringList{"242", "setup", "242"}));
    ClearDataRules();
}
