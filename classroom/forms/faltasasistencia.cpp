#include "classroom/forms/faltasasistencia.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "host/errors.h"
#include "host/prompt.h"

namespace zmk {

namespace {

// A refusal is shown and the dialog stays as it was.
template <class F>
void Mostrando(F&& f) {
    try {
        f();
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    } catch (const EAbort&) {
    }
}

QTimeEdit* Hora(QWidget* parent) {
    auto* t = new QTimeEdit(parent);
    t->setDisplayFormat(QStringLiteral("HH:mm"));
    return t;
}

}  // namespace

TFRMFaltasAsistencia::TFRMFaltasAsistencia(TFaltasAsistencia& faltas, bool borrar, QWidget* parent)
    : QDialog(parent), faltas_(faltas) {
    setObjectName(QStringLiteral("TFRMFaltasAsistencia"));
    setWindowTitle(QStringLiteral("Faltas de Asistencia"));
    auto* layout = new QVBoxLayout(this);
    auto* cabecera = new QFormLayout;
    ebFecha = new QDateEdit(this);
    ebFecha->setObjectName(QStringLiteral("ebFecha"));
    ebFecha->setCalendarPopup(true);
    ebFecha->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    auto* etFecha = new QLabel(QStringLiteral("&Fecha:"), this);
    etFecha->setBuddy(ebFecha);
    cabecera->addRow(etFecha, ebFecha);
    lblAlumnoNombre = new QLabel(this);
    lblMatriculaInfo = new QLabel(this);
    lblHM = new QLabel(this);
    lblHT = new QLabel(this);
    cabecera->addRow(QStringLiteral("Alumno:"), lblAlumnoNombre);
    cabecera->addRow(QStringLiteral("Grupo:"), lblMatriculaInfo);
    cabecera->addRow(QStringLiteral("Horario Mañana:"), lblHM);
    cabecera->addRow(QStringLiteral("Horario Tarde:"), lblHT);
    layout->addLayout(cabecera);

    PageControl = new QTabWidget(this);
    tsAdd = new QWidget(PageControl);
    auto* add = new QVBoxLayout(tsAdd);
    auto* gbTipo = new QGroupBox(QStringLiteral("Tipo de Falta"), tsAdd);
    auto* tipos = new QVBoxLayout(gbTipo);
    rbManana = new QRadioButton(QStringLiteral("Clase de la &Mañana"), gbTipo);
    rbTarde = new QRadioButton(QStringLiteral("Clase de la &Tarde"), gbTipo);
    rbLibre = new QRadioButton(QStringLiteral("Horario &Libre"), gbTipo);
    auto* grupo = new QButtonGroup(this);
    for (QRadioButton* rb : {rbManana, rbTarde, rbLibre}) {
        tipos->addWidget(rb);
        grupo->addButton(rb);
    }
    add->addWidget(gbTipo);
    auto* horas = new QFormLayout;
    const auto caja = [&](const QString& texto, QCheckBox*& cb, QTimeEdit*& te) {
        auto* fila = new QHBoxLayout;
        cb = new QCheckBox(texto, tsAdd);
        cb->setChecked(true);
        te = Hora(tsAdd);
        fila->addWidget(cb);
        fila->addWidget(te, 1);
        horas->addRow(fila);
        connect(cb, &QCheckBox::toggled, te, &QWidget::setEnabled);
    };
    caja(QStringLiteral("&Desde las"), cbHI, ebHI);
    caja(QStringLiteral("&Hasta las"), cbHF, ebHF);
    add->addLayout(horas);
    bbAdd = new QPushButton(QStringLiteral("&Añadir Falta"), tsAdd);
    add->addWidget(bbAdd, 0, Qt::AlignRight);
    PageControl->addTab(tsAdd, QStringLiteral("Añadir Falta"));

    tsDel = new QWidget(PageControl);
    auto* del = new QVBoxLayout(tsDel);
    lbFaltas = new QListWidget(tsDel);
    del->addWidget(lbFaltas, 1);
    bbDel = new QPushButton(QStringLiteral("Borrar"), tsDel);
    del->addWidget(bbDel, 0, Qt::AlignRight);
    PageControl->addTab(tsDel, QStringLiteral("Borrar Falta"));
    layout->addWidget(PageControl, 1);

    BitBtn2 = new QPushButton(QStringLiteral("Finalizar"), this);
    layout->addWidget(BitBtn2, 0, Qt::AlignRight);

    connect(ebFecha, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (ocupado_) return;
        Mostrando([&] {
            faltas_.SetDia(d);
            Mostrar();
        });
    });
    connect(rbManana, &QRadioButton::clicked, this, [this] { ElegirTipo(TTipoFalta::Manana); });
    connect(rbTarde, &QRadioButton::clicked, this, [this] { ElegirTipo(TTipoFalta::Tarde); });
    connect(rbLibre, &QRadioButton::clicked, this, [this] { ElegirTipo(TTipoFalta::Libre); });
    connect(bbAdd, &QPushButton::clicked, this, &TFRMFaltasAsistencia::bbAddClick);
    connect(bbDel, &QPushButton::clicked, this, &TFRMFaltasAsistencia::bbDelClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    Mostrar();
    PageControl->setCurrentWidget(borrar ? tsDel : tsAdd);
    if (borrar)
        lbFaltas->setFocus();
    else
        ebHI->setFocus();
    setFixedSize(sizeHint().expandedTo(QSize(420, 460)));
}

void TFRMFaltasAsistencia::Mostrar() {
    ocupado_ = true;
    if (faltas_.Dia().isValid()) ebFecha->setDate(faltas_.Dia());
    ocupado_ = false;
    ebFecha->setEnabled(faltas_.Matricula() > 0);
    lblAlumnoNombre->setText(faltas_.NombreAlumno());
    lblMatriculaInfo->setText(faltas_.InfoMatricula());
    lblHM->setText(TextoClase(faltas_.Horario().manana));
    lblHT->setText(TextoClase(faltas_.Horario().tarde));
    rbManana->setEnabled(faltas_.Disponible(TTipoFalta::Manana));
    rbTarde->setEnabled(faltas_.Disponible(TTipoFalta::Tarde));
    rbLibre->setEnabled(true);
    (faltas_.Tipo() == TTipoFalta::Manana  ? rbManana
     : faltas_.Tipo() == TTipoFalta::Tarde ? rbTarde
                                           : rbLibre)
        ->setChecked(true);
    MostrarHoras();
    lbFaltas->clear();
    for (const TFaltasAsistencia::TLinea& l : faltas_.Lineas()) {
        auto* item = new QListWidgetItem(l.texto, lbFaltas);
        item->setData(Qt::UserRole, l.id);
    }
}

void TFRMFaltasAsistencia::MostrarHoras() {
    cbHI->setChecked(bool(faltas_.Inicio()));
    cbHF->setChecked(bool(faltas_.Fin()));
    if (faltas_.Inicio()) ebHI->setTime(faltas_.Inicio()->time());
    if (faltas_.Fin()) ebHF->setTime(faltas_.Fin()->time());
}

void TFRMFaltasAsistencia::ElegirTipo(TTipoFalta tipo) {
    TomarHoras();
    faltas_.SetTipo(tipo);
    MostrarHoras();
}

void TFRMFaltasAsistencia::TomarHoras() {
    const QDate dia = faltas_.Dia();
    faltas_.SetInicio(cbHI->isChecked() ? std::optional(QDateTime(dia, ebHI->time()))
                                        : std::nullopt);
    faltas_.SetFin(cbHF->isChecked() ? std::optional(QDateTime(dia, ebHF->time())) : std::nullopt);
}

void TFRMFaltasAsistencia::bbAddClick() {
    Mostrando([&] {
        TomarHoras();
        faltas_.Anadir();
        accept();
    });
}

void TFRMFaltasAsistencia::bbDelClick() {
    Mostrando([&] {
        QListWidgetItem* item = lbFaltas->currentItem();
        faltas_.Borrar(item ? item->data(Qt::UserRole).toInt() : 0);
        Mostrar();
    });
}

void MostrarFaltasAsistencia(TFaltasAsistencia& faltas, bool borrar) {
    TFRMFaltasAsistencia dialog(faltas, borrar, QApplication::activeWindow());
    dialog.exec();
}

}  // namespace zmk
