#include "rules/importesfila.h"

namespace zmk {

namespace {

using Wide = __int128;

constexpr Wide kEscala = Currency::kScale;
// A percentage as a fraction of one, in the scale of its raw value: 100 % = 10000 x 100.
constexpr Wide kCien = kEscala * 100;

// num / den, given in raw units of the currency, rounded half away from zero to the decimals.
Currency Cociente(Wide num, Wide den, int decimales) {
    Wide unidad = 1;
    for (int i = decimales; i < 4; ++i) unidad *= 10;
    den *= unidad;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    Wide q = num / den;
    const Wide r = num % den;
    if (2 * (r < 0 ? -r : r) >= den) q += num < 0 ? -1 : 1;
    return Currency::FromRaw(int64_t(q * unidad));
}

}  // namespace

Currency PrecioConIva(Currency sinIva, Currency iva) {
    return Cociente(Wide(sinIva.Raw()) * (kCien + iva.Raw()), kCien, 2);
}

std::optional<Currency> PrecioSinIva(Currency conIva, Currency iva) {
    const Wide divisor = kCien + iva.Raw();
    if (divisor == 0) return std::nullopt;
    return Cociente(Wide(conIva.Raw()) * kCien, divisor, 4);
}

TImportesLineaFactura LineaDesdePrecio(Currency precio, Currency unidades, Currency dto,
                                       Currency iva) {
    const Currency base =
        Cociente(Wide(precio.Raw()) * unidades.Raw() * (kCien - dto.Raw()), kEscala * kCien, 2);
    const Currency cuota = Cociente(Wide(iva.Raw()) * base.Raw(), kCien, 2);
    return {precio, base, base + cuota};
}

std::optional<TImportesLineaFactura> LineaDesdeTotal(Currency total, Currency unidades,
                                                     Currency dto, Currency iva) {
    const Currency q = Cociente(Wide(unidades.Raw()) * (kCien - dto.Raw()), kCien, 4);
    if (q.IsZero()) return TImportesLineaFactura{};
    const auto base = PrecioSinIva(total, iva);
    if (!base) return std::nullopt;
    const Currency precio = Cociente(Wide(base->Raw()) * kEscala, q.Raw(), 4);
    return TImportesLineaFactura{precio, *base, total};
}

Currency ImporteLineaLiquidacion(Currency unidades, Currency precio) {
    return Cociente(Wide(unidades.Raw()) * precio.Raw(), kEscala, 2);
}

}  // namespace zmk
