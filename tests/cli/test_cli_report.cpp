// The report command runs the real binary: only it creates the graphic application that
// rendering needs, and without a display.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

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

}  // namespace
}  // namespace zmk::test
