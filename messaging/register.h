#pragma once
namespace zmk {
// Provides the messaging subsystem's procedure ("FormularioEnviarSMS") to the library.
void RegisterMessagingProcedures();
}  // namespace zmk
