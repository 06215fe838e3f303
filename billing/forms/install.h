#pragma once

namespace zmk {

// Puts the billing forms on screen in place of the prompt-service questions: the ask dialog,
// the month filter, the concept-text editor ("TEXTO_CONCEPTO"), invoice generation, invoice
// functions, settlements and the SEPA check's result window. The windowed program calls it once
// at start, after the procedure library is registered.
void InstallBillingForms();

}  // namespace zmk
