#pragma once
// A data screen: a grid over the screen's query and a record form of data-aware controls,
// with the commands office staff use all day (insert, edit, post with F12, cancel with Esc,
// delete, refresh, navigation, search, export) and buttons bound to library procedures.
// Detail screens below the record form follow the current record. Large lists are read a page
// at a time as the grid scrolls, so a screen opens at once whatever the size of the table.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "host/controls.h"
#include "host/forms/appdefinition.h"
#include "host/grid.h"
#include "host/querysql.h"
#include "host/rights.h"

namespace zmk {

class TDataSetModel;
struct TExportList;

class TZMKScreen : public QWidget, public IDataEventSink {
  public:
    TZMKScreen(const TScreenDef& def, int nodeId, QWidget* parent = nullptr);
    ~TZMKScreen() override;

    const TScreenDef& Definition() const { return def_; }
    // The screen and its details speak the language chosen since they opened.
    void RetranslateTexts();
    TZMKForm& Form() { return *form_; }
    TQuerySQL* Query() const { return query_.get(); }
    TDataSet* DataSet() const { return query_ ? &query_->DataSet() : nullptr; }
    QTableView* Grid() const { return grid_; }

    // Rows read at a time: the first page opens the screen, the next ones come as it scrolls.
    static constexpr int kPageRows = 200;

    // Opens the query; raises when it cannot be read.
    void OpenQuery();
    // Asks about unsaved changes, here and in the detail screens: true when the screen may close.
    bool CanClose();
    // Whether the record being edited holds changes (typed ones not yet in the field included).
    bool HasChanges() const;

    // Sorts the list by a grid column (reads the query again in that order).
    void SortByColumn(int column, Qt::SortOrder order);
    // Reads the rows not read yet (what a list-wide operation needs).
    void FetchAll();
    // Reads the next pages of the list.
    void FetchMore();
    bool HasMoreRows() const;

    // Detail screens, in the order of their tabs.
    const std::vector<TZMKScreen*>& Details() const { return details_; }
    // A detail screen: the master's key its query (":MASTER") and its new records take.
    void SetMaster(const QVariant& value);
    QVariant MasterValue() const { return master_value_; }
    // The keys of the selected grid rows, as procedures see them through the grid object.
    TZMKDBGrid* GridObject() const { return zmk_grid_.get(); }
    void UpdateSelectedKeys();

    // Puts this screen's objects into the parameter block (PRMIP_...), as a procedure sees them.
    void PublishObjects();
    // Runs a data-set operation, showing a refusal in the standard error box.
    bool Run(const std::function<void()>& operation);
    // Runs a button's procedure with its parameters on the screen's objects, as a click does.
    // A procedure not available yet is named by the caption.
    void RunButton(const QString& procedure, const QVariantMap& params,
                   const QString& caption = QString());
    // Opens the plug-in editor of a data-aware edit (its "..." button, F4): on OK the record
    // goes into edit mode and the field takes the edited value.
    void OpenFieldEditor(QLineEdit* edit, const QString& editor);

    // The list as it is exported: the grid's columns and every row read, look-ups as text.
    TExportList ExportableList() const;

    void DataEvent(TDataEvent event, TDataSet& dataSet) override;
    void DataChange(TDataSet& dataSet, TField* field) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    struct Binding {
        QString field;
        QString type;
        QWidget* widget;
        bool dirty = false;
        QString label;  // the caption the form shows for the field
    };
    void BuildUi();
    // The parts of the screen, from the top: commands, list and record form, buttons, details.
    void BuildToolbar(QVBoxLayout& layout);
    void BuildList(QVBoxLayout& layout);
    void BuildButtons(QVBoxLayout& layout);
    void BuildDetails(QSplitter* outer_splitter);
    // Each text the screen shows remembers the Spanish text it came from, to be translated again.
    void TagTexts();
    // The buttons under the list get access keys the window's menus do not use.
    void KeyButtons();
    QString QueryText() const;
    // The query with its parameters and the user's filter, without its order.
    QString QueryBody() const;
    // The SQL giving a look-up column's text for the row (empty when it cannot be had).
    QString LookupExpression(int column) const;
    // The ORDER BY terms of a grid column: text holding numbers sorts as numbers, look-ups by
    // their text.
    QString OrderTerms(int column, Qt::SortOrder order) const;
    // The condition the filter box puts on the column the list is sorted by (empty: none).
    QString FilterCondition() const;
    void ApplyFilter();
    // Columns as wide as their content up to a limit, never narrower than their title.
    void SizeColumns();
    // The line under a list with money: its records and the sums of its amounts.
    void UpdateTotals();
    // The split between list and record form, as the user left it on this screen.
    void RestoreSplit();
    // A record just inserted moves to its place in the list's order.
    void PlaceInOrder();
    void Reopen(bool keepRows);
    void UpdateDetails();
    bool DetailsCanLeave();
    void Navigate(const std::function<void()>& move);
    QWidget* BuildControl(const TControlDef& def, TZMKControl& parent);
    static bool IsTimetable(const TControlDef& panel);
    QWidget* BuildTimetable(const TControlDef& panel, TZMKControl& me, QGroupBox* box);
    void BindEditor(const TControlDef& def, QWidget* widget);
    // The edit with its plug-in's button beside it; the edit alone when no plug-in has the name.
    QWidget* WithEditorButton(const TControlDef& def, QLineEdit* edit);
    // Whether the user's rights allow the operation on the screen's table; the refusal otherwise.
    bool Allows(TTableRight right) const;
    void RequireRight(TTableRight right) const;
    void ShowRecord();
    void FlushEditors();
    void BeginEditing();
    void UpdateActions();
    // The grid column of the first field the query orders by (0 when none is shown).
    int QueryOrderColumn() const;
    void SyncGridSelection();
    void Search();
    // Saves the list as an Excel workbook or a CSV file (the name the user gives decides).
    void ExportList();
    void PrintList();
    QVariant EditorValue(const Binding& binding) const;
    // Controls of registered classes that follow the data set with the screen.
    void ForEachDataControl(const std::function<void(IDataEventSink&)>& fn);

    TScreenDef spanish_;  // the definition as the application file gives it
    TScreenDef def_;      // its texts in the chosen language
    int node_id_;
    std::unique_ptr<TZMKForm> form_;
    std::unique_ptr<TQuerySQL> query_;
    std::unique_ptr<TZMKDBGrid> zmk_grid_;
    TDataSetModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QWidget* record_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QString filter_text_;     // the filter applied
    int filter_column_ = -1;  // the column it applies to
    QLabel* totals_ = nullptr;
    QWidget* body_ = nullptr;
    QTabWidget* detail_tabs_ = nullptr;
    std::vector<TZMKScreen*> details_;
    QString detail_field_;  // as a detail: the field holding the master's key
    QString master_field_;  // as a detail: the master's field it follows
    QVariant master_value_;
    int limit_ = kPageRows;  // 0: every row
    int sort_column_ = -1;
    Qt::SortOrder sort_order_ = Qt::AscendingOrder;
    std::vector<Binding> bindings_;
    std::vector<QPointer<QWidget>> data_controls_;
    bool showing_ = false;
    bool in_procedure_ = false;           // a button's procedure is running
    QList<QPushButton*> buttons_;         // the buttons under the list
    QSplitter* list_splitter_ = nullptr;  // the list above, the record form below
    QAction* caption_action_ = nullptr;   // the screen's name at the head of its toolbar
    bool buttons_keyed_ = false;
    QAction *act_insert_, *act_edit_, *act_post_, *act_cancel_, *act_delete_, *act_refresh_;
    QAction *act_first_, *act_prior_, *act_next_, *act_last_;
};

}  // namespace zmk
