#pragma once
// The data rules of invoices and settlements (T15/T16, T27/T28) and the colours of invoice lists.
namespace zmk {

// Called once with the billing procedures, after the teaching-data rules.
void RegisterReglasFacturas();

}  // namespace zmk
