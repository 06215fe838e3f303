#pragma once
// TCCFRMRestaurarCopiaSeg: the restore dialog. Opens a backup (all its volumes), shows its files
// and its data, and restores the ticked files, or one file from the popup menu.
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <memory>

#include "maintenance/backup_installation.h"

namespace zmk {

class TTorvan_Zip_Lister;
class TRestaurador;

class TCCFRMRestaurarCopiaSeg : public QDialog {
  public:
    explicit TCCFRMRestaurarCopiaSeg(const TBackupInstallation& installation,
                                     QWidget* parent = nullptr);
    ~TCCFRMRestaurarCopiaSeg() override;

    QPushButton* btnSeleccionar;
    QLabel* tiFileName;
    QLabel* lblTitle;
    QTabWidget* pcPaginas;
    QTreeWidget* lvArchivos;
    QAction* ActRecuperarArchivo;
    QAction* ActRecuperarArchivoComo;
    QPushButton* btnSeleccionarTodos;
    QLabel* lblSeleccionados;
    QLabel* lblArchivos;
    QLabel* lblFechaCopia;
    QLabel* lblComentarios;
    QLabel* lblTamanoArchivo;
    QLabel* lblTamanoOriginal;
    QPushButton* btnRecuperar;
    QPushButton* btnVerificar;
    QPushButton* btnCancelar;

    // "&Seleccionar Copia de Seguridad"; OpenBackup reads the file given.
    void btnSeleccionarClick();
    void OpenBackup(const QString& path);
    // "&Recuperar Archivos".
    void btnRecuperarClick();
    void ActRecuperarArchivoExecute();
    void ActRecuperarArchivoComoExecute();
    void btnVerificarClick();

    bool Foreign() const { return foreign_; }
    // Whether any file was restored (the caller reloads resources and the company list).
    bool Restored() const;

  private:
    void ShowBackup();
    void UpdateActions();
    void UpdateCount();
    QList<int> Marcadas() const;
    int SelectedEntry() const;
    void Protected(const std::function<void()>& operation);

    const TBackupInstallation& installation_;
    std::unique_ptr<TTorvan_Zip_Lister> lister_;
    std::unique_ptr<TRestaurador> restaurador_;
    bool foreign_ = false;
    bool restored_ = false;
};

}  // namespace zmk
