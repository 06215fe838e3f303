#pragma once
// A realistic demo company: centres, courses, groups with timetables, teachers, students with
// bank data and mandates, enrolments, tariffs and charge concepts. The same seed always gives
// the same database, so demo files can be compared and timed.
#include <QString>
#include <QtGlobal>

namespace zmk {

class TDataBaseZMK;

struct DemoOptions {
    int students = 300;
    quint32 seed = 1;
};

struct DemoSummary {
    int centros = 0;
    int cursos = 0;
    int grupos = 0;
    int profesores = 0;
    int alumnos = 0;
    int matriculas = 0;
    int tarifas = 0;
    int conceptos = 0;  // course concepts and their copies in the enrolments
};

// Creates the company file at path (refused when it exists) and fills it in one transaction;
// on failure no file is left behind.
DemoSummary CrearEmpresaDemo(const QString& path, const DemoOptions& options);

// A short description of a company database: rows per table and the centres with their
// students and enrolments.
QString ResumenEmpresa(TDataBaseZMK& db);

}  // namespace zmk
