#pragma once
// TccFRMAsistenteMDI: the first-run question, single window or several windows.
#include <QCheckBox>
#include <QDialog>
#include <QSettings>
#include <QWidget>

namespace zmk {

class TccFRMAsistenteMDI : public QDialog {
  public:
    TccFRMAsistenteMDI(QWidget* parent, QSettings& ini);
    // Writes [INIT] "MDI" and closes: Yes (accepted) for several windows, No for a single one.
    void Elige(bool mdi);

  private:
    QSettings& ini_;
};

// Asks how to work; writes [INIT] "MDI" with the choice and [INIT] "RememberMDIOption" with
// the check box as it is clicked. True: several windows (MDI). Closed without a choice: the
// stored mode, nothing written.
bool PreguntaModoVentana(QWidget* parent, QSettings& ini);

// Whether the question is due: MDI allowed, a screen at least 1024 pixels wide and
// [INIT] "RememberMDIOption" missing or false.
bool DebePreguntarModoVentana(bool allowMDI, int screenWidth, QSettings& ini);

}  // namespace zmk
