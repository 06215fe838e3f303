#include "rules/lectores/lectoraccess.h"

#include <mdbtools.h>

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <vector>

#include "host/errors.h"
#include "rules/lectores/procesoaparte.h"

namespace zmk {

namespace {

// Room for the longest memo Access keeps (65,535 characters), in UTF-8.
constexpr size_t kBytesCampo = 4 * 65536;

QVariant ValorAccess(int tipo, const QString& texto) {
    if (texto.isEmpty()) return QVariant();
    bool ok = false;
    switch (tipo) {
        case MDB_BOOL:
            return QVariant(texto != QLatin1String("0"));
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT: {
            const qlonglong n = texto.toLongLong(&ok);
            return ok ? QVariant(n) : QVariant(texto);
        }
        case MDB_FLOAT:
        case MDB_DOUBLE: {
            const double d = texto.toDouble(&ok);
            return ok ? QVariant(d) : QVariant(texto);
        }
        case MDB_MONEY:
        case MDB_NUMERIC:
            return DecimalExacto(texto);
        case MDB_DATETIME: {
            const QDateTime fecha =
                QDateTime::fromString(texto, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!fecha.isValid()) return QVariant(texto);
            if (fecha.time() == QTime(0, 0)) return fecha.date();
            return fecha;
        }
        default:
            return QVariant(texto);
    }
}

bool SinValores(int tipo) {
    return tipo == MDB_OLE || tipo == MDB_BINARY || tipo == MDB_COMPLEX;
}

}  // namespace

QString DecimalExacto(const QString& texto) {
    QString d = texto.trimmed();
    const qsizetype punto = d.indexOf(u'.');
    if (punto < 0) return d;
    while (d.size() > punto + 3 && d.endsWith(u'0')) d.chop(1);
    return d;
}

namespace {

// How long libmdb may take over a file before it is taken as damaged.
constexpr int kSegundosLectura = 60;

// A database opened by libmdb, closed when it goes.
struct TBaseAccess {
    MdbHandle* mdb = nullptr;
    explicit TBaseAccess(const QString& archivo) {
        mdb = mdb_open(QFile::encodeName(archivo).constData(), MDB_NOFLAGS);
        if (!mdb)
            throw EZMKError(ErrorLecturaArchivo(
                archivo, QStringLiteral("no es una base de datos de Access o está dañada")));
        mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
        mdb_set_shortdate_fmt(mdb, "%Y-%m-%d %H:%M:%S");
        mdb_set_boolean_fmt_numbers(mdb);
        mdb_set_bind_size(mdb, kBytesCampo);
        if (!mdb_read_catalog(mdb, MDB_TABLE))
            throw EZMKError(ErrorLecturaArchivo(
                archivo, QStringLiteral("la base de datos de Access está dañada")));
    }
    ~TBaseAccess() {
        if (mdb) mdb_close(mdb);
    }
    TBaseAccess(const TBaseAccess&) = delete;
    TBaseAccess& operator=(const TBaseAccess&) = delete;

    // The user tables: not the system's, nor queries, forms or linked tables.
    std::vector<MdbCatalogEntry*> Tablas() const {
        std::vector<MdbCatalogEntry*> tablas;
        for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
            auto* entrada = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (entrada->object_type == MDB_TABLE && mdb_is_user_table(entrada))
                tablas.push_back(entrada);
        }
        return tablas;
    }
};

TTablaOrigen LeeTabla(const QString& archivo, const QString& nombre) {
    const TBaseAccess base(archivo);
    MdbCatalogEntry* entrada = nullptr;
    for (MdbCatalogEntry* e : base.Tablas())
        if (QString::fromUtf8(e->object_name) == nombre) entrada = e;
    MdbTableDef* tabla = entrada ? mdb_read_table(entrada) : nullptr;
    if (!tabla || !mdb_read_columns(tabla))
        throw EZMKError(
            ErrorLecturaArchivo(archivo, QStringLiteral("no se puede leer la tabla ") + nombre));
    struct TLiberaTabla {
        MdbTableDef* t;
        ~TLiberaTabla() { mdb_free_tabledef(t); }
    } libera{tabla};

    TTablaOrigen resultado;
    resultado.nombre = nombre;
    QStringList cabecera;
    std::vector<int> tipos;
    std::vector<std::vector<char>> valores(tabla->num_cols);
    std::vector<int> longitudes(tabla->num_cols, 0);
    for (unsigned int c = 0; c < tabla->num_cols; ++c) {
        auto* columna = static_cast<MdbColumn*>(g_ptr_array_index(tabla->columns, c));
        cabecera << QString::fromUtf8(columna->name);
        tipos.push_back(columna->col_type);
        if (SinValores(columna->col_type)) continue;
        valores[c].assign(kBytesCampo + 1, '\0');
        mdb_bind_column(tabla, int(c) + 1, valores[c].data(), &longitudes[c]);
    }
    resultado.columnas = NombresColumnas(cabecera);
    mdb_rewind_table(tabla);
    while (mdb_fetch_row(tabla)) {
        QVariantList fila;
        fila.reserve(qsizetype(tabla->num_cols));
        for (unsigned int c = 0; c < tabla->num_cols; ++c) {
            if (valores[c].empty()) {
                fila << QVariant();
                continue;
            }
            const auto largo = std::min<size_t>(size_t(std::max(longitudes[c], 0)), kBytesCampo);
            fila << ValorAccess(tipos[c], QString::fromUtf8(valores[c].data(), qsizetype(largo)));
        }
        resultado.filas << fila;
    }
    return resultado;
}

QString ErrorDanada(const QString& archivo) {
    return ErrorLecturaArchivo(archivo, QStringLiteral("la base de datos de Access está dañada"));
}

}  // namespace

TLectorAccess::TLectorAccess(const QString& archivo) : TOrigenDatos(archivo) {
    const QByteArray bytes = EnProcesoAparte(
        [&] {
            QList<TTablaOrigen> tablas;
            const TBaseAccess base(archivo);
            for (MdbCatalogEntry* e : base.Tablas())
                tablas << TTablaOrigen{QString::fromUtf8(e->object_name), {}, {}};
            return TablasComoBytes(tablas);
        },
        kSegundosLectura, ErrorDanada(archivo));
    for (const TTablaOrigen& t : TablasDeBytes(bytes)) tablas_ << t.nombre;
}

TTablaOrigen TLectorAccess::LeerTabla(const QString& nombre) {
    if (!tablas_.contains(nombre)) throw EZMKError(QStringLiteral("No existe la tabla ") + nombre);
    const QList<TTablaOrigen> tablas = TablasDeBytes(
        EnProcesoAparte([&] { return TablasComoBytes({LeeTabla(Archivo(), nombre)}); },
                        kSegundosLectura, ErrorDanada(Archivo())));
    if (tablas.size() != 1) throw EZMKError(ErrorDanada(Archivo()));
    return tablas.first();
}

}  // namespace zmk
