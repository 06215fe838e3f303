// The dialog's pages and controls; what they do is in importacionacciones.cpp.
#include "rules/forms/importacion.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "rules/forms/tablaorigenmodel.h"

namespace zmk {

namespace {

QLabel* Nota(const QString& texto, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setWordWrap(true);
    return l;
}

QLabel* Negrita(const QString& texto, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

// "Actual", "Selección", "Todos" in a group box; the first is chosen.
QGroupBox* GrupoRegistros(const QString& titulo, QWidget* padre, QRadioButton* (&botones)[3]) {
    auto* grupo = new QGroupBox(titulo, padre);
    auto* fila = new QHBoxLayout(grupo);
    const QString textos[3] = {QStringLiteral("Actual"), QStringLiteral("Selección"),
                               QStringLiteral("Todos")};
    for (int i = 0; i < 3; ++i) {
        botones[i] = new QRadioButton(textos[i], grupo);
        fila->addWidget(botones[i]);
    }
    fila->addStretch();
    botones[0]->setChecked(true);
    return grupo;
}

}  // namespace

TFRMImportacion::TFRMImportacion(QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()) {
    setObjectName(QStringLiteral("FRMImportacion"));
    setWindowTitle(QStringLiteral("IMPORTACIÓN DE DATOS DESDE ARCHIVOS EXTERNOS"));
    auto* layout = new QVBoxLayout(this);

    auto* cabecera = new QGridLayout;
    cabecera->addWidget(new QLabel(QStringLiteral("Importar datos de:"), this), 0, 0);
    lblNombreArchivo = Negrita(QString(), this);
    lblNombreArchivo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cabecera->addWidget(lblNombreArchivo, 0, 1, 1, 3);
    cabecera->addWidget(new QLabel(QStringLiteral("Tabla / Hoja:"), this), 1, 0);
    cbxSelTabla = new QComboBox(this);
    cbxSelTabla->setMinimumWidth(240);
    cabecera->addWidget(cbxSelTabla, 1, 1);
    cabecera->addWidget(new QLabel(QStringLiteral("DESTINO"), this), 1, 2, Qt::AlignRight);
    cabecera->addWidget(Negrita(QStringLiteral("TABLA DE ALUMNOS"), this), 1, 3);
    cabecera->setColumnStretch(1, 1);
    layout->addLayout(cabecera);

    pcPestanyes = new QTabWidget(this);
    CrearPaginaCampos();
    CrearPaginaDatos();
    CrearPaginaComprobar();
    CrearPaginaImportar();
    layout->addWidget(pcPestanyes, 1);
    layout->addLayout(CrearBotones());

    pmCamposDestino = new QMenu(this);
    pmCamposDestino->setObjectName(QStringLiteral("pmCamposDestino"));

    modelo_ = new TTablaOrigenModel(this);
    dbGridDatos->setModel(modelo_);
    connect(dbGridDatos->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { RefrescarVista(); });
    connect(pmCamposDestino, &QMenu::triggered, this,
            [this](QAction* a) { AsignarOrigen(a->data().toInt()); });

    connect(cbxSelTabla, &QComboBox::activated, this, [this](int i) {
        if (cargando_ || i < 0) return;
        if (cbxSelTabla->itemText(i) != importacion_.Tabla().nombre)
            CargarTabla(cbxSelTabla->itemText(i));
        pcPestanyes->setCurrentWidget(tsDatos);
    });
    connect(pcPestanyes, &QTabWidget::currentChanged, this, &TFRMImportacion::PaginaCambiada);
    resize(820, 600);
    PaginaCambiada(pcPestanyes->currentIndex());
}

TFRMImportacion::~TFRMImportacion() = default;

void TFRMImportacion::CrearPaginaCampos() {
    tsDatos = new QWidget(pcPestanyes);
    tsDatos->setObjectName(QStringLiteral("tsDatos"));
    auto* l = new QVBoxLayout(tsDatos);
    l->addWidget(Nota(QStringLiteral("Campos que se pueden importar (Campo Destino  <==  Campo "
                                     "Origen o \"Valor\")"),
                      tsDatos));
    lbxCamposDisponibles = new QListWidget(tsDatos);
    l->addWidget(lbxCamposDisponibles, 1);
    auto* fila = new QHBoxLayout;
    sbAsignarCampoOrigen = new QPushButton(QStringLiteral("&Asignar campo o valor"), tsDatos);
    fila->addWidget(sbAsignarCampoOrigen);
    fila->addStretch();
    l->addLayout(fila);
    pcPestanyes->addTab(tsDatos, QStringLiteral("Campos"));

    connect(lbxCamposDisponibles, &QListWidget::itemChanged, this, &TFRMImportacion::CampoMarcado);
    connect(lbxCamposDisponibles, &QListWidget::itemDoubleClicked, this,
            &TFRMImportacion::sbAsignarCampoOrigenClick);
    connect(sbAsignarCampoOrigen, &QPushButton::clicked, this,
            &TFRMImportacion::sbAsignarCampoOrigenClick);
}

void TFRMImportacion::CrearPaginaDatos() {
    tsCampos = new QWidget(pcPestanyes);
    tsCampos->setObjectName(QStringLiteral("tsCampos"));
    auto* l = new QVBoxLayout(tsCampos);
    dbGridDatos = new QTableView(tsCampos);
    dbGridDatos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbGridDatos->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbGridDatos->setSelectionMode(QAbstractItemView::ExtendedSelection);
    dbGridDatos->verticalHeader()->setDefaultSectionSize(dbGridDatos->fontMetrics().height() + 6);
    l->addWidget(dbGridDatos, 3);
    lblValoresCampos =
        new QLabel(QStringLiteral("Campos y valores que se van a importar"), tsCampos);
    l->addWidget(lblValoresCampos);
    sgValoresCampos = new QTableWidget(0, 2, tsCampos);
    sgValoresCampos->horizontalHeader()->hide();
    sgValoresCampos->verticalHeader()->hide();
    sgValoresCampos->horizontalHeader()->setStretchLastSection(true);
    sgValoresCampos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgValoresCampos->verticalHeader()->setDefaultSectionSize(
        sgValoresCampos->fontMetrics().height() + 6);
    l->addWidget(sgValoresCampos, 2);
    pcPestanyes->addTab(tsCampos, QStringLiteral("Datos"));
}

void TFRMImportacion::CrearPaginaComprobar() {
    tsComprobar = new QWidget(pcPestanyes);
    tsComprobar->setObjectName(QStringLiteral("tsComprobar"));
    auto* l = new QVBoxLayout(tsComprobar);
    l->addWidget(Nota(QStringLiteral("Lo que haría la importación con cada registro y lo que "
                                     "parece erróneo. No se escribe nada: los errores detienen "
                                     "la importación, los avisos no."),
                      tsComprobar));
    rgRegistrosAComprobar =
        GrupoRegistros(QStringLiteral("Registros a comprobar"), tsComprobar, rbComprobar);
    l->addWidget(rgRegistrosAComprobar);
    lblResumenComprobacion = Negrita(QString(), tsComprobar);
    l->addWidget(lblResumenComprobacion);
    sgComprobacion = new QTableWidget(0, int(TitulosComprobacion().size()), tsComprobar);
    sgComprobacion->setHorizontalHeaderLabels(TitulosComprobacion());
    sgComprobacion->verticalHeader()->hide();
    sgComprobacion->horizontalHeader()->setStretchLastSection(true);
    sgComprobacion->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgComprobacion->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgComprobacion->setWordWrap(false);
    l->addWidget(sgComprobacion, 1);
    auto* fila = new QHBoxLayout;
    fila->addStretch();
    sbGuardarComprobacion =
        new QPushButton(QStringLiteral("&Guardar la lista como CSV..."), tsComprobar);
    fila->addWidget(sbGuardarComprobacion);
    l->addLayout(fila);
    pcPestanyes->addTab(tsComprobar, QStringLiteral("Comprobar"));
    connect(sbGuardarComprobacion, &QPushButton::clicked, this,
            &TFRMImportacion::sbGuardarComprobacionClick);
}

void TFRMImportacion::CrearPaginaImportar() {
    tsImportar = new QWidget(pcPestanyes);
    tsImportar->setObjectName(QStringLiteral("tsImportar"));
    auto* l = new QVBoxLayout(tsImportar);
    l->addWidget(Nota(QStringLiteral("Importante: Si el contenido del campo orígen tiene un "
                                     "tamaño superior al permitido en el campo destino, durante "
                                     "el proceso de importación el campo se recortará "
                                     "automáticamente a la cantidad de caracteres permitidos."),
                      tsImportar));
    rgRegistrosAImportar =
        GrupoRegistros(QStringLiteral("Registros a importar"), tsImportar, rbImportar);
    l->addWidget(rgRegistrosAImportar);
    auto* fila = new QHBoxLayout;
    sbImportar = new QPushButton(QStringLiteral("&IMPORTAR"), tsImportar);
    sbImportar->setMinimumSize(160, 40);
    fila->addWidget(sbImportar);
    fila->addStretch();
    l->addLayout(fila);
    l->addStretch();
    pcPestanyes->addTab(tsImportar, QStringLiteral("Importar"));
    connect(sbImportar, &QPushButton::clicked, this, &TFRMImportacion::sbImportarClick);
    // The two scopes are one choice, shown where it is used.
    for (int i = 0; i < 3; ++i) {
        connect(rbImportar[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) FijarAmbito(i);
        });
        connect(rbComprobar[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) FijarAmbito(i);
        });
    }
}

QLayout* TFRMImportacion::CrearBotones() {
    QWidget* pie = this;
    auto* fila = new QHBoxLayout;
    bbAnterior = new QPushButton(QStringLiteral("&Anterior"), pie);
    bbSiguiente = new QPushButton(QStringLiteral("&Siguiente"), pie);
    bbCerrar = new QPushButton(QStringLiteral("&Cerrar"), pie);
    fila->addStretch();
    fila->addWidget(bbAnterior);
    fila->addWidget(bbSiguiente);
    fila->addSpacing(16);
    fila->addWidget(bbCerrar);
    connect(bbAnterior, &QPushButton::clicked, this,
            [this] { pcPestanyes->setCurrentIndex(pcPestanyes->currentIndex() - 1); });
    connect(bbSiguiente, &QPushButton::clicked, this,
            [this] { pcPestanyes->setCurrentIndex(pcPestanyes->currentIndex() + 1); });
    connect(bbCerrar, &QPushButton::clicked, this, &QDialog::reject);
    return fila;
}

}  // namespace zmk
