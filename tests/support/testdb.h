#pragma once
// A fresh company database in a temporary folder, installed as the program's default database
// with scripted answers, for the length of one test.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <ostream>

#include "host/database.h"
#include "host/prompt.h"

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace zmk::test {

// Every row of every table as text, tables by name and rows in key order: compare a dump taken
// before with one taken after to show that a refused operation left the database as it was.
QString DumpDatabase(TDataBaseZMK& db);

// The message of the EZMKError that call raises; empty when it raises none.
QString ErrorMessage(const std::function<void()>& call);

class TestDatabase {
  public:
    explicit TestDatabase(QStringList answers = {});
    ~TestDatabase();
    TDataBaseZMK& db() { return *db_; }
    QString path() const { return path_; }
    TScriptedPrompt& prompt() { return *prompt_; }
    // Runs a query and returns the first column of its first row (Null when no row).
    QVariant Scalar(const QString& sql);
    // DumpDatabase of this database.
    QString Dump() { return DumpDatabase(*db_); }

  private:
    QTemporaryDir dir_;
    QString path_;
    TDataBaseZMK* db_ = nullptr;
    TScriptedPrompt* prompt_ = nullptr;
    std::unique_ptr<IPromptService> previous_prompt_;
};

// Runs escolia-cli with the given arguments; returns exit status, stdout and stderr.
struct CliResult {
    int status = -1;
    QString out;
    QString err;
};
CliResult RunCli(const QStringList& args, const QByteArray& input = QByteArray());

}  // namespace zmk::test
