#pragma once
// The receipt text of an invoice: eight fixed-width lines (header, one detail line per invoice
// line, footer) and the single-line SEPA concept, laid out by the application options.
#include <QChar>
#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

#include "host/currency.h"

namespace zmk {

// The layout options and their values.
struct TFormatoRecibo {
    static inline const QString kNLineasCabecera = QStringLiteral("GR_D_NLineasCabecera");
    static inline const QString kLinea1Cabecera = QStringLiteral("GR_D_Linea1Cabecera");
    static inline const QString kLinea2Cabecera = QStringLiteral("GR_D_Linea2Cabecera");
    static inline const QString kLinea3Cabecera = QStringLiteral("GR_D_Linea3Cabecera");
    static inline const QString kLineaDetalle = QStringLiteral("GR_D_LineaDetalle");
    static inline const QString kNLineasPie = QStringLiteral("GR_D_NLineasPie");
    static inline const QString kLinea1Pie = QStringLiteral("GR_D_Linea1Pie");
    static inline const QString kLinea2Pie = QStringLiteral("GR_D_Linea2Pie");
    static inline const QString kConceptoSepa = QStringLiteral("GR_D_ConceptoSepa");

    static constexpr int kAnchoLinea = 80;
    static constexpr int kLineas = 8;
    static constexpr int kAnchoConceptoSepa = 140;

    int nLineasCabecera = 2;  // 0..3
    QString cabecera[3];
    QString detalle;
    int nLineasPie = 1;  // 0..2
    QString pie[2];
    QString conceptoSepa;

    // The layout of a database whose options were never changed.
    static TFormatoRecibo PorDefecto();
    // The layout stored in the application options (defaults where missing).
    static TFormatoRecibo DeOpciones();
};

// One detail line: each field letter of the template ("A" student, "D" concept, "T" total ...)
// marks with its first run the columns its value fills, padded and cut to the run; template
// characters that mark no field give spaces. valores holds the field letters' texts.
QString ComponerLineaDetalle(const QString& plantilla, const QHash<QChar, QString>& valores);

// Money as "0.00" and percentages as "0.#", the way receipts show them.
QString FormatoImporte(Currency importe);
QString FormatoPorcentaje(Currency porcentaje);

class TDataSet;

// One stored invoice line, with what the totals and the receipt use.
struct TLineaFactura {
    QVariant id;  // IDFacturaCueT16
    QString alumno, centro, nMatricula, codCurso, curso, codGrupo, grupo, concepto;
    std::optional<int> mes, anyo;
    Currency precio, dto, base, iva, total;
    bool ivaNulo = false;
    std::optional<Currency> unidades;

    // The current row of a data set over T16FacturasCue.
    static TLineaFactura De(TDataSet& ds);
};

// The header values the receipt shows.
struct TCabeceraRecibo {
    std::optional<int> numero;
    QDate fecha;  // null when the invoice has no date
    Currency total;
};

// The receipt of an invoice: its eight lines (cut to width) and its SEPA concept.
struct TTextoRecibo {
    QString lineas[TFormatoRecibo::kLineas];
    QString conceptoSepa;
};

// Lays out the receipt of an invoice from its lines in their stored order. A stray brace in
// the SEPA concept format is shown and does not stop it.
TTextoRecibo ComponerRecibo(const TFormatoRecibo& formato, const TCabeceraRecibo& cabecera,
                            const std::vector<TLineaFactura>& lineas);

// Writes Linea01T15..Linea08T15 and ConceptoSEPAT15 of the invoice from its lines. Runs in the
// caller's transaction; a stray brace in the SEPA concept format is shown and does not stop it.
void GenerarTextoRecibo(int idFactura);

}  // namespace zmk
