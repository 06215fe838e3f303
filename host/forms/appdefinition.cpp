#include "host/forms/appdefinition.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include "host/errors.h"

namespace zmk {

namespace {

QVariantMap Params(const QJsonValue& v) {
    return v.toObject().toVariantMap();
}

TControlDef ReadControl(const QJsonObject& o) {
    TControlDef c;
    c.name = o.value(QStringLiteral("name")).toString();
    c.type = o.value(QStringLiteral("type")).toString(QStringLiteral("edit"));
    c.field = o.value(QStringLiteral("field")).toString();
    c.label = o.value(QStringLiteral("label")).toString();
    c.lookup = o.value(QStringLiteral("lookup")).toString();
    c.filter = o.value(QStringLiteral("filter")).toString();
    c.procedure = o.value(QStringLiteral("procedure")).toString();
    c.editor = o.value(QStringLiteral("editor")).toString();
    c.params = Params(o.value(QStringLiteral("params")));
    for (const QJsonValue& child : o.value(QStringLiteral("children")).toArray())
        c.children << ReadControl(child.toObject());
    return c;
}

TScreenDef ReadScreen(const QString& id, const QJsonObject& o) {
    TScreenDef s;
    s.id = id;
    s.caption = o.value(QStringLiteral("caption")).toString();
    s.table = o.value(QStringLiteral("table")).toString();
    s.dataSource = o.value(QStringLiteral("dataSource")).toInt();
    s.colours = o.value(QStringLiteral("colours")).toInt(s.dataSource);
    s.sql = o.value(QStringLiteral("sql")).toString();
    if (s.sql.isEmpty()) s.sql = QStringLiteral("SELECT * FROM ") + s.table;
    s.modal = o.value(QStringLiteral("modal")).toBool();
    s.readOnly = o.value(QStringLiteral("readOnly")).toBool();
    for (const QJsonValue& v : o.value(QStringLiteral("columns")).toArray()) {
        QJsonObject c = v.toObject();
        s.columns << TGridColumn{c.value(QStringLiteral("field")).toString(),
                                 c.value(QStringLiteral("title")).toString(),
                                 c.value(QStringLiteral("format")).toString(),
                                 c.value(QStringLiteral("width")).toInt(),
                                 c.value(QStringLiteral("lookup")).toString()};
    }
    for (const QJsonValue& v : o.value(QStringLiteral("form")).toArray())
        s.form << ReadControl(v.toObject());
    for (const QJsonValue& v : o.value(QStringLiteral("buttons")).toArray()) {
        QJsonObject b = v.toObject();
        s.buttons << TButtonDef{b.value(QStringLiteral("caption")).toString(),
                                b.value(QStringLiteral("procedure")).toString(),
                                Params(b.value(QStringLiteral("params"))),
                                b.value(QStringLiteral("shortcut")).toString()};
    }
    for (const QJsonValue& v : o.value(QStringLiteral("details")).toArray()) {
        QJsonObject d = v.toObject();
        s.details << TScreenDef::Detail{d.value(QStringLiteral("screen")).toString(),
                                        d.value(QStringLiteral("masterField")).toString(),
                                        d.value(QStringLiteral("detailField")).toString(), nullptr};
    }
    return s;
}

}  // namespace

TAppDefinition LoadAppDefinition(const QByteArray& json, const QString& origin) {
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (doc.isNull() || !doc.isObject())
        throw EZMKError(QStringLiteral("El archivo de la aplicación no es válido:\n%1\n%2")
                            .arg(origin, error.errorString()));
    QJsonObject root = doc.object();
    TAppDefinition def;
    def.title = root.value(QStringLiteral("title")).toString();
    for (const QJsonValue& v : root.value(QStringLiteral("nodes")).toArray()) {
        QJsonObject n = v.toObject();
        TZMKNode node;
        node.id = n.value(QStringLiteral("id")).toInt();
        node.parentId = n.value(QStringLiteral("parent")).toInt();
        node.kind = n.value(QStringLiteral("kind")).toInt();
        node.caption = n.value(QStringLiteral("caption")).toString();
        if (node.id <= 0)
            throw EZMKError(
                QStringLiteral("El archivo de la aplicación no es válido:\n%1\nNodo sin "
                               "identificador: %2")
                    .arg(origin, node.caption));
        QString screen = n.value(QStringLiteral("screen")).toString();
        if (!screen.isEmpty()) def.nodeScreens.insert(node.id, screen);
        def.nodes.push_back(node);
    }
    QJsonObject screens = root.value(QStringLiteral("screens")).toObject();
    for (auto it = screens.begin(); it != screens.end(); ++it)
        def.screens.insert(it.key(), ReadScreen(it.key(), it.value().toObject()));
    for (TScreenDef& screen : def.screens) {
        for (TScreenDef::Detail& detail : screen.details) {
            auto found = def.screens.constFind(detail.screen);
            if (found == def.screens.constEnd())
                throw EZMKError(
                    QStringLiteral("El archivo de la aplicación no es válido:\n%1\nLa "
                                   "pantalla \"%2\" muestra la pantalla desconocida \"%3\"")
                        .arg(origin, screen.id, detail.screen));
            auto copy = std::make_shared<TScreenDef>(*found);
            copy->details.clear();
            detail.definition = std::move(copy);
        }
    }
    for (auto it = def.nodeScreens.begin(); it != def.nodeScreens.end(); ++it)
        if (!def.screens.contains(it.value()))
            throw EZMKError(QStringLiteral("El archivo de la aplicación no es válido:\n%1\nEl nodo "
                                           "%2 abre la pantalla desconocida \"%3\"")
                                .arg(origin)
                                .arg(it.key())
                                .arg(it.value()));
    return def;
}

TAppDefinition BuiltInAppDefinition() {
    QFile file(QStringLiteral(":/zmk/escolia.zmk"));
    if (!file.open(QIODevice::ReadOnly))
        throw EZMKError(QStringLiteral("No se encuentra la definición de la aplicación"));
    return LoadAppDefinition(file.readAll(), file.fileName());
}

}  // namespace zmk
