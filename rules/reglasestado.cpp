#include "rules/reglasestado.h"

namespace zmk {

void RegisterEstadoRules() {
    static bool registradas = false;
    if (registradas) return;
    registradas = true;
    RegisterReglasEventos();
    RegisterReglasCampos();
    RegisterReglasFormulario();
    RegisterColoreado();
}

}  // namespace zmk
