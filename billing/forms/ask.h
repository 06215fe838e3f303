#pragma once
// "Pregunta...": one question with Si / No / Cancelar and, when the caller gave a key,
// "&Responder siempre lo mismo".
#include <QDialog>

#include "billing/ask.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zmk {

class TFRMAsk : public QDialog {
  public:
    TFRMAsk(const QString& titulo, const QString& mensaje, int permitidas, bool mostrarSiempre,
            QWidget* parent = nullptr);

    // The answer of the button pressed (Cancelar when none was).
    TResultadoAsk Resultado() const;
    // Esc answers Cancelar, and only when Cancelar is allowed.
    void reject() override;

    QLabel* lblMensaje = nullptr;
    QPushButton* bbSi = nullptr;
    QPushButton* bbNo = nullptr;
    QPushButton* bbCancelar = nullptr;
    QCheckBox* cbSiempre = nullptr;

  private:
    void Responde(TRespuestaAsk respuesta);
    TRespuestaAsk respuesta_ = raCancelar;
};

TResultadoAsk MostrarDialogoAsk(const QString& titulo, const QString& mensaje, int permitidas,
                                bool mostrarSiempre);

}  // namespace zmk
