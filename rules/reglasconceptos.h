#pragma once
// The data-event and form rules of the charge concepts screen, and the concept updates that
// follow posting an enrolment or a group.
#include "host/currency.h"

namespace zmk {

class TDataSet;
class TField;
class TZMKForm;

// The amounts of a concept after one of its fields changed (edit or insert state only).
void ActualizarImportesConcepto(TDataSet& ds, TField* field);

// The concepts form's level label, enabled controls and active box for the current concept.
void AplicarEstadoFormConcepto(TZMKForm& form, TDataSet& ds);

// Adds the rules of the concepts (242), enrolments (186) and groups (14) screens. Idempotent.
void RegisterConceptosRules();

}  // namespace zmk
