// The billing commands run as escolia-cli processes on a company built by hand: what each one
// leaves in the database, refusals that must leave it untouched, and two generation runs on the
// same series at the same time.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>

#include "tests/billing/test_generar_datos.h"

namespace zmk {
namespace {

class CliFacturacion : public ::testing::Test {
  protected:
    QStringList Global(const QStringList& respuestas) {
        QStringList a{QStringLiteral("--db"), t_.path(), QStringLiteral("--centre"),
                      QStringLiteral("1")};
        for (const QString& r : respuestas) a << QStringLiteral("--answer") << r;
        return a;
    }
    test::CliResult Run(const QStringList& args, const QStringList& respuestas = {}) {
        return test::RunCli(Global(respuestas) + args);
    }
    static QStringList Generar(const QString& mes = QStringLiteral("10")) {
        return {QStringLiteral("billing"),  QStringLiteral("generate"),
                QStringLiteral("--month"),  mes,
                QStringLiteral("--year"),   QStringLiteral("2025"),
                QStringLiteral("--date"),   QStringLiteral("2025-10-01"),
                QStringLiteral("--series"), QStringLiteral("1")};
    }
    QString Texto(const QString& sql) { return e_.Scalar(sql).toString(); }
    int Int(const QString& sql) { return e_.Int(sql); }
    // Every row of every table as text: what a refused run must leave as it found. The program
    // declares its options on the first opening of a company; that run goes first.
    QString Volcado() {
        if (!abierta_) {
            EXPECT_EQ(Run({QStringLiteral("sql"), QStringLiteral("SELECT 1")}).status, 0);
            abierta_ = true;
        }
        return test::DumpDatabase(t_.db());
    }

    test::TestDatabase t_;
    test::EmpresaFacturacion e_{t_};
    bool abierta_ = false;
};

TEST_F(CliFacturacion, GenerateWritesInvoicesAndBillingTheSameMonthAgainChangesNothing) {
    const int ana = e_.Alumno(QStringLiteral("Gil, Ana"));
    const int matriculaAna = e_.Matricula(ana);
    e_.Concepto(matriculaAna, QStringLiteral("Cuota"), 40);
    const int alta = e_.Concepto(matriculaAna, QStringLiteral("Matrícula"), 15, false);
    e_.Concepto(matriculaAna, QStringLiteral("Noviembre"), 99, true, 11);
    e_.Concepto(e_.Matricula(e_.Alumno(QStringLiteral("Roca, Pau"))), QStringLiteral("Cuota"), 10);

    const test::CliResult r = Run(Generar(), {QStringLiteral("yes")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("1\tA\t7\t101\t66.55\n2\tA\t8\t102\t12.10\n"));
    EXPECT_EQ(Int(QStringLiteral("SELECT COUNT(*) FROM T16FacturasCue")), 3);
    EXPECT_EQ(Int(QStringLiteral("SELECT NSiguienteFacturaT18 FROM T18Series")), 9);
    EXPECT_EQ(Texto(QStringLiteral("SELECT TPCIva1T15 || '|' || BaseImponible1T15 || '|' || "
                                   "ImporteIva1T15 || '|' || ImporteBasesImponiblesT15 FROM "
                                   "T15FacturasCab WHERE IDFacturaCabT15=1")),
              QStringLiteral("21.0|55.0|11.55|55.0"));
    // The one-off charge is billed once; the monthly fee stays active.
    EXPECT_EQ(Int(QStringLiteral("SELECT SUM(ActivoT14) FROM T14ConceptosMatricula WHERE "
                                 "IDConceptoMatriculaT14<=%1")
                      .arg(alta)),
              1);
    EXPECT_TRUE(Texto(QStringLiteral("SELECT Linea03T15 FROM T15FacturasCab WHERE "
                                     "IDFacturaCabT15=1"))
                    .startsWith(QStringLiteral("Cuota ")));
    EXPECT_EQ(Texto(QStringLiteral("SELECT ConceptoSEPAT15 FROM T15FacturasCab WHERE "
                                   "IDFacturaCabT15=2")),
              QStringLiteral("Cuota"));

    const QString antes = Volcado();
    const test::CliResult otra = Run(Generar(), {QStringLiteral("yes")});
    EXPECT_NE(otra.status, 0);
    EXPECT_TRUE(otra.err.contains(QStringLiteral("No se ha generado ninguna factura")))
        << otra.err.toStdString();
    EXPECT_EQ(Volcado(), antes);
}

TEST_F(CliFacturacion, ARefusalOrASepaStopInTheMiddleLeavesTheDatabaseUnchanged) {
    const int ana = e_.Alumno(QStringLiteral("Gil, Ana"));
    e_.Concepto(e_.Matricula(ana), QStringLiteral("Cuota"), 40);
    // Billed after Ana, with an IBAN whose control digits are wrong.
    const int pau =
        e_.Alumno(QStringLiteral("Roca, Pau"), QStringLiteral("ES0021000418450200051332"));
    e_.Concepto(e_.Matricula(pau), QStringLiteral("Cuota"), 10);
    const QString antes = Volcado();

    const test::CliResult sepa = Run(Generar(), {QStringLiteral("yes")});
    EXPECT_NE(sepa.status, 0);
    EXPECT_TRUE(sepa.err.contains(QStringLiteral("El código IBAN del alumno Roca, Pau")))
        << sepa.err.toStdString();
    EXPECT_EQ(Volcado(), antes);

    const test::CliResult no =
        Run(Generar() + QStringList{QStringLiteral("--students"), QString::number(ana)},
            {QStringLiteral("no")});
    // The user's No is an abort, not a failure; the program's message still shows.
    EXPECT_EQ(no.status, 3);
    EXPECT_TRUE(no.err.contains(QStringLiteral("CANCELLED Proceso cancelado")))
        << no.err.toStdString();
    EXPECT_EQ(Volcado(), antes);
}

// A centre named on the command line that does not exist (yet) is for that run only: the
// centre stored for the program stays.
TEST_F(CliFacturacion, ACentreThatDoesNotExistLeavesTheStoredOne) {
    const QString antes = Volcado();
    const test::CliResult r =
        test::RunCli({QStringLiteral("--db"), t_.path(), QStringLiteral("--centre"),
                      QStringLiteral("9"), QStringLiteral("sql"), QStringLiteral("SELECT 1")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Volcado(), antes);
}

TEST_F(CliFacturacion, OptionsAreCheckedBeforeTheDatabaseIsTouched) {
    e_.Concepto(e_.Matricula(e_.Alumno(QStringLiteral("Gil, Ana"))), QStringLiteral("Cuota"), 40);
    const QString antes = Volcado();
    auto generar = [](const QString& flag, const QString& valor) {
        QStringList a = Generar();
        const qsizetype i = a.indexOf(flag);
        if (i >= 0)
            a[i + 1] = valor;
        else
            a << flag << valor;
        return a;
    };
    const struct {
        QStringList args;
        int status;
        QString error;
    } casos[] = {
        {generar("--month", "13"), 2, "--month: se esperaba un número del 1 al 12, no '13'"},
        {generar("--month", "0"), 2, "--month: se esperaba un número del 1 al 12, no '0'"},
        {generar("--year", "20266"), 2, "--year: se esperaba un número del 1900 al 2100"},
        {generar("--date", "2025-02-30"), 2, "--date: se esperaba una fecha AAAA-MM-DD"},
        {generar("--date", "20251001"), 2, "--date: se esperaba una fecha AAAA-MM-DD"},
        {generar("--series", "-1"), 2, "--series: se esperaba un número entero mayor que 0"},
        {generar("--rows", "algunas"), 2, "--rows: all, current o selected"},
        {generar("--students", "999"), 1, "ERROR No existe el alumno 999"},
        {{"billing", "apply", "collect", "--invoices", "999"}, 1, "ERROR No existe la factura 999"},
        {{"settlements", "generate", "--months", "2025-13", "--date", "2025-10-31"},
         2,
         "--months: se esperaba AAAA-MM"},
        {{"settlements", "generate", "--from", "2025-10-31", "--to", "2025-10-01", "--date",
          "2025-10-31"},
         2,
         "--to no puede ser anterior a --from"},
    };
    for (const auto& c : casos) {
        const test::CliResult r = Run(c.args, {QStringLiteral("yes")});
        EXPECT_EQ(r.status, c.status) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.error)) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("syntax error"))) << r.err.toStdString();
    }
    EXPECT_EQ(Volcado(), antes);
}

TEST_F(CliFacturacion, ACollectionThatStopsHalfwaySaysWhatWasDoneAndFails) {
    for (const char* nombre : {"Gil, Ana", "Roca, Pau", "Vidal, Eva"})
        e_.Concepto(e_.Matricula(e_.Alumno(QString::fromUtf8(nombre))), QStringLiteral("Cuota"),
                    40);
    // The second invoice cannot be marked collected, as when another workstation holds the
    // database after the invoices were saved.
    e_.Exec(
        "CREATE TRIGGER cobro_imposible BEFORE UPDATE OF CobradaT15 ON T15FacturasCab WHEN "
        "NEW.IDFacturaCabT15=2 AND NEW.CobradaT15 BEGIN SELECT RAISE(ABORT, 'cobro imposible'); "
        "END");
    const test::CliResult r =
        Run(Generar() + QStringList{QStringLiteral("--collect")}, {QStringLiteral("yes")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("Se han guardado las 3 facturas, pero solo se han "
                                      "cobrado 1; las 2 restantes quedan sin cobrar")))
        << r.err.toStdString();
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("ERROR Se han creado 3 facturas y se han cobrado 1; "
                                      "quedan sin cobrar 2: 2,3")))
        << r.err.toStdString();
    EXPECT_EQ(Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab")), 3);
    EXPECT_EQ(Int(QStringLiteral("SELECT SUM(CobradaT15) FROM T15FacturasCab")), 1);
}

TEST_F(CliFacturacion, ApplyCollectsReturnsCancelsAndDeletes) {
    QList<int> conceptos;
    for (int i = 0; i < 3; ++i)
        conceptos << e_.Concepto(e_.Matricula(e_.Alumno(QStringLiteral("Alumno %1").arg(i))),
                                 QStringLiteral("Matrícula"), 10 * (i + 1), false);
    ASSERT_EQ(Run(Generar(), {QStringLiteral("yes")}).status, 0);
    auto campo = [&](const char* nombre, int id) {
        return Int(QStringLiteral("SELECT %1 FROM T15FacturasCab WHERE IDFacturaCabT15=%2")
                       .arg(QLatin1String(nombre))
                       .arg(id));
    };
    auto aplicar = [&](const QStringList& args, const QStringList& respuestas) {
        const test::CliResult r =
            Run(QStringList{QStringLiteral("billing"), QStringLiteral("apply")} + args, respuestas);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return r.out;
    };

    EXPECT_EQ(
        aplicar({QStringLiteral("collect"), QStringLiteral("--invoices"), QStringLiteral("1,2"),
                 QStringLiteral("--date"), QStringLiteral("2025-10-05")},
                {QStringLiteral("yes")}),
        QStringLiteral("2\n"));
    EXPECT_EQ(campo("CobradaT15", 1), 1);
    EXPECT_EQ(campo("CobradaT15", 2), 1);
    EXPECT_EQ(campo("CobradaT15", 3), 0);
    // 2025-10-05 is day 45935.
    EXPECT_EQ(campo("FechaCobroT15", 1), 45935);

    aplicar({QStringLiteral("return"), QStringLiteral("--invoices"), QStringLiteral("1"),
             QStringLiteral("--date"), QStringLiteral("2025-10-20")},
            {QStringLiteral("yes")});
    EXPECT_EQ(campo("DevueltaT15", 1), 1);
    // The pending copy keeps the number and waits for review.
    EXPECT_EQ(campo("NumeroT15", 4), campo("NumeroT15", 1));
    EXPECT_EQ(campo("CobradaT15", 4), 0);
    EXPECT_EQ(campo("PteRevisarT15", 4), 1);
    EXPECT_EQ(Int(QStringLiteral("SELECT COUNT(*) FROM T16FacturasCue WHERE IDFacturaCabT16=4")),
              1);

    aplicar({QStringLiteral("cancel-return"), QStringLiteral("--invoices"), QStringLiteral("1")},
            {QStringLiteral("yes"), QStringLiteral("yes")});
    EXPECT_EQ(campo("DevueltaT15", 1), 0);
    EXPECT_EQ(campo("CobradaT15", 1), 1);
    EXPECT_EQ(Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab")), 4);

    aplicar({QStringLiteral("cancel-collect"), QStringLiteral("--invoices"), QStringLiteral("2")},
            {QStringLiteral("yes"), QStringLiteral("yes")});
    EXPECT_EQ(campo("CobradaT15", 2), 0);

    aplicar({QStringLiteral("delete"), QStringLiteral("--invoices"), QStringLiteral("3"),
             QStringLiteral("--reactivate")},
            {QStringLiteral("yes")});
    EXPECT_EQ(Int(QStringLiteral("SELECT COUNT(*) FROM T15FacturasCab WHERE IDFacturaCabT15=3")),
              0);
    EXPECT_EQ(Int(QStringLiteral("SELECT COUNT(*) FROM T16FacturasCue WHERE IDFacturaCabT16=3")),
              0);
    EXPECT_EQ(Int(QStringLiteral("SELECT ActivoT14 FROM T14ConceptosMatricula WHERE "
                                 "IDConceptoMatriculaT14=%1")
                      .arg(conceptos[2])),
              1);
}

TEST_F(CliFacturacion, RecalcAllWorksOutLinesEnteredWithTheirTotalOnlyWhenAccepted) {
    e_.Concepto(e_.Matricula(e_.Alumno(QStringLiteral("Gil, Ana"))), QStringLiteral("Cuota"), 40);
    ASSERT_EQ(Run(Generar(), {QStringLiteral("yes")}).status, 0);
    e_.Exec(
        "INSERT INTO T16FacturasCue (IDFacturaCabT16,DescConceptoT16,UnidadesT16,TPCDtoT16,"
        "TPCIvaT16,ImporteBaseT16,BaseImponibleT16,ImporteIvaIncluidoT16) VALUES "
        "(1,'Libro',2,0,21,0,0,24.2)");
    const QString antes = Volcado();
    const QStringList recalcular{QStringLiteral("billing"), QStringLiteral("recalc-all")};
    EXPECT_NE(Run(recalcular, {QStringLiteral("no")}).status, 0);
    EXPECT_EQ(Volcado(), antes);

    const test::CliResult r = Run(recalcular, {QStringLiteral("yes")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Texto(QStringLiteral("SELECT ImporteBaseT16 || '|' || BaseImponibleT16 FROM "
                                   "T16FacturasCue WHERE DescConceptoT16='Libro'")),
              QStringLiteral("10.0|20.0"));
    EXPECT_EQ(Texto(QStringLiteral("SELECT ImporteTotalT15 || '|' || ImporteBasesImponiblesT15 || "
                                   "'|' || ImporteIva1T15 FROM T15FacturasCab")),
              QStringLiteral("72.6|60.0|12.6"));
}

TEST_F(CliFacturacion, SettlementsCountTheCentresActiveEnrolments) {
    // 2025-09-30 is day 45930: the second enrolment left before it.
    e_.Exec(
        "INSERT INTO T02Matriculas (IDGrupoT02,IDCentroT02,ActivaT02,FechaAltaT02,FechaBajaT02) "
        "VALUES (1,1,1,45800,NULL),(1,1,1,45700,45929),(1,1,1,45900,45935)");
    const test::CliResult r =
        Run({QStringLiteral("settlements"), QStringLiteral("generate"), QStringLiteral("--from"),
             QStringLiteral("2025-09-01"), QStringLiteral("--to"), QStringLiteral("2025-09-30"),
             QStringLiteral("--date"), QStringLiteral("2025-10-02"),
             QStringLiteral("--description"), QStringLiteral("Septiembre")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(Texto(QStringLiteral("SELECT UnidadesT28 || '|' || ImporteLineaT28 FROM "
                                   "T28LiquidacionesCue")),
              QStringLiteral("2.0|24.25"));
    EXPECT_EQ(Texto(QStringLiteral("SELECT IDLiquidacionCabT27 || '|' || NLiquidacionT27 || '|' || "
                                   "ImporteLiquidadoT27 FROM T27LiquidacionesCab")),
              r.out.trimmed() + QStringLiteral("|1|24.25"));
}

TEST_F(CliFacturacion, SepaCheckReportsAndAppliesOnlyWhenAccepted) {
    e_.Exec(
        "INSERT INTO T01Alumnos (CodigoT01,NombreCompletoT01,IBANT01) VALUES "
        "(7,'Sin DC','ES**21000418**0200051332')");
    const QString estudiante =
        QStringLiteral("SELECT IBANT01 || '|' || COALESCE(BICT01,'') FROM T01Alumnos");
    const test::CliResult informe = Run({QStringLiteral("sepa-check")});
    ASSERT_EQ(informe.status, 0) << informe.err.toStdString();
    EXPECT_TRUE(informe.out.contains(QStringLiteral("*** Finalizada la actualización ***")));
    const QString antes = Volcado();
    EXPECT_NE(Run({QStringLiteral("sepa-check"), QStringLiteral("--apply")}, {QStringLiteral("no")})
                  .status,
              0);
    EXPECT_EQ(Volcado(), antes);

    ASSERT_EQ(
        Run({QStringLiteral("sepa-check"), QStringLiteral("--apply")}, {QStringLiteral("yes")})
            .status,
        0);
    EXPECT_TRUE(Texto(estudiante).startsWith(QStringLiteral("ES9121000418450200051332|")));
    EXPECT_GT(Texto(estudiante).size(), 25);
}

TEST_F(CliFacturacion, TwoRunsOnTheSameSeriesAtOnceGiveDistinctConsecutiveNumbers) {
    constexpr int kPorProceso = 500;
    QStringList grupos[2];
    for (int i = 0; i < 2 * kPorProceso; ++i) {
        const int a = e_.Alumno(QStringLiteral("Alumno %1").arg(i));
        e_.Concepto(e_.Matricula(a), QStringLiteral("Cuota"), 10);
        grupos[i % 2] << QString::number(a);
    }
    QProcess procesos[2];
    for (int p = 0; p < 2; ++p)
        procesos[p].start(QStringLiteral(ESCOLIA_CLI),
                          Global({QStringLiteral("yes")}) + Generar() +
                              QStringList{QStringLiteral("--students"), grupos[p].join(',')});
    QList<int> numeros;
    for (QProcess& p : procesos) ASSERT_TRUE(p.waitForFinished(120000));
    for (QProcess& p : procesos) {
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        const QStringList lineas =
            QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lineas.size(), kPorProceso);
        // One run holds the series from its start to its end: its numbers are one block.
        const int primero = lineas.first().section('\t', 2, 2).toInt();
        for (int i = 0; i < lineas.size(); ++i)
            EXPECT_EQ(lineas[i].section('\t', 2, 2).toInt(), primero + i);
    }
    QSqlQuery q = t_.db().Query(QStringLiteral(
        "SELECT NumeroT15 FROM T15FacturasCab WHERE IDSerieT15=1 ORDER BY NumeroT15"));
    while (q.next()) numeros << q.value(0).toInt();
    ASSERT_EQ(numeros.size(), 2 * kPorProceso);
    for (int i = 0; i < numeros.size(); ++i) EXPECT_EQ(numeros[i], 7 + i);
    EXPECT_EQ(Int(QStringLiteral("SELECT NSiguienteFacturaT18 FROM T18Series")),
              7 + 2 * kPorProceso);
}

}  // namespace
}  // namespace zmk
