#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include "billing/funcionesinforme.h"
#include "cli/cmd_report.h"
#include "cli/commands.h"
#include "host/app.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/reportprint.h"
#include "host/reports.h"
#include "tests/host/test_reports_datos.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {

// The PDF's text through pdftotext (poppler-utils, installed by make deps): without the tool
// the test fails rather than check less.
QString PdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        ADD_FAILURE() << "pdftotext is not installed (apt-get install poppler-utils)";
        return QString();
    }
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void ExpectPdf(const QString& path, const QStringList& texts, int pages = -1) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 2000);
    const QString text = PdfText(path);
    ASSERT_FALSE(text.isNull());
    for (const QString& t : texts) {
        EXPECT_TRUE(text.contains(t)) << t.toStdString() << "\n" << text.toStdString();
    }
    if (pages > 0) {
        EXPECT_EQ(text.count(QLatin1Char('\f')), pages);
    }
}

}  // namespace

TEST(ReportPrint, ShippedReportsAreRegisteredWithTheirKinds) {
    RegisterReportProcedures();
    EXPECT_TRUE(ZMKApp().Procedures().Exists(kDoPrintIDReport));
    auto formatos = Reports().All({kReportKindFactura, kReportKindRecibo});
    ASSERT_EQ(formatos.size(), 2u);
    EXPECT_EQ(formatos[0]->id, 101);
    EXPECT_EQ(formatos[1]->id, 102);
    EXPECT_NE(Reports().Find(103), nullptr);
    EXPECT_NE(Reports().Find(104), nullptr);
}

TEST(ReportPrint, InvoiceReceiptSettlementAndBulletinToPdf) {
    RegisterReportProcedures();
    test::TestDatabase tdb;
    const auto d = test::CrearDatosInformes(tdb.db());
    QTemporaryDir dir;
    const QString factura = QStringLiteral("IDFacturaCabT15 IN (%1)").arg(d.factura);

    PrintReport(101, factura, TPrintTarget::Pdf, dir.filePath(QStringLiteral("f.pdf")));
    // The company falls back to the centre; the VAT breakdown shows only the rates in use.
    ASSERT_NO_FATAL_FAILURE(ExpectPdf(
        dir.filePath(QStringLiteral("f.pdf")),
        {QStringLiteral("FACTURA"), QStringLiteral("Academia Sol & Luna"),
         QStringLiteral("María O'Neill <Pérez>"), QStringLiteral("A01/17"),
         QStringLiteral("Libro de texto"), QStringLiteral("Octubre 2026"),
         QStringLiteral("1.460,00"), QStringLiteral("ES91"), QStringLiteral("MANDATO-0001")},
        1));

    PrintReport(102, factura, TPrintTarget::Pdf, dir.filePath(QStringLiteral("r.pdf")));
    ASSERT_NO_FATAL_FAILURE(
        ExpectPdf(dir.filePath(QStringLiteral("r.pdf")),
                  {QStringLiteral("RECIBO"), QStringLiteral("TOTAL RECIBO 1.460,00"),
                   QStringLiteral("MANDATO-0001")}));
    const QString recibo = PdfText(dir.filePath(QStringLiteral("r.pdf")));
    EXPECT_FALSE(recibo.contains(QStringLiteral("0418450200"))) << "the IBAN is shown masked";

    PrintReport(103, QStringLiteral("IDLiquidacionCabT27=%1").arg(d.liquidacion), TPrintTarget::Pdf,
                dir.filePath(QStringLiteral("l.pdf")));
    ASSERT_NO_FATAL_FAILURE(
        ExpectPdf(dir.filePath(QStringLiteral("l.pdf")),
                  {QStringLiteral("LIQUIDACIÓN"), QStringLiteral("Ana Profesora"),
                   QStringLiteral("Horas de clase"), QStringLiteral("300,00")}));

    PrintReport(104, QStringLiteral("IDBoletinNotasT25=%1").arg(d.boletin), TPrintTarget::Pdf,
                dir.filePath(QStringLiteral("b.pdf")));
    ASSERT_NO_FATAL_FAILURE(ExpectPdf(dir.filePath(QStringLiteral("b.pdf")),
                                      {QStringLiteral("Lucía Gómez"), QStringLiteral("Inglés"),
                                       QStringLiteral("Actitud"), QStringLiteral("Buena")}));
}

TEST(ReportPrint, SeveralDocumentsStartOnTheirOwnPageEachWithTheIssuerItWasIssuedWith) {
    RegisterReportProcedures();
    test::TestDatabase tdb;
    const auto d = test::CrearDatosInformes(tdb.db());
    tdb.db().ExecuteSQL(
        QStringLiteral(
            "INSERT INTO T15FacturasCab (IDCentroT15, NumeroT15, NombreT15, ImporteTotalT15) "
            "VALUES (%1, 18, 'Segundo Cliente', 10)")
            .arg(d.centro));
    tdb.db().ExecuteSQL(QStringLiteral("UPDATE T15FacturasCab SET EmisorNombreT15='Escuelas "
                                       "Unidas S.L.', EmisorCIFT15='B25999999' WHERE "
                                       "IDFacturaCabT15=%1")
                            .arg(d.factura));
    // Today's company data are another's: the reprint still shows who issued each invoice.
    Parametres().SetParametreValue(QStringLiteral("PRMAEmpresaNombre"),
                                   QStringLiteral("Nombre De Hoy S.L."));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dos.pdf"));
    PrintReport(101, QStringLiteral("IDCentroT15=%1").arg(d.centro), TPrintTarget::Pdf, path);
    Parametres().DeleteParam(QStringLiteral("PRMAEmpresaNombre"));
    ASSERT_NO_FATAL_FAILURE(
        ExpectPdf(path,
                  {QStringLiteral("Escuelas Unidas S.L."), QStringLiteral("CIF: B25999999"),
                   QStringLiteral("Segundo Cliente"), QStringLiteral("FACTURA")},
                  2));
    const QStringList paginas = PdfText(path).split(u'\f');
    ASSERT_GE(paginas.size(), 2);
    EXPECT_FALSE(paginas.join(u' ').contains(QStringLiteral("Nombre De Hoy")));
    // The invoice issued without company data names the centre as issuer.
    const QString segunda =
        paginas[0].contains(QStringLiteral("Segundo Cliente")) ? paginas[0] : paginas[1];
    EXPECT_FALSE(segunda.contains(QStringLiteral("Escuelas Unidas"))) << segunda.toStdString();
    EXPECT_TRUE(segunda.contains(QStringLiteral("Academia Sol & Luna"))) << segunda.toStdString();
}

TEST(ReportPrint, AReturnedInvoiceAndItsNewCopySayWhatHappened) {
    RegisterReportProcedures();
    RegisterFuncionesFacturacion();
    test::TestDatabase tdb;
    const auto d = test::CrearDatosInformes(tdb.db());
    const int devuelta = QDate(1899, 12, 30).daysTo(QDate(2026, 11, 5));
    tdb.db().ExecuteSQL(QStringLiteral("UPDATE T15FacturasCab SET CobradaT15=1, DevueltaT15=1, "
                                       "FechaCobroT15=%1, FechaDevolucionT15=%2, "
                                       "Norma19CodMotivoDevT15='2' WHERE IDFacturaCabT15=%3")
                            .arg(devuelta - 20)
                            .arg(devuelta)
                            .arg(d.factura));
    // The copy the return made: pending again, with the return's date.
    tdb.db().ExecuteSQL(QStringLiteral("INSERT INTO T15FacturasCab (IDCentroT15, NumeroT15, "
                                       "NombreT15, ImporteTotalT15, CobradaT15, DevueltaT15, "
                                       "FechaDevolucionT15, PteRevisarT15) VALUES (%1, 17, "
                                       "'Copia', 10, 0, 0, %2, 1)")
                            .arg(d.centro)
                            .arg(devuelta));
    QTemporaryDir dir;
    for (int informe : {101, 102}) {
        const QString path = dir.filePath(QStringLiteral("%1.pdf").arg(informe));
        PrintReport(informe, QStringLiteral("IDCentroT15=%1").arg(d.centro), TPrintTarget::Pdf,
                    path);
        const QString texto = PdfText(path).simplified();
        const QString devolucion =
            informe == 101 ? QStringLiteral("Devuelta") : QStringLiteral("Devuelto");
        EXPECT_TRUE(texto.contains(
            devolucion +
            QStringLiteral(" el 05/11/2026, motivo: No domiciliado o cuenta cancelada")))
            << texto.toStdString();
        EXPECT_TRUE(texto.contains(QStringLiteral(
            "Recibo devuelto el 05/11/2026, presentado de nuevo al cobro: pendiente de cobro.")))
            << texto.toStdString();
        EXPECT_FALSE(texto.contains(QStringLiteral("Cobrada el"))) << texto.toStdString();
        EXPECT_FALSE(texto.contains(QStringLiteral("Recibí"))) << texto.toStdString();
    }
}

TEST(ReportPrint, AnInvoiceWithAnExemptRateSaysUnderWhichArticle) {
    RegisterReportProcedures();
    RegisterFuncionesFacturacion();
    test::TestDatabase tdb;
    const auto d = test::CrearDatosInformes(tdb.db());
    tdb.db().Prepared(
        QStringLiteral("INSERT INTO T22TiposIva (TPCIvaT22, DescripcionT22, "
                       "TextoLegalT22) VALUES (0, 'Exento', ?), (21, 'General', NULL)"),
        {QString::fromUtf8(kTextoExencionEnsenanza)});
    // A second invoice without the exempt rate.
    tdb.db().ExecuteSQL(QStringLiteral("INSERT INTO T15FacturasCab (IDFacturaCabT15, IDCentroT15, "
                                       "NumeroT15, NombreT15) VALUES (900, %1, 99, 'Sin exención')")
                            .arg(d.centro));
    tdb.db().ExecuteSQL(
        QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, "
                       "DescConceptoT16, TPCIvaT16) VALUES (900, 'Cuota', 21)"));
    QTemporaryDir dir;
    const QString con = dir.filePath(QStringLiteral("con.pdf"));
    const QString sin = dir.filePath(QStringLiteral("sin.pdf"));
    PrintReport(101, QStringLiteral("IDFacturaCabT15=%1").arg(d.factura), TPrintTarget::Pdf, con);
    PrintReport(101, QStringLiteral("IDFacturaCabT15=900"), TPrintTarget::Pdf, sin);
    const QString textoCon = PdfText(con).simplified();
    EXPECT_TRUE(
        textoCon.contains(QStringLiteral("Operación exenta de IVA (art. 20.Uno.9º Ley 37/1992)")))
        << textoCon.toStdString();
    EXPECT_FALSE(PdfText(sin).contains(QStringLiteral("exenta")));
}

TEST(ReportPrint, AnyScreensListPrintsItsColumns) {
    test::TestDatabase tdb;
    test::CrearDatosInformes(tdb.db());
    auto ds =
        tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM T16FacturasCue ORDER BY NOrdenT16"));
    ds->Open();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lista.pdf"));
    PrintDataSetList(QStringLiteral("Líneas de factura"), *ds,
                     {{QStringLiteral("DescConceptoT16"), QStringLiteral("Concepto"), QString()},
                      {QStringLiteral("IDFacturaCabT16"), QStringLiteral("Cliente"),
                       QStringLiteral("T15FacturasCab:IDFacturaCabT15:NombreT15")},
                      {QStringLiteral("BaseImponibleT16"), QStringLiteral("Base"), QString()}},
                     TPrintTarget::Pdf, path);
    // Look-ups print the name, not the key; money columns end with their total.
    ASSERT_NO_FATAL_FAILURE(
        ExpectPdf(path, {QStringLiteral("Líneas de factura"), QStringLiteral("Concepto"),
                         QStringLiteral("Mensualidad inglés"), QStringLiteral("600,00"),
                         QStringLiteral("María O'Neill <Pérez>"), QStringLiteral("3 registros")}));
    const QString texto = PdfText(path).simplified();
    EXPECT_TRUE(texto.contains(QStringLiteral("Total (3) 1.250,00"))) << texto.toStdString();
    EXPECT_THROW(PrintDataSetList(QStringLiteral("x"), *ds,
                                  {{QStringLiteral("NoExiste"), QString(), QString()}},
                                  TPrintTarget::Pdf, path),
                 EZMKError);
}

TEST(ReportPrint, APdfThatCannotBeWrittenIsRefused) {
    EXPECT_THROW(PrintHtml(QStringLiteral("<p>x</p>"), QString(), TPrintTarget::Pdf,
                           QStringLiteral("/no/such/folder/x.pdf")),
                 EZMKError);
}

TEST(ReportPrint, TheCliCommandWritesTheReportToAPdf) {
    test::TestDatabase tdb;
    const auto d = test::CrearDatosInformes(tdb.db());
    cli::RegisterReportCommands();
    QTemporaryDir dir;
    QString out, err;
    QTextStream outStream(&out), errStream(&err), inStream(stdin);
    cli::CliContext ctx{tdb.path(), std::nullopt, {}, &outStream, &errStream, &inStream};
    ctx.args = QStringList{QStringLiteral("pdf"), QStringLiteral("102"),
                           QStringLiteral("IDFacturaCabT15=%1").arg(d.factura),
                           dir.filePath(QStringLiteral("cli.pdf"))};
    tdb.db().ExecuteSQL(QStringLiteral("UPDATE T15FacturasCab SET EmisorNombreT15='Escuelas "
                                       "Unidas S.L.', EmisorCIFT15='B25999999' WHERE "
                                       "IDFacturaCabT15=%1")
                            .arg(d.factura));
    EXPECT_EQ(cli::RunCommand(QStringLiteral("report"), ctx), cli::kExitOk);
    ASSERT_NO_FATAL_FAILURE(
        ExpectPdf(dir.filePath(QStringLiteral("cli.pdf")), {QStringLiteral("RECIBO")}));
    // One rule for both: the command prints the issuer the program prints.
    PrintReport(102, ctx.args[2], TPrintTarget::Pdf, dir.filePath(QStringLiteral("prog.pdf")));
    const QString programa = PdfText(dir.filePath(QStringLiteral("prog.pdf")));
    EXPECT_TRUE(programa.contains(QStringLiteral("Escuelas Unidas S.L.")));
    EXPECT_EQ(PdfText(dir.filePath(QStringLiteral("cli.pdf"))), programa);
    ctx.args = QStringList{QStringLiteral("list")};
    EXPECT_EQ(cli::RunCommand(QStringLiteral("report"), ctx), cli::kExitOk);
    outStream.flush();
    EXPECT_TRUE(out.contains(QStringLiteral("101\t101\tFactura\n")));
    ctx.args = QStringList{QStringLiteral("pdf"), QStringLiteral("x")};
    EXPECT_THROW(cli::RunCommand(QStringLiteral("report"), ctx), cli::UsageError);
}

TEST(ReportPrint, ThePreviewWindowShowsTheDocument) {
    bool shown = false;
    QTimer::singleShot(300, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            shown = w->inherits("QPrintPreviewDialog");
            w->close();
        }
    });
    PrintHtml(QStringLiteral("<h1>Vista</h1>"), QStringLiteral("Prueba"), TPrintTarget::Preview);
    EXPECT_TRUE(shown);
}
