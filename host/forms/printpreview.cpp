#include "host/forms/printpreview.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include "host/errors.h"
#include "host/reportprint.h"

namespace zmk {

namespace {

void SetUpPrinter(QPrinter& printer, const QString& title, int copies) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setDocName(title);
    printer.setCopyCount(copies);
}

void PrintOnScreenOrPaper(const QString& html, const QString& title, TPrintTarget target,
                          bool askPrinter, int copies) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, title, copies);
    QTextDocument doc;
    doc.setHtml(html);
    if (target == TPrintTarget::Printer) {
        if (askPrinter) {
            QPrintDialog dialog(&printer);
            if (dialog.exec() != QDialog::Accepted) throw EAbort();
        }
        doc.print(&printer);
        return;
    }
    QPrintPreviewDialog preview(&printer);
    preview.setWindowTitle(title.isEmpty() ? QStringLiteral("Vista previa")
                                           : QStringLiteral("Vista previa - ") + title);
    preview.resize(1000, 800);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&doc](QPrinter* p) { doc.print(p); });
    preview.exec();
}

}  // namespace

void InstallPrintPreview() {
    SetPrintDevice(PrintOnScreenOrPaper);
}

}  // namespace zmk
