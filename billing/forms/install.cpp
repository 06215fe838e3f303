#include "billing/forms/install.h"

#include "billing/ask.h"
#include "billing/chequeosepa.h"
#include "billing/forms/frmask.h"
#include "billing/forms/frmfiltromes.h"
#include "billing/forms/frmfuncionesfacturas.h"
#include "billing/forms/frmgenerarfacturas.h"
#include "billing/forms/frmgenerarliquidaciones.h"
#include "billing/forms/frmresultadoproceso.h"
#include "billing/forms/frmtextoconcepto.h"

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
