#pragma once
// The translation object: replaces a text, looked up by key, with the chosen language's text,
// and in collecting mode gathers every key with its default text for the translators.
//
// Language files are UTF-8 text: "[section]" headers and "key=value" lines; a key written in
// section S is looked up as "S.key" (a key before any header stands alone). Lines starting with
// ";" are comments. The value is everything after the first "=", spaces included; "\n" in a
// value is a line break and "\\" a backslash.
#include <QMap>
#include <QString>

namespace zmk {

class TZMKTranslate {
  public:
    // Replaces the loaded texts with those of languageFile; an empty name leaves only the
    // built-in defaults. An unreadable file raises EZMKError and keeps no texts.
    void Init(const QString& languageFile);
    const QString& LanguageFile() const { return language_file_; }

    // The loaded text of key, or def when there is none; collecting mode records (key, def).
    QString ValueDef(const QString& key, const QString& def);
    void SetValue(const QString& key, const QString& value);

    void SetCollecting(bool collecting);
    bool Collecting() const { return collecting_; }
    const QMap<QString, QString>& Collected() const { return collected_; }
    void ClearCollected();
    // Changes whenever collecting starts afresh, so fixed tables know to hand their texts again.
    int CollectSession() const { return collect_session_; }
    // Writes every collected key with its default text in the language file format.
    void SaveCollected(const QString& path) const;

  private:
    QString language_file_;
    QMap<QString, QString> values_;
    QMap<QString, QString> collected_;
    bool collecting_ = false;
    int collect_session_ = 0;
};

TZMKTranslate& Translate();

// The language file format, shared by loading and saving.
QMap<QString, QString> ParseLanguageText(const QString& text);
QString LanguageText(const QMap<QString, QString>& values);

}  // namespace zmk
