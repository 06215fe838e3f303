#pragma once
// The candidate recipients of an SMS: the people of a screen's grid (list mode) or numbers typed
// by hand, each with its mobile-number check, and the grid of their field values that messages
// are personalised with.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

#include "billing/grid.h"

namespace zmk {

class TZMKDBGrid;

// One candidate recipient, in list order.
struct TDatosAgenda {
    int id = 0;     // record id (0 for typed numbers)
    QString name;   // display name (the number itself for typed numbers)
    QString phone;  // the phone field's text as read (typed numbers: as typed)
    bool selected = false;
    bool valid = false;
};

// One recipient the message goes to.
struct TDestinatari {
    QString phone;
    QString name;
};

// Whether text is a Spanish mobile number: only its digits count (and a "+" written first, which
// makes it invalid); what precedes the last eight digits must be 6, 7, 346, 347, 00346 or 00347.
bool EsMovilValido(const QString& text);

// Where list mode reads its recipients: the procedure's PRME01..PRME05.
struct TOrigenAgenda {
    QString tabla;
    QString campoId;
    QString campoNombre;
    QString campoTelefono;
    QString camposExtra;  // a select list, empty when none
};

// A phone column a table offers for sending; the students' table offers the parents' as well.
struct TTelefonoAgenda {
    QString campo;
    QString titulo;  // "Alumno", "Padre", "Madre"; empty for a table with a single phone
    QString sufijo;  // added to the name of the recipients of this phone
};
QVector<TTelefonoAgenda> TelefonosDeTabla(const TOrigenAgenda& origen);

class TAgendaSMS {
  public:
    // List mode: the ids of the grid's rows in the chosen scope, then their records. Raises as
    // GetIDsDelDBGrid does. telefonos are the phone columns chosen (none: the origin's own).
    // Returns the number of ids.
    int CargarDeGrid(TZMKDBGrid& grid, const TOrigenAgenda& origen, TModoSeleccionGrid modo,
                     const QVector<TTelefonoAgenda>& telefonos = {});
    // The records with these ids, ordered by name; replaces the list and the fields grid.
    void CargarIds(const TOrigenAgenda& origen, const QList<int>& ids,
                   const QVector<TTelefonoAgenda>& telefonos = {});
    void Limpiar();

    // Hand mode: adds a typed number, refusing an invalid one and one already listed.
    void AnadirNumero(const QString& text);
    void QuitarNumero(int index);

    // Checks or unchecks a recipient; checking an invalid number asks first and keeps it
    // unchecked unless the user says Yes. Returns the recipient's new state.
    bool Marcar(int index, bool selected);

    const QVector<TDatosAgenda>& Datos() const { return datos_; }
    // "name (phone)", or "ERROR ->name (phone)" for an invalid number.
    QString Texto(int index) const;
    int NumSeleccionados() const;
    QVector<int> Seleccionados() const;
    QVector<TDestinatari> Destinatarios() const;

    // The fields grid: one column per field name, one row per recipient (empty when Null).
    const QStringList& Columnas() const { return columnas_; }
    QString Celda(int columna, int fila) const;
    int Columna(const QString& cabecera) const { return int(columnas_.indexOf(cabecera)); }

  private:
    QVector<TDatosAgenda> datos_;
    QStringList columnas_;
    QVector<QVector<QString>> celdas_;  // [fila][columna]
};

}  // namespace zmk
