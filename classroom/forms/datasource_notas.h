#pragma once
// "Lista de Valores": the editor of a concept definition, one subconcept and one possible value
// per line, with their counts.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zmk {

class TFRMDataSource_Notas : public QDialog {
  public:
    TFRMDataSource_Notas(const QStringList& subconceptos, const QStringList& valores,
                         bool valoresPrimero, QWidget* parent = nullptr);

    QStringList Subconceptos() const;
    QStringList Valores() const;

    QPlainTextEdit* memoConceptos = nullptr;
    QPlainTextEdit* MemoValores = nullptr;
    QLabel* lblConceptosCount = nullptr;
    QLabel* lblValoresCount = nullptr;
    QPushButton* bbAceptar = nullptr;
    QPushButton* bbCancelar = nullptr;

  private:
    void ActualizarContadores();
    // "Aceptar (F12)": closes with OK when the lists fit in the field, else says why.
    void ActAceptarExecute();
};

// Edits the lists on screen; the dialog the data source "MATRICULAS_MODIFICA_NOTAS" shows.
bool MostrarDataSourceNotas(QStringList& subconceptos, QStringList& valores, bool valoresPrimero);

}  // namespace zmk
