#pragma once
// "Hoja de notas del grupo": a row per enrolment, a column per concept or subconcept; each cell
// chooses among the concept's values (typing their first letters, or from the list).
#include <QDialog>

#include "classroom/hojanotas.h"

class QPushButton;
class QTableWidget;

namespace zmk {

class TFRMHojaNotas : public QDialog {
  public:
    explicit TFRMHojaNotas(THojaNotas& hoja, QWidget* parent = nullptr);

    QTableWidget* tabla = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbCerrar = nullptr;

    // What committing a cell does: the value completed and written, or the refusal shown and
    // the cell put back.
    void Asignar(int fila, int columna, const QString& escrito);

  private:
    void Rellenar();
    THojaNotas& hoja_;
    bool rellenando_ = false;
};

void MostrarHojaNotas(THojaNotas& hoja);

}  // namespace zmk
