#include "host/forms/screen.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTextStream>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/centroactual.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/qtcontrols.h"
#include "host/parametres.h"
#include "host/prompt.h"

namespace zmk {

namespace {

QString ScreenSql(const QString& sql) {
    QString text = sql;
    text.replace(QStringLiteral(":PRMIDCentroActual"), ValorSQL(IDCentroActual()));
    return text;
}

QVariant ParseDate(const QString& text, bool withTime) {
    QString t = text.trimmed();
    if (t.isEmpty()) return QVariant();
    for (const char* f : {"dd/MM/yyyy HH:mm", "dd/MM/yyyy", "d/M/yyyy", "d/M/yy", "yyyy-MM-dd"}) {
        QDateTime d = QDateTime::fromString(t, QLatin1String(f));
        if (d.isValid()) return withTime ? d : QDateTime(d.date(), QTime(0, 0));
    }
    return t;  // the field refuses it with the program's message
}

}  // namespace

TZMKScreen::TZMKScreen(const TScreenDef& def, int nodeId, QWidget* parent)
    : QWidget(parent), def_(def), node_id_(nodeId),
      form_(std::make_unique<TZMKForm>(QStringLiteral("TFRM_") + def.id, nodeId)) {
    setWindowTitle(def_.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    BuildUi();
}

TZMKScreen::~TZMKScreen() {
    if (query_) query_->DataSet().RemoveObserver(this);
    ZMKApp().Procedures().ExecuteIfRegistered(QStringLiteral("ProcedureZMKFormEvent_DESTROY"),
                                              TProcCall{nullptr, 0, nullptr, nullptr, form_.get(),
                                                        1, node_id_});
}

void TZMKScreen::BuildUi() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(toolbar);
    auto add = [&](const QString& text, const QKeySequence& key, auto slot) {
        QAction* a = toolbar->addAction(text);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        a->setToolTip(text + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + ")");
        addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    act_insert_ = add(QStringLiteral("Nuevo"), QKeySequence(Qt::Key_Insert), [this] {
        Run([this] { DataSet()->Append(); });
        if (!bindings_.empty()) bindings_.front().widget->setFocus();
    });
    act_edit_ = add(QStringLiteral("Modificar"), QKeySequence(Qt::Key_F2),
                    [this] { Run([this] { DataSet()->Edit(); }); });
    act_post_ = add(QStringLiteral("Aceptar"), QKeySequence(Qt::Key_F12), [this] {
        Run([this] {
            FlushEditors();
            DataSet()->Post();
        });
    });
    act_cancel_ = add(QStringLiteral("Cancelar"), QKeySequence(Qt::Key_Escape),
                      [this] { Run([this] { DataSet()->Cancel(); }); });
    act_delete_ = add(QStringLiteral("Borrar"), QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] {
        if (!DataSet() || DataSet()->IsEmpty()) return;
        if (!PreguntaSiNo(QStringLiteral("¿Borrar el registro?"), TMsgIcon::Warning, TMsgButton::No))
            return;
        Run([this] { DataSet()->Delete(); });
    });
    toolbar->addSeparator();
    act_first_ = add(QStringLiteral("|<"), QKeySequence(Qt::CTRL | Qt::Key_Home),
                     [this] { Run([this] { DataSet()->First(); }); });
    act_prior_ = add(QStringLiteral("<"), QKeySequence(Qt::CTRL | Qt::Key_PageUp),
                     [this] { Run([this] { DataSet()->Prior(); }); });
    act_next_ = add(QStringLiteral(">"), QKeySequence(Qt::CTRL | Qt::Key_PageDown),
                    [this] { Run([this] { DataSet()->Next(); }); });
    act_last_ = add(QStringLiteral(">|"), QKeySequence(Qt::CTRL | Qt::Key_End),
                    [this] { Run([this] { DataSet()->Last(); }); });
    act_refresh_ = add(QStringLiteral("Refrescar"), QKeySequence(Qt::Key_F5),
                       [this] { Run([this] { query_->RefrescaSQL(); }); });
    toolbar->addSeparator();
    add(QStringLiteral("Exportar"), QKeySequence(Qt::CTRL | Qt::Key_E), [this] { ExportCsv(); });
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("Buscar (Ctrl+F)"));
    search_->setClearButtonEnabled(true);
    search_->setMaximumWidth(220);
    toolbar->addWidget(search_);
    auto* find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    find->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(find);
    connect(find, &QAction::triggered, search_, [this] {
        search_->setFocus();
        search_->selectAll();
    });
    connect(search_, &QLineEdit::textEdited, this, [this] { Search(); });

    auto* splitter = new QSplitter(Qt::Vertical, this);
    layout->addWidget(splitter, 1);
    grid_ = new QTableView(splitter);
    grid_->setObjectName(QStringLiteral("DBGrid"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setAlternatingRowColors(true);
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->horizontalHeader()->setStretchLastSection(true);
    form_->Add(std::make_unique<TQtControl>(QStringLiteral("DBGrid"), QString(), grid_));

    auto* scroll = new QScrollArea(splitter);
    scroll->setWidgetResizable(true);
    record_ = new QWidget(scroll);
    auto* record_layout = new QVBoxLayout(record_);
    for (const TControlDef& c : def_.form) record_layout->addWidget(BuildControl(c, *form_));
    record_layout->addStretch(1);
    scroll->setWidget(record_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    if (!def_.buttons.isEmpty()) {
        auto* row = new QHBoxLayout;
        for (const TButtonDef& b : def_.buttons) {
            auto* button = new QPushButton(b.caption, this);
            if (!b.shortcut.isEmpty()) button->setShortcut(QKeySequence(b.shortcut));
            connect(button, &QPushButton::clicked, this,
                    [this, b] { RunButton(b.procedure, b.params); });
            row->addWidget(button);
        }
        row->addStretch(1);
        layout->addLayout(row);
    }
}

QWidget* TZMKScreen::BuildControl(const TControlDef& c, TZMKControl& parent) {
    QWidget* widget = nullptr;
    if (c.type == QLatin1String("panel")) {
        auto* box = new QGroupBox(c.label, record_);
        auto* form = new QFormLayout(box);
        TZMKControl& me = parent.Add(std::make_unique<TQtControl>(c.name, QString(), box));
        for (const TControlDef& child : c.children) {
            QWidget* w = BuildControl(child, me);
            if (child.type == QLatin1String("panel") || child.type == QLatin1String("button") ||
                child.type == QLatin1String("label") || child.label.isEmpty())
                form->addRow(w);
            else
                form->addRow(child.label, w);
        }
        return box;
    }
    if (c.type == QLatin1String("button")) {
        auto* button = new QPushButton(c.label, record_);
        connect(button, &QPushButton::clicked, this, [this, c] {
            if (TZMKControl* ctl = form_->FindComponent(c.name); ctl && ctl->HasClickHandler())
                ctl->Click();
            else if (!c.procedure.isEmpty())
                RunButton(c.procedure, c.params);
        });
        widget = button;
    } else if (c.type == QLatin1String("label")) {
        widget = new QLabel(c.label, record_);
    } else if (c.type == QLatin1String("check")) {
        widget = new QCheckBox(c.label, record_);
    } else if (c.type == QLatin1String("memo")) {
        auto* memo = new QPlainTextEdit(record_);
        memo->setMaximumHeight(80);
        widget = memo;
    } else if (c.type == QLatin1String("lookup")) {
        auto* combo = new QComboBox(record_);
        QStringList parts = c.lookup.split(QLatin1Char(':'));
        combo->addItem(QString(), QVariant());
        if (parts.size() == 3 && ZMKApp().GetDefaultDB()) {
            try {
                auto ds = DefaultDB().GetTSQLDataSet(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %2")
                                                         .arg(parts[1], parts[2], parts[0]));
                ds->Open();
                for (; !ds->Eof(); ds->Next())
                    combo->addItem(ds->Fields(1).AsString(), ds->Fields(0).Value());
            } catch (const EZMKError&) {
            }
        }
        widget = combo;
    } else {
        widget = new QLineEdit(record_);
    }
    widget->setObjectName(c.name);
    parent.Add(std::make_unique<TQtControl>(c.name, c.field, widget));
    if (!c.field.isEmpty()) BindEditor(c, widget);
    return widget;
}

void TZMKScreen::BindEditor(const TControlDef& c, QWidget* widget) {
    bindings_.push_back(Binding{c.field, c.type, widget});
    size_t index = bindings_.size() - 1;
    // Typing into a control puts the record in edit mode, as a data-aware control does; the
    // value reaches the field when the control is left (or before the post).
    auto typed = [this, index] {
        if (showing_) return;
        BeginEditing();
        if (index < bindings_.size()) bindings_[index].dirty = true;
    };
    auto left = [this] {
        if (!showing_) Run([this] { FlushEditors(); });
    };
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, typed);
        connect(edit, &QLineEdit::editingFinished, this, left);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        connect(memo, &QPlainTextEdit::textChanged, this, typed);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        connect(check, &QCheckBox::clicked, this, [typed, left] {
            typed();
            left();
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, QOverload<int>::of(&QComboBox::activated), this, [typed, left] {
            typed();
            left();
        });
    }
}

QVariant TZMKScreen::EditorValue(const Binding& b) const {
    if (auto* edit = qobject_cast<QLineEdit*>(b.widget)) {
        if (b.type == QLatin1String("date")) return ParseDate(edit->text(), false);
        if (b.type == QLatin1String("datetime")) return ParseDate(edit->text(), true);
        if (b.type == QLatin1String("time")) {
            QTime t = QTime::fromString(edit->text().trimmed(), QStringLiteral("H:mm"));
            if (edit->text().trimmed().isEmpty()) return QVariant();
            return t.isValid() ? QVariant(QDateTime(QDate(1899, 12, 30), t)) : QVariant(edit->text());
        }
        return edit->text();
    }
    if (auto* memo = qobject_cast<QPlainTextEdit*>(b.widget)) return memo->toPlainText();
    if (auto* check = qobject_cast<QCheckBox*>(b.widget)) return check->isChecked();
    if (auto* combo = qobject_cast<QComboBox*>(b.widget)) return combo->currentData();
    return QVariant();
}

void TZMKScreen::FlushEditors() {
    TDataSet* ds = DataSet();
    if (!ds) return;
    for (Binding& b : bindings_) {
        if (!b.dirty) continue;
        b.dirty = false;
        if (ds->State() != TDataSetState::Edit && ds->State() != TDataSetState::Insert) continue;
        ds->FieldByName(b.field).SetValue(EditorValue(b));
    }
}

void TZMKScreen::BeginEditing() {
    TDataSet* ds = DataSet();
    if (!ds || ds->State() == TDataSetState::Edit || ds->State() == TDataSetState::Insert) return;
    if (!Run([ds] { ds->Edit(); })) ShowRecord();
}

void TZMKScreen::ShowRecord() {
    TDataSet* ds = DataSet();
    if (!ds) return;
    showing_ = true;
    for (Binding& b : bindings_) {
        TField* f = ds->FindField(b.field);
        QVariant v = f ? f->Value() : QVariant();
        b.dirty = false;
        if (auto* edit = qobject_cast<QLineEdit*>(b.widget)) {
            QString text = b.type == QLatin1String("time") && v.isValid()
                               ? v.toDateTime().time().toString(QStringLiteral("HH:mm"))
                               : TDataSetModel::DisplayText(v, b.type);
            if (edit->text() != text) edit->setText(text);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(b.widget)) {
            if (memo->toPlainText() != v.toString()) memo->setPlainText(v.toString());
        } else if (auto* check = qobject_cast<QCheckBox*>(b.widget)) {
            check->setChecked(v.toBool());
        } else if (auto* combo = qobject_cast<QComboBox*>(b.widget)) {
            int i = combo->findData(v);
            combo->setCurrentIndex(i < 0 ? 0 : i);
        }
    }
    showing_ = false;
}

void TZMKScreen::OpenQuery() {
    auto ds = DefaultDB().GetTSQLDataSet(ScreenSql(def_.sql), false);
    ZMKApp().AttachDataSet(*ds, def_.dataSource);
    query_ = std::make_unique<TQuerySQL>(std::move(ds));
    TDataSet& data = query_->DataSet();
    data.AddObserver(this);
    zmk_grid_ = std::make_unique<TZMKDBGrid>(*query_);
    PublishObjects();
    data.Open();
    model_ = new TDataSetModel(data, def_.columns, this);
    grid_->setModel(model_);
    for (int i = 0; i < def_.columns.size(); ++i)
        if (def_.columns[i].width > 0) grid_->setColumnWidth(i, def_.columns[i].width);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid() || !DataSet() || DataSet()->RecNo() == current.row() + 1)
                    return;
                if (!Run([this, current] { DataSet()->SetRecNo(current.row() + 1); }))
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
}

void TZMKScreen::PublishObjects() {
    TParametres& p = Parametres();
    p.SetParametreValue(QStringLiteral("PRMIP_ZMKFORM"), form_->Handle());
    p.SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), query_ ? query_->Handle() : 0);
    p.SetParametreValue(QStringLiteral("PRMIP_DATASET"),
                        query_ ? query_->DataSet().Handle() : 0);
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

void TZMKScreen::RunButton(const QString& procedure, const QVariantMap& params) {
    if (!Run([this] { FlushEditors(); })) return;
    if (zmk_grid_ && grid_->selectionModel() && DataSet()) {
        QVariantList keys;
        TField* key = DataSet()->FindField(DataSet()->KeyField());
        for (const QModelIndex& row : grid_->selectionModel()->selectedRows())
            if (key) keys << DataSet()->ValueAt(row.row(), key->Index());
        zmk_grid_->SetSelectedKeys(keys);
    }
    Run([&] {
        for (auto it = params.begin(); it != params.end(); ++it)
            Parametres().SetParametreValue(it.key(), it.value());
        ZMKApp().Procedures().ExecuteProcedure(procedure);
    });
}

void TZMKScreen::DataEvent(TDataEvent event, TDataSet&) {
    if (event == TDataEvent::StateChange || event == TDataEvent::AfterPost ||
        event == TDataEvent::AfterDelete)
        UpdateActions();
}

void TZMKScreen::DataChange(TDataSet&, TField* field) {
    if (!field) {
        ShowRecord();
        SyncGridSelection();
        return;
    }
    // A rule changed a field: show it unless the user is typing in it.
    for (Binding& b : bindings_)
        if (!b.dirty && b.field.compare(field->FieldName(), Qt::CaseInsensitive) == 0) {
            showing_ = true;
            if (auto* edit = qobject_cast<QLineEdit*>(b.widget))
                edit->setText(TDataSetModel::DisplayText(field->Value(), b.type));
            else if (auto* check = qobject_cast<QCheckBox*>(b.widget))
                check->setChecked(field->AsBoolean());
            else if (auto* combo = qobject_cast<QComboBox*>(b.widget))
                combo->setCurrentIndex(std::max(0, combo->findData(field->Value())));
            else if (auto* memo = qobject_cast<QPlainTextEdit*>(b.widget))
                memo->setPlainText(field->AsString());
            showing_ = false;
        }
}

void TZMKScreen::SyncGridSelection() {
    TDataSet* ds = DataSet();
    if (!ds || !grid_->model() || ds->RecNo() <= 0) return;
    int row = ds->RecNo() - 1;
    if (grid_->currentIndex().row() != row) {
        QSignalBlocker block(grid_->selectionModel());
        grid_->selectRow(row);
        grid_->scrollTo(grid_->model()->index(row, 0));
    }
}

void TZMKScreen::UpdateActions() {
    TDataSet* ds = DataSet();
    bool editing = ds && (ds->State() == TDataSetState::Edit || ds->State() == TDataSetState::Insert);
    bool has_rows = ds && !ds->IsEmpty();
    bool writable = ds && !ds->IsReadOnly() && !ds->KeyField().isEmpty();
    act_insert_->setEnabled(writable && !editing);
    act_edit_->setEnabled(writable && has_rows && !editing);
    act_post_->setEnabled(editing);
    act_cancel_->setEnabled(editing);
    act_delete_->setEnabled(writable && has_rows && !editing);
    for (QAction* a : {act_first_, act_prior_, act_next_, act_last_, act_refresh_})
        a->setEnabled(ds && !editing);
    grid_->setEnabled(!editing);
}

void TZMKScreen::Search() {
    TDataSet* ds = DataSet();
    QString text = search_->text().trimmed();
    if (!ds || text.isEmpty() || def_.columns.isEmpty()) return;
    // Incremental search on the grid's sorted column, else its first column.
    int column = grid_->horizontalHeader()->sortIndicatorSection();
    if (column < 0 || column >= def_.columns.size()) column = 0;
    for (int row = 0; row < ds->RecordCount(); ++row) {
        QString shown = model_->data(model_->index(row, column), Qt::DisplayRole).toString();
        if (shown.startsWith(text, Qt::CaseInsensitive)) {
            Run([ds, row] { ds->SetRecNo(row + 1); });
            return;
        }
    }
}

void TZMKScreen::ExportCsv() {
    if (!model_) return;
    QString path = Prompt().SaveFileName(QStringLiteral("Exportar la lista"),
                                         def_.caption + QStringLiteral(".csv"),
                                         QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        MuestraError(QStringLiteral("No se puede escribir el archivo:\n%1").arg(path));
        return;
    }
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    auto quote = [](QString s) { return QLatin1Char('"') + s.replace(QLatin1Char('"'), "\"\"") + '"'; };
    QStringList header;
    for (int c = 0; c < model_->columnCount(); ++c)
        header << quote(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    out << header.join(QLatin1Char(';')) << "\n";
    for (int r = 0; r < model_->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model_->columnCount(); ++c) {
            QVariant check = model_->data(model_->index(r, c), Qt::CheckStateRole);
            cells << quote(check.isValid() ? (check.toInt() == Qt::Checked ? QStringLiteral("Sí")
                                                                           : QStringLiteral("No"))
                                           : model_->data(model_->index(r, c), Qt::DisplayRole).toString());
        }
        out << cells.join(QLatin1Char(';')) << "\n";
    }
}

bool TZMKScreen::CanClose() {
    TDataSet* ds = DataSet();
    if (!ds || (ds->State() != TDataSetState::Edit && ds->State() != TDataSetState::Insert))
        return true;
    TMsgButton answer =
        Pregunta(QStringLiteral("El registro ha sido modificado.\n\n¿Guardar los cambios?"),
                 {TMsgButton::Yes, TMsgButton::No, TMsgButton::Cancel}, TMsgIcon::Question,
                 TMsgButton::Yes);
    if (answer == TMsgButton::Cancel) return false;
    if (answer == TMsgButton::No) return Run([ds] { ds->Cancel(); });
    return Run([this, ds] {
        FlushEditors();
        ds->Post();
    });
}

void TZMKScreen::closeEvent(QCloseEvent* event) {
    if (CanClose())
        event->accept();
    else
        event->ignore();
}

}  // namespace zmk
