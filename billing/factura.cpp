#include "billing/factura.h"

#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <map>
#include <optional>

#include "billing/textorecibo.h"
#include "core/importes.h"
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

// Each rate's quota is the rate applied to that rate's base, rounded once. The cents by which
// that differs from the sum of the lines' own rounding go to the lines whose rounding lost the
// most (or gained the most), so that the lines still add up to the quota and none moves a cent
// away from its own exact VAT. A line given a cent gets it on its total; its base stays.
void RepartirCuotas(std::vector<TLineaFactura>& lineas, std::vector<bool>& cambiadas) {
    const Currency cien(100);
    std::map<int64_t, std::vector<size_t>> porTipo;
    for (size_t i = 0; i < lineas.size(); ++i)
        if (!lineas[i].ivaNulo) porTipo[lineas[i].iva.Raw()].push_back(i);
    for (const auto& [tipo, indices] : porTipo) {
        const Currency iva = Currency::FromRaw(tipo);
        Currency base, cuotas;
        for (size_t i : indices) {
            base += lineas[i].base;
            cuotas += lineas[i].total - lineas[i].base;
        }
        const int64_t centimos = (Currency::MulDiv({base, iva}, cien, 2) - cuotas).Raw() / 100;
        if (centimos == 0) continue;
        std::vector<std::pair<Currency, size_t>> restos;
        for (size_t i : indices) {
            const TLineaFactura& l = lineas[i];
            restos.push_back({Currency::MulDiv({l.base, iva}, cien, 4) - (l.total - l.base), i});
        }
        std::stable_sort(restos.begin(), restos.end(), [&](const auto& a, const auto& b) {
            return centimos > 0 ? b.first < a.first : a.first < b.first;
        });
        const Currency centimo = Currency::FromRaw(centimos > 0 ? 100 : -100);
        for (size_t k = 0; k < restos.size() && k < size_t(centimos > 0 ? centimos : -centimos);
             ++k) {
            lineas[restos[k].second].total += centimo;
            cambiadas[restos[k].second] = true;
        }
    }
}

// The header's amounts in the order of TImportesCabecera.
const QStringList& ColumnasImportes() {
    static const QStringList columnas = [] {
        QStringList c{QStringLiteral("ImporteArticulosT15"), QStringLiteral("ImporteDescuentosT15"),
                      QStringLiteral("ImporteTotalT15"),
                      QStringLiteral("ImporteBasesImponiblesT15"),
                      QStringLiteral("ImporteIvasT15")};
        for (int n = 1; n <= 3; ++n)
            c << QStringLiteral("TPCIva%1T15").arg(n) << QStringLiteral("BaseImponible%1T15").arg(n)
              << QStringLiteral("ImporteIva%1T15").arg(n);
        return c;
    }();
    return columnas;
}

QString SqlActualizarCabecera() {
    QStringList campos = ColumnasImportes();
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
                                "BaseImponibleT16=?,ImporteIvaIncluidoT16=? WHERE "
                                "IDFacturaCueT16=?")) {}

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
        QStringLiteral("SELECT NumeroT15,FechaT15,") + ColumnasImportes().join(QLatin1Char(',')) +
            QStringLiteral(" FROM T15FacturasCab WHERE IDFacturaCabT15=") + ValorSQL(idFactura),
        true);
    cab->Open();
    std::optional<TImportesCabecera> guardados;
    if (!cab->IsEmpty()) {
        TField& numero = cab->FieldByName(QStringLiteral("NumeroT15"));
        if (!numero.IsNull()) cabecera.numero = numero.AsInteger();
        TField& fecha = cab->FieldByName(QStringLiteral("FechaT15"));
        if (!fecha.IsNull()) cabecera.fecha = fecha.AsDateTime().date();
        TImportesCabecera importes;
        for (size_t i = 0; i < importes.size(); ++i) {
            TField& f = cab->FieldByName(ColumnasImportes()[qsizetype(i)]);
            if (!f.IsNull()) importes[i] = f.AsCurrency();
        }
        guardados = importes;
    }
    cab->Close();
    const size_t cambiadasAntes = cambiadas_;
    const Currency total = Recalcular(idFactura, cabecera, std::move(lineas));
    if (cambiadas_ == cambiadasAntes && guardados && *guardados != ultimos_) ++cambiadas_;
    return total;
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
    std::vector<bool> cambiadas(lineas.size(), false);
    for (size_t i = 0; i < lineas.size(); ++i) {
        TLineaFactura& l = lineas[i];
        // Lines entered with their total only, or written before amounts were kept in cents,
        // are brought to the line rule.
        const TImportesLinea guardada{l.precio, l.base, l.total};
        const TImportesLinea importes =
            ImportesLineaSegunRegla(guardada, l.unidades.value_or(Currency()), l.dto, l.iva);
        if (importes != guardada) {
            l.precio = importes.precio;
            l.base = importes.base;
            l.total = importes.total;
            cambiadas[i] = true;
        }
    }
    RepartirCuotas(lineas, cambiadas);
    bool lineaCambiada = false;
    for (size_t i : porIva) {
        TLineaFactura& l = lineas[i];
        const Currency unidades = l.unidades.value_or(Currency());
        if (cambiadas[i]) {
            linea_.Run({Dinero(l.precio), Dinero(l.base), Dinero(l.total), l.id});
            lineaCambiada = true;
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
        // The gross amount in cents, so that articulos + descuentos = bases to the cent.
        const Currency bruto = ImporteArticulosLinea(l.precio, unidades);
        bases += l.base;
        ivas += cuota;
        descuentos += l.base - bruto;
        articulos += bruto;
        total += l.total;
    }
    if (lineaCambiada) ++cambiadas_;

    TCabeceraRecibo cabecera = datos;
    cabecera.total = total;
    const TTextoRecibo recibo = ComponerRecibo(formato_, cabecera, lineas);
    ultimos_ = {articulos, descuentos, total, bases, ivas};
    for (size_t n = 0; n < 3; ++n) {
        const TTramoIva& tramo = tramos[n];
        if (!tramo.porcentaje) continue;
        ultimos_[5 + 3 * n] = *tramo.porcentaje;
        ultimos_[6 + 3 * n] = tramo.base;
        ultimos_[7 + 3 * n] = tramo.iva;
    }
    QVariantList valores;
    for (const std::optional<Currency>& importe : ultimos_)
        valores << (importe ? Dinero(*importe) : QVariant());
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
        "((ImporteBaseT16=0) AND (ImporteIvaIncluidoT16>0)) OR "
        "(ROUND(BaseImponibleT16,2)<>BaseImponibleT16) OR "
        "(ROUND(ImporteIvaIncluidoT16,2)<>ImporteIvaIncluidoT16)) GROUP BY IDFacturaCabT16"));
    while (q.next()) ids << q.value(0).toInt();
    TRecalculoFacturas recalculo(db);
    for (int id : ids) recalculo.Recalcular(id);
    TQuestion pregunta{QString(),
                       QStringLiteral("El proceso ha finalizado correctamente\n\nSe han "
                                      "recalculado %1 facturas\n%2 de ellas han cambiado de "
                                      "importe\n\n¿Aceptar el proceso?")
                           .arg(ids.size())
                           .arg(recalculo.Cambiadas()),
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
