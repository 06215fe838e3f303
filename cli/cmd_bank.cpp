// "bank SUBORDEN ...": runs one bank identifier routine per argument and prints one line for
// each. No database is needed. Arguments are taken exactly as given; with "-" as the only
// argument they come from standard input, one per line (for the subcommands that take several
// arguments, a line holds them separated by tabs).
//
// Failures: a routine that raises (ccc-digits that cannot compute, creditor-id with a bad
// suffix, a wrong number of fields on an input line) writes "ERROR <text>" to stderr. When the
// run answers a single item nothing goes to stdout; in a list the item gets an empty line so that
// the answers stay aligned with the input, and the rest is still answered. Either way the exit
// status is 1 when any item failed.
#include "cli/cmd_bank.h"

#include <functional>
#include <map>

#include "cli/commands.h"
#include "core/bancos.h"
#include "host/errors.h"

namespace zmk::cli {
namespace {

struct BankSubcommand {
    int minArgs;  // 0 means a list of any length, one routine call per argument
    int maxArgs;
    std::function<QString(const QStringList&)> run;
};

const std::map<QString, BankSubcommand>& Subcommands() {
    static const std::map<QString, BankSubcommand> subcommands = {
        {QStringLiteral("validate-iban"),
         {0, 0, [](const QStringList& a) { return QString::number(ValidarIBAN(a[0])); }}},
        {QStringLiteral("check-iban"),
         {0, 0,
          [](const QStringList& a) { return ComprobarIBAN(a[0], false, true, false, true); }}},
        {QStringLiteral("check-iban-bic"),
         {2, 2,
          [](const QStringList& a) {
              return ComprobarIBANyBIC(a[0], a[1], false, true, false, true, true);
          }}},
        {QStringLiteral("complete-iban"),
         {0, 0, [](const QStringList& a) { return CompletarIBAN(a[0], false); }}},
        {QStringLiteral("ccc-digits"),
         {3, 3, [](const QStringList& a) { return DigitosControlCCC(a[0], a[1], a[2]); }}},
        {QStringLiteral("bic"),
         {0, 0, [](const QStringList& a) { return BuscarBIC(CodigoEntidadIBAN(a[0])); }}},
        {QStringLiteral("nif"),
         {1, 2,
          [](const QStringList& a) {
              return NormalizarNIF(a[0], a.size() > 1 ? a[1] : QString());
          }}},
        {QStringLiteral("creditor-id"),
         {2, 2, [](const QStringList& a) { return IdentificadorAcreedorSEPA(a[0], a[1]); }}},
    };
    return subcommands;
}

// Standard input's lines without their line ends ("\n" or "\r\n").
QStringList InputLines(QTextStream& in) {
    QStringList lines = in.readAll().split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(u'\r')) line.chop(1);
    return lines;
}

QString ArityText(const BankSubcommand& sub) {
    return sub.minArgs == sub.maxArgs ? QString::number(sub.minArgs)
                                      : QStringLiteral("%1 o %2").arg(sub.minArgs).arg(sub.maxArgs);
}

int RunBank(CliContext& ctx) {
    if (ctx.args.isEmpty()) throw UsageError{QStringLiteral("bank necesita una suborden")};
    const auto it = Subcommands().find(ctx.args.first());
    if (it == Subcommands().end())
        throw UsageError{QStringLiteral("Suborden de bank desconocida: %1").arg(ctx.args.first())};
    const BankSubcommand& sub = it->second;
    const QStringList args = ctx.args.mid(1);
    const bool fromInput = args.size() == 1 && args.first() == QLatin1String("-");

    // Each item is the argument list of one routine call.
    QList<QStringList> items;
    if (fromInput) {
        for (const QString& line : InputLines(*ctx.in))
            items << (sub.minArgs == 0 ? QStringList{line} : line.split(u'\t'));
    } else if (sub.minArgs == 0) {
        if (args.isEmpty())
            throw UsageError{
                QStringLiteral("bank %1 necesita al menos un argumento").arg(it->first)};
        for (const QString& arg : args) items << QStringList{arg};
    } else {
        if (args.size() < sub.minArgs || args.size() > sub.maxArgs)
            throw UsageError{
                QStringLiteral("bank %1 necesita %2 argumentos").arg(it->first, ArityText(sub))};
        items << args;
    }

    const bool list = fromInput || items.size() > 1;
    int status = kExitOk;
    for (const QStringList& item : items) {
        try {
            if (sub.minArgs > 0 && (item.size() < sub.minArgs || item.size() > sub.maxArgs))
                throw EZMKError(QStringLiteral("bank %1 necesita %2 campos separados por "
                                               "tabuladores en cada línea")
                                    .arg(it->first, ArityText(sub)));
            *ctx.out << sub.run(item) << "\n";
        } catch (const EZMKError& e) {
            *ctx.err << "ERROR " << e.Message() << "\n";
            if (list) *ctx.out << "\n";
            status = kExitFailed;
        }
    }
    return status;
}

}  // namespace

void RegisterBankCommands() {
    RegisterCommand(
        QStringLiteral("bank"),
        QStringLiteral(
            "bank validate-iban|check-iban|complete-iban|bic IBAN... | check-iban-bic IBAN BIC | "
            "ccc-digits ENTIDAD OFICINA CUENTA | nif TEXTO [SEPARADOR] | creditor-id SUFIJO NIF"
            "   una línea por argumento; \"-\": argumentos desde la entrada, uno por línea"),
        RunBank);
}

}  // namespace zmk::cli
