#pragma once
// "Opciones": the billing options of the company database, page by page.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zmk {

class TFRMOpciones : public QDialog {
  public:
    // soloFacturar: the variant that shows only the "Facturar" page.
    explicit TFRMOpciones(bool soloFacturar = false, QWidget* parent = nullptr);

    // "Aceptar": writes every option (when a database is connected) and closes with OK.
    void BBAceptarClick();

    QTabWidget* pcPaginas = nullptr;
    // Varios
    QLineEdit* edCodigoAlumno = nullptr;
    QComboBox* cbFormatoFactura = nullptr;
    QPushButton* bbComprobarFacturas = nullptr;
    // Facturar
    QRadioButton* rbUnaPorAlumno = nullptr;
    QRadioButton* rbUnaPorMatricula = nullptr;
    QCheckBox* cbEvitarDuplicadosFecha = nullptr;
    QCheckBox* cbNumerarFacturas = nullptr;
    QCheckBox* cbAlumnoRelacionado = nullptr;
    QCheckBox* cbEvitarDuplicadosConceptos = nullptr;
    QCheckBox* cbNumerarAlCobrar = nullptr;
    QCheckBox* cbModificarFechaAlCobrar = nullptr;
    QCheckBox* cbPermitirManual = nullptr;
    QCheckBox* cbComprobarBajas = nullptr;
    QCheckBox* cbPadreOMadre = nullptr;
    QCheckBox* cbObligarSerie = nullptr;
    // Detalle del Recibo (Formato SEPA)
    QPlainTextEdit* mmConceptoSepa = nullptr;
    QListWidget* lbCampos = nullptr;
    QLabel* lblEjemplo = nullptr;
    // Detalle del Recibo (Formato Antiguo)
    QComboBox* cbLineasCabecera = nullptr;
    QComboBox* cbLineasPie = nullptr;
    QLineEdit* edCabecera[3] = {};
    QLineEdit* edCuerpo = nullptr;
    QLineEdit* edPie[2] = {};
    // Norma 19
    QRadioButton* rbN19SepaXML = nullptr;
    QRadioButton* rbN19Sepa = nullptr;
    QRadioButton* rbCuaderno19143 = nullptr;
    QRadioButton* rbCuaderno19154 = nullptr;
    QPushButton* bbAceptar = nullptr;
    QPushButton* bbCancelar = nullptr;

  protected:
    // The Delete key on the format list clears the choice.
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void Cargar();
    void HabilitarLineas();
    void ConceptoSepaCambiado();
    QString rotuloTipoN19_;
};

// Shows the dialog; true when the options were accepted.
bool MostrarOpciones(bool soloFacturar = false);

}  // namespace zmk
