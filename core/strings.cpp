#include "core/strings.h"

#include <optional>

#include "core/strformat.h"
#include "host/errors.h"

namespace zmk {

namespace {

struct TStringState {
    std::vector<std::pair<int, QString>> program;
    int shared_registered_session = -1;  // the collecting session that has the shared table
    std::function<bool()> number_display;
};

TStringState& State() {
    static TStringState state;
    return state;
}

void EnsureSharedRegistered() {
    TStringState& state = State();
    if (!Translate().Collecting() ||
        state.shared_registered_session == Translate().CollectSession())
        return;
    RegisterSharedStrings(SharedStringTable());
    state.shared_registered_session = Translate().CollectSession();
}

std::optional<QString> LookupShared(int number) {
    EnsureSharedRegistered();
    if (number > 0)
        for (const TSharedString& slot : SharedStringTable())
            if (slot.number == number)
                return Translate().ValueDef(QStringLiteral("CC.") + QString::fromUtf8(slot.key),
                                            QString::fromUtf8(slot.text));
    if (Translate().Collecting())
        throw EZMKError(QStringLiteral("ccTRANSLATE inum NOT FOUND: ") + QString::number(number));
    return std::nullopt;
}

std::optional<QString> LookupProgram(int number) {
    for (const auto& [n, text] : State().program)
        if (n == number)
            return Translate().ValueDef(QStringLiteral("ExeStrings.") + QString::number(n), text);
    if (Translate().Collecting())
        throw EZMKError(QStringLiteral("ExeTRANSLATE inum NOT FOUND: ") + QString::number(number));
    return std::nullopt;
}

QString Shown(const std::optional<QString>& text, int number) {
    if (!text) return QString();
    const auto& check = State().number_display;
    if (check && check()) return *text + u'(' + QString::number(number) + u')';
    return *text;
}

QString ShownFormatted(const std::optional<QString>& text, int number, const QVariantList& args) {
    if (!text) return QString();
    return Shown(FormatText(*text, args), number);
}

}  // namespace

QString SharedString(int number) {
    return Shown(LookupShared(number), number);
}

QString SharedStringFmt(int number, const QVariantList& args) {
    return ShownFormatted(LookupShared(number), number, args);
}

QString ProgramString(int number) {
    return Shown(LookupProgram(number), number);
}

QString ProgramStringFmt(int number, const QVariantList& args) {
    return ShownFormatted(LookupProgram(number), number, args);
}

void RegisterProgramStrings(const std::vector<std::pair<int, QString>>& pairs) {
    auto& table = State().program;
    table.clear();
    for (const auto& [number, text] : pairs) {
        if (number <= 0) continue;
        if (Translate().Collecting()) {
            if (number < 10000 || number > 99999)
                throw EZMKError(QStringLiteral("ERROR UCCTranslate.ExeTranslate ") +
                                QString::number(number) +
                                QStringLiteral(" debe estar entre 10000 y 99999. "));
            Translate().ValueDef(QStringLiteral("ExeStrings.") + QString::number(number), text);
        }
        table.emplace_back(number, text);
    }
}

void RegisterDefaultProgramStrings() {
    RegisterProgramStrings(DefaultProgramStrings());
}

void RegisterSharedStrings(std::span<const TSharedString> table) {
    for (const TSharedString& slot : table) {
        if (slot.number <= 0) continue;
        const QString number = QString::number(slot.number);
        if (slot.number > 9999)
            throw EZMKError(QStringLiteral("ERROR UCCTranslate. ") + number +
                            QStringLiteral(" debe estar entre 1 y 9999"));
        if (slot.key == nullptr || *slot.key == '\0')
            throw EZMKError(QStringLiteral("ERROR UCCTranslate. TRANSARRAY i=") + number +
                            QStringLiteral(" n= IS NULL !!!"));
        Translate().ValueDef(QStringLiteral("CC.") + QString::fromUtf8(slot.key),
                             QString::fromUtf8(slot.text));
    }
}

void SetNumberDisplayCheck(std::function<bool()> check) {
    State().number_display = std::move(check);
}

}  // namespace zmk
