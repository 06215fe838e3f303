// The wizard's actions on the list: new, link and their refusals.
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

#include "core/empresasacciones.h"
#include "core/strings.h"
#include "tests/core/test_versiones_datos.h"

namespace zmk::test {
namespace {

class Acciones : public EntornoBD {
  protected:
    void SetUp() override {
        EntornoBD::SetUp();
        ini_ = std::make_unique<QSettings>(Path(QStringLiteral("x.INI")), QSettings::IniFormat);
        empresas_ = std::make_unique<TEmpresasBD>(*ini_);
    }
    void TearDown() override {
        empresas_.reset();
        ini_.reset();
        EntornoBD::TearDown();
    }
    TDataBaseEntry Entrada(const QString& file) {
        return {QStringLiteral("Empresa"), 4, file, QString(), QString()};
    }
    std::unique_ptr<QSettings> ini_;
    std::unique_ptr<TEmpresasBD> empresas_;
};

TEST_F(Acciones, NewDatabasesComeFromTheMasterWithoutImportTables) {
    const QString target = Path(QStringLiteral("DATADIR/sub/nueva.MDB"));
    const QString master = MasterDatabaseFileName(4);
    EXPECT_EQ(Error([&] { EjecutaAccionBD(*empresas_, abNueva, -1, Entrada(target)); }),
              SharedString(1723) + u'\n' + master);
    CopiaMasters();
    EjecutaAccionBD(*empresas_, abNueva, -1, Entrada(target));
    ASSERT_EQ(empresas_->DataBases().Count(), 1);
    EXPECT_EQ(empresas_->DataBases().Entry(0).version, -1);
    EXPECT_EQ(CompruebaVersion(target, 4, false, false), 4);
    EXPECT_FALSE(TDataBaseZMK::Open(target)->TableExists(QStringLiteral("TZMKImportQueries")));
    EXPECT_EQ(Error([&] { EjecutaAccionBD(*empresas_, abNueva, -1, Entrada(target)); }),
              SharedString(1724) + u'\n' + target);
    EXPECT_EQ(Error([&] { EjecutaAccionBD(*empresas_, 9, -1, Entrada(target)); }),
              QStringLiteral("Operación no soportada"));
}

TEST_F(Acciones, LinkingAcceptsAnyVersionOfThisProgramOnlyAndAsksTheManager) {
    const QString nueva = ArchivoVersion(4, QStringLiteral("nueva.MDB"));
    Ejecuta(nueva, {QStringLiteral("UPDATE TZMKVersionInfo SET NumeroVersion = 5")});
    EjecutaAccionBD(*empresas_, abVincular, -1, Entrada(nueva));
    EjecutaAccionBD(*empresas_, abVincular, -1,
                    Entrada(ArchivoVersion(3, QStringLiteral("v3.MDB"))));
    EXPECT_EQ(empresas_->DataBases().Count(), 2);

    const QString otra = ArchivoVersion(4, QStringLiteral("otra.MDB"));
    Ejecuta(otra, {QStringLiteral("UPDATE TZMKVersionInfo SET NombreAplicacion = 'ZMK Otro'")});
    EXPECT_TRUE(Error([&] {
                    EjecutaAccionBD(*empresas_, abVincular, -1, Entrada(otra));
                }).startsWith(QStringLiteral("El archivo NO PERTENECE")));

    empresas_->Hooks().esAdministrador = [](TDataBaseZMK&) { return false; };
    const QString propia = ArchivoVersion(4, QStringLiteral("propia.MDB"));
    EXPECT_EQ(Error([&] { EjecutaAccionBD(*empresas_, abVincular, -1, Entrada(propia)); }),
              QStringLiteral("Asignar la base de datos\n") +
                  SharedStringFmt(1722, {QStringLiteral("propia.MDB")}));
    EXPECT_EQ(empresas_->DataBases().Count(), 2);

    // Files in the masters' or the work directory are refused on every page.
    EXPECT_EQ(Error([] { CompruebaArchivoElegido(QStringLiteral("  ")); }), SharedString(1900));
    EXPECT_EQ(
        Error([] {
            CompruebaArchivoElegido(AjustesBD().directorioTemporal + QStringLiteral("/a.MDB"));
        }),
        SharedStringFmt(1901, {AjustesBD().directorioTemporal}));
}

TEST_F(Acciones, RemovingTheOpenDatabasesLinkClosesItAndKeepsTheFile) {
    const QString file = ArchivoVersion(4, QStringLiteral("a.MDB"));
    empresas_->DataBases().Add(Entrada(file));
    empresas_->OpenDatabase(0);
    ASSERT_TRUE(empresas_->IsConnected());
    EjecutaAccionBD(*empresas_, abQuitarVinculo, 0, TDataBaseEntry());
    EXPECT_FALSE(empresas_->IsConnected());
    EXPECT_EQ(empresas_->DataBases().Count(), 0);
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_FALSE(ini_->contains(QStringLiteral("INIT/EmpresaPorDefecto")));
}

TEST_F(Acciones, TheOpenDatabaseIsNotDeletedAndAnotherIsNamedBeforeItGoes) {
    const QString abierta = ArchivoVersion(4, QStringLiteral("abierta.MDB"));
    const QString otra = ArchivoVersion(4, QStringLiteral("otra.MDB"));
    empresas_->DataBases().Add(
        {QStringLiteral("Academia Norte"), 4, abierta, QString(), QString()});
    empresas_->DataBases().Add({QStringLiteral("Academia Sur"), 4, otra, QString(), QString()});
    empresas_->OpenDatabase(0);
    ASSERT_TRUE(empresas_->IsConnected());

    // The open one: refused before any question, still open, file and entry kept.
    EXPECT_EQ(Error([&] { EjecutaAccionBD(*empresas_, abBorrarArchivo, 0, TDataBaseEntry()); }),
              SharedStringFmt(1734, {QStringLiteral("Academia Norte")}));
    EXPECT_TRUE(prompt().Log().isEmpty());
    EXPECT_TRUE(empresas_->IsConnected());
    EXPECT_TRUE(QFileInfo::exists(abierta));
    EXPECT_EQ(empresas_->DataBases().Count(), 2);

    // Another: the question names it, with its size and last change; No keeps it.
    const QFileInfo info(otra);
    prompt().Push(QStringLiteral("no"));
    EjecutaAccionBD(*empresas_, abBorrarArchivo, 1, TDataBaseEntry());
    ASSERT_EQ(prompt().Log().size(), 2);
    const QString pregunta = prompt().Log().first();
    EXPECT_TRUE(pregunta.contains(QStringLiteral("Empresa: Academia Sur")))
        << pregunta.toStdString();
    EXPECT_TRUE(pregunta.contains(QStringLiteral("Archivo: ") + otra));
    EXPECT_TRUE(pregunta.contains(QStringLiteral("Tamaño: ") +
                                  QLocale(QLocale::Spanish).formattedDataSize(info.size())));
    EXPECT_TRUE(
        pregunta.contains(QStringLiteral("Último cambio: ") +
                          info.lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm"))));
    EXPECT_TRUE(pregunta.contains(OneLine(SharedString(1729))));
    EXPECT_TRUE(QFileInfo::exists(otra));

    prompt().Push(QStringLiteral("yes"));
    EjecutaAccionBD(*empresas_, abBorrarArchivo, 1, TDataBaseEntry());
    EXPECT_FALSE(QFileInfo::exists(otra));
    EXPECT_EQ(empresas_->DataBases().Count(), 1);
    EXPECT_TRUE(empresas_->IsConnected());
}

TEST_F(Acciones, TheBackupOfferedFirstKeepsTheFileUnlessItWasMade) {
    const QString otra = ArchivoVersion(4, QStringLiteral("otra.MDB"));
    empresas_->DataBases().Add({QStringLiteral("Academia Sur"), 4, otra, QString(), QString()});
    QList<int> ofrecidas;
    bool hecha = false;
    SetCopiaAntesDeBorrar([&](int index) {
        ofrecidas << index;
        return hecha;
    });
    // The backup not made: nothing asked further, file and entry kept.
    EjecutaAccionBD(*empresas_, abBorrarArchivo, 0, TDataBaseEntry());
    EXPECT_EQ(ofrecidas, QList<int>{0});
    EXPECT_TRUE(prompt().Log().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(otra));
    EXPECT_EQ(empresas_->DataBases().Count(), 1);

    // Made (or declined): the usual question follows and Yes deletes.
    hecha = true;
    prompt().Push(QStringLiteral("yes"));
    EjecutaAccionBD(*empresas_, abBorrarArchivo, 0, TDataBaseEntry());
    SetCopiaAntesDeBorrar(nullptr);
    EXPECT_EQ(ofrecidas, (QList<int>{0, 0}));
    EXPECT_FALSE(QFileInfo::exists(otra));
    EXPECT_EQ(empresas_->DataBases().Count(), 0);
}

}  // namespace
}  // namespace zmk::test
