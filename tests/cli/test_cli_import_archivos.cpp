// escolia-cli import students from a spreadsheet saved by LibreOffice and from an Access
// database, into a company: the typed values (numbers, dates, texts in several scripts) land in
// the students' columns (dates as the database keeps them, days since 30/12/1899).
#include <gtest/gtest.h>

#include "tests/support/cliempresa.h"

namespace {

class CliImportArchivos : public zmk::test::CliEmpresa {
  protected:
    QString Alumnos(const char* columnas) {
        return Run({"sql", QStringLiteral("SELECT group_concat(%1, '|') FROM (SELECT * FROM "
                                          "T01Alumnos ORDER BY CodigoT01)")
                               .arg(QLatin1String(columnas))})
            .out.trimmed()
            .section(u'\n', -1);
    }
};

TEST_F(CliImportArchivos, StudentsFromAnXlsxSavedByLibreOffice) {
    const QString archivo = QStringLiteral(ESCOLIA_SOURCE_DIR "/tests/data/lectores/alumnos.xlsx");
    auto r = Run({"import", "students", archivo, "--map", "Poblacion=Población"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Importados 3 alumnos")) << r.out.toStdString();
    EXPECT_EQ(Alumnos("CodigoT01 || ':' || NombreCompletoT01 || ':' || CAST(FechaNacT01 AS "
                      "INTEGER) || ':' || "
                      "PoblacionT01"),
              QStringLiteral("101:Núñez Peña, María José:40602:L'Hospitalet de Llobregat|"
                             "102:Ferrer i Solà, Jordi:40178:Girona|"
                             "103:Çelik Öztürk, Ångström:36161:A Coruña"));
}

TEST_F(CliImportArchivos, StudentsFromAnAccessDatabase) {
    const QString archivo =
        QStringLiteral(ESCOLIA_SOURCE_DIR "/tests/data/lectores/usuarios-jet4.mdb");
    auto r = zmk::test::RunCli({"import", "tables", archivo});
    EXPECT_EQ(r.out.trimmed(),
              "Users (3 registros): UserId, UserName, UserSex, UserBirthday, UserMarried");
    r = Run({"import", "students", archivo, "--table", "Users", "--map", "Codigo=UserId", "--map",
             "Nombre=UserName", "--map", "Sexo=UserSex", "--map", "FechaNacimiento=UserBirthday"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Alumnos("CodigoT01 || ':' || NombreT01 || ':' || SexoT01 || ':' || CAST(FechaNacT01 "
                      "AS INTEGER)"),
              QStringLiteral("1:Nuintun:Male:32533|2:Angela:Female:32495|"
                             "3:张三:男:31764"));
}

}  // namespace
