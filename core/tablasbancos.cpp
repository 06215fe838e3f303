// Lookups in the built-in bank data tables; each table is parsed once, on first use.
#include "core/tablasbancos.h"

#include <QHash>
#include <QStringList>

#include "core/bancos.h"

namespace zmk {
namespace {

struct EntidadBancaria {
    QString nombre;
    QString bic;
};

// The rows of a compiled-in CSV text without its heading line, split at ";".
QList<QStringList> FilasCsv(const char* csv) {
    QList<QStringList> filas;
    const QStringList lineas = QString::fromUtf8(csv).split(u'\n');
    for (qsizetype i = 1; i < lineas.size(); ++i) {
        const QString linea = lineas[i].trimmed();
        if (!linea.isEmpty()) filas << linea.split(u';');
    }
    return filas;
}

const QHash<QString, EntidadBancaria>& TablaBICEntidades() {
    static const QHash<QString, EntidadBancaria> tabla = [] {
        QHash<QString, EntidadBancaria> t;
        for (const QStringList& f : FilasCsv(kCsvEntidadesBancarias))
            if (f.size() >= 3) t.insert(f[0], {f[1], f[2]});
        return t;
    }();
    return tabla;
}

// Keyed by the upper-case code.
const QHash<QString, QString>& TablaPaisesISO3166() {
    static const QHash<QString, QString> tabla = [] {
        QHash<QString, QString> t;
        for (const QStringList& f : FilasCsv(kCsvPaisesISO3166))
            if (f.size() >= 2) t.insert(f[0].toUpper(), f[1]);
        return t;
    }();
    return tabla;
}

}  // namespace

QString BuscarBIC(const QString& entidad) {
    const auto& tabla = TablaBICEntidades();
    auto it = tabla.constFind(entidad);
    return it == tabla.constEnd() ? QString() : it->bic;
}

QString NombreEntidad(const QString& entidad) {
    const auto& tabla = TablaBICEntidades();
    auto it = tabla.constFind(entidad);
    return it == tabla.constEnd() ? QString() : it->nombre;
}

bool EsPaisISO3166(const QString& codigo) {
    return TablaPaisesISO3166().contains(codigo.toUpper());
}

QString NombrePaisISO3166(const QString& codigo) {
    return TablaPaisesISO3166().value(codigo.toUpper());
}

}  // namespace zmk
