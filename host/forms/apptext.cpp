#include "host/forms/apptext.h"

#include "host/formhooks.h"

namespace zmk {

namespace {

void TranslateControls(QList<TControlDef>& controls) {
    for (TControlDef& c : controls) {
        c.label = AppText(c.label);
        TranslateControls(c.children);
    }
}

}  // namespace

QString AppText(const QString& text) {
    const QString key = text.trimmed();
    if (key.isEmpty()) return text;
    return TranslatedText(QStringLiteral("Application.Texts.") + key, text);
}

TScreenDef TranslatedScreen(const TScreenDef& def) {
    TScreenDef t = def;
    t.caption = AppText(t.caption);
    for (TGridColumn& c : t.columns) c.title = AppText(c.title);
    TranslateControls(t.form);
    for (TButtonDef& b : t.buttons) b.caption = AppText(b.caption);
    for (TScreenDef::Detail& d : t.details)
        if (d.definition)
            d.definition = std::make_shared<const TScreenDef>(TranslatedScreen(*d.definition));
    return t;
}

}  // namespace zmk
