// escolia-cli bank: one answer line per argument or input line.
#include <gtest/gtest.h>

#include "tests/support/testdb.h"

namespace zmk {
namespace {

using test::RunCli;

QStringList Bank(const QStringList& args) {
    return QStringList{QStringLiteral("bank")} + args;
}

TEST(BankCli, ListasDeArgumentos) {
    auto r = RunCli(Bank({"validate-iban", "ES9121000418450200051332",
                          "ES91 2100 0418 4502 0005 1332", "ES4121000418990200051332", "ES91"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("0\n4\n99\n1\n"));
    r = RunCli(Bank({"check-iban", "ES9121000418450200051332", "DE89370400440532013000",
                     "ES**21000418450200051332"}));
    EXPECT_EQ(r.out, QStringLiteral("\nEl IBAN tiene un código de país distinto a \"ES\" y no se "
                                    "comprobará.\nEl IBAN no tiene dígitos de control.\n"));
    r = RunCli(Bank({"complete-iban", "ES**21000418**0200051332", "ES  21000418  0200051332"}));
    EXPECT_EQ(r.out, QStringLiteral("ES9121000418450200051332\nES9121000418450200051332\n"));
    r = RunCli(Bank({"bic", "ES9121000418450200051332", "DE89370400440532013000"}));
    EXPECT_EQ(r.out, QStringLiteral("CAIXESBBXXX\n\n"));
}

TEST(BankCli, ArgumentosFijos) {
    auto r = RunCli(Bank({"check-iban-bic", "ES9121000418450200051332", "caixesbbxxx"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("\n"));
    r = RunCli(Bank({"nif", "12.345.678-z", "-"}));
    EXPECT_EQ(r.out, QStringLiteral("12345678-Z\n"));
    r = RunCli(Bank({"creditor-id", "1", "B12345678"}));
    EXPECT_EQ(r.out, QStringLiteral("ES97001B12345678\n"));
    r = RunCli(Bank({"ccc-digits", "2100", "0418", "0200051332"}));
    EXPECT_EQ(r.out, QStringLiteral("45\n"));
}

TEST(BankCli, FallosDeUnaRutina) {
    auto r = RunCli(Bank({"ccc-digits", "2100", "04a8", "0200051332"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, QString());
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("ERROR "))) << qPrintable(r.err);
    r = RunCli(Bank({"creditor-id", "A", "B12345678"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("ERROR El Sufijo del acreedor no es un número válido: A\n"));
    EXPECT_EQ(RunCli(Bank({"ccc-digits", "2100"})).status, 2);
}

TEST(BankCli, EntradaEstandar) {
    // Line ends "\n" and "\r\n"; blanks inside a line are part of the argument.
    auto r = RunCli(Bank({"validate-iban", "-"}),
                    "ES9121000418450200051332\r\nES91 2100 0418 4502 0005 1332\n\nES91");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("0\n4\n1\n1\n"));
    // Several arguments per line go tab-separated; a failing line answers an empty line.
    r = RunCli(Bank({"ccc-digits", "-"}), "2100\t0418\t0200051332\nX\t1\t2\n2100\t0418\n0\t0\t2\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, QStringLiteral("45\n\n\n01\n"));
    EXPECT_EQ(r.err.count(QStringLiteral("ERROR ")), 2);
    r = RunCli(Bank({"nif", "-"}), "12.345.678-z\tx\nX1234567L\n");
    EXPECT_EQ(r.out, QStringLiteral("12345678xZ\nX1234567L\n"));
}

}  // namespace
}  // namespace zmk
