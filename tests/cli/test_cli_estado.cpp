// Record-state rules through escolia-cli record, on a fresh company file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "schema/schema.h"
#include "tests/support/testdb.h"

using zmk::test::RunCli;

namespace {

class CliEstado : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString db;
    void SetUp() override {
        db = dir.filePath(QStringLiteral("empresa.db"));
        zmk::schema::CreateCompanyDatabase(db);
        Sql("INSERT INTO T20Centros (CodigoCentroT20, NombreCentroT20, ActivoT20) VALUES ('C1', "
            "'Norte', 1)");
        Sql("INSERT INTO T22TiposIva (TPCIvaT22) VALUES (21)");
    }
    zmk::test::CliResult Run(QStringList args) {
        args = QStringList{QStringLiteral("--db"), db, QStringLiteral("--centre"),
                           QStringLiteral("1")} +
               args;
        return RunCli(args);
    }
    QString Sql(const char* sql) {
        return RunCli({QStringLiteral("--db"), db, QStringLiteral("sql"), QString::fromUtf8(sql)})
            .out;
    }
};

TEST_F(CliEstado, StudentsAreNumberedAndNumbersStayUnique) {
    for (const char* nombre : {"NombreT01=Ana", "NombreT01=Luis"}) {
        auto r = Run({"record", "insert", "T01Alumnos", nombre, "CodigoT01=77", "ActivoT01=true"});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
    }
    EXPECT_EQ(Sql("SELECT CodigoT01 FROM T01Alumnos ORDER BY IDAlumnoT01"),
              QStringLiteral("CodigoT01\n1\n2\n"));
    auto r = Run({"record", "edit", "T01Alumnos", "1", "CodigoT01=2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("ERROR Ya existe otro alumno con el código 2\n"));
    EXPECT_EQ(Sql("SELECT CodigoT01 FROM T01Alumnos ORDER BY IDAlumnoT01"),
              QStringLiteral("CodigoT01\n1\n2\n"));
}

TEST_F(CliEstado, InactiveCoursesRefuseEditsWithTheirText) {
    Sql("INSERT INTO T03Cursos (IDCentroT03, DescripcionT03, ActivoT03) VALUES (1, 'Inglés', 0)");
    auto r = Run({"record", "edit", "T03Cursos", "1", "DescripcionT03=Francés"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("ERROR El curso no está activo, no puede modificar\n"));
    EXPECT_EQ(Sql("SELECT DescripcionT03 FROM T03Cursos"),
              QStringLiteral("DescripcionT03\nInglés\n"));
}

TEST_F(CliEstado, TariffPricesAndBankOfficesAreCompletedAsTyped) {
    auto r = Run({"record", "insert", "T07TarifasPrecios", "CodigoTarifaT07=T1", "TPCIvaT07=21",
                  "ImporteConIVAT07=1210"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Sql("SELECT ImporteSinIVAT07 FROM T07TarifasPrecios"),
              QStringLiteral("ImporteSinIVAT07\n1000\n"));
    r = Run({"record", "insert", "T17FormasCobro", "CodFormaCobroT17=B", "AgenciaT17=12",
             "OficinaT17=123456"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Sql("SELECT AgenciaT17, OficinaT17, AcreedorPaisT17 FROM T17FormasCobro"),
              QStringLiteral("AgenciaT17\tOficinaT17\tAcreedorPaisT17\n0012\t1234\tEspaña\n"));
}

}  // namespace
