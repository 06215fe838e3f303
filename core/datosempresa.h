#pragma once
// The company data printed on documents: nine text options of the company database, published
// in the parameter block as "PRMAEmpresa..." for reports and screens.
#include <QString>
#include <QStringList>
#include <array>

namespace zmk {

struct TDatoEmpresa {
    const char* opcion;       // per-database option, e.g. "EmpresaNombre"
    const char* descripcion;  // its description in the options table
    const char* publicado;    // parameter-block name, e.g. "PRMAEmpresaNombre"
};

inline constexpr int kDatosEmpresa = 9;
// In the dialog's order: name, address, town, post code, tax code, phones, logo, registry data,
// social-security number.
const std::array<TDatoEmpresa, kDatosEmpresa>& DatosEmpresa();
enum TIndiceDatoEmpresa { deNombre = 0, deLogo = 6 };

// Declares the nine options (empty text) and publishes each, "?" when it cannot be read.
void PublicaDatosEmpresa();
// Runs the publication after every connection of a company database.
void RegisterDatosEmpresa();
void UnregisterDatosEmpresa();

// The nine values in the dialog's order, "?" for a value that cannot be read.
QStringList LeeDatosEmpresa();
// Stores the nine values (as text) and publishes them again.
void GuardaDatosEmpresa(const QStringList& valores);

}  // namespace zmk
