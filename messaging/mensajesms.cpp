#include "messaging/mensajesms.h"

#include "core/strings.h"
#include "host/errors.h"
#include "messaging/agendasms.h"

namespace zmk {

namespace {

// The GSM 03.38 basic alphabet (line feed and carriage return included).
const QString& AlfabetoGSM() {
    static const QString kAlfabeto = QString::fromUtf8(
        "@£$¥èéùìòÇ\nØø\rÅåΔ_ΦΓΛΩΠΨΣΘΞÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?¡"
        "ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà");
    return kAlfabeto;
}

// The extension table: each is sent as an escape and a character.
const QString& ExtensionGSM() {
    static const QString kExtension = QString::fromUtf8("\f^{}\\[~]|€");
    return kExtension;
}

[[noreturn]] void ErrorLlaves() {
    throw EZMKError(SharedString(2136));
}

}  // namespace

TVariablesSMS VariablesDeAgenda(const TAgendaSMS& agenda) {
    TVariablesSMS variables;
    const QVector<int> filas = agenda.Seleccionados();
    for (int c = 0; c < agenda.Columnas().size(); ++c) {
        const QString cabecera = agenda.Columnas()[c];
        if (cabecera.isEmpty()) continue;
        QStringList valores;
        for (int fila : filas) valores << agenda.Celda(c, fila);
        variables.nombres << u'{' + cabecera + u'}';
        variables.valores << valores;
    }
    return variables;
}

void CompruebaLlaves(const QString& mensaje) {
    bool dentro = false;
    for (QChar c : mensaje) {
        if (c == u'{') {
            if (dentro) ErrorLlaves();
            dentro = true;
        } else if (c == u'}') {
            if (!dentro) ErrorLlaves();
            dentro = false;
        }
    }
    if (dentro) ErrorLlaves();
}

QString PersonalizaMensaje(const QString& mensaje, const TAgendaSMS& agenda, int fila) {
    CompruebaLlaves(mensaje);
    QString texto;
    qsizetype i = 0;
    while (i < mensaje.size()) {
        const qsizetype abre = mensaje.indexOf(u'{', i);
        if (abre < 0) {
            texto += mensaje.mid(i);
            break;
        }
        const qsizetype cierra = mensaje.indexOf(u'}', abre);
        texto += mensaje.mid(i, abre - i);
        const QString cabecera = mensaje.mid(abre + 1, cierra - abre - 1);
        const int columna = agenda.Columna(cabecera);
        texto += columna >= 0 ? agenda.Celda(columna, fila) : mensaje.mid(abre, cierra - abre + 1);
        i = cierra + 1;
    }
    return texto;
}

bool EsTextoGSM(const QString& texto) {
    for (QChar c : texto)
        if (!AlfabetoGSM().contains(c) && !ExtensionGSM().contains(c)) return false;
    return true;
}

TLongitudSMS LongitudSMS(const QString& texto) {
    TLongitudSMS r;
    r.unicode = !EsTextoGSM(texto);
    for (QChar c : texto) {
        if (c == u'\r') continue;
        if (c == u';' || (!r.unicode && ExtensionGSM().contains(c)))
            r.longitud += 2;
        else
            r.longitud += 1;
    }
    return r;
}

QString TextoMensajeLargo(bool unicode) {
    if (!unicode) return SharedString(2133);
    return QStringLiteral(
               "Mensaje demasiado largo. El mensaje puede tener como máximo 70 caracteres.\n") +
           TextoAvisoUnicode();
}

QString TextoAvisoUnicode() {
    return QStringLiteral(
        "El mensaje lleva caracteres que no son del alfabeto GSM (como \"ç\", \"á\" o un emoji): "
        "se envía como Unicode y cada SMS admite 70 caracteres en lugar de 160.");
}

}  // namespace zmk
