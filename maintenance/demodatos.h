#pragma once
// The demo company's centres and courses, and the name and street lists from which it draws
// its people and addresses.
#include <QStringList>

namespace zmk::demo {

struct CursoDemo {
    const char* codigo;
    const char* descripcion;
    int cuota;  // monthly fee without VAT, in euros
    int iva;
    int horas;
    int edadMin, edadMax;
    bool material;  // books, charged once
};

struct CentroDemo {
    const char* codigo;
    const char* nombre;
    const char* direccion;
    const char* prefijoCP;
    int cpVariantes;
    const char* poblacion;
    const char* telefono;
    const char* email;
    int alumnosPorDiez;  // share of the students
    CursoDemo cursos[4];
};

extern const CentroDemo kCentros[2];

const QStringList& NombresHombre();
const QStringList& NombresMujer();
const QStringList& Apellidos();
const QStringList& Calles();

}  // namespace zmk::demo
