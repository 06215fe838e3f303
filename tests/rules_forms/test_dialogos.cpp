#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "host/errors.h"
#include "rules/forms/duplicar.h"
#include "rules/forms/install.h"
#include "rules/forms/qtborrardialog.h"
#include "tests/rules_forms/modal.h"
#include "tests/support/testdb.h"

using namespace zmk;

TEST(FRMDuplicar, TheGroupsBoxCarriesTheGroupAndEnrolmentBoxes) {
    TFRMDuplicar d(true);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Duplicar"));
    ASSERT_EQ(d.PageControl->count(), 1);
    EXPECT_EQ(d.PageControl->tabText(0), QStringLiteral("Duplicar Curso"));
    EXPECT_TRUE(d.bbDuplicar->isDefault());
    for (QCheckBox* c : {d.cbDuplicarGrupos, d.cbDuplicarConceptosCurso, d.cbDuplicarConceptosGrupo,
                         d.cbDuplicarMatriculas, d.cbDuplicarConceptosMatricula}) {
        EXPECT_TRUE(c->isChecked()) << c->text().toStdString();
        EXPECT_TRUE(c->isEnabled()) << c->text().toStdString();
    }

    d.cbDuplicarGrupos->click();
    for (QCheckBox* c :
         {d.cbDuplicarConceptosGrupo, d.cbDuplicarMatriculas, d.cbDuplicarConceptosMatricula}) {
        EXPECT_FALSE(c->isEnabled()) << c->text().toStdString();
        EXPECT_FALSE(c->isChecked()) << c->text().toStdString();
    }
    EXPECT_TRUE(d.cbDuplicarConceptosCurso->isEnabled());

    // Checking the groups again offers its boxes unchecked; the enrolment concepts wait for
    // the enrolments box.
    d.cbDuplicarGrupos->click();
    EXPECT_TRUE(d.cbDuplicarConceptosGrupo->isEnabled());
    EXPECT_TRUE(d.cbDuplicarMatriculas->isEnabled());
    EXPECT_FALSE(d.cbDuplicarMatriculas->isChecked());
    EXPECT_FALSE(d.cbDuplicarConceptosMatricula->isEnabled());
    d.cbDuplicarMatriculas->click();
    EXPECT_TRUE(d.cbDuplicarConceptosMatricula->isEnabled());
    EXPECT_FALSE(d.cbDuplicarConceptosMatricula->isChecked());

    const TOpcionesDuplicado o = d.Opciones();
    EXPECT_TRUE(o.grupos && o.matriculas && o.conceptosCurso);
    EXPECT_FALSE(o.conceptosGrupo || o.conceptosMatricula);
}

TEST(FRMDuplicar, GroupModeShowsOnlyTheGroupTabAndKeepsTheGroupsBoxChecked) {
    TFRMDuplicar d(false);
    ASSERT_EQ(d.PageControl->count(), 1);
    EXPECT_EQ(d.PageControl->tabText(0), QStringLiteral("Duplicar Grupo"));
    EXPECT_FALSE(d.tsDuplicarCurso->isEnabled());
    d.cbDuplicarMatriculas->click();
    EXPECT_FALSE(d.cbDuplicarConceptosMatricula->isEnabled());
    const TOpcionesDuplicado o = d.Opciones();
    EXPECT_TRUE(o.grupos);
    EXPECT_TRUE(o.conceptosGrupo);
    EXPECT_FALSE(o.matriculas || o.conceptosMatricula);
}

TEST(FRMDuplicar, DuplicarReturnsTheBoxesAndCancelReturnsNothing) {
    test::AlAbrirse<TFRMDuplicar>([](TFRMDuplicar* d) {
        d->cbDuplicarConceptosCurso->click();
        d->bbDuplicar->click();
    });
    std::optional<TOpcionesDuplicado> o = MostrarDialogoDuplicar(true);
    ASSERT_TRUE(o);
    EXPECT_FALSE(o->conceptosCurso);
    EXPECT_TRUE(o->grupos && o->matriculas);

    test::AlAbrirse<TFRMDuplicar>([](TFRMDuplicar* d) { d->reject(); });  // Esc
    EXPECT_FALSE(MostrarDialogoDuplicar(false));
}

TEST(FRMDuplicar, InstalledDialogIsWhatTheDuplicationAsks) {
    test::TestDatabase tdb;
    InstallRulesForms();
    // Closing the dialog answers "not done" without the confirmation question.
    test::AlAbrirse<TFRMDuplicar>([](TFRMDuplicar* d) { d->bbCancelar->click(); });
    EXPECT_FALSE(EjecutarDuplicado(0, 1));
    EXPECT_TRUE(tdb.prompt().Log().isEmpty());
    SetDialogoDuplicar({});
    SetDialogoBorrar({});
}

TEST(FRMBorrar, CaptionsAndNothingChosenAtFirst) {
    TFRMBorrarCurso curso([](bool) {});
    TQtBorrarDialog d(curso.Textos());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Borrar Curso"));
    EXPECT_EQ(d.opcion[0]->text(), QStringLiteral("Borrar también los grupos del curso"));
    EXPECT_EQ(d.opcion[1]->text(),
              QStringLiteral("No Borrar los grupos y mantener las matrículas"));
    EXPECT_EQ(d.ItemIndex(), -1);
    EXPECT_TRUE(d.bbBorrar->isDefault());

    TFRMBorrarClase clase([](bool) {});
    TQtBorrarDialog g(clase.Textos());
    EXPECT_EQ(g.windowTitle(), QStringLiteral("Borrar Grupo"));
    EXPECT_EQ(g.opcion[1]->text(),
              QStringLiteral("No Borrar las matrículas, pero colocarlas como NO ACTIVAS"));
}

TEST(FRMBorrar, BorrarWithoutAChoiceRefusesAndStaysOpenThenRunsTheChosenCascade) {
    test::TestDatabase tdb;
    std::vector<bool> llamadas;
    TFRMBorrarClase form([&](bool borrarMatriculas) { llamadas.push_back(borrarMatriculas); });
    test::AlAbrirse<TQtBorrarDialog>([&](TQtBorrarDialog* d) {
        d->bbBorrar->click();
        // Still open: the refusal was shown and nothing ran.
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(llamadas.empty());
        d->opcion[1]->click();
        d->bbBorrar->click();
    });
    EXPECT_EQ(MostrarDialogoBorrar(form), TModalResult::Ok);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_FALSE(llamadas[0]);
    ASSERT_EQ(tdb.prompt().Log().size(), 1);
    EXPECT_TRUE(
        tdb.prompt().Log()[0].contains(QStringLiteral("Debe seleccionar una opción de borrado")));
}

TEST(FRMBorrar, CancelAndEscRunNothing) {
    bool llamada = false;
    TFRMBorrarCurso form([&](bool) { llamada = true; });
    test::AlAbrirse<TQtBorrarDialog>([](TQtBorrarDialog* d) {
        d->opcion[0]->click();
        d->reject();
    });
    EXPECT_EQ(MostrarDialogoBorrar(form), TModalResult::Cancel);
    EXPECT_FALSE(llamada);
}

TEST(FRMBorrar, ACascadeErrorReachesTheCaller) {
    TFRMBorrarCurso form([](bool) { throw EZMKError(QStringLiteral("fallo")); });
    test::AlAbrirse<TQtBorrarDialog>([](TQtBorrarDialog* d) {
        d->opcion[0]->click();
        d->bbBorrar->click();
    });
    EXPECT_THROW(MostrarDialogoBorrar(form), EZMKError);
}
