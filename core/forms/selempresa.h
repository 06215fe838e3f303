#pragma once
// The company-database selection dialog: the list (older versions blue, newer red) and the
// actions that open, create, duplicate, import, link, rename and delete databases.
#include <QAction>
#include <QColor>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "core/empresas.h"

namespace zmk {

class TCCFRMEditDataBase;

class TFRMSelEmpresa : public QDialog {
  public:
    explicit TFRMSelEmpresa(TEmpresasBD& empresas, QWidget* parent = nullptr);

    void RellenaLista();
    // Colour of a line's text by the entry's version.
    QColor ColorLinea(int row) const;
    // Runs the wizard in a mode on the selected entry and carries out its action.
    void LanzaAsistente(int modo);
    // Shows the wizard; tests answer it without a window. Default: exec().
    std::function<int(TCCFRMEditDataBase&)> ejecutaAsistente;

    QListWidget* lista;
    QAction* ActAnadir;
    QAction* ActModificar;
    QAction* ActBorrar;
    QAction* ActDuplicar;
    QAction* ActSeleccionar;
    QAction* ActInfoBD;
    QAction* ActSinBD;
    QPushButton* btnImportar;
    QPushButton* btnCerrar;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ActSeleccionarExecute();
    void ActualizaAcciones();
    void ImportarExecute();
    // Runs an operation; its error is shown and the list refilled in every case.
    void Protegido(const std::function<void()>& operation);
    TEmpresasBD& empresas_;
    bool activada_ = false;
};

}  // namespace zmk
