#include "rules/register.h"

#include "rules/avisosguardado.h"
#include "rules/cascadas.h"
#include "rules/conceptos.h"
#include "rules/duplicar.h"
#include "rules/reglasconceptos.h"
#include "rules/reglasestado.h"

namespace zmk {

// The order matters where two rules share an event and a table: the shared insertion checks
// first, then the record-state rules, the save warnings, the concepts, the cascades and the
// duplication.
void RegisterRulesProcedures() {
    RegisterInsertionRules();
    RegisterEstadoRules();
    RegisterAvisosGuardado();
    RegisterConceptosRules();
    RegisterCascadasRules();
    RegisterDuplicarProcedures();
}

}  // namespace zmk
