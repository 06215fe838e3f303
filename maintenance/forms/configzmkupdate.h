#pragma once
// TFRMConfigZMKUpdate: "Actualizaciones automáticas": how often the program looks for updates,
// whether it asks before updating, the proxy, the last contact and update, and "Actualizar
// ahora".
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "maintenance/updateexe.h"

namespace zmk {

class TFRMConfigZMKUpdate : public QDialog {
  public:
    explicit TFRMConfigZMKUpdate(TZMKUpdateExe& update, QWidget* parent = nullptr);

    QComboBox* cbActualizacionsTiempo;
    QCheckBox* cbAlertOnUpdate;
    QCheckBox* cbUseProxy;
    QLineEdit* ebProxyServer;
    QLineEdit* ebProxyPort;
    QLabel* lblUltimaConexion;
    QLabel* lblUltimaActualizacion;
    QLabel* lblServicio;  // shown when the installation names no update service
    QCheckBox* cbForzarDescarga;
    QPushButton* bbActualizarAhora;
    QPushButton* bbAceptar;
    QPushButton* bbCancelar;

    // "Actualizar ahora": optionally forgetting the last updates, a manual check with the user,
    // through the proxy as typed (the stored one again afterwards).
    void bbActualizarAhoraClick();
    // "Aceptar": checks the proxy, stores every setting and applies the proxy at once.
    void bbAceptarClick();
    void RefreshDates();

  private:
    // The proxy as typed: empty server and port 0 when none is used; refuses what is not valid.
    std::pair<QString, int> TypedProxy() const;
    TZMKUpdateExe& update_;
};

// Applies the stored proxy settings to the update's connection.
void ApplyUpdateProxy(TZMKUpdateExe& update);

}  // namespace zmk
