#include "host/fieldtype.h"

#include <QRegularExpression>

namespace zmk {
namespace {
TFieldTypeResolver& Resolver() {
    static TFieldTypeResolver resolver;
    return resolver;
}
TFieldDefaultResolver& DefaultResolver() {
    static TFieldDefaultResolver resolver;
    return resolver;
}
}  // namespace

QString FieldTypeName(TFieldType type) {
    switch (type) {
        case TFieldType::AutoInc:
            return QStringLiteral("AutoInc");
        case TFieldType::Integer:
            return QStringLiteral("Integer");
        case TFieldType::Boolean:
            return QStringLiteral("Boolean");
        case TFieldType::Currency:
            return QStringLiteral("Currency");
        case TFieldType::DateTime:
            return QStringLiteral("DateTime");
        case TFieldType::Float:
            return QStringLiteral("Float");
        case TFieldType::String:
            return QStringLiteral("String");
        case TFieldType::Memo:
            return QStringLiteral("Memo");
        case TFieldType::Blob:
            return QStringLiteral("Blob");
        case TFieldType::Unknown:
            break;
    }
    return QStringLiteral("Unknown");
}

void SetFieldTypeResolver(TFieldTypeResolver resolver) {
    Resolver() = std::move(resolver);
}

TFieldType ResolveFieldType(const QString& column) {
    if (!Resolver()) return TFieldType::Unknown;
    // An aggregate without alias is named after its expression: a sum of amounts is an amount,
    // read as such rather than as the engine's binary sum (325694.3999999984).
    static const QRegularExpression aggregate(
        QStringLiteral(R"(^\s*(SUM|TOTAL|MIN|MAX|AVG)\s*\(\s*(?:DISTINCT\s+)?)"
                       R"((?:[A-Za-z_]\w*\.)?([A-Za-z_]\w*)\s*\)\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    if (const auto m = aggregate.match(column); m.hasMatch()) {
        const TFieldType type = Resolver()(m.captured(2));
        return type == TFieldType::Currency ? type : TFieldType::Unknown;
    }
    return Resolver()(column);
}

void SetFieldDefaultResolver(TFieldDefaultResolver resolver) {
    DefaultResolver() = std::move(resolver);
}

QVariant ResolveFieldDefault(const QString& column) {
    return DefaultResolver() ? DefaultResolver()(column) : QVariant();
}

}  // namespace zmk
