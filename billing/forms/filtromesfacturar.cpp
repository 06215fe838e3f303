#include "billing/forms/filtromesfacturar.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "host/forms/dialogbuttons.h"

namespace zmk {

TFRMFiltroMesFacturar::TFRMFiltroMesFacturar(TMesAnyo inicial, QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()) {
    setWindowTitle(QStringLiteral("Facturación"));
    auto* layout = new QVBoxLayout(this);
    auto* fila = new QHBoxLayout;
    auto* rotulo = new QLabel(QStringLiteral("Año a Facturar:"), this);
    seAnyo = new QSpinBox(this);
    seAnyo->setRange(2000, 2100);
    seAnyo->setValue(inicial.anyo);
    // Typing is not allowed; the arrows (and the Up/Down keys) change the year.
    if (auto* texto = seAnyo->findChild<QLineEdit*>()) texto->setReadOnly(true);
    rotulo->setBuddy(seAnyo);
    fila->addWidget(rotulo);
    fila->addWidget(seAnyo);
    fila->addStretch();
    layout->addLayout(fila);

    auto* grupo = new QGroupBox(QStringLiteral(" Seleccione el Mes a Facturar: "), this);
    auto* rejilla = new QGridLayout(grupo);
    rgMes = new QButtonGroup(this);
    for (int mes = 1; mes <= 12; ++mes) {
        auto* r = new QRadioButton(NombreMesLargo(mes), grupo);
        rgMes->addButton(r, mes);
        // Two columns, filled down first.
        rejilla->addWidget(r, (mes - 1) % 6, (mes - 1) / 6);
    }
    if (QAbstractButton* b = rgMes->button(inicial.mes)) b->setChecked(true);
    layout->addWidget(grupo);

    AddDialogButtons(layout, this, bbAceptar, bbCancelar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(bbAceptar, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    if (rgMes->checkedButton()) rgMes->checkedButton()->setFocus();
}

TMesAnyo TFRMFiltroMesFacturar::Elegido() const {
    return {rgMes->checkedId(), seAnyo->value()};
}

std::optional<TMesAnyo> MostrarFiltroMesFacturar(TMesAnyo inicial) {
    TFRMFiltroMesFacturar dialogo(inicial);
    if (dialogo.exec() != QDialog::Accepted) return std::nullopt;
    return dialogo.Elegido();
}

}  // namespace zmk
