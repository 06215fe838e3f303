#pragma once
// A grid's view of a data set: rows and columns as the data set holds them, kept in step
// through the data set's observers.
#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QStringList>
#include <functional>
#include <optional>

#include "host/dataset.h"

namespace zmk {

struct TGridColumn {
    QString field;
    QString title;
    QString format;  // "money", "date", "datetime", "time", "lookup", or empty
    int width = 0;
    QString lookup;  // format "lookup": "TABLE:KEY:TEXT[:ORDER]", the text shown for the key
};

// How a grid row is painted; an unchanged style leaves the row as the grid draws it.
struct TRowStyle {
    bool changes = false;
    QColor background;
    QColor text;
    bool italic = false;
    bool bold = false;
};

// The colouring hook of the grids: given the screen's data-source identifier and a one-record
// read-only data set holding one grid row (its current record), the style of that row. The
// engine knows nothing of the rules; the program installs the provider at start-up.
using TRowStyleProvider = std::function<TRowStyle(int dataSourceId, TDataSet& row)>;
void SetRowStyleProvider(TRowStyleProvider provider);

class TDataSetModel : public QAbstractTableModel, public IDataEventSink {
  public:
    TDataSetModel(TDataSet& dataSet, QList<TGridColumn> columns, QObject* parent = nullptr);
    ~TDataSetModel() override;

    TDataSet& DataSet() const { return data_set_; }
    const QList<TGridColumn>& Columns() const { return columns_; }
    // New titles for the columns, in their order (the language changed).
    void SetColumnTitles(const QStringList& titles);
    // Rows are painted with the colours of this data-source identifier (0: none).
    void SetDataSourceId(int id) { data_source_id_ = id; }
    // More rows than the data set holds: fetch() brings more when the grid reaches the end.
    void SetFetcher(std::function<bool()> canFetch, std::function<void()> fetch);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Text of a value as the grid shows it.
    static QString DisplayText(const QVariant& value, const QString& format);
    // Text of a cell, lookups resolved.
    QString CellText(int row, int column) const;

    void DataEvent(TDataEvent event, TDataSet& dataSet) override;
    void DataChange(TDataSet& dataSet, TField* field) override;
    // The data set was read again with more rows, the first ones unchanged: they are added
    // below the rows shown, keeping the grid's position.
    void RowsAppended();

  private:
    void RowsChanged();
    QString LookupText(int column, const QVariant& key) const;
    const TRowStyle& Style(int row) const;

    TDataSet& data_set_;
    QList<TGridColumn> columns_;
    QVector<int> field_index_;
    int known_rows_ = 0;
    int data_source_id_ = 0;
    std::function<bool()> can_fetch_;
    std::function<void()> fetch_;
    // Lookup texts and row styles are read when first painted and kept until the data change.
    mutable QVector<QHash<QString, QString>> lookup_cache_;
    mutable QHash<int, TRowStyle> style_cache_;
};

}  // namespace zmk
