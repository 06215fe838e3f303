// "FALTAS_NUEVA_FALTA" and "FALTAS_BORRA_FALTA": the absences dialog for the enrolment under the
// cursor, on screen or, without one, as questions in the dialog's order.
#include "classroom/faltas.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/querysql.h"

namespace zmk {

namespace {

const QString kTitulo = QStringLiteral("Faltas de Asistencia");

TDialogoFaltas& Dialogo() {
    static TDialogoFaltas dialogo;
    return dialogo;
}

QString Pedir(const QString& texto, const QString& inicial) {
    auto respuesta = Prompt().InputBox(kTitulo, texto, inicial);
    if (!respuesta) throw EAbort();
    return respuesta->trimmed();
}

QDate PedirFecha(const QDate& inicial) {
    const QString texto =
        Pedir(QStringLiteral("Fecha: (aaaa-mm-dd)"), inicial.toString(Qt::ISODate));
    QDate dia = QDate::fromString(texto, Qt::ISODate);
    if (!dia.isValid()) dia = QDate::fromString(texto, QStringLiteral("dd/MM/yyyy"));
    if (!dia.isValid())
        throw EZMKError(QStringLiteral("\"%1\" no es una fecha válida\n\nEscriba la fecha como "
                                       "aaaa-mm-dd")
                            .arg(texto));
    return dia;
}

std::optional<QDateTime> PedirHora(const QString& texto, const QDate& dia,
                                   const std::optional<QDateTime>& inicial) {
    const QString valor =
        Pedir(texto + QStringLiteral(" (hh:mm, vacío: sin horario)"),
              inicial ? inicial->time().toString(QStringLiteral("HH:mm")) : QString());
    if (valor.isEmpty()) return std::nullopt;
    const QTime hora = QTime::fromString(valor, QStringLiteral("H:mm"));
    if (!hora.isValid())
        throw EZMKError(QStringLiteral("\"%1\" no es una hora válida\n\nEscriba la hora como "
                                       "hh:mm")
                            .arg(valor));
    return QDateTime(dia, hora);
}

TTipoFalta PedirTipo(const TFaltasAsistencia& f) {
    static const char* const kNombres[] = {"manana", "tarde", "libre"};
    static const char* const kClases[] = {"Clase de la Mañana", "Clase de la Tarde",
                                          "Horario Libre"};
    QStringList opciones;
    for (int i = 0; i < 3; ++i)
        if (f.Disponible(TTipoFalta(i))) opciones << QString::fromLatin1(kNombres[i]);
    const QString texto =
        Pedir(QStringLiteral("Tipo de Falta (%1):\nHorario Mañana: %2\nHorario Tarde: %3")
                  .arg(opciones.join(QStringLiteral(", ")), TextoClase(f.Horario().manana),
                       TextoClase(f.Horario().tarde)),
              QString::fromLatin1(kNombres[int(f.Tipo())]))
            .toLower();
    for (int i = 0; i < 3; ++i) {
        if (texto != QLatin1String(kNombres[i])) continue;
        if (!f.Disponible(TTipoFalta(i)))
            throw EZMKError(QStringLiteral("No hay %1 ese día\n\nElija uno de: %2")
                                .arg(QString::fromUtf8(kClases[i]).toLower(),
                                     opciones.join(QStringLiteral(", "))));
        return TTipoFalta(i);
    }
    throw EZMKError(QStringLiteral("\"%1\" no es un tipo de falta\n\nElija uno de: %2")
                        .arg(texto, opciones.join(QStringLiteral(", "))));
}

void PreguntarNueva(TFaltasAsistencia& f) {
    f.SetDia(PedirFecha(f.Dia()));
    f.SetTipo(PedirTipo(f));
    f.SetInicio(PedirHora(QStringLiteral("Desde las:"), f.Dia(), f.Inicio()));
    f.SetFin(PedirHora(QStringLiteral("Hasta las:"), f.Dia(), f.Fin()));
    f.Anadir();
}

void PreguntarBorrado(TFaltasAsistencia& f) {
    f.SetDia(PedirFecha(f.Dia()));
    if (f.Lineas().isEmpty())
        throw EZMKError(QStringLiteral("No hay ninguna falta seleccionada para eliminar"));
    QStringList lineas;
    for (int i = 0; i < f.Lineas().size(); ++i)
        lineas << QString::number(i + 1) + QStringLiteral(" = ") + f.Lineas()[i].texto;
    const QString texto = Pedir(
        QStringLiteral("Falta a borrar:\n") + lineas.join(QLatin1Char('\n')), QStringLiteral("1"));
    bool ok = false;
    const int n = texto.toInt(&ok);
    if (!ok || n < 1 || n > f.Lineas().size())
        throw EZMKError(QStringLiteral("No hay ninguna falta seleccionada para eliminar"));
    if (!f.Borrar(f.Lineas()[n - 1].id)) throw EAbort();
}

}  // namespace

TDialogoFaltas SetDialogoFaltas(TDialogoFaltas dialogo) {
    return std::exchange(Dialogo(), std::move(dialogo));
}

void FaltasAsistencia(bool borrar) {
    auto* query = Parametres().AsObject<TQuerySQL>(QStringLiteral("PRMIP_TQUERYSQL"));
    if (!query || query->DataSet().IsEmpty())
        throw EZMKError(borrar
                            ? QStringLiteral("No existe ningún grupo para poder quitar la falta")
                            : QStringLiteral("No existe ningún grupo para poder asignar la falta"));
    const int matricula =
        query->DataSet().FieldByName(QStringLiteral("IDMatriculaT02")).AsInteger();
    TFaltasAsistencia faltas;
    faltas.SetDia(FechaIntroduccionFaltas());
    faltas.SetMatricula(matricula);
    // The list shows what was done whether the dialog ended well or not.
    try {
        if (Dialogo())
            Dialogo()(faltas, borrar);
        else if (borrar)
            PreguntarBorrado(faltas);
        else
            PreguntarNueva(faltas);
    } catch (...) {
        query->RefrescaSQL();
        throw;
    }
    query->RefrescaSQL();
}

}  // namespace zmk
