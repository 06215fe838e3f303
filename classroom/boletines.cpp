#include "classroom/boletines.h"

#include <QSqlQuery>

#include "classroom/valoresnota.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/controls.h"
#include "host/database.h"
#include "host/datarules.h"
#include "host/errors.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/querysql.h"
#include "rules/comunes.h"
#include "rules/conceptos.h"

namespace zmk {

namespace {

constexpr int kPantallaBoletines = 296;
constexpr int kPantallaNotas = 300;

TSeleccionFormato& Seleccion() {
    static TSeleccionFormato seleccion;
    return seleccion;
}

int Entero(TDataSet& ds, const QString& campo) {
    TField* f = ds.FindField(campo);
    return f ? f->AsInteger() : 0;
}

bool Editando(const TDataSet& ds) {
    const TDataSetState s = ds.State();
    return s == TDataSetState::Edit || s == TDataSetState::Insert || s == TDataSetState::SetKey;
}

TQuerySQL& ConsultaPantalla() {
    auto* query = Parametres().AsObject<TQuerySQL>(QStringLiteral("PRMIP_TQUERYSQL"));
    if (!query) throw EZMKError(QStringLiteral("No hay ningún boletín de notas seleccionado"));
    return *query;
}

QString AccionBloqueo(bool bloqueado) {
    return CaptionBloqueoBoletin(bloqueado);
}

// The record a screen's list shows; a list with no rows has nothing to act on.
void ExigirRegistro(TDataSet& ds) {
    if (ds.IsEmpty() && ds.State() != TDataSetState::Insert)
        throw EZMKError(QStringLiteral("No hay ningún boletín de notas seleccionado"));
}

std::optional<int> PreguntarFormato() {
    auto formatos = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT IDFormatoBoletinNotasT23, DescripcionT23 FROM "
                       "T23FormatosBoletinesNotas ORDER BY DescripcionT23"),
        true);
    formatos->Open();
    if (formatos->IsEmpty())
        throw EZMKError(
            QStringLiteral("No existe ningún formato de boletín de notas para "
                           "importar\n\nCree primero el formato en \"Formatos de "
                           "boletines de notas\""));
    QStringList lineas;
    for (formatos->First(); !formatos->Eof(); formatos->Next())
        lineas << formatos->Fields(0).AsString() + QStringLiteral(" = ") +
                      formatos->Fields(1).AsString();
    formatos->First();
    auto texto = Prompt().InputBox(
        ApplicationTitle(),
        QStringLiteral("Formato de boletín a copiar:\n") + lineas.join(QLatin1Char('\n')),
        formatos->Fields(0).AsString());
    if (!texto) return std::nullopt;
    bool ok = false;
    const int id = texto->trimmed().toInt(&ok);
    if (!ok || !formatos->Locate(QStringLiteral("IDFormatoBoletinNotasT23"), id))
        throw EZMKError(QStringLiteral("No existe el formato de boletín de notas \"%1\"\n\nIndique "
                                       "el número de uno de los formatos de la lista")
                            .arg(texto->trimmed()));
    return id;
}

// --- screen 296 ---

void AntesDeEditarBoletin(TDataSet& ds) {
    ExigirBoletinDesbloqueado(Entero(ds, QStringLiteral("IDBoletinNotasT24")));
}

void DespuesDeGuardarBoletin(TDataSet& ds) {
    ComprobarEdicionPendiente();
    if (EstadoAntesDePost() != TDataSetState::Insert) return;
    TField* curso = ds.FindField(QStringLiteral("IDCursoT24"));
    if (curso && !curso->IsNull() && curso->AsInteger() > 0)
        CrearConceptosHeredados(curso->AsInteger(), 0);
}

void AntesDeBorrarBoletin(TDataSet& ds) {
    ComprobarEdicionPendiente();
    EsborraRegistres(DefaultDB(), QStringLiteral("T25NotasBoletin"),
                     QStringLiteral("IDBoletinNotasT25=") +
                         ValorSQL(Entero(ds, QStringLiteral("IDBoletinNotasT24"))));
}

void MostrarBloqueo(TDataSet& ds) {
    auto* form = Parametres().AsObject<TZMKForm>(QStringLiteral("PRMIP_ZMKFORM"));
    if (!form) return;
    TField* flag = ds.FindField(QStringLiteral("BloqueadoT24"));
    const bool bloqueado = flag && flag->AsBoolean();
    if (TZMKControl* boton = form->FindComponent(QStringLiteral("ZMKsbBloquearBoletin"))) {
        boton->SetCaption(AccionBloqueo(bloqueado));
        boton->SetEnabled(!Editando(ds));
    }
    TZMKControl* panel = form->FindComponent(QStringLiteral("PControlsEntradaDades"));
    if (!panel) return;
    const bool habilitar = !bloqueado || ds.State() == TDataSetState::Insert;
    panel->ForEachDescendant([&](TZMKControl& c) {
        if (c.HasDataField()) c.SetEnabled(habilitar);
    });
}

// --- screen 300 ---

void AntesDeEditarNotas(TDataSet& ds) {
    ExigirBoletinDesbloqueado(Entero(ds, QStringLiteral("IDBoletinNotasT25")));
    ExigirMatriculaActivaNotas(Entero(ds, QStringLiteral("IDMatriculaT25")));
}

// The grade boxes offer the concept's values; a concept with subconcepts is graded in the tree.
void PrepararControlesNota(TDataSet& ds) {
    if (Editando(ds)) return;
    auto* form = Parametres().AsObject<TZMKForm>(QStringLiteral("PRMIP_ZMKFORM"));
    if (!form) return;
    const auto control = [form](int n) {
        return form->FindComponent(QStringLiteral("ZMKdbcbValorConc%1").arg(n));
    };
    const int id = Entero(ds, QStringLiteral("IDBoletinNotasT25"));
    if (id <= 0) {
        for (int n = 1; n <= kConceptosNota + 1; ++n)
            if (TZMKControl* c = control(n)) c->SetEnabled(false);
        return;
    }
    auto boletin = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T24BoletinesNotas WHERE IDBoletinNotasT24=") + ValorSQL(id),
        true);
    boletin->Open();
    for (int n = 1; n <= kConceptosNota; ++n) {
        TZMKControl* c = control(n);
        TField* valores = boletin->FindField(CampoConcepto("ValoresConc", n, "T24"));
        TField* nombre = boletin->FindField(CampoConcepto("NombreConc", n, "T24"));
        if (!c || !valores || !nombre) continue;
        const TValoresConcepto def = DecodificaValoresConcepto(valores->AsString());
        c->SetItems(def.subconceptos.size() > 1 ? QStringList() : def.valores);
        c->SetEnabled(!nombre->AsString().isEmpty() || !def.valores.isEmpty());
    }
}

}  // namespace

QString CampoConcepto(const char* prefijo, int concepto, const char* sufijo) {
    return QString::fromLatin1(prefijo) + QString::number(concepto) + QString::fromLatin1(sufijo);
}

bool BoletinBloqueado(int idBoletin) {
    const QVariant v =
        ValorCamp(QStringLiteral("T24BoletinesNotas"), QStringLiteral("BloqueadoT24"),
                  QStringLiteral("IDBoletinNotasT24=") + ValorSQL(idBoletin));
    return v.isValid() && v.toBool();
}

void ExigirBoletinDesbloqueado(int idBoletin) {
    if (BoletinBloqueado(idBoletin))
        throw EZMKError(QStringLiteral(
            "El boletín de notas está BLOQUEADO, no puede modificar la información"));
}

void ExigirMatriculaActivaNotas(int idMatricula) {
    QSqlQuery q = DefaultDB().Query(
        QStringLiteral("SELECT ActivaT02 FROM T02Matriculas WHERE IDMatriculaT02=") +
        ValorSQL(idMatricula));
    if (!q.next() || !q.value(0).toBool())
        throw EZMKError(QStringLiteral("La matrícula no está activa, no puede realizar cambios"));
}

void CambioBloqueadoBoletin() {
    TDataSet& ds = ConsultaPantalla().DataSet();
    if (Editando(ds))
        throw EZMKError(QStringLiteral(
            "No puede modificar el estado si está modificando el registro\n\nPrimero "
            "debe aceptar o cancelar las modificaciones"));
    ExigirRegistro(ds);
    const bool bloqueado = ds.FieldByName(QStringLiteral("BloqueadoT24")).AsBoolean();
    if (Pregunta(QStringLiteral("Está seguro que desea\n") + AccionBloqueo(bloqueado) +
                     QStringLiteral("\n\n¿Continuar?"),
                 {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Warning) != TMsgButton::Yes)
        throw EAbort();
    ModificaRegistres(
        DefaultDB(), QStringLiteral("T24BoletinesNotas"),
        QStringLiteral("BloqueadoT24=(NOT BloqueadoT24)"),
        QStringLiteral("IDBoletinNotasT24=") +
            ValorSQL(ds.FieldByName(QStringLiteral("IDBoletinNotasT24")).AsInteger()));
    ConsultaPantalla().RefrescaSQL();
}

TSeleccionFormato SetSeleccionFormatoBoletin(TSeleccionFormato seleccion) {
    return std::exchange(Seleccion(), std::move(seleccion));
}

void CopiarFormatoBoletin(int idFormato, TDataSet& boletin) {
    auto formato = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T23FormatosBoletinesNotas WHERE IDFormatoBoletinNotasT23=") +
            ValorSQL(idFormato),
        true);
    formato->Open();
    if (formato->IsEmpty())
        throw EZMKError(
            QStringLiteral("No existe el formato de boletín de notas \"%1\"").arg(idFormato));
    boletin.Edit();
    for (const char* prefijo : {"FormatoConc", "NombreConc", "ValoresConc"})
        for (int n = 1; n <= kConceptosNota; ++n)
            boletin.FieldByName(CampoConcepto(prefijo, n, "T24"))
                .SetValue(formato->FieldByName(CampoConcepto(prefijo, n, "T23")).Value());
}

void ImportarFormatoBoletin() {
    TDataSet& ds = ConsultaPantalla().DataSet();
    ExigirRegistro(ds);
    const std::optional<int> formato = Seleccion() ? Seleccion()() : PreguntarFormato();
    if (!formato) throw EAbort();
    if (Pregunta(QStringLiteral("¿Copiar el formato seleccionado a este registro?"),
                 {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Question) != TMsgButton::Yes)
        throw EAbort();
    CopiarFormatoBoletin(*formato, ds);
}

void RegisterBoletinesRules() {
    using E = TDataEvent;
    AddDataRule(E::BeforeEdit, kPantallaBoletines, AntesDeEditarBoletin);
    AddDataRule(E::BeforePost, kPantallaBoletines, [](TDataSet&) { ComprobarEdicionPendiente(); });
    AddDataRule(E::AfterPost, kPantallaBoletines, DespuesDeGuardarBoletin);
    AddDataRule(E::BeforeDelete, kPantallaBoletines, AntesDeBorrarBoletin);
    AddDataRule(E::StateChange, kPantallaBoletines, MostrarBloqueo);
    AddDataChangeRule(kPantallaBoletines, [](TDataSet& ds, TField* campo) {
        if (!campo) MostrarBloqueo(ds);
    });
    AddDataRule(E::BeforeEdit, kPantallaNotas, AntesDeEditarNotas);
    AddDataChangeRule(kPantallaNotas, [](TDataSet& ds, TField* campo) {
        if (!campo) PrepararControlesNota(ds);
    });
    SetProcedureBody(QStringLiteral("CAMBIO_BLOQUEADO_BOLETIN"),
                     [](const TProcCall&) { CambioBloqueadoBoletin(); });
    SetProcedureBody(QStringLiteral("IMPORTAR_FORMATO_BOLETIN"),
                     [](const TProcCall&) { ImportarFormatoBoletin(); });
}

}  // namespace zmk
