#include "rules/formimportacion.h"

#include <QFileInfo>

#include "host/errors.h"
#include "rules/valoresimportacion.h"

namespace zmk {

namespace {

struct TCampoPorDefecto {
    const char* columna;
    const char* destino;
    const char* caption;
};

// The import fields in their order. The third phone has no default column: it can be
// assigned by hand. The BIC comes after the IBAN so that a source that has it keeps it; when
// none is given it is looked up from the IBAN.
const TCampoPorDefecto kCampos[] = {
    {"Codigo", "CodigoT01", "Código del alumno"},
    {"Nombre", "NombreT01", "Nombre"},
    {"Apellidos", "ApellidosT01", "Apellidos"},
    {"NIF", "NIFT01", "NIF"},
    {"Direccion", "DomicilioT01", "Dirección"},
    {"Poblacion", "PoblacionT01", "Población"},
    {"CP", "CPPoblacionT01", "Codigo Postal"},
    {"Provincia", "ProvinciaT01", "Provincia"},
    {"Telf1", "Telf1T01", "Teléfono 1"},
    {"Telf2", "Telf2T01", "Teléfono 2"},
    {"", "Telf3T01", "Teléfono 3"},
    {"Fax", "FaxT01", "Fax"},
    {"TelfPadre", "TelfPadreT01", "Teléfonos Padre"},
    {"NombrePadre", "NombrePadreT01", "Nombre del Padre"},
    {"DNIPadre", "DNIPadreT01", "D.N.I. del Padre"},
    {"TelfMadre", "TelfMadreT01", "Teléfonos Madre"},
    {"NombreMadre", "NombreMadreT01", "Nombre de la Madre"},
    {"DNIMadre", "DNIMadreT01", "D.N.I. de la Madre"},
    {"Sexo", "SexoT01", "Sexo"},
    {"eMail", "EMailT01", "eMail"},
    {"FechaNacimiento", "FechaNacT01", "Fecha Nacimiento"},
    {"CCCNombreTitular", "CCCNombreTitularT01", "Nombre Titular CCC"},
    {"IBAN", "IBANT01", "Código IBAN"},
    {"BIC", "BICT01", "Código BIC"},
    {"Comentarios", "ComentariosT01", "Comentarios"},
};

}  // namespace

TFormImportacion::TFormImportacion() {
    for (const TCampoPorDefecto& d : kCampos) {
        TCampoImportacion c;
        c.destino = QLatin1String(d.destino);
        c.caption = QString::fromUtf8(d.caption);
        c.columnaPorDefecto = QLatin1String(d.columna);
        c.esCodigo = c.destino == QLatin1String("CodigoT01");
        campos_.push_back(c);
    }
}

TFormImportacion::~TFormImportacion() = default;

bool TFormImportacion::AbrirOrigen(const QString& archivo) {
    origen_.reset();
    tablas_.clear();
    tabla_ = TTablaOrigen();
    origen_ = AbrirOrigenDatos(archivo);
    archivo_ = archivo;
    tablas_ = origen_->Tablas();
    if (tablas_.isEmpty()) return false;
    // A text file's table is its own (the first and only one of its reader).
    CargarTabla(tablas_.first());
    return true;
}

void TFormImportacion::CargarTabla(const QString& nombre) {
    if (!origen_) throw EZMKError(QStringLiteral("No hay ningún archivo abierto"));
    tabla_ = origen_->LeerTabla(nombre);
    for (TCampoImportacion& c : campos_) {
        c.origen = -1;
        c.valorFijo.clear();
        if (!c.columnaPorDefecto.isEmpty())
            for (qsizetype i = 0; i < tabla_.columnas.size(); ++i)
                if (tabla_.columnas[i].compare(c.columnaPorDefecto, Qt::CaseInsensitive) == 0) {
                    c.origen = int(i);
                    break;
                }
        c.activo = c.origen >= 0;
    }
}

int TFormImportacion::CampoPorNombre(const QString& nombre) const {
    const QString n = nombre.trimmed();
    for (size_t i = 0; i < campos_.size(); ++i) {
        const TCampoImportacion& c = campos_[i];
        if (c.destino.compare(n, Qt::CaseInsensitive) == 0 ||
            c.caption.compare(n, Qt::CaseInsensitive) == 0 ||
            (!c.columnaPorDefecto.isEmpty() &&
             c.columnaPorDefecto.compare(n, Qt::CaseInsensitive) == 0))
            return int(i);
    }
    return -1;
}

QString TFormImportacion::LineaCampo(int campo) const {
    const TCampoImportacion& c = campos_.at(size_t(campo));
    if (c.origen < 0 && !c.valorFijo.isEmpty())
        return c.caption + QStringLiteral(" <== \"") + c.valorFijo + u'"';
    if (c.origen >= 0) return c.caption + QStringLiteral(" <== ") + tabla_.columnas.at(c.origen);
    return c.caption + QStringLiteral(" <== (no asignado)");
}

void TFormImportacion::AsignarColumna(int campo, int columna) {
    TCampoImportacion& c = campos_.at(size_t(campo));
    if (columna < 0 || columna >= tabla_.columnas.size())
        throw EZMKError(QStringLiteral("La tabla no tiene esa columna"));
    c.origen = columna;
    c.activo = true;
}

void TFormImportacion::AsignarValor(int campo, const QString& valor) {
    TCampoImportacion& c = campos_.at(size_t(campo));
    c.valorFijo = valor;
    c.origen = -1;
    c.activo = !valor.isEmpty();
}

bool TFormImportacion::Activar(int campo, bool activo) {
    TCampoImportacion& c = campos_.at(size_t(campo));
    if (activo && c.origen < 0 && c.valorFijo.isEmpty()) return false;
    c.activo = activo;
    return true;
}

QList<QPair<QString, QString>> TFormImportacion::ValoresCampos(int fila) const {
    QList<QPair<QString, QString>> valores;
    const bool hayFila = fila >= 0 && fila < tabla_.filas.size();
    for (const TCampoImportacion& c : campos_) {
        if (!c.activo) continue;
        QString texto;
        if (c.origen >= 0) {
            if (hayFila) texto = TextoDeValor(tabla_.filas[fila].at(c.origen));
        } else {
            texto = c.valorFijo;
        }
        valores.append({c.caption, texto});
    }
    return valores;
}

QList<int> TFormImportacion::FilasElegidas(TRegistrosAImportar ambito, int actual,
                                           const QList<int>& seleccion) const {
    const int n = int(tabla_.filas.size());
    QList<int> filas;
    switch (ambito) {
        case TRegistrosAImportar::Actual:
            if (actual >= 0 && actual < n) filas << actual;
            break;
        case TRegistrosAImportar::Seleccion:
            for (int f : seleccion)
                if (f >= 0 && f < n) filas << f;
            break;
        case TRegistrosAImportar::Todos:
            for (int f = 0; f < n; ++f) filas << f;
            break;
    }
    return filas;
}

}  // namespace zmk
