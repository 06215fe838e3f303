#pragma once
// The files students are imported from, behind one interface: a file holds tables (sheets of a
// workbook, tables of a database, the one table of a text file), each with its column names and
// rows of values as the file types them: Null is an invalid QVariant, texts are QString, whole
// numbers qlonglong, other numbers double, dates QDate, dates with a time QDateTime, times of day
// QTime, yes/no bool.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace zmk {

struct TTablaOrigen {
    QString nombre;
    QStringList columnas;
    QList<QVariantList> filas;  // every row has one value per column
};

class TOrigenDatos {
  public:
    explicit TOrigenDatos(QString archivo) : archivo_(std::move(archivo)) {}
    virtual ~TOrigenDatos() = default;
    const QString& Archivo() const { return archivo_; }
    // The names of the file's tables or sheets, in the file's order.
    virtual QStringList Tablas() = 0;
    // The whole table; an unknown name or a damaged part of the file raises EZMKError.
    virtual TTablaOrigen LeerTabla(const QString& nombre) = 0;

  private:
    QString archivo_;
};

// The reader for the file's extension (without regard to case): ".xls", ".xlsx", ".ods", ".txt",
// ".csv", ".mdb", ".accdb". Any other raises "Extensión de archivo desconocida"; a file that is
// missing, empty or not of its kind raises EZMKError saying so.
std::unique_ptr<TOrigenDatos> AbrirOrigenDatos(const QString& archivo);

// The message of a file that cannot be read, with the reason.
QString ErrorLecturaArchivo(const QString& archivo, const QString& motivo);

// Column names as the readers give them: trimmed; an empty one becomes "F" + its position
// (from 1), as the Jet provider names them.
QStringList NombresColumnas(const QList<QString>& cabecera);

// A number as the readers give it: without fraction (and exact as a whole number) qlonglong,
// else double.
QVariant ValorNumero(double numero);

// A sheet from its cells, row by row: the first row names the columns (NombresColumnas), the
// others are the rows. Rows without any value are left out, as are the columns after the last
// one with a name or a value; short rows are filled with Null.
TTablaOrigen TablaDesdeCeldas(const QString& nombre, const QList<QVariantList>& celdas);

}  // namespace zmk
