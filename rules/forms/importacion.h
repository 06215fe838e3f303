#pragma once
// "IMPORTACIÓN DE DATOS DESDE ARCHIVOS EXTERNOS": the students of a spreadsheet, text file or
// database, mapped field by field onto the students' table (a column of the file or a fixed
// value), looked at one row at a time, checked, and imported as new students of the current
// centre. The work is TFormImportacion's; the dialog shows it and passes the user's choices.
#include <QDialog>
#include <memory>

#include "rules/comprobacionimportacion.h"
#include "rules/formimportacion.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTableWidget;

namespace zmk {

class TTablaOrigenModel;

class TFRMImportacion : public QDialog {
  public:
    explicit TFRMImportacion(QWidget* parent = nullptr);
    ~TFRMImportacion() override;

    // Asks for the file and opens it; answers whether a table was loaded. A file that cannot
    // be read raises.
    bool AbrirOrigen();
    bool AbrirOrigen(const QString& archivo);
    // Loads the named table of the open file and rebuilds the mapping from its defaults.
    void CargarTabla(const QString& nombre);

    // The field chosen in the check list gets a column of the source (or, with -1, a fixed value
    // asked for); without a chosen field it says so.
    void sbAsignarCampoOrigenClick();
    void AsignarOrigen(int columna);
    // Imports the rows the scope chooses, through the import's own run and question.
    void sbImportarClick();
    // Saves the check's list as CSV under a name the user gives.
    void sbGuardarComprobacionClick();

    const TFormImportacion& Importacion() const { return importacion_; }
    const TComprobacionImportacion& Comprobacion() const { return comprobacion_; }

    QLabel* lblNombreArchivo = nullptr;
    QComboBox* cbxSelTabla = nullptr;
    QTabWidget* pcPestanyes = nullptr;
    QWidget* tsDatos = nullptr;  // "Campos"
    QListWidget* lbxCamposDisponibles = nullptr;
    QPushButton* sbAsignarCampoOrigen = nullptr;
    QWidget* tsCampos = nullptr;  // "Datos"
    QTableView* dbGridDatos = nullptr;
    QLabel* lblValoresCampos = nullptr;
    QTableWidget* sgValoresCampos = nullptr;
    QWidget* tsComprobar = nullptr;
    QGroupBox* rgRegistrosAComprobar = nullptr;
    QLabel* lblResumenComprobacion = nullptr;
    QTableWidget* sgComprobacion = nullptr;
    QPushButton* sbGuardarComprobacion = nullptr;
    QWidget* tsImportar = nullptr;
    QGroupBox* rgRegistrosAImportar = nullptr;
    QPushButton* sbImportar = nullptr;
    QPushButton* bbAnterior = nullptr;
    QPushButton* bbSiguiente = nullptr;
    QPushButton* bbCerrar = nullptr;
    QMenu* pmCamposDestino = nullptr;
    // The scope's buttons in the order "Actual", "Selección", "Todos": the import's and the
    // check's, which follow each other.
    QRadioButton* rbImportar[3] = {};
    QRadioButton* rbComprobar[3] = {};

  private:
    void CrearPaginaCampos();
    void CrearPaginaDatos();
    void CrearPaginaComprobar();
    void CrearPaginaImportar();
    QLayout* CrearBotones();

    TRegistrosAImportar Ambito() const;
    void FijarAmbito(int boton);
    int FilaActual() const;
    QList<int> FilasSeleccionadas() const;

    // After every change of the mapping: the check list, the preview, the stale check.
    void RefrescarCampos();
    void RefrescarVista();
    void RefrescarComprobacion();
    void CampoMarcado(QListWidgetItem* item);
    void PaginaCambiada(int pagina);
    void MostrarMenuOrigen();

    TFormImportacion importacion_;
    TComprobacionImportacion comprobacion_;
    TTablaOrigenModel* modelo_ = nullptr;
    bool cargando_ = false;  // the list is being filled: its changes are not the user's
};

}  // namespace zmk
