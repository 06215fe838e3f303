#include "host/forms/reportprint.h"

#include <QFileDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include "host/app.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/resources.h"

// Q_INIT_RESOURCE must be called outside any namespace.
static void InitReportTemplates() {
    Q_INIT_RESOURCE(reports);
}

namespace zmk {

namespace {

void SetUpPrinter(QPrinter& printer, const QString& title, int copies) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setDocName(title);
    printer.setCopyCount(copies < 1 ? 1 : copies);
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

void PrintHtml(const QString& html, const QString& title, TPrintTarget target,
               const QString& pdfPath, bool askPrinter, int copies) {
    switch (target) {
        case TPrintTarget::Pdf: {
            QString path = pdfPath;
            if (path.isEmpty())
                path = QFileDialog::getSaveFileName(nullptr, QStringLiteral("Guardar como PDF"),
                                                    title + QStringLiteral(".pdf"),
                                                    QStringLiteral("Documentos PDF (*.pdf)"));
            if (path.isEmpty()) throw EAbort();
            WriteHtmlToPdf(html, path);
            return;
        }
        case TPrintTarget::Printer: {
            QPrinter printer(QPrinter::HighResolution);
            SetUpPrinter(printer, title, copies);
            if (askPrinter) {
                QPrintDialog dialog(&printer);
                if (dialog.exec() != QDialog::Accepted) throw EAbort();
            }
            QTextDocument doc;
            doc.setHtml(html);
            doc.print(&printer);
            return;
        }
        case TPrintTarget::Preview: {
            QPrinter printer(QPrinter::HighResolution);
            SetUpPrinter(printer, title, copies);
            QTextDocument doc;
            doc.setHtml(html);
            QPrintPreviewDialog preview(&printer);
            preview.setWindowTitle(title.isEmpty() ? QStringLiteral("Vista previa")
                                                   : QStringLiteral("Vista previa - ") + title);
            preview.resize(1000, 800);
            QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                             [&doc](QPrinter* p) { doc.print(p); });
            preview.exec();
            return;
        }
    }
}

void PrintDataSetList(const QString& title, TDataSet& dataSet,
                      const std::vector<TListColumn>& columns, TPrintTarget target,
                      const QString& pdfPath) {
    PrintHtml(RenderListHtml(title, dataSet, columns), title, target, pdfPath);
}

}  // namespace zmk
