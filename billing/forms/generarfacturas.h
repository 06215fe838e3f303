#pragma once
// "Generar Facturas": whom to bill (current, all or selected rows of the screen's grid), the
// month and year, the invoice date and series, and for a single student the concepts to bill.
#include <QDialog>

#include "billing/formgenerarfacturas.h"
#include "billing/generarfacturas.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;

namespace zmk {

class TFRMGenerarFacturas : public QDialog {
  public:
    TFRMGenerarFacturas(TZMKDBGrid& grid, int modo, QWidget* parent = nullptr);

    // False when the grid gave nothing to bill (the error has been shown).
    bool Valido() const { return valido_; }
    // The logic's form with the controls' values.
    const TFormGenerarFacturas& Form() const { return form_; }

    QLabel* lblCuenta = nullptr;
    QRadioButton* rbAlumno = nullptr;
    QRadioButton* rbTodos = nullptr;
    QRadioButton* rbSeleccionados = nullptr;
    QDateEdit* dtpFecha = nullptr;
    QSpinBox* seAnyo = nullptr;
    QComboBox* cbMes = nullptr;
    QPushButton* bbBorrarMes = nullptr;
    QComboBox* cbSerie = nullptr;
    QLabel* lblProximoNumero = nullptr;
    QCheckBox* cbSinMes = nullptr;
    QTabWidget* pcPaginas = nullptr;
    QWidget* tsOpciones = nullptr;
    QWidget* tsConceptos = nullptr;
    QPlainTextEdit* mmOpciones = nullptr;
    QTableWidget* sgConceptos = nullptr;
    QPushButton* bbMas = nullptr;
    QPushButton* bbMenos = nullptr;
    QPushButton* bbFacturarConcepto = nullptr;
    QPushButton* bbFacturar = nullptr;
    QPushButton* bbFacturarCobrar = nullptr;
    QPushButton* bbCancelar = nullptr;

  private:
    void Seleccionar();
    // Applies the enabling rules after every change.
    void Habilitar();
    void LlenarConceptos();
    void PintarFila(int fila);
    void SumarUnidades(int delta);
    void CambiarFacturar();
    void MesCambiado();
    void SerieCambiada();
    void Facturar(bool cobrar);

    TZMKDBGrid& grid_;
    TFormGenerarFacturas form_;
    bool valido_ = true;
    bool cargando_ = false;
};

bool MostrarGenerarFacturas(TZMKDBGrid& grid, int modo);

}  // namespace zmk
