#include "app/aboutbox.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

#include "app/appconfig.h"
#include "core/forms/fondo.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"

namespace zmk {

namespace {
// The host framework's release as a two-digit number: major and minor.
constexpr int kVersionZMK = 54;

QLabel* Etiqueta(const QString& texto, QWidget* parent, const char* nombre) {
    auto* l = new QLabel(texto, parent);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}
}  // namespace

TMemoria LeeMemoria(const QByteArray& meminfo) {
    qint64 total = 0, disponible = 0, swapLibre = 0;
    for (const QByteArray& linea : meminfo.split('\n')) {
        QList<QByteArray> partes = linea.simplified().split(' ');
        if (partes.size() < 2) continue;
        qint64 bytes = partes[1].toLongLong() * 1024;  // the file counts in kB
        if (partes[0] == "MemTotal:")
            total = bytes;
        else if (partes[0] == "MemAvailable:")
            disponible = bytes;
        else if (partes[0] == "SwapFree:")
            swapLibre = bytes;
    }
    return {total, disponible, disponible + swapLibre};
}

QString Megabytes(qint64 bytes) {
    return QString::number(double(bytes / 1048576 + 1), 'f', 1) + QStringLiteral(" MB");
}

QString LineaAplicacionGuardada(const TInfoAplicacion& info) {
    if (!info.fechaGuardado.isValid()) return QString();
    bool bits64 = QSysInfo::currentCpuArchitecture().contains(QLatin1String("64"));
    return QSysInfo::prettyProductName() +
           (bits64 ? QStringLiteral(" 64b ") : QStringLiteral(" ")) + QStringLiteral(" ZMK: ") +
           info.fechaGuardado.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" - ") +
           QString::number(info.contadorGuardado);
}

TCCFRMAboutApp::TCCFRMAboutApp(QWidget* parent, const TInfoAplicacion& info) : QDialog(parent) {
    setObjectName(QStringLiteral("TCCFRMAboutApp"));
    setWindowTitle(ApplicationTitle());

    auto* logo = new QLabel(this);
    logo->setPixmap(QPixmap::fromImage(LogoAplicacion()));
    logo->setAlignment(Qt::AlignTop);

    auto* nombre = Etiqueta(ApplicationTitle(), this, "lblNombre");
    QFont grande = nombre->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    grande.setBold(true);
    nombre->setFont(grande);
    auto* datos = new QVBoxLayout;
    datos->addWidget(nombre);
    auto* descripcion = Etiqueta(info.descripcion, this, "lblDescripcion");
    descripcion->setWordWrap(true);
    datos->addWidget(descripcion);
    datos->addWidget(
        Etiqueta(QStringLiteral("Build: ") + TZMKAppConfig::FileVersion(), this, "lblBuild"));
    datos->addWidget(
        Etiqueta(QStringLiteral("ZMK v%1.%2").arg(kVersionZMK / 10).arg(kVersionZMK % 10), this,
                 "lblVersionZMK"));
    QString guardada = LineaAplicacionGuardada(info);
    if (!guardada.isEmpty()) datos->addWidget(Etiqueta(guardada, this, "lblAplicacion"));

    QFile archivo(QStringLiteral("/proc/meminfo"));
    TMemoria memoria =
        archivo.open(QIODevice::ReadOnly) ? LeeMemoria(archivo.readAll()) : TMemoria{};
    auto* tabla = new QFormLayout;
    tabla->addRow(Etiqueta(QStringLiteral("Memoria física:"), this, "lblTituloMemoriaFisica"),
                  Etiqueta(Megabytes(memoria.fisica), this, "lblMemoriaFisica"));
    tabla->addRow(
        Etiqueta(QStringLiteral("Memoria física disponible:"), this, "lblTituloMemoriaDisponible"),
        Etiqueta(Megabytes(memoria.fisicaDisponible), this, "lblMemoriaDisponible"));
    tabla->addRow(
        Etiqueta(QStringLiteral("Memoria virtual disponible:"), this, "lblTituloMemoriaVirtual"),
        Etiqueta(Megabytes(memoria.virtualDisponible), this, "lblMemoriaVirtual"));
    datos->addSpacing(8);
    datos->addLayout(tabla);
    datos->addStretch();

    auto* columnas = new QHBoxLayout;
    columnas->addWidget(logo);
    columnas->addSpacing(12);
    columnas->addLayout(datos, 1);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnAceptar"));
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columnas);
    layout->addWidget(botones);
    setMinimumWidth(480);
    TranslateWidget(this, QStringLiteral("CC_TCCFRMAboutApp"));
}

void ShowAboutBox(QWidget* parent, const TInfoAplicacion& info) {
    TCCFRMAboutApp dialogo(parent, info);
    dialogo.exec();
}

}  // namespace zmk
