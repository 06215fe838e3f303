// The Spanish order of the company's texts, in SQL as the lists use it.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "host/collation.h"
#include "host/database.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

QStringList Ordenados(TDataBaseZMK& db, const QString& where = QString()) {
    QSqlQuery q = db.Query(QStringLiteral("SELECT NombreCompletoT01 FROM T01Alumnos ") + where +
                           QStringLiteral(" ORDER BY NombreCompletoT01"));
    QStringList names;
    while (q.next()) names << q.value(0).toString();
    return names;
}

TEST(Collation, NamesSortTheSpanishWayAndCompareWithoutCase) {
    test::TestDatabase t;
    for (const char* name :
         {"Vázquez, Rafael", "Álvarez, Alberto", "Muñoz, Ana", "Murillo, Eva", "Nuñez, Luis",
          "Núñez, Pilar", "alonso, Íñigo", "Zapata, Sol", "Ortiz, Ana"})
        t.db().ExecuteSQL(QStringLiteral("INSERT INTO T01Alumnos (NombreCompletoT01) VALUES ('%1')")
                              .arg(QString::fromUtf8(name)));
    EXPECT_EQ(Ordenados(t.db()), QStringList({"alonso, Íñigo", "Álvarez, Alberto", "Muñoz, Ana",
                                              "Murillo, Eva", "Nuñez, Luis", "Núñez, Pilar",
                                              "Ortiz, Ana", "Vázquez, Rafael", "Zapata, Sol"}));
    // Case never matters, accented capitals included; accents do.
    EXPECT_EQ(Ordenados(t.db(), QStringLiteral("WHERE NombreCompletoT01 = 'ÁLVAREZ, ALBERTO'")),
              QStringList{"Álvarez, Alberto"});
    EXPECT_TRUE(Ordenados(t.db(), QStringLiteral("WHERE NombreCompletoT01 = 'Alvarez, Alberto'"))
                    .isEmpty());
}

TEST(Collation, OnPlainAsciiItIsSqlitesOwnCaseInsensitiveOrder) {
    const char* words[] = {"", "a", "A", "ab", "aB", "b", "_x", "Z", "z1", "[", "9", "a b"};
    for (const char* x : words)
        for (const char* y : words) {
            const QString a = QString::fromLatin1(x), b = QString::fromLatin1(y);
            // SQLite's NOCASE: fold A-Z to a-z, then compare the bytes; shorter first.
            const int ascii = QString::compare(a.toLower(), b.toLower(), Qt::CaseSensitive);
            EXPECT_EQ(CompareSpanish(a, b) < 0, ascii < 0) << x << " " << y;
            EXPECT_EQ(CompareSpanish(a, b) == 0, ascii == 0) << x << " " << y;
        }
}

}  // namespace
}  // namespace zmk
