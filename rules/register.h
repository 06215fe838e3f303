#pragma once
namespace zmk {
// Adds the teaching-data rules to the data-event dispatch and provides their procedure bodies.
void RegisterRulesProcedures();
// The insertion rules every screen shares: a current centre, and no invoices typed by hand.
void RegisterInsertionRules();
}  // namespace zmk
