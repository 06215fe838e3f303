// Charge concepts and duplication through escolia-cli, as a user of the headless host would
// drive them.
#include "rules/conceptos.h"
#include "tests/rules/test_conceptos_datos.h"

namespace zmk::test {
namespace {

class CliConceptos : public DatosConceptos {
  protected:
    CliConceptos() {
        curso = Curso("Inglés");
        grupo = Grupo(curso, "Mañanas");
        for (int i = 0; i < 3; ++i) matriculas << Matricula(grupo);
        Grupo(curso, "Antiguo", false);
    }
    CliResult Cli(QStringList args) {
        return RunCli(QStringList{"--db", tdb.path(), "--centre", "1"} + args);
    }

    int curso = 0, grupo = 0;
    QList<int> matriculas;
};

TEST_F(CliConceptos, CourseConceptCopiesTakeTheirOwnDiscountAndCannotBeDeleted) {
    auto r = Cli({"record", "insert", "T14ConceptosMatricula", "IDCentroT14=1",
                  QStringLiteral("IDCursoT14=%1").arg(curso), "ConceptoT14=Cuota",
                  "ImporteBaseT14=100", "TPCIvaT14=21"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    int padre = r.out.trimmed().toInt();
    ASSERT_EQ(Copias(padre), 3);
    int copia = Copia(padre, matriculas[0]);
    EXPECT_EQ(Campo(copia, "ImporteIvaIncluidoT14"), C("121"));

    r = Cli({"record", "edit", "T14ConceptosMatricula", QString::number(copia), "TPCDtoT14=10"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Campo(copia, "BaseImponibleT14"), C("90"));
    EXPECT_EQ(Campo(copia, "ImporteIvaIncluidoT14"), C("108.9"));

    // Editing the parent refreshes the copies; the discounted one keeps its discount.
    r = Cli(
        {"record", "edit", "T14ConceptosMatricula", QString::number(padre), "ImporteBaseT14=200"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Campo(copia, "BaseImponibleT14"), C("180"));
    EXPECT_EQ(Campo(copia, "ImporteIvaIncluidoT14"), C("217.8"));
    EXPECT_EQ(Campo(Copia(padre, matriculas[1]), "ImporteIvaIncluidoT14"), C("242"));

    const QString antes = tdb.Dump();
    r = Cli({"record", "delete", "T14ConceptosMatricula", QString::number(copia)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Este concepto es heredado y no se puede eliminar"))
        << r.err.toStdString();
    EXPECT_EQ(tdb.Dump(), antes);
}

TEST_F(CliConceptos, TariffRepricingReachesDiscountedCopies) {
    Exec(
        "INSERT INTO T07TarifasPrecios (IDCentroT07, ImporteSinIVAT07, TPCIvaT07, "
        "ImporteConIVAT07) VALUES (1, 50, 21, 60.5)");
    int tarifa = Id("T07TarifasPrecios", "IDTarifaPreciosT07");
    int padre = Concepto("IDCursoT14", curso, QStringLiteral("IDTarifaPreciosT14=%1").arg(tarifa));
    CrearConceptosHeredados(curso, 0);
    int copia = Copia(padre, matriculas[0]);
    Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET TPCDtoT14=10 WHERE "
                        "IDConceptoMatriculaT14=%1")
             .arg(copia));

    auto r = Cli({"--answer", "yes", "record", "edit", "T07TarifasPrecios", QString::number(tarifa),
                  "ImporteSinIVAT07=100"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Campo(padre, "ImporteIvaIncluidoT14"), C("121"));
    EXPECT_EQ(Campo(copia, "BaseImponibleT14"), C("90"));
    EXPECT_EQ(Campo(copia, "ImporteIvaIncluidoT14"), C("108.9"));
}

TEST_F(CliConceptos, DuplicatingACourseWithOptionsOrRefusingIt) {
    Concepto("IDCursoT14", curso);
    CrearConceptosHeredados(curso, 0);
    // Opening the company declares its options once; what follows must change nothing more.
    Cli({"param", "get", "NuevoCodigoAlumno"});
    const QString antes = tdb.Dump();
    const QStringList proc{"proc", "DUPLICAR_CURSO", "--query",
                           QStringLiteral("T03Cursos:%1").arg(curso)};

    auto r = Cli(QStringList{"--answer", "no"} + proc + QStringList{"OPCIONES=grupos,matriculas"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(tdb.Dump(), antes);

    r = Cli(QStringList{"--answer", "yes"} + proc + QStringList{"OPCIONES=grupos,pagos"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("pagos")) << r.err.toStdString();
    EXPECT_EQ(tdb.Dump(), antes);

    r = Cli(QStringList{"--answer", "yes"} + proc +
            QStringList{"OPCIONES=grupos,matriculas,conceptoscurso"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("El curso se ha duplicado según las opciones indicadas"));
    int nuevo = Id("T03Cursos", "IDCursoT03");
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T05Grupos WHERE IDCursoT05=%1 AND "
                                   "NombreT05='XMañanas'")
                        .arg(nuevo)),
              1);
    EXPECT_EQ(
        Count(QStringLiteral("SELECT COUNT(*) FROM T05Grupos WHERE IDCursoT05=%1").arg(nuevo)), 1);
    // Three new enrolments, each with its copy of the new course's concept.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE "
                                   "IDConcMatrPadreT14 IN (SELECT IDConceptoMatriculaT14 FROM "
                                   "T14ConceptosMatricula WHERE IDCursoT14=%1)")
                        .arg(nuevo)),
              3);

    // Without OPCIONES each box is a question: groups no, course concepts no, then confirm.
    r = Cli(QStringList{"--answer", "no", "--answer", "no", "--answer", "yes"} + proc);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T03Cursos"), 3);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T05Grupos"), 3);
}

}  // namespace
}  // namespace zmk::test
