// Version check and the upgrade of older company files through the shipped masters.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "core/strings.h"
#include "tests/core/test_versiones_datos.h"
#include "tests/support/fulldisk.h"

namespace zmk::test {
namespace {

using Versiones = EntornoBD;

TEST_F(Versiones, MastersCarryTheirVersionImportRowAndQueries) {
    const QStringList written = CreaMasters(AjustesBD().directorioVacias);
    ASSERT_EQ(written.size(), 4);
    // The oldest format has no version table: its tables tell what it is.
    const TVersionInfo v1 = LeeVersion(MasterDatabaseFileName(1), false);
    EXPECT_EQ(v1.numeroVersion, 1);
    EXPECT_EQ(v1.nombreAplicacion, QStringLiteral("ZMK Escolia EXT"));
    for (int v : {2, 3, 4}) {
        TVersionInfo info = LeeVersion(MasterDatabaseFileName(v), false);
        EXPECT_EQ(info.nombreAplicacion, QStringLiteral("ZMK Escolia EXT"));
        EXPECT_EQ(info.numeroVersion, v);
        EXPECT_EQ(info.masterFileName, QStringLiteral("ZMKEscoExtV%1").arg(v));
    }
    const QString v4 = MasterDatabaseFileName(4);
    EXPECT_EQ(Scalar(v4, QStringLiteral("SELECT NombreArchivo || '|' || PrefijoConsultas || '|' "
                                        "|| NumeroVersion FROM TZMKImportVersions"))
                  .toString(),
              QStringLiteral("ZMKEscoExtV3.MMDB|EXT3|3"));
    EXPECT_EQ(Scalar(v4, QStringLiteral("SELECT COUNT(*) FROM TZMKImportQueries")).toInt(),
              ConsultasImportacion(4).size());
    // Up to date masters are left alone; a damaged one is rebuilt.
    EXPECT_TRUE(CreaMasters(AjustesBD().directorioVacias).isEmpty());
    Ejecuta(MasterDatabaseFileName(3), {QStringLiteral("DROP TABLE T26FaltasAsistencia")});
    EXPECT_EQ(CreaMasters(AjustesBD().directorioVacias), QStringList{MasterDatabaseFileName(3)});
}

TEST_F(Versiones, OlderFormatsDifferFromTheCurrentOne) {
    const auto v2 = ColumnasVersion(2), v3 = ColumnasVersion(3), v4 = ColumnasVersion(4);
    EXPECT_FALSE(v3.contains(QStringLiteral("T27LiquidacionesCab")));
    EXPECT_TRUE(v3[QStringLiteral("T01Alumnos")].contains(QStringLiteral("ObservacionesT01")));
    EXPECT_FALSE(v3[QStringLiteral("T01Alumnos")].contains(QStringLiteral("ComentariosT01")));
    EXPECT_FALSE(v2.contains(QStringLiteral("T26FaltasAsistencia")));
    EXPECT_FALSE(v2[QStringLiteral("T01Alumnos")].contains(QStringLiteral("EMailT01")));
    EXPECT_TRUE(v4[QStringLiteral("T01Alumnos")].contains(QStringLiteral("ReferenciaMandatoT01")));
    EXPECT_FALSE(v3[QStringLiteral("T04Profesores")].contains(QStringLiteral("FechaMandatoT04")));
    EXPECT_TRUE(v4[QStringLiteral("T04Profesores")].contains(QStringLiteral("FechaMandatoT04")));
    // The renamed column is read under its old name.
    bool found = false;
    for (const auto& [name, sql] : ConsultasImportacion(4))
        if (name.endsWith(QStringLiteral("T01Alumnos"))) {
            found = true;
            EXPECT_TRUE(name.startsWith(QStringLiteral("EXT3CIMP")));
            EXPECT_TRUE(sql.contains(QStringLiteral("ObservacionesT01")));
            EXPECT_FALSE(sql.contains(QStringLiteral("FechaMandatoT01")));
        }
    EXPECT_TRUE(found);
}

TEST_F(Versiones, CompruebaVersionRefusesForeignNewerAndOlderFiles) {
    const QString v3 = ArchivoVersion(3, QStringLiteral("v3.MDB"));
    EXPECT_EQ(CompruebaVersion(v3, 4, true, false), 3);
    EXPECT_EQ(Error([&] { CompruebaVersion(v3, 4, false, false); }),
              SharedStringFmt(1402, {v3, 3}));
    EXPECT_TRUE(SharedStringFmt(1402, {v3, 3}).contains(QStringLiteral("ANTERIOR")));
    EXPECT_EQ(Error([&] { CompruebaVersion(v3, 2, true, false); }),
              SharedStringFmt(1401, {v3, 3, 2}));
    EXPECT_EQ(CompruebaVersion(v3, 2, false, true), 3);

    const QString otro = ArchivoVersion(4, QStringLiteral("otro.MDB"));
    Ejecuta(otro, {QStringLiteral("UPDATE TZMKVersionInfo SET NombreAplicacion = 'ZMK Gimnasio'")});
    const QString message = Error([&] { CompruebaVersion(otro, 4, true, true); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("El archivo NO PERTENECE A ESTA APLICACIÓN")));
    EXPECT_EQ(message, SharedStringFmt(1400, {otro, QStringLiteral("ZMK Gimnasio"),
                                              QStringLiteral("ZMK Escolia EXT")}));
    // The name is compared without regard to case.
    Ejecuta(otro,
            {QStringLiteral("UPDATE TZMKVersionInfo SET NombreAplicacion = 'zmk escolia ext'")});
    EXPECT_EQ(CompruebaVersion(otro, 4, false, false), 4);

    QFile text(Path(QStringLiteral("notas.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("no soy una base de datos");
    text.close();
    EXPECT_EQ(Error([&] { CompruebaVersion(text.fileName(), 4, true, true); }),
              SharedStringFmt(1436, {text.fileName()}));
}

TEST_F(Versiones, VersionOneIsRecognisedByItsTableList) {
    const QString master1 = MasterDatabaseFileName(1);
    Ejecuta(master1, {QStringLiteral("CREATE TABLE Alumnos (Id INTEGER)"),
                      QStringLiteral("CREATE TABLE Cursos (Id INTEGER)"),
                      QStringLiteral("CREATE TABLE TZMKVersionInfo (NombreAplicacion TEXT)")});
    const QString antiguo = Path(QStringLiteral("antiguo.mdb"));
    Ejecuta(antiguo, {QStringLiteral("CREATE TABLE cursos (Id INTEGER)"),
                      QStringLiteral("CREATE TABLE alumnos (Id INTEGER, Nombre TEXT)")});
    TVersionInfo info = LeeVersion(antiguo, false);
    EXPECT_EQ(info.nombreAplicacion, QStringLiteral("ZMK Escolia EXT"));
    EXPECT_EQ(info.numeroVersion, 1);
    EXPECT_EQ(info.masterFileName, QStringLiteral("ZMKEscoExtV1"));

    Ejecuta(antiguo, {QStringLiteral("CREATE TABLE Otra (Id INTEGER)")});
    info = LeeVersion(antiguo, false);
    EXPECT_TRUE(info.nombreAplicacion.isEmpty());
    EXPECT_EQ(info.numeroVersion, 0);
}

TEST_F(Versiones, WithoutVersionTableAndMasterOneAsksForManualImport) {
    const QString antiguo = Path(QStringLiteral("antiguo.mdb"));
    Ejecuta(antiguo, {QStringLiteral("CREATE TABLE Alumnos (Id INTEGER)")});
    EXPECT_EQ(Error([&] { LeeVersion(antiguo, false); }), SharedStringFmt(1436, {antiguo}));

    prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(LeeVersion(antiguo, true), EAbort);
    prompt().Push(QStringLiteral("yes"));
    prompt().Push(QStringLiteral("cancel"));
    EXPECT_THROW(LeeVersion(antiguo, true), EAbort);
    prompt().Push(QStringLiteral("yes"));
    prompt().Push(QStringLiteral("ZMK Escolia EXT"));
    TVersionInfo info = LeeVersion(antiguo, true);
    EXPECT_EQ(info.numeroVersion, 1);
    EXPECT_EQ(info.masterFileName, QStringLiteral("ZMKEscoExtV1"));
    EXPECT_TRUE(
        prompt().Log().contains(QStringLiteral("QUESTION Importación Manual: Nombre del "
                                               "programa:")));
}

TEST_F(Versiones, UpgradeFromVersionThreeKeepsTheDataAndTheSource) {
    CopiaMasters();
    const QString v3 = ArchivoVersion(3, QStringLiteral("v3.MDB"));
    Ejecuta(v3, {QStringLiteral(
                     "INSERT INTO T20Centros (IDCentroT20, NombreCentroT20) VALUES (7, 'Norte')"),
                 QStringLiteral("INSERT INTO T01Alumnos (IDAlumnoT01, IDCentroT01, NombreT01, "
                                "ObservacionesT01, EMailT01, ActivoT01) VALUES (41, 7, 'Ana', "
                                "'alérgica', 'ana@example.com', 1)")});
    const QString dest = Path(QStringLiteral("DATADIR/nueva.MDB"));
    const int run = TraspasaDatos(v3, dest);
    EXPECT_EQ(run, ConsultasImportacion(4).size());
    EXPECT_EQ(prompt().Log().last(),
              QStringLiteral("INFO ZMK-Escolia: ") + OneLine(SharedStringFmt(1442, {run})))
        << prompt().Log().join(u'\n').toStdString();

    EXPECT_EQ(CompruebaVersion(dest, 4, false, false), 4);
    EXPECT_EQ(Scalar(dest, QStringLiteral("SELECT NombreT01 || '|' || ComentariosT01 || '|' || "
                                          "EMailT01 FROM T01Alumnos WHERE IDAlumnoT01 = 41"))
                  .toString(),
              QStringLiteral("Ana|alérgica|ana@example.com"));
    EXPECT_TRUE(
        Scalar(dest, QStringLiteral("SELECT ReferenciaMandatoT01 FROM T01Alumnos")).isNull());
    EXPECT_EQ(Scalar(dest, QStringLiteral("SELECT NombreCentroT20 FROM T20Centros")).toString(),
              QStringLiteral("Norte"));
    // New keys continue after the imported ones.
    Ejecuta(dest, {QStringLiteral("INSERT INTO T01Alumnos (NombreT01) VALUES ('Luis')")});
    EXPECT_EQ(Scalar(dest, QStringLiteral("SELECT MAX(IDAlumnoT01) FROM T01Alumnos")).toInt(), 42);

    EXPECT_EQ(CompruebaVersion(v3, 3, false, false), 3);
    EXPECT_TRUE(QDir(AjustesBD().directorioTemporal).entryList(QDir::Files).isEmpty());

    LimpiaImportacion(dest);
    auto db = TDataBaseZMK::Open(dest);
    EXPECT_FALSE(db->TableExists(QStringLiteral("TZMKImportVersions")));
    EXPECT_FALSE(db->TableExists(QStringLiteral("TZMKImportQueries")));
}

TEST_F(Versiones, UpgradeFromVersionTwoGoesThroughTheIntermediateMaster) {
    CopiaMasters();
    const QString v2 = ArchivoVersion(2, QStringLiteral("v2.MDB"));
    Ejecuta(v2, {QStringLiteral("INSERT INTO T01Alumnos (IDAlumnoT01, NombreT01, ObservacionesT01) "
                                "VALUES (3, 'Eva', 'beca')")});
    const QString dest = Path(QStringLiteral("DATADIR/desde2.MDB"));
    EXPECT_EQ(TraspasaDatos(v2, dest),
              ConsultasImportacion(3).size() + ConsultasImportacion(4).size());
    EXPECT_EQ(Scalar(dest, QStringLiteral("SELECT ComentariosT01 FROM T01Alumnos WHERE "
                                          "IDAlumnoT01 = 3"))
                  .toString(),
              QStringLiteral("beca"));
    EXPECT_TRUE(Scalar(dest, QStringLiteral("SELECT EMailT01 FROM T01Alumnos")).isNull());
    EXPECT_TRUE(QDir(AjustesBD().directorioTemporal).entryList(QDir::Files).isEmpty());
}

TEST_F(Versiones, UpgradeFromVersionOneRunsTheWholeChain) {
    CopiaMasters();
    const QString v1 = ArchivoVersion(1, QStringLiteral("v1.MDB"));
    Ejecuta(v1, {QStringLiteral("INSERT INTO T20Centros (IDCentroT20, NombreCentroT20) VALUES "
                                "(5, 'Primero')")});
    EXPECT_EQ(CompruebaVersion(v1, 4, true, false), 1);
    const QString dest = Path(QStringLiteral("DATADIR/desde1.MDB"));
    EXPECT_EQ(TraspasaDatos(v1, dest), ConsultasImportacion(2).size() +
                                           ConsultasImportacion(3).size() +
                                           ConsultasImportacion(4).size());
    EXPECT_EQ(CompruebaVersion(dest, 4, false, false), 4);
    EXPECT_EQ(Scalar(dest, QStringLiteral("SELECT NombreCentroT20 FROM T20Centros")).toString(),
              QStringLiteral("Primero"));
    EXPECT_TRUE(Scalar(dest, QStringLiteral("SELECT Telf2T20 FROM T20Centros")).isNull());
}

TEST_F(Versiones, AFileOfAnotherProgramWithoutVersionTableDoesNotBelongHere) {
    CopiaMasters();
    const QString ajeno = Path(QStringLiteral("ajeno.db"));
    Ejecuta(ajeno, {QStringLiteral("CREATE TABLE Facturas (Id INTEGER)")});
    EXPECT_EQ(Error([&] { CompruebaVersion(ajeno, 4, true, true); }),
              SharedStringFmt(1400, {ajeno, QString(), QStringLiteral("ZMK Escolia EXT")}));
}

TEST_F(Versiones, AnExistingDestinationIsNeverOverwritten) {
    CopiaMasters();
    const QString v3 = ArchivoVersion(3, QStringLiteral("v3.MDB"));
    const QString dest = ArchivoVersion(4, QStringLiteral("ocupado.MDB"));
    Ejecuta(dest, {QStringLiteral("INSERT INTO T20Centros (NombreCentroT20) VALUES ('Mío')")});
    const QString message = Error([&] { TraspasaDatos(v3, dest); });
    const QString temp = AjustesBD().directorioTemporal;
    EXPECT_EQ(message, SharedStringFmt(1420, {v3, dest}) + QStringLiteral("\n\n") +
                           SharedStringFmt(1430, {temp, QStringLiteral("ocupado.MDB"), dest}));
    EXPECT_EQ(Scalar(dest, QStringLiteral("SELECT NombreCentroT20 FROM T20Centros")).toString(),
              QStringLiteral("Mío"));
    EXPECT_TRUE(QDir(temp).entryList(QDir::Files).isEmpty());
}

// A copy that fails halfway (a full disk) keeps the file it was to replace.
TEST_F(Versiones, AFailedCopyKeepsTheFileItWasToReplace) {
    FullDisk disk(Path(QStringLiteral("lleno")));
    if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system needs root";
    const QString source = Path(QStringLiteral("grande.MDB"));
    Ejecuta(source, {QStringLiteral("CREATE TABLE Datos (Texto TEXT)"),
                     QStringLiteral("INSERT INTO Datos VALUES (hex(randomblob(40000)))")});
    const QString dest = Path(QStringLiteral("lleno/empresa.MDB"));
    {
        QFile previous(dest);
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("anterior");
    }
    const QStringList files = QDir(QFileInfo(dest).path()).entryList(QDir::Files);
    EXPECT_FALSE(CopiaArchivoBD(source, dest, true));
    QFile kept(dest);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("anterior"));
    EXPECT_EQ(QDir(QFileInfo(dest).path()).entryList(QDir::Files), files);
}

TEST_F(Versiones, TransferNeedsTheMasterDirectoryAndTheCurrentMaster) {
    const QString v3 = ArchivoVersion(3, QStringLiteral("v3.MDB"));
    const QString dest = Path(QStringLiteral("d.MDB"));
    const QString header = SharedStringFmt(1420, {v3, dest}) + QStringLiteral("\n\n");
    EXPECT_EQ(Error([&] { TraspasaDatos(v3, dest); }),
              header + SharedStringFmt(1429, {MasterDatabaseFileName(4)}));
    AjustesBD().directorioVacias = Path(QStringLiteral("no-existe"));
    EXPECT_EQ(Error([&] { TraspasaDatos(v3, dest); }),
              header + SharedStringFmt(1426, {AjustesBD().directorioVacias}));
    EXPECT_FALSE(QFileInfo::exists(dest));
}

TEST_F(Versiones, NewFileNamesTakeTheFirstFreeNumber) {
    QDir().mkpath(AjustesBD().directorioDatos);
    for (int n : {1, 2})
        Ejecuta(AjustesBD().directorioDatos + QStringLiteral("/ZMKEscoliaExtV4E%1.MDB").arg(n), {});
    EXPECT_EQ(NewDatabaseFileName(),
              AjustesBD().directorioDatos + QStringLiteral("/ZMKEscoliaExtV4E3.MDB"));
    AjustesBD().directorioDatos.clear();
    EXPECT_TRUE(
        Error([] { NewDatabaseFileName(); }).contains(QStringLiteral("\"DefaultDataDir\"")));
    AjustesBD().mascaraNuevaBD.clear();
    EXPECT_TRUE(Error([] {
                    NewDatabaseFileName();
                }).contains(QStringLiteral("\"NewDataBaseMaskFileName\"")));
    AjustesBD().directorioVacias.clear();
    EXPECT_TRUE(
        Error([] { MasterDatabaseFileName(4); }).startsWith(QStringLiteral("NO PUEDE REALIZAR")));
    AjustesBD().nombreMaster = [](int v) { return QStringLiteral("/m/%1").arg(v); };
    EXPECT_EQ(MasterDatabaseFileName(3), QStringLiteral("/m/3"));
}

TEST_F(Versiones, CleanUpDropsImportObjectsButNeverCompanyTables) {
    const QString file = Path(QStringLiteral("limpia.MDB"));
    QFile::copy(MastersPlantilla() + QStringLiteral("/ZMKEscoExtV4.MMDB"), file);
    Ejecuta(file,
            {QStringLiteral("INSERT INTO TZMKImportVersions (NombreAplicacion, PrefijoConsultas) "
                            "VALUES ('Otro', 'T')"),
             QStringLiteral("CREATE TABLE EXT3Temporal (x INTEGER)"),
             QStringLiteral("CREATE TABLE CIMPTrabajo (x INTEGER)"),
             QStringLiteral("CREATE TABLE Propia (x INTEGER)"),
             QStringLiteral("INSERT INTO TZMKImportQueries VALUES ('OTRACONSULTA', 'SELECT 1')")});
    LimpiaImportacion(file);
    auto db = TDataBaseZMK::Open(file);
    EXPECT_FALSE(db->TableExists(QStringLiteral("EXT3Temporal")));
    EXPECT_FALSE(db->TableExists(QStringLiteral("CIMPTrabajo")));
    EXPECT_FALSE(db->TableExists(QStringLiteral("TZMKImportVersions")));
    EXPECT_TRUE(db->TableExists(QStringLiteral("Propia")));
    EXPECT_TRUE(db->TableExists(QStringLiteral("T01Alumnos")));
    EXPECT_TRUE(db->TableExists(QStringLiteral("T99ParametrosAplicacion")));
    // A query of no import prefix stays, and with it its table.
    QSqlQuery q = db->Query(QStringLiteral("SELECT NombreConsulta FROM TZMKImportQueries"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("OTRACONSULTA"));
    EXPECT_FALSE(q.next());
}

// Another program's file is recognised before anything is written to it: refused, it stays
// byte for byte as it was, in its own journal mode.
TEST_F(Versiones, ARefusedFileIsLeftAsItWas) {
    const QString ajeno = Path(QStringLiteral("gimnasio.db"));
    {
        QSqlDatabase conn =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("otro-programa"));
        conn.setDatabaseName(ajeno);
        ASSERT_TRUE(conn.open());
        QSqlQuery q(conn);
        ASSERT_TRUE(
            q.exec(QStringLiteral("CREATE TABLE TZMKVersionInfo (NombreAplicacion TEXT, "
                                  "NumeroVersion INTEGER)")));
        ASSERT_TRUE(
            q.exec(QStringLiteral("INSERT INTO TZMKVersionInfo VALUES ('ZMK Gimnasio', 4)")));
        q.finish();
        conn.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("otro-programa"));
    auto bytes = [&] {
        QFile f(ajeno);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray antes = bytes();
    ASSERT_FALSE(antes.isEmpty());
    EXPECT_EQ(Error([&] { CompruebaVersion(ajeno, 4, true, true); }),
              SharedStringFmt(1400, {ajeno, QStringLiteral("ZMK Gimnasio"),
                                     QStringLiteral("ZMK Escolia EXT")}));
    EXPECT_EQ(bytes(), antes);
    EXPECT_FALSE(QFileInfo::exists(ajeno + QStringLiteral("-wal")));
}

}  // namespace
}  // namespace zmk::test
