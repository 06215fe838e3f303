#pragma once
// The built-in bank data: the Spanish bank entity register and the ISO 3166-1 country list, as
// the CSV text compiled in from resources/ (first line the column names, ";" between fields).
namespace zmk {

// code;name;bic;source
extern const char kCsvEntidadesBancarias[];
// alpha2;name_es
extern const char kCsvPaisesISO3166[];

}  // namespace zmk
