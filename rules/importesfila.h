#pragma once
// The amounts a record rule writes into the row being edited: prices with and without VAT,
// invoice-line amounts and settlement lines. Each result is the exact value rounded once, half
// away from zero, so that chained percentages never round twice.
#include <optional>

#include "host/currency.h"

namespace zmk {

// (1 + iva/100) x sinIva, in cents.
Currency PrecioConIva(Currency sinIva, Currency iva);
// conIva / (1 + iva/100), at four decimals; nullopt when the rate leaves no divisor (-100 %).
std::optional<Currency> PrecioSinIva(Currency conIva, Currency iva);

// The three amounts of an invoice line.
struct TImportesLineaFactura {
    Currency importeBase;         // unit price
    Currency baseImponible;       // taxable base
    Currency importeIvaIncluido;  // total with VAT
};

// From the unit price: base = precio x unidades x (1 - dto/100) in cents, VAT = iva/100 x base in
// cents, total = base + VAT.
TImportesLineaFactura LineaDesdePrecio(Currency precio, Currency unidades, Currency dto,
                                       Currency iva);
// From the total: q = unidades x (1 - dto/100) at four decimals; base = total / (1 + iva/100) and
// price = base / q, both at four decimals. With q = 0 every amount is 0. nullopt when the rate
// leaves no divisor (-100 %).
std::optional<TImportesLineaFactura> LineaDesdeTotal(Currency total, Currency unidades,
                                                     Currency dto, Currency iva);

// unidades x precio, in cents.
Currency ImporteLineaLiquidacion(Currency unidades, Currency precio);

}  // namespace zmk
