// Several workstations at once: escolia-cli processes editing students and billing over one
// company file, and a workstation that keeps the write lock.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "host/database.h"
#include "host/transactionguard.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

// An escolia-cli process with its own wait for the lock.
std::unique_ptr<QProcess> Start(const QStringList& args, int busyTimeoutMs) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ESCOLIA_BUSY_TIMEOUT_MS"), QString::number(busyTimeoutMs));
    p->setProcessEnvironment(env);
    p->start(QStringLiteral(ESCOLIA_CLI), args);
    p->waitForStarted();
    return p;
}

struct Result {
    int status;
    QString err;
};
Result Finish(QProcess& p) {
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

class Puestos : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ = dir_.filePath(QStringLiteral("academia.db"));
        const test::CliResult demo = test::RunCli(
            {QStringLiteral("demo"), file_, QStringLiteral("--students"), QStringLiteral("30")});
        ASSERT_EQ(demo.status, 0) << demo.err.toStdString();
    }
    QStringList Db(QStringList args) const {
        return QStringList{QStringLiteral("--db"), file_} + args;
    }
    QTemporaryDir dir_;
    QString file_;
};

// Three workstations edit different students while a fourth bills the month: every save waits
// its turn and is kept, and each full name follows the name as saved.
TEST_F(Puestos, SimultaneousSavesWaitTheirTurnAndAllAreKept) {
    auto db = TDataBaseZMK::OpenReadOnly(file_);
    QList<int> alumnos;
    QSqlQuery q = db->Query(QStringLiteral("SELECT IDAlumnoT01 FROM T01Alumnos ORDER BY 1"));
    while (q.next()) alumnos << q.value(0).toInt();
    q.finish();
    ASSERT_GE(alumnos.size(), 24);
    db.reset();

    auto factura =
        Start(Db({QStringLiteral("--answer"), QStringLiteral("yes"), QStringLiteral("billing"),
                  QStringLiteral("generate"), QStringLiteral("--month"), QStringLiteral("10"),
                  QStringLiteral("--year"), QStringLiteral("2025"), QStringLiteral("--date"),
                  QStringLiteral("2025-10-01"), QStringLiteral("--series"), QStringLiteral("1"),
                  QStringLiteral("--rows"), QStringLiteral("all")}),
              10000);
    constexpr int kPuestos = 3, kEdiciones = 8;
    for (int ronda = 0; ronda < kEdiciones; ++ronda) {
        std::vector<std::unique_ptr<QProcess>> puestos;
        for (int p = 0; p < kPuestos; ++p) {
            const int id = alumnos[ronda * kPuestos + p];
            puestos.push_back(Start(
                Db({QStringLiteral("record"), QStringLiteral("edit"), QStringLiteral("T01Alumnos"),
                    QString::number(id), QStringLiteral("NombreT01=Puesto%1").arg(p)}),
                10000));
        }
        for (auto& p : puestos) {
            const Result r = Finish(*p);
            EXPECT_EQ(r.status, 0) << r.err.toStdString();
        }
    }
    const Result billing = Finish(*factura);
    EXPECT_EQ(billing.status, 0) << billing.err.toStdString();

    db = TDataBaseZMK::OpenReadOnly(file_);
    for (int i = 0; i < kPuestos * kEdiciones; ++i) {
        QSqlQuery row =
            db->Query(QStringLiteral(
                          "SELECT NombreT01, ApellidosT01, NombreCompletoT01 FROM T01Alumnos WHERE "
                          "IDAlumnoT01=%1")
                          .arg(alumnos[i]));
        ASSERT_TRUE(row.next());
        EXPECT_EQ(row.value(0).toString(), QStringLiteral("Puesto%1").arg(i % kPuestos));
        EXPECT_EQ(row.value(2).toString(),
                  row.value(1).toString() + QStringLiteral(", ") + row.value(0).toString());
    }
}

// A workstation keeps the write lock (a clerk reading the billing question): a save elsewhere
// waits the busy timeout and then fails in the program's words, and nothing of it is kept.
TEST_F(Puestos, ASaveBehindAHeldLockFailsAfterTheWaitSayingWhy) {
    auto holder = TDataBaseZMK::Open(file_);
    TTransactionGuard lock(*holder);
    QElapsedTimer clock;
    clock.start();
    auto edit =
        Start(Db({QStringLiteral("record"), QStringLiteral("edit"), QStringLiteral("T01Alumnos"),
                  QStringLiteral("1"), QStringLiteral("NombreT01=Nadie")}),
              700);
    const Result r = Finish(*edit);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("ERROR Otro puesto está guardando datos; vuelva a intentarlo")))
        << r.err.toStdString();
    EXPECT_GE(clock.elapsed(), 600);
    lock.Commit();
    holder.reset();
    auto db = TDataBaseZMK::OpenReadOnly(file_);
    QSqlQuery q = db->Query(QStringLiteral("SELECT NombreT01 FROM T01Alumnos WHERE IDAlumnoT01=1"));
    ASSERT_TRUE(q.next());
    EXPECT_NE(q.value(0).toString(), QStringLiteral("Nadie"));
}

}  // namespace
}  // namespace zmk
