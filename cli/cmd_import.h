#pragma once
namespace zmk::cli {
// import: lists a source file's tables, and imports (or checks) its rows as new students of
// the current centre, as the import form.
void RegisterImportCommands();
}  // namespace zmk::cli
