#include "rules/register.h"

namespace zmk {

void RegisterRulesProcedures() { RegisterInsertionRules(); }

}  // namespace zmk
