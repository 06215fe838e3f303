#pragma once
// The data-source identifiers by which the screens name the tables the record rules watch, and
// how the rules read the watched record's fields.
#include <QString>

#include "host/dataset.h"

namespace zmk {

inline TField& Campo(TDataSet& ds, const char* nombre) {
    return ds.FieldByName(QString::fromLatin1(nombre));
}

inline int Clave(TDataSet& ds, const char* nombre) {
    return Campo(ds, nombre).AsInteger();
}

}  // namespace zmk

namespace zmk::fuente {

inline constexpr int kAlumnos = 3;
inline constexpr int kProfesores = 5;
inline constexpr int kGrupos = 14;
inline constexpr int kTarifas = 88;
inline constexpr int kCursos = 110;
inline constexpr int kMatriculas = 186;
inline constexpr int kIncidencias = 193;
inline constexpr int kFacturasCab = 198;
inline constexpr int kFacturasCue = 199;
inline constexpr int kFormasCobro = 213;
inline constexpr int kConceptos = 242;
inline constexpr int kCentros = 251;
// The VAT types' screen: its rows are referred to by rate from tariffs, concepts and invoices.
inline constexpr int kTiposIva = 222;
inline constexpr int kBoletines = 296;
inline constexpr int kLiquidacionesCue = 349;

// Lists shown with their own grid colours.
inline constexpr int kListaConceptos = 203;
inline constexpr int kListaConceptos2 = 368;
inline constexpr int kListaFacturas = 208;
inline constexpr int kListaFacturas2 = 209;

}  // namespace zmk::fuente
