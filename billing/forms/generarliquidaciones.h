#pragma once
// "Generador de liquidaciones": one settlement for a period, or one covering chosen months.
#include <QDialog>

#include "billing/liquidaciones.h"

class QDateEdit;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zmk {

class TFRMGenerarLiquidaciones : public QDialog {
  public:
    explicit TFRMGenerarLiquidaciones(QWidget* parent = nullptr);

    // The logic's form with the controls' values.
    TFormGenerarLiquidaciones Form() const;

    QDateEdit* dtpFechaLiquidacion = nullptr;
    QLineEdit* edDescripcion = nullptr;
    QRadioButton* rbPeriodo = nullptr;
    QDateEdit* dtpFechaInicial = nullptr;
    QDateEdit* dtpFechaFinal = nullptr;
    QRadioButton* rbMensual = nullptr;
    QListWidget* clbMeses = nullptr;
    QPushButton* bbAceptar = nullptr;
    QPushButton* bbCancelar = nullptr;

  private:
    // The dates and the month list follow the settlement date and the choice.
    void Cambiado();
};

bool MostrarGenerarLiquidaciones();

}  // namespace zmk
