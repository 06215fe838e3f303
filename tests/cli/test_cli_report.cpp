// The report command runs the real binary: only it creates the graphic application that
// rendering needs, and without a display.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/fulldisk.h"
#include "tests/support/testdb.h"

namespace zmk::test {
namespace {

TEST(CliReport, PrintsAnInvoiceOfADemoCompanyToPdfWithoutADisplay) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("demo.db"));
    ASSERT_EQ(RunCli({"demo", db, "--students", "5"}).status, 0);
    ASSERT_EQ(
        RunCli({"--db", db, "--centre", "1", "--answer", "yes", "billing", "generate", "--month",
                "10", "--year", "2026", "--date", "2026-10-01", "--series", "1", "--rows", "all"})
            .status,
        0);

    const QString pdf = dir.filePath(QStringLiteral("factura.pdf"));
    const CliResult r = RunCli({"--db", db, "report", "pdf", "101",
                                "IDFacturaCabT15 IN (SELECT MIN(IDFacturaCabT15) FROM "
                                "T15FacturasCab)",
                                pdf});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));

    const CliResult list = RunCli({"report", "list"});
    EXPECT_TRUE(list.out.contains(QStringLiteral("101\t101\tFactura\n"))) << list.out.toStdString();
}

TEST(CliReport, AnUnknownReportOrAMalformedCallFailsWithoutWritingAFile) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("vacia.db"));
    ASSERT_EQ(RunCli({"db", "create", db}).status, 0);
    const QString pdf = dir.filePath(QStringLiteral("x.pdf"));
    const CliResult r = RunCli({"--db", db, "report", "pdf", "999", "", pdf});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("No existe el informe número 999")))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_NE(RunCli({"--db", db, "report", "pdf", "uno", "", pdf}).status, 0);
}

TEST(CliReport, APdfThatDoesNotFitFailsWithTheReasonAndLeavesThePreviousFile) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("demo.db"));
    ASSERT_EQ(RunCli({"demo", db, "--students", "5"}).status, 0);
    ASSERT_EQ(RunCli({"--db", db, "--centre", "1", "--answer", "yes", "billing", "generate",
                      "--month", "10", "--year", "2026", "--date", "2026-10-01", "--series", "1"})
                  .status,
              0);
    FullDisk disk(dir.filePath(QStringLiteral("lleno")));
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system needs root";
    const QString pdf = dir.filePath(QStringLiteral("lleno/facturas.pdf"));
    {
        QFile previous(pdf);
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("anterior");
    }
    const CliResult r = RunCli({"--db", db, "report", "pdf", "101", "", pdf});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("ERROR No se puede escribir el archivo \"%1\":\n"
                                              "No queda espacio en el disco")
                                   .arg(pdf)))
        << r.err.toStdString();
    EXPECT_EQ(r.out, QString());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("anterior"));
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("lleno"))).entryList(QDir::Files),
              QStringList{QStringLiteral("facturas.pdf")});
}

// pdftotext (poppler-utils) reads back the text a PDF carries; without it the test cannot
// say anything, so its absence is a failure.
QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForStarted()) return QStringLiteral("<pdftotext no está instalado: poppler-utils>");
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(CliReport, NamesInAnyScriptPrintOnTheInvoice) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("demo.db"));
    ASSERT_EQ(RunCli({"demo", db, "--students", "3"}).status, 0);
    ASSERT_EQ(RunCli({"--db", db, "--centre", "1", "--answer", "yes", "billing", "generate",
                      "--month", "10", "--year", "2026", "--date", "2026-10-01", "--series", "1"})
                  .status,
              0);
    const QStringList words = {"Zoë",    "Ωμέγα",  "Жанна",  "Nguyễn", "Ağaoğlu",
                               "王小明", "さくら", "김민준", "Ørsted"};
    ASSERT_EQ(RunCli({"--db", db, "sql",
                      QStringLiteral("UPDATE T15FacturasCab SET NombreT15='%1' WHERE "
                                     "IDFacturaCabT15=1")
                          .arg(words.join(u' '))})
                  .status,
              0);
    const QString pdf = dir.filePath(QStringLiteral("factura.pdf"));
    const CliResult r = RunCli({"--db", db, "report", "pdf", "101", "IDFacturaCabT15=1", pdf});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString text = PdfText(pdf);
    for (const QString& word : words)
        EXPECT_TRUE(text.contains(word)) << word.toStdString() << " missing from:\n"
                                         << text.toStdString();
}

}  // namespace
}  // namespace zmk::test
