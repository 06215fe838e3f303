#pragma once
// "Facturas": one action (collect, return, delete, cancel a return or a collection) and/or
// printing, over the current, all or the selected invoices of the invoices' grid.
#include <QDialog>

#include "billing/formfuncionesfacturas.h"
#include "billing/funcionesfacturas.h"
#include "billing/grid.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zmk {

class TZMKDBGrid;

class TFRMFuncionesFacturas : public QDialog {
  public:
    explicit TFRMFuncionesFacturas(TZMKDBGrid& grid, QWidget* parent = nullptr);

    // The logic's form with the controls' values.
    TFormFuncionesFacturas Form() const;
    TAccionFactura Accion() const;

    QRadioButton* rbActual = nullptr;
    QRadioButton* rbTodas = nullptr;
    QRadioButton* rbSeleccion = nullptr;
    QLabel* lblRegistros = nullptr;
    QRadioButton* rbDevolver = nullptr;
    QDateEdit* dtpFechaDevolucion = nullptr;
    QRadioButton* rbCobrar = nullptr;
    QDateEdit* dtpFechaCobro = nullptr;
    QComboBox* cbFormaCobro = nullptr;
    QRadioButton* rbBorrar = nullptr;
    QCheckBox* cbDesfacturar = nullptr;
    QRadioButton* rbAnularDevolucion = nullptr;
    QRadioButton* rbAnularCobro = nullptr;
    QCheckBox* cbImprimir = nullptr;
    QPushButton* bbAceptar = nullptr;
    QPushButton* bbCancelar = nullptr;

  private:
    void Seleccionar();
    void Habilitar();
    void BBAcceptarClick();

    TZMKDBGrid& grid_;
    TFormFuncionesFacturas form_;
};

bool MostrarFuncionesFacturas(TZMKDBGrid& grid);

}  // namespace zmk
