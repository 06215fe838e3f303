#include "rules/guardas.h"

namespace zmk {

bool& GuardaCampos() {
    static bool activa = false;
    return activa;
}

bool& GuardaLineaFactura() {
    static bool activa = false;
    return activa;
}

}  // namespace zmk
