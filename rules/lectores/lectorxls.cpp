#include "rules/lectores/lectorxls.h"

#include <freexl.h>

#include <QDateTime>
#include <QFile>

#include "host/errors.h"
#include "rules/lectores/procesoaparte.h"

namespace zmk {

namespace {

QString Motivo(int codigo) {
    switch (codigo) {
        case FREEXL_INSUFFICIENT_MEMORY:
            return QStringLiteral("no hay memoria suficiente");
        case FREEXL_FILE_NOT_FOUND:
            return QStringLiteral("el archivo no existe");
        case FREEXL_INVALID_CFBF_HEADER:
        case FREEXL_CFBF_INVALID_SIGNATURE:
        case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
            return QStringLiteral("no es un libro de Excel 97-2003");
        default:
            return QStringLiteral("el libro de Excel está dañado");
    }
}

QVariant ValorCelda(const FreeXL_CellValue& celda) {
    switch (celda.type) {
        case FREEXL_CELL_INT:
            return QVariant(qlonglong(celda.value.int_value));
        case FREEXL_CELL_DOUBLE:
            return ValorNumero(celda.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT: {
            const QString texto = QString::fromUtf8(celda.value.text_value);
            return texto.isEmpty() ? QVariant() : QVariant(texto);
        }
        // FreeXL writes dates and times as ISO texts.
        case FREEXL_CELL_DATE:
            return QDate::fromString(QLatin1String(celda.value.text_value), Qt::ISODate);
        case FREEXL_CELL_DATETIME:
            return QDateTime::fromString(QLatin1String(celda.value.text_value),
                                         QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        case FREEXL_CELL_TIME:
            return QTime::fromString(QLatin1String(celda.value.text_value), Qt::ISODate);
        default:
            return QVariant();
    }
}

}  // namespace

namespace {

// How long FreeXL may take over a file before it is taken as damaged.
constexpr int kSegundosLectura = 60;

// A workbook opened by FreeXL, closed when it goes.
class TLibroXls {
  public:
    explicit TLibroXls(const QString& archivo) : archivo_(archivo) {
        // FreeXL frees what it read when it fails.
        if (const int r = freexl_open(QFile::encodeName(archivo).constData(), &libro_);
            r != FREEXL_OK) {
            libro_ = nullptr;
            Falla(r);
        }
        unsigned int valor = 0;
        if (freexl_get_info(libro_, FREEXL_BIFF_PASSWORD, &valor) == FREEXL_OK &&
            valor == FREEXL_BIFF_OBFUSCATED)
            throw EZMKError(
                ErrorLecturaArchivo(archivo, QStringLiteral("está protegido con contraseña")));
    }
    ~TLibroXls() {
        if (libro_) freexl_close(libro_);
    }
    TLibroXls(const TLibroXls&) = delete;
    TLibroXls& operator=(const TLibroXls&) = delete;

    QList<TTablaOrigen> Hojas() const {
        unsigned int hojas = 0;
        if (const int r = freexl_get_info(libro_, FREEXL_BIFF_SHEET_COUNT, &hojas); r != FREEXL_OK)
            Falla(r);
        QList<TTablaOrigen> tablas;
        for (unsigned int i = 0; i < hojas; ++i) tablas << Hoja(static_cast<unsigned short>(i));
        return tablas;
    }

  private:
    [[noreturn]] void Falla(int codigo) const {
        throw EZMKError(ErrorLecturaArchivo(archivo_, Motivo(codigo)));
    }

    TTablaOrigen Hoja(unsigned short hoja) const {
        const char* nombre = nullptr;
        if (const int r = freexl_get_worksheet_name(libro_, hoja, &nombre); r != FREEXL_OK)
            Falla(r);
        if (const int r = freexl_select_active_worksheet(libro_, hoja); r != FREEXL_OK) Falla(r);
        unsigned int filas = 0;
        unsigned short columnas = 0;
        if (const int r = freexl_worksheet_dimensions(libro_, &filas, &columnas); r != FREEXL_OK)
            Falla(r);
        QList<QVariantList> celdas;
        celdas.reserve(filas);
        for (unsigned int f = 0; f < filas; ++f) {
            QVariantList fila;
            fila.reserve(columnas);
            for (unsigned short c = 0; c < columnas; ++c) {
                FreeXL_CellValue celda;
                if (const int r = freexl_get_cell_value(libro_, f, c, &celda); r != FREEXL_OK)
                    Falla(r);
                fila << ValorCelda(celda);
            }
            celdas << fila;
        }
        return TablaDesdeCeldas(QString::fromUtf8(nombre ? nombre : ""), celdas);
    }

    QString archivo_;
    const void* libro_ = nullptr;
};

}  // namespace

TLectorXls::TLectorXls(const QString& archivo) : TOrigenDatos(archivo) {
    hojas_ = TablasDeBytes(EnProcesoAparte(
        [&] { return TablasComoBytes(TLibroXls(archivo).Hojas()); }, kSegundosLectura,
        ErrorLecturaArchivo(archivo, QStringLiteral("el libro de Excel está dañado"))));
}

QStringList TLectorXls::Tablas() {
    QStringList nombres;
    for (const TTablaOrigen& hoja : hojas_) nombres << hoja.nombre;
    return nombres;
}

TTablaOrigen TLectorXls::LeerTabla(const QString& nombre) {
    for (const TTablaOrigen& hoja : hojas_)
        if (hoja.nombre == nombre) return hoja;
    throw EZMKError(QStringLiteral("No existe la tabla ") + nombre);
}

}  // namespace zmk
