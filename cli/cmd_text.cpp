#include "cli/cmd_text.h"

#include "billing/textoconcepto.h"
#include "cli/commands.h"

namespace zmk::cli {
namespace {

const QString kUsoExpand = QStringLiteral("text expand TEXT YEAR MONTH");
const QString kUsoReceipt = QStringLiteral("text receipt-concept [--optional] FORMAT [V1 ... V20]");

int Entero(const QString& texto, int minimo, int maximo, const QString& uso) {
    bool ok = false;
    int valor = texto.toInt(&ok);
    if (!ok || valor < minimo || valor > maximo)
        throw UsageError{QStringLiteral("'%1' is not a number from %2 to %3; usage: %4")
                             .arg(texto)
                             .arg(minimo)
                             .arg(maximo)
                             .arg(uso)};
    return valor;
}

int Expand(CliContext& ctx) {
    if (ctx.args.size() != 4) throw UsageError{QStringLiteral("usage: ") + kUsoExpand};
    int anyo = Entero(ctx.args[2], 1, 9999, kUsoExpand);
    int mes = Entero(ctx.args[3], 1, 12, kUsoExpand);
    *ctx.out << ExpandirTextoConcepto(ctx.args[1], anyo, mes) << '\n';
    return kExitOk;
}

// The values are texts already formatted the way the receipt shows them; missing ones are empty.
int ReceiptConcept(CliContext& ctx) {
    QStringList args = ctx.args.mid(1);
    bool opcional = !args.isEmpty() && args.first() == QLatin1String("--optional");
    if (opcional) args.removeFirst();
    if (args.isEmpty() || args.size() > 1 + kCamposConceptoRecibo)
        throw UsageError{QStringLiteral("usage: ") + kUsoReceipt};
    TValoresConceptoRecibo valores;
    for (int i = 1; i < args.size(); ++i) valores[size_t(i - 1)] = args[i];
    TConceptoRecibo r = FormatearConceptoRecibo(opcional, args.first(), valores);
    *ctx.out << r.texto << '\n' << r.error << '\n';
    return kExitOk;
}

int Text(CliContext& ctx) {
    QString sub = ctx.args.value(0);
    if (sub == QLatin1String("expand")) return Expand(ctx);
    if (sub == QLatin1String("receipt-concept")) return ReceiptConcept(ctx);
    throw UsageError{QStringLiteral("usage: ") + kUsoExpand + QStringLiteral(" | ") + kUsoReceipt};
}

}  // namespace

void RegisterTextCommands() {
    RegisterCommand(QStringLiteral("text"), kUsoExpand + QStringLiteral(" | ") + kUsoReceipt, Text);
}

}  // namespace zmk::cli
