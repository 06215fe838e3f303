#include "core/register.h"

#include "core/centroactual.h"
#include "core/parametrosapp.h"
#include "core/translate.h"
#include "host/errors.h"
#include "host/formhooks.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/prompt.h"

namespace zmk {

namespace {
// Stores the centre chosen on the centre list and publishes it again.
void MuestraCentroActual(const TProcCall&) {
    int id = Parametres().AsInteger(QStringLiteral("PRMIDCentroActual"), -1);
    ParametrosApp().SetValue(QStringLiteral("PRMIDCentroActual"), id);
    RecargaCentroActual();
}
bool HayGrid() {
    return Parametres().AsInteger(QStringLiteral("PRMIP_DBGRID"), 0) != 0;
}

// Invoice generation needs a current centre, a grid, and a mode it knows.
bool PuedeAutofacturar(const TProcCall&) {
    if (IDCentroActual() <= 0)
        throw EZMKError(
            QStringLiteral("No ha seleccionado ningún centro\n\nPara poder realizar "
                           "esta acción necesita un centro predeterminado"));
    if (!HayGrid()) return false;
    int modo = Parametres().AsInteger(QStringLiteral("PRME01"), 0);
    if (modo != 1 && modo != 2) {
        MuestraError(QStringLiteral("¡Error interno! Modo de facturación incorrecto."));
        return false;
    }
    return true;
}

}  // namespace

void RegisterCoreProcedures() {
    // The screens take the current centre and the chosen language's texts from here.
    SetCurrentCentreHook(IDCentroActual);
    SetTranslationHook(
        [](const QString& key, const QString& def) { return Translate().ValueDef(key, def); });
    SetProcedureBody(QStringLiteral("MUESTRA_CENTRO_ACTUAL"), MuestraCentroActual);
    // The dialogs on a grid do nothing when the screen gives no grid.
    SetProcedureGuard(QStringLiteral("FUNCIONES_FACTURAS"),
                      [](const TProcCall&) { return HayGrid(); });
    SetProcedureGuard(QStringLiteral("GENERAR_LIQUIDACIONES"),
                      [](const TProcCall&) { return HayGrid(); });
    SetProcedureGuard(QStringLiteral("AUTOFACTURAR"), PuedeAutofacturar);
}

}  // namespace zmk
