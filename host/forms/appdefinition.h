#pragma once
// The application file: the tree of menus and the definition of every screen, read from a
// readable JSON text (resources/escolia.zmk).
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariantMap>
#include <memory>

#include "host/app.h"
#include "host/forms/datasetmodel.h"

namespace zmk {

// One control of a record form. Panels hold children; data-aware controls name their field.
struct TControlDef {
    QString name;
    QString type;  // panel, edit, memo, check, date, time, lookup, label, button
    QString field;
    QString label;
    QString
        lookup;  // lookup: "TABLE:KEY:TEXT" ("T17FormasCobro:IDFormaCobroT17:DescFormaCobroT17")
    QString filter;      // lookup: condition on the looked-up table (may use :PRMIDCentroActual)
    QString procedure;   // button: the library procedure it runs
    QString editor;      // edit: the data-source plug-in that edits the value ("TEXTO_CONCEPTO")
    QVariantMap params;  // button: "PRME01".. values
    QList<TControlDef> children;
};

struct TButtonDef {
    QString caption;
    QString procedure;
    QVariantMap params;
    QString shortcut;
};

struct TScreenDef {
    QString id;
    QString caption;
    QString table;
    int dataSource = 0;     // the data rules that watch the screen's records
    int colours = 0;        // the grid colours (a list's own identifier; default dataSource)
    QString sql;            // may use :PRMIDCentroActual and :MASTER (the master record's key)
    bool readOnly = false;  // queries: browsed, never changed
    QList<TGridColumn> columns;
    QList<TControlDef> form;
    QList<TButtonDef> buttons;
    // Detail screens follow the current record of this one: screen id and the detail's field
    // that holds this screen's key.
    struct Detail {
        QString screen;
        QString masterField;
        QString detailField;
        // The detail screen's definition (its own details are not shown inside a master).
        std::shared_ptr<const TScreenDef> definition;
    };
    QList<Detail> details;
    bool modal = false;  // a tool window
};

struct TAppDefinition {
    QString title;
    std::vector<TZMKNode> nodes;
    QMap<int, QString> nodeScreens;  // node id -> screen id
    QMap<QString, TScreenDef> screens;
};

// Reads an application file; raises with the file's name and the reason when it is not valid.
TAppDefinition LoadAppDefinition(const QByteArray& json, const QString& origin);
// The built-in definition shipped with the program.
TAppDefinition BuiltInAppDefinition();

}  // namespace zmk
