#pragma once
// The check before an import: for every chosen row, the number and full name the student would
// get and what looks wrong (a number already taken or repeated in the file, a row without
// number or name, a value its column cannot hold, a text that would be cut, a NIF/NIE, IBAN or
// e-mail that fails its check), without writing anything. The import keeps its own rules: what
// the check calls an error is where the import would stop.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "rules/formimportacion.h"

namespace zmk {

struct TAvisoImportacion {
    QString campo;  // caption of the field, empty for the row as a whole
    QString texto;
    bool detiene = false;  // the import would stop at this row
};

struct TFilaComprobada {
    int fila = 0;     // source row, 0-based
    QVariant codigo;  // the student number it would get; Null: none
    QString nombreCompleto;
    QList<TAvisoImportacion> avisos;
};

struct TComprobacionImportacion {
    QList<TFilaComprobada> filas;
    int FilasConAvisos() const;
    int FilasQueDetienen() const;
    // "Comprobados N registros: M con avisos, K detendrían la importación."
    QString Resumen() const;
};

// The chosen rows of the form's table as the import would take them.
TComprobacionImportacion ComprobarImportacion(const TFormImportacion& form,
                                              TRegistrosAImportar ambito, int actual,
                                              const QList<int>& seleccion);

// The check as a table: the column titles, then one line per finding (a row without findings
// has one line of its own): registro (from 1), código, nombre, tipo, campo, descripción.
QStringList TitulosComprobacion();
QList<QStringList> LineasComprobacion(const TComprobacionImportacion& comprobacion);

// The table as a CSV file that spreadsheets open with their accents (UTF-8 with a byte-order
// mark, ";" between fields), written whole or not at all.
void GuardarComprobacionCSV(const TComprobacionImportacion& comprobacion, const QString& archivo);

}  // namespace zmk
