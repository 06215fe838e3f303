#include "cli/cmd_invoice.h"

#include "billing/factura.h"
#include "cli/commands.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/transactionguard.h"

namespace zmk::cli {
namespace {

const QString kUsoRecalc = QStringLiteral("invoice recalc ID");

int Recalc(CliContext& ctx) {
    bool ok = false;
    int id = ctx.args.value(1).toInt(&ok);
    if (ctx.args.size() != 2 || !ok) throw UsageError{QStringLiteral("usage: ") + kUsoRecalc};
    OpenDefaultDatabase(ctx);
    TDataBaseZMK& db = DefaultDB();
    // Recalculating an invoice that does not exist must not look like a total of zero.
    if (CompteRegistres(db, QStringLiteral("IDFacturaCabT15"), QStringLiteral("T15FacturasCab"),
                        QStringLiteral("IDFacturaCabT15=") + ValorSQL(id)) == 0)
        throw EZMKError(QStringLiteral("No existe la factura %1").arg(id));
    TTransactionGuard transaccion(db);
    const Currency total = RecalcularFactura(id);
    transaccion.Commit();
    *ctx.out << total.ToString(2) << '\n';
    return kExitOk;
}

int Invoice(CliContext& ctx) {
    if (ctx.args.value(0) == QLatin1String("recalc")) return Recalc(ctx);
    throw UsageError{QStringLiteral("usage: ") + kUsoRecalc};
}

}  // namespace

void RegisterInvoiceCommands() {
    RegisterCommand(QStringLiteral("invoice"), kUsoRecalc, Invoice);
}

}  // namespace zmk::cli
