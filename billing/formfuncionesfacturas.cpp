// "Aceptar" of the invoice functions form, without widgets.
#include "billing/formfuncionesfacturas.h"

#include "billing/ask.h"
#include "billing/estadofactura.h"
#include "billing/funcionesfacturas.h"
#include "billing/opciones.h"
#include "core/parametrosapp.h"
#include "core/splash.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/rights.h"
#include "host/transactionguard.h"
#include "rules/cascadas.h"
#include "rules/comunes.h"

namespace zmk {

namespace {

const QString kClaveNumerar = QStringLiteral("TFRMFuncionesFacturas.BBAcceptarClick.numerar");
const QString kClaveFechar = QStringLiteral("TFRMFuncionesFacturas.BBAcceptarClick.fechar");
const QString kPrmImprimir = QStringLiteral("PRM_DLL_ImprimirFacturaEnFuncFact");
const QString kPrmDesfacturar = QStringLiteral("PRM_DLL_DesfacturarAlBorrar");

void Recordar(const QString& nombre, bool valor) {
    Parametres().SetParametreValue(nombre, valor);
    Parametres().SetWritables(nombre, true);
}

[[noreturn]] void Rechazar(int numero, const QString& descripcion) {
    throw EZMKError(ProgramStringFmt(numero, {descripcion}));
}

// Collects the invoice on the data set's current row, asking what the options leave open.
void Cobrar(TDataSet& ds, int id, const TFormFuncionesFacturas& f) {
    const QString descripcion = DescripcionFactura(ds);
    if (EstadoFactura(ds) != kFacturaPendiente) Rechazar(10439, descripcion);
    bool numerar = false;
    if (ds.FieldByName(QStringLiteral("NumeroT15")).IsNull()) {
        numerar = ParametrosApp().AsBoolean(QStringLiteral("NumerarFacturaAlCobrar"), false);
        if (!numerar) {
            switch (Preguntar(ProgramString(10435), ProgramStringFmt(10436, {descripcion}),
                              kPermiteTodas, kClaveNumerar)) {
                case raSi:
                    numerar = true;
                    break;
                case raNo:
                    break;
                case raCancelar:
                    throw EAbort();
            }
        }
    }
    bool cambiarFecha = false;
    TField& fecha = ds.FieldByName(QStringLiteral("FechaT15"));
    if (numerar || fecha.IsNull()) {
        cambiarFecha =
            ParametrosApp().AsBoolean(QStringLiteral("ModificarFechaFacturaAlCobrar"), false);
        if (!cambiarFecha) {
            const QString actual =
                fecha.IsNull() ? QString()
                               : fecha.AsDateTime().date().toString(QStringLiteral("dd/MM/yyyy"));
            switch (Preguntar(
                ProgramString(10437),
                ProgramStringFmt(10438, {descripcion, actual,
                                         f.fechaCobro.toString(QStringLiteral("dd/MM/yyyy"))}),
                kPermiteTodas, kClaveFechar)) {
                case raSi:
                    cambiarFecha = true;
                    break;
                case raNo:
                    break;
                case raCancelar:
                    throw EAbort();
            }
        }
    }
    CobrarFactura(id, 0, numerar, f.idFormaCobro, f.fechaCobro, cambiarFecha, f.fechaCobro, true);
}

}  // namespace

TFormFuncionesFacturas TFormFuncionesFacturas::Inicial() {
    TFormFuncionesFacturas f;
    f.fechaCobro = f.fechaDevolucion = Hoy();
    f.imprimir = FormatoFactura() > 0 && Parametres().AsBoolean(kPrmImprimir, false);
    f.desfacturar = Parametres().AsBoolean(kPrmDesfacturar, true);
    return f;
}

int TFormFuncionesFacturas::Aceptar() const {
    RequireTableRight(QStringLiteral("T15FacturasCab"), QStringLiteral("Facturas"),
                      accion == TAccionFactura::Borrar ? TTableRight::Delete : TTableRight::Modify);
    Recordar(kPrmImprimir, imprimir);
    OlvidarRespuesta(kClaveNumerar);
    OlvidarRespuesta(kClaveFechar);

    int titulo = 0, resumen = 0;
    switch (accion) {
        case TAccionFactura::Devolver:
            titulo = 10426, resumen = 10447;
            break;
        case TAccionFactura::Cobrar:
            titulo = 10427, resumen = 10446;
            break;
        case TAccionFactura::AnularDevolucion:
            titulo = 10428, resumen = 10449;
            break;
        case TAccionFactura::AnularCobro:
            titulo = 10430, resumen = 10448;
            break;
        case TAccionFactura::Borrar:
            titulo = 10432, resumen = 10450;
            break;
        case TAccionFactura::Ninguna:
            break;
    }
    if (accion == TAccionFactura::AnularDevolucion || accion == TAccionFactura::AnularCobro) {
        const int aviso = accion == TAccionFactura::AnularDevolucion ? 10429 : 10431;
        if (!PreguntaSiNo(ProgramString(aviso), TMsgIcon::Warning, TMsgButton::No)) throw EAbort();
    }
    const bool imprime = imprimir && accion != TAccionFactura::Borrar && FormatoFactura() >= 1;
    if (accion == TAccionFactura::Ninguna && !imprimir) throw EZMKError(ProgramString(10433));
    if (accion == TAccionFactura::Ninguna) {
        ImprimirFacturas(ids);
        return 0;
    }

    TDataBaseZMK& db = DefaultDB();
    int aplicadas = 0;
    TTransactionGuard transaccion(db);
    TSplashLevel progreso(ProgramString(titulo), QString());
    auto tabla = db.GetTDataSet(QStringLiteral("T15FacturasCab"));
    tabla->Open();
    Currency total;
    const int n = int(ids.size());
    for (int i = 0; i < n; ++i) {
        const int id = ids[i];
        if (!tabla->Locate(QStringLiteral("IDFacturaCabT15"), id))
            throw EZMKError(ProgramStringFmt(10434, {id}));
        const QString descripcion = DescripcionFactura(*tabla);
        Splash().SetText(descripcion, i * 100 / n);
        total += tabla->FieldByName(QStringLiteral("ImporteTotalT15")).AsCurrency();
        const bool enRemesa = !tabla->FieldByName(QStringLiteral("IDNorma19T15")).IsNull();
        const int estado = EstadoFactura(*tabla);
        switch (accion) {
            case TAccionFactura::Cobrar:
                Cobrar(*tabla, id, *this);
                break;
            case TAccionFactura::Devolver:
                if (estado != kFacturaCobrada) Rechazar(10440, descripcion);
                DevolverFactura(id, QVariant(), fechaDevolucion);
                break;
            case TAccionFactura::AnularDevolucion:
                if (estado != kFacturaDevuelta) Rechazar(10441, descripcion);
                AnularDevolucion(id);
                break;
            case TAccionFactura::AnularCobro:
                if (enRemesa) Rechazar(10442, descripcion);
                if (estado != kFacturaCobrada) Rechazar(10443, descripcion);
                AnularCobro(id);
                break;
            case TAccionFactura::Borrar:
                if (enRemesa) Rechazar(10444, descripcion);
                EliminarFactura(id, true, desfacturar);
                break;
            case TAccionFactura::Ninguna:
                break;
        }
        ++aplicadas;
    }
    const QString titular = ProgramString(resumen);
    if (aplicadas == 0) throw EZMKError(titular + ProgramString(10455));
    const QString hecho = aplicadas == 1 ? titular + ProgramString(10452)
                                         : titular + ProgramStringFmt(10451, {aplicadas});
    if (!PreguntaSiNo(ProgramStringFmt(10453, {hecho, FormatoDivisa(total), NombreCortoDivisa()}),
                      TMsgIcon::Question, TMsgButton::No))
        throw EZMKError(ProgramString(10454));
    transaccion.Commit();
    Recordar(kPrmDesfacturar, desfacturar);
    if (imprime) ImprimirFacturas(ids);
    return aplicadas;
}

}  // namespace zmk
