#include "core/divisa.h"

#include "core/parametrosapp.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"

namespace zmk {

namespace {
// Beyond four decimals the amounts (scaled by 10000) could not hold the rounding.
constexpr int kRedondeoMaximo = 10000;
}  // namespace

TConfigMoneda LeeConfigMoneda() {
    const TParametres& p = Parametres();
    return {p.AsString(QStringLiteral("DIVISA_NOM"), QStringLiteral("EUR")),
            p.AsString(QStringLiteral("DIVISA_LONGNAME"), QStringLiteral("EURO")),
            QString::number(DecimalesDeRedondeo(p.AsInteger(QStringLiteral("DIVISA_ROUND")))),
            QString::number(DecimalesDeRedondeo(p.AsInteger(QStringLiteral("DIVISA_TOTALROUND")))),
            p.AsString(QStringLiteral("DIVISA_MASK")),
            p.AsString(QStringLiteral("DIVISA_EDITMASK"))};
}

TConfigMoneda ConfigMonedaPorDefecto() {
    return {QStringLiteral("EUR"), QStringLiteral("EURO"),     QStringLiteral("2"),
            QStringLiteral("2"),   QStringLiteral("#,##0.00"), QStringLiteral("#,##0.00##")};
}

int DecimalesDeRedondeo(int redondeo) {
    int decimales = 0;
    for (int r = redondeo; r >= 10; r /= 10) ++decimales;
    return decimales;
}

int RedondeoDeDecimales(const QString& decimales) {
    bool ok = false;
    int n = decimales.trimmed().toInt(&ok);
    // A negative count would give a rounding below one unit: as invalid as a non-number.
    if (!ok || n < 0)
        throw EZMKError(QStringLiteral("El número de decimales introducido no es válido"));
    int redondeo = 1;
    for (int i = 0; i < n; ++i) {
        redondeo *= 10;
        if (redondeo > kRedondeoMaximo)
            throw EZMKError(QStringLiteral("El redondeo máximo es de 4 decimales"));
    }
    return redondeo;
}

bool AplicaConfigMoneda(const TConfigMoneda& config) {
    if (Pregunta(QStringLiteral(
                     "¡MUY IMPORTANTE!\nSi modifica el número de decimales de redondeo el programa "
                     "no recalculará los documentos ya generados, por lo que es muy posible que "
                     "existan descuadres de decimales.\n\n¿Seguro que quiere aplicar los cambios "
                     "en la moneda?"),
                 {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Question,
                 TMsgButton::No) != TMsgButton::Yes)
        return false;
    int redondeo = RedondeoDeDecimales(config.decimalesPrecio);
    int redondeoTotal = RedondeoDeDecimales(config.decimalesTotal);
    TParametrosApp& p = ParametrosApp();
    p.SetValue(QStringLiteral("DIVISAROUND"), redondeo);
    p.SetValue(QStringLiteral("DIVISAROUNDTOT"), redondeoTotal);
    p.SetValue(QStringLiteral("DIVISANAME"), config.nombre);
    p.SetValue(QStringLiteral("DIVISALONGNAME"), config.nombreLargo);
    p.SetValue(QStringLiteral("DIVISAMASK"), config.mascara);
    p.SetValue(QStringLiteral("DIVISAEDITMASK"), config.mascaraEdicion);
    p.NotifyReload();
    return true;
}

}  // namespace zmk
