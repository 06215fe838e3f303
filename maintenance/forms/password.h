#pragma once
// TccFRMPassword: the login dialog of a password store. A refused login says only that the name
// or the password is wrong; after three refusals each further try waits a moment.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "maintenance/passwords.h"

namespace zmk {

class TccFRMPassword : public QDialog {
  public:
    explicit TccFRMPassword(TCustomZMKPasswords& store, QWidget* parent = nullptr);

    QLabel* lblTitulo;
    QLineEdit* ebUsuario;
    QLineEdit* ebPassword;
    QPushButton* bbAceptar;
    QPushButton* bbCancelar;

    // "Aceptar": logs in and closes with OK, or says why not and keeps the dialog open.
    void bbAceptarClick();
    int FailedAttempts() const { return failed_; }
    // The wait after the third refusal (default 3 s; the tests shorten it).
    void SetRetryDelay(int ms) { retry_delay_ms_ = ms; }
    // What F1 shows: how to get in without the password, for this store.
    QString HelpText() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    TCustomZMKPasswords& store_;
    int failed_ = 0;
    int retry_delay_ms_ = 3000;
};

// Shows the dialog; true when a user logged in.
bool PideLogin(TCustomZMKPasswords& store, QWidget* parent = nullptr);

}  // namespace zmk
