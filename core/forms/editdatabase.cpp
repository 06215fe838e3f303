#include "core/forms/editdatabase.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/strings.h"
#include "core/versiones.h"
#include "host/errors.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"

namespace zmk {

namespace {

// Title and explanation of each page.
struct TTextosPagina {
    int titulo;
    int explicacion;
};
constexpr TTextosPagina kTextos[] = {{1905, 1921}, {1906, 1922}, {1907, 1923}, {1908, 1924},
                                     {1909, 1925}, {1910, 1926}, {1909, 2009}, {1911, 1927}};

QLineEdit* Edit(const QString& name) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    return e;
}

QLabel* Etiqueta(const QString& name, const QString& text) {
    auto* l = new QLabel(text);
    l->setObjectName(name);
    return l;
}

QRadioButton* Radio(const QString& name, const QString& text) {
    auto* r = new QRadioButton(text);
    r->setObjectName(name);
    return r;
}

}  // namespace

TCCFRMEditDataBase::TCCFRMEditDataBase(int modo, const TDataBaseEntry& entry, QWidget* parent)
    : QDialog(parent), modo_(modo), entry_(entry) {
    setObjectName(QStringLiteral("TCCFRMEditDataBase"));
    setWindowTitle(QStringLiteral("Datos de la Base de datos"));
    lblTitulo = new QLabel;
    QFont f = lblTitulo->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    lblTitulo->setFont(f);
    lblExplicacion = new QLabel;
    lblExplicacion->setWordWrap(true);
    lblEstado = new QLabel;
    lblEstado->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0); font-weight: bold"));
    lblResumen = new QLabel;
    lblResumen->setWordWrap(true);
    lblResumen->setTextInteractionFlags(Qt::TextSelectableByMouse);
    edNombre = Edit(QStringLiteral("edNombre"));
    rbNueva = Radio(QStringLiteral("rbNueva"),
                    QStringLiteral("Crear una nueva Base de Datos (sin datos)"));
    rbImportar =
        Radio(QStringLiteral("rbImportar"),
              QStringLiteral("Importar una Base de Datos de una versión anterior o de otro "
                             "programa ZMK"));
    rbUbicar = Radio(QStringLiteral("rbUbicar"),
                     QStringLiteral("Seleccionar una Base de datos ya existente (trabajo en red o "
                                    "recuperación)"));
    rbImportar->setEnabled(AjustesBD().versionBD > 1);
    edUbicar = Edit(QStringLiteral("edUbicar"));
    edImportarOrigen = Edit(QStringLiteral("edImportarOrigen"));
    edImportarDestino = Edit(QStringLiteral("edImportarDestino"));
    edModNombre = Edit(QStringLiteral("edModNombre"));
    edModArchivo = Edit(QStringLiteral("edModArchivo"));
    edModPermisos = Edit(QStringLiteral("edModPermisos"));
    rbQuitarVinculo = Radio(QStringLiteral("rbQuitarVinculo"),
                            QStringLiteral("Borrar el vínculo del programa con la base de datos."));
    rbBorrarArchivo =
        Radio(QStringLiteral("rbBorrarArchivo"),
              QStringLiteral("BORRAR el archivo y eliminar TODOS LOS DATOS de la base "
                             "de datos."));
    lblInfo = new QLabel;
    lblInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    btnCopiar = new QPushButton(QStringLiteral("Copiar la ubicación"));
    btnCopiar->setObjectName(QStringLiteral("btnCopiar"));
    connect(btnCopiar, &QPushButton::clicked, this, [this] {
        QApplication::clipboard()->setText(entry_.archivo);
        Informa(SharedString(2008));
    });

    paginas_ = new QStackedWidget;
    paginas_->addWidget(
        Pagina({Etiqueta(QStringLiteral("lblNombre"), QStringLiteral("Nombre de la empresa:")),
                edNombre}));
    paginas_->addWidget(Pagina({rbNueva, rbImportar, rbUbicar}));
    paginas_->addWidget(Pagina(
        {Etiqueta(QStringLiteral("lblUbicar"), QStringLiteral("Archivo:")), ConArchivo(edUbicar)}));
    paginas_->addWidget(
        Pagina({Etiqueta(QStringLiteral("lblImportarOrigen"),
                         QStringLiteral("Importar desde el archivo:")),
                ConArchivo(edImportarOrigen),
                Etiqueta(QStringLiteral("lblImportarDestino"), QStringLiteral("Nuevo archivo:")),
                ConArchivo(edImportarDestino)}));
    paginas_->addWidget(
        Pagina({Etiqueta(QStringLiteral("lblModNombre"), QStringLiteral("Nombre de la empresa:")),
                edModNombre, Etiqueta(QStringLiteral("lblModArchivo"), QStringLiteral("Archivo:")),
                ConArchivo(edModArchivo),
                Etiqueta(QStringLiteral("lblModPermisos"), QStringLiteral("Archivo de permisos:")),
                ConArchivo(edModPermisos)}));
    paginas_->addWidget(Pagina({rbQuitarVinculo, rbBorrarArchivo}));
    paginas_->addWidget(Pagina({lblInfo, btnCopiar}));
    paginas_->addWidget(Pagina({lblResumen}));

    btnAnterior = new QPushButton(QStringLiteral("&Anterior"));
    btnSiguiente = new QPushButton(QStringLiteral("&Siguiente"));
    auto* btnCancelar = new QPushButton(QStringLiteral("&Cancelar"));
    btnAnterior->setObjectName(QStringLiteral("btnAnterior"));
    btnSiguiente->setObjectName(QStringLiteral("btnSiguiente"));
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    connect(btnAnterior, &QPushButton::clicked, this, [this] { Anterior(); });
    connect(btnSiguiente, &QPushButton::clicked, this, [this] { Siguiente(); });
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    auto* botones = new QHBoxLayout;
    botones->addWidget(lblEstado);
    botones->addStretch();
    for (QPushButton* b : {btnAnterior, btnSiguiente, btnCancelar}) botones->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitulo);
    layout->addWidget(lblExplicacion);
    layout->addWidget(paginas_, 1);
    layout->addLayout(botones);
    resize(560, 340);
    TranslateWidget(this, QStringLiteral("CC_TCCFRMEditDataBase"), TCaptionTranslation::Translate);

    int primera = pgNombre;
    switch (modo_) {
        case mebModificar:
            lblEstado->setText(SharedString(1935));
            edModNombre->setText(entry_.nombre);
            edModArchivo->setText(entry_.archivo);
            edModPermisos->setText(entry_.systemDataBase);
            primera = pgModificar;
            break;
        case mebAnadir:
            lblEstado->setText(SharedString(1936));
            nuevo_archivo_ = NewDatabaseFileName();
            edImportarDestino->setText(nuevo_archivo_);
            break;
        case mebBorrar:
            lblEstado->setText(SharedString(1937));
            primera = pgBorrado;
            break;
        case mebDuplicar:
            lblEstado->setText(SharedString(1938));
            edModNombre->setText(SharedString(1934) + u' ' + entry_.nombre);
            edModArchivo->setText(NewDatabaseFileName());
            edModPermisos->setText(entry_.systemDataBase);
            primera = pgModificar;
            break;
        case mebImportar:
            lblEstado->setText(SharedString(1939));
            edNombre->setText(entry_.nombre);
            edImportarOrigen->setText(entry_.archivo);
            edImportarDestino->setText(NewDatabaseFileName());
            primera = pgImportar;
            break;
        default:
            lblInfo->setText(entry_.nombre + u'\n' + entry_.archivo);
            primera = pgInformacion;
            break;
    }
    Muestra(primera);
}

QWidget* TCCFRMEditDataBase::Pagina(const QVector<QWidget*>& widgets) {
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    for (QWidget* w : widgets) l->addWidget(w);
    l->addStretch();
    return page;
}

QWidget* TCCFRMEditDataBase::ConArchivo(QLineEdit* edit) {
    auto* box = new QWidget;
    auto* l = new QHBoxLayout(box);
    l->setContentsMargins(0, 0, 0, 0);
    auto* browse = new QToolButton;
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, [this, edit] {
        QString f = QFileDialog::getSaveFileName(this, windowTitle(), edit->text(), QString(),
                                                 nullptr, QFileDialog::DontConfirmOverwrite);
        if (!f.isEmpty()) edit->setText(f);
    });
    l->addWidget(edit, 1);
    l->addWidget(browse);
    return box;
}

void TCCFRMEditDataBase::Muestra(int pagina) {
    paginas_->setCurrentIndex(pagina);
    // Duplicating fills the modify page: its title says what is being done.
    lblTitulo->setText(modo_ == mebDuplicar && pagina == pgModificar
                           ? QStringLiteral("Duplicar")
                           : SharedString(kTextos[pagina].titulo));
    lblExplicacion->setText(SharedString(
        modo_ == mebDuplicar && pagina == pgModificar ? 1928 : kTextos[pagina].explicacion));
    if (pagina == pgConfirmacion) lblResumen->setText(Resumen());
    btnAnterior->setEnabled(!historial_.isEmpty());
    btnSiguiente->setEnabled(pagina != pgInformacion);
}

int TCCFRMEditDataBase::PaginaSiguiente() {
    switch (Pagina()) {
        case pgNombre:
            if (edNombre->text().trimmed().isEmpty()) throw EZMKError(SharedString(1930));
            return pgAccion;
        case pgAccion:
            if (rbNueva->isChecked()) {
                accion_ = abNueva;
                return pgConfirmacion;
            }
            if (rbImportar->isChecked()) return pgImportar;
            if (rbUbicar->isChecked()) return pgUbicar;
            throw EZMKError(SharedString(1931));
        case pgUbicar:
            CompruebaArchivoElegido(edUbicar->text());
            accion_ = abVincular;
            return pgConfirmacion;
        case pgImportar:
            if (edImportarOrigen->text().trimmed().isEmpty()) throw EZMKError(SharedString(1900));
            CompruebaArchivoElegido(edImportarDestino->text());
            accion_ = abImportar;
            return pgConfirmacion;
        case pgModificar:
            if (edModNombre->text().trimmed().isEmpty()) throw EZMKError(SharedString(1930));
            CompruebaArchivoElegido(edModArchivo->text());
            if (modo_ == mebDuplicar && edModArchivo->text().trimmed() == entry_.archivo)
                throw EZMKError(SharedString(1933));
            accion_ = modo_ == mebDuplicar ? abDuplicar : abModificar;
            return pgConfirmacion;
        case pgBorrado:
            if (rbQuitarVinculo->isChecked())
                accion_ = abQuitarVinculo;
            else if (rbBorrarArchivo->isChecked() && abierta_)
                throw EZMKError(SharedStringFmt(1734, {entry_.nombre}));
            else if (rbBorrarArchivo->isChecked())
                accion_ = abBorrarArchivo;
            else
                throw EZMKError(SharedString(1931));
            return pgConfirmacion;
        default:
            return -1;
    }
}

bool TCCFRMEditDataBase::Siguiente() {
    if (Pagina() == pgConfirmacion) {
        accept();
        return true;
    }
    try {
        const int next = PaginaSiguiente();
        if (next < 0) return false;
        historial_ << Pagina();
        Muestra(next);
        return true;
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
        return false;
    }
}

void TCCFRMEditDataBase::Anterior() {
    if (historial_.isEmpty()) return;
    accion_ = -1;
    Muestra(historial_.takeLast());
}

TDataBaseEntry TCCFRMEditDataBase::Entry() const {
    TDataBaseEntry e;
    switch (accion_) {
        case abNueva:
            e = {edNombre->text().trimmed(), -1, nuevo_archivo_, QString(), QString()};
            break;
        case abImportar:
            e = {edNombre->text().trimmed(), -1, edImportarDestino->text().trimmed(), QString(),
                 QString()};
            break;
        case abVincular:
            e = {edNombre->text().trimmed(), -1, edUbicar->text().trimmed(), QString(), QString()};
            break;
        case abDuplicar:
        case abModificar:
            e = {edModNombre->text().trimmed(), -1, edModArchivo->text().trimmed(), QString(),
                 edModPermisos->text().trimmed()};
            break;
        default:
            e = entry_;
            break;
    }
    return e;
}

QString TCCFRMEditDataBase::Resumen() const {
    static const QMap<int, int> textos{
        {abNueva, 1912},         {abDuplicar, 1913},      {abImportar, 1916}, {abVincular, 1917},
        {abQuitarVinculo, 1918}, {abBorrarArchivo, 1919}, {abModificar, 1920}};
    const TDataBaseEntry e = Entry();
    QString text =
        SharedString(textos.value(accion_)) + QStringLiteral("\n\n") +
        (accion_ == abBorrarArchivo ? DescripcionArchivoBD(e) : e.nombre + u'\n' + e.archivo);
    if (accion_ == abImportar) text += QStringLiteral("\n\n") + ArchivoImportar();
    if (accion_ != abQuitarVinculo && accion_ != abBorrarArchivo)
        text += QStringLiteral("\n\n") + SharedString(e.systemDataBase.isEmpty() ? 1915 : 1914);
    return text;
}

}  // namespace zmk
