#include "billing/ask.h"

#include <algorithm>

#include "host/prompt.h"

namespace zmk {
namespace {

bool MismaClave(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool Permitida(TRespuestaAsk respuesta, int permitidas) {
    return (permitidas & (1 << respuesta)) != 0;
}

TResultadoAsk DialogoPorPrompt(const QString& titulo, const QString& mensaje, int permitidas,
                               bool mostrarSiempre) {
    TQuestion pregunta{titulo, mensaje, {}, TMsgIcon::Question, TMsgButton::None};
    if (permitidas & kPermiteSi) pregunta.buttons.push_back(TMsgButton::Yes);
    if (permitidas & kPermiteNo) pregunta.buttons.push_back(TMsgButton::No);
    if (permitidas & kPermiteCancelar) pregunta.buttons.push_back(TMsgButton::Cancel);
    TMsgButton boton = Prompt().Ask(pregunta);
    TResultadoAsk r{boton == TMsgButton::Yes  ? raSi
                    : boton == TMsgButton::No ? raNo
                                              : raCancelar,
                    false};
    if (mostrarSiempre)
        r.siempre = Prompt().Ask(TQuestion{titulo,
                                           QStringLiteral("Responder siempre lo mismo"),
                                           {TMsgButton::Yes, TMsgButton::No},
                                           TMsgIcon::Question,
                                           TMsgButton::No}) == TMsgButton::Yes;
    return r;
}

TDialogoAsk& Dialogo() {
    static TDialogoAsk dialogo = DialogoPorPrompt;
    return dialogo;
}

}  // namespace

void TListAsk::Add(const QString& clave, TRespuestaAsk respuesta, bool recordar) {
    // Lookups run from the last record, so a replaced record keeps its place.
    for (auto it = registros_.rbegin(); it != registros_.rend(); ++it) {
        if (MismaClave(it->clave, clave)) {
            it->respuesta = respuesta;
            it->recordar = recordar;
            return;
        }
    }
    registros_.push_back(TRegistro{clave, respuesta, recordar});
}

const TListAsk::TRegistro* TListAsk::Find(const QString& clave) const {
    for (auto it = registros_.rbegin(); it != registros_.rend(); ++it)
        if (MismaClave(it->clave, clave)) return &*it;
    return nullptr;
}

void TListAsk::Remove(const QString& clave) {
    for (auto it = registros_.rbegin(); it != registros_.rend(); ++it) {
        if (MismaClave(it->clave, clave)) {
            registros_.erase(std::next(it).base());
            return;
        }
    }
}

TListAsk& ListAsk() {
    static TListAsk lista;
    return lista;
}

void SetDialogoAsk(TDialogoAsk dialogo) {
    Dialogo() = dialogo ? std::move(dialogo) : TDialogoAsk(DialogoPorPrompt);
}

TRespuestaAsk Preguntar(const QString& titulo, const QString& mensaje, int permitidas,
                        const QString& clave) {
    const TListAsk::TRegistro* recordada = ListAsk().Find(clave);
    if (recordada && recordada->recordar && Permitida(recordada->respuesta, permitidas))
        return recordada->respuesta;
    TResultadoAsk r = Dialogo()(titulo, mensaje, permitidas, !clave.isEmpty());
    // Also an answer not to be repeated is recorded, replacing one remembered before; without a
    // key nothing is ever reused.
    ListAsk().Add(clave, r.respuesta, r.siempre && !clave.isEmpty());
    return r.respuesta;
}

void OlvidarRespuesta(const QString& clave) {
    ListAsk().Remove(clave);
}

}  // namespace zmk
