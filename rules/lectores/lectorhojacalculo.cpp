#include "rules/lectores/lectorhojacalculo.h"

#include <QFile>
#include <QFileInfo>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/sax_parser.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include "host/errors.h"
#include "rules/lectores/contenidoods.h"
#include "rules/lectores/fabricahojas.h"
#include "rules/lectores/procesoaparte.h"

namespace zmk {

namespace {

// What liborcus leaves out of an .xlsx workbook's part: the sheets' identifiers in their order
// and whether its day 0 is that of 1904 (workbooks from Excel for Mac).
struct TPropiedadesXlsx {
    std::vector<int> identificadores;
    bool fecha1904 = false;

    void start_element(const orcus::sax::parser_element& elemento) {
        // Elements of other namespaces (x14:workbookPr) do not count.
        if (elemento.ns.empty() && elemento.name == "sheet")
            identificadores.push_back(identificador_);
        if (elemento.ns.empty() && elemento.name == "workbookPr") fecha1904 = fecha1904_;
        identificador_ = 0;
        fecha1904_ = false;
    }
    void attribute(const orcus::sax::parser_attribute& a) {
        if (a.name == "sheetId")
            identificador_ = QByteArray(a.value.data(), qsizetype(a.value.size())).toInt();
        if (a.name == "date1904") fecha1904_ = a.value == "1" || a.value == "true";
    }
    void doctype(const orcus::sax::doctype_declaration&) {}
    void start_declaration(std::string_view) {}
    void end_declaration(std::string_view) {}
    void end_element(const orcus::sax::parser_element&) {}
    void characters(std::string_view, bool) {}

  private:
    int identificador_ = 0;
    bool fecha1904_ = false;
};

void CompletaXlsx(std::string_view contenido, TLibroLeido& libro) {
    orcus::zip_archive_stream_blob flujo(reinterpret_cast<const uint8_t*>(contenido.data()),
                                         contenido.size());
    orcus::zip_archive zip(&flujo);
    zip.load();
    std::vector<unsigned char> xml;
    if (!zip.read_file_entry("xl/workbook.xml", xml)) return;
    // liborcus' parser looks one character past a cut element: a terminator it can stop at.
    const size_t largo = xml.size();
    xml.push_back('\0');
    TPropiedadesXlsx propiedades;
    orcus::sax_parser<TPropiedadesXlsx>(reinterpret_cast<const char*>(xml.data()), largo,
                                        propiedades)
        .parse();
    if (propiedades.fecha1904) libro.FijarOrigen(QDate(1904, 1, 1));
    libro.NumerarHojas(propiedades.identificadores);
}

// How long liborcus may take over a file before it is taken as damaged.
constexpr int kSegundosLectura = 60;

// The sheets of the workbook, read in this process (the reader calls it in a child).
QList<TTablaOrigen> LeerLibroHojaCalculo(const QString& archivo) {
    QFile file(archivo);
    if (!file.open(QIODevice::ReadOnly))
        throw EZMKError(ErrorLecturaArchivo(archivo, file.errorString()));
    const QByteArray contenido = file.readAll();
    const auto* bytes = reinterpret_cast<const unsigned char*>(contenido.constData());
    const bool ods =
        QFileInfo(archivo).suffix().compare(QLatin1String("ods"), Qt::CaseInsensitive) == 0;
    TLibroLeido libro;
    QList<TTablaOrigen> hojas;
    try {
        const bool reconocido = ods ? orcus::orcus_ods::detect(bytes, size_t(contenido.size()))
                                    : orcus::orcus_xlsx::detect(bytes, size_t(contenido.size()));
        if (!reconocido)
            throw EZMKError(ErrorLecturaArchivo(
                archivo, ods ? QStringLiteral("no es una hoja de cálculo OpenDocument")
                             : QStringLiteral("no es un libro de Excel 2007 o posterior")));
        const std::string_view flujo(contenido.constData(), size_t(contenido.size()));
        if (ods) {
            orcus::orcus_ods(&libro).read_stream(flujo);
            CompletaContenidoOds(flujo, libro);
        } else {
            CompletaXlsx(flujo, libro);
            orcus::orcus_xlsx(&libro).read_stream(flujo);
        }
        for (const auto& hoja : libro.Hojas()) hojas << hoja->Tabla();
    } catch (const THojaDemasiadoGrande&) {
        throw EZMKError(
            ErrorLecturaArchivo(archivo, QStringLiteral("el libro es demasiado grande")));
    } catch (const EZMKError&) {
        throw;
    } catch (const std::exception&) {
        throw EZMKError(ErrorLecturaArchivo(archivo, QStringLiteral("el archivo está dañado")));
    }
    return hojas;
}

}  // namespace

TLectorHojaCalculo::TLectorHojaCalculo(const QString& archivo) : TOrigenDatos(archivo) {
    hojas_ = TablasDeBytes(EnProcesoAparte(
        [&] { return TablasComoBytes(LeerLibroHojaCalculo(archivo)); }, kSegundosLectura,
        ErrorLecturaArchivo(archivo, QStringLiteral("el archivo está dañado"))));
}

QStringList TLectorHojaCalculo::Tablas() {
    QStringList nombres;
    for (const TTablaOrigen& hoja : hojas_) nombres << hoja.nombre;
    return nombres;
}

TTablaOrigen TLectorHojaCalculo::LeerTabla(const QString& nombre) {
    for (const TTablaOrigen& hoja : hojas_)
        if (hoja.nombre == nombre) return hoja;
    throw EZMKError(QStringLiteral("No existe la tabla ") + nombre);
}

}  // namespace zmk
