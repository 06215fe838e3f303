#include "classroom/forms/hojaasistencia.h"

#include <QApplication>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "host/dataset.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "host/reportprint.h"

namespace zmk {

namespace {

QDateEdit* Fecha(const QDate& d, QWidget* parent) {
    auto* e = new QDateEdit(d, parent);
    e->setCalendarPopup(true);
    e->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return e;
}

const std::vector<TListColumn> kColumnasResumen = {
    {QStringLiteral("CodigoT05"), QStringLiteral("Grupo")},
    {QStringLiteral("NMatriculaT02"), QStringLiteral("Nº matrícula")},
    {QStringLiteral("NombreCompletoT01"), QStringLiteral("Alumno")},
    {QStringLiteral("Total"), QStringLiteral("Faltas")},
    {QStringLiteral("Justificadas"), QStringLiteral("Justificadas")},
    {QStringLiteral("NoJustificadas"), QStringLiteral("No justificadas")}};

}  // namespace

TFRMHojaAsistencia::TFRMHojaAsistencia(int idGrupo, const QDate& dia, QWidget* parent)
    : QDialog(parent), grupo_(idGrupo) {
    setObjectName(QStringLiteral("TFRMHojaAsistencia"));
    setWindowTitle(QStringLiteral("Hoja de asistencia del grupo"));
    auto* layout = new QVBoxLayout(this);
    auto* cabecera = new QFormLayout;
    ebFecha = Fecha(dia, this);
    cabecera->addRow(QStringLiteral("&Fecha:"), ebFecha);
    lblHorario = new QLabel(this);
    cabecera->addRow(QStringLiteral("Horario:"), lblHorario);
    layout->addLayout(cabecera);
    tabla = new QTableWidget(0, 3, this);
    tabla->setHorizontalHeaderLabels(
        {QStringLiteral("Alumno"), QStringLiteral("Falta mañana"), QStringLiteral("Falta tarde")});
    tabla->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(tabla, 1);
    bbCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    layout->addWidget(bbCerrar, 0, Qt::AlignRight);
    connect(bbCerrar, &QPushButton::clicked, this, &QDialog::accept);
    connect(ebFecha, &QDateEdit::dateChanged, this, [this](const QDate& d) { Cargar(d); });
    connect(tabla, &QTableWidget::itemChanged, this, &TFRMHojaAsistencia::Cambiado);
    Cargar(dia);
    resize(620, 520);
}

void TFRMHojaAsistencia::Cargar(const QDate& dia) {
    try {
        hoja_ = std::make_unique<THojaAsistencia>(grupo_, dia);
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
        return;
    }
    Rellenar();
}

void TFRMHojaAsistencia::Rellenar() {
    rellenando_ = true;
    const THorarioDia& h = hoja_->Horario();
    lblHorario->setText(QStringLiteral("Mañana: ") + TextoClase(h.manana) +
                        QStringLiteral("   Tarde: ") + TextoClase(h.tarde));
    tabla->setRowCount(int(hoja_->Filas().size()));
    for (int f = 0; f < hoja_->Filas().size(); ++f) {
        const auto& fila = hoja_->Filas()[f];
        tabla->setItem(f, 0, new QTableWidgetItem(fila.alumno));
        const auto caja = [&](int columna, bool existe, bool marcada) {
            auto* item = new QTableWidgetItem;
            Qt::ItemFlags flags = Qt::ItemIsSelectable;
            if (existe) flags |= Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
            item->setFlags(flags);
            item->setCheckState(marcada ? Qt::Checked : Qt::Unchecked);
            tabla->setItem(f, columna, item);
        };
        caja(1, h.manana.existe, fila.faltaManana > 0);
        caja(2, h.tarde.existe, fila.faltaTarde > 0);
    }
    rellenando_ = false;
}

void TFRMHojaAsistencia::Cambiado(QTableWidgetItem* item) {
    if (rellenando_ || !hoja_ || item->column() == 0) return;
    try {
        hoja_->Marcar(item->row(), item->column() == 1 ? TTipoFalta::Manana : TTipoFalta::Tarde,
                      item->checkState() == Qt::Checked);
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    } catch (const EAbort&) {
    }
    Rellenar();
}

TFRMResumenFaltas::TFRMResumenFaltas(const QDate& desde, const QDate& hasta, int idGrupo,
                                     QWidget* parent)
    : QDialog(parent), grupo_(idGrupo) {
    setObjectName(QStringLiteral("TFRMResumenFaltas"));
    setWindowTitle(QStringLiteral("Resumen de faltas de asistencia"));
    auto* layout = new QVBoxLayout(this);
    auto* fila = new QHBoxLayout;
    ebDesde = Fecha(desde, this);
    ebHasta = Fecha(hasta, this);
    fila->addWidget(new QLabel(QStringLiteral("Desde:"), this));
    fila->addWidget(ebDesde);
    fila->addWidget(new QLabel(QStringLiteral("Hasta:"), this));
    fila->addWidget(ebHasta);
    auto* consultar = new QPushButton(QStringLiteral("&Consultar"), this);
    fila->addWidget(consultar);
    fila->addStretch(1);
    layout->addLayout(fila);
    tabla = new QTableWidget(0, int(kColumnasResumen.size()), this);
    QStringList titulos;
    for (const auto& c : kColumnasResumen) titulos << c.title;
    tabla->setHorizontalHeaderLabels(titulos);
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    layout->addWidget(tabla, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    bbImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    auto* cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    botones->addWidget(bbImprimir);
    botones->addWidget(cerrar);
    layout->addLayout(botones);
    connect(consultar, &QPushButton::clicked, this, &TFRMResumenFaltas::Consultar);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbImprimir, &QPushButton::clicked, this, [this] {
        try {
            auto ds = ResumenFaltas(ebDesde->date(), ebHasta->date(), grupo_);
            PrintDataSetList(TituloResumenFaltas(ebDesde->date(), ebHasta->date()), *ds,
                             kColumnasResumen, TPrintTarget::Preview);
        } catch (const EZMKError& e) {
            MuestraError(e.Message());
        } catch (const EAbort&) {
        }
    });
    Consultar();
    resize(760, 520);
}

void TFRMResumenFaltas::Consultar() {
    try {
        auto ds = ResumenFaltas(ebDesde->date(), ebHasta->date(), grupo_);
        tabla->setRowCount(ds->RecordCount());
        int f = 0;
        for (ds->First(); !ds->Eof(); ds->Next(), ++f)
            for (int c = 0; c < int(kColumnasResumen.size()); ++c)
                tabla->setItem(f, c,
                               new QTableWidgetItem(
                                   ds->FieldByName(kColumnasResumen[size_t(c)].field).AsString()));
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    }
}

void MostrarHojaAsistencia(THojaAsistencia& hoja) {
    TFRMHojaAsistencia dialog(hoja.Grupo(), hoja.Dia(), QApplication::activeWindow());
    dialog.exec();
}

void MostrarResumenFaltas(const QDate& desde, const QDate& hasta, int idGrupo) {
    TFRMResumenFaltas dialog(desde, hasta, idGrupo, QApplication::activeWindow());
    dialog.exec();
}

}  // namespace zmk
