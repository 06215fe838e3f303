#include "cli/cmd_sms.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "cli/cmd_core.h"
#include "cli/commands.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/grid.h"
#include "host/resources.h"
#include "messaging/formularioenviasms.h"
#include "messaging/serviciosms.h"

namespace zmk::cli {

namespace {

const QString kUso = QStringLiteral(
    "sms send DESTINATARIOS --message TEXTO [--sender S] [--user U --password P|-] [--ini "
    "ARCHIVO]\n"
    "sms export ARCHIVO DESTINATARIOS --message TEXTO [--notify]\n"
    "  DESTINATARIOS: --table T --id-field F --name-field F --phone-field F[,F...] "
    "[--fields \"LISTA SELECT\"]\n"
    "                 --rows all|current|selected --keys K,...  |  --numbers N,...");

struct OpcionesSms {
    QString archivo;  // export
    TOrigenAgenda origen;
    QStringList telefonos;
    QString filas;
    QVariantList claves;
    QStringList numeros;
    std::optional<QString> mensaje, remitente, usuario, password;
    QString ini;
    bool notificar = false;
};

QString IniPorDefecto() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Torvanware/zmk-escolia/ZMKEscoliaV16EXT.INI");
}

// The resource file beside the INI file, where the program keeps the stored settings.
QString RecursosDe(const QString& ini) {
    const QFileInfo info(ini);
    return info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral(".MDR");
}

OpcionesSms LeeOpciones(QStringList args, bool exportar) {
    OpcionesSms o;
    if (exportar) {
        if (args.isEmpty() || args.first().startsWith(QLatin1String("--")))
            throw UsageError{QStringLiteral("sms export necesita el nombre del archivo")};
        o.archivo = args.takeFirst();
    }
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        auto valor = [&]() {
            if (args.isEmpty()) throw UsageError{arg + QStringLiteral(" necesita un valor")};
            return args.takeFirst();
        };
        auto lista = [&]() {
            QStringList partes;
            for (const QString& p : valor().split(u',', Qt::SkipEmptyParts)) partes << p.trimmed();
            return partes;
        };
        if (arg == QLatin1String("--table")) {
            o.origen.tabla = valor();
        } else if (arg == QLatin1String("--id-field")) {
            o.origen.campoId = valor();
        } else if (arg == QLatin1String("--name-field")) {
            o.origen.campoNombre = valor();
        } else if (arg == QLatin1String("--phone-field")) {
            o.telefonos = lista();
        } else if (arg == QLatin1String("--fields")) {
            o.origen.camposExtra = valor();
        } else if (arg == QLatin1String("--rows")) {
            o.filas = valor();
        } else if (arg == QLatin1String("--keys")) {
            for (const QString& k : lista()) {
                bool ok = false;
                const int clave = k.toInt(&ok);
                if (!ok) throw UsageError{QStringLiteral("Clave no válida: %1").arg(k)};
                o.claves << clave;
            }
        } else if (arg == QLatin1String("--numbers")) {
            o.numeros = lista();
        } else if (arg == QLatin1String("--message")) {
            o.mensaje = valor();
        } else if (arg == QLatin1String("--notify") && exportar) {
            o.notificar = true;
        } else if (!exportar && arg == QLatin1String("--sender")) {
            o.remitente = valor();
        } else if (!exportar && arg == QLatin1String("--user")) {
            o.usuario = valor();
        } else if (!exportar && arg == QLatin1String("--password")) {
            o.password = valor();
        } else if (!exportar && arg == QLatin1String("--ini")) {
            o.ini = valor();
        } else {
            throw UsageError{QStringLiteral("Opción desconocida: %1").arg(arg)};
        }
    }
    const bool porTabla = !o.origen.tabla.isEmpty();
    if (porTabla == !o.numeros.isEmpty())
        throw UsageError{QStringLiteral("Indique los destinatarios: --table ... o --numbers ...")};
    if (porTabla && (o.origen.campoId.isEmpty() || o.origen.campoNombre.isEmpty() ||
                     o.telefonos.isEmpty() || o.claves.isEmpty()))
        throw UsageError{
            QStringLiteral("--table necesita --id-field, --name-field, --phone-field y --keys")};
    static const QStringList kFilas{QStringLiteral("all"), QStringLiteral("current"),
                                    QStringLiteral("selected")};
    if (porTabla && !kFilas.contains(o.filas))
        throw UsageError{QStringLiteral("--rows necesita all, current o selected")};
    if (!o.mensaje) throw UsageError{QStringLiteral("Falta --message")};
    return o;
}

// Names typed on the command line reach SQL text: they must be the table's own columns.
void CompruebaCampos(const schema::Table& tabla, const QStringList& campos) {
    for (const QString& campo : campos) {
        bool existe = false;
        for (const schema::Column& c : tabla.columns)
            existe = existe || c.name.compare(campo, Qt::CaseInsensitive) == 0;
        if (!existe)
            throw EZMKError(
                QStringLiteral("No existe el campo %1 en la tabla %2").arg(campo, tabla.name));
    }
    if (campos.join(QString()).contains(u';'))
        throw EZMKError(QStringLiteral("Nombre de campo no válido"));
}

// The wizard's first page: the grid's records or the typed numbers.
struct Destinatarios {
    std::unique_ptr<TQuerySQL> consulta;
    std::unique_ptr<TZMKDBGrid> grid;
};

void CargaDestinatarios(CliContext& ctx, const OpcionesSms& o, TFormEnviaSMS& f, Destinatarios& d) {
    if (!o.numeros.isEmpty()) {
        for (const QString& n : o.numeros) f.agenda.AnadirNumero(n);
        return;
    }
    OpenDefaultDatabase(ctx);
    const schema::Table* tabla = schema::FindTable(o.origen.tabla);
    if (!tabla || tabla->key.isEmpty())
        throw EZMKError(QStringLiteral("No existe la tabla %1").arg(o.origen.tabla));
    if (o.origen.camposExtra.contains(u';'))
        throw EZMKError(QStringLiteral("La lista de --fields no puede llevar \";\""));
    CompruebaCampos(*tabla, QStringList{o.origen.campoId, o.origen.campoNombre} + o.telefonos);
    TOrigenAgenda origen = o.origen;
    origen.tabla = tabla->name;
    origen.campoTelefono = o.telefonos.first();
    d.consulta = GridQuery(*tabla, o.claves);
    d.grid = std::make_unique<TZMKDBGrid>(*d.consulta);
    if (o.filas == QLatin1String("selected")) d.grid->SetSelectedKeys(o.claves);
    f.ModoLista(origen, *d.grid);
    // The phones offered by the table, in the order given.
    f.telefonosElegidos.fill(false);
    for (const QString& campo : o.telefonos) {
        bool conocido = false;
        for (int k = 0; k < f.TelefonosDisponibles().size(); ++k)
            if (f.TelefonosDisponibles()[k].campo.compare(campo, Qt::CaseInsensitive) == 0)
                conocido = f.telefonosElegidos[k] = true;
        if (!conocido)
            throw EZMKError(QStringLiteral("La tabla %1 no ofrece el teléfono %2 para los SMS")
                                .arg(tabla->name, campo));
    }
    const TModoSeleccionGrid modo = o.filas == QLatin1String("all")       ? msgTodos
                                    : o.filas == QLatin1String("current") ? msgActual
                                                                          : msgSeleccionados;
    f.CargarDestinatarios(modo);
    for (int i = 0; i < f.agenda.Datos().size(); ++i)
        if (!f.agenda.Datos()[i].valid)
            *ctx.err << "AVISO no se envía (número no válido): " << f.agenda.Texto(i) << "\n";
}

void CompruebaPaginas(CliContext& ctx, const TFormEnviaSMS& f, bool identificacion) {
    if (std::optional<TFalloSMS> fallo = f.Comprueba(identificacion)) throw EZMKError(fallo->texto);
    const TLongitudSMS l = f.Longitud();
    if (l.unicode) *ctx.err << "AVISO " << TextoAvisoUnicode() << "\n";
}

int RunSend(CliContext& ctx, const OpcionesSms& o) {
    const QString ini = o.ini.isEmpty() ? IniPorDefecto() : o.ini;
    SetArchivoIniSMS(ini);
    ExigirServicioConfigurado(ServicioSMS());
    const QString recursos = RecursosDe(ini);
    if (RecursosZMK().LoadFromFile(recursos)) RecursosZMK().CargaParametres();

    TFormEnviaSMS f;
    Destinatarios d;
    CargaDestinatarios(ctx, o, f, d);
    f.mensaje = *o.mensaje;
    if (o.remitente) f.remitente = *o.remitente;
    if (o.usuario) f.usuario = *o.usuario;
    if (o.password) f.password = *o.password;
    if (f.password == QLatin1String("-")) f.password = ctx.in->readLine();
    if (f.remitente.size() > TFormEnviaSMS::kMaxRemitente)
        throw EZMKError(QStringLiteral("El remitente puede tener como máximo %1 caracteres.")
                            .arg(TFormEnviaSMS::kMaxRemitente));
    if (f.usuario.size() > TFormEnviaSMS::kMaxIdentificacion ||
        f.password.size() > TFormEnviaSMS::kMaxIdentificacion)
        throw EZMKError(QStringLiteral("El usuario y el password pueden tener como máximo %1 "
                                       "caracteres.")
                            .arg(TFormEnviaSMS::kMaxIdentificacion));
    CompruebaPaginas(ctx, f, true);
    f.alAnotar = [&](const QString& linea) {
        *ctx.out << linea << "\n";
        ctx.out->flush();
    };
    const TRespostaSendSMS r = f.Enviar();
    // The settings go where the program keeps them; without an installation there is nowhere.
    if (QFileInfo(recursos).absoluteDir().exists()) {
        try {
            RecursosZMK().GuardaParametres();
            RecursosZMK().SaveToFile(recursos);
        } catch (const EZMKError& e) {
            *ctx.err << "AVISO " << e.Message() << "\n";
        }
    }
    return r.sent >= 1 && r.failed == 0 ? kExitOk : kExitFailed;
}

int RunExport(CliContext& ctx, const OpcionesSms& o) {
    TFormEnviaSMS f;
    Destinatarios d;
    CargaDestinatarios(ctx, o, f, d);
    f.mensaje = *o.mensaje;
    f.notificacionEntrega = o.notificar;
    CompruebaPaginas(ctx, f, false);
    const QString archivo = ConExtensionTxt(o.archivo);
    f.Descargar(archivo);
    *ctx.out << f.agenda.NumSeleccionados() << " mensajes en " << archivo << "\n";
    return kExitOk;
}

int RunSms(CliContext& ctx) {
    if (ctx.args.isEmpty()) throw UsageError{kUso};
    const QString orden = ctx.args.first();
    if (orden == QLatin1String("send")) return RunSend(ctx, LeeOpciones(ctx.args.mid(1), false));
    if (orden == QLatin1String("export")) return RunExport(ctx, LeeOpciones(ctx.args.mid(1), true));
    throw UsageError{kUso};
}

}  // namespace

void RegisterSmsCommands() {
    // "FormularioEnviarSMS" run through proc reads the installation's INI file too.
    SetArchivoIniSMS(IniPorDefecto());
    RegisterCommand(QStringLiteral("sms"), kUso, RunSms);
}

}  // namespace zmk::cli
