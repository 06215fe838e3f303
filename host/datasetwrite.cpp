// TDataSet's writes: posting a new or changed record (only the changed columns, checked
// against the row as stored now), re-reading it, and deleting it, each in one transaction.
#include <QSqlQuery>
#include <QSqlRecord>

#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/transactionguard.h"

namespace zmk {

// Runs a post or a delete with its hooks in one transaction (joining one already open), so
// that the row and what the rules change with it are written together or not at all.
template <class F>
void TDataSet::InOneTransaction(F&& work) {
    TTransactionGuard transaction(db_);
    work();
    transaction.Commit();
}

void TDataSet::Post() {
    if (state_ == TDataSetState::SetKey) {
        SetState(TDataSetState::Browse);
        return;
    }
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert) return;
    const TDataSetState editing = state_;
    const int old_current = current_;
    Row old_row = editing == TDataSetState::Edit ? rows_[size_t(current_)] : Row();
    bool written = false;
    try {
        InOneTransaction([&] {
            Fire(TDataEvent::BeforePost);
            if (editing == TDataSetState::Insert)
                WriteInsert();
            else
                WriteUpdate();
            written = true;
            modified_ = false;
            SetState(TDataSetState::Browse);
            Fire(TDataEvent::AfterPost);
        });
    } catch (const ERecordChanged&) {
        Reread();
        throw;
    } catch (...) {
        // The database kept nothing: the rows and the open edit come back as they were.
        if (written) {
            if (editing == TDataSetState::Insert) {
                rows_.erase(rows_.begin() + current_);
                current_ = old_current;
            } else {
                rows_[size_t(current_)] = old_row;
            }
            modified_ = true;
            SetState(editing);
        }
        throw;
    }
}

void TDataSet::WriteInsert() {
    QStringList columns;
    QStringList marks;
    QVariantList values;
    for (auto& f : fields_) {
        if (f->ReadOnly() && f->DataType() != TFieldType::AutoInc) continue;
        if (!table_columns_.contains(f->FieldName(), Qt::CaseInsensitive)) continue;
        const QVariant& v = buffer_[f->Index()];
        if (IsNullVariant(v)) continue;
        columns << f->FieldName();
        marks << QStringLiteral("?");
        values << ToStorage(v);
    }
    QString sql = columns.isEmpty()
                      ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(update_table_)
                      : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(update_table_, columns.join(QStringLiteral(", ")),
                                 marks.join(QStringLiteral(", ")));
    QSqlQuery q = db_.Prepared(sql, values);
    TField& key = FieldByName(key_field_);
    QVariant key_value = buffer_[key.Index()];
    if (IsNullVariant(key_value)) key_value = q.lastInsertId();
    Row row = ReadRowByKey(key_value);
    int at = std::clamp(insert_at_, 0, RecordCount());
    rows_.insert(rows_.begin() + at, row);
    current_ = at;
    eof_ = bof_ = false;
}

void TDataSet::WriteUpdate() {
    const Row& old = rows_[size_t(current_)];
    TField& key = FieldByName(key_field_);
    // The post's transaction holds the write lock: the row cannot change between this read and
    // the write (a backend without one would read it FOR UPDATE).
    std::optional<Row> saved = StoredRow(old[key.Index()], old);
    if (!saved)
        throw EDatabaseError(QStringLiteral(
            "No se encuentra el registro para actualizar: otro usuario lo ha borrado"));
    if (!SameColumns(*saved, old)) MergeSaved(*saved, old);
    QStringList sets;
    QVariantList values;
    for (auto& f : fields_) {
        if (f->ReadOnly()) continue;
        if (FieldValuesEqual((*saved)[f->Index()], buffer_[f->Index()])) continue;
        sets << f->FieldName() + QStringLiteral(" = ?");
        values << ToStorage(buffer_[f->Index()]);
    }
    if (!sets.isEmpty()) {
        values << ToStorage(old[key.Index()]);
        QSqlQuery q =
            db_.Prepared(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                             .arg(update_table_, sets.join(QStringLiteral(", ")), key_field_),
                         values);
        if (q.numRowsAffected() == 0)
            throw EDatabaseError(QStringLiteral(
                "No se encuentra el registro para actualizar: otro usuario lo ha borrado"));
    }
    rows_[size_t(current_)] = ReadRowByKey(buffer_[key.Index()]);
}

bool TDataSet::SameColumns(const Row& a, const Row& b) const {
    for (const auto& f : fields_)
        if (IsColumn(*f) && !FieldValuesEqual(a[f->Index()], b[f->Index()])) return false;
    return true;
}

bool TDataSet::IsColumn(const TField& field) const {
    return table_columns_.contains(field.FieldName(), Qt::CaseInsensitive);
}

// Another workstation saved the record after it was read here. Each column typed here must
// still hold what was read, or this post would overwrite that change unseen: the post is
// refused and the record read again. Otherwise the edit goes on over the row as saved, and
// what the rules work out from the typed columns (the full name, a line's amounts) is worked
// out again from it.
void TDataSet::MergeSaved(const Row& saved, const Row& old) {
    QVector<int> changed;
    for (const auto& f : fields_) {
        const int i = f->Index();
        if (!typed_.value(i) || !IsColumn(*f) || FieldValuesEqual(old[i], buffer_[i])) continue;
        if (!FieldValuesEqual(saved[i], old[i])) {
            reread_ = saved;
            throw ERecordChanged();
        }
        changed << i;
    }
    Row merged = saved;
    for (const auto& f : fields_)
        if (!IsColumn(*f)) merged[f->Index()] = buffer_[f->Index()];
    for (int i : changed) merged[i] = buffer_[i];
    buffer_ = merged;
    ++rule_depth_;
    try {
        for (int i : changed) FireChange(fields_[size_t(i)].get());
    } catch (...) {
        --rule_depth_;
        throw;
    }
    --rule_depth_;
}

void TDataSet::Reread() {
    if (!reread_.isEmpty()) rows_[size_t(current_)] = reread_;
    reread_.clear();
    buffer_.clear();
    modified_ = false;
    SetState(TDataSetState::Browse);
    FireChange(nullptr);
}

// The stored row as the database now holds it over base (fields that are not columns of the
// table, joined or calculated, keep base's values); nullopt when the row is gone.
std::optional<TDataSet::Row> TDataSet::StoredRow(const QVariant& key, Row base) {
    QSqlQuery q =
        db_.Prepared(QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(update_table_, key_field_),
                     {ToStorage(key)});
    if (!q.next()) return std::nullopt;
    QSqlRecord rec = q.record();
    for (auto& f : fields_) {
        int i = rec.indexOf(f->FieldName());
        if (i >= 0) base[f->Index()] = FromStorage(f->DataType(), q.value(i));
    }
    return base;
}

TDataSet::Row TDataSet::ReadRowByKey(const QVariant& key) {
    return StoredRow(key, buffer_).value_or(buffer_);
}

void TDataSet::Cancel() {
    if (state_ == TDataSetState::SetKey) {
        SetState(TDataSetState::Browse);
        return;
    }
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert) return;
    buffer_.clear();
    modified_ = false;
    SetState(TDataSetState::Browse);
    FireChange(nullptr);
}

void TDataSet::Delete() {
    RequireActive();
    if (state_ == TDataSetState::Insert || state_ == TDataSetState::SetKey) {
        Cancel();
        return;
    }
    RequireWritable();
    if (rows_.empty())
        throw EDatabaseError(
            QStringLiteral("No se puede realizar esta operación en un conjunto de datos vacío"));
    CheckBrowseMode();
    const int at = current_;
    Row removed;
    try {
        InOneTransaction([&] {
            Fire(TDataEvent::BeforeDelete);
            TField& key = FieldByName(key_field_);
            db_.Prepared(
                QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(update_table_, key_field_),
                {ToStorage(rows_[size_t(at)][key.Index()])});
            removed = rows_[size_t(at)];
            rows_.erase(rows_.begin() + at);
            if (current_ >= RecordCount()) current_ = RecordCount() - 1;
            ResetNavigationFlags();
            Fire(TDataEvent::AfterDelete);
        });
    } catch (...) {
        if (!removed.isEmpty()) {
            rows_.insert(rows_.begin() + at, removed);
            current_ = at;
            ResetNavigationFlags();
        }
        throw;
    }
    FireChange(nullptr);
}

}  // namespace zmk
