// The classroom dialogs and the grade-assignment tree on a screen-less widget tree.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTreeWidget>

#include "classroom/forms/arbolasignacionnotas.h"
#include "classroom/forms/datasource_notas.h"
#include "classroom/forms/faltasasistencia.h"
#include "tests/classroom/datos_aula.h"

using namespace zmk;

namespace {

class FormulariosAula : public test::DatosAula {
  protected:
    int Boletin() {
        Exec(QStringLiteral("INSERT INTO T24BoletinesNotas (IDCursoT24, NombreConc1T24, "
                            "ValoresConc1T24, NombreConc3T24, ValoresConc3T24) VALUES (%1, "
                            "'Inglés', '{Oral|Escrito}{A|B|C}', 'Actitud', '{}{Buena|Mala}')")
                 .arg(curso));
        const int id = VarAEnter(UltimValor(tdb.db(), QStringLiteral("T24BoletinesNotas"),
                                            QStringLiteral("IDBoletinNotasT24")));
        Exec(QStringLiteral("INSERT INTO T25NotasBoletin (IDBoletinNotasT25, IDMatriculaT25, "
                            "ValorConc1T25, ValorConc3T25) VALUES (%1, %2, 'Z', 'Buena')")
                 .arg(id)
                 .arg(ana));
        return id;
    }
};

TEST_F(FormulariosAula, TreeShowsConceptsColoursAndWritesOnlyItsConcept) {
    const int boletin = Boletin();
    auto q = Pantalla(
        QStringLiteral("SELECT * FROM T25NotasBoletin WHERE IDBoletinNotasT25=%1").arg(boletin),
        300);
    TZMKArbolAsignacionNotas arbol;
    TDataSet* ds = &q->DataSet();
    arbol.SetZMKDataSource([ds] { return ds; });
    QTreeWidget* t = arbol.Arbol();
    ASSERT_EQ(t->topLevelItemCount(), 2);
    QTreeWidgetItem* ingles = t->topLevelItem(0);
    EXPECT_EQ(ingles->text(0), QStringLiteral("Inglés"));
    ASSERT_EQ(ingles->childCount(), 2);
    QTreeWidgetItem* oral = ingles->child(0);
    QTreeWidgetItem* escrito = ingles->child(1);
    // "Z" is not a possible value (blue); the second subconcept has none (red).
    EXPECT_EQ(EstadoValorNota(arbol.Datos(oral)->valor, arbol.Datos(oral)->posibles),
              TEstadoValorNota::Otro);
    EXPECT_EQ(EstadoValorNota(arbol.Datos(escrito)->valor, arbol.Datos(escrito)->posibles),
              TEstadoValorNota::SinAsignar);
    QTreeWidgetItem* actitud = t->topLevelItem(1);
    EXPECT_EQ(actitud->childCount(), 0);
    EXPECT_EQ(EstadoValorNota(arbol.Datos(actitud)->valor, arbol.Datos(actitud)->posibles),
              TEstadoValorNota::Posible);

    // The menu: "(No asignado)" then the values; the node's value marked, none when it is not one.
    QMenu* menu = arbol.MenuDe(escrito);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 4);
    EXPECT_FALSE(menu->actions()[0]->isChecked());
    arbol.AsignarValor(escrito, QStringLiteral("B"));
    EXPECT_EQ(ds->State(), TDataSetState::Edit);
    EXPECT_EQ(ds->FieldByName(QStringLiteral("ValorConc1T25")).AsString(), QStringLiteral("Z|B"));
    EXPECT_TRUE(arbol.MenuDe(t->topLevelItem(0)->child(1))->actions()[2]->isChecked());
    arbol.AsignarValor(t->topLevelItem(0)->child(0), QString());
    EXPECT_EQ(ds->FieldByName(QStringLiteral("ValorConc1T25")).AsString(), QStringLiteral("|B"));
    ds->Post();

    // With Nota 3 only concept 3 is shown and written.
    arbol.SetNota(3);
    ASSERT_EQ(t->topLevelItemCount(), 1);
    arbol.AsignarValor(t->topLevelItem(0), QStringLiteral("Mala"));
    EXPECT_EQ(ds->FieldByName(QStringLiteral("ValorConc3T25")).AsString(), QStringLiteral("Mala"));
    EXPECT_EQ(ds->FieldByName(QStringLiteral("ValorConc1T25")).AsString(), QStringLiteral("|B"));
    ds->Post();
    arbol.SetNota(12);
    EXPECT_EQ(arbol.Nota(), 0);
}

TEST_F(FormulariosAula, TreeOfALockedBulletinRefusesAndKeepsTheValue) {
    const int boletin = Boletin();
    Exec(QStringLiteral("UPDATE T24BoletinesNotas SET BloqueadoT24=TRUE WHERE IDBoletinNotasT24=%1")
             .arg(boletin));
    auto q = Pantalla(QStringLiteral("SELECT * FROM T25NotasBoletin"), 300);
    TZMKArbolAsignacionNotas arbol;
    TDataSet* ds = &q->DataSet();
    arbol.SetZMKDataSource([ds] { return ds; });
    QTreeWidgetItem* actitud = arbol.Arbol()->topLevelItem(1);
    arbol.AsignarValor(actitud, QStringLiteral("Mala"));
    EXPECT_EQ(arbol.Datos(actitud)->valor, QStringLiteral("Buena"));
    EXPECT_EQ(ds->State(), TDataSetState::Browse);
    EXPECT_TRUE(tdb.prompt().Log().join(QLatin1Char('\n')).contains(QStringLiteral("BLOQUEADO")));
}

TEST_F(FormulariosAula, DefinitionEditorCountsLinesAndRefusesTooLong) {
    TFRMDataSource_Notas dlg({QStringLiteral("Oral")}, {QStringLiteral("A"), QStringLiteral("B")},
                             true);
    EXPECT_EQ(dlg.lblConceptosCount->text(), QStringLiteral("1 concepto/s"));
    EXPECT_EQ(dlg.lblValoresCount->text(), QStringLiteral("2 valor/es"));
    EXPECT_TRUE(dlg.MemoValores->hasFocus() || dlg.focusWidget() == dlg.MemoValores);
    dlg.MemoValores->setPlainText(QString(300, QLatin1Char('x')));
    dlg.bbAceptar->click();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(
        tdb.prompt().Log().join(QLatin1Char('\n')).contains(QStringLiteral("Demasiado largo")));
    dlg.MemoValores->setPlainText(QStringLiteral("Apto\nNo apto\n"));
    EXPECT_EQ(dlg.lblValoresCount->text(), QStringLiteral("2 valor/es"));
    dlg.bbAceptar->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Valores(), (QStringList{QStringLiteral("Apto"), QStringLiteral("No apto")}));
}

TEST_F(FormulariosAula, AbsencesDialogOnASundayAndAddingAClass) {
    Exec(QStringLiteral("UPDATE T05Grupos SET LunesTHIT05=0.6666666667, LunesTHFT05=0.75 WHERE "
                        "IDGrupoT05=%1")
             .arg(grupo));
    TFaltasAsistencia faltas;
    faltas.SetDia(QDate(2026, 10, 18));
    faltas.SetMatricula(ana);
    TFRMFaltasAsistencia dlg(faltas, false);
    EXPECT_EQ(dlg.lblHM->text(), QStringLiteral("(Sin clase)"));
    EXPECT_EQ(dlg.lblHT->text(), QStringLiteral("(Sin clase)"));
    EXPECT_FALSE(dlg.rbManana->isEnabled());
    EXPECT_FALSE(dlg.rbTarde->isEnabled());
    EXPECT_TRUE(dlg.rbLibre->isChecked());
    dlg.ebFecha->setDate(QDate(2026, 10, 12));
    EXPECT_EQ(dlg.lblHT->text(), QStringLiteral("16:00 a 18:00"));
    EXPECT_TRUE(dlg.rbTarde->isChecked());
    EXPECT_EQ(dlg.ebHI->time(), QTime(16, 0));
    dlg.bbAdd->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T26FaltasAsistencia")), 1);

    TFRMFaltasAsistencia borrar(faltas, true);
    ASSERT_EQ(borrar.lbFaltas->count(), 1);
    borrar.bbDel->click();  // nothing selected
    EXPECT_TRUE(tdb.prompt()
                    .Log()
                    .join(QLatin1Char('\n'))
                    .contains(QStringLiteral("No hay ninguna falta seleccionada para eliminar")));
    borrar.lbFaltas->setCurrentRow(0);
    tdb.prompt().Push(QStringLiteral("yes"));
    borrar.bbDel->click();
    EXPECT_EQ(borrar.lbFaltas->count(), 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T26FaltasAsistencia")), 0);
}

}  // namespace
