#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "host/errors.h"
#include "host/parametres.h"
#include "host/resources.h"

using namespace zmk;

TEST(Resources, InsertFindReplaceAndRemove) {
    TRecursosZMK r;
    EXPECT_FALSE(r.Find(7).has_value());
    r.Insert(7, "uno");
    r.Insert(3, QByteArray());
    r.Insert(7, "dos");
    EXPECT_EQ(r.Count(), 2);
    EXPECT_EQ(*r.Find(7), QByteArray("dos"));
    EXPECT_TRUE(r.Find(3).has_value());  // an empty blob is still a resource
    EXPECT_EQ(r.Numbers(), QList<int>({3, 7}));
    EXPECT_TRUE(r.Remove(3));
    EXPECT_FALSE(r.Remove(3));
    EXPECT_EQ(r.Count(), 1);
}

TEST(Resources, FileRoundTripKeepsEveryBlobExactly) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("escolia.MDR"));
    TRecursosZMK r;
    QByteArray binary;
    for (int i = 0; i < 70000; ++i) binary.append(char(i * 31 % 256));
    r.Insert(1, binary);
    r.Insert(2, QByteArray());
    r.Insert(-5, QStringLiteral("ñandú €").toUtf8());
    r.SaveToFile(path);

    TRecursosZMK back;
    back.Insert(99, "will be replaced");
    EXPECT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(back.Numbers(), QList<int>({-5, 1, 2}));
    EXPECT_EQ(*back.Find(1), binary);
    EXPECT_EQ(*back.Find(2), QByteArray());
    EXPECT_EQ(QString::fromUtf8(*back.Find(-5)), QStringLiteral("ñandú €"));

    // A missing file is the first run: an empty store.
    EXPECT_FALSE(back.LoadFromFile(dir.filePath(QStringLiteral("none.MDR"))));
    EXPECT_EQ(back.Count(), 0);
}

TEST(Resources, DamagedOrForeignFilesAreRefusedAndLeaveTheStoreAlone) {
    TRecursosZMK r;
    r.Insert(1, QByteArray(1000, 'x'));
    QBuffer good;
    good.open(QIODevice::WriteOnly);
    r.SaveToStream(good);
    const QByteArray bytes = good.data();

    auto load = [](const QByteArray& data, TRecursosZMK& into) {
        QBuffer b;
        b.setData(data);
        b.open(QIODevice::ReadOnly);
        into.LoadFromStream(b);
    };
    TRecursosZMK target;
    target.Insert(42, "keep");
    QByteArray flipped = bytes;
    flipped[flipped.size() - 3] = char(flipped[flipped.size() - 3] ^ 0x55);
    EXPECT_THROW(load(flipped, target), EZMKError);
    EXPECT_THROW(load(bytes.left(bytes.size() - 4), target), EZMKError);
    EXPECT_THROW(load(QByteArray("PK\x03\x04 not ours"), target), EZMKError);
    EXPECT_THROW(load(bytes + "trailing", target), EZMKError);
    QByteArray newer = bytes;
    newer[9] = char(9);  // format version (big-endian, after the six-byte magic)
    EXPECT_THROW(load(newer, target), EZMKError);
    EXPECT_EQ(target.Numbers(), QList<int>({42}));
    load(bytes, target);
    EXPECT_EQ(target.Numbers(), QList<int>({1}));
}

TEST(Resources, TheParameterBlockTravelsAsResource100001) {
    Parametres().SetParametreValue(QStringLiteral("PRMPruebaRecursos"), QStringLiteral("guardado"));
    TRecursosZMK r;
    EXPECT_FALSE(r.CargaParametres());
    r.GuardaParametres();
    ASSERT_TRUE(r.Find(TRecursosZMK::kParametres).has_value());
    Parametres().DeleteParam(QStringLiteral("PRMPruebaRecursos"));
    EXPECT_TRUE(r.CargaParametres());
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMPruebaRecursos")),
              QStringLiteral("guardado"));
    Parametres().DeleteParam(QStringLiteral("PRMPruebaRecursos"));
}
