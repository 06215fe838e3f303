#pragma once
// TccFRMPasswords: the users of a password store, whether login is required, and the editor
// for new, changed and deleted users.
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>

#include "maintenance/forms/uservalues.h"

namespace zmk {

class TccFRMPasswords : public QDialog {
  public:
    TccFRMPasswords(TCustomZMKPasswords& store, QStringList tables, QWidget* parent = nullptr);

    QTreeWidget* lvUsuarios;
    QCheckBox* cbRequerirUsuario;
    QPushButton* bbNuevo;
    QPushButton* bbModificar;
    QPushButton* bbBorrar;
    QPushButton* bbCerrar;

    void Refresh();
    void Nuevo();
    void Modificar();
    void Borrar();
    void SetRequerirUsuario(bool need);
    // How the editor is shown (modal by default; the tests answer it in place).
    std::function<int(TccFRMUserValues&)> runEditor;

  private:
    void Edit(TUserEdit mode, const QString& userName);
    QString SelectedUser() const;
    void Changed();
    TCustomZMKPasswords& store_;
    QStringList tables_;
    bool told_ = false;
};

}  // namespace zmk
