#include "host/reportprint.h"

#include "host/app.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/resources.h"

// Q_INIT_RESOURCE must be called outside any namespace.
static void InitReportTemplates() {
    Q_INIT_RESOURCE(reports);
}

namespace zmk {

namespace {

TPrintDevice& Device() {
    static TPrintDevice device;
    return device;
}

void DoPrintIDReport(const TProcCall&) {
    const TParametres& p = Parametres();
    const int id = p.AsInteger(QStringLiteral("PRME01"));
    const QString filter = p.AsString(QStringLiteral("PRME06"));
    const auto target = TPrintTarget(p.AsInteger(QStringLiteral("PRME02"), 0));
    const QString html = RenderReportHtml(id, filter);
    const TReportDefinition* def = Reports().Find(id);
    PrintHtml(html, def ? def->name : QString(), target, p.AsString(QStringLiteral("PRME03")),
              p.AsBoolean(QStringLiteral("PRME05")), p.AsInteger(QStringLiteral("PRME04"), 1));
}

}  // namespace

void RegisterReportProcedures() {
    InitReportTemplates();
    Reports().LoadFromDirectory(QStringLiteral(":/reports"));
    CargaInformesDeRecursos(RecursosZMK(), Reports());
    ZMKApp().Procedures().RegisterProcedure(
        kDoPrintIDReport, QStringLiteral("Imprime un informe por su número"), DoPrintIDReport);
}

TPrintDevice SetPrintDevice(TPrintDevice device) {
    std::swap(Device(), device);
    return device;
}

void PrintHtml(const QString& html, const QString& title, TPrintTarget target,
               const QString& pdfPath, bool askPrinter, int copies) {
    if (target == TPrintTarget::Pdf) {
        QString path = pdfPath;
        if (path.isEmpty())
            path = Prompt().SaveFileName(QStringLiteral("Guardar como PDF"),
                                         title + QStringLiteral(".pdf"),
                                         QStringLiteral("Documentos PDF (*.pdf)"));
        if (path.isEmpty()) throw EAbort();
        WriteHtmlToPdf(html, path);
        return;
    }
    if (!Device())
        throw EZMKError(
            QStringLiteral("Sin ventanas no se puede mostrar ni imprimir un informe: imprímalo en "
                           "un archivo PDF."));
    Device()(html, title, target, askPrinter, copies < 1 ? 1 : copies);
}

void PrintDataSetList(const QString& title, TDataSet& dataSet,
                      const std::vector<TListColumn>& columns, TPrintTarget target,
                      const QString& pdfPath) {
    PrintHtml(RenderListHtml(title, dataSet, columns), title, target, pdfPath);
}

}  // namespace zmk
