#pragma once
// TccFRMUserValues: the editor of one user of a password store: name, password, full name,
// properties and, for a company's users, the rights grid over the program's tables.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "maintenance/passwords.h"

namespace zmk {

enum class TUserEdit { Add, Modify, Delete };

class TccFRMUserValues : public QDialog {
  public:
    // tables: "T01Alumnos=Alumnos", ...; the grid shows only for a store with rights.
    TccFRMUserValues(TCustomZMKPasswords& store, TUserEdit mode, const QString& userName,
                     const QStringList& tables, QWidget* parent = nullptr);

    QLabel* lblCaption;
    QLineEdit* ebUsuario;
    QCheckBox* cbCambiarPassword;
    QLineEdit* ebPassword;
    QLineEdit* ebNombre;
    QListWidget* clbPropiedades;
    QTableWidget* sgPermisos;
    QPushButton* bbAceptar;
    QPushButton* bbCancelar;

    // Double click on a right: toggles it, seeing following the others.
    void ToggleRight(int row, int column);
    // "Aceptar": checks the name and password, writes the user (and its rights), closes.
    void bbAceptarClick();
    TTablesUserRights Rights() const { return rights_; }

  private:
    void ShowRights();
    TCustomZMKPasswords& store_;
    TUserEdit mode_;
    TUserValues user_;
    QStringList tables_;
    TTablesUserRights rights_;
};

}  // namespace zmk
