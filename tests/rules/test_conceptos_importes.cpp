// A concept's amounts after a field change, the checks before posting, and the concepts form:
// level label, enabled controls, and the duplicate button.
#include "host/controls.h"
#include "host/datarules.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "rules/conceptos.h"
#include "rules/reglasconceptos.h"
#include "tests/rules/test_conceptos_datos.h"

namespace zmk::test {
namespace {

class Importes : public DatosConceptos {
  protected:
    Importes() {
        RegisterConceptosRules();
        curso = Curso();
        grupo = Grupo(curso);
        matricula = Matricula(grupo);
        Exec(
            "INSERT INTO T07TarifasPrecios (IDCentroT07, ImporteSinIVAT07, TPCIvaT07, "
            "ImporteConIVAT07) VALUES (1, 100, 21, 121)");
        tarifa = Id("T07TarifasPrecios", "IDTarifaPreciosT07");
    }

    std::unique_ptr<TDataSet> Conceptos(const QString& where) {
        auto ds = tdb.db().GetTSQLDataSet(
            QStringLiteral("SELECT * FROM T14ConceptosMatricula WHERE ") + where, false);
        ZMKApp().AttachDataSet(*ds, 242);
        ds->Open();
        return ds;
    }
    std::unique_ptr<TDataSet> Nuevo(const char* owner, int key) {
        auto ds = Conceptos("1=0");
        ds->Append();
        ds->FieldByName("IDCentroT14").SetValue(1);
        ds->FieldByName(QLatin1String(owner)).SetValue(key);
        return ds;
    }
    static Currency V(TDataSet& ds, const char* f) {
        return ds.FieldByName(QLatin1String(f)).AsCurrency();
    }
    static void Set(TDataSet& ds, const char* f, const char* v) {
        ds.FieldByName(QLatin1String(f)).SetAsCurrency(C(v));
    }

    int curso = 0, grupo = 0, matricula = 0, tarifa = 0;
};

TEST_F(Importes, TariffAndTotalOfAnEnrolmentConceptDeriveItsDiscount) {
    auto ds = Nuevo("IDMatriculaT14", matricula);
    EXPECT_EQ(V(*ds, "UnidadesT14"), C("1"));
    EXPECT_EQ(V(*ds, "TPCDtoT14"), C("0"));
    EXPECT_EQ(V(*ds, "TPCIvaT14"), C("21"));
    ds->FieldByName("IDTarifaPreciosT14").SetValue(tarifa);
    EXPECT_EQ(V(*ds, "ImporteBaseT14"), C("100"));
    EXPECT_EQ(V(*ds, "BaseImponibleT14"), C("100"));
    EXPECT_EQ(V(*ds, "ImporteIvaIncluidoT14"), C("121"));

    Set(*ds, "ImporteIvaIncluidoT14", "108.9");
    EXPECT_EQ(V(*ds, "TPCDtoT14"), C("10"));
    EXPECT_EQ(V(*ds, "BaseImponibleT14"), C("90"));
    EXPECT_EQ(V(*ds, "ImporteBaseT14"), C("100"));
    Set(*ds, "ImporteIvaIncluidoT14", "121");
    EXPECT_EQ(V(*ds, "TPCDtoT14"), C("0"));
    ds->Post();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula"), 1);
}

TEST_F(Importes, ZeroPriceTotalIsRefusedWithItsMessage) {
    Exec("UPDATE T07TarifasPrecios SET ImporteSinIVAT07=0, ImporteConIVAT07=0");
    auto ds = Nuevo("IDMatriculaT14", matricula);
    ds->FieldByName("IDTarifaPreciosT14").SetValue(tarifa);
    Set(*ds, "ImporteIvaIncluidoT14", "50");
    EXPECT_EQ(V(*ds, "ImporteIvaIncluidoT14"), C("0"));
    EXPECT_EQ(V(*ds, "TPCDtoT14"), C("0"));
    EXPECT_TRUE(tdb.prompt().Log().join("\n").contains(
        "No es posible calcular el porcentaje de descuento si el importe base es 0"));
}

TEST_F(Importes, DiscountFromTotalEdgeRates) {
    // A 100 % rate changes nothing.
    TDescuentoDesdeTotal r =
        CalcularDescuentoDesdeTotal(C("150"), C("100"), C("1"), C("5"), C("95"), C("100"));
    EXPECT_FALSE(r.cambiado);
    EXPECT_EQ(r.dto, C("5"));
    EXPECT_EQ(r.total, C("150"));
    // Two units at 10: a total of 18.15 with 21 % is a base of 15, a quarter off.
    r = CalcularDescuentoDesdeTotal(C("18.15"), C("10"), C("2"), C("0"), C("0"), C("21"));
    EXPECT_EQ(r.base, C("15"));
    EXPECT_EQ(r.dto, C("25"));
    EXPECT_FALSE(r.avisoPrecioCero);
}

TEST_F(Importes, LineRulesFromPriceBaseAndTotal) {
    auto ds = Nuevo("IDCursoT14", curso);
    Set(*ds, "UnidadesT14", "2");
    Set(*ds, "ImporteBaseT14", "10");
    EXPECT_EQ(V(*ds, "BaseImponibleT14"), C("20"));
    EXPECT_EQ(V(*ds, "ImporteIvaIncluidoT14"), C("24.2"));
    // From a typed base: the price is worked back to cents.
    Set(*ds, "BaseImponibleT14", "50");
    EXPECT_EQ(V(*ds, "ImporteBaseT14"), C("25"));
    EXPECT_EQ(V(*ds, "ImporteIvaIncluidoT14"), C("60.5"));
    // From a typed total (not an enrolment concept): the total stays, the base is in cents and
    // the price gives it.
    Set(*ds, "ImporteIvaIncluidoT14", "100");
    EXPECT_EQ(V(*ds, "BaseImponibleT14"), C("82.64"));
    EXPECT_EQ(V(*ds, "ImporteIvaIncluidoT14"), C("100"));
    EXPECT_EQ(V(*ds, "ImporteBaseT14"), C("41.32"));
    // No units left: base and total become zero, the price stays.
    Set(*ds, "UnidadesT14", "0");
    Set(*ds, "BaseImponibleT14", "30");
    EXPECT_EQ(V(*ds, "BaseImponibleT14"), C("0"));
    EXPECT_EQ(V(*ds, "ImporteIvaIncluidoT14"), C("0"));
    EXPECT_EQ(V(*ds, "ImporteBaseT14"), C("41.32"));
}

TEST_F(Importes, ChecksBeforePosting) {
    auto sinDueño = Conceptos("1=0");
    sinDueño->Append();
    sinDueño->FieldByName("IDCentroT14").SetValue(1);
    EXPECT_EQ(ErrorMessage([&] { sinDueño->Post(); }),
              "Error: No ha seleccionado Plantilla, Curso, Grupo o Matrícula");
    sinDueño->Cancel();

    Exec(
        "INSERT INTO T07TarifasPrecios (IDCentroT07, ImporteSinIVAT07, TPCIvaT07, "
        "ImporteConIVAT07) VALUES (2, 10, 21, 12.1)");
    auto otraTarifa = Nuevo("IDCursoT14", curso);
    otraTarifa->FieldByName("IDTarifaPreciosT14")
        .SetValue(Id("T07TarifasPrecios", "IDTarifaPreciosT07"));
    EXPECT_EQ(ErrorMessage([&] { otraTarifa->Post(); }),
              "La tarifa de precios no pertenece al mismo centro, no se puede seleccionar");
    otraTarifa->Cancel();

    auto ivaRaro = Nuevo("IDCursoT14", curso);
    Set(*ivaRaro, "TPCIvaT14", "7");
    EXPECT_TRUE(ErrorMessage([&] { ivaRaro->Post(); }).contains("no es válido"));
    ivaRaro->Cancel();

    int propio = Concepto("IDMatriculaT14", matricula);
    auto ds = Conceptos(QStringLiteral("IDConceptoMatriculaT14=%1").arg(propio));
    ds->Edit();
    ds->FieldByName("IDConcMatrPadreT14").SetValue(propio);
    EXPECT_EQ(ErrorMessage([&] { ds->Post(); }), "Un concepto no se puede enlazar a si mismo");
    ds->Cancel();

    Exec(QStringLiteral("UPDATE T02Matriculas SET ActivaT02=0 WHERE IDMatriculaT02=%1")
             .arg(matricula));
    EXPECT_EQ(ErrorMessage([&] { ds->Edit(); }),
              "La matrícula no está Activa, no puede realizar cambios");
}

class FormConceptos : public Importes {
  protected:
    FormConceptos() : form("FRMConceptos", 242) {
        etiqueta = &form.Add(std::make_unique<TZMKControl>("ZMKlblTipoConcepto"));
        activo = &form.Add(std::make_unique<TZMKControl>("ZMKcbConceptoActivo"));
        duplicar = &form.Add(std::make_unique<TZMKControl>("ZMKsbDuplicar"));
        TZMKControl& panel = form.Add(std::make_unique<TZMKControl>("PControlsEntradaDades"));
        for (const char* f : {"ConceptoT14", "ImporteBaseT14", "UnidadesT14", "TPCDtoT14",
                              "BaseImponibleT14", "TPCIvaT14", "ImporteIvaIncluidoT14", "ActivoT14",
                              "ComentariosT14", "IDTarifaPreciosT14"})
            panel.Add(std::make_unique<TZMKControl>(QStringLiteral("ed") + f, f));
        Parametres().SetParametreValue("PRMIP_ZMKFORM", form.Handle());
    }
    QStringList Habilitados() {
        QStringList out;
        form.ForEachDescendant([&](TZMKControl& c) {
            if (c.HasDataField() && c.Enabled()) out << c.DataField();
        });
        return out;
    }

    TZMKForm form;
    TZMKControl* etiqueta = nullptr;
    TZMKControl* activo = nullptr;
    TZMKControl* duplicar = nullptr;
};

TEST_F(FormConceptos, LabelControlsAndActiveBoxFollowTheLevel) {
    int padre = Concepto("IDCursoT14", curso, QStringLiteral("IDTarifaPreciosT14=%1").arg(tarifa));
    CrearConceptosHeredados(curso, 0);
    int deGrupo = Concepto("IDGrupoT14", grupo);
    int libre =
        Concepto("IDMatriculaT14", matricula, QStringLiteral("IDTarifaPreciosT14=%1").arg(tarifa));
    Exec("INSERT INTO T14ConceptosMatricula (IDCentroT14, IDPlantillaCobroT14) VALUES (1, 5)");
    int plantilla = Id("T14ConceptosMatricula", "IDConceptoMatriculaT14");

    auto ds = Conceptos(QStringLiteral("IDConcMatrPadreT14=%1").arg(padre));
    EXPECT_EQ(etiqueta->Caption(), "Concepto de cobro del CURSO (no modificable)");
    EXPECT_EQ(etiqueta->FontColor(), QColor(128, 128, 128));
    EXPECT_TRUE(etiqueta->Visible());
    EXPECT_TRUE(activo->Visible());
    EXPECT_EQ(Habilitados(),
              QStringList({"TPCDtoT14", "ImporteIvaIncluidoT14", "ActivoT14", "ComentariosT14"}));

    ds = Conceptos(QStringLiteral("IDConceptoMatriculaT14=%1").arg(padre));
    EXPECT_EQ(etiqueta->Caption(), "Este concepto se aplicará a todas las matrículas del curso");
    EXPECT_EQ(etiqueta->FontColor(), QColor(0, 128, 192));
    EXPECT_FALSE(activo->Visible());
    EXPECT_EQ(Habilitados(), QStringList({"ConceptoT14", "UnidadesT14", "ActivoT14",
                                          "ComentariosT14", "IDTarifaPreciosT14"}));

    ds = Conceptos(QStringLiteral("IDConceptoMatriculaT14=%1").arg(deGrupo));
    EXPECT_EQ(etiqueta->Caption(), "Este concepto se aplicará a todas las matrículas del Grupo");
    EXPECT_FALSE(Habilitados().contains("TPCDtoT14"));
    EXPECT_TRUE(Habilitados().contains("ImporteBaseT14"));

    ds = Conceptos(QStringLiteral("IDConceptoMatriculaT14=%1").arg(libre));
    EXPECT_EQ(etiqueta->Caption(), "Concepto libre de esta matrícula");
    EXPECT_EQ(etiqueta->FontColor(), QColor(180, 180, 180));
    EXPECT_TRUE(activo->Visible());
    EXPECT_EQ(Habilitados(), QStringList({"ConceptoT14", "UnidadesT14", "TPCDtoT14",
                                          "BaseImponibleT14", "ImporteIvaIncluidoT14", "ActivoT14",
                                          "ComentariosT14", "IDTarifaPreciosT14"}));

    ds = Conceptos(QStringLiteral("IDConceptoMatriculaT14=%1").arg(plantilla));
    EXPECT_FALSE(etiqueta->Visible());
    EXPECT_TRUE(activo->Visible());
}

TEST_F(FormConceptos, DuplicateButtonAppendsACopyForTheUserToSave) {
    int origen = Concepto("IDMatriculaT14", matricula,
                          "TPCDtoT14=10, BaseImponibleT14=90, ImporteIvaIncluidoT14=108.9, "
                          "ComentariosT14='nota'");
    auto ds = Conceptos(QStringLiteral("IDConceptoMatriculaT14=%1").arg(origen));
    Parametres().SetParametreValue("PRMIP_DATASET", ds->Handle());
    TProcCall call;
    call.form = &form;
    call.nodeId = 242;
    RunFormCreateRules(call);
    ASSERT_TRUE(duplicar->HasClickHandler());

    duplicar->Click();
    ASSERT_EQ(ds->State(), TDataSetState::Insert);
    EXPECT_FALSE(duplicar->Enabled());
    EXPECT_TRUE(ds->FieldByName("IDConceptoMatriculaT14").IsNull());
    EXPECT_EQ(V(*ds, "TPCDtoT14"), C("10"));
    EXPECT_EQ(V(*ds, "BaseImponibleT14"), C("90"));
    EXPECT_EQ(V(*ds, "ImporteIvaIncluidoT14"), C("108.9"));
    EXPECT_EQ(ds->FieldByName("ComentariosT14").AsString(), "nota");
    EXPECT_TRUE(tdb.prompt().Log().join("\n").contains("La información se ha duplicado"));
    // A second click while the copy is unsaved does nothing.
    duplicar->Click();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula"), 1);
    ds->Post();
    EXPECT_TRUE(duplicar->Enabled());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE TPCDtoT14=10"), 2);
}

}  // namespace
}  // namespace zmk::test
