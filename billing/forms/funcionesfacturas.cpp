#include "billing/forms/funcionesfacturas.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "billing/formfuncionesfacturas.h"
#include "billing/forms/guardado.h"
#include "core/parametrosapp.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/forms/dialogbuttons.h"
#include "host/grid.h"
#include "host/prompt.h"

namespace zmk {

namespace {
QDateEdit* Fecha(const QDate& valor, QWidget* padre) {
    auto* d = new QDateEdit(valor, padre);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return d;
}

QLabel* Rotulo(const QString& texto, QWidget* buddy, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setBuddy(buddy);
    return l;
}
}  // namespace

TFRMFuncionesFacturas::TFRMFuncionesFacturas(TZMKDBGrid& grid, QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()),
      grid_(grid),
      form_(TFormFuncionesFacturas::Inicial()) {
    setWindowTitle(ProgramString(10414));
    auto* layout = new QVBoxLayout(this);
    auto* titulo = new QLabel(ProgramString(10415), this);
    QFont negrita = titulo->font();
    negrita.setBold(true);
    negrita.setPointSize(negrita.pointSize() + 2);
    titulo->setFont(negrita);
    layout->addWidget(titulo);

    auto* facturas = new QGroupBox(ProgramString(10416), this);
    auto* fl = new QHBoxLayout(facturas);
    rbActual = new QRadioButton(QStringLiteral("&Actual"), facturas);
    rbTodas = new QRadioButton(ProgramString(10417), facturas);
    rbSeleccion = new QRadioButton(QStringLiteral("&Según Selección"), facturas);
    lblRegistros = new QLabel(facturas);
    fl->addWidget(rbActual);
    fl->addWidget(rbTodas);
    fl->addWidget(rbSeleccion);
    fl->addStretch();
    fl->addWidget(lblRegistros);
    layout->addWidget(facturas);

    auto* operacion = new QGroupBox(QStringLiteral(" Tipo de operación: "), this);
    auto* ol = new QGridLayout(operacion);
    rbDevolver = new QRadioButton(ProgramString(10418), operacion);
    dtpFechaDevolucion = Fecha(form_.fechaDevolucion, operacion);
    ol->addWidget(rbDevolver, 0, 0, 1, 3);
    ol->addWidget(Rotulo(ProgramString(10403), dtpFechaDevolucion, operacion), 1, 1);
    ol->addWidget(dtpFechaDevolucion, 1, 2);
    rbCobrar = new QRadioButton(QStringLiteral("&Cobrar "), operacion);
    dtpFechaCobro = Fecha(form_.fechaCobro, operacion);
    cbFormaCobro = new QComboBox(operacion);
    cbFormaCobro->addItem(ProgramString(10420), 0);
    {
        QSqlQuery q = DefaultDB().Query(
            QStringLiteral("SELECT * FROM T17FormasCobro\nORDER BY CodFormaCobroT17"));
        while (q.next())
            cbFormaCobro->addItem(q.value(QStringLiteral("CodFormaCobroT17")).toString() +
                                      QLatin1Char('-') +
                                      q.value(QStringLiteral("DescFormaCobroT17")).toString(),
                                  q.value(QStringLiteral("IDFormaCobroT17")).toInt());
    }
    ol->addWidget(rbCobrar, 2, 0, 1, 3);
    ol->addWidget(Rotulo(ProgramString(10402), dtpFechaCobro, operacion), 3, 1);
    ol->addWidget(dtpFechaCobro, 3, 2);
    ol->addWidget(Rotulo(ProgramString(10404), cbFormaCobro, operacion), 4, 1);
    ol->addWidget(cbFormaCobro, 4, 2);
    rbBorrar = new QRadioButton(ProgramString(10419), operacion);
    cbDesfacturar =
        new QCheckBox(QStringLiteral("Volver a marcar los conceptos como facturables"), operacion);
    cbDesfacturar->setChecked(form_.desfacturar);
    ol->addWidget(rbBorrar, 5, 0, 1, 3);
    ol->addWidget(cbDesfacturar, 6, 1, 1, 2);
    rbAnularDevolucion = new QRadioButton(QStringLiteral("Anular la &devolución"), operacion);
    rbAnularCobro = new QRadioButton(QStringLiteral("Anular el c&obro"), operacion);
    ol->addWidget(rbAnularDevolucion, 7, 0, 1, 3);
    ol->addWidget(rbAnularCobro, 8, 0, 1, 3);
    ol->setColumnMinimumWidth(0, 20);
    layout->addWidget(operacion);

    cbImprimir = new QCheckBox(ProgramString(10406), this);
    cbImprimir->setChecked(form_.imprimir);
    layout->addWidget(cbImprimir);

    AddDialogButtons(layout, this, bbAceptar, bbCancelar);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Attaching the grid: a selection of two or more rows is what the user meant.
    const bool haySeleccion = grid_.SelectedKeys().size() >= 2;
    rbSeleccion->setEnabled(haySeleccion);
    (haySeleccion ? rbSeleccion : rbActual)->setChecked(true);
    for (QRadioButton* r : {rbActual, rbTodas, rbSeleccion})
        connect(r, &QRadioButton::clicked, this, [this] { Seleccionar(); });
    for (QRadioButton* r : {rbDevolver, rbCobrar, rbBorrar, rbAnularDevolucion, rbAnularCobro})
        connect(r, &QRadioButton::toggled, this, [this] { Habilitar(); });
    connect(cbImprimir, &QCheckBox::clicked, this, [this](bool marcada) {
        if (marcada && ParametrosApp().AsInteger(QStringLiteral("DefaultFormatoFactura"), 0) < 1) {
            Informa(ProgramString(10456));
            cbImprimir->setChecked(false);
        }
    });
    connect(bbAceptar, &QPushButton::clicked, this, [this] { BBAcceptarClick(); });
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    Seleccionar();
    Habilitar();
}

void TFRMFuncionesFacturas::Seleccionar() {
    const TModoSeleccionGrid modo = rbTodas->isChecked()       ? msgTodos
                                    : rbSeleccion->isChecked() ? msgSeleccionados
                                                               : msgActual;
    form_.ids.clear();
    EjecutaProtegido(
        [&] { GetIDsDelDBGrid(grid_, QStringLiteral("IDFacturaCabT15"), modo, form_.ids); });
    lblRegistros->setText(QStringLiteral("Registros: %1").arg(form_.ids.size()));
}

TAccionFactura TFRMFuncionesFacturas::Accion() const {
    if (rbDevolver->isChecked()) return TAccionFactura::Devolver;
    if (rbCobrar->isChecked()) return TAccionFactura::Cobrar;
    if (rbBorrar->isChecked()) return TAccionFactura::Borrar;
    if (rbAnularDevolucion->isChecked()) return TAccionFactura::AnularDevolucion;
    if (rbAnularCobro->isChecked()) return TAccionFactura::AnularCobro;
    return TAccionFactura::Ninguna;
}

void TFRMFuncionesFacturas::Habilitar() {
    const TAccionFactura a = Accion();
    dtpFechaCobro->setEnabled(a == TAccionFactura::Cobrar);
    cbFormaCobro->setEnabled(a == TAccionFactura::Cobrar);
    dtpFechaDevolucion->setEnabled(a == TAccionFactura::Devolver);
    cbDesfacturar->setEnabled(a == TAccionFactura::Borrar);
    cbImprimir->setEnabled(a != TAccionFactura::Borrar);
}

TFormFuncionesFacturas TFRMFuncionesFacturas::Form() const {
    TFormFuncionesFacturas f = form_;
    f.accion = Accion();
    f.fechaCobro = dtpFechaCobro->date();
    f.fechaDevolucion = dtpFechaDevolucion->date();
    f.idFormaCobro = cbFormaCobro->currentData().toInt();
    f.desfacturar = cbDesfacturar->isChecked();
    // A disabled print box does not print.
    f.imprimir = cbImprimir->isEnabled() && cbImprimir->isChecked();
    return f;
}

void TFRMFuncionesFacturas::BBAcceptarClick() {
    const TFormFuncionesFacturas f = Form();
    if (EjecutaProtegido([&] { f.Aceptar(); })) accept();
}

bool MostrarFuncionesFacturas(TZMKDBGrid& grid) {
    TFRMFuncionesFacturas dialogo(grid);
    return dialogo.exec() == QDialog::Accepted;
}

}  // namespace zmk
