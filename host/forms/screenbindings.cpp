// The record form's data-aware controls of a data screen: how each control is built from the
// application file, how typing reaches its field, and how the current record is shown.
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "host/datasources.h"
#include "host/errors.h"
#include "host/forms/controlclasses.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/lookupcombo.h"
#include "host/forms/qtcontrols.h"
#include "host/forms/screen.h"
#include "host/prompt.h"

namespace zmk {

namespace {

QVariant ParseDate(const QString& text, bool withTime) {
    QString t = text.trimmed();
    if (t.isEmpty()) return QVariant();
    for (const char* f : {"dd/MM/yyyy HH:mm", "dd/MM/yyyy", "d/M/yyyy", "d/M/yy", "yyyy-MM-dd"}) {
        QDateTime d = QDateTime::fromString(t, QLatin1String(f));
        if (d.isValid()) return withTime ? d : QDateTime(d.date(), QTime(0, 0));
    }
    return t;  // the field refuses it with the program's message
}

// How an edit shows its field: amounts as they are typed.
QString EditFormat(const QString& controlType) {
    return controlType == QLatin1String("money") ? QStringLiteral("amount") : controlType;
}

// The pictures a plug-in's button may borrow by image class; none for the others.
QIcon EditorIcon(const QString& imageClass, const QStyle* style) {
    if (imageClass.compare(QLatin1String("SEARCH"), Qt::CaseInsensitive) == 0)
        return style->standardIcon(QStyle::SP_FileDialogContentsView);
    return QIcon();
}

// A field's label shows and hides with the field, as rules hide controls by name.
class TLabelFollower : public QObject {
  public:
    TLabelFollower(QLabel* label, QWidget* field) : QObject(label), label_(label) {
        field->installEventFilter(this);
        label->setVisible(!field->isHidden());
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
            label_->setVisible(!static_cast<QWidget*>(watched)->isHidden());
        return false;
    }

  private:
    QLabel* label_;
};

}  // namespace

// A panel of time boxes alone, four per day (from–to in the morning and in the afternoon), is
// a timetable: a row per day, named by the first word of its boxes' captions.
bool TZMKScreen::IsTimetable(const TControlDef& c) {
    if (c.children.size() < 8 || c.children.size() % 4 != 0) return false;
    return std::all_of(c.children.begin(), c.children.end(), [](const TControlDef& child) {
        return child.type == QLatin1String("time") && child.label.contains(u' ');
    });
}

QWidget* TZMKScreen::BuildTimetable(const TControlDef& c, TZMKControl& me, QGroupBox* box) {
    auto* grid = new QGridLayout(box);
    const auto rest = [](const QString& label) { return label.section(u' ', 1); };
    for (int k = 0; k < 4; ++k)
        grid->addWidget(new QLabel(rest(c.children[k].label), box), 0, k + 1, Qt::AlignCenter);
    for (int i = 0; i < c.children.size(); ++i) {
        const TControlDef& child = c.children[i];
        QWidget* w = BuildControl(child, me);
        w->setMaximumWidth(80);
        w->setToolTip(child.label);
        const int row = i / 4 + 1;
        if (i % 4 == 0) {
            auto* day = new QLabel(child.label.section(u' ', 0, 0), box);
            day->setBuddy(w);
            grid->addWidget(day, row, 0);
        }
        grid->addWidget(w, row, i % 4 + 1);
    }
    grid->setColumnStretch(5, 1);
    return box;
}

QWidget* TZMKScreen::BuildControl(const TControlDef& c, TZMKControl& parent) {
    QWidget* widget = nullptr;
    if (c.type == QLatin1String("panel")) {
        auto* box = new QGroupBox(c.label, record_);
        box->setObjectName(c.name);
        TZMKControl& me = parent.Add(std::make_unique<TQtControl>(c.name, QString(), box));
        // Long panels use two columns of fields, so a record fits on the screen.
        // Fields take a cell of the grid, with their label at the left; a check box carries its
        // own text.
        const auto inCell = [](const TControlDef& child) {
            return child.type == QLatin1String("check") ||
                   (child.type != QLatin1String("panel") && child.type != QLatin1String("button") &&
                    child.type != QLatin1String("label") && !child.label.isEmpty());
        };
        if (IsTimetable(c)) return BuildTimetable(c, me, box);
        const auto cells = std::count_if(c.children.begin(), c.children.end(), inCell);
        const bool onlyChecks = std::all_of(
            c.children.begin(), c.children.end(),
            [](const TControlDef& child) { return child.type == QLatin1String("check"); });
        // A panel of check boxes alone (the months) lays them out four to a row.
        const int columns = onlyChecks && cells >= 8 ? 4 : cells >= 6 ? 2 : 1;
        auto* grid = new QGridLayout(box);
        for (int i = 0; i < columns; ++i) grid->setColumnStretch(2 * i + 1, 1);
        int row = 0, column = 0;
        for (const TControlDef& child : c.children) {
            QWidget* w = BuildControl(child, me);
            if (inCell(child)) {
                if (child.type != QLatin1String("check")) {
                    auto* label = new QLabel(child.label, box);
                    label->setBuddy(w);
                    new TLabelFollower(label, w);
                    grid->addWidget(label, row, 2 * column);
                }
                grid->addWidget(w, row, 2 * column + 1);
                if (++column == columns) {
                    column = 0;
                    ++row;
                }
                continue;
            }
            if (column > 0) {
                column = 0;
                ++row;
            }
            // A button keeps its own width, at the left under the fields.
            grid->addWidget(
                w, row++, 0, 1, 2 * columns,
                child.type == QLatin1String("button") ? Qt::AlignLeft : Qt::Alignment());
        }
        return box;
    }
    if (c.type == QLatin1String("button")) {
        auto* button = new QPushButton(c.label, record_);
        connect(button, &QPushButton::clicked, this, [this, c] {
            if (TZMKControl* ctl = form_->FindComponent(c.name); ctl && ctl->HasClickHandler())
                ctl->Click();
            else if (!c.procedure.isEmpty())
                RunButton(c.procedure, c.params, c.label);
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
        widget = new TLookupCombo(c.lookup, c.filter, record_);
    } else if (TControlFactory factory = ClaseControl(c.type)) {
        widget = factory(
            c, [this] { return DataSet(); }, record_);
        data_controls_.push_back(widget);
    } else {
        auto* edit = new QLineEdit(record_);
        if (c.type == QLatin1String("money")) edit->setAlignment(Qt::AlignRight);
        widget = edit;
    }
    widget->setObjectName(c.name);
    QWidget* placed = widget;
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && !c.editor.isEmpty())
        placed = WithEditorButton(c, edit);
    parent.Add(std::make_unique<TQtControl>(c.name, c.field, placed));
    if (!c.field.isEmpty()) BindEditor(c, widget);
    if (auto* check = qobject_cast<QCheckBox*>(widget); check && !c.procedure.isEmpty()) {
        // A box whose change a procedure follows (after the value reached the field).
        connect(check, &QCheckBox::clicked, this,
                [this, c] { RunButton(c.procedure, c.params, c.label); });
    }
    return placed;
}

QWidget* TZMKScreen::WithEditorButton(const TControlDef& c, QLineEdit* edit) {
    if (c.field.isEmpty() || !CreateZMKDataSource(c.editor)) return edit;
    auto* box = new QWidget(record_);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    edit->setParent(box);
    row->addWidget(edit, 1);
    auto* button = new QToolButton(box);
    button->setObjectName(c.name + QStringLiteral("Editor"));
    button->setToolTip(c.editor);
    button->setFocusPolicy(Qt::NoFocus);
    const QIcon icon = EditorIcon(ZMKDataSource_ImageClass(c.editor), style());
    if (icon.isNull())
        button->setText(QStringLiteral("..."));
    else
        button->setIcon(icon);
    row->addWidget(button);
    const QString editor = c.editor;
    connect(button, &QToolButton::clicked, this,
            [this, edit, editor] { OpenFieldEditor(edit, editor); });
    auto* key = new QAction(edit);
    key->setShortcut(QKeySequence(Qt::Key_F4));
    key->setShortcutContext(Qt::WidgetShortcut);
    edit->addAction(key);
    connect(key, &QAction::triggered, this,
            [this, edit, editor] { OpenFieldEditor(edit, editor); });
    return box;
}

void TZMKScreen::OpenFieldEditor(QLineEdit* edit, const QString& editor) {
    TDataSet* ds = DataSet();
    auto binding = std::find_if(bindings_.begin(), bindings_.end(),
                                [edit](const Binding& b) { return b.widget == edit; });
    if (!ds || !ds->Active() || binding == bindings_.end()) return;
    const QString field = binding->field;
    auto plugin = CreateZMKDataSource(editor);
    if (!plugin) return;
    // The plug-in edits what the user sees, typed changes included.
    QString value = edit->text();
    bool accepted = false;
    if (!Run([&] { accepted = plugin->Edit(value); }) || !accepted) return;
    BeginEditing();
    if (ds->State() != TDataSetState::Edit && ds->State() != TDataSetState::Insert) return;
    // As typing does: the value reaches the field, whose change events follow.
    binding->dirty = false;
    Run([&] { ds->FieldByName(field).SetValue(value); });
}

void TZMKScreen::BindEditor(const TControlDef& c, QWidget* widget) {
    bindings_.push_back(Binding{c.field, c.type, widget, false, c.label});
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
            return t.isValid() ? QVariant(QDateTime(QDate(1899, 12, 30), t))
                               : QVariant(edit->text());
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
        try {
            ds->FieldByName(b.field).SetValue(EditorValue(b));
        } catch (const EZMKError& e) {
            // The user knows the field by the caption on the form.
            throw EZMKError((b.label.isEmpty() ? b.field : b.label) + QStringLiteral(": ") +
                            e.Message());
        }
    }
}

void TZMKScreen::BeginEditing() {
    TDataSet* ds = DataSet();
    if (!ds || ds->State() == TDataSetState::Edit || ds->State() == TDataSetState::Insert) return;
    if (!Run([this, ds] {
            RequireRight(TTableRight::Modify);
            ds->Edit();
        }))
        ShowRecord();
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
                               : TDataSetModel::DisplayText(v, EditFormat(b.type));
            if (edit->text() != text) edit->setText(text);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(b.widget)) {
            if (memo->toPlainText() != v.toString()) memo->setPlainText(v.toString());
        } else if (auto* check = qobject_cast<QCheckBox*>(b.widget)) {
            check->setChecked(v.toBool());
        } else if (auto* combo = dynamic_cast<TLookupCombo*>(b.widget)) {
            combo->SetKey(v);
        }
    }
    showing_ = false;
}

void TZMKScreen::DataChange(TDataSet& dataSet, TField* field) {
    ForEachDataControl([&](IDataEventSink& c) { c.DataChange(dataSet, field); });
    if (!field) {
        ShowRecord();
        SyncGridSelection();
        UpdateDetails();
        return;
    }
    // A rule changed a field: show it unless the user is typing in it.
    for (Binding& b : bindings_)
        if (!b.dirty && b.field.compare(field->FieldName(), Qt::CaseInsensitive) == 0) {
            showing_ = true;
            if (auto* edit = qobject_cast<QLineEdit*>(b.widget))
                edit->setText(TDataSetModel::DisplayText(field->Value(), EditFormat(b.type)));
            else if (auto* check = qobject_cast<QCheckBox*>(b.widget))
                check->setChecked(field->AsBoolean());
            else if (auto* combo = dynamic_cast<TLookupCombo*>(b.widget))
                combo->SetKey(field->Value());
            else if (auto* memo = qobject_cast<QPlainTextEdit*>(b.widget))
                memo->setPlainText(field->AsString());
            showing_ = false;
        }
}

bool TZMKScreen::HasChanges() const {
    TDataSet* ds = DataSet();
    if (!ds || (ds->State() != TDataSetState::Edit && ds->State() != TDataSetState::Insert))
        return false;
    return ds->Modified() || std::any_of(bindings_.begin(), bindings_.end(),
                                         [](const Binding& b) { return b.dirty; });
}

bool TZMKScreen::CanClose() {
    if (!DetailsCanLeave()) return false;
    TDataSet* ds = DataSet();
    if (!ds || (ds->State() != TDataSetState::Edit && ds->State() != TDataSetState::Insert))
        return true;
    TMsgButton answer = Pregunta(
        QStringLiteral("El registro ha sido modificado.\n\n¿Guardar los cambios?"),
        {TMsgButton::Yes, TMsgButton::No, TMsgButton::Cancel}, TMsgIcon::Question, TMsgButton::Yes);
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
