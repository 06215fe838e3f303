// The rules that follow a field typed on a screen: prices with and without VAT, invoice-line
// and settlement-line amounts, the full name, the enrolment number and the bank-office padding.
#include <QSqlQuery>

#include "core/importes.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datarules.h"
#include "rules/fuentesdatos.h"
#include "rules/guardas.h"
#include "rules/reglasestado.h"

namespace zmk {

namespace {

using namespace fuente;

bool Editando(const TDataSet& ds) {
    return ds.State() == TDataSetState::Edit || ds.State() == TDataSetState::Insert;
}

bool Es(const TField* campo, const char* nombre) {
    return campo->FieldName().compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

Currency Importe(TDataSet& ds, const char* nombre) {
    return Campo(ds, nombre).AsCurrency();
}

void PrecioTarifa(TDataSet& ds, TField* campo) {
    if (!campo || !Editando(ds) || GuardaCampos()) return;
    const Currency iva = Importe(ds, "TPCIvaT07");
    if (Es(campo, "ImporteConIVAT07")) {
        const auto sinIva = PrecioSinIva(Importe(ds, "ImporteConIVAT07"), iva);
        if (!sinIva) return;
        TGuardaActiva guarda(GuardaCampos());
        Campo(ds, "ImporteSinIVAT07").SetAsCurrency(*sinIva);
    } else if (Es(campo, "ImporteSinIVAT07") || Es(campo, "TPCIvaT07")) {
        TGuardaActiva guarda(GuardaCampos());
        Campo(ds, "ImporteConIVAT07")
            .SetAsCurrency(PrecioConIva(Importe(ds, "ImporteSinIVAT07"), iva));
    }
}

void EscribirLinea(TDataSet& ds, const TImportesLinea& linea, bool conPrecio) {
    if (conPrecio) Campo(ds, "ImporteBaseT16").SetAsCurrency(linea.precio);
    Campo(ds, "BaseImponibleT16").SetAsCurrency(linea.base);
    Campo(ds, "ImporteIvaIncluidoT16").SetAsCurrency(linea.total);
}

void ImportesLineaFactura(TDataSet& ds, TField* campo) {
    if (!campo || !Editando(ds) || GuardaLineaFactura()) return;
    const Currency unidades = Importe(ds, "UnidadesT16");
    const Currency dto = Importe(ds, "TPCDtoT16");
    const Currency iva = Importe(ds, "TPCIvaT16");
    if (Es(campo, "ImporteBaseT16") || Es(campo, "BaseImponibleT16") || Es(campo, "UnidadesT16") ||
        Es(campo, "TPCDtoT16") || Es(campo, "TPCIvaT16")) {
        // The base always follows price, units and discount: a typed base does not stay.
        TGuardaActiva guarda(GuardaLineaFactura());
        EscribirLinea(ds, CalcularImportesLinea(Importe(ds, "ImporteBaseT16"), unidades, dto, iva),
                      false);
    } else if (Es(campo, "ImporteIvaIncluidoT16")) {
        TImportesLinea linea = CalcularImportesDesdeTotal(
            {Importe(ds, "ImporteBaseT16"), Importe(ds, "BaseImponibleT16"),
             Importe(ds, "ImporteIvaIncluidoT16")},
            unidades, dto, iva);
        // With no units left after the discount the price goes to zero too.
        if (linea.total.IsZero()) linea.precio = Currency();
        TGuardaActiva guarda(GuardaLineaFactura());
        EscribirLinea(ds, linea, true);
    }
}

void LineaLiquidacion(TDataSet& ds, TField* campo) {
    if (!campo || !Editando(ds)) return;
    if (!Es(campo, "PrecioUnitarioT28") && !Es(campo, "UnidadesT28")) return;
    Campo(ds, "ImporteLineaT28")
        .SetAsCurrency(
            ImporteLineaLiquidacion(Importe(ds, "UnidadesT28"), Importe(ds, "PrecioUnitarioT28")));
}

void NombreCompleto(TDataSet& ds, TField* campo) {
    if (!campo || !Editando(ds)) return;
    if (!Es(campo, "NombreT01") && !Es(campo, "ApellidosT01")) return;
    Campo(ds, "NombreCompletoT01")
        .SetValue(Campo(ds, "ApellidosT01").AsString() + QStringLiteral(", ") +
                  Campo(ds, "NombreT01").AsString());
}

void NumeroMatricula(TDataSet& ds, TField* campo) {
    if (!campo || !Editando(ds) || GuardaCampos() || !Es(campo, "IDAlumnoT02") || campo->IsNull())
        return;
    QSqlQuery q =
        DefaultDB().Query(QStringLiteral("SELECT CodigoT01 FROM T01Alumnos WHERE IDAlumnoT01=") +
                          ValorSQL(campo->AsInteger()));
    const QVariant codigo = q.next() ? q.value(0) : QVariant();
    TGuardaActiva guarda(GuardaCampos());
    Campo(ds, "NMatriculaT02").SetValue(codigo);
}

void RellenoAgenciaOficina(TDataSet& ds, TField* campo) {
    if (!campo || !Editando(ds) || (!Es(campo, "AgenciaT17") && !Es(campo, "OficinaT17"))) return;
    const QString valor = campo->AsString();
    if (valor.isEmpty() || valor.size() == 4) return;
    campo->SetValue(valor.rightJustified(4, QLatin1Char('0')).left(4));
}

}  // namespace

void RegisterReglasCampos() {
    AddDataChangeRule(kTarifas, PrecioTarifa);
    AddDataChangeRule(kFacturasCue, ImportesLineaFactura);
    AddDataChangeRule(kLiquidacionesCue, LineaLiquidacion);
    AddDataChangeRule(kAlumnos, NombreCompleto);
    AddDataChangeRule(kMatriculas, NumeroMatricula);
    AddDataChangeRule(kFormasCobro, RellenoAgenciaOficina);
}

}  // namespace zmk
