#pragma once
namespace zmk {
// Provides the application core's procedure bodies ("MUESTRA_CENTRO_ACTUAL") to the library.
void RegisterCoreProcedures();
}  // namespace zmk
