#pragma once
// The program's numbered texts. Two tables: the shared table (texts of the common modules,
// translated under "CC." + key) and the program table (billing and records texts, translated
// under "ExeStrings." + number). A missing number yields empty text, except in the translation
// object's collecting mode, where it is an error so that the translators' list is complete.
#include <QString>
#include <QVariantList>
#include <array>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "core/translate.h"

namespace zmk {

// One slot of the shared table; number 0 marks an empty slot.
struct TSharedString {
    int number = 0;
    const char* key = nullptr;   // without the "CC." prefix, e.g. "Common.yes"
    const char* text = nullptr;  // default (Spanish) text, UTF-8
};

inline constexpr int kSharedStringSlots = 334;
const std::array<TSharedString, kSharedStringSlots>& SharedStringTable();

// The program's fixed list of (number, default text) pairs.
const std::vector<std::pair<int, QString>>& DefaultProgramStrings();

QString SharedString(int number);
QString SharedStringFmt(int number, const QVariantList& args);
QString ProgramString(int number);
QString ProgramStringFmt(int number, const QVariantList& args);

// Replaces the program table with pairs (number 0 skipped); in collecting mode a number outside
// 10000..99999 raises EZMKError and every text is handed to the translation object.
void RegisterProgramStrings(const std::vector<std::pair<int, QString>>& pairs);
// Registers DefaultProgramStrings(); the main window and escolia-cli call it at start-up.
void RegisterDefaultProgramStrings();

// Hands the table's default texts to the translation object for collecting, checking numbers
// (1..9999) and keys. The first lookup of each collecting session runs it over the shared table.
void RegisterSharedStrings(std::span<const TSharedString> table);

// When the check answers true, every successful lookup is followed by "(" + number + ")", so a
// translator can identify a text on screen (the GUI checks Shift + left Alt). Empty: never.
void SetNumberDisplayCheck(std::function<bool()> check);

}  // namespace zmk
