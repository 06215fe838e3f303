#pragma once
namespace zmk::cli {
// sms send / sms export: the SMS wizard's send and operator file, with the same checks and log.
void RegisterSmsCommands();
}  // namespace zmk::cli
