#pragma once
namespace zmk::cli {
// "text expand" and "text receipt-concept": the concept text facilities, without a database.
void RegisterTextCommands();
}  // namespace zmk::cli
