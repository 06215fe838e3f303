#include "rules/lectores/fabricahojas.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <orcus/exception.hpp>

namespace zmk {

namespace {

// The largest sheet both formats allow; liborcus may ask for it.
constexpr oss::row_t kFilasHoja = 1048576;
constexpr oss::col_t kColumnasHoja = 16384;
// More cells than any list of students has (100,000 rows of 50 columns) in the whole workbook:
// a file that asks for more is refused rather than filling the memory.
constexpr size_t kCeldasMaximas = 5'000'000;

const QString kSinTexto;

}  // namespace

const QString& TTextosLibro::Texto(size_t numero) const {
    return numero < textos_.size() ? textos_[numero] : kSinTexto;
}

size_t TTextosLibro::append(std::string_view s) {
    textos_.push_back(QString::fromUtf8(s.data(), qsizetype(s.size())));
    return textos_.size() - 1;
}

size_t TTextosLibro::add(std::string_view s) {
    const auto [lugar, nuevo] = numeros_.try_emplace(std::string(s), textos_.size());
    if (nuevo) textos_.push_back(QString::fromUtf8(s.data(), qsizetype(s.size())));
    return lugar->second;
}

size_t TTextosLibro::commit_segments() {
    const size_t numero = append(segmentos_);
    segmentos_.clear();
    return numero;
}

void TEstilosLibro::set_number_format_identifier(size_t id) {
    identificadorActual_ = id;
    tieneIdentificador_ = true;
}

void TEstilosLibro::set_number_format_code(std::string_view s) {
    codigoActual_ = QString::fromUtf8(s.data(), qsizetype(s.size()));
}

size_t TEstilosLibro::commit_number_format() {
    const size_t id = tieneIdentificador_ ? identificadorActual_ : siguienteSinIdentificador_++;
    codigos_[id] = codigoActual_;
    tieneIdentificador_ = false;
    codigoActual_.clear();
    return id;
}

size_t TEstilosLibro::commit_cell_xf() {
    formatosCelda_.push_back(formatoActual_);
    formatoActual_ = 0;
    return formatosCelda_.size() - 1;
}

size_t TEstilosLibro::commit_cell_style_xf() {
    formatoActual_ = 0;
    return formatosEstilo_++;
}

size_t TEstilosLibro::commit_dxf() {
    formatoActual_ = 0;
    return diferenciales_++;
}

TClaseFormato TEstilosLibro::Clase(size_t formatoCelda) const {
    if (formatoCelda >= formatosCelda_.size()) return TClaseFormato::Numero;
    const size_t id = formatosCelda_[formatoCelda];
    if (const auto codigo = codigos_.find(id); codigo != codigos_.end())
        return ClaseFormatoNumero(codigo->second);
    return ClaseFormatoPredefinido(int(std::min<size_t>(id, 1000)));
}

// A formula cell: only the result the file keeps for it is wanted.
class TFormulaLeida : public oss::iface::import_formula {
  public:
    explicit TFormulaLeida(THojaLeida& hoja) : hoja_(hoja) {}
    void set_position(oss::row_t row, oss::col_t col) override {
        fila_ = row;
        columna_ = col;
        resultado_ = {};
    }
    void set_formula(oss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(size_t) override {}
    void set_result_string(std::string_view value) override {
        resultado_.tipo = THojaLeida::TCelda::Tipo::Texto;
        resultado_.indice = quint32(hoja_.libro_.Textos().append(value));
    }
    void set_result_value(double value) override {
        resultado_.tipo = THojaLeida::TCelda::Tipo::Numero;
        resultado_.numero = value;
    }
    void set_result_bool(bool value) override {
        resultado_.tipo = THojaLeida::TCelda::Tipo::Logico;
        resultado_.numero = value ? 1 : 0;
    }
    void set_result_empty() override { resultado_.tipo = THojaLeida::TCelda::Tipo::Vacia; }
    void commit() override {
        if (THojaLeida::TCelda* celda = hoja_.Celda(fila_, columna_)) {
            const qint32 formato = celda->formato;
            *celda = resultado_;
            celda->formato = formato;
        }
    }

  private:
    THojaLeida& hoja_;
    oss::row_t fila_ = 0;
    oss::col_t columna_ = 0;
    THojaLeida::TCelda resultado_;
};

THojaLeida::THojaLeida(TLibroLeido& libro, QString nombre)
    : libro_(libro), nombre_(std::move(nombre)) {}

THojaLeida::TCelda* THojaLeida::Celda(oss::row_t row, oss::col_t col) {
    if (row < 0 || col < 0 || row >= kFilasHoja || col >= kColumnasHoja) return nullptr;
    if (size_t(row) >= filas_.size()) filas_.resize(size_t(row) + 1);
    std::vector<TCelda>& fila = filas_[size_t(row)];
    if (size_t(col) >= fila.size()) {
        libro_.celdas_ += size_t(col) + 1 - fila.size();
        if (libro_.celdas_ > kCeldasMaximas) throw THojaDemasiadoGrande();
        fila.resize(size_t(col) + 1);
    }
    return &fila[size_t(col)];
}

void THojaLeida::set_auto(oss::row_t row, oss::col_t col, std::string_view s) {
    if (TCelda* celda = Celda(row, col)) {
        celda->tipo = TCelda::Tipo::Texto;
        celda->indice = quint32(libro_.Textos().append(s));
    }
}

void THojaLeida::set_string(oss::row_t row, oss::col_t col, oss::string_id_t sindex) {
    if (TCelda* celda = Celda(row, col)) {
        celda->tipo = TCelda::Tipo::Texto;
        celda->indice = sindex;
    }
}

void THojaLeida::set_value(oss::row_t row, oss::col_t col, double value) {
    if (TCelda* celda = Celda(row, col)) {
        celda->tipo = TCelda::Tipo::Numero;
        celda->numero = value;
    }
}

void THojaLeida::set_bool(oss::row_t row, oss::col_t col, bool value) {
    if (TCelda* celda = Celda(row, col)) {
        celda->tipo = TCelda::Tipo::Logico;
        celda->numero = value ? 1 : 0;
    }
}

void THojaLeida::set_date_time(oss::row_t row, oss::col_t col, int year, int month, int day,
                               int hour, int minute, double second) {
    TCelda* celda = Celda(row, col);
    if (!celda) return;
    const QDate fecha(year, month, day);
    const QTime hora(hour, minute, int(second), int(std::fmod(second, 1.0) * 1000));
    celda->tipo = TCelda::Tipo::Fecha;
    celda->indice = quint32(fechas_.size());
    if (!fecha.isValid())
        fechas_.emplace_back();
    else if (hora == QTime(0, 0))
        fechas_.emplace_back(fecha);
    else
        fechas_.emplace_back(QDateTime(fecha, hora.isValid() ? hora : QTime(0, 0)));
}

void THojaLeida::set_format(oss::row_t row, oss::col_t col, size_t xf_index) {
    if (TCelda* celda = Celda(row, col))
        celda->formato = qint32(std::min<size_t>(xf_index, INT32_MAX));
}

void THojaLeida::set_format(oss::row_t row_start, oss::col_t col_start, oss::row_t row_end,
                            oss::col_t col_end, size_t xf_index) {
    rangos_.push_back({row_start, row_end, col_start, col_end, xf_index});
}

void THojaLeida::fill_down_cells(oss::row_t src_row, oss::col_t src_col, oss::row_t range_size) {
    const TCelda* origen = Celda(src_row, src_col);
    if (!origen) return;
    const TCelda copia = *origen;
    const oss::row_t hasta =
        std::min<oss::row_t>(kFilasHoja - 1, src_row + std::max(range_size, 0));
    for (oss::row_t r = src_row + 1; r <= hasta; ++r) *Celda(r, src_col) = copia;
}

void THojaLeida::PonerResultadoTexto(oss::row_t row, oss::col_t col, const QString& texto) {
    if (size_t(row) >= filas_.size() || size_t(col) >= filas_[size_t(row)].size()) return;
    TCelda& celda = filas_[size_t(row)][size_t(col)];
    if (celda.tipo != TCelda::Tipo::Vacia || texto.isEmpty()) return;
    celda.tipo = TCelda::Tipo::Texto;
    celda.indice = quint32(libro_.Textos().append(texto.toStdString()));
}

void THojaLeida::InsertarCeldasVacias(oss::row_t row, oss::col_t col, int n) {
    if (row < 0 || col < 0 || n <= 0 || size_t(row) >= filas_.size()) return;
    std::vector<TCelda>& fila = filas_[size_t(row)];
    if (size_t(col) >= fila.size()) return;
    libro_.celdas_ += size_t(n);
    if (libro_.celdas_ > kCeldasMaximas) throw THojaDemasiadoGrande();
    fila.insert(fila.begin() + col, size_t(n), TCelda());
}

oss::range_size_t THojaLeida::get_sheet_size() const {
    return {kFilasHoja, kColumnasHoja};
}

oss::iface::import_formula* THojaLeida::get_formula() {
    if (!formula_) formula_ = std::make_unique<TFormulaLeida>(*this);
    return formula_.get();
}

QVariant THojaLeida::Valor(const TCelda& celda, oss::row_t row, oss::col_t col) const {
    switch (celda.tipo) {
        case TCelda::Tipo::Numero: {
            qint64 formato = celda.formato;
            // The format of the row or column range the cell lies in; the last given counts.
            for (auto r = rangos_.rbegin(); formato < 0 && r != rangos_.rend(); ++r)
                if (row >= r->fila0 && row <= r->fila1 && col >= r->columna0 && col <= r->columna1)
                    formato = qint64(r->formato);
            const TClaseFormato clase =
                formato < 0 ? TClaseFormato::Numero : libro_.Estilos().Clase(size_t(formato));
            return ValorConFormato(celda.numero, clase, libro_.Origen());
        }
        case TCelda::Tipo::Texto: {
            const QString& texto = libro_.Textos().Texto(celda.indice);
            return texto.isEmpty() ? QVariant() : QVariant(texto);
        }
        case TCelda::Tipo::Logico:
            return QVariant(celda.numero != 0);
        case TCelda::Tipo::Fecha:
            return celda.indice < fechas_.size() ? fechas_[celda.indice] : QVariant();
        default:
            return QVariant();
    }
}

TTablaOrigen THojaLeida::Tabla() const {
    QList<QVariantList> celdas;
    celdas.reserve(qsizetype(filas_.size()));
    for (size_t r = 0; r < filas_.size(); ++r) {
        QVariantList fila;
        fila.reserve(qsizetype(filas_[r].size()));
        for (size_t c = 0; c < filas_[r].size(); ++c)
            fila << Valor(filas_[r][c], oss::row_t(r), oss::col_t(c));
        celdas << fila;
    }
    return TablaDesdeCeldas(nombre_, celdas);
}

TLibroLeido::TLibroLeido() = default;
TLibroLeido::~TLibroLeido() = default;

oss::iface::import_sheet* TLibroLeido::append_sheet(oss::sheet_t sheet_index,
                                                    std::string_view name) {
    if (sheet_index != oss::sheet_t(hojas_.size())) return nullptr;
    hojas_.push_back(std::make_unique<THojaLeida>(
        *this, QString::fromUtf8(name.data(), qsizetype(name.size()))));
    return hojas_.back().get();
}

oss::iface::import_sheet* TLibroLeido::get_sheet(std::string_view name) {
    const QString buscado = QString::fromUtf8(name.data(), qsizetype(name.size()));
    for (const auto& hoja : hojas_)
        if (hoja->Nombre() == buscado) return hoja.get();
    return nullptr;
}

oss::iface::import_sheet* TLibroLeido::get_sheet(oss::sheet_t sheet_index) {
    if (!identificadores_.empty()) {
        const auto lugar =
            std::find(identificadores_.begin(), identificadores_.end(), sheet_index + 1);
        if (lugar == identificadores_.end()) return nullptr;
        sheet_index = oss::sheet_t(lugar - identificadores_.begin());
    }
    if (sheet_index < 0 || size_t(sheet_index) >= hojas_.size()) return nullptr;
    return hojas_[size_t(sheet_index)].get();
}

void TLibroLeido::FijarOrigen(const QDate& origen) {
    origen_ = origen;
    origenFijo_ = true;
}

void TLibroLeido::set_origin_date(int year, int month, int day) {
    const QDate origen(year, month, day);
    if (origen.isValid() && !origenFijo_) origen_ = origen;
}

void TLibroLeido::set_default_formula_grammar(oss::formula_grammar_t grammar) {
    gramatica_ = grammar;
}

oss::formula_grammar_t TLibroLeido::get_default_formula_grammar() const {
    return gramatica_;
}

oss::src_address_t TLibroLeido::resolve_address(std::string_view address) {
    std::string_view a = address;
    if (const size_t sheet = a.find_last_of("!."); sheet != std::string_view::npos)
        a.remove_prefix(sheet + 1);
    oss::src_address_t r{0, 0, 0};
    size_t i = 0;
    auto saltaDolar = [&] {
        if (i < a.size() && a[i] == '$') ++i;
    };
    saltaDolar();
    const size_t inicioColumna = i;
    for (; i < a.size() && std::isalpha(static_cast<unsigned char>(a[i])) && i - inicioColumna < 3;
         ++i)
        r.column = r.column * 26 + (std::toupper(static_cast<unsigned char>(a[i])) - 'A' + 1);
    saltaDolar();
    const size_t inicioFila = i;
    for (; i < a.size() && std::isdigit(static_cast<unsigned char>(a[i])) && i - inicioFila < 7;
         ++i)
        r.row = r.row * 10 + (a[i] - '0');
    if (a.size() > i && a[i] == ']') ++i;
    if (i == inicioColumna || i == inicioFila || i != a.size() || r.column == 0 || r.row == 0)
        throw orcus::invalid_arg_error("invalid cell address");
    --r.column;
    --r.row;
    return r;
}

oss::src_range_t TLibroLeido::resolve_range(std::string_view range) {
    std::string_view r = range;
    if (!r.empty() && r.front() == '[') r.remove_prefix(1);
    if (!r.empty() && r.back() == ']') r.remove_suffix(1);
    const size_t dos = r.find(':');
    const oss::src_address_t first = resolve_address(r.substr(0, dos));
    if (dos == std::string_view::npos) return {first, first};
    return {first, resolve_address(r.substr(dos + 1))};
}

}  // namespace zmk
