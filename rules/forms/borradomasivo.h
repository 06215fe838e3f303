#pragma once
// "Borrado masivo de datos": the 22 kinds of data of the current centre a user may empty in one
// go, with the boxes other boxes force shown checked and disabled.
#include <QDialog>
#include <array>

#include "rules/borradomasivo.h"

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace zmk {

class TFRMBorradoMasivo : public QDialog {
  public:
    explicit TFRMBorradoMasivo(QWidget* parent = nullptr);

    // The box of a kind of data (TCasillaBorrado).
    QCheckBox* Casilla(int casilla) const { return casillas_[size_t(casilla)]; }
    const TCasillasBorrado& Casillas() const { return estado_; }

    QGroupBox* gbDatosABorrar = nullptr;
    QPushButton* bbBorrar = nullptr;
    QPushButton* bbCancelar = nullptr;

  private:
    void cbSelTablaClick(int casilla, bool marcada);
    // Runs the deletion; a committed run closes the form, a refused one leaves it as it was.
    void bbBorrarClick();
    // The boxes as the rule left them; "Borrar" only with something to delete.
    void MuestraCasillas();

    std::array<QCheckBox*, kNumCasillasBorrado> casillas_{};
    TCasillasBorrado estado_;
};

}  // namespace zmk
