// Saving a record with a wrong NIF, IBAN, e-mail or sex says which field and why; only a
// direct-debit student's wrong IBAN, which billing refuses anyway, stops the save.
#include <gtest/gtest.h>

#include "rules/avisosguardado.h"
#include "rules/fuentesdatos.h"
#include "tests/rules/test_estado_datos.h"

using namespace zmk;

namespace {

class AvisosGuardado : public test::DatosEstado {
  protected:
    AvisosGuardado() { RegisterAvisosGuardado(); }
};

TEST(ProblemasIdentificadores, NifNieAndEMail) {
    EXPECT_EQ(ProblemaNIF(QStringLiteral("12345678Z")), QString());
    EXPECT_EQ(ProblemaNIF(QStringLiteral(" 12.345.678-z ")), QString());
    EXPECT_EQ(ProblemaNIF(QStringLiteral("12345678A")),
              QStringLiteral("la letra del NIF \"12345678A\" no es correcta: le corresponde la Z"));
    EXPECT_EQ(ProblemaNIF(QStringLiteral("12345678")),
              QStringLiteral("al NIF \"12345678\" le falta la letra (Z)"));
    EXPECT_EQ(ProblemaNIF(QStringLiteral("X1234567L")), QString());
    EXPECT_TRUE(ProblemaNIF(QStringLiteral("X1234567A")).contains(QStringLiteral("la L")));
    EXPECT_EQ(ProblemaNIF(QStringLiteral("B12345678")), QString());  // a company's CIF
    EXPECT_EQ(ProblemaNIF(QStringLiteral("ABC")),
              QStringLiteral("\"ABC\" no tiene la forma de un NIF"));
    EXPECT_EQ(ProblemaNIF(QString()), QString());

    EXPECT_EQ(ProblemaEMail(QStringLiteral("ana.gil@correo.es")), QString());
    EXPECT_EQ(ProblemaEMail(QStringLiteral("ana@@correo.es")),
              QStringLiteral("\"ana@@correo.es\" debe llevar una sola \"@\""));
    EXPECT_EQ(ProblemaEMail(QStringLiteral("ana.gil.correo.es")),
              QStringLiteral("\"ana.gil.correo.es\" debe llevar una sola \"@\""));
    EXPECT_TRUE(ProblemaEMail(QStringLiteral("ana@correo")).contains(QStringLiteral("dominio")));
    EXPECT_TRUE(ProblemaEMail(QStringLiteral("@correo.es")).contains(QStringLiteral("dominio")));
}

TEST_F(AvisosGuardado, AStudentIsSavedWithTheWarningsOfItsFields) {
    Exec(
        "INSERT INTO T17FormasCobro (IDFormaCobroT17, DescFormaCobroT17, UsaNorma19T17) "
        "VALUES (1, 'Efectivo', 0), (2, 'Domiciliación', 1)");
    const int id = Alumno(1, 5);
    auto ds = Pantalla(QStringLiteral("T01Alumnos"), fuente::kAlumnos,
                       QStringLiteral("IDAlumnoT01=%1").arg(id));
    ds->Edit();
    ds->FieldByName(QStringLiteral("NIFT01")).SetValue(QStringLiteral("12345678A"));
    ds->FieldByName(QStringLiteral("IBANT01")).SetValue(QStringLiteral("ES0000000000000000000000"));
    ds->FieldByName(QStringLiteral("EMailT01")).SetValue(QStringLiteral("ana.correo.es"));
    ds->FieldByName(QStringLiteral("SexoT01")).SetValue(QStringLiteral("X"));
    ds->FieldByName(QStringLiteral("IDFormaCobroT01")).SetValue(1);
    ds->Post();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT NIFT01 || SexoT01 FROM T01Alumnos")).toString(),
              QStringLiteral("12345678AX"));
    ASSERT_EQ(tdb.prompt().Log().size(), 1);
    const QString aviso = tdb.prompt().Log().first();
    EXPECT_TRUE(aviso.startsWith(QStringLiteral("WARNING "))) << aviso.toStdString();
    for (const char* linea : {"NIF: la letra del NIF", "Código IBAN: ", "eMail: \"ana.correo.es\"",
                              "Sexo: \"X\" no es un valor admitido"})
        EXPECT_TRUE(aviso.contains(QString::fromUtf8(linea))) << linea << aviso.toStdString();

    // Paid by direct debit the same IBAN stops the save, and says what to do.
    ds->Edit();
    ds->FieldByName(QStringLiteral("IDFormaCobroT01")).SetValue(2);
    const QString error = test::ErrorMessage([&] { ds->Post(); });
    EXPECT_TRUE(error.startsWith(QStringLiteral("El alumno se cobra por domiciliación bancaria")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("Corrija el IBAN o cambie la forma de cobro")));
    ds->Cancel();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT IDFormaCobroT01 FROM T01Alumnos")).toInt(), 1);

    // Good data: no word.
    ds->Edit();
    ds->FieldByName(QStringLiteral("NIFT01")).SetValue(QStringLiteral("12345678Z"));
    ds->FieldByName(QStringLiteral("IBANT01")).SetValue(QStringLiteral("ES9121000418450200051332"));
    ds->FieldByName(QStringLiteral("EMailT01")).SetValue(QStringLiteral("ana@correo.es"));
    ds->FieldByName(QStringLiteral("SexoT01")).SetValue(QStringLiteral("m"));
    ds->FieldByName(QStringLiteral("IDFormaCobroT01")).SetValue(2);
    ds->Post();
    EXPECT_EQ(tdb.prompt().Log().size(), 1);
}

}  // namespace
