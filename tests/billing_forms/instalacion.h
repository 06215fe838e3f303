#pragma once
// The forms installed for one test only: later tests of the executable drive the logic through
// scripted answers, which an installed dialog would wait for forever.
#include "billing/ask.h"
#include "billing/chequeosepa.h"
#include "billing/forms/install.h"
#include "billing/funcionesfacturas.h"
#include "billing/generarfacturas.h"
#include "billing/liquidaciones.h"
#include "billing/textoconcepto.h"

namespace zmk::test {

struct FormulariosInstalados {
    FormulariosInstalados() { InstallBillingForms(); }
    ~FormulariosInstalados() {
        SetDialogoAsk({});
        SetDialogoFiltroMes({});
        SetVistaInformeSEPA({});
        SetDialogoGenerarFacturas({});
        SetDialogoFuncionesFacturas({});
        SetDialogoGenerarLiquidaciones({});
    }
};

}  // namespace zmk::test
