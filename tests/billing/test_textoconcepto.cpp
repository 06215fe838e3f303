#include <gtest/gtest.h>

#include "billing/register.h"
#include "billing/textoconcepto.h"
#include "core/parametrosapp.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/library.h"
#include "host/parametres.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

TEST(ExpandirTextoConcepto, TagsIgnoreLetterCase) {
    EXPECT_EQ(ExpandirTextoConcepto(QStringLiteral("Cuota [mes] [año]"), 2014, 3),
              QStringLiteral("Cuota Marzo 2014"));
    EXPECT_EQ(ExpandirTextoConcepto(QStringLiteral("[Mes2]/[AÑO2] [mEs1]"), 2014, 3),
              QStringLiteral("Abril/2014 Marzo"));
}

TEST(ExpandirTextoConcepto, MonthsRunIntoTheFollowingYear) {
    EXPECT_EQ(ExpandirTextoConcepto(QStringLiteral("[MES2] [AÑO2]"), 2014, 12),
              QStringLiteral("Enero 2015"));
    EXPECT_EQ(ExpandirTextoConcepto(QStringLiteral("[MES12] [AÑO12]"), 2014, 1),
              QStringLiteral("Diciembre 2014"));
    EXPECT_EQ(ExpandirTextoConcepto(QStringLiteral("[MES3] [AÑO3] [AÑO]"), 2014, 11),
              QStringLiteral("Enero 2015 2014"));
    EXPECT_EQ(ExpandirTextoConcepto(QStringLiteral("[MES12] [AÑO12]"), 2014, 12),
              QStringLiteral("Noviembre 2015"));
}

TEST(ExpandirTextoConcepto, TwoDigitTagsAreNotTakenForOneDigitOnes) {
    EXPECT_EQ(ExpandirTextoConcepto(QStringLiteral("[MES1]-[MES10]-[MES11]-[AÑO10]"), 2014, 3),
              QStringLiteral("Marzo-Diciembre-Enero-2014"));
}

TEST(ExpandirTextoConcepto, UnknownTagsAndOtherTextStay) {
    EXPECT_EQ(ExpandirTextoConcepto(QStringLiteral("[MES13] [AÑO0] [MES ] x[y]"), 2014, 3),
              QStringLiteral("[MES13] [AÑO0] [MES ] x[y]"));
}

TValoresConceptoRecibo Valores() {
    TValoresConceptoRecibo v;
    for (int i = 0; i < kCamposConceptoRecibo; ++i) v[size_t(i)] = QStringLiteral("v%1").arg(i + 1);
    v[crConcepto] = QStringLiteral("Cuota Marzo");
    v[crNombreAlumno] = QStringLiteral("Ana Pérez");
    return v;
}

TEST(FormatearConceptoRecibo, OptionalSections) {
    const QString formato = QStringLiteral("{concepto}[ - {nombre_alumno}]");
    TConceptoRecibo r = FormatearConceptoRecibo(false, formato, Valores());
    EXPECT_EQ(r.texto, QStringLiteral("Cuota Marzo"));
    EXPECT_EQ(r.error, QString());
    r = FormatearConceptoRecibo(true, formato, Valores());
    EXPECT_EQ(r.texto, QStringLiteral("Cuota Marzo - Ana Pérez"));
    // Brackets do not nest, and a section left open runs to the end.
    EXPECT_EQ(FormatearConceptoRecibo(false, QStringLiteral("a[b[c]d]e[f"), Valores()).texto,
              QStringLiteral("ade"));
    EXPECT_EQ(FormatearConceptoRecibo(true, QStringLiteral("a[b[c]d]e[f"), Valores()).texto,
              QStringLiteral("abcdef"));
}

TEST(FormatearConceptoRecibo, EveryPlaceholderWithoutRegardToCase) {
    QString formato;
    for (int i = 0; i < kCamposConceptoRecibo; ++i)
        formato += MarcadorConceptoRecibo(TCampoConceptoRecibo(i)).toUpper() + QLatin1Char('|');
    TValoresConceptoRecibo v;
    for (int i = 0; i < kCamposConceptoRecibo; ++i) v[size_t(i)] = QString::number(i + 1);
    EXPECT_EQ(FormatearConceptoRecibo(false, formato, v).texto,
              QStringLiteral("1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|"));
}

TEST(FormatearConceptoRecibo, StrayBracesAreReportedByTheirFirstPosition) {
    TConceptoRecibo r = FormatearConceptoRecibo(false, QStringLiteral("{desconocido}"), Valores());
    EXPECT_EQ(r.texto, QStringLiteral("{desconocido}"));
    EXPECT_EQ(r.error, QStringLiteral("Encontrado un carácter \"{\" en la posición 1. "
                                      "Encontrado un carácter \"}\" en la posición 13. "));
    r = FormatearConceptoRecibo(false, QStringLiteral("ab}"), Valores());
    EXPECT_EQ(r.error, QStringLiteral("Encontrado un carácter \"}\" en la posición 3. "));
}

TEST(FormatearConceptoRecibo, ValuesAreNotReadAsFormat) {
    TValoresConceptoRecibo v = Valores();
    v[crConcepto] = QStringLiteral("A[B]{fra_anyo}");
    // A concept naming a placeholder keeps it, and its brackets.
    TConceptoRecibo r = FormatearConceptoRecibo(false, QStringLiteral("{concepto}"), v);
    EXPECT_EQ(r.texto, QStringLiteral("A[B]{fra_anyo}"));
    EXPECT_EQ(r.error, QStringLiteral("Encontrado un carácter \"{\" en la posición 5. "
                                      "Encontrado un carácter \"}\" en la posición 14. "));
    // Placeholders are expanded once: a value that names one stays as it is, whatever the order.
    v[crFraNumeroFactura] = QStringLiteral("{nombre_alumno}");
    EXPECT_EQ(FormatearConceptoRecibo(false, QStringLiteral("{fra_numero_factura}"), v).texto,
              QStringLiteral("{nombre_alumno}"));
    v[crConcepto] = QStringLiteral("{importe_total}");
    v[crImporteTotal] = QStringLiteral("45.00");
    EXPECT_EQ(FormatearConceptoRecibo(false, QStringLiteral("{concepto} {importe_total}"), v).texto,
              QStringLiteral("{importe_total} 45.00"));
}

class FiltroMesFacturarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterConceptTextProcedures();
        FijarAhora(QDateTime(QDate(2014, 3, 15), QTime(10, 0)));
    }
    void TearDown() override { FijarAhora(std::nullopt); }
};

TEST_F(FiltroMesFacturarTest, DecemberWithoutDuplicateProtection) {
    test::TestDatabase t({QStringLiteral("12"), QStringLiteral("2014")});
    ParametrosApp().SetValue(QStringLiteral("EvitarDuplicadosConceptos"), false);
    FiltroMesFacturar();
    TParametres& p = Parametres();
    EXPECT_EQ(p.AsString(QStringLiteral("PRMS01")), QStringLiteral("CobrarDiciembreT14"));
    EXPECT_EQ(p.AsString(QStringLiteral("PRMS02")),
              QStringLiteral("Conceptos a facturar en DICIEMBRE 2014"));
    EXPECT_EQ(p.GetParametreValue(QStringLiteral("PRMS03")), QVariant(12));
    EXPECT_EQ(p.GetParametreValue(QStringLiteral("PRMS04")), QVariant(2014));
    EXPECT_EQ(p.GetParametreValue(QStringLiteral("PRMS05")), QVariant(0));
    EXPECT_EQ(p.GetParametreValue(QStringLiteral("PRMS06")), QVariant(QString()));
    EXPECT_EQ(p.GetParametreValue(QStringLiteral("PRM_FILTRO_MES_FACTURAR")), QVariant(12));
    EXPECT_EQ(p.GetParametreValue(QStringLiteral("PRM_FILTRO_ANO_FACTURAR")), QVariant(2014));
}

TEST_F(FiltroMesFacturarTest, DefaultsToTodayAndFiltersBilledConcepts) {
    test::TestDatabase t;  // no answers: the defaults are taken
    FiltroMesFacturar();
    TParametres& p = Parametres();
    EXPECT_EQ(p.AsString(QStringLiteral("PRMS01")), QStringLiteral("CobrarMarzoT14"));
    EXPECT_EQ(p.GetParametreValue(QStringLiteral("PRMS05")), QVariant(true));
    const QString filtro = p.AsString(QStringLiteral("PRMS06"));
    EXPECT_EQ(filtro, QStringLiteral(" (NOT (IDConceptoMatriculaT14 IN (SELECT "
                                     "COALESCE(IDConceptoMatriculaT16,-1) FROM T16FacturasCue "
                                     "WHERE NMesFacturadoT16=3 AND AnyoFacturadoT16=2014)))"));

    // The filter must run on the concepts: one billed in March 2014, one not.
    t.db().ExecuteSQL(
        QStringLiteral("INSERT INTO T14ConceptosMatricula (IDConceptoMatriculaT14) "
                       "VALUES (1), (2)"));
    t.db().ExecuteSQL(
        QStringLiteral("INSERT INTO T16FacturasCue (IDConceptoMatriculaT16, "
                       "NMesFacturadoT16, AnyoFacturadoT16) VALUES (1, 3, 2014), "
                       "(NULL, 3, 2014)"));
    EXPECT_EQ(t.Scalar(QStringLiteral("SELECT IDConceptoMatriculaT14 FROM "
                                      "T14ConceptosMatricula WHERE") +
                       filtro),
              QVariant(2));
}

TEST_F(FiltroMesFacturarTest, MonthByNameAndInvalidAnswersAskAgain) {
    test::TestDatabase t({QStringLiteral("13"), QStringLiteral("noviembre"), QStringLiteral("1999"),
                          QStringLiteral("2015")});
    FiltroMesFacturar();
    EXPECT_EQ(Parametres().AsInteger(QStringLiteral("PRMS03")), 11);
    EXPECT_EQ(Parametres().AsInteger(QStringLiteral("PRMS04")), 2015);
    EXPECT_EQ(t.prompt().Remaining(), 0);
}

TEST_F(FiltroMesFacturarTest, CancellingAbortsAndLeavesNoFilter) {
    for (const QStringList& answers :
         {QStringList{QStringLiteral("cancel")},
          QStringList{QStringLiteral("5"), QStringLiteral("cancel")}}) {
        test::TestDatabase t(answers);
        Parametres().SetParametreValue(QStringLiteral("PRM_FILTRO_MES_FACTURAR"), 4);
        Parametres().SetParametreValue(QStringLiteral("PRM_FILTRO_ANO_FACTURAR"), 2013);
        EXPECT_THROW(FiltroMesFacturar(), EAbort);
        EXPECT_FALSE(Parametres().ParamExists(QStringLiteral("PRM_FILTRO_MES_FACTURAR")));
        EXPECT_FALSE(Parametres().ParamExists(QStringLiteral("PRM_FILTRO_ANO_FACTURAR")));
        EXPECT_FALSE(Parametres().ParamExists(QStringLiteral("PRMS01")));
    }
}

TEST_F(FiltroMesFacturarTest, IsTheLibraryProcedure) {
    EXPECT_TRUE(HasProcedureBody(QStringLiteral("FILTRO_MES_FACTURAR")));
}

class TextoConceptoDataSource : public ::testing::Test {
  protected:
    void SetUp() override { RegisterConceptTextProcedures(); }
    void TearDown() override { UnregisterConceptTextProcedures(); }
};

TEST_F(TextoConceptoDataSource, CreatedByNameWithoutRegardToCase) {
    auto ds = CreateZMKDataSource(QStringLiteral("texto_concepto"));
    ASSERT_NE(ds, nullptr);
    EXPECT_NE(dynamic_cast<TZMKDS_TextoConcepto*>(ds.get()), nullptr);
    EXPECT_TRUE(ds->Params().ParamExists(QStringLiteral("PRMFIELDVALUE")));
    EXPECT_EQ(CreateZMKDataSource(QStringLiteral("OTRO")), nullptr);
    ZMKDataSource_AddImageBitmapFromOtherClass(QStringLiteral("Texto_Concepto"),
                                               QStringLiteral("SEARCH"));
    EXPECT_EQ(ZMKDataSource_ImageClass(QStringLiteral("TEXTO_CONCEPTO")), QStringLiteral("SEARCH"));
    UnregisterConceptTextProcedures();
    EXPECT_EQ(CreateZMKDataSource(QStringLiteral("TEXTO_CONCEPTO")), nullptr);
}

TEST_F(TextoConceptoDataSource, FieldValueGoesInAndOut) {
    auto ds = CreateZMKDataSource(QStringLiteral("TEXTO_CONCEPTO"));
    ds->ParamsSetValor(QStringLiteral("prmfieldvalue"), 42);
    EXPECT_EQ(ds->ParamsGetValor(QStringLiteral("PRMFIELDVALUE")), QVariant(QStringLiteral("42")));

    auto previous = SetPromptService(std::make_unique<TScriptedPrompt>(QStringList{
        QStringLiteral("Cuota [MES] ") + QString(80, QLatin1Char('x')), QStringLiteral("cancel")}));
    QString valor = QStringLiteral("Cuota");
    EXPECT_TRUE(ds->Edit(valor));
    EXPECT_EQ(valor, (QStringLiteral("Cuota [MES] ") + QString(80, QLatin1Char('x'))).left(80));
    QString otro = QStringLiteral("Matrícula");
    EXPECT_FALSE(ds->Edit(otro));
    EXPECT_EQ(otro, QStringLiteral("Matrícula"));
    SetPromptService(std::move(previous));
}

}  // namespace
}  // namespace zmk
