#pragma once
// The student import without widgets: the source file and its table, the list of import
// fields (each a column of the students' table fed by a source column or a fixed value), the
// preview of one row, and the run that inserts the chosen rows as new students of the current
// centre in one transaction the user accepts at the end. The dialog and escolia-cli drive it.
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "rules/lectores/origendatos.h"

namespace zmk {

struct TCampoImportacion {
    bool activo = false;
    QString destino;            // column of T01Alumnos
    QString caption;            // name shown to the user
    QString columnaPorDefecto;  // source column taken when a table is loaded, empty: none
    int origen = -1;            // column of the source table, -1: none
    QString valorFijo;          // used when there is no source column
    bool esCodigo = false;      // the student number
};

// The main window's action and escolia-cli import only into a current centre.
void ExigirCentroParaImportar();

// "Actual", "Selección", "Todos".
enum class TRegistrosAImportar { Actual, Seleccion, Todos };

class TFormImportacion {
  public:
    TFormImportacion();
    ~TFormImportacion();

    // Opens the file, lists its tables and loads the first (a text file: its own table).
    // Answers whether a table was loaded; an unknown extension or a damaged file raises.
    bool AbrirOrigen(const QString& archivo);
    const QString& Archivo() const { return archivo_; }
    const QStringList& Tablas() const { return tablas_; }
    // Loads the named table and rebuilds the import fields from their defaults.
    void CargarTabla(const QString& nombre);
    const TTablaOrigen& Tabla() const { return tabla_; }

    const std::vector<TCampoImportacion>& Campos() const { return campos_; }
    // The field whose destination column, caption or default source column is nombre (without
    // regard to case), -1 when none.
    int CampoPorNombre(const QString& nombre) const;
    // The check list's line of a field: caption + " <== " and the column, "\"value\"" or
    // "(no asignado)".
    QString LineaCampo(int campo) const;
    // The source column (by its position) feeds the field; the fixed value is kept for later.
    void AsignarColumna(int campo, int columna);
    // The fixed value feeds the field; the source column is cleared.
    void AsignarValor(int campo, const QString& valor);
    // Checking or unchecking a line: a field with neither column nor value cannot be checked
    // (answers false, the dialog then offers the columns).
    bool Activar(int campo, bool activo);

    // Caption and value of each enabled field for a source row (0-based); empty: no field.
    QList<QPair<QString, QString>> ValoresCampos(int fila) const;

    // The source rows (0-based) the scope chooses: the current row, the selected ones (in the
    // order given) or all.
    QList<int> FilasElegidas(TRegistrosAImportar ambito, int actual,
                             const QList<int>& seleccion) const;
    // Inserts the chosen rows as students of the current centre and asks to accept them; a No
    // rolls back silently (EAbort), an error rolls back and passes on. Answers the count.
    int Importar(TRegistrosAImportar ambito, int actual, const QList<int>& seleccion);

  private:
    friend class TImportacionEnCurso;
    std::unique_ptr<TOrigenDatos> origen_;
    QString archivo_;
    QStringList tablas_;
    TTablaOrigen tabla_;
    std::vector<TCampoImportacion> campos_;
};

}  // namespace zmk
