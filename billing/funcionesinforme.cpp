#include "billing/funcionesinforme.h"

#include <QSqlQuery>

#include "billing/emisorfactura.h"
#include "core/parametrosapp.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"

namespace zmk {

namespace {
constexpr int kMotivoCero = 1310;  // "Norma19.dev_txt_0"; 9 is the unknown reason
}

TFuncionesFacturacion::TFuncionesFacturacion() {
    AddFunctionDesc(QStringLiteral("MotivoDevolucion"), QStringLiteral("Facturación"),
                    QStringLiteral("MotivoDevolucion(<Código>): el motivo de una devolución"));
    AddFunctionDesc(QStringLiteral("TextosLegalesIva"), QStringLiteral("Facturación"),
                    QStringLiteral("TextosLegalesIva(<Factura>): los textos legales de sus IVA"));
}

void TFuncionesFacturacion::DoFunction(int fnNumber, const QVariantList& args, QVariant& result) {
    if (fnNumber == 0) result = TextoMotivoDevolucion(args.value(0));
    if (fnNumber == 1) result = TextosLegalesIva(args.value(0).toInt()).join(u'\n');
}

QString TextoMotivoDevolucion(const QVariant& codigo) {
    bool ok = false;
    const int n = codigo.toString().trimmed().toInt(&ok);
    return SharedString(kMotivoCero + (ok && n >= 0 && n <= 8 ? n : 9));
}

QStringList TextosLegalesIva(int idFactura) {
    QStringList textos;
    TDataBaseZMK* db = ZMKApp().GetDefaultDB();
    if (!db || !db->Columns(QStringLiteral("T22TiposIva"))
                    .contains(QStringLiteral("TextoLegalT22"), Qt::CaseInsensitive))
        return textos;
    QSqlQuery q = db->Prepared(
        QStringLiteral("SELECT TextoLegalT22 FROM T22TiposIva WHERE TRIM(COALESCE(TextoLegalT22, "
                       "'')) <> '' AND TPCIvaT22 IN (SELECT TPCIvaT16 FROM T16FacturasCue WHERE "
                       "IDFacturaCabT16 = ?) ORDER BY TPCIvaT22, IDTipoIvaT22"),
        {idFactura});
    while (q.next()) {
        const QString t = q.value(0).toString().trimmed();
        if (!textos.contains(t)) textos << t;
    }
    return textos;
}

void AseguraTextoLegalIva() {
    TDataBaseZMK* db = ZMKApp().GetDefaultDB();
    if (!db || db->ReadOnly() || !db->TableExists(QStringLiteral("T22TiposIva")) ||
        db->Columns(QStringLiteral("T22TiposIva"))
            .contains(QStringLiteral("TextoLegalT22"), Qt::CaseInsensitive))
        return;
    if (db->InTransaction()) return;
    try {
        db->BeginTrans(true);
        db->ExecuteSQL(
            QStringLiteral("ALTER TABLE T22TiposIva ADD COLUMN TextoLegalT22 TEXT COLLATE NOCASE"));
        db->Prepared(QStringLiteral("UPDATE T22TiposIva SET TextoLegalT22 = ? WHERE TPCIvaT22 = 0"),
                     {QString::fromUtf8(kTextoExencionEnsenanza)});
        db->CommitTrans();
    } catch (const EZMKError&) {
        // Another workstation holding the file: nothing changed, the next connection adds it.
        if (db->InTransaction()) db->RollbackTrans();
    }
}

void RegisterFuncionesFacturacion() {
    frRegisterFunctionLibrary<TFuncionesFacturacion>();
    ParametrosApp().AddReloadHandler(QStringLiteral("TextoLegalIva"), AseguraTextoLegalIva);
    ParametrosApp().AddReloadHandler(QStringLiteral("EmisorFacturas"), AseguraEmisorFacturas);
}

}  // namespace zmk
