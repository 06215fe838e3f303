#include "subsystems/subsystems.h"

#include "billing/register.h"
#include "classroom/dsnotas.h"
#include "core/register.h"
#include "messaging/register.h"
#include "rules/register.h"

namespace zmk {

void RegisterAllProcedureBodies() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterCoreProcedures();
    RegisterRulesProcedures();
    RegisterBillingProcedures();
    RegisterClassroomProcedures();
    RegisterMessagingProcedures();
}

}  // namespace zmk
