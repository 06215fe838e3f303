// The screen's texts in the chosen language, again when the language changes while it is open.
#include <QAbstractButton>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <optional>

#include "host/forms/apptext.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/screen.h"
#include "host/forms/teclasacceso.h"

namespace zmk {

namespace {

// The texts the screen's toolbar shows, in Spanish.
const char* const kToolbarTexts[] = {"Nuevo",     "Modificar", "Aceptar",  "Cancelar", "Borrar",
                                     "Refrescar", "Exportar",  "Imprimir", "Buscar",   "Filtrar"};

// The properties of a widget or action that show a text of the application file.
const char* const kTextProperties[] = {"text", "title", "toolTip", "placeholderText"};

using TTextSources = QHash<QString, QString>;  // the text shown → its Spanish text

void CollectControls(const QList<TControlDef>& spanish, const QList<TControlDef>& shown,
                     TTextSources& sources) {
    for (qsizetype i = 0; i < spanish.size() && i < shown.size(); ++i) {
        sources.insert(shown[i].label, spanish[i].label);
        CollectControls(spanish[i].children, shown[i].children, sources);
    }
}

TTextSources TextSources(const TScreenDef& spanish, const TScreenDef& shown) {
    TTextSources sources;
    sources.insert(shown.caption, spanish.caption);
    for (qsizetype i = 0; i < spanish.columns.size() && i < shown.columns.size(); ++i)
        sources.insert(shown.columns[i].title, spanish.columns[i].title);
    for (qsizetype i = 0; i < spanish.buttons.size() && i < shown.buttons.size(); ++i)
        sources.insert(shown.buttons[i].caption, spanish.buttons[i].caption);
    CollectControls(spanish.form, shown.form, sources);
    for (const char* text : kToolbarTexts) {
        const QString source = QString::fromLatin1(text);
        sources.insert(AppText(source), source);
    }
    sources.remove(QString());
    return sources;
}

QByteArray TagName(const char* property) {
    return QByteArrayLiteral("zmkAppText_") + property;
}

// The Spanish text and what follows it (" (F2)" of a tool tip), when the text is one the
// screen's definition or toolbar gave.
std::optional<QStringList> SourceOf(const QString& text, const TTextSources& sources) {
    if (auto it = sources.constFind(text); it != sources.constEnd()) return QStringList{*it, {}};
    const qsizetype paren = text.lastIndexOf(QStringLiteral(" ("));
    if (paren > 0)
        if (auto it = sources.constFind(text.left(paren)); it != sources.constEnd())
            return QStringList{*it, text.mid(paren)};
    return std::nullopt;
}

bool ShowsTexts(const QObject* o) {
    return qobject_cast<const QLabel*>(o) || qobject_cast<const QAbstractButton*>(o) ||
           qobject_cast<const QGroupBox*>(o) || qobject_cast<const QLineEdit*>(o) ||
           qobject_cast<const QAction*>(o);
}

const TZMKScreen* ScreenOf(const QObject* o) {
    for (const QObject* p = o->parent(); p; p = p->parent())
        if (auto* screen = dynamic_cast<const TZMKScreen*>(p)) return screen;
    return nullptr;
}

void TranslateControls(QList<TControlDef>& shown, const QList<TControlDef>& translated) {
    for (qsizetype i = 0; i < shown.size() && i < translated.size(); ++i) {
        shown[i].label = translated[i].label;
        TranslateControls(shown[i].children, translated[i].children);
    }
}

}  // namespace

void TZMKScreen::TagTexts() {
    const TTextSources sources = TextSources(spanish_, def_);
    for (QObject* o : findChildren<QObject*>()) {
        if (!ShowsTexts(o) || ScreenOf(o) != this) continue;
        for (const char* property : kTextProperties) {
            const QVariant value = o->property(property);
            if (value.typeId() != QMetaType::QString) continue;
            if (auto source = SourceOf(value.toString(), sources))
                o->setProperty(TagName(property).constData(), *source);
        }
    }
}

void TZMKScreen::KeyButtons() {
    QString taken;
    if (auto* main = qobject_cast<QMainWindow*>(window()); main && main->menuBar())
        taken = TeclasDeAccesoDe(*main->menuBar());
    QStringList captions;
    for (QPushButton* b : std::as_const(buttons_)) captions << b->text();
    captions = ConTeclasDeAcceso(captions, taken);
    for (int i = 0; i < buttons_.size(); ++i) buttons_[i]->setText(captions[i]);
}

void TZMKScreen::RetranslateTexts() {
    // The definition's texts change in place: bindings and buttons keep pointing at it.
    const TScreenDef translated = TranslatedScreen(spanish_);
    const TTextSources before = TextSources(spanish_, def_);
    def_.caption = translated.caption;
    for (qsizetype i = 0; i < def_.columns.size() && i < translated.columns.size(); ++i)
        def_.columns[i].title = translated.columns[i].title;
    for (qsizetype i = 0; i < def_.buttons.size() && i < translated.buttons.size(); ++i)
        def_.buttons[i].caption = translated.buttons[i].caption;
    TranslateControls(def_.form, translated.form);
    for (Binding& b : bindings_)
        if (auto it = before.constFind(b.label); it != before.constEnd()) b.label = AppText(*it);

    setWindowTitle(def_.caption);
    for (QObject* o : findChildren<QObject*>()) {
        if (!ShowsTexts(o) || ScreenOf(o) != this) continue;
        for (const char* property : kTextProperties) {
            const QStringList source = o->property(TagName(property).constData()).toStringList();
            if (source.size() == 2) o->setProperty(property, AppText(source[0]) + source[1]);
        }
    }
    if (model_ && !def_.columns.isEmpty()) {
        QStringList titles;
        for (const TGridColumn& c : def_.columns) titles << c.title;
        model_->SetColumnTitles(titles);
    }
    for (size_t i = 0; i < details_.size(); ++i) {
        details_[i]->RetranslateTexts();
        detail_tabs_->setTabText(int(i), details_[i]->def_.caption);
    }
    if (buttons_keyed_) KeyButtons();
}

}  // namespace zmk
