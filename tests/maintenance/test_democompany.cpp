#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include "cli/cmd_db.h"
#include "cli/commands.h"
#include "core/bancos.h"
#include "host/database.h"
#include "host/errors.h"
#include "maintenance/democompany.h"
#include "schema/schema.h"

namespace zmk {
namespace {

// Every value of every row of every table, in key order.
QByteArray Huella(TDataBaseZMK& db) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const schema::Table& t : schema::Tables()) {
        QSqlQuery q = db.Query("SELECT * FROM " + t.name + " ORDER BY rowid");
        while (q.next()) {
            for (int i = 0; i < q.record().count(); ++i)
                hash.addData((q.value(i).toString() + QChar(0x1f)).toUtf8());
            hash.addData("\n");
        }
    }
    return hash.result();
}

int Scalar(TDataBaseZMK& db, const QString& sql) {
    QSqlQuery q = db.Query(sql);
    return q.next() ? q.value(0).toInt() : -1;
}

bool LetraNIFValida(const QString& nif) {
    static const QString letras = "TRWAGMYFPDXBNJZSQVHLCKE";
    if (nif.size() != 9) return false;
    bool ok = false;
    int numero = nif.left(8).toInt(&ok);
    return ok && nif[8] == letras[numero % 23];
}

class DemoCompany : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        path_ = dir_->filePath("demo.db");
        summary_ = CrearEmpresaDemo(path_, DemoOptions{300, 7});
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override { db_ = TDataBaseZMK::Open(path_); }
    int Count(const QString& sql) { return Scalar(*db_, sql); }

    static QTemporaryDir* dir_;
    static QString path_;
    static DemoSummary summary_;
    std::unique_ptr<TDataBaseZMK> db_;
};
QTemporaryDir* DemoCompany::dir_ = nullptr;
QString DemoCompany::path_;
DemoSummary DemoCompany::summary_;

TEST_F(DemoCompany, SizeAndSummaryMatchTheFile) {
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T01Alumnos"), 300);
    EXPECT_EQ(summary_.alumnos, 300);
    EXPECT_GE(Count("SELECT COUNT(*) FROM T20Centros"), 2);
    EXPECT_GE(Count("SELECT COUNT(*) FROM T03Cursos"), 6);
    EXPECT_GE(Count("SELECT COUNT(*) FROM T05Grupos"), 15);
    EXPECT_EQ(summary_.grupos, Count("SELECT COUNT(*) FROM T05Grupos"));
    EXPECT_EQ(summary_.matriculas, Count("SELECT COUNT(*) FROM T02Matriculas"));
    EXPECT_EQ(summary_.conceptos, Count("SELECT COUNT(*) FROM T14ConceptosMatricula"));
    EXPECT_EQ(summary_.profesores, Count("SELECT COUNT(*) FROM T04Profesores"));
    EXPECT_EQ(Count("SELECT COUNT(DISTINCT CodigoT01) FROM T01Alumnos WHERE CodigoT01 "
                    "BETWEEN 1 AND 300"),
              300);
    EXPECT_EQ(Count("SELECT ValorIntegerT99 FROM T99ParametrosAplicacion "
                    "WHERE NombreParametroT99='NuevoCodigoAlumno'"),
              301);
    EXPECT_EQ(Count("SELECT ValorIntegerT99 FROM T99ParametrosAplicacion "
                    "WHERE NombreParametroT99='PRMIDCentroActual'"),
              Count("SELECT MIN(IDCentroT20) FROM T20Centros"));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T22TiposIva WHERE TPCIvaT22 IN (21, 10, 4, 0)"), 4);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T18Series WHERE ActivaT18 AND NSiguienteFacturaT18=1"),
              Count("SELECT COUNT(*) FROM T20Centros"));

    QString resumen = ResumenEmpresa(*db_);
    EXPECT_TRUE(resumen.contains("Escolia Centro")) << resumen.toStdString();
    EXPECT_TRUE(resumen.contains("Alumnos: 300")) << resumen.toStdString();
}

TEST_F(DemoCompany, BankDataAndIdentifiersAreValid) {
    QSqlQuery q = db_->Query(
        "SELECT NIFT01, DNIPadreT01, DNIMadreT01, NIFTitularCuentaT01, IBANT01, BICT01, "
        "ReferenciaMandatoT01, FechaMandatoT01, IDFormaCobroT01, UsaNorma19T17 "
        "FROM T01Alumnos LEFT JOIN T17FormasCobro ON IDFormaCobroT01=IDFormaCobroT17");
    int domiciliados = 0;
    while (q.next()) {
        for (int i = 0; i < 4; ++i) {
            QString nif = q.value(i).toString();
            if (!nif.isEmpty()) {
                EXPECT_TRUE(LetraNIFValida(nif)) << nif.toStdString();
            }
        }
        EXPECT_TRUE(LetraNIFValida(q.value(0).toString()));
        QString iban = q.value(4).toString();
        if (!q.value(9).toBool()) {
            EXPECT_TRUE(iban.isEmpty());
            continue;
        }
        ++domiciliados;
        EXPECT_EQ(ValidarIBAN(iban), kIBANValido) << iban.toStdString();
        EXPECT_TRUE(iban.startsWith("ES"));
        EXPECT_EQ(q.value(5).toString(), BuscarBIC(CodigoEntidadIBAN(iban)));
        EXPECT_FALSE(q.value(5).toString().isEmpty());
        EXPECT_EQ(q.value(6).toString().size(), 16);
        EXPECT_FALSE(q.value(7).isNull());
        EXPECT_TRUE(LetraNIFValida(q.value(3).toString()));
    }
    EXPECT_GT(domiciliados, 200);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T01Alumnos WHERE LENGTH(CPPoblacionT01) <> 5 OR "
                    "NombreCompletoT01 <> ApellidosT01 || ', ' || NombreT01 OR NOT ActivoT01"),
              0);

    QSqlQuery forma = db_->Query(
        "SELECT IBANT17, BICT17, AcreedorIdentificadorT17, NIFPresentadorT17, SufijoT17, "
        "AcreedorPaisT17, NombrePresentadorT17 FROM T17FormasCobro WHERE UsaNorma19T17");
    ASSERT_TRUE(forma.next());
    EXPECT_EQ(ValidarIBAN(forma.value(0).toString()), kIBANValido);
    EXPECT_FALSE(forma.value(1).toString().isEmpty());
    EXPECT_EQ(forma.value(2).toString(),
              IdentificadorAcreedorSEPA(forma.value(4).toString(), forma.value(3).toString()));
    EXPECT_EQ(forma.value(5).toString(), "ES");
    EXPECT_FALSE(forma.value(6).toString().isEmpty());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T17FormasCobro WHERE NOT UsaNorma19T17"), 2);
}

TEST_F(DemoCompany, EveryReferenceLeadsToARowOfTheSameCentre) {
    // Enrolments: their group and student exist and belong to the enrolment's centre.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T02Matriculas LEFT JOIN T05Grupos ON IDGrupoT02="
                    "IDGrupoT05 LEFT JOIN T01Alumnos ON IDAlumnoT02=IDAlumnoT01 "
                    "WHERE IDCentroT05 IS NOT IDCentroT02 OR IDCentroT01 IS NOT IDCentroT02"),
              0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T05Grupos LEFT JOIN T03Cursos ON IDCursoT05=IDCursoT03 "
                    "LEFT JOIN T04Profesores ON IDProfesorT05=IDProfesorT04 "
                    "WHERE IDCentroT03 IS NOT IDCentroT05 OR IDProfesorT04 IS NULL"),
              0);
    // Siblings are students of the same centre.
    EXPECT_GT(Count("SELECT COUNT(*) FROM T01Alumnos WHERE IDAlumnoRelacionadoT01 IS NOT NULL"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T01Alumnos A LEFT JOIN T01Alumnos B "
                    "ON A.IDAlumnoRelacionadoT01=B.IDAlumnoT01 WHERE A.IDAlumnoRelacionadoT01 "
                    "IS NOT NULL AND (B.IDCentroT01 IS NOT A.IDCentroT01 OR "
                    "B.ApellidosT01 IS NOT A.ApellidosT01)"),
              0);
    // Course concepts have no parent; each enrolment has one copy of each concept of its course.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula C JOIN T03Cursos "
                    "ON C.IDCursoT14=IDCursoT03 WHERE IDCentroT03 IS NOT C.IDCentroT14 "
                    "OR C.IDConcMatrPadreT14 IS NOT NULL OR C.IDMatriculaT14 IS NOT NULL"),
              0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula C "
                    "LEFT JOIN T14ConceptosMatricula P ON C.IDConcMatrPadreT14="
                    "P.IDConceptoMatriculaT14 LEFT JOIN T02Matriculas ON C.IDMatriculaT14="
                    "IDMatriculaT02 LEFT JOIN T05Grupos ON IDGrupoT02=IDGrupoT05 "
                    "WHERE C.IDCursoT14 IS NULL AND (P.IDCursoT14 IS NOT IDCursoT05 OR "
                    "IDCentroT02 IS NOT C.IDCentroT14 OR P.ImporteIvaIncluidoT14 IS NOT "
                    "C.ImporteIvaIncluidoT14 OR P.ConceptoT14 IS NOT C.ConceptoT14)"),
              0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T02Matriculas M, T14ConceptosMatricula P, T05Grupos "
                    "WHERE IDGrupoT02=IDGrupoT05 AND P.IDCursoT14=IDCursoT05 AND NOT EXISTS "
                    "(SELECT * FROM T14ConceptosMatricula C WHERE C.IDMatriculaT14="
                    "M.IDMatriculaT02 AND C.IDConcMatrPadreT14=P.IDConceptoMatriculaT14)"),
              0);
}

TEST_F(DemoCompany, AmountsFeesAndTimetables) {
    // Total = base + VAT to cents; fees every month September to June; one-off charges in
    // September only.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE ABS(ImporteIvaIncluidoT14 "
                    "- ROUND(BaseImponibleT14 * (1 + TPCIvaT14 / 100.0), 2)) > 0.00001 "
                    "OR BaseImponibleT14 <> ImporteBaseT14 OR UnidadesT14 <> 1 OR TPCDtoT14 <> 0"),
              0);
    EXPECT_GT(Count("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE EsCuotaT14"), 0);
    EXPECT_GT(Count("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE NOT EsCuotaT14"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE EsCuotaT14 AND NOT ("
                    "CobrarSeptiembreT14 AND CobrarOctubreT14 AND CobrarNoviembreT14 AND "
                    "CobrarDiciembreT14 AND CobrarEneroT14 AND CobrarFebreroT14 AND "
                    "CobrarMarzoT14 AND CobrarAbrilT14 AND CobrarMayoT14 AND CobrarJunioT14 AND "
                    "NOT CobrarJulioT14 AND NOT CobrarAgostoT14)"),
              0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T07TarifasPrecios WHERE ABS(ImporteConIVAT07 - "
                    "ROUND(ImporteSinIVAT07 * (1 + TPCIvaT07 / 100.0), 2)) > 0.00001"),
              0);
    // Timetables are times of day and every group has one.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T05Grupos WHERE DiasHorasTxtT05 IS NULL OR "
                    "COALESCE(LunesTHIT05, MartesTHIT05, ViernesTHIT05, LunesMHIT05, "
                    "MartesMHIT05, ViernesMHIT05) IS NULL"),
              0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM T05Grupos WHERE LunesTHIT05 >= 1 OR "
                    "LunesTHFT05 <= LunesTHIT05 OR LENGTH(NombreT05) > 50"),
              0);
}

TEST(DemoCompanyGeneration, SameSeedSameDatabaseAndOtherSeedAnother) {
    QTemporaryDir dir;
    CrearEmpresaDemo(dir.filePath("a.db"), DemoOptions{40, 3});
    CrearEmpresaDemo(dir.filePath("b.db"), DemoOptions{40, 3});
    CrearEmpresaDemo(dir.filePath("c.db"), DemoOptions{40, 4});
    auto a = TDataBaseZMK::Open(dir.filePath("a.db"));
    auto b = TDataBaseZMK::Open(dir.filePath("b.db"));
    auto c = TDataBaseZMK::Open(dir.filePath("c.db"));
    EXPECT_EQ(Huella(*a), Huella(*b));
    EXPECT_NE(Huella(*a), Huella(*c));
    EXPECT_EQ(Scalar(*a, "SELECT COUNT(*) FROM T01Alumnos"), 40);
    EXPECT_GE(Scalar(*a, "SELECT COUNT(*) FROM T05Grupos"), 15);
}

TEST(DemoCompanyGeneration, RefusesAnExistingFileAndLeavesItAlone) {
    QTemporaryDir dir;
    QString path = dir.filePath("ya.db");
    CrearEmpresaDemo(path, DemoOptions{5, 1});
    QByteArray before;
    {
        auto db = TDataBaseZMK::Open(path);
        before = Huella(*db);
    }
    EXPECT_THROW(CrearEmpresaDemo(path, DemoOptions{5, 2}), EZMKError);
    auto db = TDataBaseZMK::Open(path);
    EXPECT_EQ(Huella(*db), before);
}

struct CliRun {
    int status = -1;
    QString out, err;
};

CliRun RunDb(const QStringList& args, const QString& dbPath = QString()) {
    static bool registered = false;
    if (!registered) cli::RegisterDbCommands();
    registered = true;
    CliRun r;
    QTextStream out(&r.out), err(&r.err), in(stdin);
    cli::CliContext ctx{dbPath, std::nullopt, args.mid(1), &out, &err, &in};
    r.status = cli::RunCommand(args.first(), ctx);
    return r;
}

TEST(DemoCompanyCli, CreatesDemoAndEmptyFilesAndChecksArguments) {
    QTemporaryDir dir;
    QString demo = dir.filePath("demo.db");
    CliRun r = RunDb({"demo", demo, "--students", "12", "--seed", "5"});
    EXPECT_EQ(r.status, cli::kExitOk);
    EXPECT_TRUE(r.out.contains("Alumnos: 12")) << r.out.toStdString();
    EXPECT_THROW(RunDb({"demo", demo}), EZMKError);

    QString vacia = dir.filePath("vacia.db");
    r = RunDb({"db", "create", vacia});
    EXPECT_EQ(r.status, cli::kExitOk);
    EXPECT_EQ(r.out.trimmed(), vacia);
    auto db = TDataBaseZMK::Open(vacia);
    EXPECT_EQ(Scalar(*db, "SELECT COUNT(*) FROM T01Alumnos"), 0);
    EXPECT_EQ(Scalar(*db, "SELECT NumeroVersion FROM TZMKVersionInfo"), 4);

    EXPECT_THROW(RunDb({"demo", dir.filePath("x.db"), "--students", "0"}), cli::UsageError);
    EXPECT_THROW(RunDb({"demo", dir.filePath("x.db"), "--seed"}), cli::UsageError);
    EXPECT_THROW(RunDb({"demo"}), cli::UsageError);
    EXPECT_THROW(RunDb({"db", "crear", vacia}), cli::UsageError);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.db")));
}

}  // namespace
}  // namespace zmk
