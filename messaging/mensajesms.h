#pragma once
// The text of an SMS: personalisation with the recipients' field values, the length operators
// count, and the variables the gateway substitutes itself.
#include <QString>
#include <QStringList>
#include <QVector>

namespace zmk {

class TAgendaSMS;

// The personalisation variables: names ("{" + field + "}") and, per name, one value per
// selected recipient in recipient order.
struct TVariablesSMS {
    QStringList nombres;
    QVector<QStringList> valores;  // valores[k] belongs to nombres[k]
    int Count() const { return int(nombres.size()); }
};

// Every grid column with the values of the selected recipients, column by column.
TVariablesSMS VariablesDeAgenda(const TAgendaSMS& agenda);

// The message for one recipient of the agenda: every "{field}" replaced by the recipient's value
// in the column of exactly that header (a group naming no column is left as written, as the
// gateway leaves it). A "{" inside a group, a "}" outside one or a group left open raises the
// "Error_In_message_source" text.
QString PersonalizaMensaje(const QString& mensaje, const TAgendaSMS& agenda, int fila);
// Raises like PersonalizaMensaje when the braces do not match.
void CompruebaLlaves(const QString& mensaje);

// How operators count a text. A text made only of the GSM 7-bit alphabet holds 160 characters,
// its extension characters ("€", "[", "|", ...) counting two; any other character ("ç", an
// emoji) makes the whole message Unicode, 70 characters. CR never counts, ";" always counts two
// (it is sent escaped).
struct TLongitudSMS {
    int longitud = 0;
    bool unicode = false;
    int Maximo() const { return unicode ? 70 : 160; }
    int Disponibles() const { return Maximo() - longitud; }
};
TLongitudSMS LongitudSMS(const QString& texto);
bool EsTextoGSM(const QString& texto);

// The refusal of a message that is too long for its alphabet.
QString TextoMensajeLargo(bool unicode);
// The note shown when a message goes as Unicode.
QString TextoAvisoUnicode();

}  // namespace zmk
