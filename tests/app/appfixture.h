#pragma once
// An installation in a temporary folder (executable's and data directories, settings store),
// scripted answers and the configuration object installed as the program's.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "app/appconfig.h"
#include "app/startup.h"
#include "host/app.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "tests/support/testdb.h"

namespace zmk::test {

class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QDir().mkpath(ExeDir());
        QDir().mkpath(DataDir());
        auto prompt = std::make_unique<TScriptedPrompt>();
        prompt_ = prompt.get();
        previous_prompt_ = SetPromptService(std::move(prompt));
        SetApplicationTitle(QStringLiteral("ZMK-Escolia v16"));
        // The current centre of an earlier test's database.
        Parametres().DeleteParam(QStringLiteral("PRMIDCentroActual"));
    }
    void TearDown() override {
        config_.reset();
        ZMKApp().SetDefaultDB(nullptr);
        SetPromptService(std::move(previous_prompt_));
    }

    QString ExeDir() const { return dir_.path() + QStringLiteral("/bin"); }
    QString DataDir() const { return dir_.path() + QStringLiteral("/data"); }

    TAppLocations Locations() const {
        TAppLocations loc;
        loc.exeDir = ExeDir();
        loc.dataDir = DataDir();
        loc.exeName = QStringLiteral("escolia");
        loc.registryFile = dir_.path() + QStringLiteral("/registry.ini");
        return loc;
    }
    TZMKAppConfig& NewConfig() {
        config_.reset();
        config_ = std::make_unique<TZMKAppConfig>(Locations(), EscoliaStartupSettings(Locations()));
        SetAppConfig(config_.get());
        return *config_;
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList Log() const { return prompt_->Log(); }

    QTemporaryDir dir_;
    TScriptedPrompt* prompt_ = nullptr;
    std::unique_ptr<IPromptService> previous_prompt_;
    std::unique_ptr<TZMKAppConfig> config_;
};

}  // namespace zmk::test
