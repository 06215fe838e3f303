// What escolia-cli makes of what is typed: values read by their column's type, option names
// taken exactly, global options anywhere, and arguments that are not text refused.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "schema/schema.h"
#include "tests/support/testdb.h"

namespace zmk::test {
namespace {

class CliValores : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString db = dir.filePath(QStringLiteral("empresa.db"));
    void SetUp() override {
        schema::CreateCompanyDatabase(db);
        ASSERT_EQ(
            RunCli({"--db", db, "record", "insert", "T20Centros", "CodigoCentroT20=C1"}).status, 0);
    }
    CliResult Run(QStringList args) {
        return RunCli(QStringList{"--db", db, "--centre", "1"} + args);
    }
    QString Sql(const QString& sql) { return Run({"sql", sql}).out; }
};

TEST_F(CliValores, EachValueIsReadByItsColumnsType) {
    const CliResult r =
        Run({"record", "insert", "T01Alumnos", "NombreT01=Ana", "CPPoblacionT01=08001",
             "Telf1T01=0034911234567", "NIFT01=00000001", "ComentariosT01=2026-10-01",
             "FechaNacT01=2010-05-03", "ActivoT01=false", "IDFormaCobroT01=NULL"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(
        Sql("SELECT CPPoblacionT01, Telf1T01, NIFT01, ComentariosT01, typeof(ComentariosT01), "
            "FechaNacT01, ActivoT01, IDFormaCobroT01 FROM T01Alumnos"),
        QStringLiteral(
            "CPPoblacionT01\tTelf1T01\tNIFT01\tComentariosT01\ttypeof(ComentariosT01)"
            "\tFechaNacT01\tActivoT01\tIDFormaCobroT01\n"
            "08001\t0034911234567\t00000001\t2026-10-01\ttext\t2010-05-03\tfalse\tNULL\n"));

    const QString antes = Sql("SELECT * FROM T01Alumnos");
    const struct {
        const char* asignacion;
        const char* error;
    } refusals[] = {
        {"FechaNacT01=20261001",
         "ERROR '20261001' no es una fecha válida (AAAA-MM-DD o AAAA-MM-DD HH:MM:SS) para el "
         "campo 'FechaNacT01'"},
        {"FechaNacT01=2026-02-30", "no es una fecha válida"},
        {"IDFormaCobroT01=1.5",
         "ERROR '1.5' no es un valor entero válido para el campo 'IDFormaCobroT01'"},
        {"ActivoT01=quizá",
         "ERROR 'quizá' no es un valor booleano válido (true o false) para el campo 'ActivoT01'"},
        {"SueldoT01=3", "ERROR Campo 'SueldoT01' no encontrado"},
    };
    for (const auto& c : refusals) {
        const CliResult e = Run({"record", "edit", "T01Alumnos", "1", c.asignacion});
        EXPECT_EQ(e.status, 1) << c.asignacion;
        EXPECT_TRUE(e.err.contains(QString::fromUtf8(c.error))) << e.err.toStdString();
    }
    EXPECT_EQ(Sql("SELECT * FROM T01Alumnos"), antes);
}

TEST_F(CliValores, OptionNamesAreExactAndUnknownOnesAreNotCreatedByAccident) {
    ASSERT_EQ(Run({"param", "get", "NuevoCodigoAlumno"}).status, 0);
    const QString antes = Sql("SELECT * FROM T99ParametrosAplicacion ORDER BY IDParamAplicT99");

    CliResult r = Run({"param", "get", "%"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, QString());
    EXPECT_TRUE(r.err.contains(QStringLiteral("ERROR No existe el parámetro '%'")))
        << r.err.toStdString();
    r = Run({"param", "set", "Nuevo%", "1"});
    EXPECT_EQ(r.status, 1);
    r = Run({"param", "set", "NuevoCodigoAlumn_", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Sql("SELECT * FROM T99ParametrosAplicacion ORDER BY IDParamAplicT99"), antes);

    // --create makes it; from then on it keeps its type, and the name matches only itself.
    EXPECT_EQ(Run({"param", "set", "Mi_Opcion", "texto", "--create"}).status, 0);
    EXPECT_EQ(Run({"param", "set", "Mi_Opcion", "08001"}).status, 0);
    EXPECT_EQ(Run({"param", "get", "mi_opcion"}).out, QStringLiteral("08001\n"));
    EXPECT_EQ(Run({"param", "get", "MiXOpcion"}).status, 1);
}

// A sum typed with an alias is not known to be money, yet it prints as the amount it stands
// for, not the engine's binary leftovers (0.1 + 0.2 is 0.30000000000000004 as a double).
TEST_F(CliValores, TypedSumsPrintTheirDecimalValue) {
    EXPECT_EQ(Sql("SELECT SUM(v) AS total FROM (SELECT 0.1 AS v UNION ALL SELECT 0.2)"),
              QStringLiteral("total\n0.3\n"));
    EXPECT_EQ(Sql("SELECT 325694.4 - 0.0000000000016 AS casi"), QStringLiteral("casi\n325694.4\n"));
}

TEST_F(CliValores, GlobalOptionsMayFollowTheCommand) {
    const CliResult r =
        RunCli({"record", "insert", "T01Alumnos", "NombreT01=Eva", "--centre", "1", "--db", db});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("1\n"));
    EXPECT_EQ(RunCli({"sql", "SELECT NombreT01 FROM T01Alumnos", "--db", db}).out,
              QStringLiteral("NombreT01\nEva\n"));
}

TEST_F(CliValores, AnArgumentThatIsNotUtf8IsRefused) {
    // Latin-1 "Iván": the byte of "á" alone is not UTF-8. QProcess passes its arguments as
    // UTF-8, so the shell writes the raw byte.
    const QByteArray script =
        "exec \"$0\" --db \"$1\" --centre 1 record insert T01Alumnos "
        "\"$(printf 'NombreT01=Iv\\341n')\"";
    QProcess sh;
    sh.start(QStringLiteral("/bin/sh"), {"-c", QString::fromUtf8(script), ESCOLIA_CLI, db});
    sh.waitForFinished();
    EXPECT_EQ(sh.exitCode(), 2);
    EXPECT_TRUE(QString::fromUtf8(sh.readAllStandardError())
                    .contains(QStringLiteral("no es texto UTF-8 válido")));
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM T01Alumnos WHERE NombreT01 LIKE 'Iv%'"),
              QStringLiteral("COUNT(*)\n0\n"));
}

}  // namespace
}  // namespace zmk::test
