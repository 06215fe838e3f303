#include "host/forms/datasetmodel.h"

#include <QFont>
#include <QLocale>
#include <QSqlQuery>

#include "host/app.h"
#include "host/currency.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/reports.h"
#include "host/sqlliteral.h"

namespace zmk {

namespace {

TRowStyleProvider& Provider() {
    static TRowStyleProvider provider;
    return provider;
}

// One grid row as a record of its own, so the colouring reads it as the current record
// without moving the screen's data set.
std::unique_ptr<TDataSet> RowSnapshot(TDataSet& ds, int row) {
    QStringList values;
    for (int i = 0; i < ds.FieldCount(); ++i)
        values << SqlLiteral(ds.ValueAt(row, i)) + QStringLiteral(" AS ") +
                      ds.Fields(i).FieldName();
    auto snapshot =
        ds.DataBase().GetTSQLDataSet(QStringLiteral("SELECT ") + values.join(QStringLiteral(", ")));
    snapshot->Open();
    return snapshot;
}

}  // namespace

void SetRowStyleProvider(TRowStyleProvider provider) {
    Provider() = std::move(provider);
}

TDataSetModel::TDataSetModel(TDataSet& dataSet, QList<TGridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), data_set_(dataSet), columns_(std::move(columns)) {
    if (columns_.isEmpty())
        for (const QString& name : data_set_.FieldNames())
            columns_ << TGridColumn{name, name, {}, 0, {}};
    for (const TGridColumn& c : columns_) {
        TField* f = data_set_.FindField(c.field);
        field_index_ << (f ? f->Index() : -1);
    }
    lookup_cache_.resize(columns_.size());
    known_rows_ = data_set_.RecordCount();
    data_set_.AddObserver(this);
}

TDataSetModel::~TDataSetModel() {
    data_set_.RemoveObserver(this);
}

void TDataSetModel::SetFetcher(std::function<bool()> canFetch, std::function<void()> fetch) {
    can_fetch_ = std::move(canFetch);
    fetch_ = std::move(fetch);
}

int TDataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : known_rows_;
}

int TDataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

bool TDataSetModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && can_fetch_ && can_fetch_();
}

void TDataSetModel::fetchMore(const QModelIndex& parent) {
    if (!parent.isValid() && fetch_) fetch_();
}

QString TDataSetModel::DisplayText(const QVariant& value, const QString& format) {
    if (!value.isValid() || value.isNull()) return QString();
    QLocale spanish(QLocale::Spanish, QLocale::Spain);
    if (value.metaType() == QMetaType::fromType<Currency>()) {
        Currency c = value.value<Currency>();
        // An amount being typed: decimal comma, at least two decimals, no thousands points (so
        // that what is shown reads back as it is).
        if (format == QLatin1String("amount")) {
            QString text = c.ToString(4);
            while (text.endsWith(QLatin1Char('0')) &&
                   text.indexOf(QLatin1Char('.')) < text.size() - 3)
                text.chop(1);
            return text.replace(QLatin1Char('.'), QLatin1Char(','));
        }
        // Lists show amounts with the company's currency mask.
        if (format == QLatin1String("money"))
            return FormatReportMoney(value, Parametres().AsString(QStringLiteral("DIVISA_MASK"),
                                                                  QStringLiteral("#,##0.00")));
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

QString TDataSetModel::LookupText(int column, const QVariant& key) const {
    if (!key.isValid() || key.isNull()) return QString();
    QHash<QString, QString>& cache = lookup_cache_[column];
    const QString k = key.toString();
    auto it = cache.constFind(k);
    if (it != cache.constEnd()) return *it;
    QStringList parts = columns_[column].lookup.split(QLatin1Char(':'));
    QString text = k;
    if (parts.size() >= 3) {
        try {
            QSqlQuery q =
                data_set_.DataBase().Query(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4")
                                               .arg(parts[2], parts[0], parts[1], SqlLiteral(key)));
            if (q.next()) text = q.value(0).toString();
        } catch (const EZMKError&) {
            // A wrong lookup shows the key itself.
        }
    }
    cache.insert(k, text);
    return text;
}

QString TDataSetModel::CellText(int row, int column) const {
    int field = field_index_[column];
    if (field < 0) return QString();
    QVariant value = data_set_.ValueAt(row, field);
    const TGridColumn& c = columns_[column];
    if (c.format == QLatin1String("lookup")) return LookupText(column, value);
    return DisplayText(value, c.format);
}

const TRowStyle& TDataSetModel::Style(int row) const {
    auto it = style_cache_.constFind(row);
    if (it != style_cache_.constEnd()) return *it;
    TRowStyle style;
    if (Provider() && data_source_id_ > 0) {
        try {
            auto snapshot = RowSnapshot(data_set_, row);
            style = Provider()(data_source_id_, *snapshot);
        } catch (const EZMKError&) {
            // A row that cannot be read is drawn plainly.
        }
    }
    return *style_cache_.insert(row, style);
}

QVariant TDataSetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columns_.size() || index.row() >= known_rows_)
        return QVariant();
    int field = field_index_[index.column()];
    if (field < 0) return QVariant();
    switch (role) {
        case Qt::DisplayRole: {
            QVariant value = data_set_.ValueAt(index.row(), field);
            if (value.metaType().id() == QMetaType::Bool) return QVariant();
            return CellText(index.row(), index.column());
        }
        case Qt::ToolTipRole: {
            // A cut cell is read whole in its tooltip.
            QVariant value = data_set_.ValueAt(index.row(), field);
            if (value.metaType().id() == QMetaType::Bool) return QVariant();
            const QString text = CellText(index.row(), index.column());
            return text.isEmpty() ? QVariant() : QVariant(text);
        }
        case Qt::CheckStateRole: {
            QVariant value = data_set_.ValueAt(index.row(), field);
            if (value.metaType().id() == QMetaType::Bool)
                return value.toBool() ? Qt::Checked : Qt::Unchecked;
            return QVariant();
        }
        case Qt::TextAlignmentRole: {
            QVariant value = data_set_.ValueAt(index.row(), field);
            if (columns_[index.column()].format != QLatin1String("lookup") &&
                (value.metaType() == QMetaType::fromType<Currency>() ||
                 value.metaType().id() == QMetaType::Int ||
                 value.metaType().id() == QMetaType::LongLong ||
                 value.metaType().id() == QMetaType::Double))
                return int(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant();
        }
        case Qt::EditRole:
            return data_set_.ValueAt(index.row(), field);
        case Qt::BackgroundRole: {
            const TRowStyle& s = Style(index.row());
            return s.changes && s.background.isValid() ? QVariant(s.background) : QVariant();
        }
        case Qt::ForegroundRole: {
            const TRowStyle& s = Style(index.row());
            return s.changes && s.text.isValid() ? QVariant(s.text) : QVariant();
        }
        case Qt::FontRole: {
            const TRowStyle& s = Style(index.row());
            if (!s.changes || (!s.italic && !s.bold)) return QVariant();
            QFont font;
            font.setItalic(s.italic);
            font.setBold(s.bold);
            return font;
        }
        default:
            return QVariant();
    }
}

void TDataSetModel::SetColumnTitles(const QStringList& titles) {
    for (qsizetype i = 0; i < columns_.size() && i < titles.size(); ++i)
        columns_[i].title = titles[i];
    if (!columns_.isEmpty()) emit headerDataChanged(Qt::Horizontal, 0, int(columns_.size()) - 1);
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Horizontal && section < columns_.size()) return columns_[section].title;
    if (orientation == Qt::Vertical) return section + 1;
    return QVariant();
}

void TDataSetModel::RowsAppended() {
    const int rows = data_set_.RecordCount();
    if (rows <= known_rows_) {
        RowsChanged();
        return;
    }
    beginInsertRows(QModelIndex(), known_rows_, rows - 1);
    known_rows_ = rows;
    endInsertRows();
}

void TDataSetModel::RowsChanged() {
    style_cache_.clear();
    const int rows = data_set_.RecordCount();
    if (known_rows_ != rows) {
        beginResetModel();
        known_rows_ = rows;
        for (auto& cache : lookup_cache_) cache.clear();
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
            RowsChanged();
            break;
        default:
            break;
    }
}

void TDataSetModel::DataChange(TDataSet&, TField* field) {
    if (!field) {
        // A refresh may have changed anything.
        RowsChanged();
        return;
    }
    int row = data_set_.RecNo() - 1;
    if (row >= 0 && row < known_rows_) {
        style_cache_.remove(row);
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

}  // namespace zmk
