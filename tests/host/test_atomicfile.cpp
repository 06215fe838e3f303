#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "host/atomicfile.h"
#include "host/errors.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ninguno>");
}

// Files larger than limit fail to grow, as on a full disk, for the length of the scope.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit reduced = saved_;
        reduced.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &reduced);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

class AtomicFileTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("informe.csv"));
    void SetUp() override { WriteFileAtomically(target, QByteArray("antes\n")); }
    // Nothing but the target is left in the folder.
    QStringList Entries() const { return QDir(dir.path()).entryList(QDir::Files); }
};

TEST_F(AtomicFileTest, AWriteThatFailsHalfwayLeavesTheOldFileAndNoLeftovers) {
    QString message;
    {
        FileSizeLimit limit(64 * 1024);
        try {
            // Small writes that ignore what write answers, as the PDF writer does.
            WriteFileAtomically(target, [](QIODevice& out) {
                const QByteArray line(100, 'x');
                for (int i = 0; i < 2000; ++i) out.write(line);
            });
        } catch (const EZMKError& e) {
            message = e.Message();
        }
    }
    EXPECT_EQ(message, QStringLiteral("No se puede escribir el archivo \"%1\":\nEl archivo es "
                                      "demasiado grande para el disco")
                           .arg(target));
    EXPECT_EQ(Read(target), QByteArray("antes\n"));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("informe.csv")});
}

TEST_F(AtomicFileTest, AnErrorWhileProducingTheContentKeepsTheOldFile) {
    EXPECT_THROW(WriteFileAtomically(target,
                                     [](QIODevice& out) {
                                         out.write("a medias");
                                         throw EZMKError(QStringLiteral("fallo"));
                                     }),
                 EZMKError);
    EXPECT_EQ(Read(target), QByteArray("antes\n"));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("informe.csv")});

    WriteFileAtomically(target, QByteArray("después\n"));
    EXPECT_EQ(Read(target), QByteArray("después\n"));
}

TEST_F(AtomicFileTest, AFolderThatDoesNotExistIsRefusedWithTheReason) {
    const QString missing = dir.filePath(QStringLiteral("no/hay/carpeta.pdf"));
    try {
        WriteFileAtomically(missing, QByteArray("x"));
        FAIL() << "written";
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().startsWith(
            QStringLiteral("No se puede escribir el archivo \"%1\":\n").arg(missing)))
            << e.Message().toStdString();
    }
}

}  // namespace
}  // namespace zmk
