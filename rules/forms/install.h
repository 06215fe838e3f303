#pragma once

namespace zmk {

// Puts the delete and duplication dialogs on screen in place of the prompt-service questions.
// The windowed program calls it once at start.
void InstallRulesForms();

}  // namespace zmk
