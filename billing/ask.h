#pragma once
// Questions asked once per record of a long operation, with the answer remembered per key when
// the user ticks "Responder siempre lo mismo".
//
// Without the screen engine the dialog is two questions through the prompt service: the
// question itself with the allowed buttons (yes, no, cancel), then, only when the caller gave a
// key, "Responder siempre lo mismo" with yes/no (default no) standing for the check box. A
// scripted run therefore answers "yes" "yes" for "Sí, and always the same", and "yes" alone (the
// second question then takes its default, no) for a single "Sí".
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace zmk {

enum TRespuestaAsk { raSi = 0, raNo = 1, raCancelar = 2 };

// Allowed answers as a bit mask.
constexpr int kPermiteSi = 1;
constexpr int kPermiteNo = 2;
constexpr int kPermiteCancelar = 4;
constexpr int kPermiteTodas = kPermiteSi | kPermiteNo | kPermiteCancelar;

// The answers given so far, one record per key (keys compare without regard to case).
class TListAsk {
  public:
    struct TRegistro {
        QString clave;
        TRespuestaAsk respuesta;
        bool recordar;
    };

    // Replaces the record of the same key in place, or appends one.
    void Add(const QString& clave, TRespuestaAsk respuesta, bool recordar);
    // The record of the key, or nullptr.
    const TRegistro* Find(const QString& clave) const;
    void Remove(const QString& clave);
    void Clear() { registros_.clear(); }
    int Count() const { return int(registros_.size()); }

  private:
    std::vector<TRegistro> registros_;
};

// The program's list.
TListAsk& ListAsk();

// What the dialog returns: the answer and the state of the check box.
struct TResultadoAsk {
    TRespuestaAsk respuesta;
    bool siempre;
};
// Shows the dialog; mostrarSiempre tells whether the check box is offered.
using TDialogoAsk = std::function<TResultadoAsk(const QString& titulo, const QString& mensaje,
                                                int permitidas, bool mostrarSiempre)>;
// Installs the dialog (the screens install the form); an empty function restores the questions
// through the prompt service.
void SetDialogoAsk(TDialogoAsk dialogo);

// Asks, unless the key has a remembered answer that is allowed; records the answer given.
TRespuestaAsk Preguntar(const QString& titulo, const QString& mensaje, int permitidas,
                        const QString& clave);
// Forgets the answer of a key.
void OlvidarRespuesta(const QString& clave);

}  // namespace zmk
