#include "billing/factura.h"

#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <optional>

#include "billing/importes.h"
#include "billing/textorecibo.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/preparedstatement.h"
#include "host/prompt.h"
#include "host/transactionguard.h"

namespace zmk {
namespace {

// One rate of the VAT breakdown; an empty slot has no rate.
struct TTramoIva {
    std::optional<Currency> porcentaje;
    Currency base;
    Currency iva;
};

QVariant Dinero(Currency importe) {
    return importe.ToDouble();
}

QString SqlActualizarCabecera() {
    QStringList campos{QStringLiteral("ImporteArticulosT15"),
                       QStringLiteral("ImporteDescuentosT15"), QStringLiteral("ImporteTotalT15"),
                       QStringLiteral("ImporteBasesImponiblesT15"),
                       QStringLiteral("ImporteIvasT15")};
    for (int n = 1; n <= 3; ++n)
        campos << QStringLiteral("TPCIva%1T15").arg(n)
               << QStringLiteral("BaseImponible%1T15").arg(n)
               << QStringLiteral("ImporteIva%1T15").arg(n);
    for (int k = 1; k <= TFormatoRecibo::kLineas; ++k)
        campos << QStringLiteral("Linea%1T15").arg(k, 2, 10, QLatin1Char('0'));
    campos << QStringLiteral("ConceptoSEPAT15");
    return QStringLiteral("UPDATE T15FacturasCab SET ") + campos.join(QStringLiteral("=?,")) +
           QStringLiteral("=? WHERE IDFacturaCabT15=?");
}

}  // namespace

TRecalculoFacturas::TRecalculoFacturas(TDataBaseZMK& db)
    : db_(db),
      formato_(TFormatoRecibo::DeOpciones()),
      cabecera_(db, SqlActualizarCabecera()),
      linea_(db, QStringLiteral("UPDATE T16FacturasCue SET ImporteBaseT16=?,"
                                "BaseImponibleT16=? WHERE IDFacturaCueT16=?")) {}

Currency TRecalculoFacturas::Recalcular(int idFactura) {
    std::vector<TLineaFactura> lineas;
    auto ds = db_.GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T16FacturasCue WHERE IDFacturaCabT16=") +
            ValorSQL(idFactura) + QStringLiteral("\nORDER BY IDFacturaCueT16,NOrdenT16"),
        true);
    ds->Open();
    for (ds->First(); !ds->Eof(); ds->Next()) lineas.push_back(TLineaFactura::De(*ds));
    ds->Close();
    TCabeceraRecibo cabecera;
    auto cab = db_.GetTSQLDataSet(
        QStringLiteral("SELECT NumeroT15,FechaT15 FROM T15FacturasCab WHERE IDFacturaCabT15=") +
            ValorSQL(idFactura),
        true);
    cab->Open();
    if (!cab->IsEmpty()) {
        TField& numero = cab->FieldByName(QStringLiteral("NumeroT15"));
        if (!numero.IsNull()) cabecera.numero = numero.AsInteger();
        TField& fecha = cab->FieldByName(QStringLiteral("FechaT15"));
        if (!fecha.IsNull()) cabecera.fecha = fecha.AsDateTime().date();
    }
    cab->Close();
    return Recalcular(idFactura, cabecera, std::move(lineas));
}

Currency TRecalculoFacturas::Recalcular(int idFactura, const TCabeceraRecibo& datos,
                                        std::vector<TLineaFactura> lineas) {
    Currency articulos, descuentos, bases, ivas, total;
    TTramoIva tramos[3];
    // The breakdown takes the rates from the highest down (an empty rate last).
    std::vector<size_t> porIva(lineas.size());
    for (size_t i = 0; i < porIva.size(); ++i) porIva[i] = i;
    std::stable_sort(porIva.begin(), porIva.end(), [&](size_t a, size_t b) {
        const TLineaFactura &x = lineas[a], &y = lineas[b];
        if (x.ivaNulo != y.ivaNulo) return y.ivaNulo;
        return !x.ivaNulo && y.iva < x.iva;
    });
    for (size_t i : porIva) {
        TLineaFactura& l = lineas[i];
        const Currency unidades = l.unidades.value_or(Currency());
        if (l.precio.IsZero() && !l.total.IsZero()) {
            // A line entered with its total only.
            const TImportesLinea importes =
                CalcularImportesDesdeTotal({l.precio, l.base, l.total}, unidades, l.dto, l.iva);
            l.precio = importes.precio;
            l.base = importes.base;
            l.total = importes.total;
            linea_.Run({Dinero(l.precio), Dinero(l.base), l.id});
        }
        const Currency cuota = l.total - l.base;
        // A fourth rate stays out of the breakdown; it still counts in the totals.
        for (TTramoIva& tramo : tramos) {
            if (!tramo.porcentaje || *tramo.porcentaje == l.iva) {
                tramo.porcentaje = l.iva;
                tramo.base += l.base;
                tramo.iva += cuota;
                break;
            }
        }
        const Currency descuento = l.base - unidades * l.precio;
        bases += l.base;
        ivas += cuota;
        descuentos += descuento;
        articulos += l.base - descuento;
        total += l.total;
    }

    TCabeceraRecibo cabecera = datos;
    cabecera.total = total;
    const TTextoRecibo recibo = ComponerRecibo(formato_, cabecera, lineas);
    QVariantList valores{Dinero(articulos), Dinero(descuentos), Dinero(total), Dinero(bases),
                         Dinero(ivas)};
    for (const TTramoIva& tramo : tramos) {
        auto valor = [&](Currency importe) {
            return tramo.porcentaje ? Dinero(importe) : QVariant();
        };
        valores << valor(tramo.porcentaje.value_or(Currency())) << valor(tramo.base)
                << valor(tramo.iva);
    }
    for (const QString& linea : recibo.lineas) valores << linea;
    valores << recibo.conceptoSepa << idFactura;
    cabecera_.Run(valores);
    return total;
}

Currency RecalcularFactura(int idFactura) {
    TRecalculoFacturas recalculo(DefaultDB());
    return recalculo.Recalcular(idFactura);
}

void RecalcularFacturasAntiguas() {
    TDataBaseZMK& db = DefaultDB();
    TTransactionGuard transaccion(db);
    QList<int> ids;
    QSqlQuery q = db.Query(QStringLiteral(
        "SELECT IDFacturaCabT16 FROM T16FacturasCue WHERE ((TPCDtoT16>0) OR "
        "((ImporteBaseT16=0) AND (ImporteIvaIncluidoT16>0))) GROUP BY IDFacturaCabT16"));
    while (q.next()) ids << q.value(0).toInt();
    TRecalculoFacturas recalculo(db);
    for (int id : ids) recalculo.Recalcular(id);
    TQuestion pregunta{QString(),
                       QStringLiteral("El proceso ha finalizado correctamente\n\nSe han "
                                      "recalculado %1 facturas\n\n¿Aceptar el proceso?")
                           .arg(ids.size()),
                       {TMsgButton::Yes, TMsgButton::No},
                       TMsgIcon::Information,
                       TMsgButton::None};
    if (Prompt().Ask(pregunta) != TMsgButton::Yes) throw EAbort();
    transaccion.Commit();
}

int SiguienteNumeroFactura(const QVariant& idSerie) {
    TDataBaseZMK& db = DefaultDB();
    auto serie = db.GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T18Series WHERE IDSerieT18=") + ValorSQL(idSerie), true);
    serie->Open();
    if (!serie->IsEmpty()) {
        // A series whose counter was never set starts at 1, not at 0.
        TField& siguiente = serie->FieldByName(QStringLiteral("NSiguienteFacturaT18"));
        return siguiente.IsNull() ? 1 : siguiente.AsInteger();
    }
    QSqlQuery q = db.Query(QStringLiteral(
        "SELECT MAX(NumeroT15) AS MAXNUM\nFROM T15FacturasCab\nWHERE (IDSerieT15 IS NULL)"));
    return (q.next() && !q.value(0).isNull()) ? q.value(0).toInt() + 1 : 1;
}

}  // namespace zmk
