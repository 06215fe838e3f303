#include "billing/register.h"

#include "billing/generarfacturas.h"

namespace zmk {

void RegisterBillingProcedures() {
    RegisterBankProcedures();
    RegisterConceptTextProcedures();
    RegisterFacturacionProcedures();
}

}  // namespace zmk
