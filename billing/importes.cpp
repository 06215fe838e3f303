#include "billing/importes.h"

#include "host/errors.h"

namespace zmk {
namespace {

using Wide = __int128;

[[noreturn]] void FueraDeRango() {
    throw EZMKError(QStringLiteral("Importe fuera de rango"));
}

Wide Multiplica(Wide a, Wide b) {
    Wide r;
    if (__builtin_mul_overflow(a, b, &r)) FueraDeRango();
    return r;
}

// num / den, one single rounding half away from zero, so that an expression of several factors
// is never rounded twice.
Wide DivideRedondeando(Wide num, Wide den) {
    bool negative = (num < 0) != (den < 0);
    if (num < 0) num = -num;
    if (den < 0) den = -den;
    Wide q = num / den;
    if (2 * (num % den) >= den) ++q;
    return negative ? -q : q;
}

Currency DesdeRaw(Wide raw) {
    if (raw > Wide(INT64_MAX) || raw < -Wide(INT64_MAX)) FueraDeRango();
    return Currency::FromRaw(int64_t(raw));
}

// The raw value num / den, at four decimals.
Currency Cociente(Wide num, Wide den) {
    return DesdeRaw(DivideRedondeando(num, den));
}

// The raw value num / den, rounded straight to cents.
Currency CocienteCentimos(Wide num, Wide den) {
    return DesdeRaw(Multiplica(DivideRedondeando(num, Multiplica(den, 100)), 100));
}

constexpr Wide kScale = Currency::kScale;
const Currency kCien = Currency(100);

}  // namespace

Currency RedondearDecimales(Currency x, int n) {
    return x.Rounded(n);
}

TImportesLinea CalcularImportesLinea(Currency precio, Currency unidades, Currency dto,
                                     Currency iva) {
    TImportesLinea r;
    r.precio = precio;
    // Raw values carry four decimals each: three factors and the "/ 100" scale by 10^10.
    r.base = Cociente(Multiplica(Multiplica(precio.Raw(), unidades.Raw()), (kCien - dto).Raw()),
                      kScale * kScale * 100);
    Currency cuotaIva = CocienteCentimos(Multiplica(r.base.Raw(), iva.Raw()), kScale * 100);
    r.total = RedondearDecimales(r.base + cuotaIva, 2);
    return r;
}

TImportesLinea CalcularImportesDesdeTotal(TImportesLinea actual, Currency unidades, Currency dto,
                                          Currency iva) {
    // A rate of 100 leaves the line as it is; -100 would divide by zero.
    if (iva == kCien || (kCien + iva).IsZero()) return actual;
    TImportesLinea r = actual;
    r.base = Cociente(Multiplica(actual.total.Raw(), 100 * kScale), (kCien + iva).Raw());
    Currency f = Cociente(Multiplica(unidades.Raw(), (kCien - dto).Raw()), 100 * kScale);
    if (f.IsZero()) {
        r.base = Currency();
        r.total = Currency();
    } else {
        r.precio = Cociente(Multiplica(r.base.Raw(), kScale), f.Raw());
    }
    return r;
}

}  // namespace zmk
