#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSqlQuery>

#include "host/currency.h"
#include "host/errors.h"
#include "host/preparedstatement.h"
#include "host/transactionguard.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {

// Connections opened while it lives give up on a held lock after a short wait.
class ShortBusyTimeout {
  public:
    explicit ShortBusyTimeout(int ms) : previous_(TDataBaseZMK::BusyTimeout()) {
        TDataBaseZMK::SetBusyTimeout(ms);
    }
    ~ShortBusyTimeout() { TDataBaseZMK::SetBusyTimeout(previous_); }

  private:
    int previous_;
};

class TransactionGuardTest : public ::testing::Test {
  protected:
    test::TestDatabase tdb;
    void AddCentro(TDataBaseZMK& db, const QString& code) {
        db.ExecuteSQL(QStringLiteral("INSERT INTO T20Centros (CodigoCentroT20) VALUES (%1)")
                          .arg(QuoteSqlText(code)));
    }
    int Centros() { return tdb.Scalar(QStringLiteral("SELECT COUNT(*) FROM T20Centros")).toInt(); }
};

}  // namespace

TEST_F(TransactionGuardTest, OwnedTransactionIsUndoneUnlessCommitted) {
    {
        TTransactionGuard guard(tdb.db());
        EXPECT_TRUE(guard.Owns());
        AddCentro(tdb.db(), QStringLiteral("A"));
    }
    EXPECT_FALSE(tdb.db().InTransaction());
    EXPECT_EQ(Centros(), 0);
    try {
        TTransactionGuard guard(tdb.db());
        AddCentro(tdb.db(), QStringLiteral("B"));
        throw EAbort();
    } catch (const EAbort&) {
    }
    EXPECT_EQ(Centros(), 0);
    {
        TTransactionGuard guard(tdb.db());
        AddCentro(tdb.db(), QStringLiteral("C"));
        guard.Commit();
    }
    EXPECT_EQ(Centros(), 1);
}

TEST_F(TransactionGuardTest, JoinedTransactionBelongsToItsOwner) {
    {
        TTransactionGuard outer(tdb.db());
        {
            TTransactionGuard inner(tdb.db());
            EXPECT_FALSE(inner.Owns());
            AddCentro(tdb.db(), QStringLiteral("A"));
            inner.Commit();
        }
        EXPECT_TRUE(tdb.db().InTransaction());
        {
            // Leaving without Commit does not undo the owner's work either.
            TTransactionGuard inner(tdb.db());
        }
        EXPECT_TRUE(tdb.db().InTransaction());
        EXPECT_EQ(Centros(), 1);
    }
    EXPECT_EQ(Centros(), 0);
}

// The engine undoes a transaction by itself on a full disk or an I/O error; undoing it again
// must not replace the error that caused it.
TEST_F(TransactionGuardTest, UndoingAfterTheEngineDidKeepsTheFirstError) {
    try {
        TTransactionGuard guard(tdb.db());
        AddCentro(tdb.db(), QStringLiteral("A"));
        QSqlQuery(QStringLiteral("ROLLBACK"), tdb.db().Connection());
        throw EDatabaseError(QStringLiteral("database or disk is full"));
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("database or disk is full"));
    }
    EXPECT_FALSE(tdb.db().InTransaction());
    tdb.db().BeginTrans();
    QSqlQuery(QStringLiteral("ROLLBACK"), tdb.db().Connection());
    EXPECT_NO_THROW(tdb.db().RollbackTrans());
    EXPECT_EQ(Centros(), 0);
}

// Another workstation holding the write lock: a write waits the busy timeout, then gets the
// program's words instead of the engine's "database is locked".
TEST_F(TransactionGuardTest, AWriteWaitsForTheLockThenSaysWhy) {
    ShortBusyTimeout timeout(300);
    auto other = TDataBaseZMK::Open(tdb.path());
    TTransactionGuard holder(tdb.db());
    AddCentro(tdb.db(), QStringLiteral("A"));
    QElapsedTimer clock;
    clock.start();
    try {
        TTransactionGuard waiting(*other);
        FAIL() << "the write lock was given twice";
    } catch (const EDatabaseBusy& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Otro puesto está guardando datos; vuelva a intentarlo"));
    }
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_FALSE(other->InTransaction());
    EXPECT_THROW(AddCentro(*other, QStringLiteral("B")), EDatabaseBusy);
    holder.Commit();
    TTransactionGuard now(*other);
    AddCentro(*other, QStringLiteral("B"));
    now.Commit();
    EXPECT_EQ(Centros(), 2);
}

// A transaction that begins deferred and writes later fails at once when another workstation
// wrote in between: every write transaction takes the lock at its start instead.
TEST_F(TransactionGuardTest, AWriteTransactionHoldsTheLockFromItsStart) {
    ShortBusyTimeout timeout(200);
    auto other = TDataBaseZMK::Open(tdb.path());
    TTransactionGuard first(tdb.db());
    EXPECT_THROW(other->BeginTrans(), EDatabaseBusy);
    first.Commit();
    TTransactionGuard reading(*other, TTransactionLock::None);
    EXPECT_EQ(other->Query(QStringLiteral("SELECT COUNT(*) FROM T20Centros")).next(), true);
    TTransactionGuard writing(tdb.db());
    AddCentro(tdb.db(), QStringLiteral("A"));
    writing.Commit();
}

TEST_F(TransactionGuardTest, PreparedStatementRunsManyTimesWithTypedValues) {
    TPreparedStatement insert =
        TPreparedStatement::Insert(tdb.db(), QStringLiteral("T22TiposIva"),
                                   {QStringLiteral("TPCIvaT22"), QStringLiteral("DescripcionT22")});
    insert.Run({QVariant::fromValue(Currency(21)), QStringLiteral("General")});
    const QVariant first = insert.LastInsertId();
    insert.Run({QVariant::fromValue(Currency::FromRaw(105000)), QStringLiteral("Reducido")});
    EXPECT_EQ(insert.LastInsertId().toInt(), first.toInt() + 1);
    EXPECT_EQ(insert.RowsAffected(), 1);
    EXPECT_DOUBLE_EQ(tdb.Scalar(QStringLiteral("SELECT TPCIvaT22 FROM T22TiposIva WHERE "
                                               "DescripcionT22='Reducido'"))
                         .toDouble(),
                     10.5);

    TPreparedStatement read(tdb.db(),
                            QStringLiteral("SELECT * FROM T22TiposIva WHERE IDTipoIvaT22=?"));
    for (const QVariant& key : {first, insert.LastInsertId()}) {
        read.Run({key});
        ASSERT_TRUE(read.Next());
        EXPECT_FALSE(read.Value(QStringLiteral("DescripcionT22")).toString().isEmpty());
        EXPECT_THROW(read.Value(QStringLiteral("NoExiste")), EDatabaseError);
        EXPECT_FALSE(read.Next());
    }
    EXPECT_THROW(TPreparedStatement(tdb.db(), QStringLiteral("SELECT * FROM NoExiste")),
                 EDatabaseError);
}

TEST(SqlKeyList, WritesIntegerKeysOnly) {
    EXPECT_EQ(SqlKeyList(QList<int>{3, 7, 12}), QStringLiteral("3,7,12"));
    EXPECT_EQ(SqlKeyList(QList<int>{}), QString());
    EXPECT_EQ(SqlKeyList(QVariantList{5, qlonglong(8)}), QStringLiteral("5,8"));
    EXPECT_THROW(SqlKeyList(QVariantList{QStringLiteral("1) OR (1=1")}), EConvertError);
}
