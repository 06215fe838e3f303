#pragma once
// The re-entrancy flags of the field-change rules: a rule that writes fields of the record it
// reacts to sets its flag while writing, and does nothing when it finds the flag set, so that
// it does not react to its own writes.

namespace zmk {

// Prices with and without VAT, the enrolment number, the date picker and the concept amounts.
bool& GuardaCampos();
// Invoice-line amounts.
bool& GuardaLineaFactura();

// Sets a flag for its lifetime; clears it again also when an exception passes.
class TGuardaActiva {
  public:
    explicit TGuardaActiva(bool& flag) : flag_(flag) { flag_ = true; }
    ~TGuardaActiva() { flag_ = false; }
    TGuardaActiva(const TGuardaActiva&) = delete;
    TGuardaActiva& operator=(const TGuardaActiva&) = delete;

  private:
    bool& flag_;
};

}  // namespace zmk
