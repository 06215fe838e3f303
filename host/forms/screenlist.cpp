// How a data screen's list reads and shows its rows: the order (numbers as numbers), the
// user's filter, column widths, the totals line, the split with the record form, and a new
// record's place in the order.
#include <QApplication>
#include <QHeaderView>
#include <QPointer>
#include <QRegularExpression>
#include <QSqlQuery>

#include "host/app.h"
#include "host/currency.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/formhooks.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/screen.h"
#include "host/parametres.h"
#include "host/sqlliteral.h"

namespace zmk {

namespace {

const QRegularExpression kOrderBy(QStringLiteral("\\s+ORDER\\s+BY\\s+[^()]*$"),
                                  QRegularExpression::CaseInsensitiveOption);
// Wider columns than this are cut; the full text shows as the cell's tooltip.
constexpr int kMaxColumnWidth = 340;

// Whether the query's own text (outside parentheses) has a WHERE.
bool HasTopLevelWhere(const QString& sql) {
    int depth = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == u'\'') quoted = !quoted;
        if (quoted) continue;
        if (c == u'(') ++depth;
        if (c == u')') --depth;
        if (depth == 0 && sql.mid(i, 5).compare(QLatin1String("WHERE"), Qt::CaseInsensitive) == 0 &&
            (i == 0 || !sql[i - 1].isLetterOrNumber()) &&
            (i + 5 >= sql.size() || !sql[i + 5].isLetterOrNumber()))
            return true;
    }
    return false;
}

QString SplitParameter(const QString& screen) {
    return QStringLiteral("PRMPantalla_%1_Division").arg(screen);
}

}  // namespace

QString TZMKScreen::QueryBody() const {
    QString sql = def_.sql;
    sql.replace(QStringLiteral(":PRMIDCentroActual"), SqlLiteral(CurrentCentre()));
    sql.replace(QStringLiteral(":MASTER"), SqlLiteral(master_value_));
    sql.remove(kOrderBy);
    const QString condition = FilterCondition();
    if (!condition.isEmpty())
        sql += (HasTopLevelWhere(sql) ? QStringLiteral(" AND (") : QStringLiteral(" WHERE (")) +
               condition + u')';
    return sql;
}

QString TZMKScreen::LookupExpression(int column) const {
    const TGridColumn& c = def_.columns[column];
    const QStringList parts = c.lookup.split(u':');
    if (c.format != QLatin1String("lookup") || parts.size() < 3) return QString();
    // A look-up on the row itself is an expression over its columns; another table's, a
    // subquery (one table: a join would make the list read-only).
    if (parts[0].compare(def_.table, Qt::CaseInsensitive) == 0 && parts[1] == c.field)
        return u'(' + parts[2] + u')';
    if (parts[0].contains(u' ')) return QString();
    return QStringLiteral("(SELECT %1 FROM %2 WHERE %3 = %4)")
        .arg(parts[2], parts[0], parts[1], c.field);
}

QString TZMKScreen::OrderTerms(int column, Qt::SortOrder order) const {
    const QString field = def_.columns[column].field;
    const QString dir = order == Qt::DescendingOrder ? QStringLiteral(" DESC") : QString();
    if (def_.columns[column].format == QLatin1String("lookup")) {
        const QString text = LookupExpression(column);
        return (text.isEmpty() ? field : text) + dir;
    }
    TField* f = DataSet() ? DataSet()->FindField(field) : nullptr;
    if (!f || f->DataType() != TFieldType::String) return field + dir;
    // Codes and numbers kept as text: "2" before "10", the others after them in text order.
    return QStringLiteral(
               "CASE WHEN TRIM(%1) <> '' AND TRIM(%1) NOT GLOB '*[^0-9]*' THEN 0 "
               "ELSE 1 END, CAST(%1 AS INTEGER)%2, %1%2")
        .arg(field, dir);
}

QString TZMKScreen::FilterCondition() const {
    if (filter_text_.isEmpty() || filter_column_ < 0 || filter_column_ >= def_.columns.size())
        return QString();
    const TGridColumn& c = def_.columns[filter_column_];
    const QString pattern = SqlLiteral(u'%' + filter_text_ + u'%');
    const QString text = LookupExpression(filter_column_);
    if (!text.isEmpty()) return text + QStringLiteral(" LIKE ") + pattern;
    return QStringLiteral("CAST(%1 AS TEXT) LIKE %2").arg(c.field, pattern);
}

void TZMKScreen::ApplyFilter() {
    TDataSet* ds = DataSet();
    if (!ds) return;
    const QString text = filter_->text().trimmed();
    if (text == filter_text_) return;
    if (ds->State() != TDataSetState::Browse || !DetailsCanLeave()) {
        filter_->setText(filter_text_);
        return;
    }
    int column = grid_->horizontalHeader()->sortIndicatorSection();
    if (column < 0 || column >= def_.columns.size()) column = QueryOrderColumn();
    filter_text_ = text;
    filter_column_ = column;
    filter_->setToolTip(
        text.isEmpty() ? QString()
                       : QStringLiteral("Filtrado por «%1»").arg(def_.columns.value(column).title));
    if (limit_ > 0) limit_ = kPageRows;
    Run([this] { Reopen(false); });
    SyncGridSelection();
    UpdateTotals();
}

void TZMKScreen::SizeColumns() {
    QHeaderView* header = grid_->horizontalHeader();
    for (int i = 0; i < def_.columns.size(); ++i) {
        grid_->resizeColumnToContents(i);
        const int content = std::min(grid_->columnWidth(i), kMaxColumnWidth);
        grid_->setColumnWidth(i, std::max({content, header->sectionSizeHint(i),
                                           std::min(def_.columns[i].width, kMaxColumnWidth)}));
    }
}

void TZMKScreen::UpdateTotals() {
    if (!totals_) return;
    QStringList sums;
    QList<int> money;
    for (int i = 0; i < def_.columns.size(); ++i)
        if (def_.columns[i].format == QLatin1String("money")) money << i;
    if (money.isEmpty() || !DataSet() || !DataSet()->Active()) {
        totals_->hide();
        return;
    }
    for (int i : money) sums << QStringLiteral("SUM(%1)").arg(def_.columns[i].field);
    try {
        QSqlQuery q = DefaultDB().Query(QStringLiteral("SELECT COUNT(*), %1 FROM (%2)")
                                            .arg(sums.join(QStringLiteral(", ")), QueryBody()));
        if (!q.next()) return;
        QStringList parts{QStringLiteral("%1 registros").arg(q.value(0).toInt())};
        for (int k = 0; k < money.size(); ++k) {
            const Currency total = VarToCurrency(q.value(k + 1)).value_or(Currency());
            parts << def_.columns[money[k]].title + QStringLiteral(": ") +
                         TDataSetModel::DisplayText(QVariant::fromValue(total),
                                                    QStringLiteral("money"));
        }
        totals_->setText(parts.join(QStringLiteral("   ·   ")));
        totals_->show();
    } catch (const EZMKError&) {
        // A list whose sums cannot be read shows none.
        totals_->hide();
    }
}

void TZMKScreen::RestoreSplit() {
    const QString name = SplitParameter(def_.id);
    if (Parametres().ParamExists(name))
        list_splitter_->restoreState(
            QByteArray::fromBase64(Parametres().AsString(name).toLatin1()));
    connect(list_splitter_, &QSplitter::splitterMoved, this, [this, name] {
        Parametres().SetParametreValue(name,
                                       QString::fromLatin1(list_splitter_->saveState().toBase64()));
        Parametres().SetWritables(name, true);
    });
}

void TZMKScreen::Search() {
    TDataSet* ds = DataSet();
    QString text = search_->text().trimmed();
    if (!ds || text.isEmpty() || def_.columns.isEmpty()) return;
    // Incremental search on the column the list is sorted by: the user's choice, else the
    // first one of the query's own order, else the first column.
    int column = grid_->horizontalHeader()->sortIndicatorSection();
    if (column < 0 || column >= def_.columns.size()) column = QueryOrderColumn();
    for (bool all_read = !HasMoreRows();; all_read = true) {
        for (int row = 0; row < ds->RecordCount(); ++row) {
            if (model_->CellText(row, column).startsWith(text, Qt::CaseInsensitive)) {
                Navigate([ds, row] { ds->SetRecNo(row + 1); });
                return;
            }
        }
        if (all_read || !Run([this] { FetchAll(); })) return;
    }
}

int TZMKScreen::QueryOrderColumn() const {
    const QRegularExpressionMatch order = kOrderBy.match(def_.sql);
    if (!order.hasMatch()) return 0;
    static const QRegularExpression firstField(QStringLiteral("ORDER\\s+BY\\s+([A-Za-z0-9_.]+)"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString field = firstField.match(order.captured(0)).captured(1);
    field = field.mid(field.lastIndexOf(QLatin1Char('.')) + 1);
    for (int i = 0; i < def_.columns.size(); ++i)
        if (def_.columns[i].field.compare(field, Qt::CaseInsensitive) == 0) return i;
    return 0;
}

void TZMKScreen::PlaceInOrder() {
    TDataSet* ds = DataSet();
    TField* field = ds ? ds->FindField(ds->KeyField()) : nullptr;
    if (!field || field->IsNull()) return;
    const QVariant key = field->Value();
    // Reading the list again disables the fields for a moment: the focus stays where it was.
    QPointer<QWidget> focus = QApplication::focusWidget();
    Reopen(false);
    if (!ds->Locate(ds->KeyField(), key)) {
        FetchAll();
        ds->Locate(ds->KeyField(), key);
    }
    SyncGridSelection();
    UpdateTotals();
    if (focus && focus->isEnabled() && isAncestorOf(focus)) focus->setFocus(Qt::OtherFocusReason);
}

}  // namespace zmk
