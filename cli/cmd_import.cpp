#include "cli/cmd_import.h"

#include "cli/commands.h"
#include "host/errors.h"
#include "rules/comprobacionimportacion.h"
#include "rules/formimportacion.h"

namespace zmk::cli {

namespace {

const QString kUso = QStringLiteral(
    "import tables ARCHIVO\n"
    "import students ARCHIVO [--table NOMBRE] [--map DESTINO=COLUMNA | DESTINO=\"VALOR\" | "
    "DESTINO=-]... [--rows all|current|N,M,...] [--check] [--check-csv ARCHIVO]\n"
    "  --check: lo que haría la importación con cada registro y lo que parece erróneo, sin\n"
    "  escribir nada en la base de datos; --check-csv guarda además la lista en CSV");

// One --map: the field by its column, caption or default source column; a column of the
// source, a fixed value in double quotes, or "-" to leave the field out.
struct TAsignacion {
    int campo;
    QString texto;
};

struct TOpcionesImport {
    QString archivo, tabla, filas = QStringLiteral("all");
    QList<int> seleccion;  // 0-based rows of --rows N,M,...
    QList<TAsignacion> asignaciones;
    bool comprobar = false;
    QString csvComprobacion;
};

TOpcionesImport LeeOpciones(QStringList args) {
    TOpcionesImport o;
    if (args.isEmpty() || args.first().startsWith(QLatin1String("--")))
        throw UsageError{QStringLiteral("import students necesita el nombre del archivo")};
    o.archivo = args.takeFirst();
    const TFormImportacion campos;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        auto valor = [&]() {
            if (args.isEmpty()) throw UsageError{arg + QStringLiteral(" necesita un valor")};
            return args.takeFirst();
        };
        if (arg == QLatin1String("--table")) {
            o.tabla = valor();
        } else if (arg == QLatin1String("--map")) {
            const QString m = valor();
            const qsizetype igual = m.indexOf(u'=');
            if (igual <= 0)
                throw UsageError{QStringLiteral("--map necesita DESTINO=COLUMNA: ") + m};
            const int campo = campos.CampoPorNombre(m.left(igual));
            if (campo < 0) throw UsageError{QStringLiteral("Campo de destino desconocido: ") + m};
            o.asignaciones.append({campo, m.mid(igual + 1)});
        } else if (arg == QLatin1String("--check")) {
            o.comprobar = true;
        } else if (arg == QLatin1String("--check-csv")) {
            o.csvComprobacion = valor();
            o.comprobar = true;
        } else if (arg == QLatin1String("--rows")) {
            o.filas = valor();
            if (o.filas != QLatin1String("all") && o.filas != QLatin1String("current")) {
                for (const QString& n : o.filas.split(u',', Qt::SkipEmptyParts)) {
                    bool ok = false;
                    const int fila = n.trimmed().toInt(&ok);
                    if (!ok || fila < 1)
                        throw UsageError{QStringLiteral("Registro no válido: ") + n};
                    o.seleccion << fila - 1;
                }
                o.filas = QStringLiteral("selection");
            }
        } else {
            throw UsageError{QStringLiteral("Opción desconocida: %1").arg(arg)};
        }
    }
    return o;
}

void Asigna(TFormImportacion& form, const TAsignacion& a) {
    const QString& t = a.texto;
    if (t == QLatin1String("-")) {
        form.Activar(a.campo, false);
    } else if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"')) {
        form.AsignarValor(a.campo, t.mid(1, t.size() - 2));
    } else {
        const int columna = int(form.Tabla().columnas.indexOf(t));
        if (columna < 0)
            throw EZMKError(QStringLiteral("La tabla ") + form.Tabla().nombre +
                            QStringLiteral(" no tiene la columna ") + t);
        form.AsignarColumna(a.campo, columna);
    }
}

void AbreOrigen(TFormImportacion& form, const QString& archivo) {
    if (!form.AbrirOrigen(archivo))
        throw EZMKError(QStringLiteral("El archivo no contiene ninguna tabla"));
}

// The check's list: a line per row with the number and name it would get, then its findings.
int MuestraComprobacion(CliContext& ctx, const TFormImportacion& form, TRegistrosAImportar ambito,
                        const TOpcionesImport& o) {
    const TComprobacionImportacion c = ComprobarImportacion(form, ambito, 0, o.seleccion);
    for (const TFilaComprobada& f : c.filas) {
        *ctx.out << "Registro " << f.fila + 1 << ": código "
                 << (f.codigo.isValid() ? f.codigo.toString() : QStringLiteral("(ninguno)")) << ", "
                 << f.nombreCompleto << (f.avisos.isEmpty() ? ": correcto\n" : "\n");
        for (const TAvisoImportacion& a : f.avisos)
            *ctx.out << "  " << (a.detiene ? "ERROR " : "AVISO ")
                     << (a.campo.isEmpty() ? QString() : a.campo + QStringLiteral(": ")) << a.texto
                     << '\n';
    }
    *ctx.out << c.Resumen() << " No se ha escrito nada en la base de datos.\n";
    if (!o.csvComprobacion.isEmpty()) {
        GuardarComprobacionCSV(c, o.csvComprobacion);
        *ctx.out << "Lista guardada en " << o.csvComprobacion << '\n';
    }
    return kExitOk;
}

int RunTables(CliContext& ctx) {
    if (ctx.args.size() != 1)
        throw UsageError{QStringLiteral("import tables necesita el nombre del archivo")};
    TFormImportacion form;
    AbreOrigen(form, ctx.args.first());
    for (const QString& tabla : form.Tablas()) {
        form.CargarTabla(tabla);
        *ctx.out << tabla << " (" << form.Tabla().filas.size()
                 << " registros): " << form.Tabla().columnas.join(QStringLiteral(", ")) << '\n';
    }
    return kExitOk;
}

int RunStudents(CliContext& ctx) {
    const TOpcionesImport o = LeeOpciones(ctx.args);
    OpenDefaultDatabase(ctx);
    ExigirCentroParaImportar();
    TFormImportacion form;
    AbreOrigen(form, o.archivo);
    if (!o.tabla.isEmpty()) {
        if (!form.Tablas().contains(o.tabla, Qt::CaseInsensitive))
            throw EZMKError(QStringLiteral("No existe la tabla ") + o.tabla +
                            QStringLiteral("; tablas: ") +
                            form.Tablas().join(QStringLiteral(", ")));
        form.CargarTabla(o.tabla);
    }
    for (const TAsignacion& a : o.asignaciones) Asigna(form, a);
    for (int fila : o.seleccion)
        if (fila >= form.Tabla().filas.size())
            throw EZMKError(QStringLiteral("La tabla tiene %1 registros; no existe el %2")
                                .arg(form.Tabla().filas.size())
                                .arg(fila + 1));
    const TRegistrosAImportar ambito = o.filas == QLatin1String("all") ? TRegistrosAImportar::Todos
                                       : o.filas == QLatin1String("current")
                                           ? TRegistrosAImportar::Actual
                                           : TRegistrosAImportar::Seleccion;
    // The current row is the first, where the form's grid opens.
    if (o.comprobar) return MuestraComprobacion(ctx, form, ambito, o);
    const int importados = form.Importar(ambito, 0, o.seleccion);
    *ctx.out << "Importados " << importados << " alumnos\n";
    return kExitOk;
}

int RunImport(CliContext& ctx) {
    if (ctx.args.isEmpty()) throw UsageError{kUso};
    const QString sub = ctx.args.takeFirst();
    if (sub == QLatin1String("tables")) return RunTables(ctx);
    if (sub == QLatin1String("students")) return RunStudents(ctx);
    throw UsageError{kUso};
}

}  // namespace

void RegisterImportCommands() {
    RegisterCommand(QStringLiteral("import"), kUso, RunImport);
}

}  // namespace zmk::cli
