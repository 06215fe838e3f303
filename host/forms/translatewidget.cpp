#include "host/forms/translatewidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include "host/formhooks.h"

namespace zmk {

namespace {

QString BuiltInText(QObject* o, const char* property, const QString& current) {
    QVariant original = o->property(property);
    if (!original.isValid()) {
        o->setProperty(property, current);
        return current;
    }
    return original.toString();
}

}  // namespace

void TranslateWidget(QWidget* form, const QString& section, TCaptionTranslation caption) {
    auto text = [&](QObject* o, const QString& current) {
        return TranslatedText(section + u'.' + o->objectName(),
                              BuiltInText(o, "zmkDefaultText", current));
    };
    if (caption == TCaptionTranslation::Translate)
        form->setWindowTitle(
            TranslatedText(section + QStringLiteral(".Caption"),
                           BuiltInText(form, "zmkDefaultCaption", form->windowTitle())));
    for (QAction* a : form->findChildren<QAction*>())
        if (!a->objectName().isEmpty()) a->setText(text(a, a->text()));
    for (QMenu* m : form->findChildren<QMenu*>())
        if (!m->objectName().isEmpty()) m->setTitle(text(m, m->title()));
    for (QLabel* l : form->findChildren<QLabel*>())
        if (!l->objectName().isEmpty() && !l->property("zmkNoTranslate").toBool())
            l->setText(text(l, l->text()));
    for (QAbstractButton* b : form->findChildren<QAbstractButton*>())
        if (!b->objectName().isEmpty()) b->setText(text(b, b->text()));
    for (QGroupBox* g : form->findChildren<QGroupBox*>())
        if (!g->objectName().isEmpty()) g->setTitle(text(g, g->title()));
}

}  // namespace zmk
