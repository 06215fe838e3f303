#pragma once
// A grid's view of a data set: rows and columns as the data set holds them, kept in step
// through the data set's observers.
#include <QAbstractTableModel>
#include <QStringList>

#include "host/dataset.h"

namespace zmk {

struct TGridColumn {
    QString field;
    QString title;
    QString format;  // "money", "date", "datetime", "boolean", or empty
    int width = 0;
};

class TDataSetModel : public QAbstractTableModel, public IDataEventSink {
public:
    TDataSetModel(TDataSet& dataSet, QList<TGridColumn> columns, QObject* parent = nullptr);
    ~TDataSetModel() override;

    TDataSet& DataSet() const { return data_set_; }
    const QList<TGridColumn>& Columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Text of a value as the grid shows it.
    static QString DisplayText(const QVariant& value, const QString& format);

    void DataEvent(TDataEvent event, TDataSet& dataSet) override;
    void DataChange(TDataSet& dataSet, TField* field) override;

private:
    // Follows a change of the row count, or repaints every row.
    void Resync();
    TDataSet& data_set_;
    QList<TGridColumn> columns_;
    QVector<int> field_index_;
    int known_rows_ = 0;
};

}  // namespace zmk
