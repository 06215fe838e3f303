#include "messaging/formularioenviasms.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "core/strings.h"
#include "host/atomicfile.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/grid.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "messaging/serviciosms.h"

namespace zmk {

namespace {

const QString kUsuario = QStringLiteral("PRM_SMS_UserName");
const QString kPassword = QStringLiteral("PRM_SMS_Password");
const QString kRemitente = QStringLiteral("PRM_SMS_Remitente");

void Guarda(const QString& nombre, const QString& valor) {
    Parametres().SetParametreValue(nombre, valor);
}

}  // namespace

TFormEnviaSMS::TFormEnviaSMS() {
    usuario = Parametres().AsString(kUsuario).left(kMaxIdentificacion);
    password = Parametres().AsString(kPassword).left(kMaxIdentificacion);
    remitente = Parametres().AsString(kRemitente).left(kMaxRemitente);
}

void TFormEnviaSMS::ModoLista(const TOrigenAgenda& origen, TZMKDBGrid& grid) {
    origen_ = origen;
    grid_ = &grid;
    telefonos_ = TelefonosDeTabla(origen);
    telefonosElegidos = QVector<bool>(telefonos_.size(), false);
    telefonosElegidos[0] = true;
    ambito_ = SeleccionDisponible() ? msgSeleccionados : msgActual;
    agenda.Limpiar();
}

bool TFormEnviaSMS::SeleccionDisponible() const {
    return grid_ && grid_->SelectedKeys().size() >= 2;
}

int TFormEnviaSMS::CargarDestinatarios(TModoSeleccionGrid ambito) {
    if (!grid_) return 0;
    ambito_ = ambito;
    QVector<TTelefonoAgenda> elegidos;
    for (int k = 0; k < telefonos_.size(); ++k)
        if (telefonosElegidos.value(k)) elegidos << telefonos_[k];
    if (elegidos.isEmpty()) {
        agenda.Limpiar();
        totalRegistros_ = 0;
        return 0;
    }
    totalRegistros_ = agenda.CargarDeGrid(*grid_, origen_, ambito, elegidos);
    return totalRegistros_;
}

QString TFormEnviaSMS::MensajeDe(int fila) const {
    if (!ModoListaActivo()) return mensaje;
    return PersonalizaMensaje(mensaje, agenda, fila);
}

TLongitudSMS TFormEnviaSMS::Longitud() const {
    if (!ModoListaActivo()) return LongitudSMS(mensaje);
    CompruebaLlaves(mensaje);
    const QVector<int> filas = agenda.Seleccionados();
    if (filas.isEmpty()) return LongitudSMS(mensaje);
    // Each recipient's text is one SMS of its own alphabet; the tightest one counts.
    std::optional<TLongitudSMS> justa;
    for (int fila : filas) {
        const TLongitudSMS l = LongitudSMS(MensajeDe(fila));
        if (!justa || l.Disponibles() < justa->Disponibles()) justa = l;
    }
    return *justa;
}

std::optional<TFalloSMS> TFormEnviaSMS::Comprueba(bool identificacion) const {
    const TPaginaSMS destinatarios =
        ModoListaActivo() ? TPaginaSMS::DestinatariosGrid : TPaginaSMS::DestinatariosManual;
    if (agenda.NumSeleccionados() == 0)
        return TFalloSMS{destinatarios, TControlSMS::Destinatarios, SharedString(2131)};
    if (mensaje.trimmed().isEmpty())
        return TFalloSMS{TPaginaSMS::Mensaje, TControlSMS::Mensaje, SharedString(2132)};
    TLongitudSMS longitud;
    try {
        longitud = Longitud();
    } catch (const EZMKError& e) {
        return TFalloSMS{TPaginaSMS::Mensaje, TControlSMS::Mensaje, e.Message()};
    }
    if (longitud.Disponibles() < 0)
        return TFalloSMS{TPaginaSMS::Mensaje, TControlSMS::Mensaje,
                         TextoMensajeLargo(longitud.unicode)};
    if (!identificacion) return std::nullopt;
    if (usuario.trimmed().isEmpty())
        return TFalloSMS{TPaginaSMS::Identificacion, TControlSMS::Usuario, SharedString(2134)};
    if (password.isEmpty())
        return TFalloSMS{TPaginaSMS::Identificacion, TControlSMS::Password, SharedString(2135)};
    return std::nullopt;
}

void TFormEnviaSMS::Anota(const QString& texto, const QString& detalle) {
    QStringList lineas{Ahora().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) + u' ' + texto};
    if (!detalle.isEmpty())
        for (const QString& l : detalle.split(u'\n')) lineas << QStringLiteral("   ") + l;
    for (QString linea : lineas) {
        // The password is never written down, even when a reply repeats it.
        if (password.size() >= 3) linea.replace(password, QStringLiteral("********"));
        log_ << linea;
        if (alAnotar) alAnotar(linea);
    }
}

void TFormEnviaSMS::GuardaAjustes(bool conPassword) const {
    if (conPassword) Guarda(kPassword, password);
    Guarda(kUsuario, usuario);
    Guarda(kRemitente, remitente);
    for (const QString& nombre : {kUsuario, kPassword, kRemitente})
        if (Parametres().ParamExists(nombre)) Parametres().SetWritables(nombre, true);
}

TRespostaSendSMS TFormEnviaSMS::Enviar() {
    const TServicioSMS servicio = ServicioSMS();
    ExigirServicioConfigurado(servicio);
    const int n = agenda.NumSeleccionados();
    if (!PreguntaSiNo(SharedStringFmt(2110, {n}), TMsgIcon::Question, TMsgButton::Yes))
        throw EAbort();

    log_.clear();
    if (alEnviar) alEnviar(true);
    Anota(SharedStringFmt(2111, {n}));
    TPeticionSMS peticion;
    peticion.usuario = usuario;
    peticion.password = password;
    peticion.mensaje = mensaje;
    peticion.remitente = remitente;
    if (ModoListaActivo()) peticion.variables = VariablesDeAgenda(agenda);
    peticion.destinos = agenda.Destinatarios();

    TRespostaSendSMS r;
    std::optional<QString> fallo;
    try {
        EnviaSMS(servicio, peticion, r);
    } catch (const EZMKError& e) {
        fallo = e.Message();
    }
    if (r.sent > 0) Anota(SharedStringFmt(2112, {r.sent}));
    if (r.failed > 0) Anota(SharedStringFmt(2113, {r.failed}));
    if (!r.error.isEmpty()) Anota(SharedString(2114), r.error);
    if (r.cost > Currency()) Anota(SharedStringFmt(2115, {QVariant::fromValue(r.cost)}));
    if (r.balance > Currency())
        Anota(SharedStringFmt(2116, {QVariant::fromValue(r.balance)}), SharedString(2117));
    if (fallo) {
        Anota(SharedString(2118), *fallo);
        // The answer page stays usable: its log can be saved and another send started.
        if (alEnviar) alEnviar(false);
        throw EZMKError(*fallo);
    }
    if (alEnviar) alEnviar(false);
    Anota(SharedString(2119));
    const bool completo = r.sent >= 1 && r.failed == 0;
    if (completo)
        Informa(SharedStringFmt(2120, {r.sent}));
    else
        MuestraError(SharedStringFmt(2121, {r.sent, r.failed}));
    GuardaAjustes(completo);
    return r;
}

void TFormEnviaSMS::Descargar(const QString& archivo) const {
    if (QFileInfo::exists(archivo) &&
        !PreguntaSiNo(QStringLiteral("¡ATENCIÓN!\nYa existe un archivo con el nombre: ") + archivo +
                          QStringLiteral("\n\n¿QUIERE SOBREESCRIBIRLO?"),
                      TMsgIcon::Warning, TMsgButton::No))
        throw EAbort();
    QStringList lineas;
    const QString aviso = notificacionEntrega ? QStringLiteral("1") : QStringLiteral("0");
    for (int fila : agenda.Seleccionados()) {
        // One line per recipient: line breaks of the message would start false records.
        QString texto = MensajeDe(fila);
        texto.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        texto.replace(u'\n', u' ').replace(u'\r', u' ');
        lineas << agenda.Datos()[fila].phone + u'#' + aviso + u'#' + texto;
    }
    GuardaTextoSMS(archivo, lineas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void GuardaTextoSMS(const QString& archivo, const QString& texto) {
    WriteFileAtomically(archivo, texto.toUtf8());
}

QString LeeTextoSMS(const QString& archivo) {
    QFile file(archivo);
    if (!file.open(QIODevice::ReadOnly))
        throw EZMKError(QStringLiteral("No se puede leer el archivo \"%1\": %2")
                            .arg(archivo, file.errorString()));
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : texto;
}

QString ConExtensionTxt(const QString& archivo) {
    if (archivo.isEmpty() || !QFileInfo(archivo).suffix().isEmpty()) return archivo;
    return archivo + QStringLiteral(".txt");
}

}  // namespace zmk
