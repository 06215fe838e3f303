#pragma once
// The money rules of invoice lines: cent rounding, line amounts from the unit price and the
// reverse rule for lines that carry only their total. Percentages are plain numbers (21 = 21 %).
#include "host/currency.h"

namespace zmk {

// Rounds to n decimals, halving away from zero (2.125 -> 2.13, -2.125 -> -2.13).
Currency RedondearDecimales(Currency x, int n);

// The amounts of one invoice or concept line.
struct TImportesLinea {
    Currency precio;  // unit price before VAT
    Currency base;    // taxable base, four decimals
    Currency total;   // total with VAT, cents
};

// base = precio x unidades x (100 - dto) / 100 (four decimals); total = base plus its VAT, both
// rounded to cents. The result's precio is the given one.
TImportesLinea CalcularImportesLinea(Currency precio, Currency unidades, Currency dto,
                                     Currency iva);

// For a line entered with its total only: the base and unit price that give that total.
// actual holds the line's current amounts (its total is the one to work from); they are
// returned unchanged when the VAT rate leaves no base to work out. With no units (or a 100 %
// discount) the base and total become zero and the price stays.
TImportesLinea CalcularImportesDesdeTotal(TImportesLinea actual, Currency unidades, Currency dto,
                                          Currency iva);

}  // namespace zmk
