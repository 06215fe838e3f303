#include "core/forms/confdatosempresa.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/datosempresa.h"
#include "host/errors.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"

namespace zmk {

namespace {
const char* const kEtiquetas[kDatosEmpresa] = {
    "Nombre:",    "Dirección:", "Población:",          "Código postal:",       "CIF:",
    "Teléfonos:", "Logotipo:",  "Registro mercantil:", "Nº Seguridad Social:",
};
}  // namespace

TCCFRMConfDatosEmpresa::TCCFRMConfDatosEmpresa(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TCCFRMConfDatosEmpresa"));
    setWindowTitle(QStringLiteral("DATOS DE LA EMPRESA ASOCIADA CON LA BASE DE DATOS"));
    auto* form = new QFormLayout;
    for (int i = 0; i < kDatosEmpresa; ++i) {
        auto* caja = new QLineEdit(this);
        caja->setObjectName(QString::fromUtf8(DatosEmpresa()[i].opcion));
        caja->setMinimumWidth(380);
        cajas_ << caja;
        auto* etiqueta = new QLabel(QString::fromUtf8(kEtiquetas[i]), this);
        etiqueta->setObjectName(QStringLiteral("lbl") + caja->objectName());
        etiqueta->setBuddy(caja);
        if (i != deLogo) {
            form->addRow(etiqueta, caja);
            continue;
        }
        auto* fila = new QHBoxLayout;
        fila->addWidget(caja);
        auto* buscar = new QPushButton(QStringLiteral("..."), this);
        buscar->setObjectName(QStringLiteral("btnBuscarLogo"));
        buscar->setFixedWidth(32);
        connect(buscar, &QPushButton::clicked, this, [this] { BuscaLogo(); });
        fila->addWidget(buscar);
        form->addRow(etiqueta, fila);
    }
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnAceptar"));
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancelar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(botones);

    TranslateWidget(this, QStringLiteral("CC_TCCFRMConfDatosEmpresa"),
                    TCaptionTranslation::Translate);
    PublicaDatosEmpresa();
    QStringList valores = LeeDatosEmpresa();
    for (int i = 0; i < kDatosEmpresa; ++i) cajas_[i]->setText(valores[i]);
}

void TCCFRMConfDatosEmpresa::BuscaLogo() {
    // Starting at the current file preselects it in its own folder.
    QString actual = cajas_[deLogo]->text();
    QString inicio = QFileInfo(actual).fileName().isEmpty() || actual == QStringLiteral("?")
                         ? QString()
                         : QFileInfo(actual).absoluteFilePath();
    QString archivo = Prompt().OpenFileName(
        QStringLiteral("Logotipo de la empresa"), inicio,
        QStringLiteral("Imágenes (*.png *.jpg *.jpeg *.bmp *.gif);;Todos los archivos (*)"));
    if (!archivo.isEmpty()) cajas_[deLogo]->setText(archivo);
}

void TCCFRMConfDatosEmpresa::accept() {
    QStringList valores;
    for (QLineEdit* caja : cajas_) valores << caja->text();
    try {
        GuardaDatosEmpresa(valores);
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
        return;
    }
    QDialog::accept();
}

bool ShowDatosEmpresaDialog(QWidget* parent) {
    TCCFRMConfDatosEmpresa dialogo(parent);
    return dialogo.exec() == QDialog::Accepted;
}

}  // namespace zmk
