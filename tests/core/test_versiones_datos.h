#pragma once
// A fresh installation layout in a temporary folder (masters, data, work directory) with
// scripted answers, and helpers to build company files of the older formats.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>

#include "core/masters.h"
#include "core/versiones.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "tests/support/testdb.h"

namespace zmk::test {

// The masters are built once and copied into every test's folder.
inline const QString& MastersPlantilla() {
    static QTemporaryDir dir;
    static const bool built = [] {
        CreaMasters(dir.path());
        return true;
    }();
    (void)built;
    static const QString path = dir.path();
    return path;
}

class EntornoBD : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = AjustesBD();
        TAjustesBD& s = AjustesBD();
        s.directorioVacias = Path(QStringLiteral("MastersMDB"));
        s.directorioDatos = Path(QStringLiteral("DATADIR"));
        s.directorioTemporal = Path(QStringLiteral("Temp"));
        s.directorioEjecutable = dir_.path();
        QDir().mkpath(s.directorioVacias);
        auto prompt = std::make_unique<TScriptedPrompt>();
        prompt_ = prompt.get();
        previous_prompt_ = SetPromptService(std::move(prompt));
    }
    void TearDown() override {
        ZMKApp().SetDefaultDB(nullptr);
        AjustesBD() = saved_;
        SetPromptService(std::move(previous_prompt_));
    }

    QString Path(const QString& name) const { return dir_.path() + u'/' + name; }
    TScriptedPrompt& prompt() { return *prompt_; }

    void CopiaMasters() {
        for (const QString& f : QDir(MastersPlantilla()).entryList({QStringLiteral("*.MMDB")}))
            QFile::copy(MastersPlantilla() + u'/' + f, AjustesBD().directorioVacias + u'/' + f);
    }
    // A company file of a version: a copy of its master without the import tables.
    QString ArchivoVersion(int version, const QString& name) {
        const QString path = Path(name);
        QFile::copy(MastersPlantilla() + QStringLiteral("/ZMKEscoExtV%1.MMDB").arg(version), path);
        LimpiaImportacion(path);
        return path;
    }
    QVariant Scalar(const QString& file, const QString& sql) {
        auto db = TDataBaseZMK::Open(file);
        QSqlQuery q = db->Query(sql);
        return q.next() ? q.value(0) : QVariant();
    }
    // Runs statements on a file, creating it when missing.
    void Ejecuta(const QString& file, const QStringList& statements) {
        auto db = TDataBaseZMK::Create(file);
        db->BeginTrans();
        for (const QString& sql : statements) db->ExecuteSQL(sql);
        db->CommitTrans();
    }
    // A message as raised: the error text.
    QString Error(const std::function<void()>& f) {
        const QString message = ErrorMessage(f);
        if (message.isEmpty()) ADD_FAILURE() << "no error raised";
        return message;
    }

  private:
    QTemporaryDir dir_;
    TAjustesBD saved_;
    TScriptedPrompt* prompt_ = nullptr;
    std::unique_ptr<IPromptService> previous_prompt_;
};

}  // namespace zmk::test
