#include "core/forms/confmenulevel0ext.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/strings.h"
#include "host/forms/menuform.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"

namespace zmk {

namespace {
const QString kRememberMDI = QStringLiteral("INIT/RememberMDIOption");
const QString kMDI = QStringLiteral("INIT/MDI");
// The preview stands for a window of this size.
const QSize kVentanaTipo(1024, 700);
const QSize kTamanoVista(360, 246);

template <class T>
T* Nombrado(T* w, const char* nombre) {
    w->setObjectName(QString::fromLatin1(nombre));
    return w;
}

void PintaMuestra(QPushButton* boton, int color) {
    QPixmap muestra(16, 16);
    muestra.fill(ColorDeWindows(color));
    boton->setIcon(QIcon(muestra));
}
}  // namespace

TCCFRMConfMenuLevel0Ext::TCCFRMConfMenuLevel0Ext(QWidget* owner, QSettings& ini)
    : QDialog(owner), ini_(ini) {
    setObjectName(QStringLiteral("TCCFRMConfMenuLevel0Ext"));
    setWindowTitle(QStringLiteral("CONFIGURACION DEL FORMULARIO PRINCIPAL"));
    if (auto* menu = dynamic_cast<TZMKMenuForm*>(owner)) {
        permite_mdi_ = menu->AllowMDI();
        mdi_actual_ = menu->IsMDI();
    }

    auto* grpTitulo = Nombrado(new QGroupBox(QStringLiteral("Título"), this), "grpTitulo");
    rbTituloEmpresa_ = Nombrado(new QRadioButton(QStringLiteral("Usar el título de la empresa")),
                                "rbTituloEmpresa");
    rbEtiqueta_ = Nombrado(new QRadioButton(QStringLiteral("Etiqueta:")), "rbEtiqueta");
    edTitulo_ = Nombrado(new QLineEdit, "edTitulo");
    btnColorTitulo_ =
        Nombrado(new QPushButton(QStringLiteral("Color del título")), "btnColorTitulo");
    auto* gt = new QGridLayout(grpTitulo);
    gt->addWidget(rbTituloEmpresa_, 0, 0, 1, 2);
    gt->addWidget(rbEtiqueta_, 1, 0);
    gt->addWidget(edTitulo_, 1, 1);
    gt->addWidget(btnColorTitulo_, 2, 0, 1, 2, Qt::AlignLeft);

    auto* grpImagen = Nombrado(new QGroupBox(QStringLiteral("Imagen"), this), "grpImagen");
    rbLogoEmpresa_ =
        Nombrado(new QRadioButton(QStringLiteral("Usar la imagen configurada en la empresa")),
                 "rbLogoEmpresa");
    rbArchivo_ = Nombrado(new QRadioButton(QStringLiteral("Archivo:")), "rbArchivo");
    edArchivo_ = Nombrado(new QLineEdit, "edArchivo");
    auto* btnBuscar =
        Nombrado(new QPushButton(QStringLiteral("Buscar archivo")), "btnBuscarArchivo");
    auto* btnBorrar = Nombrado(new QPushButton(QStringLiteral("Borrar")), "btnBorrarArchivo");
    btnColorFondo_ = Nombrado(new QPushButton(QStringLiteral("Color del fondo")), "btnColorFondo");
    chkImagenPredefinida_ = Nombrado(new QCheckBox(QStringLiteral("Mostrar imagen predefinida")),
                                     "chkImagenPredefinida");
    chkAjustar_ =
        Nombrado(new QCheckBox(QStringLiteral("Ajustar el tamaño de la imagen")), "chkAjustar");
    chkTituloEncima_ =
        Nombrado(new QCheckBox(QStringLiteral("Título encima de la imagen")), "chkTituloEncima");
    auto* gi = new QGridLayout(grpImagen);
    gi->addWidget(rbLogoEmpresa_, 0, 0, 1, 2);
    gi->addWidget(rbArchivo_, 1, 0);
    gi->addWidget(edArchivo_, 1, 1);
    auto* filaArchivo = new QHBoxLayout;
    filaArchivo->addWidget(btnBuscar);
    filaArchivo->addWidget(btnBorrar);
    filaArchivo->addStretch();
    gi->addLayout(filaArchivo, 2, 1);
    gi->addWidget(chkImagenPredefinida_, 3, 0, 1, 2);
    gi->addWidget(btnColorFondo_, 4, 0, 1, 2, Qt::AlignLeft);
    gi->addWidget(chkAjustar_, 5, 0, 1, 2);
    gi->addWidget(chkTituloEncima_, 6, 0, 1, 2);

    auto* grpVentanas = Nombrado(new QGroupBox(QStringLiteral("Ventanas"), this), "grpVentanas");
    chkMDI_ = Nombrado(new QCheckBox(QStringLiteral("Estilo MDI (múltiples ventanas)")), "chkMDI");
    chkAlinear_ = Nombrado(new QCheckBox(QStringLiteral("Alinear automáticamente")), "chkAlinear");
    chkRecordar_ =
        Nombrado(new QCheckBox(QStringLiteral("Recordar el modo de trabajo")), "chkRecordar");
    auto* gv = new QVBoxLayout(grpVentanas);
    gv->addWidget(chkMDI_);
    gv->addWidget(chkAlinear_);
    gv->addWidget(chkRecordar_);

    lblVista_ = new QLabel(this);
    lblVista_->setFixedSize(kTamanoVista);
    lblVista_->setFrameShape(QFrame::StyledPanel);

    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnAceptar"));
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancelar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    auto* btnDefecto =
        botones->addButton(QStringLiteral("Valores por Defecto"), QDialogButtonBox::ResetRole);
    btnDefecto->setObjectName(QStringLiteral("btnValoresDefecto"));

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(grpTitulo);
    izquierda->addWidget(grpImagen);
    izquierda->addStretch();
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(lblVista_);
    derecha->addWidget(grpVentanas);
    derecha->addStretch();
    auto* columnas = new QHBoxLayout;
    columnas->addLayout(izquierda);
    columnas->addLayout(derecha);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columnas);
    layout->addWidget(botones);

    MuestraAjustes(LeeAjustesFondo());
    chkMDI_->setChecked(mdi_actual_);
    chkRecordar_->setChecked(ini_.value(kRememberMDI, false).toBool());

    auto refresca = [this] { Actualiza(); };
    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(rbTituloEmpresa_),
          static_cast<QAbstractButton*>(rbEtiqueta_), static_cast<QAbstractButton*>(rbLogoEmpresa_),
          static_cast<QAbstractButton*>(rbArchivo_),
          static_cast<QAbstractButton*>(chkImagenPredefinida_),
          static_cast<QAbstractButton*>(chkAjustar_),
          static_cast<QAbstractButton*>(chkTituloEncima_), static_cast<QAbstractButton*>(chkMDI_)})
        connect(b, &QAbstractButton::toggled, this, refresca);
    connect(edTitulo_, &QLineEdit::textChanged, this, refresca);
    connect(edArchivo_, &QLineEdit::textChanged, this, refresca);
    connect(btnColorTitulo_, &QPushButton::clicked, this, [this] {
        QColor c = QColorDialog::getColor(ColorDeWindows(color_titulo_), this);
        if (c.isValid()) SetColorTitulo(c);
    });
    connect(btnColorFondo_, &QPushButton::clicked, this, [this] {
        QColor c = QColorDialog::getColor(ColorDeWindows(color_fondo_), this);
        if (c.isValid()) SetColorFondo(c);
    });
    connect(btnBuscar, &QPushButton::clicked, this, [this] {
        QString archivo = Prompt().OpenFileName(
            QStringLiteral("Imagen de fondo"), edArchivo_->text(),
            QStringLiteral("Imágenes (*.png *.jpg *.jpeg *.bmp *.gif);;Todos los archivos (*)"));
        if (archivo.isEmpty()) return;
        edArchivo_->setText(archivo);
        rbArchivo_->setChecked(true);
    });
    connect(btnBorrar, &QPushButton::clicked, edArchivo_, &QLineEdit::clear);
    connect(btnDefecto, &QPushButton::clicked, this, [this] { ValoresPorDefecto(); });
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    TranslateWidget(this, QStringLiteral("CC_TCCFRMConfMenuLevel0Ext"),
                    TCaptionTranslation::Translate);
    Actualiza();
}

TAjustesFondo TCCFRMConfMenuLevel0Ext::Ajustes() const {
    TAjustesFondo a;
    a.usarTituloEmpresa = rbTituloEmpresa_->isChecked();
    a.tituloAplicacion = edTitulo_->text();
    a.colorTitulo = color_titulo_;
    a.usarLogoEmpresa = rbLogoEmpresa_->isChecked();
    a.archivoLogo = edArchivo_->text();
    a.colorFondo = color_fondo_;
    a.mostrarImagenPredefinida = chkImagenPredefinida_->isChecked();
    a.ajustarImagen = chkAjustar_->isChecked();
    a.tituloEncimaImagen = chkTituloEncima_->isChecked();
    a.alinearAutomatico = chkAlinear_->isChecked();
    return a;
}

void TCCFRMConfMenuLevel0Ext::MuestraAjustes(const TAjustesFondo& a) {
    (a.usarTituloEmpresa ? rbTituloEmpresa_ : rbEtiqueta_)->setChecked(true);
    edTitulo_->setText(a.tituloAplicacion);
    (a.usarLogoEmpresa ? rbLogoEmpresa_ : rbArchivo_)->setChecked(true);
    edArchivo_->setText(a.archivoLogo);
    chkImagenPredefinida_->setChecked(a.mostrarImagenPredefinida);
    chkAjustar_->setChecked(a.ajustarImagen);
    chkTituloEncima_->setChecked(a.tituloEncimaImagen);
    chkAlinear_->setChecked(a.alinearAutomatico);
    SetColorTitulo(ColorDeWindows(a.colorTitulo));
    SetColorFondo(ColorDeWindows(a.colorFondo));
}

void TCCFRMConfMenuLevel0Ext::ValoresPorDefecto() {
    TAjustesFondo a = AjustesFondoPorDefecto();
    a.alinearAutomatico = chkAlinear_->isChecked();
    MuestraAjustes(a);
}

void TCCFRMConfMenuLevel0Ext::SetColorTitulo(const QColor& color) {
    color_titulo_ = ColorAWindows(color);
    PintaMuestra(btnColorTitulo_, color_titulo_);
    Actualiza();
}

void TCCFRMConfMenuLevel0Ext::SetColorFondo(const QColor& color) {
    color_fondo_ = ColorAWindows(color);
    PintaMuestra(btnColorFondo_, color_fondo_);
    Actualiza();
}

void TCCFRMConfMenuLevel0Ext::Actualiza() {
    btnColorFondo_->setEnabled(!chkImagenPredefinida_->isChecked());
    edTitulo_->setEnabled(rbEtiqueta_->isChecked());
    edArchivo_->setEnabled(rbArchivo_->isChecked());
    chkMDI_->setEnabled(permite_mdi_);
    bool mdi = permite_mdi_ && chkMDI_->isChecked();
    chkAlinear_->setEnabled(mdi);
    chkRecordar_->setEnabled(permite_mdi_);

    TAjustesFondo a = Ajustes();
    TZMKAppPaintBackGround c;
    c.SetAjustes(a);
    c.SetTitulo(TituloFondo(a));
    c.SetArchivoImagen(ArchivoImagenFondo(a));
    vista_ = VistaPreviaFondo(c, lblVista_->size(), kVentanaTipo, mdi);
    lblVista_->setPixmap(QPixmap::fromImage(vista_));
}

void TCCFRMConfMenuLevel0Ext::accept() {
    GuardaAjustesFondo(Ajustes());
    ini_.setValue(kRememberMDI, chkRecordar_->isChecked());
    aceptado_ = true;
    QDialog::accept();
}

bool TCCFRMConfMenuLevel0Ext::ModoMDI() const {
    return aceptado_ ? permite_mdi_ && chkMDI_->isChecked() : mdi_actual_;
}

bool ShowAjustesFormularioPrincipal(QWidget* owner, QSettings& ini) {
    TCCFRMConfMenuLevel0Ext dialogo(owner, ini);
    dialogo.exec();
    return dialogo.ModoMDI();
}

void ConfiguraFormularioPrincipal(QWidget* owner, QSettings& ini) {
    auto* menu = dynamic_cast<TZMKMenuForm*>(owner);
    bool actual = menu && menu->IsMDI();
    bool deseado = ShowAjustesFormularioPrincipal(owner, ini);
    if (deseado == actual) return;
    Informa(SharedString(1003));
    ini.setValue(kMDI, deseado);
}

}  // namespace zmk
