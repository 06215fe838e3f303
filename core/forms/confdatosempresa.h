#pragma once
// TCCFRMConfDatosEmpresa: the company data of the open company database.
#include <QDialog>
#include <QLineEdit>
#include <QList>
#include <QWidget>

namespace zmk {

class TCCFRMConfDatosEmpresa : public QDialog {
  public:
    explicit TCCFRMConfDatosEmpresa(QWidget* parent = nullptr);
    // The nine boxes, in the order of DatosEmpresa().
    QLineEdit* Caja(int indice) const { return cajas_[indice]; }
    // "...": a picture for the logo, starting in the current logo's folder.
    void BuscaLogo();
    void accept() override;

  private:
    QList<QLineEdit*> cajas_;
};

// Shows the dialog; true when accepted (the data is stored and published again; the caller
// repaints the background).
bool ShowDatosEmpresaDialog(QWidget* parent);

}  // namespace zmk
