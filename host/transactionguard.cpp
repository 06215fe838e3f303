#include "host/transactionguard.h"

namespace zmk {

TTransactionGuard::TTransactionGuard(TDataBaseZMK& db, TTransactionLock lock)
    : db_(db), owns_(!db.InTransaction()) {
    if (owns_)
        db_.BeginTrans(lock != TTransactionLock::None, lock != TTransactionLock::WriteIfFree);
}

TTransactionGuard::~TTransactionGuard() {
    if (!owns_ || done_ || !db_.InTransaction()) return;
    // Called while an error passes: undoing must not replace that error with its own.
    try {
        db_.RollbackTrans();
    } catch (...) {
    }
}

void TTransactionGuard::Commit() {
    if (done_) return;
    if (owns_) db_.CommitTrans();
    done_ = true;
}

}  // namespace zmk
