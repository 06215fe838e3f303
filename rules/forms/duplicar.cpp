#include "rules/forms/duplicar.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "host/forms/dialogbuttons.h"

namespace zmk {

namespace {
QCheckBox* Casilla(const char* texto, QWidget* padre, QLayout* layout) {
    auto* c = new QCheckBox(QString::fromUtf8(texto), padre);
    c->setChecked(true);
    layout->addWidget(c);
    return c;
}
}  // namespace

TFRMDuplicar::TFRMDuplicar(bool modoCurso, QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()) {
    setWindowTitle(QStringLiteral("Duplicar"));
    auto* layout = new QVBoxLayout(this);
    auto* nota = new QLabel(
        QStringLiteral("NOTA: Solamente se duplicarán los grupos y matrículas que estén activos. "
                       "Todos los conceptos de cobro quedarán activos. A los nuevos cursos y "
                       "grupos resultado del duplicado se añadirá el carácter \"X\" a la "
                       "izquierda del nombre para poderlos distinguir."),
        this);
    nota->setWordWrap(true);
    layout->addWidget(nota);

    PageControl = new QTabWidget(this);
    tsDuplicarGrupo = new QWidget(this);
    tsDuplicarCurso = new QWidget(this);
    auto* curso = new QVBoxLayout(tsDuplicarCurso);
    cbDuplicarGrupos = Casilla("Duplicar los grupos del curso", tsDuplicarCurso, curso);
    cbDuplicarConceptosCurso =
        Casilla("Duplicar los conceptos de cobro del curso", tsDuplicarCurso, curso);
    // The group boxes serve both modes: they live on the visible tab.
    QWidget* pagina = modoCurso ? tsDuplicarCurso : tsDuplicarGrupo;
    QVBoxLayout* grupo = modoCurso ? curso : new QVBoxLayout(tsDuplicarGrupo);
    cbDuplicarConceptosGrupo = Casilla("Duplicar los conceptos de los grupos", pagina, grupo);
    cbDuplicarMatriculas = Casilla("Duplicar las matrículas de los grupos", pagina, grupo);
    cbDuplicarConceptosMatricula =
        Casilla("Duplicar los conceptos de las matrículas", pagina, grupo);
    grupo->addStretch();
    if (!modoCurso) curso->addStretch();
    // Only the tab of the current mode is shown.
    if (modoCurso)
        PageControl->addTab(tsDuplicarCurso, QStringLiteral("Duplicar Curso"));
    else
        PageControl->addTab(tsDuplicarGrupo, QStringLiteral("Duplicar Grupo"));
    QWidget* oculta = modoCurso ? tsDuplicarGrupo : tsDuplicarCurso;
    oculta->setEnabled(false);
    oculta->hide();
    layout->addWidget(PageControl);

    AddDialogButtons(layout, this, bbDuplicar, bbCancelar, QStringLiteral("Duplicar"));
    setFixedWidth(460);

    connect(cbDuplicarGrupos, &QCheckBox::clicked, this, [this] { AplicarDependencias(); });
    connect(cbDuplicarMatriculas, &QCheckBox::clicked, this, [this] { AplicarDependencias(); });
    connect(bbDuplicar, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbCancelar, &QPushButton::clicked, this, &QDialog::reject);
    AplicarDependencias();
}

void TFRMDuplicar::AplicarDependencias() {
    TOpcionesDuplicado o = Opciones();
    const auto sigue = [](QCheckBox* c, bool habilitado) {
        c->setEnabled(habilitado);
        if (!habilitado) c->setChecked(false);
    };
    sigue(cbDuplicarConceptosGrupo, o.ConceptosGrupoHabilitado());
    sigue(cbDuplicarMatriculas, o.MatriculasHabilitado());
    sigue(cbDuplicarConceptosMatricula, Opciones().ConceptosMatriculaHabilitado());
}

TOpcionesDuplicado TFRMDuplicar::Opciones() const {
    TOpcionesDuplicado o;
    o.grupos = cbDuplicarGrupos->isChecked();
    o.conceptosCurso = cbDuplicarConceptosCurso->isChecked();
    o.conceptosGrupo = cbDuplicarConceptosGrupo->isChecked();
    o.matriculas = cbDuplicarMatriculas->isChecked();
    o.conceptosMatricula = cbDuplicarConceptosMatricula->isChecked();
    return o;
}

std::optional<TOpcionesDuplicado> MostrarDialogoDuplicar(bool modoCurso) {
    TFRMDuplicar dialogo(modoCurso);
    if (dialogo.exec() != QDialog::Accepted) return std::nullopt;
    return dialogo.Opciones();
}

}  // namespace zmk
