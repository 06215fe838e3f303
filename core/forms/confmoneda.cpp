#include "core/forms/confmoneda.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/currency.h"
#include "host/errors.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"
#include "host/reports.h"

namespace zmk {

TCCFRMConfMoneda::TCCFRMConfMoneda(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TCCFRMConfMoneda"));
    setWindowTitle(QStringLiteral("CONFIGURAR MONEDA"));
    auto* form = new QFormLayout;
    auto caja = [&](const QString& nombre, const QString& etiqueta) {
        auto* c = new QLineEdit(this);
        c->setObjectName(nombre);
        auto* l = new QLabel(etiqueta, this);
        l->setObjectName(QStringLiteral("lbl") + nombre);
        l->setBuddy(c);
        form->addRow(l, c);
        return c;
    };
    nombre_ = caja(QStringLiteral("edNombre"), QStringLiteral("Nombre corto:"));
    nombreLargo_ = caja(QStringLiteral("edNombreLargo"), QStringLiteral("Nombre largo:"));
    decimalesPrecio_ =
        caja(QStringLiteral("edDecimalesPrecio"), QStringLiteral("Decimales en precios:"));
    decimalesTotal_ =
        caja(QStringLiteral("edDecimalesTotal"), QStringLiteral("Decimales en totales:"));
    mascara_ = caja(QStringLiteral("edMascara"), QStringLiteral("Máscara en listados:"));
    mascaraEdicion_ =
        caja(QStringLiteral("edMascaraEdicion"), QStringLiteral("Máscara en edición:"));
    // A mask means little to the office: each shows what an amount looks like with it.
    for (QLineEdit* mascara : {mascara_, mascaraEdicion_}) {
        auto* ejemplo = new QLabel(this);
        ejemplo->setObjectName(mascara->objectName() + QStringLiteral("Ejemplo"));
        ejemplo->setProperty("zmkNoTranslate", true);
        form->addRow(QString(), ejemplo);
        connect(mascara, &QLineEdit::textChanged, ejemplo, [ejemplo](const QString& texto) {
            ejemplo->setText(
                QStringLiteral("Ejemplo: ") +
                FormatReportMoney(
                    QVariant::fromValue(*Currency::Parse(QStringLiteral("1234.5678"))), texto));
        });
    }
    decimalesPrecio_->setMaximumWidth(60);
    decimalesTotal_->setMaximumWidth(60);

    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnAceptar"));
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancelar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    auto* defecto = botones->addButton(QStringLiteral("Por defecto"), QDialogButtonBox::ResetRole);
    defecto->setObjectName(QStringLiteral("btnPorDefecto"));
    connect(defecto, &QPushButton::clicked, this, [this] { PorDefecto(); });
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(botones);
    setMinimumWidth(360);

    MuestraValores(LeeConfigMoneda());
    TranslateWidget(this, QStringLiteral("CC_TCCFRMConfMoneda"), TCaptionTranslation::Translate);
}

TConfigMoneda TCCFRMConfMoneda::Valores() const {
    return {nombre_->text(),         nombreLargo_->text(), decimalesPrecio_->text(),
            decimalesTotal_->text(), mascara_->text(),     mascaraEdicion_->text()};
}

void TCCFRMConfMoneda::MuestraValores(const TConfigMoneda& c) {
    nombre_->setText(c.nombre);
    nombreLargo_->setText(c.nombreLargo);
    decimalesPrecio_->setText(c.decimalesPrecio);
    decimalesTotal_->setText(c.decimalesTotal);
    mascara_->setText(c.mascara);
    mascaraEdicion_->setText(c.mascaraEdicion);
}

void TCCFRMConfMoneda::accept() {
    try {
        if (!AplicaConfigMoneda(Valores())) return;
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
        return;
    }
    QDialog::accept();
}

bool ShowMonedaDialog(QWidget* parent) {
    TCCFRMConfMoneda dialogo(parent);
    return dialogo.exec() == QDialog::Accepted;
}

}  // namespace zmk
