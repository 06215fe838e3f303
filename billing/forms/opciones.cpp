#include "billing/forms/opciones.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "billing/factura.h"
#include "billing/forms/guardado.h"
#include "billing/opciones.h"
#include "billing/textoconcepto.h"
#include "core/parametrosapp.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/forms/dialogbuttons.h"
#include "host/reports.h"

namespace zmk {

namespace {

constexpr int kLongitudConceptoSepa = 250;
constexpr int kLongitudLineaRecibo = 80;

bool BaseConectada() {
    TDataBaseZMK* db = ZMKApp().GetDefaultDB();
    return db && db->Connected();
}

QLabel* Nota(const QString& texto, QWidget* padre, bool negrita = false) {
    auto* l = new QLabel(texto, padre);
    l->setWordWrap(true);
    if (negrita) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QCheckBox* Casilla(const QString& texto, QWidget* padre, QLayout* layout) {
    auto* c = new QCheckBox(texto, padre);
    layout->addWidget(c);
    return c;
}

// The options bound one to one to a check box.
struct TCasillaOpcion {
    QCheckBox* TFRMOpciones::*casilla;
    const char* clave;
    bool defecto;
};
const TCasillaOpcion kCasillas[] = {
    {&TFRMOpciones::cbEvitarDuplicadosFecha, "EvitarDuplicadosFechaFactura", true},
    {&TFRMOpciones::cbNumerarFacturas, "NumerarFacturas", true},
    {&TFRMOpciones::cbAlumnoRelacionado, "FacturarAlAlumnoRelacionado", false},
    {&TFRMOpciones::cbEvitarDuplicadosConceptos, "EvitarDuplicadosConceptos", true},
    {&TFRMOpciones::cbNumerarAlCobrar, "NumerarFacturaAlCobrar", false},
    {&TFRMOpciones::cbModificarFechaAlCobrar, "ModificarFechaFacturaAlCobrar", false},
    {&TFRMOpciones::cbPermitirManual, "PermitirCrearFactManualmente", false},
    {&TFRMOpciones::cbComprobarBajas, "ComprobarFechaBajaMatrAlFact", false},
    {&TFRMOpciones::cbPadreOMadre, "FacturarConDatosPadreOMadre", false},
    {&TFRMOpciones::cbObligarSerie, "FacturarObligarSerieEnFacturas", true},
};

// The receipt lines' options: header 1..3, body, footer 1..2.
const char* const kLineasRecibo[] = {"GR_D_Linea1Cabecera", "GR_D_Linea2Cabecera",
                                     "GR_D_Linea3Cabecera", "GR_D_LineaDetalle",
                                     "GR_D_Linea1Pie",      "GR_D_Linea2Pie"};

QString Clave(const char* clave) {
    return QString::fromLatin1(clave);
}

}  // namespace

TFRMOpciones::TFRMOpciones(bool soloFacturar, QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()) {
    setWindowTitle(QStringLiteral("Opciones"));
    auto* layout = new QVBoxLayout(this);
    pcPaginas = new QTabWidget(this);
    layout->addWidget(pcPaginas);

    // Varios
    auto* varios = new QWidget(this);
    auto* vl = new QFormLayout(varios);
    edCodigoAlumno = new QLineEdit(varios);
    vl->addRow(QStringLiteral("Siguiente Código de Alumno:"), edCodigoAlumno);
    cbFormatoFactura = new QComboBox(varios);
    cbFormatoFactura->installEventFilter(this);
    vl->addRow(QStringLiteral("Formato de Recibo/Factura predeterminado:"), cbFormatoFactura);
    bbComprobarFacturas =
        new QPushButton(QStringLiteral("Comprueba la integridad de las facturas"), varios);
    bbComprobarFacturas->setAutoDefault(false);
    vl->addRow(bbComprobarFacturas);
    connect(bbComprobarFacturas, &QPushButton::clicked, this,
            [] { EjecutaProtegido(RecalcularFacturasAntiguas); });

    // Facturar
    auto* facturar = new QWidget(this);
    auto* fl = new QVBoxLayout(facturar);
    auto* modo = new QGroupBox(QStringLiteral(" Modo de Facturar: "), facturar);
    auto* mdl = new QVBoxLayout(modo);
    rbUnaPorAlumno = new QRadioButton(ProgramString(10207), modo);
    rbUnaPorMatricula = new QRadioButton(ProgramString(10208), modo);
    mdl->addWidget(rbUnaPorAlumno);
    mdl->addWidget(rbUnaPorMatricula);
    mdl->addWidget(new QLabel(QStringLiteral("(Excepto matrículas con cobro separado)"), modo));
    fl->addWidget(modo);
    auto* generar = new QGroupBox(ProgramString(10201), facturar);
    auto* gl = new QVBoxLayout(generar);
    cbEvitarDuplicadosFecha =
        Casilla(QStringLiteral("No facturar si ya está facturado en la misma fecha"), generar, gl);
    cbNumerarFacturas = Casilla(ProgramString(10205), generar, gl);
    cbAlumnoRelacionado =
        Casilla(QStringLiteral("Al facturar vincular los recibos/facturas al alumno relacionado"),
                generar, gl);
    cbEvitarDuplicadosConceptos = Casilla(
        QStringLiteral("No facturar si el concepto está facturado (mes y año)"), generar, gl);
    cbComprobarBajas = Casilla(QStringLiteral("Comprobar si hay matrículas con fecha de baja "
                                              "anterior o igual a la fecha de facturación."),
                               generar, gl);
    cbPadreOMadre = Casilla(
        QStringLiteral("Al facturar poner como nombre y NIF de la factura al padre o madre del "
                       "alumno (si tienen valor y en este orden de prioridad)"),
        generar, gl);
    fl->addWidget(generar);
    auto* cobrar = new QGroupBox(ProgramString(10202), facturar);
    auto* cl = new QVBoxLayout(cobrar);
    cbNumerarAlCobrar = Casilla(ProgramString(10203), cobrar, cl);
    cbModificarFechaAlCobrar = Casilla(ProgramString(10204), cobrar, cl);
    cbModificarFechaAlCobrar->setContentsMargins(20, 0, 0, 0);
    fl->addWidget(cobrar);
    cbPermitirManual = Casilla(ProgramString(10206), facturar, fl);
    cbObligarSerie = Casilla(ProgramString(10209), facturar, fl);
    fl->addStretch();
    connect(cbNumerarAlCobrar, &QCheckBox::toggled, cbModificarFechaAlCobrar,
            &QCheckBox::setEnabled);

    // Detalle del Recibo (Formato SEPA)
    auto* sepa = new QWidget(this);
    auto* sl = new QGridLayout(sepa);
    sl->addWidget(Nota(QStringLiteral("Según la Norma 19 SEPA un recibo contiene una sola línea de "
                                      "140 carácteres"),
                       sepa, true),
                  0, 0, 1, 2);
    sl->addWidget(Nota(QStringLiteral("Escriba a continuación el texto que desea que aparezca en "
                                      "el concepto, poniendo los campos disponibles de la derecha "
                                      "en el lugar correspondiente según como quiera que aparezca "
                                      "en el recibo."),
                       sepa),
                  1, 0, 1, 2);
    sl->addWidget(Nota(QStringLiteral("Se generará un texto por cada línea de concepto del recibo. "
                                      "Para hacer que solamente se muestre el primer valor es "
                                      "necesario poner el texto entre los símbolos \"[\" y \"]\"."),
                       sepa),
                  2, 0, 1, 2);
    mmConceptoSepa = new QPlainTextEdit(sepa);
    // Tab moves on: the concept is one line and takes no control characters.
    mmConceptoSepa->setTabChangesFocus(true);
    sl->addWidget(mmConceptoSepa, 3, 0);
    auto* campos = new QVBoxLayout;
    auto* rotuloCampos = new QLabel(QStringLiteral("Campos disponibles"), sepa);
    lbCampos = new QListWidget(sepa);
    rotuloCampos->setBuddy(lbCampos);
    for (int c = 0; c < kCamposConceptoRecibo; ++c)
        lbCampos->addItem(MarcadorConceptoRecibo(TCampoConceptoRecibo(c)));
    campos->addWidget(rotuloCampos);
    campos->addWidget(lbCampos);
    sl->addLayout(campos, 3, 1);
    sl->addWidget(new QLabel(QStringLiteral("Ejemplo de salida:"), sepa), 4, 0, 1, 2);
    lblEjemplo = Nota(QString(), sepa);
    lblEjemplo->setFrameShape(QFrame::StyledPanel);
    lblEjemplo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sl->addWidget(lblEjemplo, 5, 0, 1, 2);
    connect(mmConceptoSepa, &QPlainTextEdit::textChanged, this, [this] { ConceptoSepaCambiado(); });
    // A double click, or Enter on the list, inserts the placeholder at the caret.
    connect(lbCampos, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        mmConceptoSepa->insertPlainText(item->text());
        mmConceptoSepa->setFocus();
    });

    // Detalle del Recibo (Formato Antiguo)
    auto* antiguo = new QWidget(this);
    auto* al = new QGridLayout(antiguo);
    al->addWidget(Nota(QStringLiteral("IMPORTANTE:"), antiguo, true), 0, 0, 1, 3);
    al->addWidget(
        Nota(QStringLiteral("Un recibo está formado por 8 LINEAS de 80 carácteres cada una."),
             antiguo),
        1, 0, 1, 3);
    al->addWidget(Nota(QStringLiteral("Seleccione el formato que desee en su recibo introduciendo "
                                      "una cabecera y un pie, así como los campos que desee que "
                                      "aparezcan en el cuerpo."),
                       antiguo),
                  2, 0, 1, 3);
    cbLineasCabecera = new QComboBox(antiguo);
    cbLineasCabecera->addItems({QStringLiteral("Ninguna"), QStringLiteral("Una"),
                                QStringLiteral("Dos"), QStringLiteral("Tres")});
    cbLineasPie = new QComboBox(antiguo);
    cbLineasPie->addItems(
        {QStringLiteral("Ninguna"), QStringLiteral("Una"), QStringLiteral("Dos")});
    auto* rc = new QLabel(QStringLiteral("Número de líneas de la cabecera"), antiguo);
    rc->setBuddy(cbLineasCabecera);
    auto* rp = new QLabel(QStringLiteral("Número de líneas del pie"), antiguo);
    rp->setBuddy(cbLineasPie);
    al->addWidget(rc, 3, 0);
    al->addWidget(cbLineasCabecera, 3, 1);
    al->addWidget(rp, 4, 0);
    al->addWidget(cbLineasPie, 4, 1);
    const QFont fija = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto linea = [&](int fila, const QString& rotulo) {
        auto* e = new QLineEdit(antiguo);
        e->setMaxLength(kLongitudLineaRecibo);
        e->setFont(fija);
        e->setMinimumWidth(QFontMetrics(fija).horizontalAdvance(QString(82, QLatin1Char('M'))));
        if (!rotulo.isEmpty()) al->addWidget(new QLabel(rotulo, antiguo), fila, 0);
        al->addWidget(e, fila, 1, 1, 2);
        return e;
    };
    for (int i = 0; i < 3; ++i)
        edCabecera[i] = linea(5 + i, i == 0 ? QStringLiteral("Cabecera") : QString());
    edCuerpo = linea(8, QStringLiteral("Cuerpo"));
    for (int i = 0; i < 2; ++i) edPie[i] = linea(9 + i, i == 0 ? QStringLiteral("Pie") : QString());
    al->addWidget(Nota(QStringLiteral("Campos disponibles para mostrar en el cuerpo del recibo"),
                       antiguo, true),
                  11, 0, 1, 3);
    const QString leyenda = QStringLiteral(
        "A- Nombre del alumno\nW- Nombre del centro\nN- Número de matrícula\nc- Código del curso\n"
        "C- Nombre del curso\ng- Código del grupo\nG- Nombre del grupo\nD- Concepto facturado\n"
        "m- Número del mes facturado\nM- Nombre del mes facturado\na- Año facturado\n"
        "b- Importe base\nu- Unidades\n%- Porcentaje de descuento\ni- Base imponible (b * u - %)\n"
        "I- Porcentaje de IVA\nT- Importe total (i + I)");
    const QStringList lineasLeyenda = leyenda.split(QLatin1Char('\n'));
    al->addWidget(new QLabel(lineasLeyenda.mid(0, 9).join(QLatin1Char('\n')), antiguo), 12, 0, 1, 2,
                  Qt::AlignTop);
    al->addWidget(new QLabel(lineasLeyenda.mid(9).join(QLatin1Char('\n')), antiguo), 12, 2,
                  Qt::AlignTop);
    connect(cbLineasCabecera, &QComboBox::currentIndexChanged, this, [this] { HabilitarLineas(); });
    connect(cbLineasPie, &QComboBox::currentIndexChanged, this, [this] { HabilitarLineas(); });

    // Norma 19
    auto* norma = new QWidget(this);
    auto* nl = new QVBoxLayout(norma);
    rotuloTipoN19_ = QStringLiteral(" Tipo de Norma 19 ");
    auto* tipo = new QGroupBox(rotuloTipoN19_, norma);
    auto* tl = new QVBoxLayout(tipo);
    rbN19SepaXML = new QRadioButton(QStringLiteral("Norma 19 SEPA XML"), tipo);
    rbN19Sepa = new QRadioButton(QStringLiteral("Norma 19 SEPA"), tipo);
    tl->addWidget(rbN19SepaXML);
    tl->addWidget(rbN19Sepa);
    nl->addWidget(tipo);
    auto* cuaderno =
        new QGroupBox(QStringLiteral("Versión del cuaderno Norma 19 Sepa core"), norma);
    auto* ql = new QVBoxLayout(cuaderno);
    rbCuaderno19143 =
        new QRadioButton(QStringLiteral("19143 - Cuaderno Norma 19 Sepa core estándar"), cuaderno);
    rbCuaderno19154 = new QRadioButton(
        QStringLiteral("19154 - Cuaderno para el cobro de presentaciones en plazo reducido"),
        cuaderno);
    ql->addWidget(rbCuaderno19143);
    ql->addWidget(rbCuaderno19154);
    nl->addWidget(cuaderno);
    auto* referencia = new QGroupBox(
        QStringLiteral(" Código de referencia para la Norma 19:  (Formato antiguo) "), norma);
    auto* rl = new QVBoxLayout(referencia);
    for (const QString& t : {QStringLiteral("El número de cuenta corriente del cliente (CCC)"),
                             QStringLiteral("El código del alumno"),
                             QStringLiteral("El NIF del alumno indicado en la factura")})
        rl->addWidget(new QRadioButton(t, referencia));
    nl->addWidget(referencia);
    nl->addStretch();

    if (soloFacturar) {
        pcPaginas->addTab(facturar, QStringLiteral("Facturar"));
        for (QWidget* w : {varios, sepa, antiguo, norma}) w->hide();
    } else {
        pcPaginas->addTab(varios, QStringLiteral("Varios"));
        pcPaginas->addTab(facturar, QStringLiteral("Facturar"));
        pcPaginas->addTab(sepa, QStringLiteral("Detalle del Recibo (Formato SEPA)"));
        pcPaginas->addTab(antiguo, QStringLiteral("Detalle del Recibo (Formato Antiguo)"));
        pcPaginas->addTab(norma, QStringLiteral("Norma 19"));
    }

    AddDialogButtons(layout, this, bbAceptar, bbCancelar);
    connect(bbAceptar, &QPushButton::clicked, this, [this] { BBAceptarClick(); });
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    Cargar();
}

void TFRMOpciones::Cargar() {
    const bool conectada = BaseConectada();
    if (conectada) DeclararOpcionesFacturacion();
    TParametrosApp& p = ParametrosApp();
    auto entero = [&](const char* clave, int defecto) {
        return conectada ? p.AsInteger(Clave(clave), defecto) : defecto;
    };
    auto booleano = [&](const char* clave, bool defecto) {
        return conectada ? p.AsBoolean(Clave(clave), defecto) : defecto;
    };
    auto texto = [&](const char* clave, const QString& defecto) {
        return conectada ? p.AsString(Clave(clave), defecto) : defecto;
    };
    edCodigoAlumno->setText(QString::number(entero("NuevoCodigoAlumno", 1)));
    const int formato = entero("DefaultFormatoFactura", -1);
    for (const TReportDefinition* r : Reports().All({kReportKindFactura, kReportKindRecibo}))
        cbFormatoFactura->addItem(r->name, r->id);
    // A stored report that is not offered is kept, so Aceptar does not lose it.
    if (formato >= 1 && cbFormatoFactura->findData(formato) < 0)
        cbFormatoFactura->addItem(QStringLiteral("Informe %1").arg(formato), formato);
    cbFormatoFactura->setCurrentIndex(cbFormatoFactura->findData(formato));

    (booleano("AgruparPorAlumno", false) ? rbUnaPorAlumno : rbUnaPorMatricula)->setChecked(true);
    for (const TCasillaOpcion& c : kCasillas)
        (this->*c.casilla)->setChecked(booleano(c.clave, c.defecto));
    cbModificarFechaAlCobrar->setEnabled(cbNumerarAlCobrar->isChecked());

    mmConceptoSepa->setPlainText(texto("GR_D_ConceptoSepa", QStringLiteral("{concepto}")));
    ConceptoSepaCambiado();

    cbLineasCabecera->setCurrentIndex(std::clamp(entero("GR_D_NLineasCabecera", 2), 0, 3));
    cbLineasPie->setCurrentIndex(std::clamp(entero("GR_D_NLineasPie", 1), 0, 2));
    const QString guiones =
        QString(72, QLatin1Char('-')) + QLatin1Char(' ') + QString(7, QLatin1Char('-'));
    const QString defectos[] = {
        QString(32, QLatin1Char(' ')) + QStringLiteral("CONCEPTO") + QString(33, QLatin1Char(' ')) +
            QStringLiteral("IMPORTE"),
        guiones,
        guiones,
        QString(72, QLatin1Char('D')) + QLatin1Char(' ') + QString(7, QLatin1Char('T')),
        QString(80, QLatin1Char('=')),
        QString()};
    QLineEdit* lineas[] = {edCabecera[0], edCabecera[1], edCabecera[2],
                           edCuerpo,      edPie[0],      edPie[1]};
    for (int i = 0; i < 6; ++i) lineas[i]->setText(texto(kLineasRecibo[i], defectos[i]));
    HabilitarLineas();

    const QString formatoSepa = texto("N19_FormatoSepa", QStringLiteral("N19SEPAXML"));
    if (formatoSepa == QLatin1String("N19SEPAXML")) rbN19SepaXML->setChecked(true);
    if (formatoSepa == QLatin1String("N19SEPA")) rbN19Sepa->setChecked(true);
    (texto("N19_VersionCuaderno", QStringLiteral("19143")) == QLatin1String("19154")
         ? rbCuaderno19154
         : rbCuaderno19143)
        ->setChecked(true);
}

void TFRMOpciones::HabilitarLineas() {
    const auto pinta = [](QLineEdit* e, bool habilitada) {
        e->setEnabled(habilitada);
        // The texts of unused lines are kept; the grey tells they are not printed.
        QPalette p = e->palette();
        p.setColor(QPalette::Base, habilitada ? QColor(Qt::white) : QColor(222, 222, 222));
        p.setColor(QPalette::Disabled, QPalette::Base, QColor(222, 222, 222));
        e->setPalette(p);
    };
    for (int i = 0; i < 3; ++i) pinta(edCabecera[i], i < cbLineasCabecera->currentIndex());
    for (int i = 0; i < 2; ++i) pinta(edPie[i], i < cbLineasPie->currentIndex());
}

void TFRMOpciones::ConceptoSepaCambiado() {
    const QString texto = mmConceptoSepa->toPlainText();
    QString limpio;
    for (QChar c : texto)
        if (!c.isNull() && c.category() != QChar::Other_Control && c != QChar::ParagraphSeparator &&
            c != QChar::LineSeparator)
            limpio += c;
    limpio = limpio.left(kLongitudConceptoSepa);
    if (limpio != texto) {
        const int cursor = std::min<int>(mmConceptoSepa->textCursor().position(), limpio.size());
        QSignalBlocker bloqueo(mmConceptoSepa);
        mmConceptoSepa->setPlainText(limpio);
        QTextCursor c = mmConceptoSepa->textCursor();
        c.setPosition(cursor);
        mmConceptoSepa->setTextCursor(c);
    }
    lblEjemplo->setText(EjemploConceptoSepa(limpio));
}

bool TFRMOpciones::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == cbFormatoFactura && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Delete) {
        cbFormatoFactura->setCurrentIndex(-1);
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void TFRMOpciones::BBAceptarClick() {
    const bool escrito = EjecutaProtegido([this] {
        if (!BaseConectada()) return;
        bool ok = false;
        const int codigo = edCodigoAlumno->text().trimmed().toInt(&ok);
        if (!ok)
            throw EConvertError(
                QStringLiteral("'%1' no es un valor entero válido").arg(edCodigoAlumno->text()));
        if (!rbN19SepaXML->isChecked() && !rbN19Sepa->isChecked())
            throw EZMKError(QStringLiteral("Falta seleccionar el ") + rotuloTipoN19_);
        TParametrosApp& p = ParametrosApp();
        p.SetValue(QStringLiteral("NuevoCodigoAlumno"), codigo);
        const int formato =
            cbFormatoFactura->currentIndex() < 0 ? -1 : cbFormatoFactura->currentData().toInt();
        p.SetValue(QStringLiteral("DefaultFormatoFactura"), formato);
        p.SetValue(QStringLiteral("AgruparPorAlumno"), rbUnaPorAlumno->isChecked());
        for (const TCasillaOpcion& c : kCasillas)
            p.SetValue(Clave(c.clave), (this->*c.casilla)->isChecked());
        p.SetValue(QStringLiteral("GR_D_ConceptoSepa"), mmConceptoSepa->toPlainText());
        p.SetValue(QStringLiteral("GR_D_NLineasCabecera"), cbLineasCabecera->currentIndex());
        p.SetValue(QStringLiteral("GR_D_NLineasPie"), cbLineasPie->currentIndex());
        QLineEdit* lineas[] = {edCabecera[0], edCabecera[1], edCabecera[2],
                               edCuerpo,      edPie[0],      edPie[1]};
        for (int i = 0; i < 6; ++i) p.SetValue(Clave(kLineasRecibo[i]), lineas[i]->text());
        p.SetValue(QStringLiteral("N19_FormatoSepa"), rbN19Sepa->isChecked()
                                                          ? QStringLiteral("N19SEPA")
                                                          : QStringLiteral("N19SEPAXML"));
        p.SetValue(QStringLiteral("N19_VersionCuaderno"), rbCuaderno19154->isChecked()
                                                              ? QStringLiteral("19154")
                                                              : QStringLiteral("19143"));
    });
    if (escrito) accept();
}

bool MostrarOpciones(bool soloFacturar) {
    TFRMOpciones dialogo(soloFacturar);
    return dialogo.exec() == QDialog::Accepted;
}

}  // namespace zmk
