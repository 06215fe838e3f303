#include "classroom/hojaasistencia.h"

#include <QSqlQuery>

#include "core/centroactual.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/querysql.h"

namespace zmk {

namespace {

TDialogoHojaAsistencia& Dialogo() {
    static TDialogoHojaAsistencia dialogo;
    return dialogo;
}

TVistaResumenFaltas& Vista() {
    static TVistaResumenFaltas vista;
    return vista;
}

QString Literal(const QDate& d) {
    return ValorSQL(QDateTime(d, QTime(0, 0)));
}

QString HoraDe(const QDateTime& t) {
    return t.time().toString(QStringLiteral("HH:mm"));
}

QDate PedirFecha(const QString& texto, const QDate& inicial) {
    auto r =
        Prompt().InputBox(QStringLiteral("Faltas de Asistencia"),
                          texto + QStringLiteral(" (aaaa-mm-dd)"), inicial.toString(Qt::ISODate));
    if (!r) throw EAbort();
    QDate d = QDate::fromString(r->trimmed(), Qt::ISODate);
    if (!d.isValid()) d = QDate::fromString(r->trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid())
        throw EZMKError(QStringLiteral("\"%1\" no es una fecha válida\n\nEscriba la fecha como "
                                       "aaaa-mm-dd")
                            .arg(r->trimmed()));
    return d;
}

int GrupoDePantalla(bool exigir) {
    auto* query = Parametres().AsObject<TQuerySQL>(QStringLiteral("PRMIP_TQUERYSQL"));
    TField* id = query && !query->DataSet().IsEmpty()
                     ? query->DataSet().FindField(QStringLiteral("IDGrupoT05"))
                     : nullptr;
    if (!id && exigir)
        throw EZMKError(QStringLiteral("No existe ningún grupo para poder asignar la falta"));
    return id ? id->AsInteger() : 0;
}

void PreguntarHoja(THojaAsistencia& hoja) {
    for (int f = 0; f < hoja.Filas().size(); ++f)
        for (TTipoFalta clase : {TTipoFalta::Manana, TTipoFalta::Tarde}) {
            const TClaseDia& c =
                clase == TTipoFalta::Manana ? hoja.Horario().manana : hoja.Horario().tarde;
            if (!c.existe) continue;
            const THojaAsistencia::TFila& fila = hoja.Filas()[f];
            const bool antes =
                (clase == TTipoFalta::Manana ? fila.faltaManana : fila.faltaTarde) > 0;
            const TMsgButton r =
                Pregunta(QStringLiteral("¿Falta de %1 en la clase de la %2 (%3)?")
                             .arg(fila.alumno,
                                  clase == TTipoFalta::Manana ? QStringLiteral("mañana")
                                                              : QStringLiteral("tarde"),
                                  TextoClase(c)),
                         {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Question,
                         antes ? TMsgButton::Yes : TMsgButton::No);
            if ((r == TMsgButton::Yes) != antes) hoja.Marcar(f, clase, r == TMsgButton::Yes);
        }
}

}  // namespace

THojaAsistencia::THojaAsistencia(int idGrupo, const QDate& dia) : grupo_(idGrupo), dia_(dia) {
    horario_ = HorarioGrupo(idGrupo, dia);
    Leer();
}

void THojaAsistencia::Leer() {
    filas_.clear();
    QSqlQuery q = DefaultDB().Query(
        QStringLiteral("SELECT IDMatriculaT02, NombreCompletoT01 FROM T02Matriculas LEFT JOIN "
                       "T01Alumnos ON IDAlumnoT01=IDAlumnoT02 WHERE IDGrupoT02=%1 AND ActivaT02 "
                       "ORDER BY NombreCompletoT01, IDMatriculaT02")
            .arg(ValorSQL(grupo_)));
    while (q.next()) filas_.push_back({q.value(0).toInt(), q.value(1).toString(), 0, 0});
    for (TFila& f : filas_) {
        QSqlQuery a = DefaultDB().Query(
            QStringLiteral("SELECT IDFaltaAsistenciaT26, DHInicioFaltaT26, DHFinalFaltaT26 FROM "
                           "T26FaltasAsistencia WHERE IDMatriculaT26=%1 AND FechaFaltaT26=%2 "
                           "ORDER BY IDFaltaAsistenciaT26")
                .arg(ValorSQL(f.idMatricula), Literal(dia_)));
        while (a.next()) {
            auto inicio = VarToDateTime(a.value(1));
            auto fin = VarToDateTime(a.value(2));
            if (!inicio || !fin) continue;
            const auto es = [&](const TClaseDia& c) {
                return c.existe && HoraDe(*inicio) == HoraDe(c.inicio) &&
                       HoraDe(*fin) == HoraDe(c.fin);
            };
            if (es(horario_.manana) && !f.faltaManana) f.faltaManana = a.value(0).toInt();
            if (es(horario_.tarde) && !f.faltaTarde) f.faltaTarde = a.value(0).toInt();
        }
    }
}

void THojaAsistencia::Marcar(int fila, TTipoFalta clase, bool falta) {
    const TClaseDia& c = clase == TTipoFalta::Manana ? horario_.manana : horario_.tarde;
    const TFila& f = filas_[fila];
    const int actual = clase == TTipoFalta::Manana ? f.faltaManana : f.faltaTarde;
    if (falta && !actual) {
        if (!c.existe)
            throw EZMKError(QStringLiteral("El grupo no tiene clase de la %1 ese día")
                                .arg(clase == TTipoFalta::Manana ? QStringLiteral("mañana")
                                                                 : QStringLiteral("tarde")));
        TFaltasAsistencia faltas;
        faltas.SetDia(dia_);
        faltas.SetMatricula(f.idMatricula);
        faltas.SetTipo(clase);
        faltas.Anadir();
    } else if (!falta && actual) {
        EsborraRegistres(DefaultDB(), QStringLiteral("T26FaltasAsistencia"),
                         QStringLiteral("IDFaltaAsistenciaT26=") + ValorSQL(actual));
    }
    Leer();
}

std::unique_ptr<TDataSet> ResumenFaltas(const QDate& desde, const QDate& hasta, int idGrupo) {
    QString sql =
        QStringLiteral(
            "SELECT NMatriculaT02, NombreCompletoT01, CodigoT05, COUNT(IDFaltaAsistenciaT26) AS "
            "Total, SUM(CASE WHEN JustificadaT26 THEN 1 ELSE 0 END) AS Justificadas, SUM(CASE "
            "WHEN JustificadaT26 THEN 0 ELSE 1 END) AS NoJustificadas FROM T26FaltasAsistencia "
            "INNER JOIN T02Matriculas ON IDMatriculaT02=IDMatriculaT26 LEFT JOIN T01Alumnos ON "
            "IDAlumnoT01=IDAlumnoT02 LEFT JOIN T05Grupos ON IDGrupoT05=IDGrupoT02 WHERE "
            "IDCentroT02=%1 AND FechaFaltaT26>=%2 AND FechaFaltaT26<=%3")
            .arg(ValorSQL(IDCentroActual()), Literal(desde), Literal(hasta));
    if (idGrupo > 0) sql += QStringLiteral(" AND IDGrupoT02=") + ValorSQL(idGrupo);
    sql += QStringLiteral(
        " GROUP BY IDMatriculaT02, NMatriculaT02, NombreCompletoT01, CodigoT05 ORDER BY "
        "CodigoT05, NombreCompletoT01");
    auto ds = DefaultDB().GetTSQLDataSet(sql, true);
    ds->Open();
    return ds;
}

QString TituloResumenFaltas(const QDate& desde, const QDate& hasta) {
    return QStringLiteral("Faltas de asistencia del %1 al %2")
        .arg(desde.toString(QStringLiteral("dd/MM/yyyy")),
             hasta.toString(QStringLiteral("dd/MM/yyyy")));
}

TDialogoHojaAsistencia SetDialogoHojaAsistencia(TDialogoHojaAsistencia dialogo) {
    return std::exchange(Dialogo(), std::move(dialogo));
}

TVistaResumenFaltas SetVistaResumenFaltas(TVistaResumenFaltas vista) {
    return std::exchange(Vista(), std::move(vista));
}

void HojaAsistenciaGrupo() {
    const int grupo = GrupoDePantalla(true);
    if (Dialogo()) {
        THojaAsistencia hoja(grupo, FechaIntroduccionFaltas());
        Dialogo()(hoja);
        return;
    }
    THojaAsistencia hoja(grupo, PedirFecha(QStringLiteral("Fecha:"), FechaIntroduccionFaltas()));
    PreguntarHoja(hoja);
}

void ResumenFaltasGrupo() {
    const int grupo = GrupoDePantalla(false);
    const QDate hoy = Hoy();
    if (Vista()) {
        Vista()(QDate(hoy.year(), hoy.month(), 1), hoy, grupo);
        return;
    }
    const QDate desde =
        PedirFecha(QStringLiteral("Desde el día:"), QDate(hoy.year(), hoy.month(), 1));
    const QDate hasta = PedirFecha(QStringLiteral("Hasta el día:"), hoy);
    auto ds = ResumenFaltas(desde, hasta, grupo);
    QStringList lineas{
        QStringLiteral("NMatriculaT02\tNombreCompletoT01\tCodigoT05\tTotal\t"
                       "Justificadas\tNoJustificadas")};
    for (ds->First(); !ds->Eof(); ds->Next()) {
        QStringList campos;
        for (int i = 0; i < ds->FieldCount(); ++i) campos << ds->Fields(i).AsString();
        lineas << campos.join(QLatin1Char('\t'));
    }
    Parametres().SetParametreValue(QStringLiteral("PRMS01"), lineas.join(QLatin1Char('\n')));
}

}  // namespace zmk
