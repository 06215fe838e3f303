// The README's escolia-cli examples, run as printed against a demo company, so that the
// README cannot drift from what the program does.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "tests/support/testdb.h"

namespace zmk::test {
namespace {

// The words of a command line as a POSIX shell splits them (quotes, no expansions).
QStringList ShellWords(const QString& line) {
    QStringList words;
    QString word;
    bool inWord = false;
    QChar quote;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else if (c == u'\\' && quote == u'"' && i + 1 < line.size() &&
                     (line[i + 1] == u'"' || line[i + 1] == u'\\'))
                word += line[++i];
            else
                word += c;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord) words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words << word;
    return words;
}

// Lines of the code blocks, and inline code, that begin with "escolia-cli " and name no
// placeholder (the synopsis line's "[--db FILE]" ...).
QStringList ReadmeExamples() {
    QFile file(QStringLiteral(ESCOLIA_SOURCE_DIR "/README.md"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList examples;
    bool inBlock = false;
    static const QRegularExpression inlineCode(QStringLiteral("`(escolia-cli [^`]+)`"));
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(QLatin1String("```"))) {
            inBlock = !inBlock;
            continue;
        }
        if (inBlock) {
            if (line.startsWith(QLatin1String("escolia-cli ")) &&
                !line.startsWith(QLatin1String("escolia-cli [")))
                examples << line.trimmed();
            continue;
        }
        for (const QRegularExpressionMatch& m : inlineCode.globalMatch(line))
            if (!m.captured(1).contains(u'[')) examples << m.captured(1);
    }
    return examples;
}

TEST(CliReadme, EveryExampleRunsAsPrinted) {
    const QStringList examples = ReadmeExamples();
    ASSERT_GE(examples.size(), 6) << "README.md has lost its escolia-cli examples";
    ASSERT_TRUE(examples.first().startsWith(QLatin1String("escolia-cli demo ")))
        << "the first example must create the demo company the others use";
    QTemporaryDir dir;
    for (const QString& example : examples) {
        QStringList words = ShellWords(example);
        words.removeFirst();
        // The examples' files go to a folder of the test's own.
        for (QString& w : words) w.replace(QLatin1String("/tmp/"), dir.path() + u'/');
        const CliResult r = RunCli(words);
        EXPECT_EQ(r.status, 0) << example.toStdString() << "\n" << r.err.toStdString();
    }
}

}  // namespace
}  // namespace zmk::test
