#include "rules/reglasconceptos.h"

#include <QSet>
#include <QSqlQuery>

#include "core/splash.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/controls.h"
#include "host/database.h"
#include "host/datarules.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "rules/comunes.h"
#include "rules/conceptos.h"
#include "rules/guardas.h"
#include "rules/reglasborrado.h"

namespace zmk {
namespace {

constexpr int kConceptos = 242;
constexpr int kMatriculas = 186;
constexpr int kGrupos = 14;

bool Editando(const TDataSet& ds) {
    return ds.State() == TDataSetState::Edit || ds.State() == TDataSetState::Insert;
}

bool Es(const TField* field, const char* name) {
    return field && field->FieldName().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

bool Fijado(TDataSet& ds, const char* name) {
    TField* f = ds.FindField(QLatin1String(name));
    return f && !f->IsNull();
}

int Entero(TDataSet& ds, const char* name) {
    TField* f = ds.FindField(QLatin1String(name));
    return f ? f->AsInteger() : 0;
}

Currency Importe(TDataSet& ds, const char* name) {
    return ds.FieldByName(QLatin1String(name)).AsCurrency();
}

TZMKForm* FormActual() {
    return Parametres().AsObject<TZMKForm>(QStringLiteral("PRMIP_ZMKFORM"));
}

// The data-entry controls: those inside the entry panel that edit a field.
template <class F>
void ParaCadaControlDeDatos(TZMKForm& form, F visita) {
    TZMKControl* panel = form.FindComponent(QStringLiteral("PControlsEntradaDades"));
    if (!panel) return;
    panel->ForEachDescendant([&](TZMKControl& c) {
        if (c.HasDataField()) visita(c);
    });
}

void ExigirPropietariosActivos(TDataSet& ds) {
    ExigirActivoCurso(Entero(ds, "IDCursoT14"));
    ExigirActivoGrupo(Entero(ds, "IDGrupoT14"));
    ExigirActivaMatricula(Entero(ds, "IDMatriculaT14"));
}

void EstadoFormConcepto(TDataSet& ds, TField*) {
    if (TZMKForm* form = FormActual()) AplicarEstadoFormConcepto(*form, ds);
}

void ComprobarAntesDeGuardarConcepto(TDataSet& ds) {
    ComprobarEdicionPendiente();
    ExigirPropietariosActivos(ds);
    if (Fijado(ds, "IDConcMatrPadreT14") && Fijado(ds, "IDConceptoMatriculaT14") &&
        Entero(ds, "IDConcMatrPadreT14") == Entero(ds, "IDConceptoMatriculaT14"))
        throw EZMKError(QStringLiteral("Un concepto no se puede enlazar a si mismo"));
    if (!Fijado(ds, "IDTarifaPreciosT14") && !Fijado(ds, "TPCIvaT14"))
        ds.FieldByName(QStringLiteral("TPCIvaT14")).SetAsCurrency(IvaPorDefecto());
    ComprobarIva(ds.FieldByName(QStringLiteral("TPCIvaT14")).Value());
    if (!Fijado(ds, "IDMatriculaT14") && !Fijado(ds, "IDCursoT14") && !Fijado(ds, "IDGrupoT14") &&
        !Fijado(ds, "IDPlantillaCobroT14"))
        throw EZMKError(
            QStringLiteral("Error: No ha seleccionado Plantilla, Curso, Grupo o Matrícula"));
    if (Fijado(ds, "IDTarifaPreciosT14")) {
        QSqlQuery q = DefaultDB().Query(
            QStringLiteral("SELECT IDCentroT07 FROM T07TarifasPrecios WHERE IDTarifaPreciosT07=") +
            ValorSQL(Entero(ds, "IDTarifaPreciosT14")));
        // A tariff that no longer exists is no centre to compare with.
        if (q.next() && VarAEnter(q.value(0)) != Entero(ds, "IDCentroT14"))
            throw EZMKError(QStringLiteral(
                "La tarifa de precios no pertenece al mismo centro, no se puede seleccionar"));
    }
}

void ValoresNuevoConcepto(TDataSet& ds) {
    // Defaults, not typing: the amount rules would otherwise turn the empty VAT into 0 first.
    TGuardaActiva guarda(GuardaCampos());
    ds.FieldByName(QStringLiteral("UnidadesT14")).SetAsCurrency(Currency(1));
    ds.FieldByName(QStringLiteral("TPCDtoT14")).SetAsCurrency(Currency());
    TField& iva = ds.FieldByName(QStringLiteral("TPCIvaT14"));
    if (iva.IsNull()) iva.SetAsCurrency(IvaPorDefecto());
}

void ActualizarTrasGuardarConcepto(TDataSet& ds) {
    if (Fijado(ds, "IDMatriculaT14")) return;
    int curso = Entero(ds, "IDCursoT14");
    int grupo = Entero(ds, "IDGrupoT14");
    if (EstadoAntesDePost() == TDataSetState::Insert)
        CrearConceptosHeredados(curso, grupo);
    else
        ActualizarConceptosHeredados(curso, grupo, Entero(ds, "IDConceptoMatriculaT14"));
}

void ActualizarTrasGuardarMatricula(TDataSet& ds) {
    ComprobarEdicionPendiente();
    int grupo = 0;
    int curso = 0;
    if (ds.FieldByName(QStringLiteral("ActivaT02")).AsBoolean()) {
        grupo = Entero(ds, "IDGrupoT02");
        QSqlQuery q = DefaultDB().Query(
            QStringLiteral("SELECT * FROM T05Grupos WHERE IDGrupoT05=") + ValorSQL(grupo));
        if (q.next()) curso = VarAEnter(q.value(QStringLiteral("IDCursoT05")));
    }
    TSplashLevel nivel(QStringLiteral("Actualizando datos"),
                       QStringLiteral("Actualizando conceptos de cobro de la matrícula"));
    EliminarConceptosHeredadosHuerfanos();
    CrearConceptosHeredados(curso, grupo);
}

void ActualizarTrasGuardarGrupo(TDataSet& ds) {
    int grupo = Entero(ds, "IDGrupoT05");
    if (grupo <= 0) throw EZMKError(QStringLiteral("No se puede determinar la clase"));
    int curso =
        ds.FieldByName(QStringLiteral("ActivoT05")).AsBoolean() ? Entero(ds, "IDCursoT05") : 0;
    TSplashLevel nivel(QStringLiteral("Actualizando datos"),
                       QStringLiteral("Actualizando conceptos de cobro de la clase"));
    EliminarConceptosHeredadosHuerfanos();
    CrearConceptosHeredados(curso, grupo);
}

void ComprobarAntesDeBorrarConcepto(TDataSet& ds) {
    ComprobarEdicionPendiente();
    ExigirActivaMatricula(Entero(ds, "IDMatriculaT14"));
    ExigirActivoCurso(Entero(ds, "IDCursoT14"));
    ExigirActivoGrupo(Entero(ds, "IDGrupoT14"));
    if (Fijado(ds, "IDConcMatrPadreT14"))
        throw EZMKError(QStringLiteral(
            "Este concepto es heredado y no se puede eliminar\n\nSi no desea aplicarlo, puede "
            "DESACTIVARLO o ACTIVARLO"));
    // The copies and the row go together or not at all.
    const int id = Entero(ds, "IDConceptoMatriculaT14");
    BorrarEnUnaTransaccion([id] { EliminarConcepto(id, true); });
}

void EstadoBotonDuplicar(TDataSet& ds) {
    TZMKForm* form = FormActual();
    if (!form) return;
    TZMKControl* boton = form->FindComponent(QStringLiteral("ZMKsbDuplicar"));
    if (!boton) return;
    TDataSet* pantalla = Parametres().AsObject<TDataSet>(QStringLiteral("PRMIP_DATASET"));
    boton->SetEnabled(!Editando(pantalla ? *pantalla : ds));
}

void EnlazarDuplicar(const TProcCall& call) {
    auto* form = dynamic_cast<TZMKForm*>(call.form);
    if (!form) form = FormActual();
    if (!form) return;
    if (TZMKControl* boton = form->FindComponent(QStringLiteral("ZMKsbDuplicar")))
        boton->SetOnClick([] { DuplicarConcepto(); });
}

}  // namespace

void ActualizarImportesConcepto(TDataSet& ds, TField* field) {
    if (!field || !Editando(ds) || GuardaCampos()) return;
    TImportesLinea a{Importe(ds, "ImporteBaseT14"), Importe(ds, "BaseImponibleT14"),
                     Importe(ds, "ImporteIvaIncluidoT14")};
    Currency u = Importe(ds, "UnidadesT14");
    Currency d = Importe(ds, "TPCDtoT14");
    Currency v = Importe(ds, "TPCIvaT14");
    if (Es(field, "IDTarifaPreciosT14")) {
        if (field->IsNull()) return;
        QSqlQuery q = DefaultDB().Query(
            QStringLiteral("SELECT * FROM T07TarifasPrecios WHERE IDTarifaPreciosT07=") +
            ValorSQL(field->AsInteger()));
        if (!q.next()) return;
        auto leer = [&](const char* c) {
            return VarToCurrency(q.value(QLatin1String(c))).value_or(Currency());
        };
        v = leer("TPCIvaT07");
        a = ImportesDesdeTarifa(leer("ImporteSinIVAT07"), v, leer("ImporteConIVAT07"), u, d);
    } else if (Es(field, "ImporteBaseT14") || Es(field, "UnidadesT14") || Es(field, "TPCDtoT14") ||
               Es(field, "TPCIvaT14")) {
        a = CalcularImportesLinea(a.precio, u, d, v);
    } else if (Es(field, "BaseImponibleT14")) {
        a = CalcularImportesDesdeBase(a, u, d, v);
    } else if (Es(field, "ImporteIvaIncluidoT14")) {
        if (Fijado(ds, "IDMatriculaT14") && Fijado(ds, "IDTarifaPreciosT14")) {
            TDescuentoDesdeTotal r =
                CalcularDescuentoDesdeTotal(a.total, a.precio, u, d, a.base, v);
            a.total = r.total;
            a.base = r.base;
            d = r.dto;
        } else {
            a = CalcularImportesDesdeTotal(a, u, d, v);
        }
    } else {
        return;
    }
    TGuardaActiva guarda(GuardaCampos());
    ds.FieldByName(QStringLiteral("ImporteBaseT14")).SetAsCurrency(a.precio);
    ds.FieldByName(QStringLiteral("BaseImponibleT14")).SetAsCurrency(a.base);
    ds.FieldByName(QStringLiteral("TPCIvaT14")).SetAsCurrency(v);
    ds.FieldByName(QStringLiteral("TPCDtoT14")).SetAsCurrency(d);
    ds.FieldByName(QStringLiteral("ImporteIvaIncluidoT14")).SetAsCurrency(a.total);
}

void AplicarEstadoFormConcepto(TZMKForm& form, TDataSet& ds) {
    if (!ds.Active()) return;
    TNivelPadre padre = TNivelPadre::Ninguno;
    TNivelConcepto nivel = NivelConcepto(ds, &padre);
    if (TZMKControl* etiqueta = form.FindComponent(QStringLiteral("ZMKlblTipoConcepto"))) {
        TEtiquetaConcepto e = EtiquetaConcepto(nivel, padre);
        etiqueta->SetCaption(e.texto);
        if (e.color.isValid()) etiqueta->SetFontColor(e.color);
        etiqueta->SetVisible(e.visible);
    }
    QSet<QString> habilitados;
    QSet<QString> deshabilitados;
    if (nivel == TNivelConcepto::Heredado) {
        // A copy takes its own discount, state, comments and (through the discount) total.
        habilitados = {QStringLiteral("activot14"), QStringLiteral("tpcdtot14"),
                       QStringLiteral("comentariost14"), QStringLiteral("importeivaincluidot14")};
    } else {
        bool deMatricula = nivel == TNivelConcepto::Matricula;
        if (!deMatricula) deshabilitados << QStringLiteral("tpcdtot14");
        if (Fijado(ds, "IDTarifaPreciosT14")) {
            deshabilitados << QStringLiteral("importebaset14") << QStringLiteral("tpcivat14");
            if (!deMatricula)
                deshabilitados << QStringLiteral("importeivaincluidot14")
                               << QStringLiteral("baseimponiblet14");
        }
    }
    ParaCadaControlDeDatos(form, [&](TZMKControl& c) {
        QString campo = c.DataField().toLower();
        c.SetEnabled(nivel == TNivelConcepto::Heredado ? habilitados.contains(campo)
                                                       : !deshabilitados.contains(campo));
    });
    if (TZMKControl* activo = form.FindComponent(QStringLiteral("ZMKcbConceptoActivo")))
        activo->SetVisible(nivel != TNivelConcepto::Curso && nivel != TNivelConcepto::Grupo);
}

void RegisterConceptosRules() {
    static bool registrado = false;
    if (registrado) return;
    registrado = true;
    AddDataChangeRule(kConceptos, ActualizarImportesConcepto);
    AddDataChangeRule(kConceptos, EstadoFormConcepto);
    AddDataRule(TDataEvent::StateChange, kConceptos, EstadoBotonDuplicar);
    AddDataRule(TDataEvent::BeforeEdit, kConceptos, ExigirPropietariosActivos);
    AddDataRule(TDataEvent::AfterInsert, kConceptos, ValoresNuevoConcepto);
    AddDataRule(TDataEvent::BeforePost, kConceptos, ComprobarAntesDeGuardarConcepto);
    AddDataRule(TDataEvent::AfterPost, kConceptos, ActualizarTrasGuardarConcepto);
    AddDataRule(TDataEvent::BeforeDelete, kConceptos, ComprobarAntesDeBorrarConcepto);
    AddDataRule(TDataEvent::AfterPost, kMatriculas, ActualizarTrasGuardarMatricula);
    AddDataRule(TDataEvent::AfterPost, kGrupos, ActualizarTrasGuardarGrupo);
    AddFormCreateRule(kConceptos, EnlazarDuplicar);
}

}  // namespace zmk
