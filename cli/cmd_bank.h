#pragma once
namespace zmk::cli {
// bank: the IBAN, CCC, BIC, NIF and creditor identifier routines on the command line.
void RegisterBankCommands();
}  // namespace zmk::cli
