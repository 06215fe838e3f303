#pragma once
// What liborcus reads from a workbook, kept as this program needs it: the cells' values with
// their format's number format, the shared texts and the workbook's day 0. Only the readers
// include it (it brings liborcus' headers).
#include <QDate>
#include <QString>
#include <QVariant>
#include <memory>
#include <orcus/spreadsheet/import_interface.hpp>
#include <string>
#include <unordered_map>
#include <vector>

#include "rules/lectores/formatonumero.h"
#include "rules/lectores/origendatos.h"

namespace zmk {

namespace oss = orcus::spreadsheet;

// The texts of the workbook by their number, one copy of each.
class TTextosLibro : public oss::iface::import_shared_strings {
  public:
    const QString& Texto(size_t numero) const;
    size_t append(std::string_view s) override;
    size_t add(std::string_view s) override;
    void set_segment_font(size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(oss::color_elem_t, oss::color_elem_t, oss::color_elem_t,
                                oss::color_elem_t) override {}
    void append_segment(std::string_view s) override { segmentos_.append(s); }
    size_t commit_segments() override;

  private:
    std::vector<QString> textos_;
    std::unordered_map<std::string, size_t> numeros_;
    std::string segmentos_;
};

// Of the styles only the number format of each cell format matters: it tells dates apart.
class TEstilosLibro : public oss::iface::import_styles {
  public:
    TClaseFormato Clase(size_t formatoCelda) const;

    void set_number_format_count(size_t) override {}
    void set_number_format_identifier(size_t id) override;
    void set_number_format_code(std::string_view s) override;
    size_t commit_number_format() override;
    void set_cell_xf_count(size_t) override {}
    void set_cell_style_xf_count(size_t) override {}
    void set_dxf_count(size_t) override {}
    void set_xf_number_format(size_t index) override { formatoActual_ = index; }
    size_t commit_cell_xf() override;
    size_t commit_cell_style_xf() override;
    size_t commit_dxf() override;

    // The rest of the styles: fonts, fills, borders, protection, alignment, named styles.
    void set_font_count(size_t) override {}
    void set_font_bold(bool) override {}
    void set_font_italic(bool) override {}
    void set_font_name(std::string_view) override {}
    void set_font_size(double) override {}
    void set_font_underline(oss::underline_t) override {}
    void set_font_underline_width(oss::underline_width_t) override {}
    void set_font_underline_mode(oss::underline_mode_t) override {}
    void set_font_underline_type(oss::underline_type_t) override {}
    void set_font_underline_color(oss::color_elem_t, oss::color_elem_t, oss::color_elem_t,
                                  oss::color_elem_t) override {}
    void set_font_color(oss::color_elem_t, oss::color_elem_t, oss::color_elem_t,
                        oss::color_elem_t) override {}
    void set_strikethrough_style(oss::strikethrough_style_t) override {}
    void set_strikethrough_type(oss::strikethrough_type_t) override {}
    void set_strikethrough_width(oss::strikethrough_width_t) override {}
    void set_strikethrough_text(oss::strikethrough_text_t) override {}
    size_t commit_font() override { return fuentes_++; }
    void set_fill_count(size_t) override {}
    void set_fill_pattern_type(oss::fill_pattern_t) override {}
    void set_fill_fg_color(oss::color_elem_t, oss::color_elem_t, oss::color_elem_t,
                           oss::color_elem_t) override {}
    void set_fill_bg_color(oss::color_elem_t, oss::color_elem_t, oss::color_elem_t,
                           oss::color_elem_t) override {}
    size_t commit_fill() override { return rellenos_++; }
    void set_border_count(size_t) override {}
    void set_border_style(oss::border_direction_t, oss::border_style_t) override {}
    void set_border_color(oss::border_direction_t, oss::color_elem_t, oss::color_elem_t,
                          oss::color_elem_t, oss::color_elem_t) override {}
    void set_border_width(oss::border_direction_t, double, orcus::length_unit_t) override {}
    size_t commit_border() override { return bordes_++; }
    void set_cell_hidden(bool) override {}
    void set_cell_locked(bool) override {}
    void set_cell_print_content(bool) override {}
    void set_cell_formula_hidden(bool) override {}
    size_t commit_cell_protection() override { return protecciones_++; }
    void set_xf_font(size_t) override {}
    void set_xf_fill(size_t) override {}
    void set_xf_border(size_t) override {}
    void set_xf_protection(size_t) override {}
    void set_xf_style_xf(size_t) override {}
    void set_xf_apply_alignment(bool) override {}
    void set_xf_horizontal_alignment(oss::hor_alignment_t) override {}
    void set_xf_vertical_alignment(oss::ver_alignment_t) override {}
    void set_cell_style_count(size_t) override {}
    void set_cell_style_name(std::string_view) override {}
    void set_cell_style_xf(size_t) override {}
    void set_cell_style_builtin(size_t) override {}
    void set_cell_style_parent_name(std::string_view) override {}
    size_t commit_cell_style() override { return estilos_++; }

  private:
    // Number formats by their identifier; those without one get one above Excel's own.
    std::unordered_map<size_t, QString> codigos_;
    size_t identificadorActual_ = 0;
    bool tieneIdentificador_ = false;
    QString codigoActual_;
    size_t siguienteSinIdentificador_ = 100000;
    std::vector<size_t> formatosCelda_;  // number format of each cell format
    size_t formatoActual_ = 0;
    size_t formatosEstilo_ = 0, diferenciales_ = 0;
    size_t fuentes_ = 0, rellenos_ = 0, bordes_ = 0, protecciones_ = 0, estilos_ = 0;
};

class TLibroLeido;

// A workbook with more cells than the readers keep.
class THojaDemasiadoGrande : public std::exception {
  public:
    const char* what() const noexcept override { return "sheet too large"; }
};

// One sheet's cells as they come, turned into values once the whole workbook is read.
class THojaLeida : public oss::iface::import_sheet {
  public:
    THojaLeida(TLibroLeido& libro, QString nombre);
    const QString& Nombre() const { return nombre_; }
    TTablaOrigen Tabla() const;

    void set_auto(oss::row_t row, oss::col_t col, std::string_view s) override;
    void set_string(oss::row_t row, oss::col_t col, oss::string_id_t sindex) override;
    void set_value(oss::row_t row, oss::col_t col, double value) override;
    void set_bool(oss::row_t row, oss::col_t col, bool value) override;
    void set_date_time(oss::row_t row, oss::col_t col, int year, int month, int day, int hour,
                       int minute, double second) override;
    void set_format(oss::row_t row, oss::col_t col, size_t xf_index) override;
    void set_format(oss::row_t row_start, oss::col_t col_start, oss::row_t row_end,
                    oss::col_t col_end, size_t xf_index) override;
    void fill_down_cells(oss::row_t src_row, oss::col_t src_col, oss::row_t range_size) override;
    oss::range_size_t get_sheet_size() const override;
    oss::iface::import_formula* get_formula() override;
    // The text result of a formula the reader found itself, where the cell has no value.
    void PonerResultadoTexto(oss::row_t row, oss::col_t col, const QString& texto);
    // n empty cells put in at col, moving the row's cells from there to the right.
    void InsertarCeldasVacias(oss::row_t row, oss::col_t col, int n);

  private:
    friend class TFormulaLeida;
    struct TCelda {
        enum class Tipo : quint8 { Vacia, Numero, Texto, Logico, Fecha } tipo = Tipo::Vacia;
        qint32 formato = -1;  // cell format, -1: the row's or column's
        quint32 indice = 0;   // text number, or the date's place in fechas_
        double numero = 0;
    };
    struct TRangoFormato {
        oss::row_t fila0, fila1;
        oss::col_t columna0, columna1;
        size_t formato;
    };
    TCelda* Celda(oss::row_t row, oss::col_t col);
    QVariant Valor(const TCelda& celda, oss::row_t row, oss::col_t col) const;

    TLibroLeido& libro_;
    QString nombre_;
    std::vector<std::vector<TCelda>> filas_;
    std::vector<QVariant> fechas_;
    std::vector<TRangoFormato> rangos_;
    std::unique_ptr<oss::iface::import_formula> formula_;
};

// The whole workbook, given to liborcus' readers to fill.
class TLibroLeido : public oss::iface::import_factory,
                    public oss::iface::import_global_settings,
                    public oss::iface::import_reference_resolver {
  public:
    TLibroLeido();
    ~TLibroLeido() override;
    const std::vector<std::unique_ptr<THojaLeida>>& Hojas() const { return hojas_; }
    TTextosLibro& Textos() { return textos_; }
    const TTextosLibro& Textos() const { return textos_; }
    const TEstilosLibro& Estilos() const { return estilos_; }
    const QDate& Origen() const { return origen_; }

    oss::iface::import_global_settings* get_global_settings() override { return this; }
    oss::iface::import_shared_strings* get_shared_strings() override { return &textos_; }
    oss::iface::import_styles* get_styles() override { return &estilos_; }
    oss::iface::import_reference_resolver* get_reference_resolver(
        oss::formula_ref_context_t) override {
        return this;
    }
    oss::iface::import_sheet* append_sheet(oss::sheet_t sheet_index,
                                           std::string_view name) override;
    oss::iface::import_sheet* get_sheet(std::string_view name) override;
    // liborcus asks for an .xlsx sheet by its identifier in the workbook less one (to give it
    // its formulas' results), which is not always its place: the identifiers of the sheets in
    // their order tell them apart. Without them, the place.
    void NumerarHojas(std::vector<int> identificadores) {
        identificadores_ = std::move(identificadores);
    }
    oss::iface::import_sheet* get_sheet(oss::sheet_t sheet_index) override;
    void finalize() override {}

    // Day 0 as the workbook says where liborcus does not read it; liborcus' own is then ignored.
    void FijarOrigen(const QDate& origen);
    void set_origin_date(int year, int month, int day) override;
    void set_default_formula_grammar(oss::formula_grammar_t grammar) override;
    oss::formula_grammar_t get_default_formula_grammar() const override;
    void set_character_set(orcus::character_set_t) override {}

    // Cell addresses as "A1", "$B$2", "Hoja1!C3" or "[.D4]"; the sheet does not matter here.
    oss::src_address_t resolve_address(std::string_view address) override;
    oss::src_range_t resolve_range(std::string_view range) override;

  private:
    friend class THojaLeida;
    size_t celdas_ = 0;  // of every sheet
    std::vector<std::unique_ptr<THojaLeida>> hojas_;
    std::vector<int> identificadores_;
    TTextosLibro textos_;
    TEstilosLibro estilos_;
    QDate origen_{1899, 12, 30};
    bool origenFijo_ = false;
    oss::formula_grammar_t gramatica_ = oss::formula_grammar_t::unknown;
};

}  // namespace zmk
