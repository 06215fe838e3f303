#include <gtest/gtest.h>

#include "backup_fixture.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

using test::RunCli;

class BackupCli : public ::testing::Test {
  protected:
    void SetUp() override {
        inst.AddCompany("Academia", inst.DataDir() + "/ZMKEscoliaExtV4E1.MDB");
        inst.AddCompany("Colegio", inst.DataDir() + "/ZMKEscoliaExtV4E2.MDB");
        inst.WriteResourceFile("{}");
        ini = inst.root.filePath("ZMK.INI");
        archive = inst.root.filePath("copia.TvZ");
    }
    test::BackupInstallation inst;
    QString ini, archive;
};

TEST_F(BackupCli, CreateListVerifyRestore) {
    auto r = RunCli({"backup", "create", archive, "--ini", ini, "--databases", "Colegio",
                     "--description", "Fin de mes", "--max-volume", "8192"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("ZMKEscoliaExtV4E2.MDB"));
    EXPECT_FALSE(r.out.contains("ZMKEscoliaExtV4E1.MDB"));
    EXPECT_TRUE(QFile::exists(archive + "1"));
    r = RunCli({"backup", "list", archive});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Comentarios: Fin de mes\n"));
    EXPECT_TRUE(r.out.contains("Archivos: 2\n"));
    EXPECT_TRUE(r.out.contains("1\tZMK.MDR\tARCHIVO DE RECURSOS\t1\t"));
    EXPECT_TRUE(r.out.contains("2\tZMKEscoliaExtV4E2.MDB\tColegio\t2\t"));
    r = RunCli({"backup", "verify", archive});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    r = RunCli({"backup", "restore", archive, "--ini", ini});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("-> Colegio"));
    EXPECT_TRUE(QFile::exists(inst.DataDir() + "/ZMKEscoliaExtV4E3.MDB"));
    const QString as = inst.root.filePath("suelto.MDB");
    r = RunCli({"backup", "restore", archive, "--entries", "2", "--as", as});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(as));
    r = RunCli({"--answer", "no", "backup", "restore", archive, "--ini", ini});
    EXPECT_EQ(r.status, 3);
}

TEST_F(BackupCli, DamageIsReportedWithItsReason) {
    ASSERT_EQ(RunCli({"backup", "create", archive, "--ini", ini}).status, 0);
    QByteArray bytes = test::ReadAll(archive);
    QFile f(archive);
    f.open(QIODevice::WriteOnly);
    f.write(bytes.left(bytes.size() - 100));
    f.close();
    auto r = RunCli({"backup", "verify", archive});
    // A short last volume reads as a missing further part.
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("copia.TvZ1\\nCorrespondiente a la parte: 2"));
    EXPECT_TRUE(r.err.contains("ERROR La copia no se puede leer entera"));
    f.open(QIODevice::WriteOnly);
    f.write(bytes.left(12));
    f.close();
    r = RunCli({"backup", "verify", archive});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.contains("ERROR AL ABRIR ARCHIVO COPIA DE SEGURIDAD:\\n\\nStream Size is invalid"));
    bytes[bytes.size() - 500] = char(bytes[bytes.size() - 500] ^ 0x40);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    r = RunCli({"backup", "verify", archive});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.contains("ERROR Archivo 3/3 : ZMKEscoliaExtV4E2.MDB\n"
                       "Error al descomprimir el archivo ZMKEscoliaExtV4E2.MDB"))
        << r.err.toStdString();
    EXPECT_EQ(RunCli({"backup", "create", archive}).status, 2);
}

}  // namespace
}  // namespace zmk
