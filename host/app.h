#pragma once
// The host application object: its procedure registry, its default (company) database, the
// application tree, and the sink that turns data-set events into the library's hooks.
#include <QString>
#include <memory>
#include <vector>

#include "host/dataset.h"
#include "host/procedures.h"

namespace zmk {

class TDataBaseZMK;

// One node of the application tree (menus and screens).
struct TZMKNode {
    int id = 0;
    int parentId = 0;
    int kind = 0;  // 5 menu folder, 4 menu entry, 3 entry shown only under a folder
    QString caption;
};

class TZMKApp : public IDataEventSink {
  public:
    TZMKApp();
    ~TZMKApp() override;

    TProcedureZMK& Procedures() { return procedures_; }

    // The open company database, or nullptr.
    TDataBaseZMK* GetDefaultDB() const { return default_db_.get(); }
    // Takes ownership; the previous database is closed.
    void SetDefaultDB(std::unique_ptr<TDataBaseZMK> db);
    std::unique_ptr<TDataBaseZMK> ReleaseDefaultDB();

    const QString& AppName() const { return app_name_; }
    void SetAppName(const QString& name) { app_name_ = name; }
    const QString& AppFile() const { return app_file_; }
    void SetAppFile(const QString& file) { app_file_ = file; }
    const std::vector<TZMKNode>& Nodes() const { return nodes_; }
    void SetNodes(std::vector<TZMKNode> nodes) { nodes_ = std::move(nodes); }
    void ClearApp() { nodes_.clear(); }

    // Whether failed statements are shown inside error messages (a debugging aid; off).
    bool ShowStatements() const { return show_statements_; }
    void SetShowStatements(bool value) { show_statements_ = value; }

    // Attaches a screen's data set to the library's data-event hooks.
    void AttachDataSet(TDataSet& dataSet, int dataSourceId) {
        dataSet.SetEventSink(this, dataSourceId);
    }

    void DataEvent(TDataEvent event, TDataSet& dataSet) override;
    void DataChange(TDataSet& dataSet, TField* field) override;

  private:
    TProcedureZMK procedures_;
    std::unique_ptr<TDataBaseZMK> default_db_;
    QString app_name_;
    QString app_file_;
    std::vector<TZMKNode> nodes_;
    bool show_statements_ = false;
};

// The program-wide application object.
TZMKApp& ZMKApp();
// The open company database; raises when none is open.
TDataBaseZMK& DefaultDB();

}  // namespace zmk
