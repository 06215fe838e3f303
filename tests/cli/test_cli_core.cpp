#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include "schema/schema.h"
#include "tests/support/testdb.h"

using zmk::test::RunCli;

namespace {

class CliTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString db;
    void SetUp() override {
        db = dir.filePath(QStringLiteral("empresa.db"));
        zmk::schema::CreateCompanyDatabase(db);
    }
    zmk::test::CliResult Run(QStringList args) {
        args.prepend(db);
        args.prepend(QStringLiteral("--db"));
        return RunCli(args);
    }
    QString Sql(const QString& sql) { return Run({QStringLiteral("sql"), sql}).out; }
    // The database's content, for checking that a refusal changed nothing.
    QByteArray Content() {
        QByteArray all;
        for (const QString& t : {QStringLiteral("T01Alumnos"), QStringLiteral("T20Centros"),
                                 QStringLiteral("T99ParametrosAplicacion")})
            all += Sql(QStringLiteral("SELECT * FROM ") + t).toUtf8();
        return QCryptographicHash::hash(all, QCryptographicHash::Sha256);
    }
};

}  // namespace

TEST_F(CliTest, InsertingAStudentNeedsACurrentCentreButACentreDoesNot) {
    auto r = Run({"record", "insert", "T01Alumnos", "NombreT01=Ana", "ApellidosT01=Gil"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              QStringLiteral("ERROR No ha seleccionado ningún CENTRO\n\nPara poder añadir "
                             "datos, es necesario trabajar con\nun centro predeterminado\n"));
    r = Run({"record", "insert", "T20Centros", "CodigoCentroT20=C1", "NombreCentroT20=Norte",
             "ActivoT20=true"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("1\n"));
    r = Run({"--centre", "1", "record", "insert", "T20Centros", "CodigoCentroT20=C2"});
    EXPECT_EQ(r.out, QStringLiteral("2\n"));
    EXPECT_EQ(
        Sql("SELECT IDCentroT20, CodigoCentroT20, ActivoT20 FROM T20Centros"),
        QStringLiteral("IDCentroT20\tCodigoCentroT20\tActivoT20\n1\tC1\ttrue\n2\tC2\ttrue\n"));
}

TEST_F(CliTest, TheCentreChosenIsStoredAndRestored) {
    Run({"record", "insert", "T20Centros", "CodigoCentroT20=C1", "NombreCentroT20=Norte"});
    auto r = Run({"proc", "MUESTRA_CENTRO_ACTUAL", "PRMIDCentroActual=1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Run({"param", "get", "PRMIDCentroActual"}).out, QStringLiteral("1\n"));
    // Without --centre the stored centre is current again, so students can be added.
    r = Run({"record", "insert", "T01Alumnos", "NombreT01=Ana", "IDCentroT01=1"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
}

TEST_F(CliTest, InvoiceHeadersCannotBeTypedOrDeletedByHand) {
    Run({"record", "insert", "T20Centros", "CodigoCentroT20=C1"});
    auto r = Run({"--centre", "1", "record", "insert", "T15FacturasCab", "IDCentroT15=1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.startsWith(QStringLiteral("ERROR NO ES POSIBLE AÑADIR FACTURAS MANUALMENTE")));
    Run({"sql", "INSERT INTO T15FacturasCab (IDCentroT15, NumeroT15) VALUES (1, 7)"});
    r = Run({"--centre", "1", "record", "delete", "T15FacturasCab", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("ERROR Para borrar las facturas utilice el formulario de\n"
                                    "ACCIONES SOBRE LAS FACTURAS\n"));
    EXPECT_EQ(Sql("SELECT COUNT(*) AS N FROM T15FacturasCab"), QStringLiteral("N\n1\n"));
    Run({"param", "set", "PermitirCrearFactManualmente", "true"});
    Run({"param", "set", "FacturarObligarSerieEnFacturas", "false"});
    r = Run({"--centre", "1", "record", "insert", "T15FacturasCab", "IDCentroT15=1"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
}

TEST_F(CliTest, BadInputFailsClearlyAndChangesNothing) {
    Run({"record", "insert", "T20Centros", "CodigoCentroT20=C1"});
    QByteArray before = Content();
    auto r = Run({"record", "insert", "T99NoExiste", "A=1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("ERROR No existe la tabla T99NoExiste\n"));
    r = Run({"record", "insert", "T20Centros", "CodigoCentroT20=C9", "NoHay=1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("ERROR Campo 'NoHay' no encontrado\n"));
    r = Run({"record", "edit", "T20Centros", "1", "ActivoT20=quizá"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("ERROR 'quizá' no es un valor booleano válido")));
    r = Run({"record", "edit", "T20Centros", "99", "ActivoT20=true"});
    EXPECT_EQ(r.status, 1);
    r = Run({"sql", "SELECT * FROM Nada"});
    EXPECT_EQ(r.status, 1);
    r = Run({"record", "insert", "T20Centros", "sin-igual"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(Content(), before);
}

TEST_F(CliTest, MissingOrForeignDatabaseFilesAreRefused) {
    auto r = RunCli({"--db", dir.filePath("nada.db"), "sql", "SELECT 1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("ERROR No se encuentra la base de datos")));
    QFile f(dir.filePath("texto.db"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("hola");
    f.close();
    r = RunCli({"--db", f.fileName(), "sql", "SELECT 1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.startsWith(QStringLiteral("ERROR El archivo no es una base de datos válida")));
    EXPECT_EQ(f.size(), 4);
    r = RunCli({"--nada", "sql"});
    EXPECT_EQ(r.status, 2);
}

TEST_F(CliTest, ProceduresSeeQueriesGridsAndAnswers) {
    Run({"record", "insert", "T20Centros", "CodigoCentroT20=C1"});
    // A grid with a mode other than 1 or 2 is an internal error, shown and nothing else.
    auto r = Run({"--centre", "1", "proc", "AUTOFACTURAR", "PRME01=3", "--grid", "T20Centros:1"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("¡Error interno! Modo de facturación incorrecto.")));
    r = Run({"proc", "ANULAR_NORMA19"});
    EXPECT_EQ(r.status, 1);
}
