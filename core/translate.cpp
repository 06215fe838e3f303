#include "core/translate.h"

#include <QFile>

#include "host/atomicfile.h"
#include "host/errors.h"

namespace zmk {

namespace {

QString Unescape(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value[i + 1];
            if (next == u'n') {
                out += u'\n';
                ++i;
                continue;
            }
            if (next == u'\\') {
                out += u'\\';
                ++i;
                continue;
            }
        }
        // Any other backslash stays as written ("%s\%s" in a path text).
        out += c;
    }
    return out;
}

QString Escape(const QString& value) {
    QString out = value;
    out.replace(u'\\', QStringLiteral("\\\\"));
    out.replace(u'\n', QStringLiteral("\\n"));
    out.remove(u'\r');
    return out;
}

// Keys group by their first two parts ("CC.Common") or their first part ("ExeStrings").
void SplitKey(const QString& key, QString& section, QString& name) {
    const QStringList parts = key.split(u'.');
    const int head = parts.size() >= 3 ? 2 : (parts.size() == 2 ? 1 : 0);
    section = parts.mid(0, head).join(u'.');
    name = parts.mid(head).join(u'.');
}

}  // namespace

QMap<QString, QString> ParseLanguageText(const QString& text) {
    QMap<QString, QString> values;
    QString section;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';')) continue;
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            section = trimmed.mid(1, trimmed.size() - 2).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) continue;
        const QString key = line.left(eq).trimmed();
        if (key.isEmpty()) continue;
        values.insert(section.isEmpty() ? key : section + u'.' + key, Unescape(line.mid(eq + 1)));
    }
    return values;
}

QString LanguageText(const QMap<QString, QString>& values) {
    QMap<QString, QMap<QString, QString>> sections;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        QString section, name;
        SplitKey(it.key(), section, name);
        sections[section].insert(name, it.value());
    }
    QString out = QStringLiteral(
        "; ZMK-Escolia language file (UTF-8): [section] headers, key=value lines; \\n is a line "
        "break\n");
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        out += u'\n';
        if (!it.key().isEmpty()) out += u'[' + it.key() + QStringLiteral("]\n");
        for (auto v = it.value().cbegin(); v != it.value().cend(); ++v)
            out += v.key() + u'=' + Escape(v.value()) + u'\n';
    }
    return out;
}

void TZMKTranslate::Init(const QString& languageFile) {
    values_.clear();
    language_file_.clear();
    if (languageFile.isEmpty()) return;
    QFile file(languageFile);
    if (!file.open(QIODevice::ReadOnly))
        throw EZMKError(QStringLiteral("No se puede leer el archivo de idioma:\n") + languageFile);
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    values_ = ParseLanguageText(text);
    language_file_ = languageFile;
}

QString TZMKTranslate::ValueDef(const QString& key, const QString& def) {
    if (collecting_ && !collected_.contains(key)) collected_.insert(key, def);
    const auto it = values_.constFind(key);
    return it == values_.cend() ? def : it.value();
}

void TZMKTranslate::SetCollecting(bool collecting) {
    if (collecting && !collecting_) ++collect_session_;
    collecting_ = collecting;
}

void TZMKTranslate::ClearCollected() {
    collected_.clear();
    ++collect_session_;
}

void TZMKTranslate::SetValue(const QString& key, const QString& value) {
    values_[key] = value;
}

void TZMKTranslate::SaveCollected(const QString& path) const {
    WriteFileAtomically(path, LanguageText(collected_).toUtf8());
}

TZMKTranslate& Translate() {
    static TZMKTranslate translate;
    return translate;
}

}  // namespace zmk
