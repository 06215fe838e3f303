#include "billing/register.h"

namespace zmk {

void RegisterBillingProcedures() {
    RegisterBankProcedures();
    RegisterConceptTextProcedures();
}

}  // namespace zmk
