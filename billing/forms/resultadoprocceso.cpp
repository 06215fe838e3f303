#include "billing/forms/resultadoprocceso.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/atomicfile.h"
#include "host/errors.h"
#include "host/prompt.h"

namespace zmk {

TFRMResultadoProcceso::TFRMResultadoProcceso(const QStringList& informe, QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()), informe_(informe) {
    setWindowTitle(QStringLiteral("Resultado actualización de la base de datos"));
    auto* layout = new QVBoxLayout(this);
    auto* barra = new QMenuBar(this);
    QMenu* archivo = barra->addMenu(QStringLiteral("&Archivo"));
    archivo->addAction(QStringLiteral("Guardar como ..."), this, [this] {
        QString fichero =
            QFileDialog::getSaveFileName(this, QStringLiteral("Guardar archivo de información"),
                                         QString(), QStringLiteral("Texto (*.txt)"));
        if (fichero.isEmpty()) return;
        if (QFileInfo(fichero).suffix().isEmpty()) fichero += QStringLiteral(".txt");
        try {
            GuardarComo(fichero);
        } catch (const EZMKError& e) {
            MuestraError(e.Message());
        }
    });
    archivo->addAction(QStringLiteral("Salir"), this, &QDialog::reject);
    layout->setMenuBar(barra);

    mmInforme = new QPlainTextEdit(this);
    mmInforme->setReadOnly(true);
    // A record's line carries its name, its IBAN and the error: wrapped, it is read whole.
    mmInforme->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmInforme->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    mmInforme->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    mmInforme->setPlainText(informe.join(QLatin1Char('\n')));
    layout->addWidget(mmInforme);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    bbAceptar = new QPushButton(QStringLiteral("ACEPTAR y procesar los cambios"), this);
    bbCancelar = new QPushButton(QStringLiteral("CANCELAR y descartar los cambios"), this);
    // Discarding is the safe answer to Enter.
    bbCancelar->setDefault(true);
    botones->addWidget(bbAceptar);
    botones->addWidget(bbCancelar);
    layout->addLayout(botones);
    resize(980, 560);
    connect(bbAceptar, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFRMResultadoProcceso::GuardarComo(const QString& fichero) const {
    WriteFileAtomically(fichero, (informe_.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

bool MostrarInformeSEPA(const QStringList& informe) {
    TFRMResultadoProcceso ventana(informe);
    return ventana.exec() == QDialog::Accepted;
}

}  // namespace zmk
