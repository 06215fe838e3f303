#pragma once
namespace zmk::cli {
// mass-delete: empties the chosen kinds of data of the current centre, as the mass-deletion form.
void RegisterMassDeleteCommand();
}  // namespace zmk::cli
