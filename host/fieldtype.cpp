#include "host/fieldtype.h"

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
    return Resolver() ? Resolver()(column) : TFieldType::Unknown;
}

void SetFieldDefaultResolver(TFieldDefaultResolver resolver) {
    DefaultResolver() = std::move(resolver);
}

QVariant ResolveFieldDefault(const QString& column) {
    return DefaultResolver() ? DefaultResolver()(column) : QVariant();
}

}  // namespace zmk
