#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSqlQuery>

#include "backup_fixture.h"
#include "host/datetime.h"
#include "maintenance/backup_create.h"
#include "maintenance/backup_restore.h"
#include "maintenance/backup_snapshot.h"
#include "maintenance/torvan_zip_lister.h"

namespace zmk {
namespace {

using test::BackupInstallation;
using test::ReadAll;

template <typename F>
QString ErrorOf(F&& f) {
    try {
        f();
    } catch (const EZMKError& e) {
        return e.Message();
    } catch (const EAbort&) {
        return QStringLiteral("(abort)");
    }
    return QStringLiteral("(no error)");
}

int Students(const QString& file) {
    auto db = TDataBaseZMK::Open(file);
    QSqlQuery q = db->Query("SELECT COUNT(*) FROM T01Alumnos");
    return q.next() ? q.value(0).toInt() : -1;
}

class Backups : public ::testing::Test {
  protected:
    QString Archive() const { return inst.root.filePath("copias/copia.TvZ"); }
    TBackupResult Backup(QList<int> databases, bool resources = true) {
        QDir().mkpath(QFileInfo(Archive()).path());
        TBackupRequest request;
        request.description = "Semanal";
        request.databases = databases;
        request.includeResources = resources;
        return RealizarCopia(inst.facts, request, Archive());
    }
    std::unique_ptr<TTorvan_Zip_Lister> Open() { return AbrirCopia(inst.facts, Archive()); }
    BackupInstallation inst;
};

TEST_F(Backups, GroupsNamesAndHeader) {
    inst.WriteResourceFile("recursos");
    const int a = inst.AddCompany("Academia", inst.DataDir() + "/ZMKEscoliaExtV4E1.MDB");
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath("Fuera.MDB");
    const int b = inst.AddCompany("Fuera", outside);
    const TBackupResult result = Backup({a, b});
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.volumes, 1);
    const auto lister = Open();
    EXPECT_EQ(lister->Description(), "Semanal");
    EXPECT_EQ(lister->ApplicationText(), "ZMK Escolia EXT");
    EXPECT_EQ(lister->ApplicationNumber(), 4);
    ASSERT_EQ(lister->Count(), 3);
    EXPECT_EQ(lister->Entry(0).name, "ZMK.MDR");
    EXPECT_EQ(lister->Entry(0).description, "ARCHIVO DE RECURSOS");
    EXPECT_EQ(lister->Entry(0).group, 1);
    EXPECT_EQ(lister->Entry(1).name, "ZMKEscoliaExtV4E1.MDB");
    EXPECT_EQ(lister->Entry(1).description, "Academia");
    EXPECT_EQ(lister->Entry(1).group, 2);
    EXPECT_EQ(lister->Entry(2).group, 0);
    EXPECT_EQ(lister->Entry(2).name, QString(outside).replace('/', '\\'));
    EXPECT_EQ(EntradasPorDefecto(*lister), (QList<int>{1, 2}));
    EXPECT_NO_THROW(VerificarCopia(*lister));
}

TEST_F(Backups, ResourceOptionWithoutResourceFileGivesOnlyTheDatabases) {
    const int a = inst.AddCompany("Academia", inst.DataDir() + "/A.MDB");
    Backup({a});
    const auto lister = Open();
    ASSERT_EQ(lister->Count(), 1);
    EXPECT_EQ(lister->Name(0), "A.MDB");
    EXPECT_EQ(ErrorOf([&] { Backup({}, false); }),
              "No se ha encontrado ningún archivo para realizar la copia");
}

TEST_F(Backups, MissingGroupDirectoryIsNamed) {
    inst.facts.dataDir = inst.root.filePath("NOHAY");
    EXPECT_EQ(ErrorOf([&] { Backup({}); }),
              "El directorio del grupo 2 no existe o no es válido:\n" + inst.facts.dataDir);
}

TEST_F(Backups, DatabasesComeBackAsNewCompaniesEveryTime) {
    const QString original = inst.DataDir() + "/ZMKEscoliaExtV4E1.MDB";
    const int a = inst.AddCompany("Academia", original);
    QTemporaryDir elsewhere;
    const int b = inst.AddCompany("Fuera", elsewhere.filePath("Fuera.MDB"));
    Backup({a, b});
    const QByteArray before = ReadAll(original);
    FijarAhora(QDateTime(QDate(2026, 5, 4), QTime(9, 30)));
    for (int round = 0; round < 2; ++round) {
        const auto lister = Open();
        TRestaurador restaurador(*lister, inst.facts);
        inst.Answer({"yes"});
        EXPECT_EQ(restaurador.Restaurar({0, 1}, false), 2);
    }
    FijarAhora(std::nullopt);
    ASSERT_EQ(inst.List().Count(), 6);
    EXPECT_EQ(inst.List().Entry(2).nombre, "Restaurado el 04/05/26 09:30 -> Academia");
    EXPECT_EQ(inst.List().Entry(3).nombre, "Restaurado el 04/05/26 09:30 -> Fuera");
    QStringList files;
    for (int i = 2; i < 6; ++i) {
        files << QFileInfo(inst.List().Entry(i).archivo).fileName();
        EXPECT_EQ(Students(inst.List().Entry(i).archivo), 5);
    }
    EXPECT_EQ(files, (QStringList{"ZMKEscoliaExtV4E2.MDB", "ZMKEscoliaExtV4E3.MDB",
                                  "ZMKEscoliaExtV4E4.MDB", "ZMKEscoliaExtV4E5.MDB"}));
    EXPECT_EQ(ReadAll(original), before);
    EXPECT_TRUE(inst.Log().contains("Archivo 1/2 : ZMKEscoliaExtV4E1.MDB ("));
    EXPECT_TRUE(inst.Log().contains("Archivos Recuperados: 2 de 2"));
}

TEST_F(Backups, ForeignBackupIsWarnedAndRefused) {
    inst.AddCompany("Academia", inst.DataDir() + "/A.MDB");
    inst.facts.applicationText = "Otro Programa";
    Backup({0});
    inst.facts.applicationText = "ZMK Escolia EXT";
    const auto lister = Open();
    EXPECT_TRUE(CopiaAjena(*lister, inst.facts));
    EXPECT_TRUE(inst.Log().contains("Pertenece a \"Otro Programa\" y no a \"ZMK Escolia EXT\""));
    TRestaurador restaurador(*lister, inst.facts);
    EXPECT_EQ(ErrorOf([&] { restaurador.Restaurar({0}, true); }),
              "No pertenece a la aplicación, imposible recuperar");
    EXPECT_EQ(ErrorOf([&] { restaurador.RecuperarArchivo(0, true); }),
              "No pertenece a la aplicación, imposible recuperar");
    EXPECT_EQ(ErrorOf([&] { restaurador.Restaurar({}, false); }),
              "No ha seleccionado ningún archivo para recuperar");
    EXPECT_EQ(inst.List().Count(), 1);
    inst.facts.applicationText = "zmk escolia ext";
    lister->SetApplicationText("ZMK ESCOLIA EXT");
    EXPECT_FALSE(CopiaAjena(*lister, inst.facts));
}

TEST_F(Backups, ResourceFileOnlyAfterTheAlert) {
    inst.WriteResourceFile("recursos de la copia");
    Backup({});
    inst.WriteResourceFile("recursos de hoy");
    const auto lister = Open();
    TRestaurador restaurador(*lister, inst.facts);
    inst.Answer({"yes"});  // confirm; the alert takes its default, No
    EXPECT_EQ(ErrorOf([&] { restaurador.Restaurar({0}, false); }), "(abort)");
    EXPECT_TRUE(inst.Log().contains("ALERTA DE RESTAURACION DE UN ARCHIVO DE RECURSOS"));
    EXPECT_EQ(inst.ResourceContent(), "recursos de hoy");
    inst.Answer({"yes", "yes", "no"});  // confirm, alert, do not replace
    EXPECT_EQ(restaurador.Restaurar({0}, false), 0);
    EXPECT_TRUE(
        inst.Log().contains("ATENCIÓN:\\nEl archivo \"ZMK.MDR\"\\nya existe en el destino."));
    inst.Answer({"yes", "yes", "yes"});
    EXPECT_EQ(restaurador.Restaurar({0}, false), 1);
    EXPECT_EQ(inst.ResourceContent(), "recursos de la copia");
    // A resource file the program cannot read never replaces the working one.
    QFile junk(inst.root.filePath("ZMK.MDR"));
    junk.open(QIODevice::WriteOnly);
    junk.write("no es un archivo de recursos");
    junk.close();
    TTorvan_Zip_Lister forged;
    forged.SetGroups(inst.facts.Groups());
    forged.AddFile(junk.fileName(), "", 1, 2, QString());
    inst.WriteResourceFile("recursos de hoy");
    TRestaurador second(forged, inst.facts);
    inst.Answer({"yes", "yes", "yes"});
    EXPECT_TRUE(ErrorOf([&] {
                    second.Restaurar({0}, false);
                }).startsWith("NO SE RECONOCE EL FORMATO DE DEL ARCHIVO\nZMK.MDR\n"));
    EXPECT_EQ(inst.ResourceContent(), "recursos de hoy");
}

TEST(BackupSizes, ThousandsAndUnits) {
    EXPECT_EQ(FormatBackupSize(0), "0 B");
    EXPECT_EQ(FormatBackupSize(1023), "1.023 B");
    EXPECT_EQ(FormatBackupSize(1024), "1 KB");
    EXPECT_EQ(FormatBackupSize(52428800), "51.200 KB");
    EXPECT_EQ(FormatBackupSize(qint64(5) << 40), "5.368.709.120 KB");
}

TEST_F(Backups, OtherFilesAreNamedAndStillExtracted) {
    QTemporaryDir elsewhere;
    TTorvan_Zip_Lister lister;
    lister.SetGroups(inst.facts.Groups());
    QFile f(inst.root.filePath("notas.txt"));
    f.open(QIODevice::WriteOnly);
    f.write("notas");
    f.close();
    lister.AddFile(f.fileName(), "Notas", 1, 2, QString());
    QFile::remove(f.fileName());
    TRestaurador restaurador(lister, inst.facts);
    inst.Answer({"yes"});
    EXPECT_EQ(restaurador.Restaurar({0}, false), 1);
    EXPECT_TRUE(inst.Log().contains("NO SE RECONOCE EL FORMATO DE DEL ARCHIVO\\nnotas.txt"));
    EXPECT_EQ(ReadAll(f.fileName()), "notas");
}

TEST_F(Backups, DamagedDatabaseEntryLeavesNothingBehind) {
    inst.AddCompany("Academia", inst.DataDir() + "/A.MDB");
    Backup({0});
    auto lister = Open();
    // A database whose pages are not SQLite's: the inflated file fails its check.
    TTorvan_Zip_Lister forged;
    forged.SetGroups(inst.facts.Groups());
    QFile junk(inst.root.filePath("B.MDB"));
    junk.open(QIODevice::WriteOnly);
    junk.write(QByteArray(8192, 'j'));
    junk.close();
    forged.AddFile(junk.fileName(), "Basura", 0, 2, inst.root.path());
    TRestaurador restaurador(forged, inst.facts);
    inst.Answer({"yes"});
    EXPECT_TRUE(ErrorOf([&] {
                    restaurador.Restaurar({0}, false);
                }).startsWith("La base de datos restaurada está dañada"));
    EXPECT_EQ(inst.List().Count(), 1);
    EXPECT_EQ(QDir(inst.DataDir()).entryList(QDir::Files | QDir::Hidden).filter(".MDB").size(), 1);
    EXPECT_TRUE(ErrorOf([&] { VerificarCopia(forged); }).startsWith("Archivo 1/1 : B.MDB\n"));
}

TEST_F(Backups, RecoverOneFileAsAChosenPath) {
    inst.AddCompany("Academia", inst.DataDir() + "/A.MDB");
    Backup({0});
    const auto lister = Open();
    TRestaurador restaurador(*lister, inst.facts);
    const QString target = inst.root.filePath("a mano/Academia.MDB");
    inst.Answer({"yes", target});
    EXPECT_EQ(restaurador.RecuperarArchivoComo(0, false), target);
    EXPECT_EQ(Students(target), 5);
    EXPECT_EQ(inst.List().Count(), 1);  // not a new company: the user chose the file
    inst.Answer({"no"});
    EXPECT_EQ(ErrorOf([&] { restaurador.RecuperarArchivo(0, false); }), "(abort)");
    inst.Answer({"yes"});
    EXPECT_TRUE(restaurador.RecuperarArchivo(0, false));
    EXPECT_EQ(inst.List().Count(), 2);
}

TEST_F(Backups, MissingAndDamagedVolumesAsk) {
    const int a = inst.AddCompany("Academia", inst.DataDir() + "/A.MDB");
    QDir().mkpath(QFileInfo(Archive()).path());
    TBackupRequest request;
    request.databases = {a};
    request.maxVolumeSize = 4096;
    // Each further volume is confirmed by the question's default, OK.
    const TBackupResult result = RealizarCopia(inst.facts, request, Archive());
    ASSERT_TRUE(result.complete);
    ASSERT_GE(result.volumes, 3);
    const QString moved = inst.root.filePath("otro disco");
    QDir().mkpath(moved);
    ASSERT_TRUE(QFile::rename(Archive() + "1", moved + "/copia.TvZ1"));
    inst.Answer({"cancel"});
    EXPECT_EQ(ErrorOf([&] { Open(); }), "(abort)");
    EXPECT_TRUE(
        inst.Log().contains("El archivo \\n" + Archive() + "1\\nCorrespondiente a la parte: 2"));
    inst.Answer({"yes", moved + "/copia.TvZ1"});
    try {
        EXPECT_EQ(Open()->Count(), 1);
    } catch (const EAbort&) {
        ADD_FAILURE() << inst.Log().toStdString();
    }
    ASSERT_TRUE(QFile::rename(moved + "/copia.TvZ1", Archive() + "1"));

    QFile second(Archive() + "2");
    const QByteArray good = ReadAll(second.fileName());
    second.open(QIODevice::WriteOnly);
    second.write(good.left(10));
    second.close();
    inst.Answer({"cancel"});
    EXPECT_EQ(ErrorOf([&] { Open(); }), "(abort)");
    EXPECT_TRUE(inst.Log().contains(
        "ERROR AL ABRIR ARCHIVO COPIA DE SEGURIDAD:\\n\\nStream Size is invalid"));
    inst.Answer({"no", "cancel"});
    QFile::remove(Archive());
    EXPECT_EQ(ErrorOf([&] { Open(); }), "(abort)");
    EXPECT_TRUE(
        inst.Log().contains("El archivo:\\n" + Archive() + "\\nno se encuentra, desea buscar-lo?"));
}

}  // namespace
}  // namespace zmk
