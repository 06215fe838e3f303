#include <gtest/gtest.h>

#include "backup_fixture.h"
#include "host/datetime.h"
#include "maintenance/backup_auto.h"
#include "maintenance/backup_restore.h"
#include "maintenance/torvan_zip_lister.h"

namespace zmk {
namespace {

class AutoBackup : public ::testing::Test {
  protected:
    void SetUp() override {
        inst.AddCompany("Academia", inst.DataDir() + "/A.MDB");
        ini = std::make_unique<QSettings>(inst.root.filePath("ZMK.INI"), QSettings::IniFormat);
        folder = inst.root.filePath("COPIAS");
    }
    void TearDown() override { FijarAhora(std::nullopt); }
    void CloseOn(const QDate& day) {
        FijarAhora(QDateTime(day, QTime(19, 0)));
        CopiaAutomaticaAlCerrar(*ini, inst.facts, 0);
    }
    test::BackupInstallation inst;
    std::unique_ptr<QSettings> ini;
    QString folder;
};

TEST_F(AutoBackup, OffUntilAcceptedOfferedOnceAfterTheDemo) {
    CloseOn(QDate(2026, 3, 1));
    EXPECT_TRUE(inst.Log().isEmpty());
    OfreceCopiaAutomatica(*ini);
    CloseOn(QDate(2026, 3, 1));  // the offer's default is No
    EXPECT_TRUE(inst.Log().contains("copia de seguridad de la empresa abierta al cerrarse"));
    EXPECT_FALSE(LeeCopiaAutomatica(*ini).activa);
    EXPECT_FALSE(LeeCopiaAutomatica(*ini).ofrecer);
    const int asked = int(inst.prompt->Log().size());
    CloseOn(QDate(2026, 3, 2));
    EXPECT_EQ(inst.prompt->Log().size(), asked);
    EXPECT_FALSE(QDir(folder).exists());
}

TEST_F(AutoBackup, OnceADayKeepingTheLatest) {
    OfreceCopiaAutomatica(*ini);
    inst.Answer({"yes", folder});
    CloseOn(QDate(2026, 3, 1));
    ASSERT_TRUE(QFile::exists(ArchivoCopiaAutomatica(folder, QDate(2026, 3, 1))))
        << inst.Log().toStdString();
    const auto lister = AbrirCopia(inst.facts, ArchivoCopiaAutomatica(folder, QDate(2026, 3, 1)));
    EXPECT_EQ(lister->Count(), 1);
    EXPECT_TRUE(lister->Description().startsWith("Copia automática de \"Academia\""));
    QFile::remove(ArchivoCopiaAutomatica(folder, QDate(2026, 3, 1)));
    CloseOn(QDate(2026, 3, 1));  // already done today
    EXPECT_FALSE(QFile::exists(ArchivoCopiaAutomatica(folder, QDate(2026, 3, 1))));
    TCopiaAutomatica s = LeeCopiaAutomatica(*ini);
    s.conservar = 3;
    GuardaCopiaAutomatica(*ini, s);
    for (int day = 2; day <= 6; ++day) CloseOn(QDate(2026, 3, day));
    QFile stray(folder + "/Copia automática 2026-03-04.TvZ1");  // a further volume goes too
    EXPECT_EQ(QDir(folder).entryList(QDir::Files),
              (QStringList{"Copia automática 2026-03-04.TvZ", "Copia automática 2026-03-05.TvZ",
                           "Copia automática 2026-03-06.TvZ"}));
    stray.open(QIODevice::WriteOnly);
    stray.close();
    EXPECT_EQ(PodaCopiasAutomaticas(folder, 2), QStringList{"Copia automática 2026-03-04.TvZ"});
    EXPECT_FALSE(stray.exists());
}

TEST_F(AutoBackup, AFailureIsShownAndDoesNotStopTheClose) {
    TCopiaAutomatica s;
    s.activa = true;
    s.carpeta = inst.root.filePath("ZMK.INI") + "/no";  // below a file: cannot be created
    GuardaCopiaAutomatica(*ini, s);
    EXPECT_NO_THROW(CloseOn(QDate(2026, 3, 1)));
    EXPECT_TRUE(inst.Log().contains("No se ha podido hacer la copia de seguridad automática"));
    EXPECT_FALSE(LeeCopiaAutomatica(*ini).ultima.isValid());
}

}  // namespace
}  // namespace zmk
