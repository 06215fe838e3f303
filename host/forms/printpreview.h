#pragma once
// The windowed program's print device for reports and lists: a preview window and the
// printers (with their dialog when asked). escolia-cli installs none and prints to PDF only.
namespace zmk {

void InstallPrintPreview();

}  // namespace zmk
