#include "core/centroactual.h"
#include "core/parametrosapp.h"
#include "core/strings.h"
#include "host/datarules.h"
#include "host/errors.h"
#include "rules/register.h"

namespace zmk {

namespace {

constexpr int kFacturasCab = 198;

// Rows of a centre-bound table carry a centre column; they need a current centre.
void ExigirCentroParaInsertar(TDataSet& dataSet) {
    if (IDCentroActual() >= 1) return;
    for (const QString& name : dataSet.FieldNames()) {
        if (name.contains(QLatin1String("IDCentro"), Qt::CaseInsensitive) &&
            name.compare(QLatin1String("IDCentroT20"), Qt::CaseInsensitive) != 0)
            throw EZMKError(QStringLiteral(
                "No ha seleccionado ningún CENTRO\n\nPara poder añadir datos, es necesario "
                "trabajar con\nun centro predeterminado"));
    }
}

void ExigirPermisoFacturaManual(TDataSet&) {
    if (!ParametrosApp().AsBoolean(QStringLiteral("PermitirCrearFactManualmente"), false))
        throw EZMKError(ProgramString(10101));
}

void RechazarBorradoFactura(TDataSet&) {
    throw EZMKError(ProgramString(10108));
}

}  // namespace

void RegisterInsertionRules() {
    AddDataRule(TDataEvent::BeforeInsert, kAnyDataSource, ExigirCentroParaInsertar);
    AddDataRule(TDataEvent::BeforeInsert, kFacturasCab, ExigirPermisoFacturaManual);
    AddDataRule(TDataEvent::BeforeDelete, kFacturasCab, RechazarBorradoFactura);
}

}  // namespace zmk
