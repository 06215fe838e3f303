#pragma once
// One unit of work on the company database. The guard joins the transaction already open (its
// owner commits or undoes it) or owns a new one, which it undoes when it goes out of scope
// without Commit: an error, a silent abort or a "No" leaves the database as it was.
#include "host/database.h"

namespace zmk {

enum class TTransactionLock {
    Write,        // takes the write lock at the start; every transaction that writes
    WriteIfFree,  // the same, but raises EDatabaseBusy at once when another workstation has it
    None,         // a transaction that only reads (a consistent view of several queries)
};

class TTransactionGuard {
  public:
    explicit TTransactionGuard(TDataBaseZMK& db, TTransactionLock lock = TTransactionLock::Write);
    ~TTransactionGuard();
    TTransactionGuard(const TTransactionGuard&) = delete;
    TTransactionGuard& operator=(const TTransactionGuard&) = delete;

    // Commits a transaction of its own; a joined one is left to its owner.
    void Commit();
    bool Owns() const { return owns_; }

  private:
    TDataBaseZMK& db_;
    bool owns_;
    bool done_ = false;
};

}  // namespace zmk
