#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "host/prompt.h"
#include "maintenance/archive_stream.h"
#include "maintenance/torvan_zip_lister.h"
#include "maintenance/torvan_zip_loader.h"
#include "maintenance/torvan_zip_saver.h"

namespace zmk {
namespace {

template <typename F>
QString ErrorOf(F&& f) {
    try {
        f();
    } catch (const EZMKError& e) {
        return e.Message();
    }
    return QStringLiteral("(no error)");
}

// A lister whose image is exactly size bytes: one entry of raw bytes.
void FillToImageSize(TTorvan_Zip_Lister& lister, qsizetype size) {
    TArxiuComprimit e;
    e.name = "relleno";
    for (int pass = 0; pass < 3; ++pass) {
        lister.Clear();
        lister.AddEntry(e);
        const qsizetype now = lister.SaveToImage().size();
        e.data.resize(e.data.size() + size - now, 'r');
    }
    lister.Clear();
    lister.AddEntry(e);
}

QList<QByteArray> Volumes(TTorvan_Zip_Saver& saver) {
    QList<QByteArray> volumes;
    while (saver.MoreToWrite()) {
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        saver.WriteVolume(b);
        volumes << b.data();
    }
    return volumes;
}

qint32 HeaderField(const QByteArray& volume, int index) {
    TArchiveReader reader(volume.mid(index * 4, 4));
    return reader.Int32();
}

void Feed(TTorvan_Zip_Loader& loader, const QByteArray& volume) {
    QByteArray copy = volume;
    QBuffer b(&copy);
    b.open(QIODevice::ReadOnly);
    loader.AddVolume(b);
}

class ScriptedAnswers {
  public:
    explicit ScriptedAnswers(QStringList answers) {
        auto p = std::make_unique<TScriptedPrompt>(answers);
        prompt = p.get();
        previous_ = SetPromptService(std::move(p));
    }
    ~ScriptedAnswers() { SetPromptService(std::move(previous_)); }
    TScriptedPrompt* prompt;

  private:
    std::unique_ptr<IPromptService> previous_;
};

TEST(ArchiveVolumes, SlicesOfTheMaximumSizeNumberedAndNamed) {
    TTorvan_Zip_Lister lister;
    FillToImageSize(lister, 20000);
    TTorvan_Zip_Saver saver(lister);
    ASSERT_EQ(saver.Image().size(), 20000);
    EXPECT_LT(saver.ArchiveId(), 1000000000);
    saver.SetMaxVolumeSize(8192);
    const QList<QByteArray> volumes = Volumes(saver);
    ASSERT_EQ(volumes.size(), 3);
    const int slices[3] = {8176, 8176, 3648};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(volumes[k].size() - 16, slices[k]);
        EXPECT_EQ(HeaderField(volumes[k], 0), k);
        EXPECT_EQ(HeaderField(volumes[k], 1), saver.ArchiveId());
        EXPECT_EQ(HeaderField(volumes[k], 2), k * 8176);
        EXPECT_EQ(HeaderField(volumes[k], 3), 20000);
    }
    EXPECT_EQ(volumes[0].mid(16) + volumes[1].mid(16) + volumes[2].mid(16), saver.Image());
    EXPECT_EQ(ErrorOf([&] { Volumes(saver).isEmpty() ? throw EZMKError("none") : void(); }),
              "none");
    EXPECT_EQ(ErrorOf([&] {
                  QBuffer b;
                  b.open(QIODevice::WriteOnly);
                  saver.WriteVolume(b);
              }),
              "No more Stream to read");
    EXPECT_EQ(VolumeFileName("/d", "f", 0), "/d/f");
    EXPECT_EQ(VolumeFileName("/d/", "f", 1), "/d/f1");
    EXPECT_EQ(VolumeFileName("/d", "copia.TvZ", 2), "/d/copia.TvZ2");

    TTorvan_Zip_Loader loader;
    for (const QByteArray& v : volumes) {
        EXPECT_TRUE(loader.NeedsMoreVolumes());
        Feed(loader, v);
    }
    EXPECT_FALSE(loader.NeedsMoreVolumes());
    EXPECT_EQ(ErrorOf([&] { Feed(loader, volumes[0]); }), "No more streams");
    EXPECT_EQ(loader.Finish()->Entry(0).data, lister.Entry(0).data);
}

TEST(ArchiveVolumes, MaximumVolumeSizeRule) {
    TTorvan_Zip_Lister lister;
    TTorvan_Zip_Saver saver(lister);
    EXPECT_NO_THROW(saver.SetMaxVolumeSize(0));
    EXPECT_NO_THROW(saver.SetMaxVolumeSize(4096));
    EXPECT_NO_THROW(saver.SetMaxVolumeSize(2147483647));
    EXPECT_EQ(ErrorOf([&] { saver.SetMaxVolumeSize(4095); }),
              "4095: MaxSteamSize=0 or between 4096 and 2147483647");
    EXPECT_EQ(ErrorOf([&] { saver.SetMaxVolumeSize(2147483648LL); }),
              "2147483648: MaxSteamSize=0 or between 4096 and 2147483647");
    EXPECT_EQ(ErrorOf([&] { saver.SetMaxVolumeSize(-1); }),
              "-1: MaxSteamSize=0 or between 4096 and 2147483647");
}

TEST(ArchiveVolumes, ALastVolumeOfOneByteIsWritten) {
    TTorvan_Zip_Lister lister;
    FillToImageSize(lister, 8176 + 1);
    TTorvan_Zip_Saver saver(lister);
    saver.SetMaxVolumeSize(8192);
    const QList<QByteArray> volumes = Volumes(saver);
    ASSERT_EQ(volumes.size(), 2);
    EXPECT_EQ(volumes[1].size(), 17);
}

TEST(ArchiveVolumes, LoaderChecksEachVolumeInOrder) {
    TTorvan_Zip_Lister lister;
    FillToImageSize(lister, 20000);
    TTorvan_Zip_Saver saver(lister);
    saver.SetMaxVolumeSize(8192);
    const QList<QByteArray> volumes = Volumes(saver);
    TTorvan_Zip_Saver other(lister);
    other.SetArchiveId(saver.ArchiveId() + 1);
    other.SetMaxVolumeSize(8192);
    const QList<QByteArray> foreign = Volumes(other);

    TTorvan_Zip_Loader loader;
    EXPECT_EQ(ErrorOf([&] { loader.Finish(); }), "No Stream");
    EXPECT_EQ(ErrorOf([&] { Feed(loader, volumes[1]); }),
              "Actual Stream (1) differs from Stream I need: 0");
    EXPECT_EQ(ErrorOf([&] { Feed(loader, volumes[0].left(16)); }), "Stream Size is invalid");
    Feed(loader, volumes[0]);
    EXPECT_EQ(ErrorOf([&] { Feed(loader, foreign[1]); }), "Streams are diferents");
    QByteArray shifted = volumes[1];
    shifted[8] = char(shifted[8] + 1);
    EXPECT_EQ(ErrorOf([&] { Feed(loader, shifted); }), "Position differs in streams");
    QByteArray resized = volumes[1];
    resized[12] = char(resized[12] + 1);
    EXPECT_EQ(ErrorOf([&] { Feed(loader, resized); }), "Size differs in streams");
    EXPECT_EQ(ErrorOf([&] { loader.Finish(); }), "Need more Streams");
    // Refused volumes leave what was gathered: the right one is still taken.
    Feed(loader, volumes[1]);
    EXPECT_TRUE(loader.NeedsMoreVolumes());
    Feed(loader, volumes[2]);
    EXPECT_EQ(loader.Finish()->Count(), 1);
}

TEST(ArchiveVolumes, ForgedTotalsNeverDriveTheReading) {
    QByteArray volume;
    TArchiveWriter w(volume);
    w.Int32(0);
    w.Int32(1);
    w.Int32(0);
    w.Int32(2147483647);
    volume.append("xyz");
    TTorvan_Zip_Loader loader;
    Feed(loader, volume);
    EXPECT_TRUE(loader.NeedsMoreVolumes());
    EXPECT_EQ(ErrorOf([&] { loader.Finish(); }), "Need more Streams");
    QByteArray negative = volume;
    negative[15] = char(0x80);
    TTorvan_Zip_Loader second;
    EXPECT_EQ(ErrorOf([&] { Feed(second, negative); }), "Stream Size is invalid");
    QByteArray offset = volume;
    offset[8] = 5;
    EXPECT_EQ(ErrorOf([&] { Feed(second, offset); }), "Position differs in streams");
}

class SavingToDirectory : public ::testing::Test {
  protected:
    void SetUp() override {
        FillToImageSize(lister, 20000);
        saver = std::make_unique<TTorvan_Zip_Saver>(lister);
    }
    TTorvan_Zip_Lister lister;
    std::unique_ptr<TTorvan_Zip_Saver> saver;
    QTemporaryDir dir;
};

TEST_F(SavingToDirectory, VolumesFollowTheFreeSpace) {
    ScriptedAnswers answers({"ok", "ok"});
    saver->SetFreeSpaceQuery([](const QString&) { return qint64(8192 + 4096); });
    ASSERT_TRUE(saver->SaveToDirectory(dir.path(), "f"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"f", "f1", "f2"}));
    EXPECT_EQ(QFileInfo(dir.filePath("f2")).size(), 3648 + 16);
    EXPECT_EQ(answers.prompt->Log().filter("Copiar la parte: 1").size(), 1);
    EXPECT_EQ(answers.prompt->Log().filter("Copiar la parte: 2").size(), 1);
}

TEST_F(SavingToDirectory, PlentyOfSpaceGivesOneFile) {
    ScriptedAnswers answers({});
    ASSERT_TRUE(saver->SaveToDirectory(dir.path(), "copia.TvZ"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"copia.TvZ"});
    EXPECT_TRUE(answers.prompt->Log().isEmpty());
}

TEST_F(SavingToDirectory, QuestionsStopTheSave) {
    QFile existing(dir.filePath("f"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("anterior");
    existing.close();
    {
        ScriptedAnswers answers({});  // "No" is the default
        EXPECT_FALSE(saver->SaveToDirectory(dir.path(), "f"));
        EXPECT_EQ(answers.prompt->Log()
                      .filter("El archivo " + dir.filePath("f") + " ya existe, sobreescribir?")
                      .size(),
                  1);
    }
    QFile check(dir.filePath("f"));
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "anterior");
    ScriptedAnswers answers({"yes", "cancel"});
    saver->SetFreeSpaceQuery([](const QString&) { return qint64(8192 + 4096); });
    EXPECT_FALSE(saver->SaveToDirectory(dir.path(), "f"));
    EXPECT_EQ(QFileInfo(dir.filePath("f")).size(), 8192);
}

TEST_F(SavingToDirectory, FailuresOfferRetry) {
    qint64 free = -1;
    saver->SetFreeSpaceQuery([&](const QString&) { return free; });
    {
        ScriptedAnswers answers({"cancel"});
        EXPECT_EQ(ErrorOf([&] { saver->SaveToDirectory(dir.path(), "f"); }),
                  QStringLiteral("No se puede obtener información del directorio destino\n") +
                      dir.path());
        EXPECT_TRUE(answers.prompt->Log().join('\n').contains(
            "ERROR AL REALIZAR COPIA DE SEGURIDAD\\nNo se puede obtener"));
    }
    free = 10240;
    {
        ScriptedAnswers answers({"cancel"});
        EXPECT_EQ(
            ErrorOf([&] { saver->SaveToDirectory(dir.path(), "f"); }),
            QStringLiteral("La unidad está llena.\nSeleccione otro destino o cambie la unidad."));
    }
    // Retry repeats the same volume: with room now, the archive is complete.
    ScriptedAnswers answers({"retry"});
    saver->SetFreeSpaceQuery([&](const QString&) {
        const qint64 now = free;
        free = qint64(1) << 40;
        return now;
    });
    ASSERT_TRUE(saver->SaveToDirectory(dir.path(), "f"));
    EXPECT_EQ(QFileInfo(dir.filePath("f")).size(), 20016);
}

}  // namespace
}  // namespace zmk
