#pragma once
// Small screens for the screen engine's tests: the centres' list with the controls a test needs.
#include <QAction>
#include <memory>

#include "host/forms/appdefinition.h"
#include "host/forms/screen.h"

namespace zmk::test {

inline TControlDef Edicion(const QString& name, const QString& field,
                           const QString& editor = QString()) {
    TControlDef c;
    c.name = name;
    c.type = QStringLiteral("edit");
    c.field = field;
    c.editor = editor;
    return c;
}

// The centres (data source 251) ordered by code, with these controls on the record form.
inline TScreenDef PantallaCentros(QList<TControlDef> controles) {
    TScreenDef def;
    def.id = QStringLiteral("centros");
    def.caption = QStringLiteral("Centros");
    def.table = QStringLiteral("T20Centros");
    def.dataSource = 251;
    def.sql = QStringLiteral("SELECT * FROM T20Centros ORDER BY CodigoCentroT20");
    def.columns << TGridColumn{
        QStringLiteral("CodigoCentroT20"), QStringLiteral("Código"), {}, 0, {}};
    def.form = std::move(controles);
    return def;
}

// The screen opened on its query, owned by the test.
inline std::unique_ptr<TZMKScreen> AbrePantalla(const TScreenDef& def, int node = 11342) {
    auto screen = std::make_unique<TZMKScreen>(def, node);
    screen->setAttribute(Qt::WA_DeleteOnClose, false);
    screen->OpenQuery();
    return screen;
}

// The screen's toolbar action with that caption (its keys trigger it too).
inline QAction* Accion(TZMKScreen& screen, const QString& caption) {
    for (QAction* a : screen.findChildren<QAction*>())
        if (a->text() == caption) return a;
    return nullptr;
}

}  // namespace zmk::test
