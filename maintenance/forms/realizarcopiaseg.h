#pragma once
// TCCFRMRealizarCopiaSeg: the backup dialog. The company databases to copy, the description and
// whether the resource file goes too; the archive is written as volumes sized to the target.
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include "maintenance/backup_installation.h"

namespace zmk {

class TCCFRMRealizarCopiaSeg : public QDialog {
  public:
    // currentIndex: the open company's entry (-1: none, all are ticked).
    TCCFRMRealizarCopiaSeg(const TBackupInstallation& installation, int currentIndex,
                           QWidget* parent = nullptr);

    QTreeWidget* lvArchivos;
    QLineEdit* eTextZip;
    QCheckBox* cbIncluirArchivoRecursos;
    QPushButton* btnMarcarTodo;
    QPushButton* btnDesmarcarTodo;
    QPushButton* btnRealizarCopia;
    QPushButton* btnCancelar;
    QFrame* pnlZipping;
    QLabel* lblInfo;
    QLabel* tiActFileName;
    QProgressBar* pbZipping;

    void MarcarTodo(bool checked);
    QList<int> Marcadas() const;
    // "Realizar &Copia": asks for the file and makes the backup.
    void btnRealizarCopiaClick();

  private:
    void ShowFileName(const QString& path);
    const TBackupInstallation& installation_;
};

}  // namespace zmk
