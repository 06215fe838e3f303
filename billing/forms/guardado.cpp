#include "billing/forms/guardado.h"

#include "host/errors.h"
#include "host/prompt.h"

namespace zmk {

bool EjecutaProtegido(const std::function<void()>& accion) {
    try {
        accion();
        return true;
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        MuestraError(QString::fromUtf8(e.what()));
    }
    return false;
}

}  // namespace zmk
