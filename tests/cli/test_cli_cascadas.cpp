// Scenarios of the activate/deactivate procedures and the screens' deletes through escolia-cli.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "schema/schema.h"
#include "tests/support/testdb.h"

using zmk::test::RunCli;

namespace {

class CliCascadas : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString db;
    void SetUp() override {
        db = dir.filePath(QStringLiteral("empresa.db"));
        zmk::schema::CreateCompanyDatabase(db);
        // A course with two groups of three enrolments, each with a copy of the course concept.
        for (const char* sql :
             {"INSERT INTO T20Centros (IDCentroT20, CodigoCentroT20, ActivoT20) VALUES (1, 'C1', "
              "1)",
              "INSERT INTO T03Cursos (IDCursoT03, IDCentroT03, CodigoT03, ActivoT03) VALUES (1, 1, "
              "'ING', 1)",
              "INSERT INTO T05Grupos (IDGrupoT05, IDCentroT05, IDCursoT05, CodigoT05, NombreT05, "
              "ActivoT05) VALUES (1, 1, 1, 'G1', 'Mañanas', 1), (2, 1, 1, 'G2', 'Tardes', 1)",
              "INSERT INTO T01Alumnos (IDAlumnoT01, IDCentroT01, ActivoT01) VALUES (1, 1, 1), (2, "
              "1, 1), (3, 1, 1), (4, 1, 1), (5, 1, 1), (6, 1, 1)",
              "INSERT INTO T02Matriculas (IDMatriculaT02, IDCentroT02, IDGrupoT02, IDAlumnoT02, "
              "ActivaT02) VALUES (1, 1, 1, 1, 1), (2, 1, 1, 2, 1), (3, 1, 1, 3, 1), (4, 1, 2, 4, "
              "1), (5, 1, 2, 5, 1), (6, 1, 2, 6, 1)",
              "INSERT INTO T14ConceptosMatricula (IDConceptoMatriculaT14, IDCentroT14, IDCursoT14, "
              "ActivoT14) VALUES (1, 1, 1, 1)",
              "INSERT INTO T14ConceptosMatricula (IDCentroT14, IDConcMatrPadreT14, IDMatriculaT14, "
              "ActivoT14) SELECT 1, 1, IDMatriculaT02, 1 FROM T02Matriculas"})
            ASSERT_EQ(Run({"sql", QString::fromUtf8(sql)}).status, 0) << sql;
    }
    zmk::test::CliResult Run(QStringList args) {
        args.prepend(db);
        args.prepend(QStringLiteral("--db"));
        return RunCli(args);
    }
    QString Sql(const QString& sql) { return Run({QStringLiteral("sql"), sql}).out; }
    // Every row of every table.
    QString Contenido() {
        QString all;
        for (const zmk::schema::Table& t : zmk::schema::Tables())
            all += Sql(QStringLiteral("SELECT * FROM ") + t.name + QStringLiteral(" ORDER BY 1"));
        return all;
    }
};

}  // namespace

TEST_F(CliCascadas, DeactivatingACourseWritesNineIncidencesOrNothingOnANo) {
    const QString antes = Contenido();
    auto r = Run({"--answer", "yes", "--answer", "no", "proc", "CAMBIO_ACTIVO_CURSO", "--query",
                  "T03Cursos:1"});
    EXPECT_EQ(r.status, 3) << r.err.toStdString();
    EXPECT_EQ(Contenido(), antes);

    r = Run({"--answer", "yes", "--answer", "yes", "proc", "CAMBIO_ACTIVO_CURSO", "--query",
             "T03Cursos:1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Sql("SELECT TituloT11, COUNT(*) FROM T11Incidencias GROUP BY TituloT11 ORDER BY 1"),
              QStringLiteral("TituloT11\tCOUNT(*)\n03-Baja del curso\t1\n05-Baja del Grupo\t2\n"
                             "07-Baja de la matrícula\t6\n"));
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM T14ConceptosMatricula"), QStringLiteral("COUNT(*)\n0\n"));
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM T02Matriculas WHERE ActivaT02"),
              QStringLiteral("COUNT(*)\n0\n"));

    // Activating a group of the now inactive course is refused.
    r = Run({"--answer", "yes", "proc", "CAMBIO_ACTIVA_CLASE", "--query", "T05Grupos:1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("El curso no está Activo, no puede realizar cambios")));
}

TEST_F(CliCascadas, DeletingAGroupKeepsItsEnrolmentsInactive) {
    auto r = Run({"--answer", "2", "record", "delete", "T05Grupos", "1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Sql("SELECT IDMatriculaT02 FROM T02Matriculas WHERE IDGrupoT02 IS NULL AND NOT "
                  "ActivaT02"),
              QStringLiteral("IDMatriculaT02\n1\n2\n3\n"));
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM T11Incidencias WHERE TituloT11='25-El grupo al que "
                  "pertenecía la matrícula se ha eliminado'"),
              QStringLiteral("COUNT(*)\n3\n"));
    EXPECT_EQ(Sql("SELECT COUNT(*) FROM T05Grupos"), QStringLiteral("COUNT(*)\n1\n"));
}

TEST_F(CliCascadas, AFailedDeleteChangesNothing) {
    ASSERT_EQ(Run({"sql",
                   "CREATE TRIGGER Falla BEFORE DELETE ON T14ConceptosMatricula BEGIN "
                   "SELECT RAISE(ABORT, 'bloqueado'); END"})
                  .status,
              0);
    const QString antes = Contenido();
    auto r = Run({"--answer", "yes", "record", "delete", "T01Alumnos", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("bloqueado")));
    EXPECT_EQ(Contenido(), antes);
}
