#pragma once
namespace zmk::cli {
// "report pdf ID FILTER OUT.pdf" and "report list": the report engine on the --db database.
// Rendering needs a QGuiApplication (offscreen is enough) instead of the plain core application.
void RegisterReportCommands();
}  // namespace zmk::cli
