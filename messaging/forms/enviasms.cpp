#include "messaging/forms/enviasms.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "host/errors.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"
#include "messaging/serviciosms.h"

namespace zmk {

namespace {

QPushButton* Boton(const char* nombre, const QString& texto, QWidget* padre) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    return b;
}

template <typename T>
T* Nombrado(T* w, const char* nombre) {
    w->setObjectName(QString::fromLatin1(nombre));
    return w;
}

// Runs an action of the window, showing a refusal and ignoring a silent abort.
template <typename F>
void Protegido(F&& accion) {
    try {
        accion();
    } catch (const EAbort&) {
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    }
}

const QString kFiltroTexto = QStringLiteral("Archivos de texto (*.txt)");

}  // namespace

TccFRMEnviaSMS::TccFRMEnviaSMS(QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()) {
    setObjectName(QStringLiteral("TccFRMEnviaSMS"));
    setWindowTitle(QStringLiteral("Formulario de envío de SMS"));
    auto* layout = new QVBoxLayout(this);
    pcPestanyes = Nombrado(new QTabWidget(this), "pcPestanyes");
    pcPestanyes->addTab(tsDestinatariosGrid = PaginaDestinatariosGrid(),
                        QStringLiteral("Destinatarios"));
    pcPestanyes->addTab(tsDestinatariosManual = PaginaDestinatariosManual(),
                        QStringLiteral("Destinatarios"));
    pcPestanyes->addTab(tsMensaje = PaginaMensaje(), QStringLiteral("Mensaje"));
    pcPestanyes->addTab(tsResumen = PaginaResumen(), QStringLiteral("Resumen"));
    pcPestanyes->addTab(tsIdentificacion = PaginaIdentificacion(),
                        QStringLiteral("Identificación"));
    pcPestanyes->addTab(tsRespuesta = PaginaRespuesta(), QStringLiteral("Respuesta del servidor"));
    pcPestanyes->addTab(tsMovistar = PaginaMovistar(), QStringLiteral("MOVISTAR"));
    layout->addWidget(pcPestanyes);
    auto* botones = new QHBoxLayout;
    bbAnterior = Boton("bbAnterior", QStringLiteral("&Anterior"), this);
    bbSiguiente = Boton("bbSiguiente", QStringLiteral("&Siguiente"), this);
    bbCerrar = Boton("bbCerrar", QStringLiteral("Cerrar"), this);
    botones->addWidget(bbAnterior);
    botones->addWidget(bbSiguiente);
    botones->addStretch();
    botones->addWidget(bbCerrar);
    layout->addLayout(botones);
    connect(bbAnterior, &QPushButton::clicked, this, [this] { Navega(-1); });
    connect(bbSiguiente, &QPushButton::clicked, this, [this] { Navega(1); });
    connect(bbCerrar, &QPushButton::clicked, this, &QDialog::reject);
    connect(pcPestanyes, &QTabWidget::currentChanged, this, [this] { PaginaCambiada(); });

    mMensajeAEnviar->setPlainText(form_.mensaje);
    ebRemitente->setText(form_.remitente);
    ebUsuario->setText(form_.usuario);
    ebPassword->setText(form_.password);
    const QString cuenta = ServicioSMS().paginaCuenta;
    lblCuentaWeb->setVisible(!cuenta.isEmpty());
    lblCuentaWeb->setText(QStringLiteral("<a href=\"%1\">Consulte su cuenta de SMS en la web</a>")
                              .arg(cuenta.toHtmlEscaped()));
    TranslateWidget(this, QStringLiteral("CC_TccFRMEnviaSMS"), TCaptionTranslation::Translate);
    resize(720, 520);
    MuestraPaginas(false);
    pcPestanyes->setCurrentWidget(tsDestinatariosManual);
    MuestraLongitud();
}

QWidget* TccFRMEnviaSMS::PaginaDestinatariosGrid() {
    auto* p = Nombrado(new QWidget, "tsDestinatariosGrid");
    auto* l = new QVBoxLayout(p);
    auto* registros = Nombrado(new QGroupBox(QStringLiteral(" Registros: "), p), "gbRegistros");
    auto* rl = new QHBoxLayout(registros);
    rbActual = Nombrado(new QRadioButton(QStringLiteral("Sólo el Actual"), registros), "rbActual");
    rbTodas = Nombrado(new QRadioButton(QStringLiteral("Todos"), registros), "rbTodas");
    rbSegunSeleccion = Nombrado(new QRadioButton(QStringLiteral("&Según Selección"), registros),
                                "rbSegunSeleccion");
    stTotalRegs = Nombrado(new QLabel(registros), "stTotalRegs");
    for (QRadioButton* rb : {rbActual, rbTodas, rbSegunSeleccion}) {
        rl->addWidget(rb);
        connect(rb, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !cargando_) CargaDestinatarios();
        });
    }
    rl->addStretch();
    rl->addWidget(stTotalRegs);
    l->addWidget(registros);
    pcDestinatarios = Nombrado(new QTabWidget(p), "pcDestinatarios");
    lbxDestinatarios = Nombrado(new QListWidget, "lbxDestinatarios");
    // The selected line on light grey; the invalid numbers' text in red (set per item).
    lbxDestinatarios->setStyleSheet(
        QStringLiteral("QListWidget::item:selected { background: #e0e0e0; color: black; }"));
    connect(lbxDestinatarios, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!cargando_)
            MarcaDestinatario(lbxDestinatarios->row(item), item->checkState() == Qt::Checked);
    });
    sgDatosDisponibles = Nombrado(new QTableWidget, "sgDatosDisponibles");
    sgDatosDisponibles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgDatosDisponibles->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(sgDatosDisponibles, &QTableWidget::cellDoubleClicked, this, [this](int fila, int) {
        if (fila < form_.agenda.Datos().size())
            MarcaDestinatario(fila, !form_.agenda.Datos()[fila].selected);
    });
    pcDestinatarios->addTab(lbxDestinatarios, QStringLiteral("Selección"));
    pcDestinatarios->addTab(sgDatosDisponibles, QStringLiteral("Campos"));
    l->addWidget(pcDestinatarios);
    return p;
}

QWidget* TccFRMEnviaSMS::PaginaDestinatariosManual() {
    auto* p = Nombrado(new QWidget, "tsDestinatariosManual");
    auto* l = new QVBoxLayout(p);
    auto* fila = new QHBoxLayout;
    ebNewMovilManual = Nombrado(new QLineEdit(p), "ebNewMovilManual");
    bbAnadirMovil = Boton("bbAnadirMovil", QStringLiteral("Añadir número"), p);
    bbQuitarMovil = Boton("bbQuitarMovil", QStringLiteral("Quitar número"), p);
    fila->addWidget(ebNewMovilManual);
    fila->addWidget(bbAnadirMovil);
    fila->addWidget(bbQuitarMovil);
    l->addLayout(fila);
    lbMovilesManuales = Nombrado(new QListWidget(p), "lbMovilesManuales");
    lblMovilesManualesCount = Nombrado(new QLabel(p), "lblMovilesManualesCount");
    l->addWidget(lbMovilesManuales);
    l->addWidget(lblMovilesManualesCount);
    connect(ebNewMovilManual, &QLineEdit::returnPressed, this, [this] {
        if (!ebNewMovilManual->text().trimmed().isEmpty()) AnadirNumero();
    });
    connect(bbAnadirMovil, &QPushButton::clicked, this, [this] { AnadirNumero(); });
    connect(bbQuitarMovil, &QPushButton::clicked, this, [this] {
        form_.agenda.QuitarNumero(lbMovilesManuales->currentRow());
        MuestraManuales();
    });
    return p;
}

QWidget* TccFRMEnviaSMS::PaginaMensaje() {
    auto* p = Nombrado(new QWidget, "tsMensaje");
    auto* l = new QVBoxLayout(p);
    mMensajeAEnviar = Nombrado(new QPlainTextEdit(p), "mMensajeAEnviar");
    l->addWidget(mMensajeAEnviar);
    auto* datos = new QHBoxLayout;
    auto* remitente = Nombrado(new QLabel(QStringLiteral("Remitente:"), p), "lblRemitente");
    ebRemitente = Nombrado(new QLineEdit(p), "ebRemitente");
    ebRemitente->setMaxLength(TFormEnviaSMS::kMaxRemitente);
    remitente->setBuddy(ebRemitente);
    lblNCarDisp = Nombrado(new QLabel(p), "lblNCarDisp");
    datos->addWidget(remitente);
    datos->addWidget(ebRemitente);
    datos->addStretch();
    datos->addWidget(lblNCarDisp);
    l->addLayout(datos);
    lblAvisoMensaje = Nombrado(new QLabel(p), "lblAvisoMensaje");
    lblAvisoMensaje->setWordWrap(true);
    l->addWidget(lblAvisoMensaje);
    auto* botones = new QHBoxLayout;
    bbInsertaCampo = Boton("bbInsertaCampo", QStringLiteral("&Inserta Campo"), p);
    pmCamposMensaje = Nombrado(new QMenu(bbInsertaCampo), "pmCamposMensaje");
    bbLeerMensaje = Boton("bbLeerMensaje", QStringLiteral("Leer el mensaje de un archivo"), p);
    bbGuardarMensaje =
        Boton("bbGuardarMensaje", QStringLiteral("Guardar el mensaje en un archivo"), p);
    botones->addWidget(bbInsertaCampo);
    botones->addStretch();
    botones->addWidget(bbLeerMensaje);
    botones->addWidget(bbGuardarMensaje);
    l->addLayout(botones);
    connect(mMensajeAEnviar, &QPlainTextEdit::textChanged, this, [this] { MuestraLongitud(); });
    connect(bbInsertaCampo, &QPushButton::clicked, this, [this] {
        pmCamposMensaje->popup(bbInsertaCampo->mapToGlobal(bbInsertaCampo->rect().bottomLeft()));
    });
    connect(bbLeerMensaje, &QPushButton::clicked, this, [this] {
        Protegido([&] {
            const QString archivo =
                Prompt().OpenFileName(QStringLiteral("Leer el mensaje de un archivo"), QString(),
                                      kFiltroTexto + QStringLiteral(";;Todos los archivos (*.*)"));
            if (!archivo.isEmpty()) mMensajeAEnviar->setPlainText(LeeTextoSMS(archivo));
        });
    });
    connect(bbGuardarMensaje, &QPushButton::clicked, this, [this] {
        Protegido([&] {
            const QString archivo = Prompt().SaveFileName(
                QStringLiteral("Guardar el mensaje en un archivo"), QString(), kFiltroTexto);
            if (!archivo.isEmpty())
                GuardaTextoSMS(ConExtensionTxt(archivo), mMensajeAEnviar->toPlainText());
        });
    });
    return p;
}

QWidget* TccFRMEnviaSMS::PaginaResumen() {
    auto* p = Nombrado(new QWidget, "tsResumen");
    auto* l = new QVBoxLayout(p);
    lbxTelefonos = Nombrado(new QListWidget(p), "lbxTelefonos");
    lblNTelefonos = Nombrado(new QLabel(p), "lblNTelefonos");
    mMensajeResumen = Nombrado(new QPlainTextEdit(p), "mMensajeResumen");
    mMensajeResumen->setReadOnly(true);
    l->addWidget(lbxTelefonos, 2);
    l->addWidget(lblNTelefonos);
    l->addWidget(mMensajeResumen, 1);
    connect(lbxTelefonos, &QListWidget::currentRowChanged, this, [this](int k) {
        const QVector<int> filas = form_.agenda.Seleccionados();
        if (k < 0 || k >= filas.size()) return mMensajeResumen->clear();
        try {
            mMensajeResumen->setPlainText(form_.MensajeDe(filas[k]));
        } catch (const EZMKError& e) {
            mMensajeResumen->setPlainText(e.Message());
        }
    });
    return p;
}

QWidget* TccFRMEnviaSMS::PaginaIdentificacion() {
    auto* p = Nombrado(new QWidget, "tsIdentificacion");
    auto* l = new QVBoxLayout(p);
    auto* datos = new QFormLayout;
    ebUsuario = Nombrado(new QLineEdit(p), "ebUsuario");
    ebPassword = Nombrado(new QLineEdit(p), "ebPassword");
    for (QLineEdit* e : {ebUsuario, ebPassword}) e->setMaxLength(TFormEnviaSMS::kMaxIdentificacion);
    ebPassword->setEchoMode(QLineEdit::Password);
    ebPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 35;"));  // "#"
    datos->addRow(Nombrado(new QLabel(QStringLiteral("Usuario:"), p), "lblUsuario"), ebUsuario);
    datos->addRow(Nombrado(new QLabel(QStringLiteral("Password:"), p), "lblPassword"), ebPassword);
    l->addLayout(datos);
    bbEnviar = Boton("bbEnviar", QStringLiteral("&Enviar"), p);
    l->addWidget(bbEnviar, 0, Qt::AlignLeft);
    lblCuentaWeb = Nombrado(new QLabel(p), "lblCuentaWeb");
    lblCuentaWeb->setOpenExternalLinks(true);
    l->addWidget(lblCuentaWeb);
    l->addStretch();
    connect(bbEnviar, &QPushButton::clicked, this, [this] { bbEnviarClick(); });
    return p;
}

QWidget* TccFRMEnviaSMS::PaginaRespuesta() {
    auto* p = Nombrado(new QWidget, "tsRespuesta");
    auto* l = new QVBoxLayout(p);
    mLog = Nombrado(new QPlainTextEdit(p), "mLog");
    mLog->setReadOnly(true);
    l->addWidget(mLog);
    auto* botones = new QHBoxLayout;
    bbEnviarMas = Boton("bbEnviarMas", QStringLiteral("ENVIAR MÁS MENSAJES"), p);
    bbGuardarResultado = Boton("bbGuardarResultado", QStringLiteral("Guardar Resultado"), p);
    botones->addWidget(bbEnviarMas);
    botones->addStretch();
    botones->addWidget(bbGuardarResultado);
    l->addLayout(botones);
    connect(bbEnviarMas, &QPushButton::clicked, this, [this] {
        MuestraPaginas(false);
        pcPestanyes->setCurrentWidget(form_.ModoListaActivo() ? tsDestinatariosGrid
                                                              : tsDestinatariosManual);
    });
    connect(bbGuardarResultado, &QPushButton::clicked, this, [this] {
        Protegido([&] {
            const QString archivo =
                Prompt().SaveFileName(QStringLiteral("Guardar Resultado"), QString(),
                                      QStringLiteral("Archivos de Texto (*.txt)"));
            if (!archivo.isEmpty()) GuardaTextoSMS(ConExtensionTxt(archivo), form_.TextoLog());
        });
    });
    return p;
}

QWidget* TccFRMEnviaSMS::PaginaMovistar() {
    auto* p = Nombrado(new QWidget, "tsMovistar");
    auto* l = new QVBoxLayout(p);
    cbxSolicitaNotificacionEntrega =
        Nombrado(new QCheckBox(QStringLiteral("Solicitar notificación de entrega"), p),
                 "cbxSolicitaNotificacionEntrega");
    bbDescargar = Boton("bbDescargar", QStringLiteral("Descargar"), p);
    l->addWidget(cbxSolicitaNotificacionEntrega);
    l->addWidget(bbDescargar, 0, Qt::AlignLeft);
    l->addStretch();
    connect(bbDescargar, &QPushButton::clicked, this, [this] { bbDescargarClick(); });
    return p;
}

void TccFRMEnviaSMS::ModoLista(const TOrigenAgenda& origen, TZMKDBGrid& grid) {
    form_.ModoLista(origen, grid);
    cargando_ = true;
    rbSegunSeleccion->setEnabled(form_.SeleccionDisponible());
    (form_.Ambito() == msgSeleccionados ? rbSegunSeleccion : rbActual)->setChecked(true);
    // The phones the table offers besides its own (the students' parents).
    qDeleteAll(cbxTelefonos);
    cbxTelefonos.clear();
    if (form_.TelefonosDisponibles().size() > 1) {
        auto* grupo = qobject_cast<QHBoxLayout*>(rbActual->parentWidget()->layout());
        for (int k = 0; k < form_.TelefonosDisponibles().size(); ++k) {
            auto* cb =
                new QCheckBox(form_.TelefonosDisponibles()[k].titulo, rbActual->parentWidget());
            cb->setObjectName(QStringLiteral("cbxTelefono%1").arg(k));
            cb->setChecked(form_.telefonosElegidos[k]);
            grupo->insertWidget(3 + k, cb);
            connect(cb, &QCheckBox::toggled, this, [this, k](bool on) {
                form_.telefonosElegidos[k] = on;
                if (!cargando_) CargaDestinatarios();
            });
            cbxTelefonos << cb;
        }
    }
    cargando_ = false;
    bbInsertaCampo->setVisible(true);
    MuestraPaginas(false);
    pcPestanyes->setCurrentWidget(tsDestinatariosGrid);
    form_.CargarDestinatarios(form_.Ambito());
    MuestraDestinatarios();
}

void TccFRMEnviaSMS::CargaDestinatarios() {
    const TModoSeleccionGrid ambito = rbTodas->isChecked()            ? msgTodos
                                      : rbSegunSeleccion->isChecked() ? msgSeleccionados
                                                                      : msgActual;
    Protegido([&] { form_.CargarDestinatarios(ambito); });
    MuestraDestinatarios();
}

void TccFRMEnviaSMS::MuestraDestinatarios() {
    cargando_ = true;
    const TAgendaSMS& agenda = form_.agenda;
    stTotalRegs->setText(QString::number(form_.TotalRegistros()));
    lbxDestinatarios->clear();
    for (int i = 0; i < agenda.Datos().size(); ++i) {
        auto* item = new QListWidgetItem(agenda.Texto(i), lbxDestinatarios);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(agenda.Datos()[i].selected ? Qt::Checked : Qt::Unchecked);
        item->setForeground(agenda.Datos()[i].valid ? Qt::black : Qt::red);
    }
    sgDatosDisponibles->clear();
    sgDatosDisponibles->setColumnCount(int(agenda.Columnas().size()));
    sgDatosDisponibles->setRowCount(int(agenda.Datos().size()));
    sgDatosDisponibles->setHorizontalHeaderLabels(agenda.Columnas());
    QStringList nombres;
    for (int i = 0; i < agenda.Datos().size(); ++i) nombres << agenda.Datos()[i].name;
    sgDatosDisponibles->setVerticalHeaderLabels(nombres);
    for (int f = 0; f < agenda.Datos().size(); ++f)
        for (int c = 0; c < agenda.Columnas().size(); ++c)
            sgDatosDisponibles->setItem(f, c, new QTableWidgetItem(agenda.Celda(c, f)));
    pmCamposMensaje->clear();
    for (const QString& campo : agenda.Columnas())
        pmCamposMensaje->addAction(campo, this, [this, campo] {
            mMensajeAEnviar->insertPlainText(u'{' + campo + u'}');
            mMensajeAEnviar->setFocus();
        });
    bbInsertaCampo->setEnabled(!agenda.Columnas().isEmpty());
    cargando_ = false;
    MuestraLongitud();
}

void TccFRMEnviaSMS::MarcaDestinatario(int fila, bool marcado) {
    form_.agenda.Marcar(fila, marcado);
    cargando_ = true;
    if (QListWidgetItem* item = lbxDestinatarios->item(fila))
        item->setCheckState(form_.agenda.Datos()[fila].selected ? Qt::Checked : Qt::Unchecked);
    cargando_ = false;
    MuestraLongitud();
}

void TccFRMEnviaSMS::AnadirNumero() {
    Protegido([&] {
        form_.agenda.AnadirNumero(ebNewMovilManual->text());
        ebNewMovilManual->clear();
    });
    MuestraManuales();
}

void TccFRMEnviaSMS::MuestraManuales() {
    lbMovilesManuales->clear();
    for (const TDatosAgenda& d : form_.agenda.Datos()) lbMovilesManuales->addItem(d.phone);
    lblMovilesManualesCount->setText(QString::number(form_.agenda.Datos().size()));
    MuestraLongitud();
}

void TccFRMEnviaSMS::MuestraLongitud() {
    form_.mensaje = mMensajeAEnviar->toPlainText();
    try {
        const TLongitudSMS l = form_.Longitud();
        lblNCarDisp->setText(QString::number(l.Disponibles()));
        lblAvisoMensaje->setText(l.unicode ? TextoAvisoUnicode() : QString());
        lblAvisoMensaje->setStyleSheet(QString());
    } catch (const EZMKError& e) {
        lblNCarDisp->setText(QStringLiteral("?"));
        lblAvisoMensaje->setText(e.Message());
        lblAvisoMensaje->setStyleSheet(QStringLiteral("color: red;"));
    }
}

void TccFRMEnviaSMS::MuestraResumen() {
    lbxTelefonos->clear();
    for (int fila : form_.agenda.Seleccionados()) lbxTelefonos->addItem(form_.agenda.Texto(fila));
    lblNTelefonos->setText(QString::number(lbxTelefonos->count()));
    mMensajeResumen->clear();
    if (lbxTelefonos->count() > 0) lbxTelefonos->setCurrentRow(0);
}

QWidget* TccFRMEnviaSMS::Pagina(TPaginaSMS pagina) const {
    switch (pagina) {
        case TPaginaSMS::DestinatariosGrid:
            return tsDestinatariosGrid;
        case TPaginaSMS::DestinatariosManual:
            return tsDestinatariosManual;
        case TPaginaSMS::Mensaje:
            return tsMensaje;
        case TPaginaSMS::Resumen:
            return tsResumen;
        case TPaginaSMS::Identificacion:
            return tsIdentificacion;
        case TPaginaSMS::Respuesta:
            return tsRespuesta;
        case TPaginaSMS::Movistar:
            return tsMovistar;
    }
    return tsMensaje;
}

void TccFRMEnviaSMS::MuestraPaginas(bool enviando) {
    const bool lista = form_.ModoListaActivo();
    auto visible = [&](QWidget* p, bool v) {
        pcPestanyes->setTabVisible(pcPestanyes->indexOf(p), v);
    };
    visible(tsDestinatariosGrid, !enviando && lista);
    visible(tsDestinatariosManual, !enviando && !lista);
    visible(tsMensaje, !enviando);
    visible(tsResumen, !enviando && lista);
    visible(tsIdentificacion, !enviando);
    visible(tsRespuesta, true);
    visible(tsMovistar, !enviando);
    bbInsertaCampo->setVisible(lista);
    bbEnviarMas->setEnabled(!enviando);
    bbGuardarResultado->setEnabled(!enviando);
    if (enviando) pcPestanyes->setCurrentWidget(tsRespuesta);
    PaginaCambiada();
}

void TccFRMEnviaSMS::Navega(int paso) {
    // The wizard's path: recipients, message, summary, identification.
    QList<QWidget*> camino{form_.ModoListaActivo() ? tsDestinatariosGrid : tsDestinatariosManual,
                           tsMensaje};
    if (form_.ModoListaActivo()) camino << tsResumen;
    camino << tsIdentificacion;
    const qsizetype k = camino.indexOf(pcPestanyes->currentWidget());
    if (k < 0) return;
    pcPestanyes->setCurrentWidget(
        camino.value(std::clamp<qsizetype>(k + paso, 0, camino.size() - 1)));
}

void TccFRMEnviaSMS::PaginaCambiada() {
    QWidget* actual = pcPestanyes->currentWidget();
    const bool enCamino = actual != tsRespuesta && actual != tsMovistar;
    bbAnterior->setEnabled(enCamino && actual != tsDestinatariosGrid &&
                           actual != tsDestinatariosManual);
    bbSiguiente->setEnabled(enCamino && actual != tsIdentificacion);
    if (actual == tsResumen) MuestraResumen();
}

void TccFRMEnviaSMS::Sincroniza() {
    form_.mensaje = mMensajeAEnviar->toPlainText();
    form_.remitente = ebRemitente->text();
    form_.usuario = ebUsuario->text();
    form_.password = ebPassword->text();
    form_.notificacionEntrega = cbxSolicitaNotificacionEntrega->isChecked();
}

void TccFRMEnviaSMS::MuestraFallo(const TFalloSMS& fallo) {
    Avisa(fallo.texto);
    pcPestanyes->setCurrentWidget(Pagina(fallo.pagina));
    switch (fallo.control) {
        case TControlSMS::Destinatarios:
            (form_.ModoListaActivo() ? static_cast<QWidget*>(lbxDestinatarios) : ebNewMovilManual)
                ->setFocus();
            break;
        case TControlSMS::Mensaje:
            mMensajeAEnviar->setFocus();
            break;
        case TControlSMS::Usuario:
            ebUsuario->setFocus();
            break;
        case TControlSMS::Password:
            ebPassword->setFocus();
            break;
    }
}

void TccFRMEnviaSMS::bbEnviarClick() {
    Sincroniza();
    Protegido([&] {
        ExigirServicioConfigurado(ServicioSMS());
        if (std::optional<TFalloSMS> fallo = form_.Comprueba(true)) return MuestraFallo(*fallo);
        form_.alEnviar = [this](bool enviando) {
            if (enviando) mLog->clear();
            MuestraPaginas(enviando);
            if (enviando) {
                // Only the answer page is shown while sending.
                bbEnviarMas->setEnabled(false);
                bbGuardarResultado->setEnabled(false);
            } else {
                pcPestanyes->setTabVisible(pcPestanyes->indexOf(tsRespuesta), true);
                for (QWidget* p : {tsDestinatariosGrid, tsDestinatariosManual, tsMensaje, tsResumen,
                                   tsIdentificacion, tsMovistar})
                    pcPestanyes->setTabVisible(pcPestanyes->indexOf(p), false);
                pcPestanyes->setCurrentWidget(tsRespuesta);
            }
        };
        form_.alAnotar = [this](const QString& linea) { mLog->appendPlainText(linea); };
        form_.Enviar();
    });
}

void TccFRMEnviaSMS::bbDescargarClick() {
    Sincroniza();
    Protegido([&] {
        if (std::optional<TFalloSMS> fallo = form_.Comprueba(false)) return MuestraFallo(*fallo);
        // The overwrite question is the wizard's own, so the file dialog does not ask.
        const QString archivo =
            QFileDialog::getSaveFileName(this, QStringLiteral("Descargar"), QString(), kFiltroTexto,
                                         nullptr, QFileDialog::DontConfirmOverwrite);
        if (!archivo.isEmpty()) form_.Descargar(ConExtensionTxt(archivo));
    });
}

void MostrarEnviaSMS(const TOrigenAgenda& origen, TZMKDBGrid& grid) {
    TccFRMEnviaSMS dialogo;
    dialogo.ModoLista(origen, grid);
    dialogo.exec();
}

}  // namespace zmk
