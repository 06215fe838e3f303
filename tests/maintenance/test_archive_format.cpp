#include <gtest/gtest.h>
#include <zlib.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "host/datetime.h"
#include "host/prompt.h"
#include "maintenance/archive_stream.h"
#include "maintenance/archive_zlib.h"
#include "maintenance/torvan_zip_lister.h"

namespace zmk {
namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) b.append(char(v));
    return b;
}

QByteArray IntegerItem(qint32 value) {
    QByteArray image;
    TArchiveWriter(image).Integer(value);
    return image;
}

QByteArray Compress2(const QByteArray& data, int level) {
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(data.constData()), uLong(data.size()), level);
    out.resize(qsizetype(size));
    return out;
}

template <typename F>
QString ErrorOf(F&& f) {
    try {
        f();
    } catch (const EZMKError& e) {
        return e.Message();
    }
    return QStringLiteral("(no error)");
}

TEST(ArchiveItems, IntegersTakeTheSmallestForm) {
    EXPECT_EQ(IntegerItem(127), Bytes({0x02, 0x7F}));
    EXPECT_EQ(IntegerItem(128), Bytes({0x03, 0x80, 0x00}));
    EXPECT_EQ(IntegerItem(32767), Bytes({0x03, 0xFF, 0x7F}));
    EXPECT_EQ(IntegerItem(32768), Bytes({0x04, 0x00, 0x80, 0x00, 0x00}));
    EXPECT_EQ(IntegerItem(-129), Bytes({0x03, 0x7F, 0xFF}));
    EXPECT_EQ(IntegerItem(-128), Bytes({0x02, 0x80}));
    EXPECT_EQ(IntegerItem(-32769), Bytes({0x04, 0xFF, 0x7F, 0xFF, 0xFF}));
    for (qint32 v : {0, 127, 128, -129, 32767, 32768, -32769, 2147483647, -2147483647 - 1}) {
        const QByteArray item = IntegerItem(v);
        TArchiveReader reader(item);
        EXPECT_EQ(reader.Integer(), v);
    }
}

TEST(ArchiveItems, StringsShortUpTo255BytesLongAbove) {
    QByteArray image;
    TArchiveWriter w(image);
    w.String(QString(255, u'a'));
    ASSERT_EQ(image.size(), 2 + 255);
    EXPECT_EQ(quint8(image[0]), 0x06);
    EXPECT_EQ(quint8(image[1]), 255);
    image.clear();
    w.String(QString(256, u'b'));
    ASSERT_EQ(image.size(), 5 + 256);
    EXPECT_EQ(image.left(5), Bytes({0x0C, 0x00, 0x01, 0x00, 0x00}));
    TArchiveReader reader(image);
    EXPECT_EQ(reader.String(), QString(256, u'b'));
}

TEST(ArchiveItems, TextIsWindows1252AndUnknownCharactersBecomeQuestionMarks) {
    EXPECT_EQ(ToWindows1252(QStringLiteral("Año €1 “x”")), QByteArray("A\xF1o \x80"
                                                                      "1 \x93x\x94"));
    EXPECT_EQ(ToWindows1252(QStringLiteral("Ĳ漢😀")), QByteArray("???"));
    EXPECT_EQ(FromWindows1252(QByteArray("\xC9xito \x80\x8A\x81")),
              QStringLiteral("Éxito €Š\u0081"));
    EXPECT_EQ(FromWindows1252(ToWindows1252(QStringLiteral("\u0081"))), QStringLiteral("\u0081"));
}

TEST(ArchiveItems, DosDateTimeAndDate) {
    const QDateTime t(QDate(2024, 3, 15), QTime(13, 45, 31));
    EXPECT_EQ(quint32(DosDateTime(t)),
              (quint32(44 << 9 | 3 << 5 | 15) << 16) | (13 << 11 | 45 << 5 | 15));
    QByteArray image;
    TArchiveWriter(image).Date(45366.5);
    EXPECT_EQ(image, Bytes({0x11, 0, 0, 0, 0, 0xD0, 0x26, 0xE6, 0x40}));
    TArchiveReader reader(image);
    EXPECT_EQ(reader.Date(), 45366.5);
}

TEST(ArchiveItems, ReaderRefusesShortAndMistypedItems) {
    EXPECT_EQ(ErrorOf([] {
                  const QByteArray b = Bytes({0x04, 1, 2});
                  TArchiveReader(b).Integer();
              }),
              "Stream read error");
    EXPECT_EQ(ErrorOf([] {
                  const QByteArray b = Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'});
                  TArchiveReader(b).String();
              }),
              "Stream read error");
    EXPECT_EQ(ErrorOf([] {
                  const QByteArray b = Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0xFF});
                  TArchiveReader(b).String();
              }),
              "Stream read error");
    EXPECT_EQ(ErrorOf([] {
                  const QByteArray b = Bytes({0x06, 0x01, 'a'});
                  TArchiveReader(b).Integer();
              }),
              "Invalid property value");
}

TEST(ArchiveZlib, EntriesAreWhatZlibWritesInOneCall) {
    QByteArray data;
    QRandomGenerator rng(7);
    for (int i = 0; i < 3 * 1024 * 1024 / 16; ++i)
        data.append(i % 3 ? QByteArray("registro ") + QByteArray::number(i % 977) + ';'
                          : QByteArray::number(rng.generate()));
    for (int level = 0; level <= 3; ++level) {
        QBuffer in(&data);
        in.open(QIODevice::ReadOnly);
        EXPECT_EQ(DeflateDevice(in, ZlibLevel(level), {}), Compress2(data, ZlibLevel(level)))
            << "level " << level;
    }
}

TEST(ArchiveZlib, DamagedDataNamesTheEntry) {
    const QByteArray data(10000, 'x');
    const QByteArray z = Compress2(data, Z_DEFAULT_COMPRESSION);
    EXPECT_NO_THROW(InflateData(z, 10000, nullptr, "a.MDB", {}));
    for (const auto& [bytes, size] :
         {std::pair{z.left(z.size() - 3), 10000}, std::pair{z, 9999}, std::pair{z, 10001},
          std::pair{z + "x", 10000}, std::pair{QByteArray("garbage"), 10}}) {
        const QString error = ErrorOf([&] { InflateData(bytes, size, nullptr, "a.MDB", {}); });
        EXPECT_TRUE(error.startsWith("Error al descomprimir el archivo a.MDB:\n"))
            << error.toStdString();
    }
}

class ListerFiles : public ::testing::Test {
  protected:
    QString Write(const QString& name, const QByteArray& content) {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }
    QTemporaryDir dir;
};

TEST_F(ListerFiles, ImageIsByteExact) {
    const QString file = Write("sub/Datos.MDB", "hola hola hola");
    TTorvan_Zip_Lister lister;
    TGrupsDest groups;
    groups.Add(2, dir.path());
    lister.SetGroups(groups);
    lister.SetCreationDate(SerialToDateTime(45366.5));
    lister.SetDescription(QStringLiteral("Copia é"));
    lister.SetApplicationText("ZMK Escolia EXT");
    lister.SetApplicationNumber(4);
    ASSERT_TRUE(lister.AddFile(file, "Empresa", 2, 2, QString()));
    const TArxiuComprimit e = lister.Entry(0);
    EXPECT_EQ(e.name, "sub\\Datos.MDB");
    EXPECT_EQ(e.data, Compress2("hola hola hola", Z_DEFAULT_COMPRESSION));
    EXPECT_EQ(e.attributes & 0x20, 0x20);
    const double serial = 45366.5;
    QByteArray expected = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x01, 0x11});
    expected += QByteArray(reinterpret_cast<const char*>(&serial), 8);
    expected += Bytes({0x06, 7}) + "Copia \xE9" + Bytes({0x06, 15}) + "ZMK Escolia EXT" +
                Bytes({0x02, 4, 0x00, 0x01, 0x01, 0x06, 13}) + "sub\\Datos.MDB" + Bytes({0x06, 7}) +
                "Empresa" + Bytes({0x02, 14, 0x02, char(e.data.size())});
    expected += IntegerItem(e.attributes) + IntegerItem(e.time) + Bytes({0x02, 2}) + e.data +
                Bytes({0x00, 0x00});
    EXPECT_TRUE(lister.Modified());
    EXPECT_EQ(lister.SaveToImage(), expected);
    EXPECT_FALSE(lister.Modified());

    TTorvan_Zip_Lister back;
    back.SetGroups(groups);
    back.LoadFromImage(expected);
    EXPECT_EQ(back.Description(), QStringLiteral("Copia é"));
    EXPECT_EQ(back.ApplicationText(), "ZMK Escolia EXT");
    EXPECT_EQ(back.ApplicationNumber(), 4);
    EXPECT_EQ(back.CreationDate(), SerialToDateTime(45366.5));
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.Entry(0).data, e.data);
    EXPECT_EQ(back.Entry(0).time, e.time);
    EXPECT_EQ(back.SaveToImage(), expected);
}

TEST_F(ListerFiles, EmptyFileHasAnEmptyZlibStreamAndExtractsEmpty) {
    const QString file = Write("vacio.txt", QByteArray());
    TTorvan_Zip_Lister lister;
    ASSERT_TRUE(lister.AddFile(file, "", 0, 2, dir.path()));
    EXPECT_EQ(lister.Name(0), "vacio.txt");
    EXPECT_EQ(lister.Size(0), 0);
    EXPECT_EQ(lister.Entry(0).data, Bytes({0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
    QTemporaryDir out;
    ASSERT_TRUE(lister.Extract(0, out.path()));
    EXPECT_EQ(Read(out.filePath("vacio.txt")), QByteArray());
}

TEST_F(ListerFiles, AddingRules) {
    const QString a = Write("a/Uno.txt", "1");
    TTorvan_Zip_Lister lister;
    EXPECT_EQ(ErrorOf([&] { lister.AddFile(dir.filePath("nada"), "", 0, 2, dir.path()); }),
              "file not found:\n" + dir.filePath("nada"));
    ASSERT_TRUE(lister.AddFile(a, "", 0, 1, dir.path()));
    EXPECT_EQ(lister.Name(0), "a\\Uno.txt");
    EXPECT_EQ(ErrorOf([&] { lister.AddFile(Write("A/UNO.TXT", "2"), "", 0, 1, dir.path()); }),
              "File exists: A\\UNO.TXT");
    TArxiuComprimit grouped;
    grouped.name = "x";
    grouped.group = 3;
    EXPECT_EQ(ErrorOf([&] { lister.AddEntry(grouped); }), "No se encuentra el grupo");
    EXPECT_EQ(ErrorOf([&] { lister.Entry(1); }), "Index out of Bounds: 1/1");
    EXPECT_EQ(ErrorOf([&] { lister.Delete(-1); }), "Index out of Bounds: -1/1");
    lister.Clear();
    EXPECT_EQ(lister.Count(), 0);
}

TEST_F(ListerFiles, UnreadableFileIsTheUsersChoice) {
    const QString a = Write("cerrado.txt", "secreto");
    QFile::setPermissions(a, QFile::Permissions());
    if (QFile(a).open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with every permission";
    auto prompt = std::make_unique<TScriptedPrompt>(QStringList{"retry", "ignore", "abort"});
    TScriptedPrompt* p = prompt.get();
    auto previous = SetPromptService(std::move(prompt));
    TTorvan_Zip_Lister lister;
    EXPECT_FALSE(lister.AddFile(a, "", 0, 2, dir.path()));
    EXPECT_EQ(p->Log().filter("Zipping").size(), 2);
    EXPECT_TRUE(ErrorOf([&] { lister.AddFile(a, "", 0, 2, dir.path()); }).contains(a));
    EXPECT_EQ(lister.Count(), 0);
    SetPromptService(std::move(previous));
}

TEST_F(ListerFiles, ExtractionTargetsAndOptions) {
    TGrupsDest groups;
    QTemporaryDir g1;
    groups.Add(1, g1.path());
    TTorvan_Zip_Lister lister;
    lister.SetGroups(groups);
    TArxiuComprimit e;
    e.name = "sub\\dir\\f.txt";
    e.size = 3;
    e.data = Compress2("abc", 6);
    e.group = 1;
    lister.AddEntry(e);
    e.name = "otro\\g.txt";
    e.group = 0;
    lister.AddEntry(e);
    e.name = "..\\fuera.txt";
    e.group = 1;
    lister.AddEntry(e);

    lister.SetCreateDirectories(false);
    EXPECT_FALSE(lister.Extract(0, QString()));
    lister.SetCreateDirectoryQuery([](const QString&, bool& create) { create = true; });
    ASSERT_TRUE(lister.Extract(0, QString()));
    EXPECT_EQ(Read(g1.filePath("sub/dir/f.txt")), "abc");

    QTemporaryDir t;
    ASSERT_TRUE(lister.Extract(1, t.path()));
    EXPECT_EQ(Read(t.filePath("g.txt")), "abc");
    lister.SetOverwriteFiles(false);
    EXPECT_FALSE(lister.Extract(1, t.path()));
    EXPECT_TRUE(ErrorOf([&] {
                    lister.Extract(2, QString());
                }).startsWith("Nombre de archivo no válido en la copia: "));
    EXPECT_FALSE(QFile::exists(QFileInfo(g1.path()).dir().filePath("fuera.txt")));

    QString seen;
    lister.SetBeforeExtract([&](int, const TArxiuComprimit&, QString& path) {
        seen = path;
        path = t.filePath("cambiado.txt");
    });
    ASSERT_TRUE(lister.Extract(1, t.path()));
    EXPECT_EQ(seen, t.filePath("g.txt"));
    EXPECT_EQ(Read(t.filePath("cambiado.txt")), "abc");
}

TEST_F(ListerFiles, DamagedOrRefusedEntryLeavesTheTargetAsItWas) {
    const QString target = Write("f.txt", "original");
    TTorvan_Zip_Lister lister;
    TArxiuComprimit e;
    e.name = "f.txt";
    e.size = 3;
    e.data = Compress2("abc", 6);
    e.data[5] = char(e.data[5] ^ 0x55);
    lister.AddEntry(e);
    e.name = "g.txt";
    e.data = Compress2("abc", 6);
    lister.AddEntry(e);
    EXPECT_TRUE(
        ErrorOf([&] { lister.Extract(0, dir.path()); }).startsWith("Error al descomprimir"));
    EXPECT_EQ(Read(target), "original");
    lister.SetCheckExtracted([](const TArxiuComprimit&, const QString& temporary) {
        EXPECT_EQ(Read(temporary), "abc");
        throw EZMKError("no vale");
    });
    EXPECT_EQ(ErrorOf([&] { lister.ExtractTo(1, target); }), "no vale");
    EXPECT_EQ(Read(target), "original");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"f.txt"});
}

TEST(ArchiveImage, OldFormatIsRead) {
    QByteArray image;
    TArchiveWriter w(image);
    w.Int32(1);
    const double serial = 36526.25;
    w.Raw(QByteArray(reinterpret_cast<const char*>(&serial), 8));
    w.Raw(QByteArray("Antigua\0", 8));
    w.Raw(QByteArray("DATOS\\A.MDB\0", 12));
    const QByteArray z = Compress2("xyz", 6);
    w.Int32(3);
    w.Int32(qint32(z.size()));
    w.Int32(0x20);
    w.Int32(12345);
    w.Raw(z);
    w.Raw(Bytes({0, 0}));
    TTorvan_Zip_Lister lister;
    lister.LoadFromImage(image);
    EXPECT_EQ(lister.Description(), "Antigua");
    EXPECT_EQ(lister.CreationDate(), SerialToDateTime(serial));
    ASSERT_EQ(lister.Count(), 1);
    EXPECT_EQ(lister.Entry(0).description, QStringLiteral("(Sin descripción)"));
    EXPECT_EQ(lister.Entry(0).group, 0);
    EXPECT_EQ(lister.Entry(0).time, 12345);
    EXPECT_NO_THROW(lister.Check(0));

    auto load = [](const QByteArray& b) {
        return ErrorOf([&] { TTorvan_Zip_Lister().LoadFromImage(b); });
    };
    QByteArray noEnd = image;
    noEnd[noEnd.size() - 2] = 'x';
    EXPECT_EQ(load(noEnd), "Fin de Stream no encontrado!");
    QByteArray noFinal = image;
    noFinal[noFinal.size() - 1] = 'x';
    EXPECT_EQ(load(noFinal), "Fin de LoadFromStream no encontrado!");
    EXPECT_EQ(load(Bytes({0xFE, 0xFF, 0xFF, 0xFF})),
              "Error, numero de archivos contenidos erroneo, inferior a 0");
    QByteArray negative = image;
    negative[8 + 4 + 8 + 12] = char(0xFF);
    negative[8 + 4 + 8 + 12 + 3] = char(0xFF);
    EXPECT_EQ(load(negative.mid(4).prepend(image.left(4)).left(image.size())),
              "Error, el archivo original tenia tamaño negativo");
}

TEST(ArchiveImage, NegativeSizesAndForgedCountsAreRefused) {
    TTorvan_Zip_Lister lister;
    TArxiuComprimit e;
    e.name = "a";
    e.size = 1;
    e.data = Compress2("a", 6);
    lister.AddEntry(e);
    const QByteArray image = lister.SaveToImage();
    const qsizetype sizeAt = image.indexOf(Bytes({0x02, 0x01, 0x02}), 20);
    ASSERT_GT(sizeAt, 0);
    QByteArray negative = image;
    negative[sizeAt + 1] = char(0xFF);
    EXPECT_EQ(ErrorOf([&] { TTorvan_Zip_Lister().LoadFromImage(negative); }),
              "Error, el archivo original tenia tamaño negativo");
    negative = image;
    negative[sizeAt + 3] = char(0xFF);
    EXPECT_EQ(ErrorOf([&] { TTorvan_Zip_Lister().LoadFromImage(negative); }),
              "Error, el archivo comprimido tiene tamaño negativo");
    QByteArray count = image;
    count[6] = 5;  // the header's entry count
    EXPECT_TRUE(
        ErrorOf([&] { TTorvan_Zip_Lister().LoadFromImage(count); }).startsWith("Error, el numero"));
    // Cut anywhere, the image is refused with the format's errors.
    for (qsizetype n = 0; n < image.size(); ++n) {
        const QString error = ErrorOf([&] { TTorvan_Zip_Lister().LoadFromImage(image.left(n)); });
        EXPECT_NE(error, "(no error)") << n;
    }
}

}  // namespace
}  // namespace zmk
