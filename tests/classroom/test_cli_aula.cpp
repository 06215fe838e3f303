// Bulletins and absences through escolia-cli, on a company file built by hand.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "schema/schema.h"
#include "tests/support/testdb.h"

using zmk::test::RunCli;

namespace {

class CliAula : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString db;
    void SetUp() override {
        db = dir.filePath(QStringLiteral("empresa.db"));
        zmk::schema::CreateCompanyDatabase(db);
        for (const char* sql :
             {"INSERT INTO T20Centros (CodigoCentroT20, ActivoT20) VALUES ('C1', 1)",
              "INSERT INTO T03Cursos (IDCentroT03, DescripcionT03, ActivoT03) VALUES (1, 'B1', 1)",
              // Monday morning 09:00-13:00.
              "INSERT INTO T05Grupos (IDCentroT05, IDCursoT05, CodigoT05, NombreT05, ActivoT05, "
              "LunesMHIT05, LunesMHFT05) VALUES (1, 1, 'G1', 'Mañanas', 1, 0.375, 0.5416666667)",
              "INSERT INTO T01Alumnos (IDCentroT01, NombreCompletoT01, ActivoT01) VALUES (1, "
              "'Ana Gil', 1)",
              "INSERT INTO T02Matriculas (IDCentroT02, IDAlumnoT02, IDGrupoT02, ActivaT02) VALUES "
              "(1, 1, 1, 1)"})
            Sql(sql);
    }
    // The answers go before the command, as escolia-cli's options do.
    zmk::test::CliResult Run(QStringList args, const QStringList& answers = {}) {
        QStringList all{QStringLiteral("--db"), db, QStringLiteral("--centre"),
                        QStringLiteral("1")};
        for (const QString& a : answers) all << QStringLiteral("--answer") << a;
        return RunCli(all + args);
    }
    QString Sql(const char* sql) {
        return RunCli({QStringLiteral("--db"), db, QStringLiteral("sql"), QString::fromUtf8(sql)})
            .out;
    }
};

TEST_F(CliAula, AbsencesAreAddedInTheDialogsOrderAndOverlapsRefused) {
    auto r = Run({"proc", "FALTAS_NUEVA_FALTA", "--query", "T02Matriculas:1"},
                 {"2026-10-12", "manana", "12:00", "10:00"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM T26FaltasAsistencia WHERE DHInicioFaltaT26 < "
                  "DHFinalFaltaT26"),
              QStringLiteral("COUNT(*)\n1\n"));
    r = Run({"proc", "FALTAS_NUEVA_FALTA", "--query", "T02Matriculas:1"},
            {"2026-10-12", "ok", "ok", "ok"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("ERROR Esta matrícula ya tiene una falta")));
    r = Run({"proc", "FALTAS_BORRA_FALTA", "--query", "T02Matriculas:1"},
            {"2026-10-12", "1", "no"});
    EXPECT_EQ(r.status, 3);
    r = Run({"proc", "FALTAS_BORRA_FALTA", "--query", "T02Matriculas:1"},
            {"2026-10-12", "1", "yes"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM T26FaltasAsistencia"), QStringLiteral("COUNT(*)\n0\n"));
}

TEST_F(CliAula, BulletinFromAFormatGradedAndLocked) {
    Sql("INSERT INTO T23FormatosBoletinesNotas (DescripcionT23, NombreConc1T23, ValoresConc1T23) "
        "VALUES ('Trimestral', 'Inglés', '{Oral|Escrito}{A|B|C}')");
    auto r = Run({"record", "insert", "T24BoletinesNotas", "IDCursoT24=1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = Run({"proc", "IMPORTAR_FORMATO_BOLETIN", "--query", "T24BoletinesNotas:1"}, {"ok", "yes"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Sql("SELECT NombreConc1T24, ValoresConc1T24 FROM T24BoletinesNotas"),
              QStringLiteral("NombreConc1T24\tValoresConc1T24\nInglés\t{Oral|Escrito}{A|B|C}\n"));
    r = Run({"record", "edit", "T25NotasBoletin", "1", "ValorConc1T25=A|B="});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = Run({"proc", "CAMBIO_BLOQUEADO_BOLETIN", "--query", "T24BoletinesNotas:1"}, {"yes"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = Run({"record", "edit", "T25NotasBoletin", "1", "ValorConc1T25=C|C"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("ERROR El boletín de notas está BLOQUEADO, no puede modificar "
                                    "la información\n"));
    EXPECT_EQ(Sql("SELECT ValorConc1T25 FROM T25NotasBoletin"),
              QStringLiteral("ValorConc1T25\nA|B\n"));
    r = Run({"report", "pdf", "104", "", dir.filePath(QStringLiteral("boletin.pdf"))});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
}

}  // namespace
