#pragma once
// A data set over the company database in the manner of a Delphi data set: states, fields by
// name, an edit buffer, and the data events that the procedure library's hooks receive.
// Rows are read into memory when the data set opens; edits are written back by key.
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <optional>
#include <vector>

#include "host/currency.h"
#include "host/errors.h"
#include "host/field.h"
#include "host/fieldtype.h"
#include "host/zmkobject.h"

namespace zmk {

class TDataBaseZMK;
class TDataSet;

enum class TDataSetState { Inactive, Browse, Edit, Insert, SetKey };

enum class TDataEvent {
    BeforeOpen,
    AfterOpen,
    BeforeEdit,
    AfterEdit,
    BeforePost,
    AfterPost,
    BeforeDelete,
    AfterDelete,
    BeforeInsert,
    AfterInsert,
    StateChange,
};
// "BEFOREOPEN", "AFTERPOST", ... as the hooks' names end.
QString DataEventName(TDataEvent event);
// Two values of one field are the same: NULLs alike, amounts by their value whatever their type.
bool FieldValuesEqual(const QVariant& a, const QVariant& b);

// Receives the data events of the data sets it is attached to (the host wires it to the
// procedure library's hooks).
class IDataEventSink {
  public:
    virtual ~IDataEventSink() = default;
    virtual void DataEvent(TDataEvent event, TDataSet& dataSet) = 0;
    // field is nullptr when the record as a whole changed (scroll, insert, cancel).
    virtual void DataChange(TDataSet& dataSet, TField* field) = 0;
};

// A post refused because another workstation changed what was typed here since it was read;
// the data set has read the record again.
class ERecordChanged : public EDatabaseError {
  public:
    ERecordChanged()
        : EDatabaseError(QStringLiteral(
              "El registro ha sido modificado por otro usuario. Se volverá a leer.")) {}
};

class TDataSet : public TZMKObject {
  public:
    // readOnly data sets refuse every change; an updatable one writes to updateTable (taken from
    // "SELECT ... FROM <table>" when not given) by the table's key.
    TDataSet(TDataBaseZMK& db, QString sql, bool readOnly, QString updateTable = QString());
    ~TDataSet() override;

    TDataBaseZMK& DataBase() const { return db_; }
    const QString& SQL() const { return sql_; }
    void SetSQL(const QString& sql);
    const QString& UpdateTable() const { return update_table_; }
    const QString& KeyField() const { return key_field_; }
    bool IsReadOnly() const { return read_only_; }

    void SetEventSink(IDataEventSink* sink, int dataSourceId);
    int DataSourceId() const { return data_source_id_; }
    // Views (grids, data-aware controls) follow the data set through observers; they hear every
    // event after the hooks have accepted it and must not raise.
    void AddObserver(IDataEventSink* observer);
    void RemoveObserver(IDataEventSink* observer);

    void Open();
    void Close();
    bool Active() const { return state_ != TDataSetState::Inactive; }
    // Runs the query again and keeps the current record when its key is still there.
    void Refresh();
    TDataSetState State() const { return state_; }
    bool Modified() const { return modified_; }

    int RecordCount() const { return int(rows_.size()); }
    int RecNo() const;  // 1-based; 0 when empty or inserting a new record
    bool IsEmpty() const { return rows_.empty(); }
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    void First();
    void Last();
    void Next();
    void Prior();
    void SetRecNo(int recNo);
    bool Locate(const QString& fieldName, const QVariant& value);

    // A stored value of any row without moving the current record (for views).
    QVariant ValueAt(int row, int fieldIndex) const;

    int FieldCount() const { return int(fields_.size()); }
    TField& Fields(int index) { return *fields_[size_t(index)]; }
    TField* FindField(const QString& name);
    TField& FieldByName(const QString& name);  // raises when missing
    QStringList FieldNames() const;

    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();

    // Set-key state: assign key fields, then GotoKey searches the rows for them.
    void SetKey();
    bool GotoKey();

  private:
    friend class TField;
    using Row = QVector<QVariant>;

    void RequireActive() const;
    void RequireWritable() const;
    void CheckBrowseMode();
    void SetState(TDataSetState state);
    void Fire(TDataEvent event);
    void FireChange(TField* field);
    void Load();
    Row NewRecordBuffer();
    void BuildFields(const QStringList& names, const QVector<TFieldType>& types);
    void WriteInsert();
    void WriteUpdate();
    bool IsColumn(const TField& field) const;
    bool SameColumns(const Row& a, const Row& b) const;
    void MergeSaved(const Row& saved, const Row& old);
    void Reread();
    std::optional<Row> StoredRow(const QVariant& key, Row base);
    // The stored row over the edit buffer.
    Row ReadRowByKey(const QVariant& key);
    QVariant Current(int index) const;
    void Assign(TField& field, const QVariant& value);
    void ResetNavigationFlags();
    template <class F>
    void InOneTransaction(F&& work);

    TDataBaseZMK& db_;
    QString sql_;
    bool read_only_;
    QString update_table_;
    QString key_field_;
    QStringList table_columns_;
    IDataEventSink* sink_ = nullptr;
    int data_source_id_ = 0;
    std::vector<IDataEventSink*> observers_;

    TDataSetState state_ = TDataSetState::Inactive;
    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<Row> rows_;
    int current_ = -1;     // index into rows_
    Row buffer_;           // edit/insert buffer
    Row key_buffer_;       // set-key buffer
    QVector<bool> typed_;  // fields the user assigned in the open edit
    int rule_depth_ = 0;   // above 0 while the rules follow an assignment
    Row reread_;           // the record as saved, when a post was refused for it
    int insert_at_ = -1;   // where an inserted record goes
    bool modified_ = false;
    bool eof_ = true;
    bool bof_ = true;
};

}  // namespace zmk
