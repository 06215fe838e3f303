#pragma once
// Attendance absences: the class hours of a group on a day, the normalised times of an
// absence, the search for an absence that overlaps, and the absences dialog's state and
// actions ("FALTAS_NUEVA_FALTA", "FALTAS_BORRA_FALTA").
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

namespace zmk {

// One class of a day: present when its start or its end hour is given (a missing one is 00:00).
struct TClaseDia {
    bool existe = false;
    QDateTime inicio;
    QDateTime fin;
};
struct THorarioDia {
    TClaseDia manana;
    TClaseDia tarde;
};
// The group's morning and afternoon classes on the day's weekday; Sundays have none.
THorarioDia HorarioGrupo(int idGrupo, const QDate& dia);
// "09:00 a 10:30", or "(Sin clase)".
QString TextoClase(const TClaseDia& clase);

// An absence's day and times as they are stored: both times or none, on the day, in order.
struct TTramoFalta {
    QDate dia;
    std::optional<QDateTime> inicio;
    std::optional<QDateTime> fin;
};
TTramoFalta NormalizarFalta(const QDate& dia, const std::optional<QDateTime>& inicio,
                            const std::optional<QDateTime>& fin);

// The first absence of the enrolment on that day (other than excluida) that conflicts with the
// range: one without times conflicts with everything, ranges that only touch do not. 0: none.
int BuscarFaltaSolapada(int idMatricula, const QDate& dia, const std::optional<QDateTime>& inicio,
                        const std::optional<QDateTime>& fin, int excluida);

// The entry date shared by the absences screens: "PRMFechaIntroduccionFaltas" (default today).
QDate FechaIntroduccionFaltas();
// Sets it and its SQL form "PRMFechaIntroduccionFaltasSQL".
void FijarFechaIntroduccionFaltas(const QDate& dia);

enum class TTipoFalta { Manana, Tarde, Libre };

// The absences dialog's state for one enrolment and day.
class TFaltasAsistencia {
  public:
    struct TLinea {
        QString texto;
        int id = 0;
    };

    // A day of 100 or fewer serial days (or invalid) counts as none.
    void SetDia(const QDate& dia);
    void SetMatricula(int idMatricula);
    QDate Dia() const { return dia_; }
    int Matricula() const { return matricula_; }

    const QString& NombreAlumno() const { return alumno_; }
    const QString& InfoMatricula() const { return info_; }
    const THorarioDia& Horario() const { return horario_; }
    bool Disponible(TTipoFalta tipo) const;
    // Selecting morning or afternoon puts its hours into the times; free keeps them.
    void SetTipo(TTipoFalta tipo);
    TTipoFalta Tipo() const { return tipo_; }
    std::optional<QDateTime> Inicio() const { return inicio_; }
    std::optional<QDateTime> Fin() const { return fin_; }
    void SetInicio(const std::optional<QDateTime>& valor) { inicio_ = valor; }
    void SetFin(const std::optional<QDateTime>& valor) { fin_ = valor; }
    // The day's absences of the enrolment, in the order read.
    const QVector<TLinea>& Lineas() const { return lineas_; }

    // Refuses an overlapping absence; otherwise inserts it with its times normalised.
    void Anadir();
    // Asks and deletes the absence; refuses when none is given (0). False when the user says No.
    bool Borrar(int idFalta);

  private:
    void Recalcular();
    void LeerLineas();

    int matricula_ = 0;
    int grupo_ = 0;
    QDate dia_;
    QString alumno_;
    QString info_;
    THorarioDia horario_;
    TTipoFalta tipo_ = TTipoFalta::Libre;
    std::optional<QDateTime> inicio_;
    std::optional<QDateTime> fin_;
    QVector<TLinea> lineas_;
};

// The dialog on screen: shows the state on the add page or the delete page until closed. An
// empty function asks its choices through the prompt service.
using TDialogoFaltas = std::function<void(TFaltasAsistencia& faltas, bool borrar)>;
TDialogoFaltas SetDialogoFaltas(TDialogoFaltas dialogo);

// "FALTAS_NUEVA_FALTA" / "FALTAS_BORRA_FALTA" for the enrolment under the screen's cursor.
void FaltasAsistencia(bool borrar);

// Adds the rules of the absences screen (302) and the entry-date picker of screen 303.
void RegisterFaltasRules();

}  // namespace zmk
