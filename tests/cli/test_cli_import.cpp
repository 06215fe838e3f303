// escolia-cli import: the tables of a file, --map with a column, a fixed value and "-", --rows,
// and the exit statuses of a refused, a declined and an accepted run.
#include <gtest/gtest.h>

#include <QFile>

#include "tests/support/cliempresa.h"

namespace {

class CliImport : public zmk::test::CliEmpresa {
  protected:
    QString datos;
    void SetUp() override {
        CliEmpresa::SetUp();
        datos = dir.filePath(QStringLiteral("alumnos.csv"));
        QFile f(datos);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Num;Nombre;Apellidos;Ciudad\n7;Ana;Pérez;Xàtiva\n9;Luis;Gil;Alzira\n");
    }
    QString Alumnos() {
        return Run({"sql",
                    "SELECT group_concat(CodigoT01 || ':' || NombreCompletoT01 || ':' || "
                    "IFNULL(PoblacionT01,'') || ':' || IFNULL(ProvinciaT01,''), '|') FROM "
                    "T01Alumnos"})
            .out.trimmed()
            .section(u'\n', -1);
    }
};

TEST_F(CliImport, TablesAndMappedImport) {
    auto r = zmk::test::RunCli({"import", "tables", datos});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), "alumnos#csv (2 registros): Num, Nombre, Apellidos, Ciudad");
    r = Run({"import", "students", datos, "--map", "Codigo=Num", "--map", "PoblacionT01=Ciudad",
             "--map", "Provincia=\"Valencia\"", "--map", "Apellidos=-", "--rows", "2"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Alumnos(), "9:, Luis:Alzira:Valencia") << Alumnos().toStdString();
}

TEST_F(CliImport, RefusalsAndTheFinalQuestion) {
    EXPECT_EQ(Run({"import", "students", datos, "--map", "Nada=Num"}).status, 2);
    EXPECT_EQ(Run({"import", "students", datos, "--map", "Codigo=Falta"}).status, 1);
    EXPECT_EQ(Run({"import", "students", datos, "--rows", "5"}).status, 1);
    EXPECT_EQ(Run({"--answer", "no", "import", "students", datos}).status, 3);
    EXPECT_EQ(Alumnos(), "NULL");
    auto r = Run({"import", "students", datos, "--map", "Codigo=Num"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    r = Run({"import", "students", datos, "--map", "Codigo=Num"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Ya existe otro alumno con el código 7")) << r.err.toStdString();
}

TEST_F(CliImport, CheckListsTheRowsSavesTheListAndWritesNothing) {
    ASSERT_EQ(Run({"import", "students", datos, "--map", "Codigo=Num"}).status, 0);
    const QString antes = Alumnos();
    const QString csv = dir.filePath(QStringLiteral("revision.csv"));
    auto r = Run({"import", "students", datos, "--map", "Codigo=Num", "--map", "Nombre=-", "--rows",
                  "2", "--check-csv", csv});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.section(u'\n', 0, 2),
              "Registro 2: código 9, Gil, \n"
              "  ERROR Código del alumno: Ya existe otro alumno con el código 9\n"
              "  AVISO Nombre: el alumno no tendrá nombre")
        << r.out.toStdString();
    EXPECT_TRUE(
        r.out.contains("Comprobados 1 registros: 1 con avisos, 1 detendrían la "
                       "importación. No se ha escrito nada en la base de datos."))
        << r.out.toStdString();
    EXPECT_EQ(Alumnos(), antes);
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count('\n'), 3);
    // --check-csv needs its file name.
    EXPECT_EQ(Run({"import", "students", datos, "--check-csv"}).status, 2);
}

}  // namespace
