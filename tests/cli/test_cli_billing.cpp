// The billing commands, run in-process on a company built by hand.
#include <gtest/gtest.h>

#include <QTextStream>

#include "cli/cmd_billing.h"
#include "cli/commands.h"
#include "tests/billing/test_generar_datos.h"

namespace zmk::cli {
namespace {

int Ejecutar(const QStringList& args, QString& out) {
    RegisterBillingCommands();
    QString err, in;
    QTextStream o(&out), e(&err), i(&in);
    CliContext ctx{QString(), std::nullopt, args.mid(1), &o, &e, &i};
    const int status = RunCommand(args.first(), ctx);
    o.flush();
    return status;
}

TEST(CliBilling, GeneratePrintsEachInvoiceAndApplyCollectsThem) {
    test::TestDatabase t;
    test::EmpresaFacturacion e{t};
    const int a = e.Alumno(QStringLiteral("Gil, Ana"));
    e.Concepto(e.Matricula(a), QStringLiteral("Cuota"), 40);
    const int b = e.Alumno(QStringLiteral("Roca, Pau"));
    e.Concepto(e.Matricula(b), QStringLiteral("Cuota"), 10);
    t.prompt().Push(QStringLiteral("yes"));
    QString out;
    ASSERT_EQ(Ejecutar({"billing", "generate", "--month", "10", "--year", "2025", "--date",
                        "2025-10-01", "--series", "1", "--students", QString::number(b)},
                       out),
              kExitOk);
    EXPECT_EQ(out, QStringLiteral("1\tA\t7\t102\t12.10\n"));

    out.clear();
    t.prompt().Push(QStringLiteral("yes"));
    ASSERT_EQ(Ejecutar({"billing", "generate", "--month", "10", "--year", "2025", "--date",
                        "2025-10-01", "--series", "1", "--rows", "all", "--collect"},
                       out),
              kExitOk);
    EXPECT_EQ(out, QStringLiteral("2\tA\t8\t101\t48.40\n"));
    EXPECT_EQ(
        e.Int(QStringLiteral("SELECT CobradaT15 FROM T15FacturasCab WHERE IDFacturaCabT15=2")), 1);

    out.clear();
    t.prompt().Push(QStringLiteral("yes"));
    ASSERT_EQ(
        Ejecutar({"billing", "apply", "collect", "--invoices", "1", "--date", "2025-10-05"}, out),
        kExitOk);
    EXPECT_EQ(out, QStringLiteral("1\n"));
    EXPECT_EQ(e.Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab WHERE CobradaT15=1")), 2);
}

}  // namespace
}  // namespace zmk::cli
