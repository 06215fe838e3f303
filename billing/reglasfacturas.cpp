// The data rules of invoices and settlements: an invoice's centre, series and number before it
// is saved, only pending invoices change, a line's defaults, and the totals and receipt text
// kept in step with the lines.
#include "billing/reglasfacturas.h"

#include <QSqlQuery>

#include "billing/estadofactura.h"
#include "billing/factura.h"
#include "billing/textorecibo.h"
#include "core/importes.h"
#include "core/parametrosapp.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datarules.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "rules/coloreado.h"
#include "rules/comunes.h"
#include "rules/fuentesdatos.h"

namespace zmk {

namespace {

using namespace fuente;

void AntesDeGuardarFactura(TDataSet& ds) {
    TField& alumno = Campo(ds, "IDAlumnoT15");
    if (!alumno.IsNull()) {
        QSqlQuery q = DefaultDB().Query(
            QStringLiteral("SELECT IDCentroT01 FROM T01Alumnos WHERE IDAlumnoT01=") +
            ValorSQL(alumno.AsInteger()));
        // A student that is not found has no centre to differ from.
        if (q.next() && VarAEnter(q.value(0)) != Clave(ds, "IDCentroT15"))
            throw EZMKError(
                QStringLiteral("El alumno no pertenece al mismo centro, no se puede seleccionar"));
    }
    if (ds.State() != TDataSetState::Insert) return;
    TField& serie = Campo(ds, "IDSerieT15");
    if (ParametrosApp().AsBoolean(QStringLiteral("FacturarObligarSerieEnFacturas"), true) &&
        serie.IsNull())
        throw EZMKError(ProgramString(10109));
    TField& numero = Campo(ds, "NumeroT15");
    if (ParametrosApp().AsBoolean(QStringLiteral("NumerarFacturas"), true) && numero.IsNull() &&
        !serie.IsNull()) {
        ConContador([&] {
            const int siguiente = SiguienteNumeroFactura(serie.Value());
            numero.SetValue(siguiente);
            ModificaRegistres(DefaultDB(), QStringLiteral("T18Series"),
                              QStringLiteral("NSiguienteFacturaT18=") + ValorSQL(siguiente + 1),
                              QStringLiteral("IDSerieT18=") + ValorSQL(serie.AsInteger()));
        });
    }
}

void AntesDeGuardarLineaFactura(TDataSet& ds) {
    ComprobarEdicionPendiente();
    TField& factura = Campo(ds, "IDFacturaCabT16");
    if (factura.IsNull())
        throw EZMKError(QStringLiteral("No se puede determinar la factura a la que pertenece"));
    ExigirFacturaModificable(factura.AsInteger());
    ComprobarIva(Campo(ds, "TPCIvaT16").Value());
}

void RecalcularLineaLiquidacion(TDataSet& ds) {
    Campo(ds, "ImporteLineaT28")
        .SetAsCurrency(ImporteLineaLiquidacion(Campo(ds, "UnidadesT28").AsCurrency(),
                                               Campo(ds, "PrecioUnitarioT28").AsCurrency()));
}

void NuevaLineaFactura(TDataSet& ds) {
    Campo(ds, "UnidadesT16").SetAsCurrency(Currency(1));
    Campo(ds, "TPCDtoT16").SetAsCurrency(Currency());
    Campo(ds, "ImporteBaseT16").SetAsCurrency(Currency());
    TField& iva = Campo(ds, "TPCIvaT16");
    if (iva.IsNull()) iva.SetAsCurrency(IvaPorDefecto());
}

// The invoice or settlement of a line being deleted, from BEFOREDELETE to AFTERDELETE; the host
// runs one event pair at a time.
int g_facturaBorrada = 0;
int g_liquidacionBorrada = 0;

void TotalLiquidacion(int idLiquidacion) {
    TDataBaseZMK& db = DefaultDB();
    auto lineas = db.GetTSQLDataSet(
        QStringLiteral(
            "SELECT ImporteLineaT28 FROM T28LiquidacionesCue WHERE IDLiquidacionCabT28=") +
            ValorSQL(idLiquidacion),
        true);
    lineas->Open();
    Currency total;
    for (lineas->First(); !lineas->Eof(); lineas->Next())
        total += Campo(*lineas, "ImporteLineaT28").AsCurrency();
    ModificaRegistres(db, QStringLiteral("T27LiquidacionesCab"),
                      QStringLiteral("ImporteLiquidadoT27=") + ValorSQL(QVariant::fromValue(total)),
                      QStringLiteral("IDLiquidacionCabT27=") + ValorSQL(idLiquidacion));
}

// Invoices in lists take the colour of their state.
TEstiloFila EstiloFactura(TDataSet& ds) {
    TEstiloFila estilo;
    estilo.cambia = true;
    switch (EstadoFactura(ds)) {
        case kFacturaPendiente:
            estilo.texto = QColor(255, 0, 0);
            break;
        case kFacturaCobrada:
            estilo.texto = QColor(0, 128, 0);
            break;
        case kFacturaDevuelta:
            estilo.texto = QColor(128, 0, 128);
            break;
        default:
            estilo.texto = QColor(192, 192, 192);
    }
    return estilo;
}

}  // namespace

void RegisterReglasFacturas() {
    using E = TDataEvent;
    AddDataRule(E::BeforeEdit, kFacturasCab,
                [](TDataSet& ds) { ExigirFacturaModificable(Clave(ds, "IDFacturaCabT15")); });
    AddDataRule(E::BeforeEdit, kFacturasCue,
                [](TDataSet& ds) { ExigirFacturaModificable(Clave(ds, "IDFacturaCabT16")); });
    AddDataRule(E::BeforePost, kFacturasCab, AntesDeGuardarFactura);
    AddDataRule(E::BeforePost, kFacturasCue, AntesDeGuardarLineaFactura);
    AddDataRule(E::BeforePost, kLiquidacionesCue, RecalcularLineaLiquidacion);
    AddDataRule(E::AfterInsert, kFacturasCue, NuevaLineaFactura);
    AddDataRule(E::AfterPost, kFacturasCab,
                [](TDataSet& ds) { GenerarTextoRecibo(Clave(ds, "IDFacturaCabT15")); });
    AddDataRule(E::AfterPost, kFacturasCue, [](TDataSet& ds) {
        ComprobarEdicionPendiente();
        RecalcularFactura(Clave(ds, "IDFacturaCabT16"));
    });
    AddDataRule(E::BeforeDelete, kFacturasCue, [](TDataSet& ds) {
        const int factura = Clave(ds, "IDFacturaCabT16");
        ExigirFacturaModificable(factura);
        g_facturaBorrada = factura;
    });
    AddDataRule(E::AfterDelete, kFacturasCue,
                [](TDataSet&) { RecalcularFactura(g_facturaBorrada); });
    AddDataRule(E::AfterPost, kLiquidacionesCue, [](TDataSet& ds) {
        ComprobarEdicionPendiente();
        TotalLiquidacion(Clave(ds, "IDLiquidacionCabT28"));
    });
    AddDataRule(E::BeforeDelete, kLiquidacionesCue,
                [](TDataSet& ds) { g_liquidacionBorrada = Clave(ds, "IDLiquidacionCabT28"); });
    AddDataRule(E::AfterDelete, kLiquidacionesCue,
                [](TDataSet&) { TotalLiquidacion(g_liquidacionBorrada); });

    AddEstiloFilas(kListaFacturas, EstiloFactura);
    AddEstiloFilas(kListaFacturas2, EstiloFactura);
}

}  // namespace zmk
