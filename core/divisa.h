#pragma once
// The currency settings of the company database as the currency dialog edits them: names,
// decimals of prices and totals, and the list and edit masks.
#include <QString>

namespace zmk {

struct TConfigMoneda {
    QString nombre;           // "DIVISANAME"
    QString nombreLargo;      // "DIVISALONGNAME"
    QString decimalesPrecio;  // digits of "DIVISAROUND", as typed
    QString decimalesTotal;   // digits of "DIVISAROUNDTOT", as typed
    QString mascara;          // "DIVISAMASK"
    QString mascaraEdicion;   // "DIVISAEDITMASK"
};

// The published values ("DIVISA_NOM", ...), as the dialog opens with them.
TConfigMoneda LeeConfigMoneda();
// "EUR", "EURO", two and two decimals, "#,##0.00" and "#,##0.00##".
TConfigMoneda ConfigMonedaPorDefecto();

// Decimal digits of a rounding power of ten: 100 -> 2, 1 -> 0.
int DecimalesDeRedondeo(int redondeo);
// The power of ten for a typed number of decimals; raises EZMKError when it is not a whole
// number from 0 or when it passes 4 decimals.
int RedondeoDeDecimales(const QString& decimales);

// Asks the "¡MUY IMPORTANTE!..." question; false (nothing stored) unless answered Yes. Then
// checks both decimals (raising EZMKError), stores the six options and runs the reload handlers
// of the per-database options, which publish the currency again.
bool AplicaConfigMoneda(const TConfigMoneda& config);

}  // namespace zmk
