#include "host/library.h"

#include <QHash>

#include "host/app.h"
#include "host/controls.h"
#include "host/datarules.h"
#include "host/errors.h"
#include "host/parametres.h"

namespace zmk {

namespace {

QHash<QString, TProcCallback>& Bodies() {
    static QHash<QString, TProcCallback> bodies;
    return bodies;
}

QHash<QString, TProcGuard>& Guards() {
    static QHash<QString, TProcGuard> guards;
    return guards;
}

enum class Target { Given, App };

struct Entry {
    const char* name;
    Target target;
    const char* description;
};

// The registry in its registration order, with the descriptions the application designer sees.
const Entry kEntries[] = {
    {"ControlActiuNomesQuanNoModifiqui", Target::Given,
     "El control passat estara ENABLED si el DataSet no està modificant.\nPRME01 : "
     "TWinControl\nPRME02 : TDataSet"},
    {"FUNCIONES_FACTURAS", Target::App, ""},
    {"AUTOFACTURAR", Target::App, "PRME01 : ModoFacturacion (1->Alumnos 2->Conceptos de cobro)"},
    {"CAMBIO_ACTIVO_CENTRO", Target::App, ""},
    {"CAMBIO_ACTIVO_CURSO", Target::App, ""},
    {"CAMBIO_ACTIVA_CLASE", Target::App, ""},
    {"CAMBIO_ACTIVA_MATRICULA", Target::App, ""},
    {"CAMBIO_ACTIVO_PROFESOR", Target::App, ""},
    {"CAMBIO_ACTIVO_ALUMNO", Target::App, ""},
    {"CAMBIO_DATOS_COBRO_MATRICULA", Target::App, ""},
    {"CAMBIO_BLOQUEADO_BOLETIN", Target::App, ""},
    {"IMPORTAR_FORMATO_BOLETIN", Target::App, ""},
    {"FACTURA_CUE_QUITA_MATRICULA", Target::App, ""},
    {"GUARDA_ARCHIVO_NORMA19", Target::App, ""},
    {"DEVOLUCIONES_NORMA19", Target::App, ""},
    {"FormularioGeneraNorma19", Target::App, ""},
    {"ANULAR_NORMA19", Target::App, ""},
    {"FALTAS_NUEVA_FALTA", Target::App, ""},
    {"FALTAS_BORRA_FALTA", Target::App, ""},
    {"DUPLICAR_GRUPO", Target::App, "Permite duplicar un grupo"},
    {"DUPLICAR_CURSO", Target::App, "Permite duplicar un curso"},
    {"FILTRO_MES_FACTURAR", Target::App,
     "Abre Formulario para poder seleccionar MES/AÑO a facturar:\n0PRMS01: Campo de la base de "
     "datos del mes \nPRMS02: Texto para indicar al filtro\nPRMS03: Mes en número\nPRMS04: "
     "Año\nPRMS05: Si existe la protección para evitar duplicados en opciones, valor TRUE, sinó "
     "un 0\nPRMS06: SQL del filtro en función del PRMS05, para si se quiere aplicar directamente"},
    {"FormularioEnviarSMS", Target::Given,
     "PRME01 : Nom de la taula que conté els telèfons\nPRME02 : Nom del camp \"ID\" de la "
     "taula\nPRME03 : Nom del camp \"Nom\" de la taula\nPRME04 : Nom del camp \"Telèfon\" a on "
     "enviar els missatges\nPRME05 : Camps addicionals per extreure informació (posats com un "
     "select: \"campt01, (a+b) AS camp2, ...\")"},
    {"GeneraDatosMandato", Target::Given,
     "PRME01 : Nom del camp que conté la referencia del mandato\nPRME02 : Nom del camp que conté "
     "la fecha del mandato"},
    {"BuscarCodigoBIC", Target::Given,
     "PRME01 : Nom del camp que conté el IBAN\nPRME02 : Nom del camp que contindrà el codi BIC"},
    {"GENERAR_LIQUIDACIONES", Target::App, ""},
    {"MUESTRA_CENTRO_ACTUAL", Target::App, ""},
    {"ProcedureZMKDataEvent_BEFOREOPEN", Target::App, ""},
    {"ProcedureZMKDataEvent_BEFOREEDIT", Target::App, ""},
    {"ProcedureZMKDataEvent_BEFOREPOST", Target::App, ""},
    {"ProcedureZMKDataEvent_BEFOREDELETE", Target::App, ""},
    {"ProcedureZMKDataEvent_BEFOREINSERT", Target::App, ""},
    {"ProcedureZMKDataEvent_AFTEROPEN", Target::App, ""},
    {"ProcedureZMKDataEvent_AFTEREDIT", Target::App, ""},
    {"ProcedureZMKDataEvent_AFTERPOST", Target::App, ""},
    {"ProcedureZMKDataEvent_AFTERDELETE", Target::App, ""},
    {"ProcedureZMKDataEvent_AFTERINSERT", Target::App, ""},
    {"ProcedureZMKDataEvent_STATECHANGE", Target::App, ""},
    {"ProcedureZMKDataChangeEvent_DATACHANGE", Target::App, ""},
    {"ProcedureZMKFormEvent_CREATE", Target::App, ""},
    {"ProcedureZMKFormEvent_DESTROY", Target::App, ""},
};

void ControlActiuNomesQuanNoModifiqui(const TProcCall&) {
    auto* control = Parametres().AsObject<TZMKControl>(QStringLiteral("PRME01"));
    auto* data_set = Parametres().AsObject<TDataSet>(QStringLiteral("PRME02"));
    if (!control || !data_set) return;
    TDataSetState state = data_set->State();
    control->SetEnabled(state != TDataSetState::Edit && state != TDataSetState::Insert);
}

TProcCallback DataEventHook(TDataEvent event) {
    return [event](const TProcCall& call) {
        if (call.dataSet) RunDataRules(event, *call.dataSet, call.dataSourceId);
    };
}

void NoRule(const TProcCall&) {}

TProcCallback BodyFor(const QString& name) {
    if (name == QLatin1String("ControlActiuNomesQuanNoModifiqui"))
        return ControlActiuNomesQuanNoModifiqui;
    static const QHash<QString, TDataEvent> kHooks = {
        {QStringLiteral("ProcedureZMKDataEvent_BEFOREEDIT"), TDataEvent::BeforeEdit},
        {QStringLiteral("ProcedureZMKDataEvent_BEFOREPOST"), TDataEvent::BeforePost},
        {QStringLiteral("ProcedureZMKDataEvent_BEFOREDELETE"), TDataEvent::BeforeDelete},
        {QStringLiteral("ProcedureZMKDataEvent_BEFOREINSERT"), TDataEvent::BeforeInsert},
        {QStringLiteral("ProcedureZMKDataEvent_AFTERPOST"), TDataEvent::AfterPost},
        {QStringLiteral("ProcedureZMKDataEvent_AFTERDELETE"), TDataEvent::AfterDelete},
        {QStringLiteral("ProcedureZMKDataEvent_AFTERINSERT"), TDataEvent::AfterInsert},
        {QStringLiteral("ProcedureZMKDataEvent_STATECHANGE"), TDataEvent::StateChange},
    };
    if (auto it = kHooks.find(name); it != kHooks.end()) return DataEventHook(it.value());
    if (name == QLatin1String("ProcedureZMKDataEvent_BEFOREOPEN") ||
        name == QLatin1String("ProcedureZMKDataEvent_AFTEROPEN") ||
        name == QLatin1String("ProcedureZMKDataEvent_AFTEREDIT") ||
        name == QLatin1String("ProcedureZMKFormEvent_DESTROY"))
        return NoRule;
    if (name == QLatin1String("ProcedureZMKDataChangeEvent_DATACHANGE"))
        return [](const TProcCall& call) {
            if (call.dataSet) RunDataChangeRules(*call.dataSet, call.field, call.dataSourceId);
        };
    if (name == QLatin1String("ProcedureZMKFormEvent_CREATE")) return RunFormCreateRules;
    // The four remittance procedures share one body.
    static const QStringList kNorma19 = {
        QStringLiteral("GUARDA_ARCHIVO_NORMA19"), QStringLiteral("DEVOLUCIONES_NORMA19"),
        QStringLiteral("FormularioGeneraNorma19"), QStringLiteral("ANULAR_NORMA19")};
    QString body_name = kNorma19.contains(name) ? kNorma19.first() : name;
    // Looked up when called, so subsystems may provide bodies before or after registration.
    return [name, body_name](const TProcCall& call) {
        if (auto guard = Guards().find(name); guard != Guards().end() && !guard.value()(call))
            return;
        auto it = Bodies().find(body_name);
        if (it == Bodies().end())
            throw EProcedureNotAvailable(
                QStringLiteral("La función \"%1\" todavía no está disponible en "
                               "esta versión del programa.")
                    .arg(name));
        TProcCallback body = it.value();
        body(call);
    };
}

}  // namespace

void SetProcedureBody(const QString& name, TProcCallback body) {
    Bodies().insert(name, std::move(body));
}

bool HasProcedureBody(const QString& name) {
    return Bodies().contains(name);
}

void SetProcedureGuard(const QString& name, TProcGuard guard) {
    Guards().insert(name, std::move(guard));
}

void REGISTER_LIBRARY(TProcedureZMK& registry) {
    TProcedureZMK& app_registry = registry.Owner() ? registry.Owner()->Procedures() : registry;
    for (const Entry& e : kEntries) {
        QString name = QString::fromUtf8(e.name);
        TProcedureZMK& target = e.target == Target::Given ? registry : app_registry;
        target.RegisterProcedure(name, QString::fromUtf8(e.description), BodyFor(name));
    }
}

}  // namespace zmk
