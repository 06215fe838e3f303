// The transfer chain over synthetic masters: its length limit, the order in which the steps'
// queries run, and the failures of each link.
#include <QDir>
#include <QFileInfo>

#include "core/strings.h"
#include "tests/core/test_versiones_datos.h"

namespace zmk::test {
namespace {

const QString kPrograma = QStringLiteral("ZMK Escolia EXT");

class Cadena : public EntornoBD {
  protected:
    // A master: table Datos, its version row and one import row pointing to the next link.
    void Master(const QString& file, const QString& next, const QString& prefix,
                int importVersion = 1, QStringList extraQueries = {}) {
        QStringList sql{
            QStringLiteral("CREATE TABLE Datos (x INTEGER, paso TEXT)"),
            QStringLiteral("CREATE TABLE TZMKVersionInfo (NombreAplicacion TEXT, NumeroVersion "
                           "INTEGER, MasterFileName TEXT)"),
            QStringLiteral("INSERT INTO TZMKVersionInfo VALUES ('%1', 9, '')").arg(kPrograma),
            QStringLiteral("CREATE TABLE TZMKImportVersions (NombreAplicacion TEXT, NumeroVersion "
                           "INTEGER, NombreArchivo TEXT, PrefijoConsultas TEXT)"),
            QStringLiteral("INSERT INTO TZMKImportVersions VALUES ('%1', %2, '%3', '%4')")
                .arg(kPrograma)
                .arg(importVersion)
                .arg(next, prefix),
            QStringLiteral("CREATE TABLE TZMKImportQueries (NombreConsulta TEXT, TextoSQL TEXT)"),
            // Each link appends its own name, so the order of the steps shows in the data.
            QStringLiteral("INSERT INTO TZMKImportQueries VALUES ('%1CIMP1', 'INSERT INTO Datos "
                           "SELECT x, paso || ''>%2'' FROM Origen.Datos')")
                .arg(prefix, QFileInfo(file).completeBaseName())};
        Ejecuta(file, sql + extraQueries);
    }
    QString Vacia(const QString& name) const {
        return AjustesBD().directorioVacias + u'/' + name + QStringLiteral(".MMDB");
    }
    // The source: version 1 of the program, master "SRC", two rows.
    QString Origen() {
        const QString file = Path(QStringLiteral("origen.mdb"));
        Ejecuta(
            file,
            {QStringLiteral("CREATE TABLE Datos (x INTEGER, paso TEXT)"),
             QStringLiteral("INSERT INTO Datos VALUES (1, 'src'), (2, 'src')"),
             QStringLiteral("CREATE TABLE TZMKVersionInfo (NombreAplicacion TEXT, "
                            "NumeroVersion INTEGER, MasterFileName TEXT)"),
             QStringLiteral("INSERT INTO TZMKVersionInfo VALUES ('%1', 1, 'SRC')").arg(kPrograma)});
        return file;
    }
    // The current master and `intermediates` links M1..Mn, the last pointing to the source.
    void Cadena_(int intermediates) {
        QDir(AjustesBD().directorioVacias).removeRecursively();
        QDir().mkpath(AjustesBD().directorioVacias);
        Master(MasterDatabaseFileName(4),
               intermediates ? QStringLiteral("M1.MMDB") : QStringLiteral("SRC.MMDB"),
               QStringLiteral("P0"));
        for (int i = 1; i <= intermediates; ++i)
            Master(
                Vacia(QStringLiteral("M%1").arg(i)),
                i == intermediates ? QStringLiteral("src.mdb") : QStringLiteral("M%1").arg(i + 1),
                QStringLiteral("P%1").arg(i));
    }
    QString Header(const QString& src, const QString& dest) const {
        return SharedStringFmt(1420, {src, dest}) + QStringLiteral("\n\n");
    }
};

TEST_F(Cadena, SourceNamedByTheCurrentMasterRunsOnlyTheDestinationQueries) {
    Cadena_(0);
    const QString dest = Path(QStringLiteral("dest.MDB"));
    EXPECT_EQ(TraspasaDatos(Origen(), dest), 1);
    EXPECT_EQ(Scalar(dest, QStringLiteral("SELECT group_concat(paso) FROM Datos")).toString(),
              QStringLiteral("src>ZMKEscoExtV4,src>ZMKEscoExtV4"));
}

TEST_F(Cadena, StepsRunFromTheSourceSideToTheDestination) {
    Cadena_(2);
    // A query with the prefix but not prefix + "CIMP" is not run (it would fail).
    Ejecuta(MasterDatabaseFileName(4),
            {QStringLiteral("INSERT INTO TZMKImportQueries VALUES ('P0XCIMP', 'INSERT INTO Nada "
                            "VALUES (1)')")});
    const QString dest = Path(QStringLiteral("dest.MDB"));
    EXPECT_EQ(TraspasaDatos(Origen(), dest), 3);
    EXPECT_EQ(Scalar(dest, QStringLiteral("SELECT paso FROM Datos WHERE x = 2")).toString(),
              QStringLiteral("src>M2>M1>ZMKEscoExtV4"));
    EXPECT_TRUE(QDir(AjustesBD().directorioTemporal).entryList(QDir::Files).isEmpty());
}

TEST_F(Cadena, TwentyOneLookupsReachTheSourceAndTwentyTwoDoNot) {
    Cadena_(20);
    const QString dest = Path(QStringLiteral("dest.MDB"));
    EXPECT_EQ(TraspasaDatos(Origen(), dest), 21);

    Cadena_(21);
    const QString dest2 = Path(QStringLiteral("dest2.MDB"));
    const QString src = Path(QStringLiteral("origen.mdb"));
    EXPECT_EQ(Error([&] { TraspasaDatos(src, dest2); }), Header(src, dest2) + SharedString(1432));
    EXPECT_FALSE(QFileInfo::exists(dest2));
    EXPECT_TRUE(QDir(AjustesBD().directorioTemporal).entryList(QDir::Files).isEmpty());
}

TEST_F(Cadena, EachBrokenLinkHasItsMessage) {
    const QString src = Origen();
    const QString dest = Path(QStringLiteral("dest.MDB"));
    const QString h = Header(src, dest);

    // The current master imports only up to an older version than the source's.
    Master(MasterDatabaseFileName(4), QStringLiteral("SRC"), QStringLiteral("P0"), 0);
    EXPECT_EQ(Error([&] { TraspasaDatos(src, dest); }),
              h + SharedStringFmt(1422, {kPrograma, 1, 0}));

    BorraArchivoBD(MasterDatabaseFileName(4));
    Master(MasterDatabaseFileName(4), QString(), QStringLiteral("P0"));
    EXPECT_EQ(
        Error([&] { TraspasaDatos(src, dest); }),
        h + SharedStringFmt(1440, {AjustesBD().directorioTemporal + QStringLiteral("/dest.MDB"),
                                   kPrograma, 1}));

    BorraArchivoBD(MasterDatabaseFileName(4));
    Master(MasterDatabaseFileName(4), QStringLiteral("FALTA.MMDB"), QStringLiteral("P0"));
    EXPECT_EQ(Error([&] { TraspasaDatos(src, dest); }),
              h + SharedStringFmt(1441, {Vacia(QStringLiteral("FALTA"))}));

    BorraArchivoBD(MasterDatabaseFileName(4));
    Ejecuta(MasterDatabaseFileName(4), {QStringLiteral("CREATE TABLE Datos (x INTEGER)")});
    EXPECT_EQ(Error([&] { TraspasaDatos(src, dest); }), h + SharedString(1438));

    const QString sinMaster = Path(QStringLiteral("otro.mdb"));
    Ejecuta(sinMaster, {QStringLiteral("CREATE TABLE TZMKVersionInfo (NombreAplicacion TEXT, "
                                       "NumeroVersion INTEGER)"),
                        QStringLiteral("INSERT INTO TZMKVersionInfo VALUES ('ZMK Otro', 2)")});
    EXPECT_EQ(Error([&] { TraspasaDatos(sinMaster, dest); }),
              Header(sinMaster, dest) + SharedStringFmt(1439, {QStringLiteral("ZMK Otro")}));
    EXPECT_FALSE(QFileInfo::exists(dest));
    EXPECT_TRUE(QDir(AjustesBD().directorioTemporal).entryList(QDir::Files).isEmpty());
}

TEST_F(Cadena, AFailingQueryReportsFileStepAndCause) {
    Cadena_(0);
    Ejecuta(MasterDatabaseFileName(4),
            {QStringLiteral("INSERT INTO TZMKImportQueries VALUES ('P0CIMP2', 'INSERT INTO Nada "
                            "VALUES (1)')")});
    const QString src = Origen();
    const QString dest = Path(QStringLiteral("dest.MDB"));
    const QString message = Error([&] { TraspasaDatos(src, dest); });
    const QString copy = AjustesBD().directorioTemporal + QStringLiteral("/dest.MDB");
    EXPECT_TRUE(message.startsWith(
        Header(src, dest) + SharedString(1415) + QStringLiteral("\nDataBase: \"") + copy +
        QStringLiteral("\"\nERROR: ") + SharedStringFmt(1412, {QStringLiteral("P0CIMP2"), 2, 2}) +
        QStringLiteral("\n\n")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Nada")));
    EXPECT_FALSE(QFileInfo::exists(dest));
}

}  // namespace
}  // namespace zmk::test
