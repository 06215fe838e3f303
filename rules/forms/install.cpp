#include "rules/forms/install.h"

#include "rules/forms/frmborrar.h"
#include "rules/forms/frmduplicar.h"

namespace zmk {

void InstallRulesForms() {
    SetDialogoBorrar(MostrarDialogoBorrar);
    SetDialogoDuplicar(MostrarDialogoDuplicar);
}

}  // namespace zmk
