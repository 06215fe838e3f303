#pragma once
namespace zmk::cli {
// "billing generate|apply|recalc-all", "settlements generate" and "sepa-check" on the --db
// database: the billing forms' operations with their choices given as flags.
void RegisterBillingCommands();
}  // namespace zmk::cli
