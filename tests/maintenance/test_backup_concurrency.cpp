#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QThread>

#include "backup_fixture.h"
#include "maintenance/backup_create.h"
#include "maintenance/backup_restore.h"
#include "maintenance/backup_snapshot.h"
#include "maintenance/torvan_zip_lister.h"

namespace zmk {
namespace {

QList<int> Values(const QString& file) {
    auto db = TDataBaseZMK::Open(file);
    QSqlQuery q = db->Query("SELECT x FROM Prueba ORDER BY x");
    QList<int> values;
    while (q.next()) values << q.value(0).toInt();
    return values;
}

QList<int> Range(int n) {
    QList<int> r;
    for (int i = 0; i < n; ++i) r << i;
    return r;
}

QString RestoreOnly(test::BackupInstallation& inst, const QString& archive) {
    const auto lister = AbrirCopia(inst.facts, archive);
    TRestaurador restaurador(*lister, inst.facts);
    inst.Answer({"yes"});
    EXPECT_EQ(restaurador.Restaurar({0}, false), 1);
    return inst.List().Entry(inst.List().Count() - 1).archivo;
}

TEST(BackupWhileInUse, CommittedChangesInTheLogAreInTheCopyUncommittedOnesAreNot) {
    test::BackupInstallation inst;
    const QString file = inst.DataDir() + "/A.MDB";
    inst.AddCompany("Academia", file);
    auto writer = TDataBaseZMK::Open(file);
    writer->ExecuteSQL("PRAGMA wal_autocheckpoint=0");
    writer->ExecuteSQL("CREATE TABLE Prueba (x INTEGER)");
    for (int i = 0; i < 50; ++i)
        writer->ExecuteSQL("INSERT INTO Prueba (x) VALUES (" + QString::number(i) + ")");
    ASSERT_GT(QFileInfo(file + "-wal").size(), 0);
    writer->BeginTrans(true);
    writer->ExecuteSQL("INSERT INTO Prueba (x) VALUES (1000)");
    TBackupRequest request;
    request.databases = {0};
    request.includeResources = false;
    ASSERT_TRUE(RealizarCopia(inst.facts, request, inst.root.filePath("c.TvZ")).complete);
    writer->RollbackTrans();
    const QString restored = RestoreOnly(inst, inst.root.filePath("c.TvZ"));
    EXPECT_NO_THROW(CheckDatabaseIntegrity(restored));
    EXPECT_EQ(Values(restored), Range(50));
}

TEST(BackupWhileInUse, AnotherProcessEditingDuringTheBackup) {
    test::BackupInstallation inst;
    const QString file = inst.DataDir() + "/A.MDB";
    inst.AddCompany("Academia", file);
    TDataBaseZMK::Open(file)->ExecuteSQL("CREATE TABLE Prueba (x INTEGER)");
    QProcess editor;
    editor.start("sh", {"-c", QStringLiteral("i=0; while [ $i -lt 25 ]; do \"%1\" --db \"%2\" sql "
                                             "\"INSERT INTO Prueba (x) VALUES ($i)\" >/dev/null "
                                             "|| exit 1; i=$((i+1)); done")
                                  .arg(ESCOLIA_CLI, file)});
    ASSERT_TRUE(editor.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (Values(file).size() < 3 && waited.elapsed() < 60000) QThread::msleep(20);
    const int before = int(Values(file).size());
    TBackupRequest request;
    request.databases = {0};
    request.includeResources = false;
    ASSERT_TRUE(RealizarCopia(inst.facts, request, inst.root.filePath("c.TvZ")).complete);
    const int after = int(Values(file).size());
    ASSERT_TRUE(editor.waitForFinished(120000));
    EXPECT_EQ(editor.exitCode(), 0);
    const QString restored = RestoreOnly(inst, inst.root.filePath("c.TvZ"));
    EXPECT_NO_THROW(CheckDatabaseIntegrity(restored));
    const QList<int> values = Values(restored);
    EXPECT_GE(values.size(), before);
    EXPECT_LE(values.size(), after);
    EXPECT_EQ(values, Range(int(values.size())));
}

}  // namespace
}  // namespace zmk
