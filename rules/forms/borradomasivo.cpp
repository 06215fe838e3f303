#include "rules/forms/borradomasivo.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/errors.h"
#include "host/forms/dialogbuttons.h"
#include "host/prompt.h"

namespace zmk {

namespace {

// The first column holds the main kinds of data, the second the incidences and concepts of
// one kind, each in the form's order.
const int kPrimeraDeSegundaColumna = kBorrarIncidenciasAlumnos;

QLabel* Nota(const QString& texto, QWidget* padre) {
    auto* nota = new QLabel(texto, padre);
    nota->setWordWrap(true);
    return nota;
}

}  // namespace

TFRMBorradoMasivo::TFRMBorradoMasivo(QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()) {
    setObjectName(QStringLiteral("TFRMBorradoMasivo"));
    setWindowTitle(QStringLiteral("Borrado masivo de datos"));
    auto* layout = new QVBoxLayout(this);

    auto* titulo = new QLabel(QStringLiteral("BORRADO MASIVO DE DATOS"), this);
    titulo->setObjectName(QStringLiteral("lblTitulo"));
    QFont grande = titulo->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.5);
    titulo->setFont(grande);
    titulo->setStyleSheet(QStringLiteral("color: #b00000;"));
    layout->addWidget(titulo);
    QLabel* copia =
        Nota(QStringLiteral("Desde este formulario se puede BORRAR UNA GRAN CANTIDAD DE DATOS. Le "
                            "recomendamos hacer una copia de seguridad antes de utilizarlo."),
             this);
    QFont negrita = copia->font();
    negrita.setBold(true);
    copia->setFont(negrita);
    layout->addWidget(copia);
    layout->addWidget(Nota(QStringLiteral("Recuerde que el borrado de algunos datos conlleva el "
                                          "borrado en cascada de datos relacionados con los "
                                          "mismos."),
                           this));
    layout->addWidget(Nota(QStringLiteral("Por ejemplo: Si borra los alumnos automáticamente se "
                                          "borrarán todas las matrículas, faltas, boletines de "
                                          "notas y cualquier incidencia relacionada con ellos."),
                           this));

    gbDatosABorrar = new QGroupBox(QStringLiteral("Datos a borrar"), this);
    gbDatosABorrar->setObjectName(QStringLiteral("gbDatosABorrar"));
    auto* rejilla = new QGridLayout(gbDatosABorrar);
    rejilla->setColumnStretch(0, 1);
    rejilla->setColumnStretch(1, 1);
    for (int i = 0; i < kNumCasillasBorrado; ++i) {
        const TDatosCasillaBorrado& datos = DatosCasillaBorrado(i);
        auto* casilla = new QCheckBox(QString::fromUtf8(datos.caption), gbDatosABorrar);
        casilla->setObjectName(QString::fromLatin1(datos.nombre));
        const bool segunda = i >= kPrimeraDeSegundaColumna;
        rejilla->addWidget(casilla, segunda ? i - kPrimeraDeSegundaColumna : i, segunda ? 1 : 0);
        connect(casilla, &QCheckBox::clicked, this,
                [this, i](bool marcada) { cbSelTablaClick(i, marcada); });
        casillas_[size_t(i)] = casilla;
    }
    rejilla->setRowStretch(kPrimeraDeSegundaColumna, 1);
    // A greyed box reads as "left alone"; say that it goes too.
    auto* forzadas = Nota(QStringLiteral("Las casillas marcadas en gris se borran también: lo "
                                         "exige otra casilla marcada."),
                          gbDatosABorrar);
    forzadas->setObjectName(QStringLiteral("lblForzadas"));
    forzadas->setStyleSheet(QStringLiteral("font-style: italic;"));
    rejilla->addWidget(forzadas, kPrimeraDeSegundaColumna + 1, 0, 1, 2);
    layout->addWidget(gbDatosABorrar, 1);

    AddDialogButtons(layout, this, bbBorrar, bbCancelar, QStringLiteral("Borrar"));
    connect(bbBorrar, &QPushButton::clicked, this, [this] { bbBorrarClick(); });
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    MuestraCasillas();
}

void TFRMBorradoMasivo::cbSelTablaClick(int casilla, bool marcada) {
    try {
        estado_.Click(casilla, marcada);
    } catch (const EAbort&) {
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    }
    MuestraCasillas();
}

void TFRMBorradoMasivo::MuestraCasillas() {
    bool alguna = false;
    for (int i = 0; i < kNumCasillasBorrado; ++i) {
        QCheckBox* casilla = casillas_[size_t(i)];
        casilla->setChecked(estado_.Marcada(i));
        casilla->setEnabled(!estado_.Forzada(i));
        alguna = alguna || estado_.Marcada(i);
    }
    bbBorrar->setEnabled(alguna);
}

void TFRMBorradoMasivo::bbBorrarClick() {
    try {
        EjecutarBorradoMasivo(estado_);
    } catch (const EAbort&) {
        return;
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
        return;
    }
    accept();
}

}  // namespace zmk
