#include "host/dataset.h"

#include <QRegularExpression>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include "host/database.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/transactionguard.h"

namespace zmk {

QString DataEventName(TDataEvent event) {
    switch (event) {
        case TDataEvent::BeforeOpen:
            return QStringLiteral("BEFOREOPEN");
        case TDataEvent::AfterOpen:
            return QStringLiteral("AFTEROPEN");
        case TDataEvent::BeforeEdit:
            return QStringLiteral("BEFOREEDIT");
        case TDataEvent::AfterEdit:
            return QStringLiteral("AFTEREDIT");
        case TDataEvent::BeforePost:
            return QStringLiteral("BEFOREPOST");
        case TDataEvent::AfterPost:
            return QStringLiteral("AFTERPOST");
        case TDataEvent::BeforeDelete:
            return QStringLiteral("BEFOREDELETE");
        case TDataEvent::AfterDelete:
            return QStringLiteral("AFTERDELETE");
        case TDataEvent::BeforeInsert:
            return QStringLiteral("BEFOREINSERT");
        case TDataEvent::AfterInsert:
            return QStringLiteral("AFTERINSERT");
        case TDataEvent::StateChange:
            return QStringLiteral("STATECHANGE");
    }
    return QString();
}

bool FieldValuesEqual(const QVariant& a, const QVariant& b) {
    if (IsNullVariant(a) || IsNullVariant(b)) return IsNullVariant(a) && IsNullVariant(b);
    if (a.metaType() == QMetaType::fromType<Currency>() ||
        b.metaType() == QMetaType::fromType<Currency>()) {
        auto ca = VarToCurrency(a), cb = VarToCurrency(b);
        return ca && cb && *ca == *cb;
    }
    return a == b;
}

namespace {

QString TableFromSql(const QString& sql) {
    static const QRegularExpression from(
        QStringLiteral(R"(^\s*SELECT\s.*?\bFROM\s+([A-Za-z_][A-Za-z0-9_]*)\s*(.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    auto m = from.match(sql);
    if (!m.hasMatch()) return QString();
    QString rest = m.captured(2);
    static const QRegularExpression joins(QStringLiteral(R"(^,|\bJOIN\b|\bUNION\b)"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (joins.match(rest).hasMatch()) return QString();
    return m.captured(1);
}

}  // namespace

TDataSet::TDataSet(TDataBaseZMK& db, QString sql, bool readOnly, QString updateTable)
    : db_(db), sql_(std::move(sql)), read_only_(readOnly), update_table_(std::move(updateTable)) {}

TDataSet::~TDataSet() = default;

void TDataSet::SetSQL(const QString& sql) {
    if (Active()) Close();
    sql_ = sql;
}

void TDataSet::SetEventSink(IDataEventSink* sink, int dataSourceId) {
    sink_ = sink;
    data_source_id_ = dataSourceId;
}

void TDataSet::AddObserver(IDataEventSink* observer) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void TDataSet::RemoveObserver(IDataEventSink* observer) {
    std::erase(observers_, observer);
}

void TDataSet::Fire(TDataEvent event) {
    if (sink_) sink_->DataEvent(event, *this);
    for (IDataEventSink* observer : std::vector<IDataEventSink*>(observers_))
        observer->DataEvent(event, *this);
}

void TDataSet::FireChange(TField* field) {
    if (sink_) sink_->DataChange(*this, field);
    for (IDataEventSink* observer : std::vector<IDataEventSink*>(observers_))
        observer->DataChange(*this, field);
}

void TDataSet::SetState(TDataSetState state) {
    if (state_ == state) return;
    state_ = state;
    Fire(TDataEvent::StateChange);
}

void TDataSet::RequireActive() const {
    if (!Active())
        throw EDatabaseError(
            QStringLiteral("No se puede realizar esta operación con el conjunto de datos cerrado"));
}

void TDataSet::RequireWritable() const {
    RequireActive();
    if (read_only_ || update_table_.isEmpty() || key_field_.isEmpty())
        throw EDatabaseError(
            QStringLiteral("No se puede modificar un conjunto de datos de solo lectura"));
}

void TDataSet::Open() {
    if (Active()) return;
    Fire(TDataEvent::BeforeOpen);
    Load();
    current_ = rows_.empty() ? -1 : 0;
    ResetNavigationFlags();
    bof_ = true;
    SetState(TDataSetState::Browse);
    Fire(TDataEvent::AfterOpen);
    FireChange(nullptr);
}

void TDataSet::Close() {
    if (!Active()) return;
    rows_.clear();
    fields_.clear();
    buffer_.clear();
    current_ = -1;
    modified_ = false;
    state_ = TDataSetState::Inactive;
    Fire(TDataEvent::StateChange);
}

void TDataSet::Load() {
    if (!read_only_) {
        if (update_table_.isEmpty()) update_table_ = TableFromSql(sql_);
        if (!update_table_.isEmpty()) {
            key_field_ = db_.PrimaryKey(update_table_);
            table_columns_ = db_.Columns(update_table_);
        }
    }
    QSqlQuery q = db_.Query(sql_);
    QSqlRecord rec = q.record();
    QStringList names;
    QVector<TFieldType> types;
    for (int i = 0; i < rec.count(); ++i) {
        QString name = rec.fieldName(i);
        TFieldType type = ResolveFieldType(name);
        if (type == TFieldType::Unknown) {
            switch (rec.field(i).metaType().id()) {
                case QMetaType::LongLong:
                case QMetaType::Int:
                    type = TFieldType::Unknown;  // aliases and aggregates keep their raw value
                    break;
                default:
                    break;
            }
        }
        names << name;
        types << type;
    }
    if (fields_.empty() || int(fields_.size()) != names.size()) BuildFields(names, types);
    rows_.clear();
    const int n = names.size();
    while (q.next()) {
        Row row(n);
        for (int i = 0; i < n; ++i) row[i] = FromStorage(types[i], q.value(i));
        rows_.push_back(std::move(row));
    }
}

void TDataSet::BuildFields(const QStringList& names, const QVector<TFieldType>& types) {
    fields_.clear();
    for (int i = 0; i < names.size(); ++i) {
        bool in_table = false;
        for (const QString& c : table_columns_)
            if (c.compare(names[i], Qt::CaseInsensitive) == 0) in_table = true;
        bool read_only = read_only_ || !in_table || types[i] == TFieldType::AutoInc;
        fields_.push_back(std::make_unique<TField>(this, i, names[i], types[i], read_only));
    }
}

void TDataSet::Refresh() {
    RequireActive();
    CheckBrowseMode();
    QVariant key;
    TField* key_field = key_field_.isEmpty() ? nullptr : FindField(key_field_);
    if (key_field && current_ >= 0) key = key_field->Value();
    int old_index = current_;
    Load();
    current_ = -1;
    if (key_field && !IsNullVariant(key)) {
        for (int i = 0; i < RecordCount(); ++i)
            if (FieldValuesEqual(rows_[size_t(i)][key_field->Index()], key)) current_ = i;
    }
    if (current_ < 0 && !rows_.empty()) current_ = std::clamp(old_index, 0, RecordCount() - 1);
    ResetNavigationFlags();
    FireChange(nullptr);
}

int TDataSet::RecNo() const {
    if (state_ == TDataSetState::Insert || current_ < 0) return 0;
    return current_ + 1;
}

void TDataSet::ResetNavigationFlags() {
    eof_ = rows_.empty();
    bof_ = rows_.empty();
}

void TDataSet::CheckBrowseMode() {
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) Post();
    if (state_ == TDataSetState::SetKey) SetState(TDataSetState::Browse);
}

void TDataSet::First() {
    RequireActive();
    CheckBrowseMode();
    int old = current_;
    current_ = rows_.empty() ? -1 : 0;
    ResetNavigationFlags();
    bof_ = true;
    if (old != current_) FireChange(nullptr);
}

void TDataSet::Last() {
    RequireActive();
    CheckBrowseMode();
    int old = current_;
    current_ = RecordCount() - 1;
    ResetNavigationFlags();
    eof_ = true;
    if (old != current_) FireChange(nullptr);
}

void TDataSet::Next() {
    RequireActive();
    CheckBrowseMode();
    bof_ = false;
    if (current_ + 1 < RecordCount()) {
        ++current_;
        eof_ = false;
        FireChange(nullptr);
    } else {
        eof_ = true;
    }
}

void TDataSet::Prior() {
    RequireActive();
    CheckBrowseMode();
    eof_ = false;
    if (current_ > 0) {
        --current_;
        bof_ = false;
        FireChange(nullptr);
    } else {
        bof_ = true;
    }
}

void TDataSet::SetRecNo(int recNo) {
    RequireActive();
    CheckBrowseMode();
    if (recNo < 1 || recNo > RecordCount()) return;
    int old = current_;
    current_ = recNo - 1;
    eof_ = bof_ = false;
    if (old != current_) FireChange(nullptr);
}

bool TDataSet::Locate(const QString& fieldName, const QVariant& value) {
    RequireActive();
    CheckBrowseMode();
    TField& field = FieldByName(fieldName);
    QVariant wanted = field.Coerce(value);
    for (int i = 0; i < RecordCount(); ++i) {
        if (FieldValuesEqual(rows_[size_t(i)][field.Index()], wanted)) {
            int old = current_;
            current_ = i;
            eof_ = bof_ = false;
            if (old != current_) FireChange(nullptr);
            return true;
        }
    }
    return false;
}

TField* TDataSet::FindField(const QString& name) {
    for (auto& f : fields_)
        if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0) return f.get();
    return nullptr;
}

TField& TDataSet::FieldByName(const QString& name) {
    if (TField* f = FindField(name)) return *f;
    throw EDatabaseError(QStringLiteral("Campo '%1' no encontrado").arg(name));
}

QStringList TDataSet::FieldNames() const {
    QStringList names;
    for (const auto& f : fields_) names << f->FieldName();
    return names;
}

QVariant TDataSet::ValueAt(int row, int fieldIndex) const {
    if (row < 0 || row >= RecordCount() || fieldIndex < 0 || fieldIndex >= FieldCount())
        return QVariant();
    if (row == current_ && (state_ == TDataSetState::Edit)) return buffer_.value(fieldIndex);
    return rows_[size_t(row)][fieldIndex];
}

QVariant TDataSet::Current(int index) const {
    switch (state_) {
        case TDataSetState::Edit:
        case TDataSetState::Insert:
            return buffer_.value(index);
        case TDataSetState::SetKey:
            return key_buffer_.value(index);
        case TDataSetState::Browse:
            if (current_ >= 0 && current_ < RecordCount()) return rows_[size_t(current_)][index];
            return QVariant();
        case TDataSetState::Inactive:
            break;
    }
    return QVariant();
}

void TDataSet::Assign(TField& field, const QVariant& value) {
    if (state_ == TDataSetState::SetKey) {
        key_buffer_[field.Index()] = field.Coerce(value);
        return;
    }
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert)
        throw EDatabaseError(
            QStringLiteral("El conjunto de datos no está en modo de edición o inserción"));
    if (field.ReadOnly())
        throw EDatabaseError(
            QStringLiteral("El campo '%1' no se puede modificar").arg(field.FieldName()));
    buffer_[field.Index()] = field.Coerce(value);
    modified_ = true;
    // What the rules work out from a typed value is not typed itself.
    if (rule_depth_ == 0 && field.Index() < typed_.size()) typed_[field.Index()] = true;
    ++rule_depth_;
    try {
        FireChange(&field);
    } catch (...) {
        --rule_depth_;
        throw;
    }
    --rule_depth_;
}

// A new record starts with its columns' default values (a new course is active), as a form
// over a table shows them; they are not a change the user made.
TDataSet::Row TDataSet::NewRecordBuffer() {
    Row row(FieldCount());
    for (int i = 0; i < FieldCount(); ++i) {
        const QVariant value = ResolveFieldDefault(Fields(i).FieldName());
        if (value.isValid()) row[size_t(i)] = Fields(i).Coerce(value);
    }
    return row;
}

void TDataSet::Append() {
    RequireWritable();
    CheckBrowseMode();
    Fire(TDataEvent::BeforeInsert);
    buffer_ = NewRecordBuffer();
    typed_ = QVector<bool>(FieldCount(), false);
    insert_at_ = RecordCount();
    modified_ = false;
    SetState(TDataSetState::Insert);
    FireChange(nullptr);
    Fire(TDataEvent::AfterInsert);
}

void TDataSet::Insert() {
    RequireWritable();
    CheckBrowseMode();
    Fire(TDataEvent::BeforeInsert);
    buffer_ = NewRecordBuffer();
    typed_ = QVector<bool>(FieldCount(), false);
    insert_at_ = current_ < 0 ? 0 : current_;
    modified_ = false;
    SetState(TDataSetState::Insert);
    FireChange(nullptr);
    Fire(TDataEvent::AfterInsert);
}

void TDataSet::Edit() {
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) return;
    RequireWritable();
    if (rows_.empty()) {
        Append();
        return;
    }
    CheckBrowseMode();
    Fire(TDataEvent::BeforeEdit);
    buffer_ = rows_[size_t(current_)];
    typed_ = QVector<bool>(FieldCount(), false);
    modified_ = false;
    SetState(TDataSetState::Edit);
    Fire(TDataEvent::AfterEdit);
}

void TDataSet::SetKey() {
    RequireActive();
    CheckBrowseMode();
    key_buffer_ = Row(FieldCount());
    SetState(TDataSetState::SetKey);
}

bool TDataSet::GotoKey() {
    if (state_ != TDataSetState::SetKey) return false;
    Row wanted = key_buffer_;
    SetState(TDataSetState::Browse);
    for (int i = 0; i < RecordCount(); ++i) {
        bool match = true;
        for (int c = 0; c < wanted.size() && match; ++c)
            if (!IsNullVariant(wanted[c]) && !FieldValuesEqual(rows_[size_t(i)][c], wanted[c]))
                match = false;
        if (match) {
            int old = current_;
            current_ = i;
            eof_ = bof_ = false;
            if (old != current_) FireChange(nullptr);
            return true;
        }
    }
    return false;
}

}  // namespace zmk
