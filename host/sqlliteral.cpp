#include "host/sqlliteral.h"

#include "host/app.h"
#include "host/currency.h"
#include "host/database.h"
#include "host/errors.h"

namespace zmk {

QString SqlLiteral(const QVariant& value, const TDataBaseZMK* db) {
    if (!value.isValid() || value.isNull()) return QStringLiteral("NULL");
    // Literals do not depend on the connection; a database only lends its rendering.
    auto render = [&](TFieldType type) {
        if (db) return db->ConvertToSqlString(type, value);
        TDataBaseZMK* def = ZMKApp().GetDefaultDB();
        if (def) return def->ConvertToSqlString(type, value);
        throw EZMKError(QStringLiteral("No hay ninguna base de datos abierta"));
    };
    if (value.metaType() == QMetaType::fromType<Currency>()) return render(TFieldType::Currency);
    switch (value.metaType().id()) {
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::UChar:
        case QMetaType::Char:
        case QMetaType::SChar:
            return render(TFieldType::Integer);
        case QMetaType::Float:
        case QMetaType::Double:
            return render(TFieldType::Float);
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            return render(TFieldType::DateTime);
        case QMetaType::QString:
            return render(TFieldType::String);
        case QMetaType::Bool:
            return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        default:
            throw EZMKError(
                QStringLiteral("Variant de tipo inválido: ") +
                QStringLiteral("%1").arg(value.metaType().id(), 8, 16, QLatin1Char('0')).toUpper());
    }
}

}  // namespace zmk
