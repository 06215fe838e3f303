#include "billing/forms/generarliquidaciones.h"

#include <QApplication>
#include <QDateEdit>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "billing/forms/guardado.h"
#include "host/forms/dialogbuttons.h"

namespace zmk {

namespace {
QDateEdit* Fecha(QWidget* padre) {
    auto* d = new QDateEdit(padre);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return d;
}
}  // namespace

TFRMGenerarLiquidaciones::TFRMGenerarLiquidaciones(QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()) {
    setWindowTitle(QStringLiteral("Generador de liquidaciones"));
    const TFormGenerarLiquidaciones inicial = TFormGenerarLiquidaciones::Inicial();
    auto* layout = new QVBoxLayout(this);
    auto* titulo = new QLabel(QStringLiteral("Generar liquidaciones"), this);
    QFont negrita = titulo->font();
    negrita.setBold(true);
    negrita.setPointSize(negrita.pointSize() + 2);
    titulo->setFont(negrita);
    layout->addWidget(titulo);

    auto* datos = new QFormLayout;
    dtpFechaLiquidacion = Fecha(this);
    dtpFechaLiquidacion->setDate(inicial.fechaLiquidacion);
    edDescripcion = new QLineEdit(this);
    edDescripcion->setMaxLength(50);
    datos->addRow(QStringLiteral("Fecha de la liquidación"), dtpFechaLiquidacion);
    datos->addRow(QStringLiteral("Descripción de la liquidación"), edDescripcion);
    layout->addLayout(datos);

    auto* tipo = new QGroupBox(QStringLiteral(" Tipo de operación: "), this);
    auto* tl = new QGridLayout(tipo);
    rbPeriodo = new QRadioButton(QStringLiteral("&Generar liquidación de cursos por centro"), tipo);
    rbPeriodo->setChecked(true);
    tl->addWidget(rbPeriodo, 0, 0, 1, 3);
    tl->addWidget(new QLabel(QStringLiteral("Registrar el número de matrículas que están dadas de "
                                            "alta en el periodo:"),
                             tipo),
                  1, 1, 1, 2);
    dtpFechaInicial = Fecha(tipo);
    dtpFechaFinal = Fecha(tipo);
    auto* ini = new QLabel(QStringLiteral("Fecha inicial"), tipo);
    ini->setBuddy(dtpFechaInicial);
    auto* fin = new QLabel(QStringLiteral("Fecha final"), tipo);
    fin->setBuddy(dtpFechaFinal);
    tl->addWidget(ini, 2, 1);
    tl->addWidget(dtpFechaInicial, 2, 2);
    tl->addWidget(fin, 3, 1);
    tl->addWidget(dtpFechaFinal, 3, 2);
    rbMensual =
        new QRadioButton(QStringLiteral("&Generar liquidación mensual de cursos por centro"), tipo);
    tl->addWidget(rbMensual, 4, 0, 1, 3);
    tl->addWidget(new QLabel(QStringLiteral("Registrar el número de matrículas que están dadas de "
                                            "alta en cada mes indicado:"),
                             tipo),
                  5, 1, 1, 2);
    clbMeses = new QListWidget(tipo);
    // The entries are aligned in columns ('Septiembre 2005     09').
    clbMeses->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    clbMeses->setMinimumHeight(250);
    tl->addWidget(clbMeses, 6, 1, 1, 2);
    tl->setColumnMinimumWidth(0, 20);
    layout->addWidget(tipo);

    AddDialogButtons(layout, this, bbAceptar, bbCancelar);

    connect(dtpFechaLiquidacion, &QDateEdit::dateChanged, this, [this] { Cambiado(); });
    connect(rbPeriodo, &QRadioButton::toggled, this, [this] { Cambiado(); });
    connect(bbAceptar, &QPushButton::clicked, this, [this] {
        const TFormGenerarLiquidaciones f = Form();
        if (EjecutaProtegido([&] { f.Aceptar(); })) accept();
    });
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    Cambiado();
    dtpFechaLiquidacion->setFocus();
}

void TFRMGenerarLiquidaciones::Cambiado() {
    TFormGenerarLiquidaciones f;
    f.fechaLiquidacion = dtpFechaLiquidacion->date();
    f.FechaCambiada();
    dtpFechaInicial->setDate(f.fechaInicial);
    dtpFechaFinal->setDate(f.fechaFinal);
    clbMeses->clear();
    for (const QString& mes : f.meses) {
        auto* item = new QListWidgetItem(mes, clbMeses);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    const bool mensual = rbMensual->isChecked();
    clbMeses->setEnabled(mensual);
    dtpFechaInicial->setEnabled(!mensual);
    dtpFechaFinal->setEnabled(!mensual);
}

TFormGenerarLiquidaciones TFRMGenerarLiquidaciones::Form() const {
    TFormGenerarLiquidaciones f;
    f.fechaLiquidacion = dtpFechaLiquidacion->date();
    f.descripcion = edDescripcion->text().left(50);
    f.mensual = rbMensual->isChecked();
    f.fechaInicial = dtpFechaInicial->date();
    f.fechaFinal = dtpFechaFinal->date();
    for (int i = 0; i < clbMeses->count(); ++i) {
        f.meses << clbMeses->item(i)->text();
        f.marcados << (clbMeses->item(i)->checkState() == Qt::Checked);
    }
    return f;
}

bool MostrarGenerarLiquidaciones() {
    TFRMGenerarLiquidaciones dialogo;
    return dialogo.exec() == QDialog::Accepted;
}

}  // namespace zmk
