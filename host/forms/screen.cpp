#include "host/forms/screen.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/formhooks.h"
#include "host/forms/apptext.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/qtcontrols.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/sqlliteral.h"

namespace zmk {

namespace {

// The list's own order, replaced when the user sorts by a column.
const QRegularExpression kOrderBy(QStringLiteral("\\s+ORDER\\s+BY\\s+[^()]*$"),
                                  QRegularExpression::CaseInsensitiveOption);

// The master's value a detail follows: Null while the master has no saved current record.
QVariant MasterFieldValue(TDataSet& master, const QString& field) {
    if (!master.Active() || master.IsEmpty() || master.State() == TDataSetState::Insert)
        return QVariant();
    TField* f = master.FindField(field);
    return f ? f->Value() : QVariant();
}

}  // namespace

TZMKScreen::TZMKScreen(const TScreenDef& def, int nodeId, QWidget* parent)
    : QWidget(parent),
      spanish_(def),
      def_(TranslatedScreen(def)),
      node_id_(nodeId),
      form_(std::make_unique<TZMKForm>(QStringLiteral("TFRM_") + def.id, nodeId)) {
    setWindowTitle(def_.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    BuildUi();
    TagTexts();
}

TZMKScreen::~TZMKScreen() {
    if (query_) query_->DataSet().RemoveObserver(this);
    ZMKApp().Procedures().ExecuteIfRegistered(
        QStringLiteral("ProcedureZMKFormEvent_DESTROY"),
        TProcCall{nullptr, 0, nullptr, nullptr, form_.get(), 1, node_id_});
}

void TZMKScreen::BuildUi() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* outer_splitter = new QSplitter(Qt::Vertical, this);
    outer->addWidget(outer_splitter);
    // The screen's shortcuts live on its body, so that a detail screen inside it has its own.
    body_ = new QWidget(outer_splitter);
    auto* layout = new QVBoxLayout(body_);
    layout->setContentsMargins(4, 4, 4, 4);
    BuildToolbar(*layout);
    BuildList(*layout);
    if (!def_.buttons.isEmpty()) BuildButtons(*layout);
    if (!def_.details.isEmpty()) BuildDetails(outer_splitter);
}

void TZMKScreen::BuildToolbar(QVBoxLayout& layout) {
    auto* toolbar = new QToolBar(body_);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout.addWidget(toolbar);
    // The screen's name heads its toolbar (a docked screen has no title bar of its own).
    auto* caption = new QLabel(def_.caption, toolbar);
    caption->setObjectName(QStringLiteral("lblTituloPantalla"));
    caption->setStyleSheet(
        QStringLiteral("font-weight: bold; color: #1f3b63; padding: 0 12px 0 4px"));
    caption_action_ = toolbar->addWidget(caption);
    auto add = [&](const QString& text, const QKeySequence& key, auto slot) {
        QAction* a = toolbar->addAction(text);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        a->setToolTip(text + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + ")");
        body_->addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    act_insert_ = add(AppText(QStringLiteral("Nuevo")), QKeySequence(Qt::Key_Insert), [this] {
        if (!DetailsCanLeave()) return;
        bool inserted = Run([this] {
            RequireRight(TTableRight::Add);
            DataSet()->Append();
            // New rows are created in the current centre (a centre's own key excepted).
            for (int i = 0; i < DataSet()->FieldCount(); ++i) {
                TField& f = DataSet()->Fields(i);
                if (f.FieldName().startsWith(QLatin1String("IDCentroT"), Qt::CaseInsensitive) &&
                    f.FieldName().compare(QLatin1String("IDCentroT20"), Qt::CaseInsensitive) &&
                    f.IsNull() && !f.ReadOnly())
                    f.SetValue(CurrentCentre());
            }
            // A detail's new record belongs to the master's current record.
            if (!detail_field_.isEmpty() && !master_value_.isNull())
                DataSet()->FieldByName(detail_field_).SetValue(master_value_);
        });
        if (!inserted) return;
        for (const Binding& b : bindings_)
            if (b.widget->isEnabled() && b.widget->isVisibleTo(this)) {
                b.widget->setFocus();
                break;
            }
    });
    act_edit_ = add(AppText(QStringLiteral("Modificar")), QKeySequence(Qt::Key_F2), [this] {
        Run([this] {
            RequireRight(TTableRight::Modify);
            DataSet()->Edit();
        });
    });
    act_post_ = add(AppText(QStringLiteral("Aceptar")), QKeySequence(Qt::Key_F12), [this] {
        Run([this] {
            const bool inserting = DataSet()->State() == TDataSetState::Insert;
            FlushEditors();
            DataSet()->Post();
            if (inserting) PlaceInOrder();
        });
    });
    act_cancel_ = add(AppText(QStringLiteral("Cancelar")), QKeySequence(Qt::Key_Escape), [this] {
        // Esc is easily pressed by mistake: typed changes are only dropped when the user says so.
        if (HasChanges() &&
            !PreguntaSiNo(QStringLiteral("Se perderán los cambios de este registro.\n\n"
                                         "¿Desea deshacerlos?"),
                          TMsgIcon::Question, TMsgButton::No))
            return;
        Run([this] { DataSet()->Cancel(); });
    });
    // F8 undoes too, as the program's messages tell the user.
    act_cancel_->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_F8)});
    act_cancel_->setToolTip(AppText(QStringLiteral("Cancelar")) + QStringLiteral(" (Esc, F8)"));
    act_delete_ =
        add(AppText(QStringLiteral("Borrar")), QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] {
            if (!DataSet() || DataSet()->IsEmpty()) return;
            if (!Run([this] { RequireRight(TTableRight::Delete); })) return;
            if (!PreguntaSiNo(QStringLiteral("¿Borrar el registro?"), TMsgIcon::Warning,
                              TMsgButton::No))
                return;
            Run([this] { DataSet()->Delete(); });
        });
    toolbar->addSeparator();
    act_first_ = add(QStringLiteral("|<"), QKeySequence(Qt::CTRL | Qt::Key_Home),
                     [this] { Navigate([this] { DataSet()->First(); }); });
    act_prior_ = add(QStringLiteral("<"), QKeySequence(Qt::CTRL | Qt::Key_PageUp),
                     [this] { Navigate([this] { DataSet()->Prior(); }); });
    act_next_ = add(QStringLiteral(">"), QKeySequence(Qt::CTRL | Qt::Key_PageDown),
                    [this] { Navigate([this] { DataSet()->Next(); }); });
    act_last_ = add(QStringLiteral(">|"), QKeySequence(Qt::CTRL | Qt::Key_End), [this] {
        Navigate([this] {
            FetchAll();
            DataSet()->Last();
        });
    });
    act_refresh_ = add(AppText(QStringLiteral("Refrescar")), QKeySequence(Qt::Key_F5),
                       [this] { Navigate([this] { query_->RefrescaSQL(); }); });
    toolbar->addSeparator();
    add(AppText(QStringLiteral("Exportar")), QKeySequence(Qt::CTRL | Qt::Key_E),
        [this] { ExportList(); });
    add(AppText(QStringLiteral("Imprimir")), QKeySequence::Print, [this] { PrintList(); });
    search_ = new QLineEdit(body_);
    search_->setPlaceholderText(AppText(QStringLiteral("Buscar")) + QStringLiteral(" (Ctrl+F)"));
    search_->setClearButtonEnabled(true);
    search_->setMaximumWidth(220);
    toolbar->addWidget(search_);
    auto* find = new QAction(body_);
    find->setShortcut(QKeySequence::Find);
    find->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    body_->addAction(find);
    connect(find, &QAction::triggered, search_, [this] {
        search_->setFocus();
        search_->selectAll();
    });
    connect(search_, &QLineEdit::textEdited, this, [this] { Search(); });
    connect(search_, &QLineEdit::returnPressed, this, [this] { grid_->setFocus(); });
    // The filter keeps only the rows whose sorted column holds the text typed.
    filter_ = new QLineEdit(body_);
    filter_->setObjectName(QStringLiteral("edFiltro"));
    filter_->setPlaceholderText(AppText(QStringLiteral("Filtrar")) + QStringLiteral(" (Ctrl+L)"));
    filter_->setClearButtonEnabled(true);
    filter_->setMaximumWidth(220);
    toolbar->addWidget(filter_);
    auto* filter = new QAction(body_);
    filter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    filter->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    body_->addAction(filter);
    connect(filter, &QAction::triggered, filter_, [this] {
        filter_->setFocus();
        filter_->selectAll();
    });
    connect(filter_, &QLineEdit::returnPressed, this, [this] { ApplyFilter(); });
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty()) ApplyFilter();
    });
}

void TZMKScreen::BuildList(QVBoxLayout& layout) {
    auto* splitter = new QSplitter(Qt::Vertical, body_);
    list_splitter_ = splitter;
    layout.addWidget(splitter, 1);
    // The list with its totals line under it.
    auto* list = new QWidget(splitter);
    auto* list_layout = new QVBoxLayout(list);
    list_layout->setContentsMargins(0, 0, 0, 0);
    list_layout->setSpacing(2);
    grid_ = new QTableView(list);
    list_layout->addWidget(grid_, 1);
    totals_ = new QLabel(list);
    totals_->setObjectName(QStringLiteral("lblTotales"));
    totals_->setStyleSheet(QStringLiteral("font-weight: bold; padding: 1px 4px"));
    totals_->hide();
    list_layout->addWidget(totals_);
    grid_->setObjectName(QStringLiteral("DBGrid"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setAlternatingRowColors(true);
    // Tab goes on to the record form and the buttons, as in any form; arrows move in the list.
    grid_->setTabKeyNavigation(false);
    grid_->verticalHeader()->setDefaultSectionSize(22);
    // Columns keep their widths: a narrow last column (a flag) is not stretched across the screen.
    grid_->horizontalHeader()->setStretchLastSection(false);
    grid_->horizontalHeader()->setSectionsClickable(true);
    grid_->horizontalHeader()->setSortIndicatorShown(true);
    grid_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        Qt::SortOrder order = column == sort_column_ && sort_order_ == Qt::AscendingOrder
                                  ? Qt::DescendingOrder
                                  : Qt::AscendingOrder;
        SortByColumn(column, order);
    });
    form_->Add(std::make_unique<TQtControl>(QStringLiteral("DBGrid"), QString(), grid_));

    auto* scroll = new QScrollArea(splitter);
    scroll->setWidgetResizable(true);
    record_ = new QWidget(scroll);
    auto* record_layout = new QVBoxLayout(record_);
    for (const TControlDef& c : def_.form)
        record_layout->addWidget(
            BuildControl(c, *form_), 0,
            c.type == QLatin1String("button") ? Qt::AlignLeft : Qt::Alignment());
    record_layout->addStretch(1);
    scroll->setWidget(record_);
    // The list and the record form share the height; the user's split is kept per screen.
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    RestoreSplit();
}

void TZMKScreen::BuildButtons(QVBoxLayout& layout) {
    auto* row = new QHBoxLayout;
    for (const TButtonDef& b : def_.buttons) {
        auto* button = new QPushButton(b.caption, body_);
        if (!b.shortcut.isEmpty()) button->setShortcut(QKeySequence(b.shortcut));
        buttons_ << button;
        connect(button, &QPushButton::clicked, this,
                [this, b] { RunButton(b.procedure, b.params, b.caption); });
        row->addWidget(button);
    }
    row->addStretch(1);
    layout.addLayout(row);
}

void TZMKScreen::BuildDetails(QSplitter* outer_splitter) {
    detail_tabs_ = new QTabWidget(outer_splitter);
    for (qsizetype i = 0; i < def_.details.size(); ++i) {
        const TScreenDef::Detail& d = def_.details[i];
        // A detail the user may not see is left out.
        if (!TableAllows(d.definition->table, TTableRight::View)) continue;
        // A detail is the form of its data source's node, as the form rules know it.
        auto* detail =
            new TZMKScreen(*spanish_.details[i].definition, d.definition->dataSource, detail_tabs_);
        detail->setAttribute(Qt::WA_DeleteOnClose, false);
        detail->detail_field_ = d.detailField;
        detail->master_field_ = d.masterField;
        // A detail's tab names it already.
        detail->caption_action_->setVisible(false);
        // A detail lists a few rows: its record form gets the larger share.
        detail->list_splitter_->setStretchFactor(0, 1);
        detail->list_splitter_->setStretchFactor(1, 2);
        const int index = detail_tabs_->addTab(detail, d.definition->caption);
        details_.push_back(detail);
        // Ctrl and the tab's number bring a detail forward, with its list focused.
        if (index < 9) {
            auto* key = new QAction(body_);
            key->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + index)));
            key->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            outer_splitter->addAction(key);
            connect(key, &QAction::triggered, this, [this, detail] {
                detail_tabs_->setCurrentWidget(detail);
                detail->Grid()->setFocus();
            });
            detail_tabs_->setTabToolTip(index, QStringLiteral("Ctrl+%1").arg(index + 1));
        }
    }
    outer_splitter->setStretchFactor(0, 1);
    outer_splitter->setStretchFactor(1, 1);
}

QString TZMKScreen::QueryText() const {
    QString sql = QueryBody();
    if (sort_column_ >= 0 && sort_column_ < def_.columns.size()) {
        sql += QStringLiteral(" ORDER BY ") + OrderTerms(sort_column_, sort_order_);
        // Equal values keep one order from page to page.
        if (DataSet() && !DataSet()->KeyField().isEmpty())
            sql += QStringLiteral(", ") + DataSet()->KeyField();
    } else {
        sql += kOrderBy.match(def_.sql).captured(0);
    }
    if (limit_ > 0) sql += QStringLiteral(" LIMIT ") + QString::number(limit_);
    return sql;
}

void TZMKScreen::OpenQuery() {
    RequireRight(TTableRight::View);
    auto ds = DefaultDB().GetTSQLDataSet(QueryText(), def_.readOnly);
    ZMKApp().AttachDataSet(*ds, def_.dataSource);
    query_ = std::make_unique<TQuerySQL>(std::move(ds));
    TDataSet& data = query_->DataSet();
    data.AddObserver(this);
    zmk_grid_ = std::make_unique<TZMKDBGrid>(*query_);
    PublishObjects();
    data.Open();
    model_ = new TDataSetModel(data, def_.columns, this);
    model_->SetDataSourceId(def_.colours);
    model_->SetFetcher([this] { return HasMoreRows(); }, [this] { FetchMore(); });
    grid_->setModel(model_);
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateSelectedKeys(); });
    SizeColumns();
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid() || !DataSet() || DataSet()->RecNo() == current.row() + 1)
                    return;
                if (!DetailsCanLeave() ||
                    !Run([this, current] { DataSet()->SetRecNo(current.row() + 1); }))
                    SyncGridSelection();
            });
    ShowRecord();
    SyncGridSelection();
    UpdateActions();
    TProcCall call;
    call.form = form_.get();
    call.formInteger = 1;
    call.nodeId = node_id_;
    Parametres().SetParametreValue(QStringLiteral("PRMIP_DBGRID"), zmk_grid_->Handle());
    ZMKApp().Procedures().ExecuteIfRegistered(QStringLiteral("ProcedureZMKFormEvent_CREATE"), call);
    for (TZMKScreen* detail : details_) {
        detail->master_value_ = MasterFieldValue(data, detail->master_field_);
        detail->setEnabled(!detail->master_value_.isNull());
        detail->OpenQuery();
    }
    PublishObjects();
    UpdateTotals();
}

bool TZMKScreen::HasMoreRows() const {
    return limit_ > 0 && DataSet() && DataSet()->Active() && DataSet()->RecordCount() >= limit_;
}

void TZMKScreen::Reopen(bool keepRows) {
    TDataSet& ds = *DataSet();
    if (keepRows) {
        // The rows shown stay as they are (same order, more of them): the grid keeps its place
        // and the current record stays current.
        const int recno = ds.RecNo();
        ds.RemoveObserver(model_);
        ds.RemoveObserver(this);
        try {
            ds.SetSQL(QueryText());
            ds.Open();
            if (recno > 0 && recno <= ds.RecordCount()) ds.SetRecNo(recno);
        } catch (...) {
            ds.AddObserver(model_);
            ds.AddObserver(this);
            throw;
        }
        ds.AddObserver(model_);
        ds.AddObserver(this);
        model_->RowsAppended();
        return;
    }
    ds.SetSQL(QueryText());
    ds.Open();
}

void TZMKScreen::FetchMore() {
    TDataSet* ds = DataSet();
    if (!HasMoreRows() || ds->State() != TDataSetState::Browse) return;
    limit_ *= 4;
    Run([this] { Reopen(true); });
}

void TZMKScreen::FetchAll() {
    TDataSet* ds = DataSet();
    if (!HasMoreRows() || ds->State() != TDataSetState::Browse) return;
    limit_ = 0;
    Reopen(true);
}

void TZMKScreen::SortByColumn(int column, Qt::SortOrder order) {
    TDataSet* ds = DataSet();
    if (!ds || column < 0 || column >= def_.columns.size()) return;
    if (ds->State() != TDataSetState::Browse || !DetailsCanLeave()) {
        grid_->horizontalHeader()->setSortIndicator(sort_column_, sort_order_);
        return;
    }
    sort_column_ = column;
    sort_order_ = order;
    if (limit_ > 0) limit_ = kPageRows;
    grid_->horizontalHeader()->setSortIndicator(column, order);
    Run([this] { Reopen(false); });
    SyncGridSelection();
}

void TZMKScreen::SetMaster(const QVariant& value) {
    if (value == master_value_ && value.isNull() == master_value_.isNull()) return;
    master_value_ = value;
    setEnabled(!value.isNull());
    if (!DataSet()) return;
    if (limit_ > 0) limit_ = kPageRows;
    Run([this] { Reopen(false); });
}

void TZMKScreen::UpdateDetails() {
    if (details_.empty() || !DataSet()) return;
    for (TZMKScreen* detail : details_)
        detail->SetMaster(MasterFieldValue(*DataSet(), detail->master_field_));
    // Procedures run from this screen see its own objects again.
    PublishObjects();
}

bool TZMKScreen::DetailsCanLeave() {
    for (TZMKScreen* detail : details_)
        if (!detail->CanClose()) return false;
    return true;
}

void TZMKScreen::Navigate(const std::function<void()>& move) {
    if (!DetailsCanLeave() || !Run(move)) return;
    // Moving to another record leaves a selection of that record alone.
    const int row = DataSet() ? DataSet()->RecNo() - 1 : -1;
    if (row >= 0 && grid_->model() && grid_->selectionModel()->selectedRows().size() > 1)
        grid_->selectRow(row);
    UpdateSelectedKeys();
}

void TZMKScreen::UpdateSelectedKeys() {
    if (!zmk_grid_ || !grid_->selectionModel() || !DataSet()) return;
    QVariantList keys;
    TField* key = DataSet()->FindField(DataSet()->KeyField());
    for (const QModelIndex& row : grid_->selectionModel()->selectedRows())
        keys << (key ? DataSet()->ValueAt(row.row(), key->Index()) : QVariant(row.row() + 1));
    zmk_grid_->SetSelectedKeys(keys);
}

void TZMKScreen::PublishObjects() {
    TParametres& p = Parametres();
    p.SetParametreValue(QStringLiteral("PRMIP_ZMKFORM"), form_->Handle());
    p.SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), query_ ? query_->Handle() : 0);
    p.SetParametreValue(QStringLiteral("PRMIP_DATASET"), query_ ? query_->DataSet().Handle() : 0);
    p.SetParametreValue(QStringLiteral("PRMIP_DBGRID"), zmk_grid_ ? zmk_grid_->Handle() : 0);
    for (const QString& name : {QStringLiteral("PRMIP_ZMKFORM"), QStringLiteral("PRMIP_TQUERYSQL"),
                                QStringLiteral("PRMIP_DATASET"), QStringLiteral("PRMIP_DBGRID")})
        p.SetWritables(name, false);
}

bool TZMKScreen::Run(const std::function<void()>& operation) {
    PublishObjects();
    try {
        operation();
        UpdateActions();
        return true;
    } catch (const EAbort&) {
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    } catch (const std::exception& e) {
        MuestraError(QString::fromUtf8(e.what()));
    }
    UpdateActions();
    return false;
}

bool TZMKScreen::Allows(TTableRight right) const {
    return TableAllows(def_.table, right);
}

void TZMKScreen::RequireRight(TTableRight right) const {
    RequireTableRight(def_.table, def_.caption, right);
}

void TZMKScreen::RunButton(const QString& procedure, const QVariantMap& params,
                           const QString& caption) {
    // A procedure working on "all the rows" of the list must see them all.
    if (!Run([this] {
            FlushEditors();
            FetchAll();
        }))
        return;
    UpdateSelectedKeys();
    in_procedure_ = true;
    Run([&] {
        for (auto it = params.begin(); it != params.end(); ++it)
            Parametres().SetParametreValue(it.key(), it.value());
        try {
            ZMKApp().Procedures().ExecuteProcedure(procedure);
        } catch (const EProcedureNotAvailable&) {
            // The user knows the button, not the procedure behind it.
            const QString name = caption.isEmpty() ? procedure : caption;
            throw EZMKError(QStringLiteral("«%1» todavía no está disponible en esta versión del "
                                           "programa.")
                                .arg(QString(name).remove(u'&')));
        }
    });
    in_procedure_ = false;
    SyncGridSelection();
}

void TZMKScreen::DataEvent(TDataEvent event, TDataSet& dataSet) {
    if (event == TDataEvent::StateChange || event == TDataEvent::AfterPost ||
        event == TDataEvent::AfterDelete)
        UpdateActions();
    if (event == TDataEvent::AfterPost || event == TDataEvent::AfterDelete ||
        event == TDataEvent::AfterOpen)
        UpdateTotals();
    // A new record has its key only once saved: its details may follow it from then on.
    if (event == TDataEvent::AfterPost) UpdateDetails();
    ForEachDataControl([&](IDataEventSink& c) { c.DataEvent(event, dataSet); });
}

void TZMKScreen::ForEachDataControl(const std::function<void(IDataEventSink&)>& fn) {
    for (const QPointer<QWidget>& w : data_controls_)
        if (auto* sink = dynamic_cast<IDataEventSink*>(w.data())) fn(*sink);
}

void TZMKScreen::SyncGridSelection() {
    TDataSet* ds = DataSet();
    if (!ds || !grid_->model() || ds->RecNo() <= 0) return;
    // A procedure walking the rows must not take away the user's selection.
    if (in_procedure_) return;
    int row = ds->RecNo() - 1;
    if (grid_->currentIndex().row() != row) {
        QSignalBlocker block(grid_->selectionModel());
        const QModelIndex index = grid_->model()->index(row, 0);
        // Moving inside the selection keeps it; moving out of it selects the new row.
        if (grid_->selectionModel()->isRowSelected(row, QModelIndex()))
            grid_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        else
            grid_->selectRow(row);
        grid_->scrollTo(index);
    }
}

void TZMKScreen::UpdateActions() {
    TDataSet* ds = DataSet();
    bool editing =
        ds && (ds->State() == TDataSetState::Edit || ds->State() == TDataSetState::Insert);
    bool has_rows = ds && !ds->IsEmpty();
    bool writable = ds && !ds->IsReadOnly() && !ds->KeyField().isEmpty();
    act_insert_->setEnabled(writable && !editing && Allows(TTableRight::Add));
    act_edit_->setEnabled(writable && has_rows && !editing && Allows(TTableRight::Modify));
    act_post_->setEnabled(editing);
    act_cancel_->setEnabled(editing);
    act_delete_->setEnabled(writable && has_rows && !editing && Allows(TTableRight::Delete));
    for (QAction* a : {act_first_, act_prior_, act_next_, act_last_, act_refresh_})
        a->setEnabled(ds && !editing);
    grid_->setEnabled(!editing);
    // After a post the grid shows the saved row (a new one included) as the current one.
    if (!editing) SyncGridSelection();
}

void TZMKScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (buttons_.isEmpty() || buttons_keyed_) return;
    buttons_keyed_ = true;
    KeyButtons();
}

}  // namespace zmk
