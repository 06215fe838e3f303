// Exported lists open in the office's spreadsheet with their accents, numbers and dates; a
// failed export leaves the earlier file as it was.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "host/currency.h"
#include "host/errors.h"
#include "host/forms/listexport.h"

namespace zmk {
namespace {

TExportList Lista() {
    TExportList l;
    l.title = QStringLiteral("Facturas pendientes de cobro");
    l.columns = {{QStringLiteral("Cliente"), {}},
                 {QStringLiteral("Fecha"), QStringLiteral("date")},
                 {QStringLiteral("Total"), QStringLiteral("money")},
                 {QStringLiteral("Cobrada"), {}}};
    l.rows = {{QStringLiteral("Muñoz \"Peña\", Íñigo"), QDate(2026, 12, 1),
               QVariant::fromValue(*Currency::Parse(QStringLiteral("1234.5"))), false},
              {QStringLiteral("Gil, Ana"), QVariant(), QVariant::fromValue(Currency(72)), true}};
    return l;
}

QByteArray Leer(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

TEST(ListExport, CsvIsUtf8WithAByteOrderMarkAndSpanishNumbers) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lista.csv"));
    ExportCsv(Lista(), path);
    const QByteArray bytes = Leer(path);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(bytes.mid(3)),
              QStringLiteral("\"Cliente\";\"Fecha\";\"Total\";\"Cobrada\"\r\n"
                             "\"Muñoz \"\"Peña\"\", Íñigo\";\"01/12/2026\";\"1234,50\";\"No\"\r\n"
                             "\"Gil, Ana\";\"\";\"72,00\";\"Sí\"\r\n"));
}

TEST(ListExport, XlsxIsAWorkbookAndAFailureKeepsTheEarlierFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lista.xlsx"));
    ExportXlsx(Lista(), path);
    const QByteArray bytes = Leer(path);
    EXPECT_TRUE(bytes.startsWith("PK\x03\x04"));
    EXPECT_TRUE(bytes.contains("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(bytes.contains("xl/sharedStrings.xml"));
    // Nothing of the temporary file stays beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A folder that cannot be written: refused, nothing changed.
    const QString ajena = dir.filePath(QStringLiteral("no/existe/lista.xlsx"));
    EXPECT_THROW(ExportXlsx(Lista(), ajena), EZMKError);
    EXPECT_THROW(ExportCsv(Lista(), ajena), EZMKError);
    EXPECT_EQ(Leer(path), bytes);
}

}  // namespace
}  // namespace zmk
