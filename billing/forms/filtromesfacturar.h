#pragma once
// "Facturación": the month and year whose concepts the billing screens list.
#include <QDialog>
#include <optional>

#include "billing/textoconcepto.h"

class QButtonGroup;
class QPushButton;
class QSpinBox;

namespace zmk {

class TFRMFiltroMesFacturar : public QDialog {
  public:
    explicit TFRMFiltroMesFacturar(TMesAnyo inicial, QWidget* parent = nullptr);

    TMesAnyo Elegido() const;

    QSpinBox* seAnyo = nullptr;  // the read-only year box with its up-down, 2000..2100
    QButtonGroup* rgMes = nullptr;
    QPushButton* bbAceptar = nullptr;
    QPushButton* bbCancelar = nullptr;
};

std::optional<TMesAnyo> MostrarFiltroMesFacturar(TMesAnyo inicial);

}  // namespace zmk
