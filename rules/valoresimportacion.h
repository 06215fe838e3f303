#pragma once
// How a value of an import's source becomes the value of a students' column: the number as a
// whole number, the birth date as a date, anything else as text cut to the column's length.
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace zmk {

// The text the preview shows and a text column receives: whole numbers without decimals,
// dates as dd/MM/yyyy (with the time when there is one), Null as empty.
QString TextoDeValor(const QVariant& valor);
// A whole number: a number without fraction, or a text that reads as one.
std::optional<qlonglong> LeerCodigo(const QVariant& valor);
// A date: a date or date-time of the source, or a text dd/mm/yyyy, d-m-yy, yyyy-mm-dd ...
std::optional<QDateTime> LeerFecha(const QVariant& valor);
// The text length a column of T01Alumnos keeps, 0 when it has no limit.
int LongitudColumna(const QString& columna);

// The value for the column (its type from the schema catalog), or the reason it cannot be
// one: the caller names the field and the row.
struct TValorColumna {
    QVariant valor;
    QString error;         // empty when the value is good
    bool cortado = false;  // a text longer than the column, cut to its length
};
TValorColumna ValorParaColumna(const QString& columna, const QVariant& valor);

// The IBAN a student keeps: written as people print it ("ES91 2100 0418 ...") it is stored in
// its electronic form, which billing and the SEPA files need; one that fails its check even so
// is kept as given, for the user to see and mend.
QString IBANParaGuardar(const QString& iban);

}  // namespace zmk
