#include "host/forms/listexport.h"

#include <xlsxwriter.h>

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cstdio>

#include "host/atomicfile.h"
#include "host/currency.h"
#include "host/errors.h"

namespace zmk {

namespace {

QString CellText(const QVariant& v, const QString& format) {
    if (!v.isValid() || v.isNull()) return QString();
    if (v.metaType().id() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("Sí") : QStringLiteral("No");
    if (v.metaType() == QMetaType::fromType<Currency>()) {
        const QString t = v.value<Currency>().ToString(format == QLatin1String("money") ? 2 : 4);
        return QString(t).replace(u'.', u',');
    }
    if (v.metaType().id() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().toString(format == QLatin1String("date")
                                           ? QStringLiteral("dd/MM/yyyy")
                                           : QStringLiteral("dd/MM/yyyy hh:mm"));
    if (v.metaType().id() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15).replace(u'.', u',');
    return v.toString();
}

QString Quote(QString s) {
    return u'"' + s.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

[[noreturn]] void CannotWrite(const QString& path) {
    throw EZMKError(QStringLiteral("No se puede escribir el archivo:\n%1").arg(path));
}

}  // namespace

void ExportCsv(const TExportList& list, const QString& path) {
    QByteArray out("\xEF\xBB\xBF");  // Excel reads the accents as UTF-8 only with this mark
    QStringList header;
    for (const TExportColumn& c : list.columns) header << Quote(c.title);
    out += header.join(u';').toUtf8() + "\r\n";
    for (const QVector<QVariant>& row : list.rows) {
        QStringList cells;
        for (int c = 0; c < list.columns.size(); ++c)
            cells << Quote(CellText(row.value(c), list.columns[c].format));
        out += cells.join(u';').toUtf8() + "\r\n";
    }
    WriteFileAtomically(path, out);
}

void ExportXlsx(const TExportList& list, const QString& path) {
    // The library writes by name: a temporary file beside the target, renamed when complete.
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.exportXXXXXX.xlsx"));
    if (!temp.open()) CannotWrite(path);
    const QByteArray tempName = QFile::encodeName(temp.fileName());
    temp.close();
    lxw_workbook* book = workbook_new(tempName.constData());
    if (!book) CannotWrite(path);
    QString sheetName = list.title.left(31);
    for (QChar c : QStringLiteral("[]:*?/\\")) sheetName.replace(c, u' ');
    lxw_worksheet* sheet = workbook_add_worksheet(
        book, sheetName.isEmpty() ? nullptr : sheetName.toUtf8().constData());
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format* money = workbook_add_format(book);
    format_set_num_format(money, "#,##0.00");
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "dd/mm/yyyy");
    lxw_format* dateTime = workbook_add_format(book);
    format_set_num_format(dateTime, "dd/mm/yyyy hh:mm");
    for (int c = 0; c < list.columns.size(); ++c) {
        worksheet_write_string(sheet, 0, lxw_col_t(c), list.columns[c].title.toUtf8().constData(),
                               bold);
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                             std::clamp(double(list.columns[c].title.size()) + 4, 10.0, 45.0),
                             nullptr);
    }
    for (int r = 0; r < list.rows.size(); ++r) {
        const auto row = lxw_row_t(r + 1);
        for (int c = 0; c < list.columns.size(); ++c) {
            const QVariant v = list.rows[r].value(c);
            const auto col = lxw_col_t(c);
            const QString& format = list.columns[c].format;
            if (!v.isValid() || v.isNull()) continue;
            const int type = v.metaType().id();
            if (v.metaType() == QMetaType::fromType<Currency>()) {
                // The sheet holds numbers as doubles; the amount is exact to the cent there too.
                worksheet_write_number(sheet, row, col, v.value<Currency>().ToDouble(),
                                       format == QLatin1String("money") ? money : nullptr);
            } else if (type == QMetaType::Int || type == QMetaType::LongLong ||
                       type == QMetaType::Double) {
                worksheet_write_number(sheet, row, col, v.toDouble(), nullptr);
            } else if (type == QMetaType::Bool) {
                worksheet_write_boolean(sheet, row, col, v.toBool(), nullptr);
            } else if (type == QMetaType::QDate || type == QMetaType::QDateTime) {
                const QDateTime t =
                    type == QMetaType::QDate ? v.toDate().startOfDay() : v.toDateTime();
                lxw_datetime d{t.date().year(), t.date().month(),  t.date().day(),
                               t.time().hour(), t.time().minute(), double(t.time().second())};
                worksheet_write_datetime(sheet, row, col, &d,
                                         format == QLatin1String("date") ? date : dateTime);
            } else {
                worksheet_write_string(sheet, row, col, v.toString().toUtf8().constData(), nullptr);
            }
        }
    }
    if (workbook_close(book) != LXW_NO_ERROR) {
        QFile::remove(temp.fileName());
        CannotWrite(path);
    }
    temp.setAutoRemove(false);
    if (std::rename(tempName.constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(temp.fileName());
        CannotWrite(path);
    }
}

}  // namespace zmk
