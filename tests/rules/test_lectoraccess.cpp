// The Access reader on a real Jet 4 database (texts in several scripts, dates, yes/no), exact
// decimals, damaged files, and the child process that keeps a crashing or looping library away
// from the program.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "host/errors.h"
#include "rules/lectores/lectoraccess.h"
#include "rules/lectores/procesoaparte.h"
#include "tests/support/testdb.h"

namespace zmk::test {
namespace {

const QString kBase = QStringLiteral(ESCOLIA_SOURCE_DIR "/tests/data/lectores/usuarios-jet4.mdb");

TEST(LectorAccess, UserTablesColumnsAndTypedValues) {
    const auto origen = AbrirOrigenDatos(kBase);
    EXPECT_EQ(origen->Tablas(), QStringList{"Users"});
    const TTablaOrigen t = origen->LeerTabla(QStringLiteral("Users"));
    EXPECT_EQ(t.columnas,
              (QStringList{"UserId", "UserName", "UserSex", "UserBirthday", "UserMarried"}));
    ASSERT_EQ(t.filas.size(), 3);
    EXPECT_EQ(t.filas[0][0].typeId(), QMetaType::LongLong);
    EXPECT_EQ(t.filas[0][0].toLongLong(), 1);
    EXPECT_EQ(t.filas[0][3], QVariant(QDate(1989, 1, 25)));
    EXPECT_EQ(t.filas[0][4], QVariant(true));
    EXPECT_EQ(t.filas[1][4], QVariant(false));
    EXPECT_EQ(t.filas[2][1], QVariant(QStringLiteral("张三")));
    EXPECT_EQ(t.filas[2][2], QVariant(QStringLiteral("男")));
    EXPECT_EQ(ErrorMessage([&] { origen->LeerTabla(QStringLiteral("MSysObjects")); }),
              QStringLiteral("No existe la tabla MSysObjects"));
}

TEST(LectorAccess, CurrencyKeepsItsCents) {
    EXPECT_EQ(DecimalExacto(QStringLiteral("12.3400")), QStringLiteral("12.34"));
    EXPECT_EQ(DecimalExacto(QStringLiteral("-0.0500")), QStringLiteral("-0.05"));
    EXPECT_EQ(DecimalExacto(QStringLiteral("1234.5678")), QStringLiteral("1234.5678"));
    EXPECT_EQ(DecimalExacto(QStringLiteral("7")), QStringLiteral("7"));
}

TEST(LectorAccess, DamagedDatabasesAreRefused) {
    QFile f(kBase);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QTemporaryDir dir;
    auto error = [&](const QByteArray& contenido) {
        const QString path = dir.filePath(QStringLiteral("dañada.mdb"));
        QFile g(path);
        EXPECT_TRUE(g.open(QIODevice::WriteOnly | QIODevice::Truncate));
        g.write(contenido);
        g.close();
        return ErrorMessage([&] {
            const auto origen = AbrirOrigenDatos(path);
            for (const QString& t : origen->Tablas()) origen->LeerTabla(t);
        });
    };
    const QString prefijo = QStringLiteral("No se puede leer el archivo dañada.mdb: ");
    EXPECT_EQ(error(bytes.left(3000)),
              prefijo + QStringLiteral("la base de datos de Access está dañada"));
    EXPECT_EQ(error(QByteArray(8192, 'x')),
              prefijo + QStringLiteral("no es una base de datos de Access o está dañada"));
    // The catalog's pages wiped out.
    QByteArray sinCatalogo = bytes;
    sinCatalogo.replace(4096, 4096 * 3, QByteArray(4096 * 3, '\xFF'));
    EXPECT_TRUE(error(sinCatalogo).startsWith(prefijo)) << error(sinCatalogo).toStdString();
}

TEST(ProcesoAparte, AnswersRaisesAndSurvivesCrashesAndLoops) {
    const QString fallo = QStringLiteral("dañado");
    EXPECT_EQ(EnProcesoAparte([] { return QByteArray("hecho"); }, 5, fallo), QByteArray("hecho"));
    EXPECT_EQ(ErrorMessage([&] {
                  EnProcesoAparte([]() -> QByteArray { throw EZMKError(QStringLiteral("ñu")); }, 5,
                                  fallo);
              }),
              QStringLiteral("ñu"));
    EXPECT_EQ(ErrorMessage([&] {
                  EnProcesoAparte(
                      []() -> QByteArray {
                          ::raise(SIGSEGV);
                          return {};
                      },
                      5, fallo);
              }),
              fallo);
    EXPECT_EQ(ErrorMessage([&] {
                  EnProcesoAparte(
                      []() -> QByteArray {
                          for (;;) QThread::msleep(50);
                      },
                      1, fallo);
              }),
              fallo);
    // A size forged in a damaged file makes the allocation fail in the child, not swap.
    EXPECT_EQ(ErrorMessage([&] {
                  EnProcesoAparte([] { return QByteArray(qsizetype(3) << 30, 'm'); }, 20, fallo);
              }),
              fallo);
    // A large answer comes whole.
    EXPECT_EQ(EnProcesoAparte([] { return QByteArray(3 << 20, 'z'); }, 5, fallo).size(), 3 << 20);
}

}  // namespace
}  // namespace zmk::test
