#include "host/formhooks.h"

namespace zmk {

namespace {
std::function<int()>& CentreHook() {
    static std::function<int()> hook;
    return hook;
}
std::function<QString(const QString&, const QString&)>& TranslationHook() {
    static std::function<QString(const QString&, const QString&)> hook;
    return hook;
}
}  // namespace

void SetCurrentCentreHook(std::function<int()> hook) {
    CentreHook() = std::move(hook);
}

void SetTranslationHook(std::function<QString(const QString& key, const QString& def)> hook) {
    TranslationHook() = std::move(hook);
}

int CurrentCentre() {
    return CentreHook() ? CentreHook()() : 0;
}

QString TranslatedText(const QString& key, const QString& def) {
    return TranslationHook() ? TranslationHook()(key, def) : def;
}

}  // namespace zmk
