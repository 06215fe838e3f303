// escolia-cli mass-delete: key words, the forced boxes, the final question and its exit status.
#include <gtest/gtest.h>

#include "tests/support/cliempresa.h"

namespace {

class CliBorradoMasivo : public zmk::test::CliEmpresa {
  protected:
    void SetUp() override {
        CliEmpresa::SetUp();
        for (const char* sql :
             {"INSERT INTO T01Alumnos (IDCentroT01, NombreT01) VALUES (1, 'A')",
              "INSERT INTO T02Matriculas (IDCentroT02, IDAlumnoT02) VALUES (1, 1)"})
            ASSERT_EQ(Run({"sql", sql}).status, 0);
    }
    QString Cuenta() {
        return Run({"sql",
                    "SELECT (SELECT COUNT(*) FROM T01Alumnos) || '/' || (SELECT COUNT(*) "
                    "FROM T02Matriculas)"})
            .out.trimmed();
    }
};

TEST_F(CliBorradoMasivo, StudentsTakeTheirEnrolmentsOnlyWhenAccepted) {
    auto r = Run({"mass-delete", "alumnos"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Operación abortada")) << r.err.toStdString();
    EXPECT_TRUE(Cuenta().endsWith("1/1")) << Cuenta().toStdString();
    r = Run({"--answer", "yes", "mass-delete", "alumnos"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("matriculas,alumnos")) << r.out.toStdString();
    EXPECT_TRUE(Cuenta().endsWith("0/0")) << Cuenta().toStdString();
}

TEST_F(CliBorradoMasivo, UnknownBoxIsAUsageErrorAndTeachersRefusedDeleteNothing) {
    EXPECT_EQ(Run({"--answer", "yes", "mass-delete", "alumnos,todo"}).status, 2);
    auto r = Run({"--answer", "no", "mass-delete", "profesores"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Cuenta().endsWith("1/1"));
}

}  // namespace
