// The company-database list in the INI file, opening a database, and importing the list of an
// earlier installation.
#include <QFileInfo>
#include <QSettings>

#include "core/empresas.h"
#include "core/strings.h"
#include "tests/core/test_versiones_datos.h"

namespace zmk::test {
namespace {

TEST(RutasRelativas, AreWrittenFromTheIniDirectory) {
    EXPECT_EQ(RelativePath(QStringLiteral("/inst"), QStringLiteral("/inst/DATADIR/E1.MDB")),
              QStringLiteral("./DATADIR/E1.MDB"));
    EXPECT_EQ(RelativePath(QStringLiteral("/inst"), QStringLiteral("/inst/E1.MDB")),
              QStringLiteral("./E1.MDB"));
    EXPECT_EQ(RelativePath(QStringLiteral("/a/inst"), QStringLiteral("/a/E1.MDB")),
              QStringLiteral("../E1.MDB"));
    EXPECT_EQ(RelativePath(QStringLiteral("/a/b/inst"), QStringLiteral("/a/datos/x/E1.MDB")),
              QStringLiteral("../../datos/x/E1.MDB"));
    // Directories differing only in case are different directories here.
    EXPECT_EQ(RelativePath(QStringLiteral("/a/Inst"), QStringLiteral("/a/inst/E1.MDB")),
              QStringLiteral("../inst/E1.MDB"));
}

class Lista : public EntornoBD {
  protected:
    void SetUp() override {
        EntornoBD::SetUp();
        ini_ = std::make_unique<QSettings>(Path(QStringLiteral("ZMKEscoliaV16EXT.INI")),
                                           QSettings::IniFormat);
        empresas_ = std::make_unique<TEmpresasBD>(*ini_);
    }
    void TearDown() override {
        empresas_.reset();
        ini_.reset();
        EntornoBD::TearDown();
    }
    TZMKDataBases& list() { return empresas_->DataBases(); }
    int Add(const QString& name, const QString& file) {
        TDataBaseEntry e;
        e.nombre = name;
        e.archivo = file;
        return list().Add(e);
    }
    std::unique_ptr<QSettings> ini_;
    std::unique_ptr<TEmpresasBD> empresas_;
};

TEST_F(Lista, NewEntriesTakeTheFirstFreeSectionNumberAndRelativePaths) {
    Add(QStringLiteral("Uno"), Path(QStringLiteral("DATADIR/E1.MDB")));
    Add(QStringLiteral("Dos"), Path(QStringLiteral("DATADIR/E2.MDB")));
    Add(QStringLiteral("Tres"), Path(QStringLiteral("../fuera/E3.MDB")));
    list().Delete(1);
    ASSERT_EQ(list().Count(), 2);
    EXPECT_EQ(list().SectionName(1), QStringLiteral("BDEmpresa3"));
    const int index = Add(QStringLiteral("Nueva"), Path(QStringLiteral("DATADIR/E4.MDB")));
    EXPECT_EQ(list().SectionName(index), QStringLiteral("BDEmpresa2"));
    EXPECT_EQ(ini_->value(QStringLiteral("BDEmpresa2/Archivo")).toString(),
              QStringLiteral("./DATADIR/E4.MDB"));
    EXPECT_EQ(ini_->value(QStringLiteral("BDEmpresa3/Archivo")).toString(),
              QStringLiteral("../fuera/E3.MDB"));
    EXPECT_EQ(ini_->value(QStringLiteral("BASES_DE_DATOS/BDEmpresa2")).toString(),
              QStringLiteral("Nueva"));
    EXPECT_EQ(ini_->value(QStringLiteral("BDEmpresa2/Version")).toInt(), -1);

    TDataBaseEntry e = list().Entry(index);
    EXPECT_EQ(e.nombre, QStringLiteral("Nueva"));
    EXPECT_EQ(e.archivo, Path(QStringLiteral("DATADIR/E4.MDB")));
    EXPECT_EQ(list().IndexOfFile(Path(QStringLiteral("DATADIR/../DATADIR/E4.MDB"))), index);
    EXPECT_EQ(list().IndexOfFile(Path(QStringLiteral("DATADIR/E9.MDB"))), -1);
    EXPECT_EQ(list().IndexOfSection(QStringLiteral("bdempresa3")), 2);
}

TEST_F(Lista, OrderFollowsTheSectionNumbersAndWindowsPathsAreRead) {
    for (int n : {10, 2, 1}) {
        ini_->setValue(QStringLiteral("BASES_DE_DATOS/BDEmpresa%1").arg(n), QString::number(n));
        ini_->setValue(QStringLiteral("BDEmpresa%1/Nombre").arg(n), QStringLiteral("E%1").arg(n));
        ini_->setValue(QStringLiteral("BDEmpresa%1/Archivo").arg(n),
                       QStringLiteral(".\\DATADIR\\E%1.MDB").arg(n));
        ini_->setValue(QStringLiteral("BDEmpresa%1/SystemDataBase").arg(n),
                       QStringLiteral(".\\DATADIR\\E%1.mdw").arg(n));
    }
    ASSERT_EQ(list().Count(), 3);
    EXPECT_EQ(list().Entry(0).nombre, QStringLiteral("E1"));
    EXPECT_EQ(list().Entry(1).nombre, QStringLiteral("E2"));
    EXPECT_EQ(list().Entry(2).nombre, QStringLiteral("E10"));
    EXPECT_EQ(list().Entry(2).archivo, Path(QStringLiteral("DATADIR/E10.MDB")));
    EXPECT_EQ(list().Entry(2).systemDataBase, Path(QStringLiteral("DATADIR/E10.mdw")));
    EXPECT_EQ(list().Entry(2).version, -1);
}

TEST_F(Lista, OpeningChecksTheVersionAndKeepsTheDefaultKeyTrue) {
    const QString actual = ArchivoVersion(4, QStringLiteral("actual.MDB"));
    Add(QStringLiteral("Actual"), actual);
    Add(QStringLiteral("Antigua"), ArchivoVersion(3, QStringLiteral("antigua.MDB")));
    const QString otra = ArchivoVersion(4, QStringLiteral("otra.MDB"));
    Ejecuta(otra, {QStringLiteral("UPDATE TZMKVersionInfo SET NombreAplicacion = 'ZMK Otro'")});
    Add(QStringLiteral("Otra"), otra);
    Add(QStringLiteral("Perdida"), Path(QStringLiteral("perdida.MDB")));
    int connects = 0, disconnects = 0;
    empresas_->Hooks().conecta = [&](std::unique_ptr<TDataBaseZMK> db) {
        ++connects;
        ZMKApp().SetDefaultDB(std::move(db));
    };
    empresas_->Hooks().desconecta = [&] {
        ++disconnects;
        ZMKApp().SetDefaultDB(nullptr);
    };

    empresas_->OpenDatabase(0);
    ASSERT_TRUE(empresas_->IsConnected());
    EXPECT_EQ(DefaultDB().FileName(), actual);
    EXPECT_EQ(empresas_->OpenIndex(), 0);
    EXPECT_EQ(ini_->value(QStringLiteral("INIT/EmpresaPorDefecto")).toString(),
              QStringLiteral("BDEmpresa1"));
    EXPECT_EQ(list().Entry(0).version, 4);
    empresas_->OpenDatabase(0);  // already open: nothing happens
    EXPECT_EQ(connects, 1);

    // An older file stays closed, silently; the list learns its version.
    empresas_->OpenDatabase(1);
    EXPECT_FALSE(empresas_->IsConnected());
    EXPECT_EQ(empresas_->OpenIndex(), -1);
    EXPECT_FALSE(ini_->contains(QStringLiteral("INIT/EmpresaPorDefecto")));
    EXPECT_EQ(list().Entry(1).version, 3);
    EXPECT_TRUE(prompt().Log().isEmpty());
    EXPECT_EQ(disconnects, 1);

    EXPECT_TRUE(Error([&] {
                    empresas_->OpenDatabase(2);
                }).startsWith(QStringLiteral("El archivo NO PERTENECE A ESTA APLICACIÓN")));
    EXPECT_EQ(Error([&] { empresas_->OpenDatabase(3); }),
              SharedStringFmt(1503, {Path(QStringLiteral("perdida.MDB"))}));

    empresas_->OpenSection(QStringLiteral("BDEmpresa1"));
    EXPECT_TRUE(empresas_->IsConnected());
    empresas_->OpenDatabase(-1);
    EXPECT_FALSE(empresas_->IsConnected());
    EXPECT_FALSE(ini_->contains(QStringLiteral("INIT/EmpresaPorDefecto")));
}

TEST_F(Lista, NewerVersionsAreRefusedAndALoginCanRefuse) {
    const QString nueva = ArchivoVersion(4, QStringLiteral("nueva.MDB"));
    Ejecuta(nueva, {QStringLiteral("UPDATE TZMKVersionInfo SET NumeroVersion = 5")});
    Add(QStringLiteral("Nueva"), nueva);
    EXPECT_EQ(Error([&] { empresas_->OpenDatabase(0); }), SharedStringFmt(1401, {nueva, 5, 4}));

    Add(QStringLiteral("Con usuarios"), ArchivoVersion(4, QStringLiteral("usuarios.MDB")));
    empresas_->Hooks().inicioSesion = [](TDataBaseZMK&) -> bool {
        throw EZMKError(SharedString(1506));
    };
    EXPECT_EQ(Error([&] { empresas_->OpenDatabase(1); }), SharedString(1506));
    EXPECT_FALSE(empresas_->IsConnected());
    empresas_->Hooks().inicioSesion = [](TDataBaseZMK&) { return true; };
    empresas_->OpenDatabase(1);
    EXPECT_TRUE(empresas_->ReadOnly());
}

class Anterior : public Lista {
  protected:
    void SetUp() override {
        Lista::SetUp();
        registro_ = Path(QStringLiteral("registro.ini"));
        empresas_->Hooks().registro = [this](const QString& app) {
            auto s = std::make_unique<QSettings>(registro_, QSettings::IniFormat);
            s->beginGroup(QStringLiteral("Software/Torvanware/ZMK/ZMKAPP/") + app);
            return s;
        };
        empresas_->Hooks().archivoRecursos = Path(QStringLiteral("ZMKEscoliaV16EXT.MDR"));
        empresas_->Hooks().recargaRecursos = [this] { ++reloads_; };
        empresas_->AplicacionesAnteriores() = {QStringLiteral("ZMKEscolia21")};
        // The earlier installation, in a folder of its own, with two databases.
        QDir().mkpath(Path(QStringLiteral("v21/DATADIR")));
        QSettings reg(registro_, QSettings::IniFormat);
        reg.setValue(QStringLiteral("Software/Torvanware/ZMK/ZMKAPP/ZMKEscolia21/ZMKFileName"),
                     QStringLiteral("  ") + Path(QStringLiteral("v21/ZMKEscolia21.ZMK")) +
                         QStringLiteral(" "));
        QSettings old(Path(QStringLiteral("v21/ZMKEscolia21.INI")), QSettings::IniFormat);
        TZMKDataBases oldList(old);
        TDataBaseEntry a{QStringLiteral("Academia A"), 4, Path(QStringLiteral("v21/DATADIR/A.MDB")),
                         QString(), QString()};
        TDataBaseEntry b{QStringLiteral("Academia B"), 3, Path(QStringLiteral("compartida.MDB")),
                         QString(), QString()};
        oldList.Add(a);
        oldList.Add(b);
        QFile mdr(Path(QStringLiteral("v21/ZMKEscolia21.MDR")));
        mdr.open(QIODevice::WriteOnly);
        mdr.write("recursos");
    }
    QString registro_;
    int reloads_ = 0;
};

TEST_F(Anterior, OffersEveryNewDatabaseAndTakesTheResourcesOnce) {
    Add(QStringLiteral("Ya estaba"), Path(QStringLiteral("compartida.MDB")));
    prompt().Push(QStringLiteral("yes"));
    EXPECT_TRUE(empresas_->ImportaPrimeraVez());
    ASSERT_EQ(list().Count(), 2);
    const TDataBaseEntry e = list().Entry(1);
    EXPECT_EQ(e.nombre, QStringLiteral("Academia A"));
    EXPECT_EQ(e.version, 4);
    EXPECT_EQ(ini_->value(QStringLiteral("BDEmpresa2/Archivo")).toString(),
              QStringLiteral("./v21/DATADIR/A.MDB"));
    const QStringList& log = prompt().Log();
    ASSERT_GE(log.size(), 3);
    EXPECT_EQ(log[0], QStringLiteral("QUESTION IMPORTAR: ") +
                          OneLine(QStringLiteral("Importar Bases de datos desde versión anterior: "
                                                 "\n\nVersión anterior del programa: "
                                                 "ZMKEscolia21\n\nEncontrada la base de datos "
                                                 "\"Academia A\"\nen el archivo: ") +
                                  Path(QStringLiteral("v21/DATADIR/A.MDB")) +
                                  QStringLiteral("\n\n¿Importar al programa ZMK-Escolia?")));
    EXPECT_TRUE(
        log[2].startsWith(QStringLiteral("INFO ZMK-Escolia: Se han importado los "
                                         "recursos antiguos")));
    EXPECT_EQ(reloads_, 1);
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("ZMKEscoliaV16EXT.MDR"))));

    // Only once per INI file.
    EXPECT_FALSE(empresas_->ImportaPrimeraVez());
    // By hand, with resources already there: nothing new, and it says why.
    prompt().Push(QStringLiteral("no"));
    EXPECT_EQ(empresas_->ImportaAplicacionAnterior(QStringLiteral("ZMKEscolia21"), true), 0);
    EXPECT_TRUE(prompt().Log().last().startsWith(
        QStringLiteral("INFO ZMK-Escolia: No se han importado los recursos antiguos")));
    EXPECT_EQ(empresas_->ImportaAplicacionAnterior(QStringLiteral("Desconocida"), true), 0);
}

}  // namespace
}  // namespace zmk::test
