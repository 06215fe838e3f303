#include "billing/factura.h"

#include <QSqlQuery>
#include <QStringList>
#include <optional>

#include "billing/importes.h"
#include "billing/textorecibo.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/prompt.h"

namespace zmk {
namespace {

QString Sql(Currency importe) {
    return ValorSQL(QVariant::fromValue(importe));
}

// One rate of the VAT breakdown; an empty slot has no rate.
struct TTramoIva {
    std::optional<Currency> porcentaje;
    Currency base;
    Currency iva;
};

QString AsignacionesTramo(int n, const TTramoIva& tramo) {
    auto valor = [&](Currency importe) {
        return tramo.porcentaje ? Sql(importe) : ValorSQL(QVariant());
    };
    return QStringLiteral(",TPCIva%1T15=%2,BaseImponible%1T15=%3,ImporteIva%1T15=%4")
        .arg(n)
        .arg(valor(tramo.porcentaje.value_or(Currency())), valor(tramo.base), valor(tramo.iva));
}

}  // namespace

Currency RecalcularFactura(int idFactura) {
    TDataBaseZMK& db = DefaultDB();
    auto ds =
        db.GetTSQLDataSet(QStringLiteral("SELECT * FROM T16FacturasCue WHERE IDFacturaCabT16=") +
                              ValorSQL(idFactura) + QStringLiteral("\nORDER BY TPCIvaT16 DESC"),
                          true);
    ds->Open();
    Currency articulos, descuentos, bases, ivas, total;
    TTramoIva tramos[3];
    for (ds->First(); !ds->Eof(); ds->Next()) {
        TImportesLinea linea{ds->FieldByName(QStringLiteral("ImporteBaseT16")).AsCurrency(),
                             ds->FieldByName(QStringLiteral("BaseImponibleT16")).AsCurrency(),
                             ds->FieldByName(QStringLiteral("ImporteIvaIncluidoT16")).AsCurrency()};
        Currency unidades = ds->FieldByName(QStringLiteral("UnidadesT16")).AsCurrency();
        Currency iva = ds->FieldByName(QStringLiteral("TPCIvaT16")).AsCurrency();
        if (linea.precio.IsZero() && !linea.total.IsZero()) {
            // A line entered with its total only.
            linea = CalcularImportesDesdeTotal(
                linea, unidades, ds->FieldByName(QStringLiteral("TPCDtoT16")).AsCurrency(), iva);
            ModificaRegistres(
                db, QStringLiteral("T16FacturasCue"),
                QStringLiteral("ImporteBaseT16=") + Sql(linea.precio) +
                    QStringLiteral(",BaseImponibleT16=") + Sql(linea.base),
                QStringLiteral("IDFacturaCueT16=") +
                    ValorSQL(ds->FieldByName(QStringLiteral("IDFacturaCueT16")).Value()));
        }
        Currency cuota = linea.total - linea.base;
        // A fourth rate stays out of the breakdown; it still counts in the totals.
        for (TTramoIva& tramo : tramos) {
            if (!tramo.porcentaje || *tramo.porcentaje == iva) {
                tramo.porcentaje = iva;
                tramo.base += linea.base;
                tramo.iva += cuota;
                break;
            }
        }
        Currency descuento = linea.base - unidades * linea.precio;
        bases += linea.base;
        ivas += cuota;
        descuentos += descuento;
        articulos += linea.base - descuento;
        total += linea.total;
    }
    ds->Close();

    QString asignaciones = QStringLiteral("ImporteArticulosT15=") + Sql(articulos) +
                           QStringLiteral(",ImporteDescuentosT15=") + Sql(descuentos) +
                           QStringLiteral(",ImporteTotalT15=") + Sql(total) +
                           QStringLiteral(",ImporteBasesImponiblesT15=") + Sql(bases) +
                           QStringLiteral(",ImporteIvasT15=") + Sql(ivas);
    for (int i = 0; i < 3; ++i) asignaciones += AsignacionesTramo(i + 1, tramos[i]);
    ModificaRegistres(db, QStringLiteral("T15FacturasCab"), asignaciones,
                      QStringLiteral("IDFacturaCabT15=") + ValorSQL(idFactura));
    GenerarTextoRecibo(idFactura);
    return total;
}

void RecalcularFacturasAntiguas() {
    TDataBaseZMK& db = DefaultDB();
    db.BeginTrans();
    try {
        QList<int> ids;
        QSqlQuery q = db.Query(QStringLiteral(
            "SELECT IDFacturaCabT16 FROM T16FacturasCue WHERE ((TPCDtoT16>0) OR "
            "((ImporteBaseT16=0) AND (ImporteIvaIncluidoT16>0))) GROUP BY IDFacturaCabT16"));
        while (q.next()) ids << q.value(0).toInt();
        for (int id : ids) RecalcularFactura(id);
        TQuestion pregunta{QString(),
                           QStringLiteral("El proceso ha finalizado correctamente\n\nSe han "
                                          "recalculado %1 facturas\n\n¿Aceptar el proceso?")
                               .arg(ids.size()),
                           {TMsgButton::Yes, TMsgButton::No},
                           TMsgIcon::Information,
                           TMsgButton::None};
        if (Prompt().Ask(pregunta) != TMsgButton::Yes) throw EAbort();
        db.CommitTrans();
    } catch (...) {
        if (db.InTransaction()) db.RollbackTrans();
        throw;
    }
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
