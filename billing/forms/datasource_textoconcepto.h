#pragma once
// "Codificación del Concepto": the editor of a concept text with month and year tags, and a
// preview for an example month.
#include <QDialog>

#include "billing/textoconcepto.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace zmk {

class TFRMDataSource_TextoConcepto : public QDialog {
  public:
    explicit TFRMDataSource_TextoConcepto(const QString& texto, QWidget* parent = nullptr);

    QString Texto() const;
    // The 24 entries of the "INSERTAR CAMPO" menu.
    static QStringList CamposMenu();
    // Inserts the tag of a menu entry at the caret, as choosing it does.
    void InsertarCampo(const QString& entrada);

    QLineEdit* edTexto = nullptr;
    QPushButton* bbInsertarCampo = nullptr;
    QLineEdit* edEjemplo = nullptr;
    QButtonGroup* rgMesEjemplo = nullptr;
    QPushButton* bbAceptar = nullptr;
    QPushButton* bbCancelar = nullptr;

  private:
    void ActualizarEjemplo();
    int anyoEjemplo_ = 0;
};

// The data source the screens create under "TEXTO_CONCEPTO", with the editor on screen.
class TZMKDS_TextoConceptoQt : public TZMKDS_TextoConcepto {
  public:
    bool Execute(const QString& action) override;
};

}  // namespace zmk
