#pragma once
// Enrolment charge concepts: the inherited copies that course and group concepts leave in each
// active enrolment, the amount arithmetic of a concept, its level and label, tariff repricing
// and the duplication of a concept on its form.
#include <QColor>
#include <QString>

#include "core/importes.h"
#include "host/currency.h"

namespace zmk {

class TDataSet;
class TDataBaseZMK;

// Creates the missing inherited copies for the active enrolments of the course and of the group
// (0 = not given), the missing grade rows of the course's bulletins, then refreshes the copies.
void CrearConceptosHeredados(int idCurso, int idGrupo);

// Copies the parent's data into the inherited copies: those of one parent concept when
// idConceptoPadre > 0, else those of the group's, else the course's active enrolments, else all.
// A copy with a discount gets its base and total by the line rule from the parent's price,
// units and VAT.
void ActualizarConceptosHeredados(int idCurso, int idGrupo, int idConceptoPadre);

// Deletes the copies whose enrolment left the parent's course or group, and the grade rows of
// enrolments that left their bulletin's course.
void EliminarConceptosHeredadosHuerfanos();

// Removes a concept's copies (recursively) and unlinks the invoice lines made from it; with
// borrarFila, the concept's own row goes too.
void EliminarConcepto(int idConcepto, bool borrarFila);

// Reprices the concepts bound to a tariff (the price without and with VAT and the VAT of the
// tariff being posted) as choosing the tariff on each concept would, and refreshes every
// inherited copy from its parent.
void RepreciarConceptosTarifa(int idTarifa, Currency precio, Currency iva, Currency conIva);

// Appends a copy of the form's current concept to its DATASETSQL data set for the user to save
// (the click of the concepts form's duplicate button). Does nothing without a form.
void DuplicarConcepto();
// The same on a given data set (the form's): nothing while it is being edited.
void DuplicarConcepto(TDataSet* dataSet);

// Price and total from a typed taxable base (kept in cents): with no units left after the
// discount the base and total become zero and the price stays.
TImportesLinea CalcularImportesDesdeBase(TImportesLinea actual, Currency unidades, Currency dto,
                                         Currency iva);

// The discount that gives a typed total at a fixed price.
struct TDescuentoDesdeTotal {
    Currency total;        // the total, zeroed when no discount can be worked out from a zero price
    Currency dto;          // the resulting discount (unchanged when it cannot be worked out)
    Currency base;         // the base the total implies
    bool cambiado;         // false: the amounts stay as they were
    bool avisoPrecioCero;  // the "importe base es 0" message was shown
};
// Shows the zero-price message through the prompt service when it applies.
TDescuentoDesdeTotal CalcularDescuentoDesdeTotal(Currency total, Currency precio, Currency unidades,
                                                 Currency dto, Currency base, Currency iva);

// The level of a concept, tested in this order: inherited copy, course, group, enrolment,
// template; a row with no owner yet is SinPropietario.
enum class TNivelConcepto { Heredado, Curso, Grupo, Matricula, Plantilla, SinPropietario };

// For an inherited copy: whether its parent is a course or a group concept.
enum class TNivelPadre { Ninguno, Curso, Grupo };

struct TEtiquetaConcepto {
    QString texto;
    QColor color;  // invalid when the label keeps its colour
    bool visible;
};

// The level of the data set's current concept; for a copy, the parent's level is read from the
// database into *padre.
TNivelConcepto NivelConcepto(TDataSet& ds, TNivelPadre* padre = nullptr);
// The text, colour and visibility of the concepts form's level label.
TEtiquetaConcepto EtiquetaConcepto(TNivelConcepto nivel, TNivelPadre padre);

}  // namespace zmk
