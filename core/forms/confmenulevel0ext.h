#pragma once
// TCCFRMConfMenuLevel0Ext: the main window's settings (title, picture, colours, window mode)
// with a live preview of the background.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QWidget>

#include "core/forms/fondo.h"

namespace zmk {

class TCCFRMConfMenuLevel0Ext : public QDialog {
  public:
    // The MDI options are enabled only when owner is a main window that allows MDI; the MDI box
    // starts with the owner's current mode.
    TCCFRMConfMenuLevel0Ext(QWidget* owner, QSettings& ini);

    TAjustesFondo Ajustes() const;
    void MuestraAjustes(const TAjustesFondo& ajustes);
    // "Valores por Defecto": keeps the window-mode options.
    void ValoresPorDefecto();
    void SetColorTitulo(const QColor& color);
    void SetColorFondo(const QColor& color);
    // Writes the settings and [INIT] "RememberMDIOption".
    void accept() override;
    // The mode the dialog answers: the checked one after OK, the current one otherwise.
    bool ModoMDI() const;
    const QImage& VistaPrevia() const { return vista_; }

  private:
    void Actualiza();
    QSettings& ini_;
    bool mdi_actual_ = false;
    bool permite_mdi_ = false;
    QRadioButton* rbTituloEmpresa_;
    QRadioButton* rbEtiqueta_;
    QLineEdit* edTitulo_;
    QPushButton* btnColorTitulo_;
    QRadioButton* rbLogoEmpresa_;
    QRadioButton* rbArchivo_;
    QLineEdit* edArchivo_;
    QCheckBox* chkAjustar_;
    QCheckBox* chkTituloEncima_;
    QCheckBox* chkImagenPredefinida_;
    QPushButton* btnColorFondo_;
    QCheckBox* chkMDI_;
    QCheckBox* chkAlinear_;
    QCheckBox* chkRecordar_;
    QLabel* lblVista_;
    bool aceptado_ = false;
    QImage vista_;
    int color_titulo_ = 0;
    int color_fondo_ = 0;
};

// Shows the dialog; on OK writes the settings and the INI's [INIT] "RememberMDIOption".
// Returns the window mode wanted (true: several windows); Cancel returns the current one.
bool ShowAjustesFormularioPrincipal(QWidget* owner, QSettings& ini);

// The whole menu action: the dialog, then, when the wanted mode differs from the running one,
// shared text 1003 and [INIT] "MDI" = the wanted mode (it applies at the next start).
void ConfiguraFormularioPrincipal(QWidget* owner, QSettings& ini);

}  // namespace zmk
