// The selection dialog's colours and actions, and the wizard's page flow, offscreen.
#include <QFileInfo>
#include <QSettings>

#include "core/forms/editdatabase.h"
#include "core/forms/selempresa.h"
#include "core/strings.h"
#include "tests/core/test_versiones_datos.h"

namespace zmk::test {
namespace {

class SelEmpresa : public EntornoBD {
  protected:
    void SetUp() override {
        EntornoBD::SetUp();
        CopiaMasters();
        ini_ = std::make_unique<QSettings>(Path(QStringLiteral("x.INI")), QSettings::IniFormat);
        ini_->setValue(QStringLiteral("INIT/ArchivoIniImportado"), true);
        empresas_ = std::make_unique<TEmpresasBD>(*ini_);
    }
    void TearDown() override {
        empresas_.reset();
        ini_.reset();
        EntornoBD::TearDown();
    }
    int Add(const QString& name, const QString& file) {
        TDataBaseEntry e;
        e.nombre = name;
        e.archivo = file;
        return empresas_->DataBases().Add(e);
    }
    std::unique_ptr<QSettings> ini_;
    std::unique_ptr<TEmpresasBD> empresas_;
};

TEST_F(SelEmpresa, LinesAreColouredByVersionAndAForeignFileIsRefused) {
    Add(QStringLiteral("Actual"), ArchivoVersion(4, QStringLiteral("a.MDB")));
    Add(QStringLiteral("Antigua"), ArchivoVersion(3, QStringLiteral("b.MDB")));
    const QString nueva = ArchivoVersion(4, QStringLiteral("c.MDB"));
    Ejecuta(nueva, {QStringLiteral("UPDATE TZMKVersionInfo SET NumeroVersion = 5")});
    Add(QStringLiteral("Nueva"), nueva);
    const QString otra = ArchivoVersion(4, QStringLiteral("d.MDB"));
    Ejecuta(otra, {QStringLiteral("UPDATE TZMKVersionInfo SET NombreAplicacion = 'ZMK Otro'")});
    Add(QStringLiteral("Otra"), otra);

    TFRMSelEmpresa dialog(*empresas_);
    EXPECT_EQ(dialog.ColorLinea(0), QColor(Qt::black));
    EXPECT_EQ(dialog.ColorLinea(1), QColor(0, 0, 255));
    EXPECT_EQ(dialog.ColorLinea(2), QColor(255, 0, 0));
    EXPECT_EQ(dialog.lista->item(1)->foreground().color(), QColor(0, 0, 255));
    EXPECT_FALSE(dialog.btnImportar->isVisible());

    dialog.lista->setCurrentRow(3);
    dialog.ActSeleccionar->trigger();
    ASSERT_FALSE(prompt().Log().isEmpty());
    EXPECT_TRUE(prompt().Log().last().contains(QStringLiteral("NO PERTENECE A ESTA APLICACIÓN")));

    // An older database asks for the upgrade; "No" leaves it closed and the dialog open.
    dialog.lista->setCurrentRow(1);
    prompt().Push(QStringLiteral("no"));
    dialog.ActSeleccionar->trigger();
    EXPECT_TRUE(prompt().Log().contains(QStringLiteral("QUESTION ZMK-Escolia: ") +
                                        OneLine(SharedString(1721))));
    EXPECT_FALSE(empresas_->IsConnected());
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    dialog.lista->setCurrentRow(0);
    dialog.ActSeleccionar->trigger();
    EXPECT_TRUE(empresas_->IsConnected());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(SelEmpresa, UpgradingFromTheDialogAddsTheTransferredDatabase) {
    Add(QStringLiteral("Antigua"), ArchivoVersion(3, QStringLiteral("b.MDB")));
    TFRMSelEmpresa dialog(*empresas_);
    dialog.ejecutaAsistente = [](TCCFRMEditDataBase& w) {
        EXPECT_EQ(w.Pagina(), TCCFRMEditDataBase::pgImportar);
        EXPECT_EQ(w.lblEstado->text(), QStringLiteral("IMPORTAR"));
        EXPECT_TRUE(w.Siguiente());
        EXPECT_EQ(w.Pagina(), TCCFRMEditDataBase::pgConfirmacion);
        w.Siguiente();
        return w.result();
    };
    dialog.lista->setCurrentRow(0);
    prompt().Push(QStringLiteral("yes"));
    dialog.ActSeleccionar->trigger();
    ASSERT_EQ(empresas_->DataBases().Count(), 2) << prompt().Log().join(u'\n').toStdString();
    const TDataBaseEntry e = empresas_->DataBases().Entry(1);
    EXPECT_EQ(e.nombre, QStringLiteral("Antigua"));
    EXPECT_EQ(e.archivo, AjustesBD().directorioDatos + QStringLiteral("/ZMKEscoliaExtV4E1.MDB"));
    EXPECT_EQ(e.version, 4);  // read again when the list was refilled
    EXPECT_EQ(dialog.ColorLinea(1), QColor(Qt::black));
}

TEST_F(SelEmpresa, AddingWalksNameActionAndConfirmation) {
    TFRMSelEmpresa dialog(*empresas_);
    dialog.ejecutaAsistente = [this](TCCFRMEditDataBase& w) {
        EXPECT_EQ(w.Pagina(), TCCFRMEditDataBase::pgNombre);
        EXPECT_FALSE(w.Siguiente());  // no name
        EXPECT_EQ(prompt().Log().last(),
                  QStringLiteral("ERROR ZMK-Escolia: ") + SharedString(1930));
        w.edNombre->setText(QStringLiteral("  Academia Norte "));
        EXPECT_TRUE(w.Siguiente());
        EXPECT_EQ(w.Pagina(), TCCFRMEditDataBase::pgAccion);
        EXPECT_FALSE(w.Siguiente());  // no option
        EXPECT_EQ(prompt().Log().last(),
                  QStringLiteral("ERROR ZMK-Escolia: ") + SharedString(1931));
        w.rbUbicar->setChecked(true);
        EXPECT_TRUE(w.Siguiente());
        EXPECT_EQ(w.Pagina(), TCCFRMEditDataBase::pgUbicar);
        w.edUbicar->setText(AjustesBD().directorioVacias + QStringLiteral("/x.MDB"));
        EXPECT_FALSE(w.Siguiente());  // the masters' directory
        EXPECT_EQ(prompt().Log().last(),
                  QStringLiteral("ERROR ZMK-Escolia: ") +
                      OneLine(SharedStringFmt(1901, {AjustesBD().directorioVacias})));
        w.Anterior();
        EXPECT_EQ(w.Pagina(), TCCFRMEditDataBase::pgAccion);
        w.rbNueva->setChecked(true);
        EXPECT_TRUE(w.Siguiente());
        EXPECT_EQ(w.Pagina(), TCCFRMEditDataBase::pgConfirmacion);
        EXPECT_TRUE(w.lblResumen->text().startsWith(SharedString(1912)));
        w.Siguiente();
        return w.result();
    };
    dialog.ActAnadir->trigger();
    ASSERT_EQ(empresas_->DataBases().Count(), 1);
    const TDataBaseEntry e = empresas_->DataBases().Entry(0);
    EXPECT_EQ(e.nombre, QStringLiteral("Academia Norte"));
    EXPECT_EQ(CompruebaVersion(e.archivo, 4, false, false), 4);
    EXPECT_EQ(ini_->value(QStringLiteral("BDEmpresa1/Archivo")).toString(),
              QStringLiteral("./DATADIR/ZMKEscoliaExtV4E1.MDB"));
}

TEST_F(SelEmpresa, DuplicatingNeedsAnotherFileAndDeletingAsksFirst) {
    Add(QStringLiteral("Actual"), ArchivoVersion(4, QStringLiteral("a.MDB")));
    TFRMSelEmpresa dialog(*empresas_);
    dialog.lista->setCurrentRow(0);
    dialog.ejecutaAsistente = [this](TCCFRMEditDataBase& w) {
        EXPECT_EQ(w.Pagina(), TCCFRMEditDataBase::pgModificar);
        EXPECT_EQ(w.edModNombre->text(), QStringLiteral("Copia de: Actual"));
        EXPECT_EQ(w.lblTitulo->text(), QStringLiteral("Duplicar"));
        const QString copy = w.edModArchivo->text();
        w.edModArchivo->setText(Path(QStringLiteral("a.MDB")));
        EXPECT_FALSE(w.Siguiente());
        EXPECT_EQ(prompt().Log().last(),
                  QStringLiteral("ERROR ZMK-Escolia: ") + SharedString(1933));
        w.edModArchivo->setText(copy);
        EXPECT_TRUE(w.Siguiente());
        w.Siguiente();
        return w.result();
    };
    dialog.ActDuplicar->trigger();
    ASSERT_EQ(empresas_->DataBases().Count(), 2);
    EXPECT_TRUE(QFileInfo::exists(empresas_->DataBases().Entry(1).archivo));

    // Delete the copy's file: "No" keeps everything, "Yes" removes file and entry.
    dialog.lista->setCurrentRow(1);
    const QString copia = empresas_->DataBases().Entry(1).archivo;
    dialog.ejecutaAsistente = [](TCCFRMEditDataBase& w) {
        EXPECT_EQ(w.Pagina(), TCCFRMEditDataBase::pgBorrado);
        w.rbBorrarArchivo->setChecked(true);
        w.Siguiente();
        w.Siguiente();
        return w.result();
    };
    prompt().Push(QStringLiteral("no"));
    dialog.ActBorrar->trigger();
    EXPECT_TRUE(QFileInfo::exists(copia));
    EXPECT_EQ(empresas_->DataBases().Count(), 2);
    dialog.lista->setCurrentRow(1);
    prompt().Push(QStringLiteral("yes"));
    dialog.ActBorrar->trigger();
    EXPECT_FALSE(QFileInfo::exists(copia));
    EXPECT_EQ(empresas_->DataBases().Count(), 1);
}

TEST_F(SelEmpresa, TheOpenDatabaseIsUnlinkedButNotDeleted) {
    const QString archivo = ArchivoVersion(4, QStringLiteral("a.MDB"));
    Add(QStringLiteral("Actual"), archivo);
    empresas_->OpenDatabase(0);
    ASSERT_TRUE(empresas_->IsConnected());
    TFRMSelEmpresa dialog(*empresas_);
    dialog.lista->setCurrentRow(0);
    dialog.ejecutaAsistente = [this](TCCFRMEditDataBase& w) {
        w.rbBorrarArchivo->setChecked(true);
        EXPECT_FALSE(w.Siguiente());
        EXPECT_EQ(prompt().Log().last(),
                  QStringLiteral("ERROR ZMK-Escolia: ") +
                      OneLine(SharedStringFmt(1734, {QStringLiteral("Actual")})));
        EXPECT_EQ(w.Pagina(), TCCFRMEditDataBase::pgBorrado);
        return int(QDialog::Rejected);
    };
    dialog.ActBorrar->trigger();
    EXPECT_TRUE(QFileInfo::exists(archivo));
    EXPECT_TRUE(empresas_->IsConnected());
    EXPECT_EQ(empresas_->DataBases().Count(), 1);
}

TEST_F(SelEmpresa, RenamingRewritesTheEntryAndNetworkFilesAreNotDeleted) {
    Add(QStringLiteral("Actual"), ArchivoVersion(4, QStringLiteral("a.MDB")));
    TFRMSelEmpresa dialog(*empresas_);
    dialog.lista->setCurrentRow(0);
    dialog.ejecutaAsistente = [](TCCFRMEditDataBase& w) {
        EXPECT_EQ(w.lblEstado->text(), QStringLiteral("MODIFICACIÓN"));
        w.edModNombre->setText(QStringLiteral("Renombrada"));
        w.Siguiente();
        w.Siguiente();
        return w.result();
    };
    dialog.ActModificar->trigger();
    EXPECT_EQ(empresas_->DataBases().Entry(0).nombre, QStringLiteral("Renombrada"));

    ini_->setValue(QStringLiteral("BDEmpresa1/Archivo"), QStringLiteral("//servidor/datos/a.MDB"));
    EjecutaAccionBD(*empresas_, abBorrarArchivo, 0, TDataBaseEntry());
    EXPECT_EQ(prompt().Log().last(), QStringLiteral("ERROR ZMK-Escolia: ") + SharedString(1728));
    EXPECT_EQ(empresas_->DataBases().Count(), 1);
}

}  // namespace
}  // namespace zmk::test
