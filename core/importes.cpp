#include "core/importes.h"

namespace zmk {
namespace {

const Currency kCien = Currency(100);
const Currency kCentimo = Currency::FromRaw(Currency::kScale / 100);

// unidades x (100 - dto) / 100, four decimals: what the price is multiplied by.
Currency Factor(Currency unidades, Currency dto) {
    return Currency::MulDiv({unidades, kCien - dto}, kCien, 4);
}

Currency CuotaIva(Currency base, Currency iva) {
    return Currency::MulDiv({base, iva}, kCien, 2);
}

}  // namespace

Currency BaseImponibleDesdeTotal(Currency total, Currency iva) {
    const Currency cercana = Currency::MulDiv({total, kCien}, kCien + iva, 2);
    for (Currency base : {cercana, cercana - kCentimo, cercana + kCentimo})
        if (base + CuotaIva(base, iva) == total) return base;
    return cercana;
}

TImportesLinea CalcularImportesLinea(Currency precio, Currency unidades, Currency dto,
                                     Currency iva) {
    const Currency base = Currency::MulDiv({precio, unidades, kCien - dto}, kCien, 2);
    return {precio, base, base + CuotaIva(base, iva)};
}

TImportesLinea CalcularImportesDesdeTotal(TImportesLinea actual, Currency unidades, Currency dto,
                                          Currency iva) {
    if (iva == kCien || (kCien + iva).IsZero()) return actual;
    TImportesLinea r = actual;
    const Currency f = Factor(unidades, dto);
    if (f.IsZero()) {
        r.base = Currency();
        r.total = Currency();
        return r;
    }
    r.total = actual.total.Rounded(2);
    r.base = BaseImponibleDesdeTotal(r.total, iva);
    if (Currency::MulDiv({actual.precio, f}, Currency(1), 2) != r.base)
        r.precio = Currency::MulDiv({r.base}, f, 4);
    return r;
}

TImportesLinea ImportesLineaSegunRegla(TImportesLinea guardada, Currency unidades, Currency dto,
                                       Currency iva) {
    if (guardada.precio.IsZero() && !guardada.total.IsZero())
        return CalcularImportesDesdeTotal(guardada, unidades, dto, iva);
    // Within a cent of the exact amounts: a total typed by hand keeps its cents.
    auto cerca = [](Currency a, Currency b) { return a - b < kCentimo && b - a < kCentimo; };
    const Currency baseExacta =
        Currency::MulDiv({guardada.precio, unidades, kCien - dto}, kCien, 4);
    const Currency ivaExacto = Currency::MulDiv({guardada.base, iva}, kCien, 4);
    if (guardada.base.HasDecimals(2) && guardada.total.HasDecimals(2) &&
        cerca(guardada.base, baseExacta) && cerca(guardada.Iva(), ivaExacto))
        return guardada;
    return CalcularImportesLinea(guardada.precio, unidades, dto, iva);
}

TImportesLinea ImportesDesdeTarifa(Currency sinIva, Currency iva, Currency conIva,
                                   Currency unidades, Currency dto) {
    if (unidades != Currency(1) || !dto.IsZero() || iva == kCien || (kCien + iva).IsZero())
        return CalcularImportesLinea(sinIva, unidades, dto, iva);
    return CalcularImportesDesdeTotal({sinIva, Currency(), conIva}, unidades, dto, iva);
}

Currency ImporteArticulosLinea(Currency precio, Currency unidades) {
    return Currency::MulDiv({precio, unidades}, Currency(1), 2);
}

Currency PrecioConIva(Currency sinIva, Currency iva) {
    return Currency::MulDiv({sinIva, kCien + iva}, kCien, 2);
}

std::optional<Currency> PrecioSinIva(Currency conIva, Currency iva) {
    if ((kCien + iva).IsZero()) return std::nullopt;
    return Currency::MulDiv({conIva, kCien}, kCien + iva, 4);
}

Currency ImporteLineaLiquidacion(Currency unidades, Currency precio) {
    return Currency::MulDiv({unidades, precio}, Currency(1), 2);
}

}  // namespace zmk
