#pragma once
// The company-database wizard: a page control with hidden tabs walked with "&Anterior" and
// "&Siguiente"; it collects what the selection dialog then carries out.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVector>

#include "core/empresasacciones.h"

namespace zmk {

class TCCFRMEditDataBase : public QDialog {
  public:
    enum TPagina {
        pgNombre,
        pgAccion,
        pgUbicar,
        pgImportar,
        pgModificar,
        pgBorrado,
        pgInformacion,
        pgConfirmacion
    };

    TCCFRMEditDataBase(int modo, const TDataBaseEntry& entry, QWidget* parent = nullptr);

    int Modo() const { return modo_; }
    int Pagina() const { return paginas_->currentIndex(); }
    int Accion() const { return accion_; }
    // The new entry: name, file and rights file as given on the pages.
    TDataBaseEntry Entry() const;
    QString ArchivoImportar() const { return edImportarOrigen->text().trimmed(); }
    // The entry is the open database: its file may be unlinked but not deleted.
    void SetAbierta(bool value) { abierta_ = value; }

    // Moves on; a refused page shows its message and stays. Returns whether it moved.
    bool Siguiente();
    void Anterior();

    QLabel* lblTitulo;
    QLabel* lblExplicacion;
    QLabel* lblEstado;
    QLabel* lblResumen;
    QLineEdit* edNombre;
    QRadioButton* rbNueva;
    QRadioButton* rbImportar;
    QRadioButton* rbUbicar;
    QLineEdit* edUbicar;
    QLineEdit* edImportarOrigen;
    QLineEdit* edImportarDestino;
    QLineEdit* edModNombre;
    QLineEdit* edModArchivo;
    QLineEdit* edModPermisos;
    QRadioButton* rbQuitarVinculo;
    QRadioButton* rbBorrarArchivo;
    QLabel* lblInfo;
    QPushButton* btnAnterior;
    QPushButton* btnSiguiente;
    QPushButton* btnCopiar;

  private:
    QWidget* Pagina(const QVector<QWidget*>& widgets);
    QWidget* ConArchivo(QLineEdit* edit);
    void Muestra(int pagina);
    int PaginaSiguiente();
    QString Resumen() const;

    int modo_;
    TDataBaseEntry entry_;
    QString nuevo_archivo_;
    int accion_ = -1;
    bool abierta_ = false;
    QStackedWidget* paginas_;
    QVector<int> historial_;
};

}  // namespace zmk
