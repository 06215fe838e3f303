#include "billing/forms/datasource_textoconcepto.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "host/datetime.h"
#include "host/forms/dialogbuttons.h"

namespace zmk {

namespace {
QLabel* Nota(const QString& texto, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    l->setWordWrap(true);
    return l;
}
}  // namespace

QStringList TFRMDataSource_TextoConcepto::CamposMenu() {
    static const char* const kEntradas[] = {
        "[MES1] Primer mes (en función del mes de los conceptos)",
        "[AÑO1] Año del primer mes (en función del año seleccionado)",
        "[MES2] Segundo mes (a partir del mes de los conceptos)",
        "[AÑO2] Año del segundo mes",
        "[MES3] Tercer mes",
        "[AÑO3] Año del tercer mes",
        "[MES4] Cuarto mes",
        "[AÑO4] Año del Cuarto mes",
        "[MES5] Quinto mes",
        "[AÑO5] Año del Quinto mes",
        "[MES6] Sexto mes",
        "[AÑO6] Año del Sexto mes",
        "[MES7] Séptimo mes",
        "[AÑO7] Año del Séptimo mes",
        "[MES8] Octavo mes",
        "[AÑO8] Año del Octavo mes",
        "[MES9] Noveno mes",
        "[AÑO9] Año del Noveno mes",
        "[MES10] Décimo mes",
        "[AÑO10] Año del Décimo mes",
        "[MES11] Onzeavo mes",
        "[AÑO11] Año del Onzeavo mes",
        "[MES12] Duodécimo mes",
        "[AÑO12] Año del Duodécimo mes"};
    QStringList l;
    for (const char* e : kEntradas) l << QString::fromUtf8(e);
    return l;
}

TFRMDataSource_TextoConcepto::TFRMDataSource_TextoConcepto(const QString& texto, QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()) {
    setWindowTitle(QStringLiteral("Codificación del Concepto"));
    auto* layout = new QVBoxLayout(this);
    auto* rotulo = new QLabel(QStringLiteral("Texto del concepto codificado:"), this);
    layout->addWidget(rotulo);
    auto* fila = new QHBoxLayout;
    edTexto = new QLineEdit(this);
    edTexto->setMaxLength(TZMKDS_TextoConcepto::kLongitudMaxima);
    edTexto->setText(texto);
    rotulo->setBuddy(edTexto);
    bbInsertarCampo = new QPushButton(QStringLiteral("INSERTAR CAMPO"), this);
    bbInsertarCampo->setAutoDefault(false);
    auto* menu = new QMenu(bbInsertarCampo);
    for (const QString& entrada : CamposMenu())
        menu->addAction(entrada, this, [this, entrada] { InsertarCampo(entrada); });
    // The menu opens under the button, from the mouse or the keyboard alike.
    bbInsertarCampo->setMenu(menu);
    fila->addWidget(edTexto, 1);
    fila->addWidget(bbInsertarCampo);
    layout->addLayout(fila);
    layout->addWidget(
        Nota(QStringLiteral("Nota: En el texto del concepto codificado es posible insertar ciertos "
                            "campos que en el momento de generar los recibos/facturas se "
                            "reemplazarán por su valor (número del año o nombre del mes)."),
             this));
    layout->addWidget(
        Nota(QStringLiteral("Aquí puede hacer una simulación y ver como quedará el texto de los "
                            "recibos/facturas una vez sean substituidos los valores de los campos "
                            "según el mes en que sean generados."),
             this));

    auto* grupo = new QGroupBox(QStringLiteral(" Mes del ejemplo: "), this);
    auto* rejilla = new QGridLayout(grupo);
    rgMesEjemplo = new QButtonGroup(this);
    for (int mes = 1; mes <= 12; ++mes) {
        auto* r = new QRadioButton(NombreMesLargo(mes), grupo);
        rgMesEjemplo->addButton(r, mes);
        rejilla->addWidget(r, (mes - 1) % 3, (mes - 1) / 3);  // four columns
    }
    const QDate hoy = Hoy();
    anyoEjemplo_ = hoy.year();
    rgMesEjemplo->button(hoy.month())->setChecked(true);
    layout->addWidget(grupo);

    layout->addWidget(new QLabel(
        QStringLiteral("Ejemplo del concepto tal y como aparecerá en el recibo/factura:"), this));
    edEjemplo = new QLineEdit(this);
    edEjemplo->setReadOnly(true);
    layout->addWidget(edEjemplo);

    AddDialogButtons(layout, this, bbAceptar, bbCancelar);
    resize(560, sizeHint().height());

    connect(edTexto, &QLineEdit::textChanged, this, [this] { ActualizarEjemplo(); });
    connect(rgMesEjemplo, &QButtonGroup::idClicked, this, [this] { ActualizarEjemplo(); });
    connect(bbAceptar, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    ActualizarEjemplo();
    edTexto->setFocus();
}

QString TFRMDataSource_TextoConcepto::Texto() const {
    return edTexto->text();
}

void TFRMDataSource_TextoConcepto::ActualizarEjemplo() {
    edEjemplo->setText(
        ExpandirTextoConcepto(edTexto->text(), anyoEjemplo_, rgMesEjemplo->checkedId()));
}

void TFRMDataSource_TextoConcepto::InsertarCampo(const QString& entrada) {
    const QString campo = entrada.left(entrada.indexOf(QLatin1Char(']')) + 1);
    QString texto = edTexto->text();
    // The caret of a selection is its start. A single selected character stays; a longer
    // selection is replaced.
    const int cursor =
        edTexto->hasSelectedText() ? edTexto->selectionStart() : edTexto->cursorPosition();
    if (edTexto->selectedText().size() >= 2) texto.remove(cursor, edTexto->selectedText().size());
    texto.insert(cursor, campo);
    edTexto->setText(texto.left(TZMKDS_TextoConcepto::kLongitudMaxima));
    edTexto->deselect();
    edTexto->setCursorPosition(
        std::min<int>(cursor + int(campo.size()), TZMKDS_TextoConcepto::kLongitudMaxima));
    edTexto->setFocus();
}

bool TZMKDS_TextoConceptoQt::Execute(const QString&) {
    TFRMDataSource_TextoConcepto dialogo(Texto());
    if (dialogo.exec() != QDialog::Accepted) return false;
    ParamsSetValor(kFieldValue, dialogo.Texto());
    return true;
}

}  // namespace zmk
