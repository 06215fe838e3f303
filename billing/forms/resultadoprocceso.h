#pragma once
// "Resultado actualización de la base de datos": the SEPA check's report, accepted or discarded.
#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace zmk {

class TFRMResultadoProcceso : public QDialog {
  public:
    explicit TFRMResultadoProcceso(const QStringList& informe, QWidget* parent = nullptr);

    // Writes the report to a text file; raises, with the reason, when it cannot be written.
    void GuardarComo(const QString& fichero) const;

    QPlainTextEdit* mmInforme = nullptr;
    QPushButton* bbAceptar = nullptr;
    QPushButton* bbCancelar = nullptr;

  private:
    QStringList informe_;
};

bool MostrarInformeSEPA(const QStringList& informe);

}  // namespace zmk
