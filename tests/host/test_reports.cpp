#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "host/app.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/reportprint.h"
#include "host/reports.h"
#include "host/resources.h"
#include "tests/host/test_reports_datos.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {

TReportDefinition Def(const QString& header, const QString& body) {
    return ParseReportDefinition(QStringLiteral("<!--ZMKREPORT\nid: 900\nname: Prueba\n") + header +
                                 QStringLiteral("\n-->\n") + body);
}

QString Render(const QString& header, const QString& body, const QString& filter = QString()) {
    return RenderReportHtml(Def(header, body), filter);
}

class Duplica : public TfrFunctionLibrary {
  public:
    Duplica() {
        AddFunctionDesc(QStringLiteral("DOBLE"), QStringLiteral("Pruebas"),
                        QStringLiteral("DOBLE(x)"));
        AddFunctionDesc(QStringLiteral("UNE"), QStringLiteral("Pruebas"),
                        QStringLiteral("UNE(a,b)"));
    }

  protected:
    void DoFunction(int fn, const QVariantList& args, QVariant& result) override {
        if (fn == 0) result = args.value(0).toString().repeated(2);
        if (fn == 1)
            result = args.value(0).toString() + QLatin1Char('+') + args.value(1).toString();
    }
};

class Otra : public TfrFunctionLibrary {
  public:
    Otra() { AddFunctionDesc(QStringLiteral("DOBLE"), QStringLiteral("Otra"), QStringLiteral("")); }

  protected:
    void DoFunction(int, const QVariantList&, QVariant& result) override { result = "otra"; }
};

}  // namespace

TEST(ReportDefinition, ReadsTheHeaderAndRefusesFaultyOnes) {
    TReportDefinition d = ParseReportDefinition(QStringLiteral(
        "<!--ZMKREPORT\nid: 101\nkind: 101\nname: Factura\nmaster: SELECT * FROM T15FacturasCab\n"
        "order: NumeroT15\ndata lineas: SELECT * FROM T16FacturasCue\n-->\n<p>x</p>"));
    EXPECT_EQ(d.id, 101);
    EXPECT_EQ(d.kind, 101);
    EXPECT_EQ(d.name, QStringLiteral("Factura"));
    EXPECT_EQ(d.orderBy, QStringLiteral("NumeroT15"));
    ASSERT_EQ(d.data.size(), 1u);
    EXPECT_EQ(d.data[0].first, QStringLiteral("lineas"));
    EXPECT_EQ(d.templateText, QStringLiteral("<p>x</p>"));

    EXPECT_THROW(ParseReportDefinition(QStringLiteral("<p>sin cabecera</p>")), EZMKError);
    EXPECT_THROW(ParseReportDefinition(QStringLiteral("<!--ZMKREPORT\nid: 1\nname: x\n")),
                 EZMKError);
    EXPECT_THROW(
        ParseReportDefinition(QStringLiteral("<!--ZMKREPORT\nid: x\nname: a\nmaster: S\n-->")),
        EZMKError);
    EXPECT_THROW(ParseReportDefinition(QStringLiteral("<!--ZMKREPORT\nid: 1\nmaster: S\n-->")),
                 EZMKError);
    EXPECT_THROW(ParseReportDefinition(
                     QStringLiteral("<!--ZMKREPORT\nid: 1\nname: a\nmaster: S\ncolor: 3\n-->")),
                 EZMKError);
}

TEST(ReportRegistry, ReplacesByIdAndListsByKind) {
    TReportRegistry r;
    r.Add({102, 102, QStringLiteral("Recibo"), {}, {}, {}, {}});
    r.Add({101, 101, QStringLiteral("Factura"), {}, {}, {}, {}});
    r.Add({5, 0, QStringLiteral("Lista"), {}, {}, {}, {}});
    r.Add({101, 101, QStringLiteral("Factura nueva"), {}, {}, {}, {}});
    EXPECT_EQ(r.All().size(), 3u);
    auto formatos = r.All({101, 102});
    ASSERT_EQ(formatos.size(), 2u);
    EXPECT_EQ(formatos[0]->name, QStringLiteral("Factura nueva"));
    EXPECT_TRUE(r.Remove(5));
    EXPECT_FALSE(r.Remove(5));
    EXPECT_EQ(r.Find(5), nullptr);
}

TEST(ReportMoney, FollowsTheMaskWithSpanishSeparators) {
    auto m = [](const char* v, const char* mask) {
        return FormatReportMoney(QVariant::fromValue(*Currency::Parse(QString::fromLatin1(v))),
                                 QString::fromLatin1(mask));
    };
    EXPECT_EQ(m("1234567.5", "#,##0.00"), QStringLiteral("1.234.567,50"));
    EXPECT_EQ(m("1234.5", "#,#0.00"), QStringLiteral("1.234,50"));
    EXPECT_EQ(m("-0.004", "#,##0.00"), QStringLiteral("0,00"));
    EXPECT_EQ(m("-12.345", "0.00"), QStringLiteral("-12,35"));
    EXPECT_EQ(m("2.5", "#,#0.00##"), QStringLiteral("2,50"));
    EXPECT_EQ(m("2.12345", "#,#0.00##"), QStringLiteral("2,1235"));
    EXPECT_EQ(m("999", "#,##0"), QStringLiteral("999"));
    EXPECT_EQ(m("0.5", "#.##"), QStringLiteral(",5"));
}

TEST(ReportTemplate, FillsFieldsSectionsAndConditions) {
    test::TestDatabase tdb;
    const auto d = test::CrearDatosInformes(tdb.db());
    Parametres().DeleteParam(QStringLiteral("DIVISA_MASK"));
    const QString header = QStringLiteral(
        "master: SELECT * FROM T15FacturasCab\n"
        "data lineas: SELECT * FROM T16FacturasCue WHERE IDFacturaCabT16={{IDFacturaCabT15}} "
        "ORDER BY NOrdenT16");
    const QString filter = QStringLiteral("IDFacturaCabT15=%1").arg(d.factura);
    // Text is escaped; money, dates and percentages are formatted by type.
    EXPECT_EQ(Render(header,
                     QStringLiteral("{{#master}}{{NombreT15}}|{{ImporteTotalT15}}|{{FechaT15}}|"
                                    "{{TPCIva1T15|pct}}|{{NumeroT15}}{{/master}}"),
                     filter),
              QStringLiteral("María O&#x27;Neill &lt;Pérez&gt;|1.460,00|01/10/2026|21|17")
                  .replace(QStringLiteral("&#x27;"), QStringLiteral("'")));
    // Detail rows follow their order and see the master's fields; _index counts from 1.
    EXPECT_EQ(
        Render(header,
               QStringLiteral("{{#master}}{{#lineas}}{{_index}}:{{DescConceptoT16}}"
                              "({{NMesFacturadoT16|month}} {{SerieT15}});{{/lineas}}{{/master}}"),
               filter),
        QStringLiteral("1:Libro de texto(Octubre A01);2:Matrícula(Octubre A01);"
                       "3:Mensualidad inglés(Octubre A01);"));
    // Zero amounts and empty texts are false; "??" takes the first non-empty value.
    EXPECT_EQ(Render(header,
                     QStringLiteral("{{#master}}{{#if BaseImponible2T15}}2{{/if}}"
                                    "{{#if BaseImponible3T15}}3{{else}}no3{{/if}}"
                                    "{{ComentariosT15 ?? NIFT15}}|{{ProvinciaT15 ?? \"-\"}}"
                                    "{{/master}}"),
                     filter),
              QStringLiteral("2no312345678Z|-"));
    // The filter limits the master rows; without rows nothing repeats.
    EXPECT_EQ(Render(header, QStringLiteral("a{{#master}}x{{/master}}b"), QStringLiteral("1=0")),
              QStringLiteral("ab"));
    // The published currency mask is honoured.
    Parametres().SetParametreValue(QStringLiteral("DIVISA_MASK"), QStringLiteral("0.000"));
    EXPECT_EQ(Render(header, QStringLiteral("{{#master}}{{ImporteTotalT15}}{{/master}}"), filter),
              QStringLiteral("1460,000"));
    Parametres().DeleteParam(QStringLiteral("DIVISA_MASK"));
}

TEST(ReportTemplate, BindsValuesIntoDetailQueriesInsteadOfPastingThem) {
    test::TestDatabase tdb;
    const auto d = test::CrearDatosInformes(tdb.db());
    // A quote in the master value would break a pasted statement; bound, it just matches nothing.
    const QString header = QStringLiteral(
        "master: SELECT * FROM T15FacturasCab\n"
        "data mismo: SELECT NombreT15 AS Otro FROM T15FacturasCab WHERE NombreT15={{NombreT15}}");
    EXPECT_EQ(
        Render(header, QStringLiteral("{{#master}}{{#mismo}}[{{Otro|raw}}]{{/mismo}}{{/master}}"),
               QStringLiteral("IDFacturaCabT15=%1").arg(d.factura)),
        QStringLiteral("[María O'Neill <Pérez>]"));
}

TEST(ReportTemplate, RefusesFaultyTemplates) {
    test::TestDatabase tdb;
    const QString header = QStringLiteral("master: SELECT * FROM T20Centros");
    EXPECT_THROW(Render(header, QStringLiteral("{{#master}}x")), EZMKError);
    EXPECT_THROW(Render(header, QStringLiteral("{{#master}}x{{/lineas}}")), EZMKError);
    EXPECT_THROW(Render(header, QStringLiteral("{{else}}")), EZMKError);
    EXPECT_THROW(Render(header, QStringLiteral("{{#lineas}}{{/lineas}}")), EZMKError);
    EXPECT_THROW(Render(header, QStringLiteral("{{NoExiste}}")), EZMKError);
    EXPECT_THROW(Render(header, QStringLiteral("{{\"a\"|negrita}}")), EZMKError);
    EXPECT_THROW(RenderReportHtml(987654, QString()), EZMKError);
    // A framework parameter that does not exist is simply empty.
    EXPECT_EQ(Render(header, QStringLiteral("[{{param:PRMAEmpresaNoExiste}}]")),
              QStringLiteral("[]"));
}

TEST(ReportFunctions, LibrariesAreCalledByNameAndUnregistered) {
    test::TestDatabase tdb;
    const QString header = QStringLiteral("master: SELECT * FROM T20Centros");
    EXPECT_THROW(Render(header, QStringLiteral("{{fn:DOBLE(\"a\")}}")), EZMKError);
    EXPECT_EQ(Render(header, QStringLiteral("[{{fn?:DOBLE(\"a\")}}]")), QStringLiteral("[]"));

    frRegisterFunctionLibrary<Duplica>();
    EXPECT_EQ(Render(header, QStringLiteral("{{fn:doble(\"ab\")}} {{fn:UNE(fn:DOBLE(\"x\"), 3)}} "
                                            "{{fn:UNE(\"a,b\", \"\")}}")),
              QStringLiteral("abab xx+3 a,b+"));
    ASSERT_EQ(frFunctionDescriptions().size(), 2u);
    EXPECT_EQ(frFunctionDescriptions()[1].name, QStringLiteral("UNE"));

    // The last registered library answers first; unregistering one leaves the other.
    frRegisterFunctionLibrary<Otra>();
    QVariant result;
    ASSERT_TRUE(frCallFunction(QStringLiteral("DOBLE"), {QStringLiteral("z")}, result));
    EXPECT_EQ(result.toString(), QStringLiteral("otra"));
    frUnRegisterFunctionLibrary<Otra>();
    ASSERT_TRUE(frCallFunction(QStringLiteral("DOBLE"), {QStringLiteral("z")}, result));
    EXPECT_EQ(result.toString(), QStringLiteral("zz"));
    frUnRegisterFunctionLibrary<Duplica>();
    EXPECT_FALSE(frCallFunction(QStringLiteral("DOBLE"), {}, result));
}

TEST(PrintReport, WithoutAnEngineRefusesAndWithOneHandsOverTheParameters) {
    TProcedureZMK& procs = ZMKApp().Procedures();
    const TProcedureZMK saved = procs;
    ASSERT_FALSE(procs.Exists(kDoPrintIDReport)) << "logic tests run without the forms library";
    try {
        PrintReport(101, QStringLiteral("IDFacturaCabT15 IN (1,2)"), TPrintTarget::Pdf);
        FAIL() << "printed without an engine";
    } catch (const EZMKError& e) {
        EXPECT_EQ(
            e.Message(),
            QStringLiteral("No hay ningún motor de informes instalado: no se puede imprimir."));
    }
    QStringList seen;
    procs.RegisterProcedure(kDoPrintIDReport, QString(), [&](const TProcCall&) {
        for (const char* n : {"PRME01", "PRME02", "PRME03", "PRME06"})
            seen << Parametres().AsString(QString::fromLatin1(n));
    });
    PrintReport(102, QStringLiteral("IDFacturaCabT15 IN (7)"), TPrintTarget::Pdf,
                QStringLiteral("/tmp/x.pdf"));
    EXPECT_EQ(seen, QStringList({"102", "2", "/tmp/x.pdf", "IDFacturaCabT15 IN (7)"}));
    EXPECT_TRUE(ReportEngineInstalled());
    // The call's inputs are not settings to keep in the saved block.
    EXPECT_FALSE(Parametres().Writables(QStringLiteral("PRME06")));
    procs = saved;
}

TEST(ReportResources, UsersReportsAreKeptInTheStoreAndOverrideShippedOnes) {
    TRecursosZMK recursos;
    const QString propia = QStringLiteral(
        "<!--ZMKREPORT\nid: 101\nkind: 101\nname: Factura propia\nmaster: SELECT 1\n-->\n<p/>");
    EXPECT_EQ(GuardaInformeEnRecursos(recursos, propia), 101);
    EXPECT_TRUE(recursos.Find(kRecursoInformes + 101).has_value());
    EXPECT_THROW(GuardaInformeEnRecursos(recursos, QStringLiteral("<p>sin cabecera</p>")),
                 EZMKError);
    EXPECT_THROW(
        GuardaInformeEnRecursos(
            recursos, QStringLiteral("<!--ZMKREPORT\nid: 100000\nname: x\nmaster: S\n-->")),
        EZMKError);
    recursos.Insert(TRecursosZMK::kParametres, "{}");  // other resources are not reports

    TReportRegistry registry;
    ASSERT_GT(registry.LoadFromDirectory(QStringLiteral(ESCOLIA_SOURCE_DIR "/resources/reports")),
              3);
    EXPECT_EQ(registry.Find(101)->name, QStringLiteral("Factura"));
    EXPECT_EQ(CargaInformesDeRecursos(recursos, registry), 1);
    EXPECT_EQ(registry.Find(101)->name, QStringLiteral("Factura propia"));
    EXPECT_NE(registry.Find(102), nullptr);
}

TEST(PrintReport, WithoutWindowsAPreviewOrAPrinterIsRefusedUntilADeviceIsInstalled) {
    for (TPrintTarget target : {TPrintTarget::Preview, TPrintTarget::Printer}) {
        try {
            PrintHtml(QStringLiteral("<p>x</p>"), QStringLiteral("Prueba"), target);
            FAIL() << "printed without a print device";
        } catch (const EZMKError& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("PDF"))) << e.Message().toStdString();
        }
    }
    // A device installed takes them; the previous one comes back.
    int shown = 0;
    TPrintDevice previous =
        SetPrintDevice([&](const QString&, const QString&, TPrintTarget, bool, int) { ++shown; });
    PrintHtml(QStringLiteral("<p>x</p>"), QStringLiteral("Prueba"), TPrintTarget::Preview);
    EXPECT_EQ(shown, 1);
    SetPrintDevice(previous);
}

TEST(ReportResources, ShippedReportsTakeInTheirSharedFilesAndAMissingOneIsRefused) {
    TReportRegistry registry;
    ASSERT_GE(registry.LoadFromDirectory(QStringLiteral(ESCOLIA_SOURCE_DIR "/resources/reports")),
              5);
    for (int id : {101, 102, 103, 104, 105}) {
        ASSERT_NE(registry.Find(id), nullptr) << id;
        const QString text = registry.Find(id)->templateText;
        EXPECT_FALSE(text.contains(QStringLiteral("#include"))) << id;
        EXPECT_TRUE(text.contains(QStringLiteral(".caja {"))) << id;
        // Invoices and receipts print the issuer kept on the invoice, the rest today's company.
        const bool factura = id == 101 || id == 102;
        EXPECT_TRUE(text.contains(factura ? QStringLiteral("EmisorNombreT15 ?? NombreCentroT20")
                                          : QStringLiteral("PRMAEmpresaNombre ?? NombreCentroT20")))
            << id;
    }
    // The documents (not the class sheet) share the company header.
    for (int id : {101, 102})
        EXPECT_TRUE(registry.Find(id)->templateText.contains(QStringLiteral("CIF: {{EmisorCIFT15")))
            << id;
    for (int id : {103, 104})
        EXPECT_TRUE(registry.Find(id)->templateText.contains(QStringLiteral("CIF: {{param:")))
            << id;

    QTemporaryDir dir;
    QFile report(dir.filePath(QStringLiteral("x.html")));
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    report.write("<!--ZMKREPORT\nid: 7\nname: x\nmaster: S\n-->\n<!--#include falta.css-->");
    report.close();
    try {
        registry.LoadFromDirectory(dir.path());
        FAIL() << "loaded a report whose shared file is missing";
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("falta.css"))) << e.Message().toStdString();
    }
}
