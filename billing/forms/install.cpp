#include "billing/forms/install.h"

#include "billing/ask.h"
#include "billing/chequeosepa.h"
#include "billing/forms/ask.h"
#include "billing/forms/datasource_textoconcepto.h"
#include "billing/forms/filtromesfacturar.h"
#include "billing/forms/funcionesfacturas.h"
#include "billing/forms/generarfacturas.h"
#include "billing/forms/generarliquidaciones.h"
#include "billing/forms/resultadoprocceso.h"

namespace zmk {

void InstallBillingForms() {
    SetDialogoAsk(MostrarDialogoAsk);
    SetDialogoFiltroMes(MostrarFiltroMesFacturar);
    SetVistaInformeSEPA(MostrarInformeSEPA);
    SetDialogoGenerarFacturas(MostrarGenerarFacturas);
    SetDialogoFuncionesFacturas(MostrarFuncionesFacturas);
    SetDialogoGenerarLiquidaciones(MostrarGenerarLiquidaciones);
    // Replaces the prompt-service editor registered with the procedure library.
    ZMKDataSource_RegisterClassName(
        TZMKDS_TextoConcepto::kNombre,
        [](const QString& name) -> std::unique_ptr<TCustomZMKDataSourceAbstract> {
            if (name.compare(TZMKDS_TextoConcepto::kNombre, Qt::CaseInsensitive) != 0)
                return nullptr;
            return std::make_unique<TZMKDS_TextoConceptoQt>();
        });
}

}  // namespace zmk
