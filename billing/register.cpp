#include "billing/register.h"

#include "billing/funcionesinforme.h"
#include "billing/generarfacturas.h"
#include "billing/reglasfacturas.h"

namespace zmk {

void RegisterBillingProcedures() {
    RegisterReglasFacturas();
    RegisterBankProcedures();
    RegisterConceptTextProcedures();
    RegisterFacturacionProcedures();
    RegisterFuncionesFacturacion();
}

}  // namespace zmk
