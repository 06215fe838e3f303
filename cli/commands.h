#pragma once
// escolia-cli's commands. Each command registers itself under its first word; main parses the
// global options, opens the database when one is given, and dispatches.
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

namespace zmk::cli {

// Exit statuses of escolia-cli.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // refused or failed; the error's text goes to stderr
constexpr int kExitUsage = 2;
constexpr int kExitAborted = 3;  // silent abort

struct CliContext {
    QString dbPath;             // --db, empty when not given
    std::optional<int> centre;  // --centre
    QStringList args;           // the command's arguments after its name
    QTextStream* out;           // stdout
    QTextStream* err;           // stderr
    QTextStream* in;            // stdin
};

// --user and --password: the login for the run, asked by a database that keeps users.
struct CliLogin {
    QString user;
    QString password;
};
CliLogin& RunLogin();

// Raised for wrong usage; its text is printed with the usage line, exit status 2.
struct UsageError {
    QString text;
};

using CommandFn = std::function<int(CliContext&)>;

// Registers a command; usage is the line shown by "escolia-cli --help".
void RegisterCommand(const QString& name, const QString& usage, CommandFn fn);
// Commands are registered by calling each module's function; main and tests call this once.
void RegisterAllCommands();
int RunCommand(const QString& name, CliContext& ctx);
QStringList CommandUsages();

// Parses a value as written on the command line: NULL, true/false, numbers with a dot,
// dates YYYY-MM-DD[ HH:MM:SS]; anything else is text.
QVariant ParseCliValue(const QString& text);

// Opens the --db database as the program's default database (raises when missing or invalid),
// runs the parameters' reload handlers and makes the --centre (or the stored) centre current.
// Does nothing when it is already open.
void OpenDefaultDatabase(const CliContext& ctx);

// A value typed for a column, read by the column's logical type from the schema catalog: text
// stays as typed; integers, booleans (true/false), amounts (a dot, up to four decimals),
// numbers and dates (YYYY-MM-DD[ HH:MM[:SS]]) must be written that way; NULL is empty.
// Anything else is refused with the column's name.
QVariant ParseColumnValue(const QString& column, const QString& text);

// A value in the command line's syntax (the inverse of ParseCliValue).
QString FormatCliValue(const QVariant& value);

}  // namespace zmk::cli
