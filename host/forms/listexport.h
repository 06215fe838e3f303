#pragma once
// A list as the office takes it away: a CSV file that Excel opens with its accents (UTF-8 with
// a byte-order mark, ";" between fields), or an Excel workbook (.xlsx) with numbers, amounts
// and dates as such. Both are written to a temporary name and renamed when complete, so a
// failed export leaves any earlier file as it was.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace zmk {

struct TExportColumn {
    QString title;
    QString format;  // "money", "date", "datetime", "time", or empty (text or number as read)
};

struct TExportList {
    QString title;  // the sheet's name
    QVector<TExportColumn> columns;
    // One row per record: a cell's value as the list shows it (text) or as a number, a
    // Currency, a date or a boolean, which the workbook keeps as such.
    QVector<QVector<QVariant>> rows;
};

// Raise EZMKError with the file's name when it cannot be written.
void ExportCsv(const TExportList& list, const QString& path);
void ExportXlsx(const TExportList& list, const QString& path);

}  // namespace zmk
