#pragma once
// The texts in which grade bulletins keep their concepts: a concept definition
// "{sub1|sub2}{val1|val2}" (subconcepts and possible values) and a grade value "v1|v2" (one
// value per subconcept, in order). Items never carry the characters of the encoding.
#include <QString>
#include <QStringList>

namespace zmk {

// Longest encoded concept definition the database field keeps.
constexpr int kLongitudMaximaValores = 255;

// The item without "=", "{", "|" and "}"; nothing else changes (no trimming).
QString LimpiaValor(const QString& valor);
// Items up to each "|": "" gives none, "a||b" three, a trailing "|" adds nothing.
QStringList SeparaValores(const QString& texto);
// The items cleaned and joined with "|".
QString UneValores(const QStringList& valores);

struct TValoresConcepto {
    QStringList subconceptos;
    QStringList valores;
};
// Reads a concept definition; a text not in brace form is taken as one value per line.
TValoresConcepto DecodificaValoresConcepto(const QString& texto);
// "{" + subconcepts + "}{" + values + "}", every item cleaned.
QString CodificaValoresConcepto(const QStringList& subconceptos, const QStringList& valores);
// Raises "Demasiado largo ..." with the encoded length when the definition does not fit.
void ComprobarLongitudValores(const QStringList& subconceptos, const QStringList& valores);
// The lines of a multi-line text (a memo), one item each; a last empty line adds nothing.
QStringList LineasTexto(const QString& texto);

}  // namespace zmk
