#pragma once
// Delimited text with a header line (".txt", ".csv"): the delimiter (comma, semicolon or tab),
// the quote character and the encoding (UTF-8 with or without BOM, else Windows-1252, as
// spreadsheets in Spain export) are found from the file itself. Values are texts; an empty
// field is Null.
#include <QByteArray>

#include "rules/lectores/origendatos.h"

namespace zmk {

// The bytes as text: UTF-8 when they start with its BOM or are valid UTF-8, else Windows-1252.
QString DecodificarTexto(const QByteArray& bytes);

struct TFormatoTexto {
    QChar delimitador = u',';
    QChar comillas = u'"';
};
// The delimiter most used outside quotes on the header line (tab, then semicolon, then comma
// on a tie) and the quote that encloses more fields of the first lines.
TFormatoTexto DetectarFormatoTexto(const QString& texto);

// The records of the text: fields split by the delimiter; a quoted field may hold delimiters,
// line breaks and its quote doubled. Empty lines are no records.
QList<QStringList> SepararRegistros(const QString& texto, const TFormatoTexto& formato);

class TLectorTexto : public TOrigenDatos {
  public:
    // Reads the whole file at once; an empty or unreadable file raises.
    explicit TLectorTexto(const QString& archivo);
    // The file's one table: its name with the last four characters replaced by "#" and the
    // extension's letters ("alumnos.txt" is "alumnos#txt").
    QStringList Tablas() override;
    TTablaOrigen LeerTabla(const QString& nombre) override;

  private:
    TTablaOrigen tabla_;
};

}  // namespace zmk
