#pragma once
// A data screen: a grid over the screen's query and a record form of data-aware controls,
// with the commands office staff use all day (insert, edit, post with F12, cancel with Esc,
// delete, refresh, navigation, search, export) and buttons bound to library procedures.
#include <QAction>
#include <QLineEdit>
#include <QTableView>
#include <QWidget>
#include <memory>
#include <vector>

#include "host/controls.h"
#include "host/forms/appdefinition.h"
#include "host/grid.h"
#include "host/querysql.h"

namespace zmk {

class TDataSetModel;

class TZMKScreen : public QWidget, public IDataEventSink {
public:
    TZMKScreen(const TScreenDef& def, int nodeId, QWidget* parent = nullptr);
    ~TZMKScreen() override;

    const TScreenDef& Definition() const { return def_; }
    TZMKForm& Form() { return *form_; }
    TQuerySQL* Query() const { return query_.get(); }
    TDataSet* DataSet() const { return query_ ? &query_->DataSet() : nullptr; }
    QTableView* Grid() const { return grid_; }

    // Opens the query; raises when it cannot be read.
    void OpenQuery();
    // Asks about unsaved changes: true when the screen may close.
    bool CanClose();

    // Puts this screen's objects into the parameter block (PRMIP_...), as a procedure sees them.
    void PublishObjects();
    // Runs a data-set operation, showing a refusal in the standard error box.
    bool Run(const std::function<void()>& operation);

    void DataEvent(TDataEvent event, TDataSet& dataSet) override;
    void DataChange(TDataSet& dataSet, TField* field) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Binding {
        QString field;
        QString type;
        QWidget* widget;
        bool dirty = false;
    };
    void BuildUi();
    QWidget* BuildControl(const TControlDef& def, TZMKControl& parent);
    void BindEditor(const TControlDef& def, QWidget* widget);
    void ShowRecord();
    void FlushEditors();
    void BeginEditing();
    void UpdateActions();
    void SyncGridSelection();
    void RunButton(const QString& procedure, const QVariantMap& params);
    void Search();
    void ExportCsv();
    QVariant EditorValue(const Binding& binding) const;

    TScreenDef def_;
    int node_id_;
    std::unique_ptr<TZMKForm> form_;
    std::unique_ptr<TQuerySQL> query_;
    std::unique_ptr<TZMKDBGrid> zmk_grid_;
    TDataSetModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QWidget* record_ = nullptr;
    QLineEdit* search_ = nullptr;
    std::vector<Binding> bindings_;
    bool showing_ = false;
    QAction *act_insert_, *act_edit_, *act_post_, *act_cancel_, *act_delete_, *act_refresh_;
    QAction *act_first_, *act_prior_, *act_next_, *act_last_;
};

}  // namespace zmk
