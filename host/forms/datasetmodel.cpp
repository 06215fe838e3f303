#include "host/forms/datasetmodel.h"

#include <QLocale>

#include "core/parametrosapp.h"
#include "host/currency.h"
#include "host/datetime.h"
#include "host/parametres.h"

namespace zmk {

TDataSetModel::TDataSetModel(TDataSet& dataSet, QList<TGridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), data_set_(dataSet), columns_(std::move(columns)) {
    if (columns_.isEmpty())
        for (const QString& name : data_set_.FieldNames()) columns_ << TGridColumn{name, name, QString(), 0};
    for (const TGridColumn& c : columns_) {
        TField* f = data_set_.FindField(c.field);
        field_index_ << (f ? f->Index() : -1);
    }
    known_rows_ = data_set_.RecordCount();
    data_set_.AddObserver(this);
}

TDataSetModel::~TDataSetModel() { data_set_.RemoveObserver(this); }

int TDataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : known_rows_;
}

int TDataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QString TDataSetModel::DisplayText(const QVariant& value, const QString& format) {
    if (!value.isValid() || value.isNull()) return QString();
    QLocale spanish(QLocale::Spanish, QLocale::Spain);
    if (value.metaType() == QMetaType::fromType<Currency>()) {
        Currency c = value.value<Currency>();
        if (format == QLatin1String("money")) {
            // The currency's decimals and symbol are options of the company.
            int decimals = Parametres().AsInteger(QStringLiteral("PRMDecimalesDivisa"), 2);
            QString symbol = Parametres().AsString(QStringLiteral("PRMSimboloDivisa"),
                                                   QStringLiteral("€"));
            return spanish.toString(c.Rounded(decimals).ToDouble(), 'f', decimals) +
                   QLatin1Char(' ') + symbol;
        }
        return spanish.toString(c.ToDouble(), 'g', 15);
    }
    switch (value.metaType().id()) {
        case QMetaType::Bool:
            return value.toBool() ? QStringLiteral("Sí") : QStringLiteral("No");
        case QMetaType::QDateTime: {
            QDateTime d = value.toDateTime();
            if (format == QLatin1String("time")) return d.time().toString(QStringLiteral("HH:mm"));
            if (format == QLatin1String("datetime") || d.time() != QTime(0, 0))
                return d.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
            return d.toString(QStringLiteral("dd/MM/yyyy"));
        }
        case QMetaType::Double:
            return spanish.toString(value.toDouble(), 'g', 15);
        default:
            return value.toString();
    }
}

QVariant TDataSetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columns_.size()) return QVariant();
    int field = field_index_[index.column()];
    if (field < 0) return QVariant();
    QVariant value = data_set_.ValueAt(index.row(), field);
    switch (role) {
        case Qt::DisplayRole:
            if (value.metaType().id() == QMetaType::Bool) return QVariant();
            return DisplayText(value, columns_[index.column()].format);
        case Qt::CheckStateRole:
            if (value.metaType().id() == QMetaType::Bool)
                return value.toBool() ? Qt::Checked : Qt::Unchecked;
            return QVariant();
        case Qt::TextAlignmentRole:
            if (value.metaType() == QMetaType::fromType<Currency>() ||
                value.metaType().id() == QMetaType::Int ||
                value.metaType().id() == QMetaType::Double)
                return int(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant();
        case Qt::EditRole:
            return value;
        default:
            return QVariant();
    }
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Horizontal && section < columns_.size()) return columns_[section].title;
    if (orientation == Qt::Vertical) return section + 1;
    return QVariant();
}

void TDataSetModel::Resync() {
    if (known_rows_ != data_set_.RecordCount()) {
        beginResetModel();
        known_rows_ = data_set_.RecordCount();
        endResetModel();
    } else if (known_rows_ > 0) {
        emit dataChanged(index(0, 0), index(known_rows_ - 1, columnCount() - 1));
    }
}

void TDataSetModel::DataEvent(TDataEvent event, TDataSet&) {
    switch (event) {
        case TDataEvent::AfterOpen:
        case TDataEvent::AfterPost:
        case TDataEvent::AfterDelete:
        case TDataEvent::StateChange:
            Resync();
            break;
        default:
            break;
    }
}

void TDataSetModel::DataChange(TDataSet&, TField* field) {
    if (!field) {
        Resync();  // a refresh may have changed anything
        return;
    }
    int row = data_set_.RecNo() - 1;
    if (row >= 0 && row < known_rows_) emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

}  // namespace zmk
