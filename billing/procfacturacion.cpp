// The library procedures of billing. Their forms run headless here: each choice of a form is
// asked through the prompt service, in the form's order, with the form's initial value as the
// default, so scripted answers (or "ok" for the default) drive them.

#include "billing/formfuncionesfacturas.h"
#include "billing/formgenerarfacturas.h"
#include "billing/funcionesfacturas.h"
#include "billing/generarfacturas.h"
#include "billing/liquidaciones.h"
#include "billing/opciones.h"
#include "core/parametrosapp.h"
#include "core/strings.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/grid.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/querysql.h"
#include "host/rights.h"

namespace zmk {

namespace {

// The typed text, or a silent abort when the user cancels the form.
QString Pide(const QString& caption, const QString& prompt, const QString& def) {
    std::optional<QString> texto = Prompt().InputBox(caption, prompt, def);
    if (!texto) throw EAbort();
    return texto->trimmed();
}

QDate PideFecha(const QString& caption, const QString& prompt, const QDate& def) {
    const QString texto = Pide(caption, prompt, def.toString(Qt::ISODate));
    QDate d = QDate::fromString(texto, Qt::ISODate);
    if (!d.isValid()) d = QDate::fromString(texto, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid()) throw EZMKError(QStringLiteral("'%1' no es una fecha válida").arg(texto));
    return d;
}

int PideEntero(const QString& caption, const QString& prompt, int def, bool vacioEsCero = false) {
    const QString texto =
        Pide(caption, prompt, def > 0 || !vacioEsCero ? QString::number(def) : QString());
    if (texto.isEmpty() && vacioEsCero) return 0;
    bool ok = false;
    const int n = texto.toInt(&ok);
    if (!ok) throw EZMKError(QStringLiteral("'%1' no es un valor entero válido").arg(texto));
    return n;
}

bool PideCasilla(const QString& caption, bool marcada) {
    return PreguntaSiNo(QStringLiteral("¿") + caption + QStringLiteral("?"), TMsgIcon::Question,
                        marcada ? TMsgButton::Yes : TMsgButton::No);
}

TModoSeleccionGrid PideFilas(const QString& caption, const QString& prompt, TZMKDBGrid& grid,
                             bool todasPorDefecto, const QStringList& nombres) {
    TModoSeleccionGrid def = grid.SelectedKeys().size() >= 2 ? msgSeleccionados
                             : todasPorDefecto               ? msgTodos
                                                             : msgActual;
    const QString texto = Pide(caption, prompt, nombres[def]).toLower();
    for (int i = 0; i < nombres.size(); ++i)
        if (texto == nombres[i]) {
            if (i == msgSeleccionados && grid.SelectedKeys().size() < 2)
                throw EZMKError(QStringLiteral("No hay filas seleccionadas"));
            return TModoSeleccionGrid(i);
        }
    throw EZMKError(QStringLiteral("Opción no válida: %1").arg(texto));
}

template <typename T>
T& Dialogo() {
    static T dialogo;
    return dialogo;
}

template <typename T>
T Instala(T dialogo) {
    T anterior = std::move(Dialogo<T>());
    Dialogo<T>() = std::move(dialogo);
    return anterior;
}

void Refrescar() {
    if (TQuerySQL* q = Parametres().AsObject<TQuerySQL>(QStringLiteral("PRMIP_TQUERYSQL")))
        q->RefrescaSQL();
}

void Autofacturar(const TProcCall&) {
    TZMKDBGrid* grid = Parametres().AsObject<TZMKDBGrid>(QStringLiteral("PRMIP_DBGRID"));
    if (!grid) return;
    // Refused before any question: the user could not bill anyway.
    RequireTableRight(QStringLiteral("T15FacturasCab"), QStringLiteral("Facturas"),
                      TTableRight::Add);
    const int modo = Parametres().AsInteger(QStringLiteral("PRME01"), 0);
    if (auto& dialogo = Dialogo<TDialogoGenerarFacturas>()) {
        if (dialogo(*grid, modo)) Refrescar();
        return;
    }
    const QString titulo = ProgramString(10003);
    TFormGenerarFacturas f = TFormGenerarFacturas::Inicial(modo);
    const QStringList filas{QStringLiteral("todos"),
                            modo == TFormGenerarFacturas::kPorConcepto ? QStringLiteral("concepto")
                                                                       : QStringLiteral("alumno"),
                            QStringLiteral("seleccionados")};
    f.Seleccionar(*grid, PideFilas(titulo,
                                   QStringLiteral(" Aplicar a: (") +
                                       filas.join(QStringLiteral(", ")) + QLatin1Char(')'),
                                   *grid, TFormGenerarFacturas::HayMesFiltro(), filas));
    f.fecha = PideFecha(titulo, ProgramString(10007), f.fecha);
    const bool mesLibre = !TFormGenerarFacturas::HayMesFiltro();
    const bool cajaActiva =
        modo == TFormGenerarFacturas::kPorAlumno && f.alumnos.size() <= 1 && mesLibre;
    if (cajaActiva) f.sinMes = PideCasilla(QStringLiteral("Conceptos sin mes asignado"), f.sinMes);
    if (mesLibre && !f.sinMes) {
        f.anyo = PideEntero(titulo, QStringLiteral("Año a Facturar:"), f.anyo);
        f.mes = PideEntero(titulo, QStringLiteral("Mes a facturar:"), f.mes, true);
    }
    f.CargarConceptos();
    f.idSerie = PideEntero(titulo, ProgramString(10005), f.idSerie, true);
    for (TSeleccionConcepto& s : f.seleccion) {
        const QString fila = s.grupo + QStringLiteral(" - ") + s.concepto;
        s.facturar = PreguntaSiNo(QStringLiteral("Facturar / No Facturar:\n") + fila,
                                  TMsgIcon::Question, TMsgButton::No);
        if (!s.facturar) continue;
        const QString u = Pide(titulo, QStringLiteral("Unid. ") + fila,
                               s.unidades.ToString().replace(u'.', u','));
        std::optional<Currency> unidades = Currency::Parse(u);
        if (!unidades)
            throw EZMKError(QStringLiteral("'%1' no es un valor numérico válido").arg(u));
        s.unidades = *unidades;
    }
    const QString accion =
        Pide(titulo, QStringLiteral("Acción: (facturar, cobrar)"), QStringLiteral("facturar"))
            .toLower();
    if (accion != QLatin1String("facturar") && accion != QLatin1String("cobrar"))
        throw EZMKError(QStringLiteral("Opción no válida: %1").arg(accion));
    f.Facturar(accion == QLatin1String("cobrar"));
    Refrescar();
}

void FuncionesFacturas(const TProcCall&) {
    TZMKDBGrid* grid = Parametres().AsObject<TZMKDBGrid>(QStringLiteral("PRMIP_DBGRID"));
    if (!grid) return;
    RequireTableRight(QStringLiteral("T15FacturasCab"), QStringLiteral("Facturas"),
                      TTableRight::Modify);
    if (auto& dialogo = Dialogo<TDialogoFuncionesFacturas>()) {
        if (dialogo(*grid)) Refrescar();
        return;
    }
    const QString titulo = ProgramString(10414);
    TFormFuncionesFacturas f = TFormFuncionesFacturas::Inicial();
    const QStringList filas{QStringLiteral("todas"), QStringLiteral("actual"),
                            QStringLiteral("seleccion")};
    GetIDsDelDBGrid(
        *grid, QStringLiteral("IDFacturaCabT15"),
        PideFilas(titulo, ProgramString(10416) + QStringLiteral(" (actual, todas, seleccion)"),
                  *grid, false, filas),
        f.ids);
    const QStringList acciones{QStringLiteral("ninguna"),
                               QStringLiteral("devolver"),
                               QStringLiteral("cobrar"),
                               QStringLiteral("borrar"),
                               QStringLiteral("anular-devolucion"),
                               QStringLiteral("anular-cobro")};
    const QString accion = Pide(titulo,
                                QStringLiteral(" Tipo de operación: (") +
                                    acciones.join(QStringLiteral(", ")) + QLatin1Char(')'),
                                QStringLiteral("cobrar"))
                               .toLower();
    if (!acciones.contains(accion))
        throw EZMKError(QStringLiteral("Opción no válida: %1").arg(accion));
    f.accion = TAccionFactura(acciones.indexOf(accion));
    if (f.accion == TAccionFactura::Cobrar) {
        f.fechaCobro = PideFecha(titulo, ProgramString(10402), f.fechaCobro);
        f.idFormaCobro = PideEntero(titulo,
                                    ProgramString(10404) + QStringLiteral(" (") +
                                        ProgramString(10420) + QStringLiteral(": vacío)"),
                                    0, true);
    } else if (f.accion == TAccionFactura::Devolver) {
        f.fechaDevolucion = PideFecha(titulo, ProgramString(10403), f.fechaDevolucion);
    } else if (f.accion == TAccionFactura::Borrar) {
        f.desfacturar = PideCasilla(
            QStringLiteral("Volver a marcar los conceptos como facturables"), f.desfacturar);
    }
    if (f.accion != TAccionFactura::Borrar) {
        f.imprimir = PideCasilla(ProgramString(10406), f.imprimir);
        if (f.imprimir &&
            ParametrosApp().AsInteger(QStringLiteral("DefaultFormatoFactura"), 0) < 1) {
            Informa(ProgramString(10456));
            f.imprimir = false;
        }
    }
    f.Aceptar();
    Refrescar();
}

void GenerarLiquidaciones(const TProcCall&) {
    if (!Parametres().AsObject<TZMKDBGrid>(QStringLiteral("PRMIP_DBGRID"))) return;
    if (auto& dialogo = Dialogo<TDialogoGenerarLiquidaciones>()) {
        if (dialogo()) Refrescar();
        return;
    }
    const QString titulo = QStringLiteral("Generar liquidaciones");
    TFormGenerarLiquidaciones f = TFormGenerarLiquidaciones::Inicial();
    f.fechaLiquidacion =
        PideFecha(titulo, QStringLiteral("Fecha de la liquidación"), f.fechaLiquidacion);
    f.FechaCambiada();
    f.descripcion =
        Pide(titulo, QStringLiteral("Descripción de la liquidación"), QString()).left(50);
    const QString tipo = Pide(titulo, QStringLiteral(" Tipo de operación: (periodo, mensual)"),
                              QStringLiteral("periodo"))
                             .toLower();
    if (tipo == QLatin1String("mensual")) {
        f.mensual = true;
        const QString meses =
            Pide(titulo, QStringLiteral("Meses (aaaa-mm, separados por comas)"), QString());
        for (const QString& m : meses.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString t = m.trimmed();
            bool encontrado = false;
            for (int k = 0; k < f.meses.size(); ++k)
                if (f.meses[k].mid(11, 4) + QLatin1Char('-') + f.meses[k].right(2) == t)
                    f.marcados[k] = encontrado = true;
            if (!encontrado) throw EZMKError(QStringLiteral("Mes no válido: %1").arg(t));
        }
    } else if (tipo == QLatin1String("periodo")) {
        f.fechaInicial = PideFecha(titulo, QStringLiteral("Fecha inicial"), f.fechaInicial);
        f.fechaFinal = PideFecha(titulo, QStringLiteral("Fecha final"), f.fechaFinal);
    } else {
        throw EZMKError(QStringLiteral("Opción no válida: %1").arg(tipo));
    }
    f.Aceptar();
    Refrescar();
}

void QuitaMatricula(const TProcCall&) {
    TDataSet* ds = Parametres().AsObject<TDataSet>(QStringLiteral("PRMIP_DATASET"));
    if (!ds) return;
    if (ds->State() != TDataSetState::Edit && ds->State() != TDataSetState::Insert) ds->Edit();
    ds->FieldByName(QStringLiteral("IDConceptoMatriculaT16")).Clear();
}

}  // namespace

TDialogoGenerarFacturas SetDialogoGenerarFacturas(TDialogoGenerarFacturas dialogo) {
    return Instala(std::move(dialogo));
}

TDialogoFuncionesFacturas SetDialogoFuncionesFacturas(TDialogoFuncionesFacturas dialogo) {
    return Instala(std::move(dialogo));
}

TDialogoGenerarLiquidaciones SetDialogoGenerarLiquidaciones(TDialogoGenerarLiquidaciones dialogo) {
    return Instala(std::move(dialogo));
}

void RegisterFacturacionProcedures() {
    SetProcedureBody(QStringLiteral("AUTOFACTURAR"), Autofacturar);
    SetProcedureBody(QStringLiteral("FUNCIONES_FACTURAS"), FuncionesFacturas);
    SetProcedureBody(QStringLiteral("FACTURA_CUE_QUITA_MATRICULA"), QuitaMatricula);
    SetProcedureBody(QStringLiteral("GENERAR_LIQUIDACIONES"), GenerarLiquidaciones);
    RegisterOpcionesFacturacion();
}

}  // namespace zmk
