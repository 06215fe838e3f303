#include "tests/support/testdb.h"

#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>

#include "host/app.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "schema/schema.h"

namespace zmk::test {

TestDatabase::TestDatabase(QStringList answers) {
    path_ = dir_.filePath(QStringLiteral("empresa.db"));
    ZMKApp().SetDefaultDB(schema::CreateCompanyDatabase(path_));
    db_ = ZMKApp().GetDefaultDB();
    auto prompt = std::make_unique<TScriptedPrompt>(std::move(answers));
    prompt_ = prompt.get();
    previous_prompt_ = SetPromptService(std::move(prompt));
    Parametres().Clear();
}

TestDatabase::~TestDatabase() {
    ZMKApp().SetDefaultDB(nullptr);
    SetPromptService(std::move(previous_prompt_));
    Parametres().Clear();
}

QVariant TestDatabase::Scalar(const QString& sql) {
    QSqlQuery q = db_->Query(sql);
    return q.next() ? q.value(0) : QVariant();
}

QString DumpDatabase(TDataBaseZMK& db) {
    QString out;
    QStringList tables = db.Tables();
    tables.sort(Qt::CaseInsensitive);
    for (const QString& table : tables) {
        QSqlQuery q = db.Query(QStringLiteral("SELECT * FROM ") + table +
                               QStringLiteral(" ORDER BY 1, rowid"));
        while (q.next()) {
            out += table;
            for (int i = 0; i < q.record().count(); ++i)
                out += QLatin1Char('|') + q.value(i).toString();
            out += QLatin1Char('\n');
        }
    }
    return out;
}

QString ErrorMessage(const std::function<void()>& call) {
    try {
        call();
    } catch (const EZMKError& e) {
        return e.Message();
    }
    return QString();
}

CliResult RunCli(const QStringList& args, const QByteArray& input) {
    QProcess p;
    p.start(QStringLiteral(ESCOLIA_CLI), args);
    p.waitForStarted();
    if (!input.isEmpty()) p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return CliResult{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                     QString::fromUtf8(p.readAllStandardOutput()),
                     QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace zmk::test
