#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>

#include "core/strformat.h"
#include "core/strings.h"
#include "host/currency.h"
#include "host/errors.h"

using namespace zmk;

namespace {

QString ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EZMKError& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

class StringsTest : public ::testing::Test {
  protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        Translate().SetCollecting(false);
        Translate().ClearCollected();
        Translate().Init(QString());
        SetNumberDisplayCheck({});
        RegisterDefaultProgramStrings();
    }
    QTemporaryDir dir;
};

}  // namespace

TEST(SharedStringTableTest, StructureNumbersAndKeys) {
    const auto& table = SharedStringTable();
    EXPECT_EQ(table.size(), 334u);
    QSet<int> numbers;
    QSet<QString> keys;
    int used = 0;
    for (const TSharedString& slot : table) {
        if (slot.number == 0) continue;
        ++used;
        EXPECT_GE(slot.number, 1);
        EXPECT_LE(slot.number, 9999);
        EXPECT_FALSE(numbers.contains(slot.number)) << slot.number;
        numbers.insert(slot.number);
        const QString key = QString::fromUtf8(slot.key);
        EXPECT_FALSE(keys.contains(key)) << slot.key;
        keys.insert(key);
        EXPECT_FALSE(QString::fromUtf8(slot.text).isEmpty()) << slot.number;
    }
    EXPECT_EQ(used, 215);
    // Ranges of the key prefixes.
    const QMap<QString, std::pair<int, int>> ranges = {
        {QStringLiteral("Common"), {100, 108}},
        {QStringLiteral("FRMSplash"), {1700, 1701}},
        {QStringLiteral("FRMEnviaSMS"), {2101, 2138}},
        {QStringLiteral("ZMKAppConfig"), {1500, 1611}},
        {QStringLiteral("FRMEditDataBase"), {1900, 2009}}};
    for (const TSharedString& slot : table) {
        const auto range = ranges.constFind(QString::fromUtf8(slot.key).section(u'.', 0, 0));
        if (slot.number == 0 || range == ranges.cend()) continue;
        EXPECT_GE(slot.number, range->first) << slot.key;
        EXPECT_LE(slot.number, range->second) << slot.key;
    }
}

TEST(ProgramStringListTest, NumbersInTheirGroupsAndUnique) {
    QSet<int> seen;
    for (const auto& [n, text] : DefaultProgramStrings()) {
        EXPECT_FALSE(seen.contains(n)) << n;
        seen.insert(n);
        const bool inGroup = (n >= 10001 && n <= 10035) || (n >= 10101 && n <= 10109) ||
                             (n >= 10201 && n <= 10209) || (n >= 10301 && n <= 10314) ||
                             (n >= 10401 && n <= 10456);
        EXPECT_TRUE(inGroup) << n;
        EXPECT_FALSE(text.isEmpty()) << n;
    }
    EXPECT_EQ(seen.size(), 35 + 9 + 9 + 14 + 56);
}

TEST_F(StringsTest, LookupsReturnTheDefaultTexts) {
    EXPECT_EQ(SharedString(1004), QStringLiteral("SOLO LECTURA"));
    EXPECT_EQ(SharedString(1700), QStringLiteral("¿Cancelar el proceso?"));
    EXPECT_EQ(SharedString(1003),
              QStringLiteral("ATENCIÓN:\n\nHa modificado el ESTILO de mostrar las ventanas en la "
                             "aplicación\n\nEste cambio aparecerá cuando REINICIE la aplicación"));
    EXPECT_EQ(SharedStringFmt(1430, {QStringLiteral("C:\\Tmp"), QStringLiteral("a.MDB"),
                                     QStringLiteral("D:\\b.MDB")}),
              QStringLiteral("No se puede copiar el archivo C:\\Tmp\\a.MDB en D:\\b.MDB"));
    EXPECT_EQ(SharedStringFmt(1002, {QStringLiteral("ZMK-Escolia v16")}),
              QStringLiteral("¿Cerrar la Aplicación ZMK-Escolia v16 ?"));
    EXPECT_EQ(ProgramString(10108),
              QStringLiteral("Para borrar las facturas utilice el formulario de\nACCIONES SOBRE "
                             "LAS FACTURAS"));
    EXPECT_EQ(ProgramStringFmt(10103, {QStringLiteral("12"), QStringLiteral("A")}),
              QStringLiteral("NO PUEDE MODIFICAR LA FACTURA\n\nLa factura nº 12 Serie \"A\"\nestá "
                             "cobrada y no puede modificar facturas cobradas\n\nPrimero debe "
                             "DEVOLVER la factura y luego podrá realizar las modificaciones"));
    EXPECT_EQ(ProgramStringFmt(10017, {3, 7}), QStringLiteral("Registro 3 / 7"));
}

TEST_F(StringsTest, MissingNumbersAreEmptyInNormalUseAndErrorsWhenCollecting) {
    EXPECT_EQ(SharedString(1001), QString());
    EXPECT_EQ(SharedString(0), QString());
    EXPECT_EQ(SharedStringFmt(5, {1}), QString());
    EXPECT_EQ(ProgramString(10999), QString());
    EXPECT_EQ(ProgramStringFmt(10999, {1}), QString());

    Translate().SetCollecting(true);
    EXPECT_EQ(ErrorOf([] { SharedString(1001); }),
              QStringLiteral("ccTRANSLATE inum NOT FOUND: 1001"));
    EXPECT_EQ(ErrorOf([] { ProgramString(10999); }),
              QStringLiteral("ExeTRANSLATE inum NOT FOUND: 10999"));
    EXPECT_EQ(ErrorOf([] { ProgramStringFmt(10999, {}); }),
              QStringLiteral("ExeTRANSLATE inum NOT FOUND: 10999"));
    EXPECT_EQ(SharedString(1004), QStringLiteral("SOLO LECTURA"));
}

TEST_F(StringsTest, RangeErrorsWhenCollecting) {
    Translate().SetCollecting(true);
    const TSharedString tooLarge[] = {{5, "Common.x", "x"}, {10000, "Common.y", "y"}};
    EXPECT_EQ(ErrorOf([&] { RegisterSharedStrings(tooLarge); }),
              QStringLiteral("ERROR UCCTranslate. 10000 debe estar entre 1 y 9999"));
    const TSharedString noKey[] = {{0, nullptr, nullptr}, {77, "", "z"}};
    EXPECT_EQ(ErrorOf([&] { RegisterSharedStrings(noKey); }),
              QStringLiteral("ERROR UCCTranslate. TRANSARRAY i=77 n= IS NULL !!!"));

    EXPECT_EQ(ErrorOf([] {
                  RegisterProgramStrings({{10001, "a"}, {9999, "b"}});
              }),
              QStringLiteral("ERROR UCCTranslate.ExeTranslate 9999 debe estar entre 10000 y "
                             "99999. "));
    EXPECT_EQ(ErrorOf([] {
                  RegisterProgramStrings({{100000, "b"}});
              }),
              QStringLiteral("ERROR UCCTranslate.ExeTranslate 100000 debe estar entre 10000 y "
                             "99999. "));

    // In normal use the numbers are not checked, and slot 0 is skipped in every mode.
    Translate().SetCollecting(false);
    RegisterProgramStrings({{0, "skipped"}, {5, "five"}, {20000, "first"}, {20000, "second"}});
    EXPECT_EQ(ProgramString(5), QStringLiteral("five"));
    EXPECT_EQ(ProgramString(0), QString());
    EXPECT_EQ(ProgramString(20000), QStringLiteral("first"));
    // Registering again replaces the table.
    RegisterProgramStrings({{20001, "other"}});
    EXPECT_EQ(ProgramString(20000), QString());
    EXPECT_EQ(ProgramString(10108), QString());
}

TEST_F(StringsTest, LanguageFileOverridesAndFallsBack) {
    const QString path = dir.filePath(QStringLiteral("test.lng"));
    ASSERT_NO_FATAL_FAILURE(WriteFile(path,
                                      "\xEF\xBB\xBF; comment line\r\n"
                                      "[CC.Common]\r\n"
                                      "yes=Sí\r\n"
                                      "  no = No \r\n"
                                      "[CC.FRMSplash]\n"
                                      "cancel_process=Cancel·lar\\nel procés?\n"
                                      "line without equals sign\n"
                                      "[ExeStrings]\n"
                                      "10017=Registre %d de %d\n"
                                      "10430=Path %s\\\\%s\n"
                                      "[CC]\n"
                                      "TFRMMenuLevel0Ext.database_read_only=NOMÉS LECTURA\n"));
    Translate().Init(path);
    EXPECT_EQ(SharedString(106), QStringLiteral("Sí"));
    EXPECT_EQ(SharedString(107), QStringLiteral(" No "));  // values keep their blanks
    EXPECT_EQ(SharedString(1700), QStringLiteral("Cancel·lar\nel procés?"));
    EXPECT_EQ(SharedString(1004), QStringLiteral("NOMÉS LECTURA"));
    EXPECT_EQ(SharedString(1701), QStringLiteral("Proceso cancelado por el usuario"));
    EXPECT_EQ(ProgramStringFmt(10017, {1, 2}), QStringLiteral("Registre 1 de 2"));
    EXPECT_EQ(ProgramString(10430), QStringLiteral("Path %s\\%s"));

    Translate().SetValue(QStringLiteral("CC.Common.yes"), QStringLiteral("Oui"));
    EXPECT_EQ(SharedString(106), QStringLiteral("Oui"));

    Translate().Init(QString());
    EXPECT_EQ(SharedString(106), QStringLiteral("Si"));
    EXPECT_THROW(Translate().Init(dir.filePath(QStringLiteral("missing.lng"))), EZMKError);
}

TEST_F(StringsTest, ShippedLanguageFilesOnlyUseKnownKeysAndKeepPlaceholders) {
    QMap<QString, QString> defaults;
    for (const TSharedString& slot : SharedStringTable())
        if (slot.number > 0)
            defaults.insert(QStringLiteral("CC.") + QString::fromUtf8(slot.key),
                            QString::fromUtf8(slot.text));
    const QDir langDir(QStringLiteral(ESCOLIA_SOURCE_DIR "/resources/lang"));
    const QStringList files = langDir.entryList({QStringLiteral("ZMKEscolia.*.lng")});
    ASSERT_EQ(files.size(), 2);
    const QStringList prefixes = {
        QStringLiteral("CC.Common."), QStringLiteral("CC.TFRMMenuLevel0Ext."),
        QStringLiteral("CC.FRMSplash."), QStringLiteral("CC.FRMSelDataBase."),
        QStringLiteral("CC.FRMEnviaSMS.")};
    for (const QString& name : files) {
        QFile f(langDir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const auto values = ParseLanguageText(QString::fromUtf8(f.readAll()));
        int expected = 0;
        for (auto it = defaults.cbegin(); it != defaults.cend(); ++it)
            for (const QString& p : prefixes)
                if (it.key().startsWith(p)) ++expected;
        // The shared strings' sections translate every one of them; the dialogs' own sections
        // (captions by control name) and the locale of Qt's dialogs are not shared strings.
        const auto shared = [&](const QString& key) {
            return key != QLatin1String("CC.Common.locale") &&
                   std::any_of(prefixes.begin(), prefixes.end(),
                               [&](const QString& p) { return key.startsWith(p); });
        };
        int translated = 0;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (!shared(it.key())) continue;
            ++translated;
            ASSERT_TRUE(defaults.contains(it.key())) << it.key().toStdString();
            EXPECT_EQ(it.value().count(QStringLiteral("%s")),
                      defaults[it.key()].count(QStringLiteral("%s")))
                << it.key().toStdString();
        }
        EXPECT_EQ(translated, expected) << name.toStdString();
        EXPECT_FALSE(values.value(QStringLiteral("CC.Common.locale")).isEmpty())
            << name.toStdString();
    }
}

TEST_F(StringsTest, CollectingSavesEveryKeyWithItsDefaultText) {
    const QString lang = dir.filePath(QStringLiteral("ca.lng"));
    ASSERT_NO_FATAL_FAILURE(WriteFile(lang, "[CC.Common]\nyes=Sí\n"));
    Translate().Init(lang);
    Translate().SetCollecting(true);
    EXPECT_EQ(SharedString(106), QStringLiteral("Sí"));
    RegisterDefaultProgramStrings();

    const QString out = dir.filePath(QStringLiteral("collected.lng"));
    Translate().SaveCollected(out);
    // Round trip: the saved file gives back every default text, line breaks and backslashes too.
    Translate().SetCollecting(false);
    Translate().Init(out);
    EXPECT_EQ(SharedString(106), QStringLiteral("Si"));
    EXPECT_EQ(SharedString(2138), QStringLiteral("\"%s\" no es un número de móvil válido"));
    EXPECT_EQ(SharedString(1430), QStringLiteral("No se puede copiar el archivo %s\\%s en %s"));
    EXPECT_EQ(ProgramString(10010), QStringLiteral("Facturar"));
    EXPECT_EQ(ProgramString(10423), QStringLiteral(" - Sin Serie"));
    EXPECT_EQ(ProgramString(10016).count(u'\n'), 3);

    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.startsWith(u';'));
    EXPECT_TRUE(text.contains(QStringLiteral("\n[CC.Common]\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\n[ExeStrings]\n10001=")));
    EXPECT_TRUE(
        text.contains(QStringLiteral("\n10108=Para borrar las facturas utilice el "
                                     "formulario de\\nACCIONES SOBRE LAS FACTURAS\n")));
    EXPECT_TRUE(text.contains(QStringLiteral(
        "\n[CC.ZMKAppConfig]\nCheck_ZMKFile_ValidNode=ERROR:\\nEl archivo ZMK no pertenece")));
    const auto values = ParseLanguageText(text);
    EXPECT_EQ(values.size(), 215 + int(DefaultProgramStrings().size()));
}

TEST_F(StringsTest, FormatFallsBackToTheRawText) {
    // Too few, too many, wrong type, unknown conversion: the raw text.
    EXPECT_EQ(SharedStringFmt(1611, {QStringLiteral("A")}),
              QStringLiteral("ERROR:\nEl archivo ZMK no pertenece a esta aplicación\nNecesario: "
                             "%s\nEncontrado: %s"));
    EXPECT_EQ(ProgramStringFmt(10002, {QStringLiteral("x")}),
              QStringLiteral("No existe el IDAlumno: %d"));
    EXPECT_EQ(ProgramStringFmt(10002, {1, 2}), QStringLiteral("No existe el IDAlumno: %d"));
    EXPECT_EQ(ProgramStringFmt(10002, {2.5}), QStringLiteral("No existe el IDAlumno: %d"));
    EXPECT_EQ(FormatText(QStringLiteral("50%"), {}), QStringLiteral("50%"));
    EXPECT_EQ(FormatText(QStringLiteral("%q"), {1}), QStringLiteral("%q"));
    EXPECT_FALSE(TryFormatText(QStringLiteral("%s"), {QVariant::fromValue(QStringList())}));

    EXPECT_EQ(FormatText(QStringLiteral("%d%% de %s"), {50, QStringLiteral("total")}),
              QStringLiteral("50% de total"));
    EXPECT_EQ(FormatText(QStringLiteral("[%5d|%-4s|%.3d|%x]"), {-42, QStringLiteral("ab"), 7, 255}),
              QStringLiteral("[  -42|ab  |007|FF]"));
    EXPECT_EQ(FormatText(QStringLiteral("%d"), {qlonglong(LLONG_MIN)}),
              QString::number(qlonglong(LLONG_MIN)));
    EXPECT_EQ(FormatText(QStringLiteral("%f|%.1f|%.3f"),
                         {2.5, 3, QVariant::fromValue(Currency::FromRaw(12345))}),
              QStringLiteral("2,50|3,0|1,235"));
    // %s shows numbers and Null as text, with the decimal comma; precision cuts it.
    EXPECT_EQ(FormatText(QStringLiteral("%s/%s/%s/%s/%.3s"),
                         {12, QVariant(), QVariant::fromValue(Currency::FromRaw(725000)), 0.1,
                          QStringLiteral("abcdef")}),
              QStringLiteral("12//72,5/0,1/abc"));
    EXPECT_FALSE(TryFormatText(QStringLiteral("%u"), {-1}));
}

TEST_F(StringsTest, NumberDisplayHookFollowsTheText) {
    bool held = false;
    SetNumberDisplayCheck([&] { return held; });
    EXPECT_EQ(SharedString(1004), QStringLiteral("SOLO LECTURA"));
    held = true;
    EXPECT_EQ(SharedString(1004), QStringLiteral("SOLO LECTURA(1004)"));
    EXPECT_EQ(ProgramStringFmt(10017, {1, 2}), QStringLiteral("Registro 1 / 2(10017)"));
    // Format failure keeps the raw text and still shows the number; a miss shows nothing.
    EXPECT_EQ(SharedStringFmt(1005, {}),
              QStringLiteral("Cambiar el programa al nuevo idioma: %s(1005)"));
    EXPECT_EQ(SharedString(9998), QString());
}
