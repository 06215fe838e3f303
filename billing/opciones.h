#pragma once
// The billing options kept per database, the currency settings published to the screens, and
// money formatting with the currency mask.
#include <QString>

#include "host/currency.h"

namespace zmk {

// Declares every billing option with its type, default and description; a value already stored
// with the same type is kept.
void DeclararOpcionesFacturacion();
// Declares the six currency options and publishes them in the parameter block as "DIVISA_NOM",
// "DIVISA_LONGNAME", "DIVISA_MASK", "DIVISA_EDITMASK", "DIVISA_ROUND" and "DIVISA_TOTALROUND".
void DeclararOpcionesDivisa();
// Adds both declarations to the reload handlers of the per-database options.
void RegisterOpcionesFacturacion();
void UnregisterOpcionesFacturacion();

// Formats an amount with a number mask: "0" a digit always shown, "#" a digit when needed, ","
// anywhere before the point asks for thousands groups; "." starts the decimals. Rounds half
// away from zero. Written the Spanish way, as the office reads it: "1.234,50".
QString FormatearMascara(Currency importe, const QString& mascara);
// The amount with the published mask ("DIVISA_MASK", "#,##0.00" when absent).
QString FormatoDivisa(Currency importe);
// The published currency names: "DIVISA_LONGNAME" ("Euros" when absent) and "DIVISA_NOM"
// ("EUR" when absent, as the invoices print it).
QString NombreLargoDivisa();
QString NombreCortoDivisa();

// The SEPA concept preview of the options dialog: the format with its optional sections and
// sample values.
QString EjemploConceptoSepa(const QString& formato);

}  // namespace zmk
