#pragma once
// The record-state and centre-consistency rules of the teaching data: refusals on inactive
// records, centre checks, student and invoice numbering, prices, invoice-line and settlement
// amounts, bank data, the state of the data-entry controls and the grid colours.

namespace zmk {

// Adds every rule to the data-event dispatch and the enrolment payment-data procedure body.
// Safe to call more than once.
void RegisterEstadoRules();

// The groups of rules RegisterEstadoRules adds, one per source file.
void RegisterReglasEventos();
void RegisterReglasCampos();
void RegisterReglasFormulario();
void RegisterColoreado();

}  // namespace zmk
