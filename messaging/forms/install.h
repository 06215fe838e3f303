#pragma once

namespace zmk {

// Puts the SMS wizard on screen for "FormularioEnviarSMS" in place of the prompt-service
// questions. The windowed program calls it once at start.
void InstallMessagingForms();

}  // namespace zmk
