#include "rules/forms/install.h"

#include "rules/forms/duplicar.h"
#include "rules/forms/qtborrardialog.h"

namespace zmk {

void InstallRulesForms() {
    SetDialogoBorrar(MostrarDialogoBorrar);
    SetDialogoDuplicar(MostrarDialogoDuplicar);
}

}  // namespace zmk
