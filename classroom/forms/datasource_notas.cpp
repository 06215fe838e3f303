#include "classroom/forms/datasource_notas.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "classroom/valoresnota.h"
#include "host/errors.h"
#include "host/prompt.h"

namespace zmk {

namespace {

// Esc in a memo closes the dialog with Cancel, as it does anywhere else in it.
class TEscCancela : public QObject {
  public:
    explicit TEscCancela(QDialog* dialog) : QObject(dialog), dialog_(dialog) {}

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            dialog_->reject();
            return true;
        }
        return QObject::eventFilter(o, e);
    }

  private:
    QDialog* dialog_;
};

int Lineas(const QPlainTextEdit* memo) {
    return int(LineasTexto(memo->toPlainText()).size());
}

}  // namespace

TFRMDataSource_Notas::TFRMDataSource_Notas(const QStringList& subconceptos,
                                           const QStringList& valores, bool valoresPrimero,
                                           QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TFRMDataSource_Notas"));
    setWindowTitle(QStringLiteral("Lista de Valores"));
    auto* layout = new QVBoxLayout(this);
    auto* columnas = new QHBoxLayout;
    const auto lista = [&](const QString& titulo, QPlainTextEdit*& memo, QLabel*& contador,
                           const QStringList& items, const char* nombre) {
        auto* col = new QVBoxLayout;
        auto* etiqueta = new QLabel(titulo, this);
        memo = new QPlainTextEdit(this);
        memo->setObjectName(QString::fromLatin1(nombre));
        memo->setPlainText(items.join(QLatin1Char('\n')));
        memo->installEventFilter(new TEscCancela(this));
        etiqueta->setBuddy(memo);
        contador = new QLabel(this);
        col->addWidget(etiqueta);
        col->addWidget(memo, 1);
        col->addWidget(contador);
        columnas->addLayout(col);
        connect(memo, &QPlainTextEdit::textChanged, this,
                &TFRMDataSource_Notas::ActualizarContadores);
    };
    lista(QStringLiteral("Listado de Subconceptos:"), memoConceptos, lblConceptosCount,
          subconceptos, "memoConceptos");
    lista(QStringLiteral("Listado de Valores posibles:"), MemoValores, lblValoresCount, valores,
          "MemoValores");
    layout->addLayout(columnas, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    bbAceptar = new QPushButton(QStringLiteral("Aceptar (F12)"), this);
    bbCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    botones->addWidget(bbAceptar);
    botones->addWidget(bbCancelar);
    layout->addLayout(botones);
    auto* actAceptar = new QAction(this);
    actAceptar->setObjectName(QStringLiteral("ActAceptar"));
    actAceptar->setShortcut(QKeySequence(Qt::Key_F12));
    addAction(actAceptar);
    connect(actAceptar, &QAction::triggered, this, &TFRMDataSource_Notas::ActAceptarExecute);
    connect(bbAceptar, &QPushButton::clicked, this, &TFRMDataSource_Notas::ActAceptarExecute);
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    ActualizarContadores();
    resize(520, 360);
    setFixedSize(size());
    (valoresPrimero ? MemoValores : memoConceptos)->setFocus();
}

QStringList TFRMDataSource_Notas::Subconceptos() const {
    return LineasTexto(memoConceptos->toPlainText());
}

QStringList TFRMDataSource_Notas::Valores() const {
    return LineasTexto(MemoValores->toPlainText());
}

void TFRMDataSource_Notas::ActualizarContadores() {
    lblConceptosCount->setText(QString::number(Lineas(memoConceptos)) +
                               QStringLiteral(" concepto/s"));
    lblValoresCount->setText(QString::number(Lineas(MemoValores)) + QStringLiteral(" valor/es"));
}

void TFRMDataSource_Notas::ActAceptarExecute() {
    try {
        ComprobarLongitudValores(Subconceptos(), Valores());
    } catch (const EZMKError& e) {
        // The lists stay as typed, for the user to shorten.
        MuestraError(e.Message());
        return;
    }
    accept();
}

bool MostrarDataSourceNotas(QStringList& subconceptos, QStringList& valores, bool valoresPrimero) {
    TFRMDataSource_Notas dialog(subconceptos, valores, valoresPrimero,
                                QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return false;
    subconceptos = dialog.Subconceptos();
    valores = dialog.Valores();
    return true;
}

}  // namespace zmk
