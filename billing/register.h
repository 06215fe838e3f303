#pragma once
namespace zmk {
// Provides the billing subsystem's procedure bodies and rules to the library.
void RegisterBillingProcedures();
// Provided by the bank identifiers module ("BuscarCodigoBIC", "GeneraDatosMandato").
void RegisterBankProcedures();
// Provided by the concept text module ("FILTRO_MES_FACTURAR", the "TEXTO_CONCEPTO" data source).
void RegisterConceptTextProcedures();
}  // namespace zmk
