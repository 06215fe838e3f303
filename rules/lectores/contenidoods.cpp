#include "rules/lectores/contenidoods.h"

#include <algorithm>
#include <orcus/sax_parser.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>
#include <vector>

#include "rules/lectores/fabricahojas.h"

namespace zmk {

namespace {

// Repetitions of a formula cell beyond these are not worth following.
constexpr int kRepeticionesMaximas = 1000;

int Repeticiones(std::string_view valor) {
    const int n = QByteArray(valor.data(), qsizetype(valor.size())).toInt();
    return std::clamp(n, 1, 1 << 20);
}

// Walks the tables, rows and cells (repeated rows and cells count as many, covered cells too),
// puts the covered cells back into their rows and gives the text results of the formula cells
// to their sheets, in the document's order, so that each row is mended from its left.
class TContenidoOds {
  public:
    explicit TContenidoOds(TLibroLeido& libro) : libro_(libro) {}

    void attribute(const orcus::sax::parser_attribute& a) {
        if (a.ns == "table" &&
            (a.name == "number-rows-repeated" || a.name == "number-columns-repeated"))
            repeticiones_ = Repeticiones(a.value);
        else if (a.ns == "table" && a.name == "formula")
            formula_ = true;
        else if (a.ns == "office" && a.name == "value-type")
            esTexto_ = a.value == "string";
        else if (a.ns == "office" && a.name == "string-value") {
            valor_ = QString::fromUtf8(a.value.data(), qsizetype(a.value.size()));
            tieneValor_ = true;
        }
    }
    void start_element(const orcus::sax::parser_element& e) {
        if (e.ns == "table" && e.name == "table") {
            ++tabla_;
            fila_ = 0;
        } else if (e.ns == "table" && e.name == "table-row") {
            repeticionesFila_ = repeticiones_;
            columna_ = 0;
        } else if (e.ns == "table" && (e.name == "table-cell" || e.name == "covered-table-cell")) {
            celda_ = {formula_ && esTexto_, tieneValor_, repeticiones_, valor_,
                      e.name == "covered-table-cell"};
        } else if (e.ns == "text" && e.name == "p" && celda_.formula && !celda_.tieneValor) {
            if (parrafos_++ > 0) celda_.valor += u'\n';
        }
        repeticiones_ = 1;
        formula_ = esTexto_ = tieneValor_ = false;
        valor_.clear();
        ++profundidad_;
        if (e.ns == "text" && e.name == "p") dentroDeParrafo_ = profundidad_;
    }
    void end_element(const orcus::sax::parser_element& e) {
        if (dentroDeParrafo_ == profundidad_) dentroDeParrafo_ = 0;
        --profundidad_;
        if (e.ns == "table" && e.name == "table-row") {
            fila_ += repeticionesFila_;
        } else if (e.ns == "table" && (e.name == "table-cell" || e.name == "covered-table-cell")) {
            auto* hoja = tabla_ >= 0
                             ? static_cast<THojaLeida*>(libro_.get_sheet(oss::sheet_t(tabla_)))
                             : nullptr;
            const int filas = std::min(repeticionesFila_, kRepeticionesMaximas);
            if (hoja && celda_.cubierta)
                for (int f = 0; f < filas; ++f)
                    hoja->InsertarCeldasVacias(oss::row_t(fila_ + f), oss::col_t(columna_),
                                               celda_.repeticiones);
            if (hoja && celda_.formula)
                for (int f = 0; f < filas; ++f)
                    for (int i = 0; i < std::min(celda_.repeticiones, kRepeticionesMaximas); ++i)
                        hoja->PonerResultadoTexto(oss::row_t(fila_ + f), oss::col_t(columna_ + i),
                                                  celda_.valor);
            columna_ += celda_.repeticiones;
            celda_ = {};
            parrafos_ = 0;
        }
    }
    void characters(std::string_view texto, bool) {
        if (dentroDeParrafo_ && celda_.formula && !celda_.tieneValor)
            celda_.valor += QString::fromUtf8(texto.data(), qsizetype(texto.size()));
    }
    void doctype(const orcus::sax::doctype_declaration&) {}
    void start_declaration(std::string_view) {}
    void end_declaration(std::string_view) {}

  private:
    struct TCeldaFormula {
        bool formula = false, tieneValor = false;
        int repeticiones = 1;
        QString valor;
        bool cubierta = false;
    };
    TLibroLeido& libro_;
    int tabla_ = -1;
    qint64 fila_ = 0, columna_ = 0;
    int repeticionesFila_ = 1;
    int repeticiones_ = 1;
    bool formula_ = false, esTexto_ = false, tieneValor_ = false;
    QString valor_;
    TCeldaFormula celda_;
    int parrafos_ = 0, profundidad_ = 0, dentroDeParrafo_ = 0;
};

}  // namespace

void CompletaContenidoOds(std::string_view contenido, TLibroLeido& libro) {
    orcus::zip_archive_stream_blob flujo(reinterpret_cast<const uint8_t*>(contenido.data()),
                                         contenido.size());
    orcus::zip_archive zip(&flujo);
    zip.load();
    std::vector<unsigned char> xml;
    if (!zip.read_file_entry("content.xml", xml)) return;
    // liborcus' parser looks one character past a cut element: a terminator it can stop at.
    const size_t largo = xml.size();
    xml.push_back('\0');
    TContenidoOds formulas(libro);
    orcus::sax_parser<TContenidoOds>(reinterpret_cast<const char*>(xml.data()), largo, formulas)
        .parse();
}

}  // namespace zmk
