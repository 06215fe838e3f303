#pragma once
// "Formulario de envío de SMS": the SMS wizard over a screen's grid (list mode) or typed numbers
// (hand mode). The logic is TFormEnviaSMS; this window only shows it.
#include <QDialog>
#include <QVector>

#include "messaging/formularioenviasms.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

namespace zmk {

class TccFRMEnviaSMS : public QDialog {
  public:
    // Opens in hand mode on the typed numbers' page.
    explicit TccFRMEnviaSMS(QWidget* parent = nullptr);
    // List mode over the calling grid; loads the recipients (raises like GetIDsDelDBGrid).
    void ModoLista(const TOrigenAgenda& origen, TZMKDBGrid& grid);
    TFormEnviaSMS& Form() { return form_; }

    QTabWidget* pcPestanyes = nullptr;
    QWidget* tsDestinatariosGrid = nullptr;
    QRadioButton* rbActual = nullptr;
    QRadioButton* rbTodas = nullptr;
    QRadioButton* rbSegunSeleccion = nullptr;
    QLabel* stTotalRegs = nullptr;
    QVector<QCheckBox*> cbxTelefonos;  // the phones the table offers, when more than one
    QTabWidget* pcDestinatarios = nullptr;
    QListWidget* lbxDestinatarios = nullptr;
    QTableWidget* sgDatosDisponibles = nullptr;
    QWidget* tsDestinatariosManual = nullptr;
    QLineEdit* ebNewMovilManual = nullptr;
    QPushButton* bbAnadirMovil = nullptr;
    QPushButton* bbQuitarMovil = nullptr;
    QListWidget* lbMovilesManuales = nullptr;
    QLabel* lblMovilesManualesCount = nullptr;
    QWidget* tsMensaje = nullptr;
    QPlainTextEdit* mMensajeAEnviar = nullptr;
    QLineEdit* ebRemitente = nullptr;
    QLabel* lblNCarDisp = nullptr;
    QLabel* lblAvisoMensaje = nullptr;  // Unicode note or brace error
    QPushButton* bbInsertaCampo = nullptr;
    QMenu* pmCamposMensaje = nullptr;
    QPushButton* bbLeerMensaje = nullptr;
    QPushButton* bbGuardarMensaje = nullptr;
    QWidget* tsResumen = nullptr;
    QListWidget* lbxTelefonos = nullptr;
    QLabel* lblNTelefonos = nullptr;
    QPlainTextEdit* mMensajeResumen = nullptr;
    QWidget* tsIdentificacion = nullptr;
    QLineEdit* ebUsuario = nullptr;
    QLineEdit* ebPassword = nullptr;
    QPushButton* bbEnviar = nullptr;
    QLabel* lblCuentaWeb = nullptr;
    QWidget* tsRespuesta = nullptr;
    QPlainTextEdit* mLog = nullptr;
    QPushButton* bbEnviarMas = nullptr;
    QPushButton* bbGuardarResultado = nullptr;
    QWidget* tsMovistar = nullptr;
    QCheckBox* cbxSolicitaNotificacionEntrega = nullptr;
    QPushButton* bbDescargar = nullptr;
    QPushButton* bbAnterior = nullptr;
    QPushButton* bbSiguiente = nullptr;
    QPushButton* bbCerrar = nullptr;

    // The button actions, also for tests.
    void bbEnviarClick();
    void bbDescargarClick();
    void AnadirNumero();

  private:
    QWidget* PaginaDestinatariosGrid();
    QWidget* PaginaDestinatariosManual();
    QWidget* PaginaMensaje();
    QWidget* PaginaResumen();
    QWidget* PaginaIdentificacion();
    QWidget* PaginaRespuesta();
    QWidget* PaginaMovistar();
    QWidget* Pagina(TPaginaSMS pagina) const;

    void CargaDestinatarios();
    void MuestraDestinatarios();
    void MuestraManuales();
    void MarcaDestinatario(int fila, bool marcado);
    void MuestraLongitud();
    void MuestraResumen();
    void MuestraPaginas(bool enviando);
    void Navega(int paso);
    void PaginaCambiada();
    // Shows a failed check and takes the user to its control.
    void MuestraFallo(const TFalloSMS& fallo);
    void Sincroniza();

    TFormEnviaSMS form_;
    bool cargando_ = false;
};

// The wizard for "FormularioEnviarSMS".
void MostrarEnviaSMS(const TOrigenAgenda& origen, TZMKDBGrid& grid);

}  // namespace zmk
