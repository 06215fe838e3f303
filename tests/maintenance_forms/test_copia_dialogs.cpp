#include <gtest/gtest.h>

#include <QFileInfo>

#include "maintenance/forms/realizarcopiaseg.h"
#include "maintenance/forms/restaurarcopiaseg.h"
#include "tests/maintenance/backup_fixture.h"

namespace zmk {
namespace {

class CopiaDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        inst.WriteResourceFile("recursos");
        inst.AddCompany("Academia", inst.DataDir() + "/ZMKEscoliaExtV4E1.MDB");
        inst.AddCompany("Colegio", inst.DataDir() + "/ZMKEscoliaExtV4E2.MDB");
        archive = inst.root.filePath("semana");
    }
    // A backup made through the dialog, with the open company ticked.
    void MakeBackup(int current) {
        TCCFRMRealizarCopiaSeg dialog(inst.facts, current);
        inst.Answer({archive});
        dialog.btnRealizarCopiaClick();
        ASSERT_EQ(dialog.result(), QDialog::Accepted) << inst.Log().toStdString();
    }
    test::BackupInstallation inst;
    QString archive;
};

TEST_F(CopiaDialogs, BackupDialogTicksTheOpenCompanyAndWritesTheArchive) {
    TCCFRMRealizarCopiaSeg dialog(inst.facts, 1);
    EXPECT_EQ(dialog.windowTitle(), "COPIAS DE SEGURIDAD");
    EXPECT_TRUE(dialog.eTextZip->text().startsWith("Copia de \"ZMK-Escolia v16\" - "));
    EXPECT_TRUE(dialog.cbIncluirArchivoRecursos->isChecked());
    EXPECT_EQ(dialog.Marcadas(), QList<int>{1});
    dialog.MarcarTodo(true);
    EXPECT_EQ(dialog.Marcadas(), (QList<int>{0, 1}));
    dialog.MarcarTodo(false);
    EXPECT_TRUE(dialog.Marcadas().isEmpty());
    TCCFRMRealizarCopiaSeg none(inst.facts, -1);
    EXPECT_EQ(none.Marcadas(), (QList<int>{0, 1}));

    none.cbIncluirArchivoRecursos->setChecked(false);
    none.MarcarTodo(false);
    inst.Answer({archive});
    none.btnRealizarCopiaClick();
    EXPECT_TRUE(inst.Log().contains("No se ha encontrado ningún archivo para realizar la copia"))
        << inst.Log().toStdString();
    EXPECT_TRUE(none.btnRealizarCopia->isEnabled());
    EXPECT_NE(none.result(), QDialog::Accepted);

    MakeBackup(1);
    EXPECT_TRUE(QFileInfo::exists(archive + ".TvZ"));
    EXPECT_TRUE(inst.Log().contains("Realizada con éxito en: \\n" + archive + ".TvZ"));
}

TEST_F(CopiaDialogs, RestoreDialogShowsTheBackupAndRestoresTheTickedFiles) {
    MakeBackup(-1);
    TCCFRMRestaurarCopiaSeg dialog(inst.facts);
    EXPECT_EQ(dialog.windowTitle(), "Restaurar Copia de Seguridad");
    EXPECT_EQ(dialog.lblArchivos->text(), "0");
    EXPECT_EQ(dialog.lblTamanoArchivo->text(), "0 KB");
    EXPECT_FALSE(dialog.ActRecuperarArchivo->isEnabled());
    dialog.OpenBackup(archive + ".TvZ");
    ASSERT_EQ(dialog.lvArchivos->topLevelItemCount(), 3);
    EXPECT_EQ(dialog.lvArchivos->topLevelItem(0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(dialog.lvArchivos->topLevelItem(1)->checkState(0), Qt::Checked);
    EXPECT_EQ(dialog.lvArchivos->topLevelItem(2)->text(1), "ZMKEscoliaExtV4E2.MDB");
    EXPECT_EQ(dialog.lvArchivos->topLevelItem(2)->text(3), inst.DataDir());
    EXPECT_EQ(dialog.lblSeleccionados->text(), "2");
    EXPECT_EQ(dialog.lblArchivos->text(), "3");
    EXPECT_TRUE(dialog.lblTamanoOriginal->text().endsWith(" KB"));
    EXPECT_TRUE(dialog.ActRecuperarArchivo->isEnabled());
    EXPECT_FALSE(dialog.Foreign());

    dialog.btnVerificarClick();
    EXPECT_TRUE(inst.Log().contains("3 archivos comprobados, sin errores"));
    inst.Answer({"yes"});
    dialog.btnRecuperarClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.Restored());
    EXPECT_EQ(inst.List().Count(), 4);
    EXPECT_TRUE(inst.Log().contains("Archivos Recuperados: 2 de 3"));
}

TEST_F(CopiaDialogs, PopupRestoresOneFileAndAForeignBackupIsRefused) {
    MakeBackup(0);
    TCCFRMRestaurarCopiaSeg dialog(inst.facts);
    dialog.OpenBackup(archive + ".TvZ");
    dialog.lvArchivos->setCurrentItem(dialog.lvArchivos->topLevelItem(1));
    inst.Answer({"yes", "no"});  // continue; keep the dialog open
    dialog.ActRecuperarArchivoExecute();
    EXPECT_EQ(inst.List().Count(), 3);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(
        inst.Log().contains("restaurado correctamente\\n\\n¿Desea cerrar este formulario?"));
    const QString as = inst.root.filePath("aparte.MDB");
    inst.Answer({"yes", as, "yes"});
    dialog.ActRecuperarArchivoComoExecute();
    EXPECT_TRUE(QFileInfo::exists(as));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    inst.facts.applicationText = "Otra";
    TCCFRMRestaurarCopiaSeg foreign(inst.facts);
    foreign.OpenBackup(archive + ".TvZ");
    EXPECT_TRUE(foreign.Foreign());
    inst.Answer({"yes"});
    foreign.btnRecuperarClick();
    EXPECT_TRUE(inst.Log().contains("No pertenece a la aplicación, imposible recuperar"));
    EXPECT_FALSE(foreign.Restored());
}

}  // namespace
}  // namespace zmk
