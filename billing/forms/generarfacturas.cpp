#include "billing/forms/generarfacturas.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "billing/formgenerarfacturas.h"
#include "billing/forms/guardado.h"
#include "billing/opciones.h"
#include "billing/textoconcepto.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/grid.h"
#include "host/prompt.h"
#include "rules/comunes.h"

namespace zmk {

namespace {
QLabel* Rotulo(const QString& texto, QWidget* buddy, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setBuddy(buddy);
    return l;
}
}  // namespace

TFRMGenerarFacturas::TFRMGenerarFacturas(TZMKDBGrid& grid, int modo, QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()),
      grid_(grid),
      form_(TFormGenerarFacturas::Inicial(modo)) {
    const bool porConcepto = modo == TFormGenerarFacturas::kPorConcepto;
    setWindowTitle(porConcepto ? QStringLiteral("GENERAR FACTURAS POR CONCEPTO")
                               : QStringLiteral("GENERAR FACTURAS POR ALUMNO"));
    auto* layout = new QVBoxLayout(this);
    auto* arriba = new QHBoxLayout;

    auto* aplicar = new QGroupBox(QStringLiteral(" Aplicar a: "), this);
    auto* al = new QVBoxLayout(aplicar);
    lblCuenta = new QLabel(aplicar);
    QFont negrita = lblCuenta->font();
    negrita.setBold(true);
    lblCuenta->setFont(negrita);
    rbAlumno = new QRadioButton(
        porConcepto ? QStringLiteral("Concepto") : QStringLiteral("&Alumno"), aplicar);
    rbTodos = new QRadioButton(QStringLiteral("&Todos"), aplicar);
    rbSeleccionados = new QRadioButton(QStringLiteral("&Seleccionados"), aplicar);
    al->addWidget(lblCuenta);
    al->addWidget(rbAlumno);
    al->addWidget(rbTodos);
    al->addWidget(rbSeleccionados);
    al->addStretch();
    arriba->addWidget(aplicar);

    auto* meses = new QGroupBox(QStringLiteral(" Meses a Facturar: "), this);
    auto* ml = new QGridLayout(meses);
    dtpFecha = new QDateEdit(form_.fecha, meses);
    dtpFecha->setCalendarPopup(true);
    dtpFecha->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    ml->addWidget(Rotulo(ProgramString(10007), dtpFecha, meses), 0, 0);
    ml->addWidget(dtpFecha, 0, 1, 1, 2);
    seAnyo = new QSpinBox(meses);
    seAnyo->setRange(2000, 2100);
    seAnyo->setValue(form_.anyo);
    if (auto* texto = seAnyo->findChild<QLineEdit*>()) texto->setReadOnly(true);
    ml->addWidget(Rotulo(QStringLiteral("Año a Facturar:"), seAnyo, meses), 1, 0);
    ml->addWidget(seAnyo, 1, 1, 1, 2);
    cbMes = new QComboBox(meses);
    // The program's month names: Spanish whatever the workstation's language.
    for (int m = 1; m <= 12; ++m) cbMes->addItem(NombreMesLargo(m), m);
    // Without a month filter the form offers this month: the one an office bills.
    if (form_.mes <= 0 && !TFormGenerarFacturas::HayMesFiltro()) form_.mes = Hoy().month();
    cbMes->setCurrentIndex(form_.mes - 1);
    bbBorrarMes = new QPushButton(QStringLiteral("Sin mes"), meses);
    bbBorrarMes->setToolTip(QStringLiteral("Borrar el mes a facturar"));
    bbBorrarMes->setAutoDefault(false);
    ml->addWidget(Rotulo(QStringLiteral("Mes a facturar:"), cbMes, meses), 2, 0);
    ml->addWidget(cbMes, 2, 1);
    ml->addWidget(bbBorrarMes, 2, 2);
    arriba->addWidget(meses);

    auto* opciones = new QGroupBox(QStringLiteral(" Opciones: "), this);
    auto* ol = new QGridLayout(opciones);
    cbSerie = new QComboBox(opciones);
    {
        QSqlQuery q = DefaultDB().Query(
            QStringLiteral("SELECT IDSerieT18, SerieT18 FROM T18Series ORDER BY SerieT18"));
        while (q.next()) cbSerie->addItem(q.value(1).toString(), q.value(0).toInt());
    }
    cbSerie->setCurrentIndex(cbSerie->findData(form_.idSerie));
    ol->addWidget(Rotulo(ProgramString(10005), cbSerie, opciones), 0, 0);
    ol->addWidget(cbSerie, 0, 1);
    lblProximoNumero = new QLabel(opciones);
    ol->addWidget(new QLabel(QStringLiteral("Próximo nº de factura:"), opciones), 1, 0);
    ol->addWidget(lblProximoNumero, 1, 1);
    cbSinMes = new QCheckBox(QStringLiteral("Conceptos sin mes asignado"), opciones);
    cbSinMes->setChecked(form_.sinMes);
    ol->addWidget(cbSinMes, 2, 0, 1, 2);
    arriba->addWidget(opciones);
    layout->addLayout(arriba);

    pcPaginas = new QTabWidget(this);
    tsOpciones = new QWidget(pcPaginas);
    auto* pl = new QVBoxLayout(tsOpciones);
    mmOpciones = new QPlainTextEdit(tsOpciones);
    mmOpciones->setReadOnly(true);
    mmOpciones->setPlainText(TFormGenerarFacturas::OpcionesActivas().join(QLatin1Char('\n')));
    pl->addWidget(mmOpciones);
    tsConceptos = new QWidget(this);
    auto* cl = new QHBoxLayout(tsConceptos);
    sgConceptos = new QTableWidget(0, 4, tsConceptos);
    sgConceptos->setHorizontalHeaderLabels({QStringLiteral("Grupo"), QStringLiteral("Concepto"),
                                            QStringLiteral("Precio"), QStringLiteral("Unid.")});
    sgConceptos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgConceptos->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgConceptos->setSelectionMode(QAbstractItemView::SingleSelection);
    sgConceptos->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    sgConceptos->verticalHeader()->hide();
    sgConceptos->setStyleSheet(
        QStringLiteral("QTableWidget { background: white; selection-background-color: "
                       "rgb(210,210,210); selection-color: black; }"
                       "QHeaderView::section { background: rgb(200,200,200); }"));
    cl->addWidget(sgConceptos, 1);
    auto* botonesConceptos = new QVBoxLayout;
    bbMas = new QPushButton(QStringLiteral("+"), tsConceptos);
    bbMenos = new QPushButton(QStringLiteral("-"), tsConceptos);
    bbFacturarConcepto = new QPushButton(QStringLiteral("Facturar / No Facturar"), tsConceptos);
    for (QPushButton* b : {bbMas, bbMenos, bbFacturarConcepto}) {
        b->setAutoDefault(false);
        botonesConceptos->addWidget(b);
    }
    botonesConceptos->addStretch();
    cl->addLayout(botonesConceptos);
    layout->addWidget(pcPaginas, 1);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    bbFacturar = new QPushButton(ProgramString(10004), this);
    bbFacturarCobrar = new QPushButton(QStringLiteral("&Facturar y cobrar la factura"), this);
    bbCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    bbFacturar->setDefault(true);
    botones->addWidget(bbFacturar);
    botones->addWidget(bbFacturarCobrar);
    botones->addWidget(bbCancelar);
    layout->addLayout(botones);
    resize(820, 520);

    // Attaching the grid: a selection of two or more rows is what the user meant.
    const bool haySeleccion = grid_.SelectedKeys().size() >= 2;
    rbSeleccionados->setEnabled(haySeleccion);
    if (haySeleccion)
        rbSeleccionados->setChecked(true);
    else
        (TFormGenerarFacturas::HayMesFiltro() ? rbTodos : rbAlumno)->setChecked(true);

    for (QRadioButton* r : {rbAlumno, rbTodos, rbSeleccionados})
        connect(r, &QRadioButton::clicked, this, [this] { Seleccionar(); });
    connect(cbMes, &QComboBox::currentIndexChanged, this, [this] { MesCambiado(); });
    connect(bbBorrarMes, &QPushButton::clicked, this, [this] { cbMes->setCurrentIndex(-1); });
    connect(cbSinMes, &QCheckBox::toggled, this, [this] { MesCambiado(); });
    connect(seAnyo, &QSpinBox::valueChanged, this, [this](int anyo) { form_.anyo = anyo; });
    connect(dtpFecha, &QDateEdit::dateChanged, this, [this](QDate d) { form_.fecha = d; });
    connect(cbSerie, &QComboBox::currentIndexChanged, this, [this] { SerieCambiada(); });
    connect(bbMas, &QPushButton::clicked, this, [this] { SumarUnidades(1); });
    connect(bbMenos, &QPushButton::clicked, this, [this] { SumarUnidades(-1); });
    connect(bbFacturarConcepto, &QPushButton::clicked, this, [this] { CambiarFacturar(); });
    connect(sgConceptos, &QTableWidget::cellDoubleClicked, this, [this] { CambiarFacturar(); });
    connect(bbFacturar, &QPushButton::clicked, this, [this] { Facturar(false); });
    connect(bbFacturarCobrar, &QPushButton::clicked, this, [this] { Facturar(true); });
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    SerieCambiada();
    Seleccionar();
}

void TFRMGenerarFacturas::Seleccionar() {
    const TModoSeleccionGrid filas = rbTodos->isChecked()           ? msgTodos
                                     : rbSeleccionados->isChecked() ? msgSeleccionados
                                                                    : msgActual;
    form_.sinMes = cbSinMes->isChecked();
    valido_ = EjecutaProtegido([&] { form_.Seleccionar(grid_, filas); });
    const bool porConcepto = form_.modo == TFormGenerarFacturas::kPorConcepto;
    const int n = int(porConcepto ? form_.conceptos.size() : form_.alumnos.size());
    const int texto = porConcepto ? (n < 2 ? 10035 : 10034) : (n < 2 ? 10023 : 10022);
    lblCuenta->setText(ProgramStringFmt(texto, {n}));
    Habilitar();
    LlenarConceptos();
}

void TFRMGenerarFacturas::Habilitar() {
    cargando_ = true;
    const bool mesLibre = !TFormGenerarFacturas::HayMesFiltro();
    // The box (and the concept grid) is for one student's bill with the month free to choose.
    const bool caja = form_.MuestraConceptos() && mesLibre;
    cbSinMes->setEnabled(caja);
    if (!caja) cbSinMes->setChecked(false);
    form_.sinMes = cbSinMes->isChecked();
    // The box adds the concepts without month to the month's; it no longer takes the month away.
    cbMes->setCurrentIndex(form_.mes - 1);
    cbMes->setEnabled(mesLibre);
    bbBorrarMes->setEnabled(mesLibre);
    seAnyo->setEnabled(mesLibre);

    const bool conceptos = form_.MuestraConceptos();
    const int indice = pcPaginas->indexOf(tsConceptos);
    if (conceptos && indice < 0) {
        pcPaginas->addTab(tsConceptos, QStringLiteral("Conceptos a facturar"));
    } else if (!conceptos && indice >= 0) {
        pcPaginas->removeTab(indice);
        tsConceptos->hide();
    }
    if (pcPaginas->indexOf(tsOpciones) < 0)
        pcPaginas->insertTab(0, tsOpciones, QStringLiteral("Opciones de facturación"));
    pcPaginas->setCurrentWidget(conceptos ? tsConceptos : tsOpciones);
    cargando_ = false;
}

void TFRMGenerarFacturas::LlenarConceptos() {
    sgConceptos->setRowCount(0);
    if (!form_.MuestraConceptos()) return;
    sgConceptos->setRowCount(int(form_.seleccion.size()));
    for (int fila = 0; fila < int(form_.seleccion.size()); ++fila) {
        const TSeleccionConcepto& s = form_.seleccion[size_t(fila)];
        const QString textos[] = {s.grupo, s.concepto,
                                  FormatearMascara(s.precio, QStringLiteral("0.00")),
                                  FormatearMascara(s.unidades, QStringLiteral("0.##"))};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(textos[c]);
            if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            sgConceptos->setItem(fila, c, item);
        }
        PintarFila(fila);
    }
    if (sgConceptos->rowCount() > 0) sgConceptos->selectRow(0);
    for (QPushButton* b : {bbMas, bbMenos, bbFacturarConcepto})
        b->setEnabled(sgConceptos->rowCount() > 0);
}

void TFRMGenerarFacturas::PintarFila(int fila) {
    const TSeleccionConcepto& s = form_.seleccion[size_t(fila)];
    for (int c = 0; c < 4; ++c) {
        QTableWidgetItem* item = sgConceptos->item(fila, c);
        QFont f = item->font();
        // Billed rows stand out; the others are struck out.
        f.setBold(s.facturar);
        f.setStrikeOut(!s.facturar);
        item->setFont(f);
        item->setForeground(s.facturar ? QColor(Qt::black) : QColor(Qt::gray));
    }
    sgConceptos->item(fila, 3)->setText(FormatearMascara(s.unidades, QStringLiteral("0.##")));
}

void TFRMGenerarFacturas::SumarUnidades(int delta) {
    const int fila = sgConceptos->currentRow();
    if (fila < 0 || fila >= int(form_.seleccion.size())) return;
    form_.seleccion[size_t(fila)].unidades += Currency(delta);
    PintarFila(fila);
}

void TFRMGenerarFacturas::CambiarFacturar() {
    const int fila = sgConceptos->currentRow();
    if (fila < 0 || fila >= int(form_.seleccion.size())) return;
    form_.seleccion[size_t(fila)].facturar = !form_.seleccion[size_t(fila)].facturar;
    PintarFila(fila);
}

void TFRMGenerarFacturas::MesCambiado() {
    if (cargando_) return;
    form_.mes = cbMes->currentIndex() + 1;
    form_.sinMes = cbSinMes->isChecked();
    Habilitar();
    // A new month lists other concepts: every flag starts again.
    EjecutaProtegido([&] { form_.CargarConceptos(); });
    LlenarConceptos();
}

void TFRMGenerarFacturas::SerieCambiada() {
    form_.idSerie = cbSerie->currentIndex() < 0 ? 0 : cbSerie->currentData().toInt();
    QString siguiente;
    if (form_.idSerie > 0) {
        QSqlQuery q = DefaultDB().Query(
            QStringLiteral("SELECT NSiguienteFacturaT18 FROM T18Series WHERE IDSerieT18=") +
            ValorSQL(form_.idSerie));
        if (q.next()) siguiente = q.value(0).toString();
    }
    lblProximoNumero->setText(siguiente);
}

void TFRMGenerarFacturas::Facturar(bool cobrar) {
    form_.fecha = dtpFecha->date();
    form_.anyo = seAnyo->value();
    if (EjecutaProtegido([&] { form_.Facturar(cobrar); })) accept();
}

bool MostrarGenerarFacturas(TZMKDBGrid& grid, int modo) {
    if (!EjecutaProtegido(ExigirCentroActual)) return false;
    if (modo != TFormGenerarFacturas::kPorAlumno && modo != TFormGenerarFacturas::kPorConcepto) {
        MuestraError(QStringLiteral("¡Error interno! Modo de facturación incorrecto."));
        return false;
    }
    TFRMGenerarFacturas dialogo(grid, modo);
    if (!dialogo.Valido()) return false;
    return dialogo.exec() == QDialog::Accepted;
}

}  // namespace zmk
