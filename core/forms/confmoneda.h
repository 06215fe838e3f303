#pragma once
// TCCFRMConfMoneda: the currency of the open company database.
#include <QDialog>
#include <QLineEdit>
#include <QWidget>

#include "core/divisa.h"

namespace zmk {

class TCCFRMConfMoneda : public QDialog {
  public:
    explicit TCCFRMConfMoneda(QWidget* parent = nullptr);
    TConfigMoneda Valores() const;
    void MuestraValores(const TConfigMoneda& config);
    // "Por defecto": the default values in the boxes, nothing stored.
    void PorDefecto() { MuestraValores(ConfigMonedaPorDefecto()); }
    // Asks, checks and stores; stays open on No or on a refused value.
    void accept() override;

  private:
    QLineEdit* nombre_;
    QLineEdit* nombreLargo_;
    QLineEdit* decimalesPrecio_;
    QLineEdit* decimalesTotal_;
    QLineEdit* mascara_;
    QLineEdit* mascaraEdicion_;
};

// Shows the dialog; true when the changes were applied.
bool ShowMonedaDialog(QWidget* parent);

}  // namespace zmk
