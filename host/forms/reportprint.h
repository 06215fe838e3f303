#pragma once
// Printing of reports and lists: a preview window, a printer, or a PDF file.
#include <QString>
#include <vector>

#include "host/reports.h"

namespace zmk {

class TDataSet;

// Loads the shipped report templates into Reports(), then the users' reports of RecursosZMK()
// (so load the ".MDR" file first), and registers the framework procedure "DoPrintIDReport" on
// ZMKApp().Procedures(). Called once at start-up (and by tests).
void RegisterReportProcedures();

// Prints an HTML document. A PDF with no file name asks for one (cancelling aborts silently);
// askPrinter shows the printer dialog first.
void PrintHtml(const QString& html, const QString& title, TPrintTarget target,
               const QString& pdfPath = QString(), bool askPrinter = false, int copies = 1);

// A screen's list, printed with the given columns.
void PrintDataSetList(const QString& title, TDataSet& dataSet,
                      const std::vector<TListColumn>& columns, TPrintTarget target,
                      const QString& pdfPath = QString());

}  // namespace zmk
