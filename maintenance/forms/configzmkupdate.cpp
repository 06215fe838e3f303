#include "maintenance/forms/configzmkupdate.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QVBoxLayout>

#include "host/errors.h"
#include "host/forms/dialogbuttons.h"
#include "host/forms/translatewidget.h"
#include "host/parametres.h"
#include "host/prompt.h"

namespace zmk {

namespace {

const QString kDias = QStringLiteral("ZMKUpdate_Dias");
const QString kAlert = QStringLiteral("ZMKUpdate_AlertOnUpdate");
const QString kUsarProxy = QStringLiteral("ZonaUsuarios_UsarProxy");
const QString kProxyServer = QStringLiteral("ZonaUsuarios_ProxyServer");
const QString kProxyPort = QStringLiteral("ZonaUsuarios_ProxyPort");

void Store(const QString& name, const QVariant& value) {
    Parametres().SetParametreValue(name, value);
    Parametres().SetWritables(name, true);
}

QString Shown(const QDateTime& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy HH:mm"))
                       : UpdateText(QStringLiteral("never"));
}

}  // namespace

void ApplyUpdateProxy(TZMKUpdateExe& update) {
    if (Parametres().AsBoolean(kUsarProxy, false))
        update.Conexion().SetProxy(Parametres().AsString(kProxyServer),
                                   Parametres().AsInteger(kProxyPort, 0));
    else
        update.Conexion().SetProxy(QString(), 0);
}

TFRMConfigZMKUpdate::TFRMConfigZMKUpdate(TZMKUpdateExe& update, QWidget* parent)
    : QDialog(parent), update_(update) {
    setObjectName(QStringLiteral("TFRMConfigZMKUpdate"));
    setWindowTitle(QStringLiteral("Actualizaciones automáticas"));
    cbActualizacionsTiempo = new QComboBox;
    cbActualizacionsTiempo->setObjectName(QStringLiteral("cbActualizacionsTiempo"));
    cbActualizacionsTiempo->addItem(QStringLiteral("Cada semana"), 7);
    cbActualizacionsTiempo->addItem(QStringLiteral("Cada mes"), 30);
    cbActualizacionsTiempo->addItem(QStringLiteral("Nunca"), 0);
    const int days = Parametres().AsInteger(kDias, 7);
    cbActualizacionsTiempo->setCurrentIndex(days == 0 ? 2 : days == 30 ? 1 : 0);
    cbAlertOnUpdate =
        new QCheckBox(QStringLiteral("Avisar antes de actualizar un programa de forma automática"));
    cbAlertOnUpdate->setObjectName(QStringLiteral("cbAlertOnUpdate"));
    cbAlertOnUpdate->setChecked(Parametres().AsBoolean(kAlert, true));
    cbUseProxy = new QCheckBox(QStringLiteral("Usar Proxy para conectar"));
    cbUseProxy->setObjectName(QStringLiteral("cbUseProxy"));
    cbUseProxy->setChecked(Parametres().AsBoolean(kUsarProxy, false));
    ebProxyServer = new QLineEdit(Parametres().AsString(kProxyServer));
    ebProxyServer->setObjectName(QStringLiteral("ebProxyServer"));
    const int port = Parametres().AsInteger(kProxyPort, 0);
    ebProxyPort = new QLineEdit(port > 0 ? QString::number(port) : QString());
    ebProxyPort->setObjectName(QStringLiteral("ebProxyPort"));
    ebProxyPort->setValidator(new QIntValidator(1, 65535, ebProxyPort));
    ebProxyPort->setMaximumWidth(ebProxyPort->fontMetrics().horizontalAdvance(u'0') * 8 + 16);
    lblUltimaConexion = new QLabel;
    lblUltimaConexion->setObjectName(QStringLiteral("lblUltimaConexion"));
    lblUltimaActualizacion = new QLabel;
    lblUltimaActualizacion->setObjectName(QStringLiteral("lblUltimaActualizacion"));
    cbForzarDescarga = new QCheckBox(QStringLiteral("Forzar descarga de archivos"));
    cbForzarDescarga->setObjectName(QStringLiteral("cbForzarDescarga"));
    bbActualizarAhora = new QPushButton(QStringLiteral("Actualizar ahora"));
    bbActualizarAhora->setObjectName(QStringLiteral("bbActualizarAhora"));
    bbActualizarAhora->setAutoDefault(false);
    lblServicio = new QLabel(QStringLiteral(
        "El servicio de actualizaciones no está configurado en esta instalación: no se puede "
        "buscar actualizaciones."));
    lblServicio->setObjectName(QStringLiteral("lblServicio"));
    lblServicio->setWordWrap(true);
    lblServicio->setStyleSheet(QStringLiteral("color: #b00000;"));
    const bool configured = !update.Installation().servicio.trimmed().isEmpty();
    lblServicio->setVisible(!configured);
    bbActualizarAhora->setEnabled(configured);
    cbForzarDescarga->setEnabled(configured);

    auto* layout = new QVBoxLayout(this);
    auto* when = new QFormLayout;
    when->addRow(QStringLiteral("Actualizar automáticamente:"), cbActualizacionsTiempo);
    layout->addLayout(when);
    layout->addWidget(cbAlertOnUpdate);
    auto* proxy = new QGroupBox(QStringLiteral("Configurar conexión a internet:"));
    auto* proxyForm = new QFormLayout(proxy);
    proxyForm->addRow(cbUseProxy);
    proxyForm->addRow(QStringLiteral("Servidor proxy"), ebProxyServer);
    proxyForm->addRow(QStringLiteral("Puerto"), ebProxyPort);
    layout->addWidget(proxy);
    // The server and port matter only with the box ticked.
    const auto proxyFields = [this, proxyForm](bool on) {
        for (QWidget* field :
             {static_cast<QWidget*>(ebProxyServer), static_cast<QWidget*>(ebProxyPort)}) {
            field->setEnabled(on);
            if (QWidget* label = proxyForm->labelForField(field)) label->setEnabled(on);
        }
    };
    connect(cbUseProxy, &QCheckBox::toggled, this, proxyFields);
    proxyFields(cbUseProxy->isChecked());
    layout->addWidget(lblUltimaConexion);
    layout->addWidget(lblUltimaActualizacion);
    auto* now = new QHBoxLayout;
    now->addWidget(cbForzarDescarga);
    now->addStretch();
    now->addWidget(bbActualizarAhora);
    layout->addLayout(now);
    layout->addWidget(lblServicio);
    AddDialogButtons(layout, this, bbAceptar, bbCancelar);
    auto run = [](const std::function<void()>& work) {
        try {
            work();
        } catch (const EAbort&) {
        } catch (const EZMKError& e) {
            MuestraError(e.Message());
        }
    };
    connect(bbActualizarAhora, &QPushButton::clicked, this,
            [this, run] { run([this] { bbActualizarAhoraClick(); }); });
    connect(bbAceptar, &QPushButton::clicked, this,
            [this, run] { run([this] { bbAceptarClick(); }); });
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    TranslateWidget(this, QStringLiteral("CC_TFRMConfigZMKUpdate"));
    RefreshDates();
}

void TFRMConfigZMKUpdate::RefreshDates() {
    std::unique_ptr<QSettings> registry =
        update_.Installation().registro ? update_.Installation().registro() : nullptr;
    const auto date = [&](const char* key) {
        return registry ? registry->value(QString::fromLatin1(key)).toDateTime() : QDateTime();
    };
    lblUltimaConexion->setText(QStringLiteral("Última conexión: ") +
                               Shown(date("ZMKUpdateLastTimeConnect")));
    const QDateTime updated = date("ZMKUpdateLastTimeUpdate");
    lblUltimaActualizacion->setText(QStringLiteral("Última actualización: ") + Shown(updated));
    lblUltimaActualizacion->setVisible(updated.isValid());
}

std::pair<QString, int> TFRMConfigZMKUpdate::TypedProxy() const {
    if (!cbUseProxy->isChecked()) return {QString(), 0};
    bool ok = false;
    const int port = ebProxyPort->text().trimmed().toInt(&ok);
    if (!ok || port <= 0 || port > 65535)
        throw EZMKError(UpdateText(QStringLiteral("invalid_proxy_port")));
    if (ebProxyServer->text().trimmed().isEmpty())
        throw EZMKError(UpdateText(QStringLiteral("invalid_proxy_name")));
    return {ebProxyServer->text().trimmed(), port};
}

void TFRMConfigZMKUpdate::bbActualizarAhoraClick() {
    // A check that cannot run forgets nothing.
    update_.RequireService();
    const auto [server, port] = TypedProxy();
    if (cbForzarDescarga->isChecked()) update_.ClearRegistryData();
    update_.Conexion().SetProxy(server, port);
    try {
        update_.RunCheck(false, true, QStringLiteral("INFO_MANUAL"), true);
    } catch (...) {
        ApplyUpdateProxy(update_);
        RefreshDates();
        throw;
    }
    ApplyUpdateProxy(update_);
    RefreshDates();
}

void TFRMConfigZMKUpdate::bbAceptarClick() {
    const auto [server, port] = TypedProxy();
    Store(kUsarProxy, cbUseProxy->isChecked());
    Store(kProxyServer, server);
    Store(kProxyPort, port);
    Store(kAlert, cbAlertOnUpdate->isChecked());
    Store(kDias, cbActualizacionsTiempo->currentData().toInt());
    ApplyUpdateProxy(update_);
    accept();
}

}  // namespace zmk
