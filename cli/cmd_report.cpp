#include "cli/cmd_report.h"

#include <QGuiApplication>

#include "cli/commands.h"
#include "host/app.h"
#include "host/errors.h"
#include "host/reportprint.h"
#include "host/reports.h"

namespace zmk::cli {

namespace {

const QString kUso = QStringLiteral(
    "report pdf ID FILTRO SALIDA.pdf | report list    imprime el informe ID (filtro SQL sobre su "
    "consulta principal; \"\" para todo) a un PDF; list: los informes disponibles");

void EnsureEngine() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw EZMKError(
            QStringLiteral("La orden \"report\" necesita una aplicación gráfica "
                           "(QGuiApplication; basta con QT_QPA_PLATFORM=offscreen)"));
    if (!ZMKApp().Procedures().Exists(kDoPrintIDReport)) RegisterReportProcedures();
}

int Report(CliContext& ctx) {
    const QString sub = ctx.args.value(0);
    if (sub == QLatin1String("list") && ctx.args.size() == 1) {
        EnsureEngine();
        for (const TReportDefinition* d : Reports().All())
            *ctx.out << d->id << '\t' << d->kind << '\t' << d->name << '\n';
        return kExitOk;
    }
    if (sub != QLatin1String("pdf") || ctx.args.size() != 4)
        throw UsageError{QStringLiteral("usage: ") + kUso};
    bool ok = false;
    const int id = ctx.args[1].toInt(&ok);
    if (!ok) throw UsageError{QStringLiteral("ID debe ser un número")};
    EnsureEngine();
    OpenDefaultDatabase(ctx);
    PrintReport(id, ctx.args[2], TPrintTarget::Pdf, ctx.args[3]);
    *ctx.out << ctx.args[3] << '\n';
    return kExitOk;
}

}  // namespace

void RegisterReportCommands() {
    RegisterCommand(QStringLiteral("report"), kUso, Report);
}

}  // namespace zmk::cli
