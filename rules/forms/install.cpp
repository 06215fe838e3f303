#include "rules/forms/install.h"

#include "rules/forms/qtborrardialog.h"
#include "rules/forms/duplicar.h"

namespace zmk {

void InstallRulesForms() {
    SetDialogoBorrar(MostrarDialogoBorrar);
    SetDialogoDuplicar(MostrarDialogoDuplicar);
}

}  // namespace zmk
