#pragma once
// Every subsystem's procedure bodies, data rules and hooks given to the procedure library, in the
// order their rules must run. Both programs (escolia, escolia-cli), the benches and the tests
// call it once, before REGISTER_LIBRARY.
namespace zmk {

void RegisterAllProcedureBodies();

}  // namespace zmk
