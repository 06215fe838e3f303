#pragma once
// The SMS wizard without widgets: its recipients, message, identification and log, the checks
// of its pages, the send with its log and final message, and the operator's file. The dialog
// (messaging/forms) and escolia-cli's sms command drive the same object.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "messaging/agendasms.h"
#include "messaging/enviosms.h"
#include "messaging/mensajesms.h"

namespace zmk {

class TZMKDBGrid;

enum class TPaginaSMS {
    DestinatariosGrid,
    DestinatariosManual,
    Mensaje,
    Resumen,
    Identificacion,
    Respuesta,
    Movistar
};
enum class TControlSMS { Destinatarios, Mensaje, Usuario, Password };

// A page check that failed: its message, and where the user has to go.
struct TFalloSMS {
    TPaginaSMS pagina;
    TControlSMS control;
    QString texto;
};

class TFormEnviaSMS {
  public:
    // Hand mode, with the stored user, password and sender.
    TFormEnviaSMS();

    // List mode over a screen's grid. The scope starts on the selection when the grid has two or
    // more selected rows (then it may be chosen), else on the current record.
    void ModoLista(const TOrigenAgenda& origen, TZMKDBGrid& grid);
    bool ModoListaActivo() const { return grid_ != nullptr; }
    const TOrigenAgenda& Origen() const { return origen_; }
    bool SeleccionDisponible() const;
    TModoSeleccionGrid Ambito() const { return ambito_; }
    // The phone columns the table offers, and which of them receive (the first one alone at
    // first).
    const QVector<TTelefonoAgenda>& TelefonosDisponibles() const { return telefonos_; }
    QVector<bool> telefonosElegidos;
    // Reloads the recipients for a scope; returns the number of records ("stTotalRegs").
    int CargarDestinatarios(TModoSeleccionGrid ambito);
    int TotalRegistros() const { return totalRegistros_; }

    TAgendaSMS agenda;
    QString mensaje;
    QString remitente;  // at most kMaxRemitente characters
    QString usuario;    // at most kMaxIdentificacion characters, as the password
    QString password;
    bool notificacionEntrega = false;
    static constexpr int kMaxRemitente = 11;
    static constexpr int kMaxIdentificacion = 15;

    // The personalised message of a recipient (hand mode: the message itself).
    QString MensajeDe(int fila) const;
    // The tightest text to send (fewest characters left) and its alphabet; raises on unmatched
    // braces.
    TLongitudSMS Longitud() const;

    // The checks of "&Enviar" in their order; "Descargar" runs the first three.
    std::optional<TFalloSMS> Comprueba(bool identificacion) const;

    // Confirms ("Confirm_send"; No raises EAbort) and sends, logging as it goes. Raises when the
    // service is not configured (before asking), or when the accounting endpoint fails (after
    // logging it). Returns the outcome; the final message has been shown and the settings
    // stored.
    TRespostaSendSMS Enviar();

    // The log of the last send: "dd/mm/yyyy hh:nn:ss text", details indented by three blanks.
    const QStringList& Log() const { return log_; }
    QString TextoLog() const { return log_.join(u'\n'); }
    // Each log line as it is written; and the start (true) and end (false) of a send.
    std::function<void(const QString& linea)> alAnotar;
    std::function<void(bool enviando)> alEnviar;

    // The operator's bulk-sending file: one line "phone#notify#message" per selected recipient.
    // Asks before replacing an existing file (No stops with EAbort).
    void Descargar(const QString& archivo) const;

  private:
    void Anota(const QString& texto, const QString& detalle = QString());
    void GuardaAjustes(bool conPassword) const;

    TOrigenAgenda origen_;
    TZMKDBGrid* grid_ = nullptr;
    TModoSeleccionGrid ambito_ = msgActual;
    QVector<TTelefonoAgenda> telefonos_;
    int totalRegistros_ = 0;
    QStringList log_;
};

// Text files of the wizard (message, log): written whole or not at all; read as UTF-8 or, when
// that fails, Latin-1.
void GuardaTextoSMS(const QString& archivo, const QString& texto);
QString LeeTextoSMS(const QString& archivo);
// The name with ".txt" added when it has no extension.
QString ConExtensionTxt(const QString& archivo);

// The wizard on screen for "FormularioEnviarSMS"; empty: the prompt-service questions.
using TDialogoEnviaSMS = std::function<void(const TOrigenAgenda& origen, TZMKDBGrid& grid)>;
TDialogoEnviaSMS SetDialogoEnviaSMS(TDialogoEnviaSMS dialogo);

}  // namespace zmk
