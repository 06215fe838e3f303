#pragma once
// The money rules of every line: invoice lines, charge concepts, tariffs and settlements. A line's
// base and total are whole cents and its VAT is total - base, so that an invoice adds up line by
// line. Percentages are plain numbers (21 = 21 %).
#include <optional>

#include "host/currency.h"

namespace zmk {

// The amounts of one invoice or concept line.
struct TImportesLinea {
    Currency precio;  // unit price before VAT, four decimals
    Currency base;    // taxable base, cents
    Currency total;   // total with VAT, cents
    Currency Iva() const { return total - base; }
    bool operator==(const TImportesLinea&) const = default;
};

// base = precio x unidades x (100 - dto) / 100 in cents; VAT = base x iva / 100 in cents;
// total = base + VAT. The result's precio is the given one.
TImportesLinea CalcularImportesLinea(Currency precio, Currency unidades, Currency dto,
                                     Currency iva);

// For a line entered with its total only: the total is kept (in cents), the base is the cents
// amount whose VAT brings it to that total (when the cents allow one; otherwise the nearest, and
// the VAT is what is left), and the price gives that base: the current one when it already does,
// else base / (unidades x (100 - dto) / 100) at four decimals. A rate of 100 or -100 leaves the
// line as it is; with no units (or a 100 % discount) the base and total become zero.
TImportesLinea CalcularImportesDesdeTotal(TImportesLinea actual, Currency unidades, Currency dto,
                                          Currency iva);

// The cents base whose VAT brings it to the total (in cents); when no base does, the nearest one.
Currency BaseImponibleDesdeTotal(Currency total, Currency iva);

// A stored line under the rule: a line entered with its total only is worked out from it. A line
// keeps its amounts when they are in cents and within a cent of its price, units, discount and
// rate (as a total typed by hand is); any other (written before the rule, or whose price, units,
// discount or rate changed without its amounts) is worked out again from its price.
TImportesLinea ImportesLineaSegunRegla(TImportesLinea guardada, Currency unidades, Currency dto,
                                       Currency iva);

// A concept priced by a tariff: one unit without discount keeps the tariff's price with VAT
// exactly (when the rate leaves a base to work out); anything else follows the line rule from
// the price.
TImportesLinea ImportesDesdeTarifa(Currency sinIva, Currency iva, Currency conIva,
                                   Currency unidades, Currency dto);

// The gross amount of a line, unidades x precio, in cents.
Currency ImporteArticulosLinea(Currency precio, Currency unidades);

// A tariff's price with VAT, (1 + iva/100) x sinIva, in cents.
Currency PrecioConIva(Currency sinIva, Currency iva);
// A tariff's price without VAT, conIva / (1 + iva/100), at four decimals; nullopt when the rate
// leaves no divisor (-100 %).
std::optional<Currency> PrecioSinIva(Currency conIva, Currency iva);

// A settlement line: unidades x precio, in cents.
Currency ImporteLineaLiquidacion(Currency unidades, Currency precio);

}  // namespace zmk
