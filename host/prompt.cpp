#include "host/prompt.h"

#include <cstdio>

namespace zmk {

namespace {
std::unique_ptr<IPromptService>& Current() {
    static std::unique_ptr<IPromptService> service = std::make_unique<TScriptedPrompt>();
    return service;
}
QString& Title() {
    static QString title = QStringLiteral("ZMK-Escolia");
    return title;
}
const std::pair<TMsgButton, const char*> kButtonNames[] = {
    {TMsgButton::Yes, "yes"},     {TMsgButton::No, "no"},       {TMsgButton::Cancel, "cancel"},
    {TMsgButton::Ok, "ok"},       {TMsgButton::Retry, "retry"}, {TMsgButton::Ignore, "ignore"},
    {TMsgButton::Abort, "abort"},
};
}  // namespace

QString ButtonName(TMsgButton button) {
    for (const auto& [b, name] : kButtonNames)
        if (b == button) return QLatin1String(name);
    return QStringLiteral("none");
}

std::optional<TMsgButton> ButtonFromName(const QString& name) {
    for (const auto& [b, n] : kButtonNames)
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) return b;
    return std::nullopt;
}

IPromptService& Prompt() {
    return *Current();
}

std::unique_ptr<IPromptService> SetPromptService(std::unique_ptr<IPromptService> service) {
    std::swap(Current(), service);
    return service;
}

QString ApplicationTitle() {
    return Title();
}
void SetApplicationTitle(const QString& title) {
    Title() = title;
}

TMsgButton Pregunta(const QString& text, std::vector<TMsgButton> buttons, TMsgIcon icon,
                    TMsgButton defaultButton) {
    return Prompt().Ask(
        TQuestion{ApplicationTitle(), text, std::move(buttons), icon, defaultButton});
}

bool PreguntaSiNo(const QString& text, TMsgIcon icon, TMsgButton defaultButton) {
    return Pregunta(text, {TMsgButton::Yes, TMsgButton::No}, icon, defaultButton) ==
           TMsgButton::Yes;
}

void Informa(const QString& text) {
    Prompt().Show(TMsgKind::Information, ApplicationTitle(), text);
}
void Avisa(const QString& text) {
    Prompt().Show(TMsgKind::Warning, ApplicationTitle(), text);
}
void MuestraError(const QString& text) {
    Prompt().Show(TMsgKind::Error, ApplicationTitle(), text);
}

QString OneLine(const QString& text) {
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    s.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    s.replace(QLatin1Char('\r'), QLatin1String("\\n"));
    return s;
}

TScriptedPrompt::TScriptedPrompt(QStringList answers) : answers_(std::move(answers)) {}

void TScriptedPrompt::Record(const QString& line) {
    log_ << line;
    if (echo_) {
        std::fputs(line.toUtf8().constData(), stderr);
        std::fputc('\n', stderr);
    }
}

std::optional<QString> TScriptedPrompt::Take() {
    if (answers_.isEmpty()) return std::nullopt;
    return answers_.takeFirst();
}

TMsgButton TScriptedPrompt::Ask(const TQuestion& q) {
    Record(QStringLiteral("QUESTION %1: %2").arg(q.caption, OneLine(q.text)));
    TMsgButton def = q.defaultButton;
    if (def == TMsgButton::None && !q.buttons.empty()) def = q.buttons.front();
    TMsgButton answer = def;
    if (auto given = Take()) {
        auto b = ButtonFromName(*given);
        // An answer that is not one of the question's buttons counts as closing the box:
        // the default button.
        if (b && std::find(q.buttons.begin(), q.buttons.end(), *b) != q.buttons.end()) answer = *b;
    }
    Record(QStringLiteral("ANSWER %1").arg(ButtonName(answer)));
    return answer;
}

void TScriptedPrompt::Show(TMsgKind kind, const QString& caption, const QString& text) {
    const char* word = kind == TMsgKind::Information ? "INFO"
                       : kind == TMsgKind::Warning   ? "WARNING"
                                                     : "ERROR";
    Record(QStringLiteral("%1 %2: %3").arg(QLatin1String(word), caption, OneLine(text)));
}

std::optional<QString> TScriptedPrompt::InputBox(const QString& caption, const QString& prompt,
                                                 const QString& def) {
    Record(QStringLiteral("QUESTION %1: %2").arg(caption, OneLine(prompt)));
    std::optional<QString> answer = def;
    if (auto given = Take()) {
        if (given->compare(QLatin1String("cancel"), Qt::CaseInsensitive) == 0)
            answer = std::nullopt;
        else if (given->compare(QLatin1String("ok"), Qt::CaseInsensitive) != 0)
            answer = *given;
    }
    Record(QStringLiteral("ANSWER %1").arg(answer ? *answer : QStringLiteral("cancel")));
    return answer;
}

QString TScriptedPrompt::OpenFileName(const QString& caption, const QString&, const QString&) {
    auto answer = InputBox(caption, caption, QString());
    return answer.value_or(QString());
}

QString TScriptedPrompt::SaveFileName(const QString& caption, const QString&, const QString&) {
    auto answer = InputBox(caption, caption, QString());
    return answer.value_or(QString());
}

}  // namespace zmk
