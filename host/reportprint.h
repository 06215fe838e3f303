#pragma once
// Printing of reports and lists without widgets: the report engine's registration, PDF files
// written here, a preview and a printer through the device the windowed program installs
// (host/forms/printpreview.h). Needs a QGuiApplication.
#include <QString>
#include <functional>
#include <vector>

#include "host/reports.h"

namespace zmk {

class TDataSet;

// Loads the shipped report templates into Reports(), then the users' reports of RecursosZMK()
// (so load the ".MDR" file first), and registers the framework procedure "DoPrintIDReport" on
// ZMKApp().Procedures(). Called once at start-up (and by tests).
void RegisterReportProcedures();

// A preview window or a printer: shows or prints an HTML document (askPrinter: the printer
// dialog first; a cancel raises EAbort).
using TPrintDevice = std::function<void(const QString& html, const QString& title,
                                        TPrintTarget target, bool askPrinter, int copies)>;
// Installs the program's device; returns the previous one. Without one a preview or a printer
// is refused (a PDF file still works).
TPrintDevice SetPrintDevice(TPrintDevice device);

// Prints an HTML document. A PDF with no file name asks for one through the prompt service
// (cancelling aborts silently); the file is written whole or not at all.
void PrintHtml(const QString& html, const QString& title, TPrintTarget target,
               const QString& pdfPath = QString(), bool askPrinter = false, int copies = 1);

// A screen's list, printed with the given columns.
void PrintDataSetList(const QString& title, TDataSet& dataSet,
                      const std::vector<TListColumn>& columns, TPrintTarget target,
                      const QString& pdfPath = QString());

}  // namespace zmk
