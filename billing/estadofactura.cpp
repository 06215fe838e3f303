#include "billing/estadofactura.h"

#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"

namespace zmk {

int EstadoFactura(TDataSet& dataSet) {
    TField* cobrada = dataSet.FindField(QStringLiteral("CobradaT15"));
    TField* devuelta = dataSet.FindField(QStringLiteral("DevueltaT15"));
    if (!cobrada || !devuelta) return kFacturaIndeterminada;
    if (devuelta->AsBoolean()) return kFacturaDevuelta;
    if (cobrada->AsBoolean()) return kFacturaCobrada;
    return kFacturaPendiente;
}

void ExigirFacturaModificable(int idFactura) {
    auto ds = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T15FacturasCab WHERE IDFacturaCabT15=") + ValorSQL(idFactura),
        true);
    ds->Open();
    switch (EstadoFactura(*ds)) {
        case kFacturaPendiente:
            return;
        case kFacturaCobrada:
            throw EZMKError(
                ProgramStringFmt(10103, {ds->FieldByName(QStringLiteral("NumeroT15")).AsString(),
                                         ds->FieldByName(QStringLiteral("SerieT15")).AsString()}));
        case kFacturaDevuelta:
            throw EZMKError(ProgramString(10104));
        default:
            throw EZMKError(ProgramString(10102));
    }
}

}  // namespace zmk
