#include "classroom/faltas.h"

#include <cmath>

#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/controls.h"
#include "host/database.h"
#include "host/datarules.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "rules/comunes.h"

namespace zmk {

namespace {

constexpr int kPantallaFaltas = 302;
constexpr int kPantallaEntradaFaltas = 303;
const QString kPrmFecha = QStringLiteral("PRMFechaIntroduccionFaltas");
const QString kPrmFechaSQL = QStringLiteral("PRMFechaIntroduccionFaltasSQL");
const QString kT26 = QStringLiteral("T26FaltasAsistencia");

const char* const kDias[] = {"Lunes", "Martes", "Miercoles", "Jueves", "Viernes", "Sabado"};

// Times of day compare to the second: stored day serials do not keep exact milliseconds.
int Segundos(const QDateTime& t) {
    return int(std::lround(t.time().msecsSinceStartOfDay() / 1000.0)) % 86400;
}

QDateTime EnElDia(const QDate& dia, const QDateTime& hora) {
    return QDateTime(dia, QTime(0, 0).addSecs(Segundos(hora)));
}

std::optional<QDateTime> Hora(TField* campo) {
    if (!campo || campo->IsNull()) return std::nullopt;
    return campo->AsDateTime();
}

QString HoraTexto(const QDateTime& t) {
    return QTime(0, 0).addSecs(Segundos(t)).toString(QStringLiteral("HH:mm"));
}

QString ConsultaDelDia(const QString& salto, int idMatricula, const QDate& dia) {
    return QStringLiteral("SELECT * FROM T26FaltasAsistencia\n") + salto +
           QStringLiteral("WHERE (IDMatriculaT26=") + ValorSQL(idMatricula) + QStringLiteral(") ") +
           QStringLiteral(" AND (") + QStringLiteral("FechaFaltaT26") + QStringLiteral("=") +
           ValorSQL(QDateTime(dia, QTime(0, 0))) + QStringLiteral(")");
}

QVariant Valor(const std::optional<QDateTime>& t) {
    return t ? QVariant(*t) : QVariant();
}

// --- screen 302 ---

void NuevaFalta(TDataSet& ds) {
    ds.FieldByName(QStringLiteral("FechaFaltaT26"))
        .SetValue(QDateTime(FechaIntroduccionFaltas(), QTime(0, 0)));
    ds.FieldByName(QStringLiteral("ResueltaT26")).SetValue(false);
    ds.FieldByName(QStringLiteral("JustificadaT26")).SetValue(false);
}

void AntesDeGuardarFalta(TDataSet& ds) {
    ComprobarEdicionPendiente();
    TField& fecha = ds.FieldByName(QStringLiteral("FechaFaltaT26"));
    TField& inicio = ds.FieldByName(QStringLiteral("DHInicioFaltaT26"));
    TField& fin = ds.FieldByName(QStringLiteral("DHFinalFaltaT26"));
    if (fecha.IsNull())
        throw EZMKError(
            QStringLiteral("Falta la fecha de la falta de asistencia\n\nIndique el día "
                           "de la falta"));
    const TTramoFalta tramo = NormalizarFalta(fecha.AsDateTime().date(), Hora(&inicio), Hora(&fin));
    TField* id = ds.FindField(QStringLiteral("IDFaltaAsistenciaT26"));
    const int propia = id ? id->AsInteger() : 0;
    if (BuscarFaltaSolapada(ds.FieldByName(QStringLiteral("IDMatriculaT26")).AsInteger(), tramo.dia,
                            tramo.inicio, tramo.fin, propia) > 0)
        throw EZMKError(
            QStringLiteral("Ya existe una falta de asistencia para la matrícula\nque "
                           "concuerda con la fecha y horarios especificados"));
    const QDateTime dia(tramo.dia, QTime(0, 0));
    if (fecha.AsDateTime() != dia) fecha.SetValue(dia);
    if (Hora(&inicio) != tramo.inicio) inicio.SetValue(Valor(tramo.inicio));
    if (Hora(&fin) != tramo.fin) fin.SetValue(Valor(tramo.fin));
}

QDate Fecha(const QVariant& valor) {
    auto t = VarToDateTime(valor);
    return t ? t->date() : QDate();
}

void EnlazarFechaEntrada(const TProcCall& call) {
    auto* form = dynamic_cast<TZMKForm*>(call.form);
    if (!form) form = Parametres().AsObject<TZMKForm>(QStringLiteral("PRMIP_ZMKFORM"));
    if (!form) return;
    TZMKControl* picker = form->FindComponent(QStringLiteral("ZMKdtpFechaAsignacionFaltas"));
    if (!picker) return;
    picker->SetValue(FechaIntroduccionFaltas());
    picker->SetOnChange([picker] {
        static bool fijando = false;
        if (fijando) return;
        fijando = true;
        const QDate dia = Fecha(picker->Value());
        if (dia.isValid()) FijarFechaIntroduccionFaltas(dia);
        fijando = false;
    });
}

}  // namespace

THorarioDia HorarioGrupo(int idGrupo, const QDate& dia) {
    THorarioDia h;
    if (!dia.isValid() || dia.dayOfWeek() == Qt::Sunday) return h;
    auto grupo =
        DefaultDB().GetTSQLDataSet(QStringLiteral("SELECT * FROM T05Grupos\nWHERE (IDGrupoT05=") +
                                       ValorSQL(idGrupo) + QStringLiteral(")"),
                                   true);
    grupo->Open();
    if (grupo->IsEmpty()) return h;
    const QString nombre = QString::fromLatin1(kDias[dia.dayOfWeek() - 1]);
    const auto clase = [&](const char* ini, const char* fin) {
        TField* a = grupo->FindField(nombre + QString::fromLatin1(ini));
        TField* b = grupo->FindField(nombre + QString::fromLatin1(fin));
        TClaseDia c;
        c.existe = (a && !a->IsNull()) || (b && !b->IsNull());
        const QDateTime medianoche(dia, QTime(0, 0));
        c.inicio = a && !a->IsNull() ? EnElDia(dia, a->AsDateTime()) : medianoche;
        c.fin = b && !b->IsNull() ? EnElDia(dia, b->AsDateTime()) : medianoche;
        return c;
    };
    h.manana = clase("MHIT05", "MHFT05");
    h.tarde = clase("THIT05", "THFT05");
    return h;
}

QString TextoClase(const TClaseDia& clase) {
    if (!clase.existe) return QStringLiteral("(Sin clase)");
    return HoraTexto(clase.inicio) + QStringLiteral(" a ") + HoraTexto(clase.fin);
}

TTramoFalta NormalizarFalta(const QDate& dia, const std::optional<QDateTime>& inicio,
                            const std::optional<QDateTime>& fin) {
    TTramoFalta t{dia, std::nullopt, std::nullopt};
    if (!inicio || !fin) return t;
    QDateTime a = EnElDia(dia, *inicio), b = EnElDia(dia, *fin);
    if (b < a) std::swap(a, b);
    t.inicio = a;
    t.fin = b;
    return t;
}

int BuscarFaltaSolapada(int idMatricula, const QDate& dia, const std::optional<QDateTime>& inicio,
                        const std::optional<QDateTime>& fin, int excluida) {
    const bool conHoras = inicio && fin;
    auto filas =
        DefaultDB().GetTSQLDataSet(ConsultaDelDia(QStringLiteral(" "), idMatricula, dia), true);
    filas->Open();
    for (filas->First(); !filas->Eof(); filas->Next()) {
        const int id = filas->FieldByName(QStringLiteral("IDFaltaAsistenciaT26")).AsInteger();
        if (id == excluida) continue;
        auto a = Hora(filas->FindField(QStringLiteral("DHInicioFaltaT26")));
        auto b = Hora(filas->FindField(QStringLiteral("DHFinalFaltaT26")));
        if (!a || !b || !conHoras) return id;
        if (Segundos(*inicio) < Segundos(*b) && Segundos(*fin) > Segundos(*a)) return id;
    }
    return 0;
}

QDate FechaIntroduccionFaltas() {
    const QDateTime t = Parametres().AsDateTime(kPrmFecha, Ahora());
    return t.isValid() ? t.date() : Hoy();
}

void FijarFechaIntroduccionFaltas(const QDate& dia) {
    const QDateTime d(dia, QTime(0, 0));
    Parametres().SetParametreValue(kPrmFecha, d);
    Parametres().SetParametreValue(kPrmFechaSQL, ValorSQL(d));
}

void TFaltasAsistencia::SetDia(const QDate& dia) {
    const bool vale = dia.isValid() && dia > QDate(1899, 12, 30).addDays(100);
    dia_ = vale ? dia : QDate();
    Recalcular();
}

void TFaltasAsistencia::SetMatricula(int idMatricula) {
    if (idMatricula == matricula_) return;
    matricula_ = idMatricula;
    QSqlQuery q = DefaultDB().Query(
        QStringLiteral("SELECT IDGrupoT02, NombreCompletoT01, CodigoT05, NombreT05 FROM "
                       "T02Matriculas LEFT JOIN T01Alumnos ON IDAlumnoT01=IDAlumnoT02 LEFT JOIN "
                       "T05Grupos ON IDGrupoT05=IDGrupoT02 WHERE IDMatriculaT02=") +
        ValorSQL(idMatricula));
    if (q.next()) {
        grupo_ = q.value(0).toInt();
        alumno_ = q.value(1).toString();
        info_ = QStringLiteral("(") + q.value(2).toString() + QStringLiteral(") ") +
                q.value(3).toString();
    } else {
        grupo_ = 0;
        alumno_.clear();
        info_.clear();
    }
    Recalcular();
}

bool TFaltasAsistencia::Disponible(TTipoFalta tipo) const {
    switch (tipo) {
        case TTipoFalta::Manana:
            return horario_.manana.existe;
        case TTipoFalta::Tarde:
            return horario_.tarde.existe;
        case TTipoFalta::Libre:
            return true;
    }
    return false;
}

void TFaltasAsistencia::SetTipo(TTipoFalta tipo) {
    tipo_ = tipo;
    const TClaseDia* clase = tipo == TTipoFalta::Manana  ? &horario_.manana
                             : tipo == TTipoFalta::Tarde ? &horario_.tarde
                                                         : nullptr;
    if (!clase) return;
    inicio_ = clase->inicio;
    fin_ = clase->fin;
}

void TFaltasAsistencia::Recalcular() {
    horario_ = matricula_ > 0 && dia_.isValid() ? HorarioGrupo(grupo_, dia_) : THorarioDia();
    SetTipo(horario_.manana.existe  ? TTipoFalta::Manana
            : horario_.tarde.existe ? TTipoFalta::Tarde
                                    : TTipoFalta::Libre);
    LeerLineas();
}

void TFaltasAsistencia::LeerLineas() {
    lineas_.clear();
    if (matricula_ <= 0 || !dia_.isValid()) return;
    auto filas = DefaultDB().GetTSQLDataSet(ConsultaDelDia(QString(), matricula_, dia_), true);
    filas->Open();
    for (filas->First(); !filas->Eof(); filas->Next()) {
        auto a = Hora(filas->FindField(QStringLiteral("DHInicioFaltaT26")));
        auto b = Hora(filas->FindField(QStringLiteral("DHFinalFaltaT26")));
        QString texto = a && b ? QStringLiteral("De las ") + HoraTexto(*a) +
                                     QStringLiteral(" a las ") + HoraTexto(*b)
                               : QStringLiteral("(Sin horario especificado)");
        texto += filas->FieldByName(QStringLiteral("JustificadaT26")).AsBoolean()
                     ? QStringLiteral(" - Justificada")
                     : QStringLiteral(" - NO Justificada");
        lineas_.push_back(
            {texto, filas->FieldByName(QStringLiteral("IDFaltaAsistenciaT26")).AsInteger()});
    }
}

void TFaltasAsistencia::Anadir() {
    if (matricula_ <= 0 || !dia_.isValid())
        throw EZMKError(QStringLiteral("Indique la fecha de la falta de asistencia"));
    if (BuscarFaltaSolapada(matricula_, dia_, inicio_, fin_, 0) > 0)
        throw EZMKError(
            QStringLiteral("Esta matrícula ya tiene una falta de asistencia\nen la "
                           "misma fecha que concuerda con la hora inicio y final"));
    const TTramoFalta t = NormalizarFalta(dia_, inicio_, fin_);
    CreaRegistre(
        DefaultDB(), kT26,
        {QStringLiteral("IDMatriculaT26"), QStringLiteral("FechaFaltaT26"),
         QStringLiteral("JustificadaT26"), QStringLiteral("ResueltaT26"),
         QStringLiteral("DHInicioFaltaT26"), QStringLiteral("DHFinalFaltaT26")},
        {matricula_, QDateTime(t.dia, QTime(0, 0)), false, false, Valor(t.inicio), Valor(t.fin)});
    LeerLineas();
}

bool TFaltasAsistencia::Borrar(int idFalta) {
    if (idFalta <= 0)
        throw EZMKError(QStringLiteral("No hay ninguna falta seleccionada para eliminar"));
    if (Pregunta(QStringLiteral("¿Eliminar la falta seleccionada?"),
                 {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Question) != TMsgButton::Yes)
        return false;
    EsborraRegistres(DefaultDB(), kT26,
                     QStringLiteral("IDFaltaAsistenciaT26=") + ValorSQL(idFalta));
    LeerLineas();
    return true;
}

void RegisterFaltasRules() {
    AddDataRule(TDataEvent::AfterInsert, kPantallaFaltas, NuevaFalta);
    AddDataRule(TDataEvent::BeforePost, kPantallaFaltas, AntesDeGuardarFalta);
    AddFormCreateRule(kPantallaEntradaFaltas, EnlazarFechaEntrada);
}

}  // namespace zmk
