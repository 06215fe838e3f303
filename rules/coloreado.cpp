#include "rules/coloreado.h"

#include "host/controls.h"
#include "host/datarules.h"
#include "host/dataset.h"
#include "host/grid.h"
#include "host/parametres.h"
#include "rules/fuentesdatos.h"
#include "rules/reglasestado.h"

namespace zmk {

namespace {

using namespace fuente;

const QColor kGrisFondo(222, 222, 222);
const QColor kGrisTexto(128, 128, 128);
const QColor kPlata(192, 192, 192);

TEstiloFila EstiloConcepto(TDataSet& ds) {
    TEstiloFila estilo;
    TField* padre = ds.FindField(QStringLiteral("IDConcMatrPadreT14"));
    if (padre && !padre->IsNull()) {
        estilo.cambia = true;
        estilo.cursiva = true;
        estilo.fondo = QColor(226, 254, 232);
    }
    TField* activo = ds.FindField(QStringLiteral("ActivoT14"));
    if (activo && !activo->AsBoolean()) {
        estilo.cambia = true;
        estilo.fondo = kGrisFondo;
        estilo.texto = kGrisTexto;
    }
    TField* cuota = ds.FindField(QStringLiteral("EsCuotaT14"));
    if (cuota && cuota->AsBoolean()) {
        estilo.cambia = true;
        estilo.negrita = true;
    }
    return estilo;
}

TEstiloFila EstiloActivo(TDataSet& ds) {
    TEstiloFila estilo;
    for (const char* nombre : {"ActivaT02", "ActivoT03", "ActivoT05", "ActivaT18", "ActivoT01"}) {
        TField* flag = ds.FindField(QString::fromLatin1(nombre));
        if (!flag) continue;
        if (flag->IsNull()) {
            estilo.cambia = true;
            estilo.fondo = kGrisFondo;
            estilo.texto = kPlata;
            estilo.normal = true;
        } else if (!flag->AsBoolean()) {
            estilo.cambia = true;
            estilo.texto = kGrisTexto;
            estilo.cursiva = true;
        }
        break;
    }
    return estilo;
}

// Form creation: the form's grid, when it is the grid the screen passes, takes the colours of
// the form's node.
void ColorearRejillaDelFormulario(const TProcCall& call) {
    auto* form = dynamic_cast<TZMKForm*>(call.form);
    auto* rejilla = Parametres().AsObject<TZMKDBGrid>(QStringLiteral("PRMIP_DBGRID"));
    if (!form || !rejilla || !form->FindComponent(QStringLiteral("DBGrid"))) return;
    ColoreadoRejillas().Asignar(rejilla, call.nodeId);
}

std::map<int, TEstilosFilas>& EstilosAnadidos() {
    static std::map<int, TEstilosFilas> estilos;
    return estilos;
}

}  // namespace

void AddEstiloFilas(int dataSourceId, TEstilosFilas estilo) {
    EstilosAnadidos()[dataSourceId] = std::move(estilo);
}

TEstiloFila EstiloFila(int dataSourceId, TDataSet& dataSet) {
    if (dataSet.IsEmpty() && dataSet.State() == TDataSetState::Browse) return {};
    if (auto it = EstilosAnadidos().find(dataSourceId); it != EstilosAnadidos().end())
        return it->second(dataSet);
    switch (dataSourceId) {
        case kListaConceptos:
        case kListaConceptos2:
            return EstiloConcepto(dataSet);
        default:
            return EstiloActivo(dataSet);
    }
}

void TColoreadoRejillas::Asignar(const TZMKDBGrid* grid, int dataSourceId) {
    rejillas_[grid->Handle()] = dataSourceId;
}

void TColoreadoRejillas::Quitar(const TZMKDBGrid* grid) {
    rejillas_.erase(grid->Handle());
}

bool TColoreadoRejillas::Colorea(const TZMKDBGrid* grid) const {
    return rejillas_.count(grid->Handle()) > 0;
}

TEstiloFila TColoreadoRejillas::EstiloCelda(const TZMKDBGrid& grid, bool seleccionada) const {
    auto it = rejillas_.find(grid.Handle());
    if (seleccionada || it == rejillas_.end()) return {};
    return EstiloFila(it->second, grid.DataSet());
}

TColoreadoRejillas& ColoreadoRejillas() {
    static TColoreadoRejillas coloreado;
    return coloreado;
}

void RegisterColoreado() {
    AddFormCreateRule(kAnyDataSource, ColorearRejillaDelFormulario);
}

}  // namespace zmk
