// The "BuscarCodigoBIC" and "GeneraDatosMandato" buttons on a students screen.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "billing/register.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/querysql.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

// Scripted answers that also remember each question's icon.
class PromptConIconos : public TScriptedPrompt {
  public:
    using TScriptedPrompt::TScriptedPrompt;
    TMsgButton Ask(const TQuestion& question) override {
        icons.push_back(question.icon);
        return TScriptedPrompt::Ask(question);
    }
    std::vector<TMsgIcon> icons;
};

class ProcedimientosBanco : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterBankProcedures();
        REGISTER_LIBRARY(registry_);
        SetApplicationTitle(QStringLiteral("Escolia"));
        auto prompt = std::make_unique<PromptConIconos>();
        prompt_ = prompt.get();
        previous_ = SetPromptService(std::move(prompt));
        db_.db().ExecuteSQL(QStringLiteral(
            "INSERT INTO T01Alumnos (NombreCompletoT01, IBANT01, BICT01) VALUES ('Ana', "
            "'ES9121000418450200051332', NULL)"));
        db_.db().ExecuteSQL(
            QStringLiteral("INSERT INTO T01Alumnos (NombreCompletoT01, IBANT01) VALUES ('Luis', "
                           "'ES1899990001010000000001')"));
        db_.db().ExecuteSQL(
            QStringLiteral("INSERT INTO T01Alumnos (NombreCompletoT01) VALUES ('Eva')"));
        query_ = std::make_unique<TQuerySQL>(db_.db().GetTSQLDataSet(
            QStringLiteral("SELECT * FROM T01Alumnos ORDER BY IDAlumnoT01"), false));
        query_->DataSet().Open();
        Parametres().SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), query_->Handle());
    }
    void TearDown() override {
        SetPromptService(std::move(previous_));
        FijarAhora(std::nullopt);
    }
    void Campos(const QString& prme01, const QString& prme02) {
        Parametres().SetParametreValue(QStringLiteral("PRME01"), prme01);
        Parametres().SetParametreValue(QStringLiteral("PRME02"), prme02);
    }
    TDataSet& ds() { return query_->DataSet(); }
    void Ejecutar(const QString& name, const QStringList& answers = {}) {
        for (const QString& a : answers) prompt_->Push(a);
        registry_.ExecuteProcedure(name);
    }

    test::TestDatabase db_;
    TZMKApp app_;
    TProcedureZMK registry_{&app_};
    PromptConIconos* prompt_ = nullptr;
    std::unique_ptr<IPromptService> previous_;
    std::unique_ptr<TQuerySQL> query_;
};

TEST_F(ProcedimientosBanco, BuscarCodigoBICAsignaConSi) {
    Campos(QStringLiteral("IBANT01"), QStringLiteral("BICT01"));
    Ejecutar(QStringLiteral("BuscarCodigoBIC"), {QStringLiteral("yes")});
    ASSERT_EQ(prompt_->Log().size(), 2);
    EXPECT_EQ(prompt_->Log()[0],
              QStringLiteral("QUESTION Escolia: Se ha encontrado un código BIC que se corresponde "
                             "con el código IBAN introducido.\\n¿Asignar el código BIC "
                             "calculado?\\n\\nIBAN buscado: ES9121000418450200051332\\nCódigo BIC "
                             "encontrado: CAIXESBBXXX"));
    EXPECT_EQ(prompt_->icons, std::vector<TMsgIcon>{TMsgIcon::Question});
    EXPECT_EQ(ds().State(), TDataSetState::Edit);
    EXPECT_EQ(ds().FieldByName(QStringLiteral("BICT01")).AsString(), QStringLiteral("CAIXESBBXXX"));
    ds().Post();
    EXPECT_EQ(
        db_.Scalar(QStringLiteral("SELECT BICT01 FROM T01Alumnos WHERE NombreCompletoT01='Ana'"))
            .toString(),
        QStringLiteral("CAIXESBBXXX"));
}

TEST_F(ProcedimientosBanco, BuscarCodigoBICNoCambiaNadaConNo) {
    Campos(QStringLiteral("IBANT01"), QStringLiteral("BICT01"));
    Ejecutar(QStringLiteral("BuscarCodigoBIC"), {QStringLiteral("no")});
    EXPECT_EQ(ds().State(), TDataSetState::Browse);
    EXPECT_TRUE(ds().FieldByName(QStringLiteral("BICT01")).IsNull());
}

TEST_F(ProcedimientosBanco, BuscarCodigoBICSinIBANOSinEntidadConocida) {
    Campos(QStringLiteral("IBANT01"), QStringLiteral("BICT01"));
    ds().Next();
    Ejecutar(QStringLiteral("BuscarCodigoBIC"));
    ds().Next();
    Ejecutar(QStringLiteral("BuscarCodigoBIC"));
    EXPECT_EQ(prompt_->Log(),
              (QStringList{QStringLiteral("WARNING Escolia: No se encuentra ningún código BIC "
                                          "asociado al código IBAN indicado.\\n\\nIBAN buscado: "
                                          "ES1899990001010000000001"),
                           QStringLiteral("WARNING Escolia: Para calcular el código BIC es "
                                          "necesario introducir el código IBAN")}));
    EXPECT_EQ(ds().State(), TDataSetState::Browse);
}

TEST_F(ProcedimientosBanco, SinCamposOSinConsultaNoHaceNada) {
    Campos(QStringLiteral("IBANT01"), QString());
    Ejecutar(QStringLiteral("BuscarCodigoBIC"));
    Ejecutar(QStringLiteral("GeneraDatosMandato"));
    Campos(QStringLiteral("IBANT01"), QStringLiteral("BICT01"));
    Parametres().DeleteParam(QStringLiteral("PRMIP_TQUERYSQL"));
    Ejecutar(QStringLiteral("BuscarCodigoBIC"));
    Ejecutar(QStringLiteral("GeneraDatosMandato"));
    EXPECT_TRUE(prompt_->Log().isEmpty());
    EXPECT_EQ(ds().State(), TDataSetState::Browse);
}

TEST_F(ProcedimientosBanco, GeneraDatosMandato) {
    FijarAhora(QDateTime(QDate(2014, 3, 5), QTime(9, 8, 7)));
    Campos(QStringLiteral("ReferenciaMandatoT01"), QStringLiteral("FechaMandatoT01"));
    Ejecutar(QStringLiteral("GeneraDatosMandato"), {QStringLiteral("yes")});
    EXPECT_EQ(ds().State(), TDataSetState::Edit);
    const QString referencia = ds().FieldByName(QStringLiteral("ReferenciaMandatoT01")).AsString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^A140305090807\\d{3}$")).match(referencia).hasMatch())
        << qPrintable(referencia);
    EXPECT_EQ(ds().FieldByName(QStringLiteral("FechaMandatoT01")).AsDateTime(),
              QDateTime(QDate(2014, 3, 5), QTime(0, 0)));
    ASSERT_FALSE(prompt_->Log().isEmpty());
    EXPECT_EQ(prompt_->Log()[0],
              QStringLiteral("QUESTION Escolia: ¿Asignar los siguientes datos al mandato?\\n\\n"
                             "Referencia del mandato: ") +
                  referencia + QStringLiteral("\\nFecha del mandato: 05/03/2014"));
    EXPECT_EQ(prompt_->icons, std::vector<TMsgIcon>{TMsgIcon::Question});
}

TEST_F(ProcedimientosBanco, GeneraDatosMandatoConNoYEnAlta) {
    Campos(QStringLiteral("ReferenciaMandatoT01"), QStringLiteral("FechaMandatoT01"));
    Ejecutar(QStringLiteral("GeneraDatosMandato"), {QStringLiteral("no")});
    EXPECT_EQ(ds().State(), TDataSetState::Browse);
    EXPECT_TRUE(ds().FieldByName(QStringLiteral("ReferenciaMandatoT01")).IsNull());
    // A record being inserted stays an insert.
    ds().Append();
    Ejecutar(QStringLiteral("GeneraDatosMandato"), {QStringLiteral("yes")});
    EXPECT_EQ(ds().State(), TDataSetState::Insert);
    EXPECT_EQ(ds().FieldByName(QStringLiteral("ReferenciaMandatoT01")).AsString().size(), 16);
}

}  // namespace
}  // namespace zmk
