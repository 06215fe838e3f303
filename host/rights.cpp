#include "host/rights.h"

#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"

namespace zmk {

namespace {

std::unique_ptr<TRightsProvider>& Provider() {
    static std::unique_ptr<TRightsProvider> provider = std::make_unique<TRightsProvider>();
    return provider;
}

bool DatabaseIsReadOnly() {
    const TDataBaseZMK* db = ZMKApp().GetDefaultDB();
    return db && db->ReadOnly();
}

// The refused operation, as "No tiene permiso para ... «table»" says it.
QString Operation(TTableRight right) {
    switch (right) {
        case TTableRight::View:
            return QStringLiteral("ver");
        case TTableRight::Add:
            return QStringLiteral("añadir registros en");
        case TTableRight::Modify:
            return QStringLiteral("modificar");
        case TTableRight::Delete:
            return QStringLiteral("borrar registros de");
    }
    return QString();
}

}  // namespace

bool TRightsProvider::Allows(const QString&, TTableRight) const {
    return true;
}

std::unique_ptr<TRightsProvider> SetRightsProvider(std::unique_ptr<TRightsProvider> provider) {
    std::unique_ptr<TRightsProvider> previous = std::move(Provider());
    Provider() = provider ? std::move(provider) : std::make_unique<TRightsProvider>();
    return previous;
}

bool TableAllows(const QString& table, TTableRight right) {
    if (right != TTableRight::View && DatabaseIsReadOnly()) return false;
    return Provider()->Allows(table, right);
}

QString TableRefusal(const QString& table, const QString& caption, TTableRight right) {
    const QString name = QStringLiteral("«") + (caption.isEmpty() ? table : caption) + u'»';
    if (right != TTableRight::View && DatabaseIsReadOnly())
        return QStringLiteral(
                   "La base de datos está abierta sólo para lectura: %1 no admite cambios.\n"
                   "Para hacer cambios, entre con un usuario que tenga permiso de escritura.")
            .arg(name);
    if (Provider()->Allows(table, right)) return QString();
    return QStringLiteral("No tiene permiso para %1 %2.\nPida acceso a un administrador.")
        .arg(Operation(right), name);
}

void RequireTableRight(const QString& table, const QString& caption, TTableRight right) {
    const QString refusal = TableRefusal(table, caption, right);
    if (!refusal.isEmpty()) throw EZMKError(refusal);
}

}  // namespace zmk
