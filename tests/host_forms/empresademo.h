#pragma once
// A demo company open as the program's database, its first centre current, the application
// file loaded and questions answered from a script: the ground of the screens' tests.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>

#include "core/centroactual.h"
#include "host/app.h"
#include "host/database.h"
#include "host/forms/appdefinition.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/screen.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "maintenance/democompany.h"
#include "tests/host_forms/pantallas.h"
#include "tests/support/testdb.h"

namespace zmk::test {

inline TAppDefinition AppFile() {
    QFile file(QStringLiteral(ESCOLIA_SOURCE_DIR "/resources/escolia.zmk"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return LoadAppDefinition(file.readAll(), file.fileName());
}

class EmpresaDemo : public ::testing::Test {
  protected:
    explicit EmpresaDemo(int students = 50) : students_(students) {}
    void SetUp() override {
        path_ = dir_.filePath(QStringLiteral("demo.db"));
        DemoOptions options;
        options.students = students_;
        CrearEmpresaDemo(path_, options);
        ZMKApp().SetDefaultDB(TDataBaseZMK::Open(path_));
        auto prompt = std::make_unique<TScriptedPrompt>();
        prompt_ = prompt.get();
        previous_prompt_ = SetPromptService(std::move(prompt));
        Parametres().Clear();
        FijaCentroActual(Scalar(QStringLiteral("SELECT MIN(IDCentroT20) FROM T20Centros")).toInt());
        def_ = AppFile();
    }
    void TearDown() override {
        ZMKApp().SetDefaultDB(nullptr);
        SetPromptService(std::move(previous_prompt_));
        Parametres().Clear();
    }
    QVariant Scalar(const QString& sql) {
        QSqlQuery q = DefaultDB().Query(sql);
        return q.next() ? q.value(0) : QVariant();
    }
    // The application file's screen, opened on its query and owned by the test.
    std::unique_ptr<TZMKScreen> Open(const QString& id) {
        return AbrePantalla(def_.screens.value(id), 1);
    }
    static QVariant Value(TZMKScreen& s, const QString& field) {
        return s.DataSet()->FieldByName(field).Value();
    }
    // The texts of a column as the list shows them.
    static QStringList Column(TZMKScreen& s, int column) {
        auto* model = static_cast<TDataSetModel*>(s.Grid()->model());
        QStringList texts;
        for (int r = 0; r < model->rowCount(); ++r) texts << model->CellText(r, column);
        return texts;
    }

    int students_;
    QTemporaryDir dir_;
    QString path_;
    TScriptedPrompt* prompt_ = nullptr;
    std::unique_ptr<IPromptService> previous_prompt_;
    TAppDefinition def_;
};

}  // namespace zmk::test
