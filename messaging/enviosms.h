#pragma once
// The SMS service's protocol: the accounting endpoint authorises a send and records its outcome;
// the gateway delivers the messages, in one request for the whole list (the gateway fills in up
// to eight variables itself) or one request per recipient.
#include <QString>
#include <QVector>

#include "host/currency.h"
#include "messaging/agendasms.h"
#include "messaging/mensajesms.h"
#include "messaging/serviciosms.h"

namespace zmk {

// The outcome of a send, or what one gateway reply says.
struct TRespostaSendSMS {
    int type = 0;  // 0 and 1 success; 2..5 known errors
    QString text;
    int number = 0;
    Currency cost;
    Currency balance;
    int sent = 0;
    int failed = 0;
    QString error;  // lines separated by line breaks
};

// A gateway reply: "type|text|number|cost|balance"; a reply without "|" is type 0. error gets
// the text the reply's type stands for (none for 0 and 1).
TRespostaSendSMS LeeRespuestaPasarela(const QString& respuesta);

// The text between the first "<name>" and the first "</name>" (empty when missing).
QString ValorElemento(const QString& texto, const QString& nombre);

// What is sent: to whom, from whom, with whose credentials.
struct TPeticionSMS {
    QString usuario;
    QString password;
    QString mensaje;    // as written; variables as "{field}"
    QString remitente;  // the sender's name
    QVector<TDestinatari> destinos;
    TVariablesSMS variables;  // empty for typed numbers
};

// The whole protocol behind one progress level: authorisation, delivery, report. resultado keeps
// what was done also when an error of the accounting endpoint ends the send.
void EnviaSMS(const TServicioSMS& servicio, const TPeticionSMS& peticion,
              TRespostaSendSMS& resultado);

// The gateway the wizard uses, named in every report.
inline constexpr const char* kProveedorSMS = "Trevana";

}  // namespace zmk
