// The texts of concept definitions and grades, the definition editor's parameters and the
// report functions that print them.
#include <gtest/gtest.h>

#include "classroom/dsnotas.h"
#include "classroom/funcionesnotas.h"
#include "classroom/valoresnota.h"
#include "host/errors.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {

QStringList L(std::initializer_list<const char*> items) {
    QStringList l;
    for (const char* i : items) l << QString::fromUtf8(i);
    return l;
}

TEST(ValoresNota, SplittingKeepsEmptyItemsButNoTrailingOne) {
    EXPECT_EQ(SeparaValores(QString()), QStringList());
    EXPECT_EQ(SeparaValores(QStringLiteral("a||b")), L({"a", "", "b"}));
    EXPECT_EQ(SeparaValores(QStringLiteral("|a")), L({"", "a"}));
    EXPECT_EQ(SeparaValores(QStringLiteral("a|")), L({"a"}));
    EXPECT_EQ(SeparaValores(QStringLiteral(" a | b")), L({" a ", " b"}));
}

TEST(ValoresNota, ItemsLoseOnlyTheEncodingCharacters) {
    EXPECT_EQ(LimpiaValor(QStringLiteral("a=b")), QStringLiteral("ab"));
    EXPECT_EQ(LimpiaValor(QStringLiteral("c{d}")), QStringLiteral("cd"));
    EXPECT_EQ(LimpiaValor(QStringLiteral(" x|y ")), QStringLiteral(" xy "));
    EXPECT_EQ(UneValores(L({"a=b", "c{d}", "", "Bien"})), QStringLiteral("ab|cd||Bien"));
    EXPECT_EQ(CodificaValoresConcepto(L({"a=b", "c{d}"}), L({"A", "B"})),
              QStringLiteral("{ab|cd}{A|B}"));
}

TEST(ValoresNota, DecodingBraceFormAndFallback) {
    TValoresConcepto d =
        DecodificaValoresConcepto(QStringLiteral("  {Oral|Escrito|Actitud} {A|B|C|D}resto"));
    EXPECT_EQ(d.subconceptos, L({"Oral", "Escrito", "Actitud"}));
    EXPECT_EQ(d.valores, L({"A", "B", "C", "D"}));

    d = DecodificaValoresConcepto(QStringLiteral("{}{Apto|No apto}"));
    EXPECT_TRUE(d.subconceptos.isEmpty());
    EXPECT_EQ(d.valores, L({"Apto", "No apto"}));

    d = DecodificaValoresConcepto(QStringLiteral("Apto\r\nNo apto\r\n"));
    EXPECT_TRUE(d.subconceptos.isEmpty());
    EXPECT_EQ(d.valores, L({"Apto", "No apto"}));

    d = DecodificaValoresConcepto(QStringLiteral("{a|b}"));
    EXPECT_TRUE(d.subconceptos.isEmpty());
    EXPECT_EQ(d.valores, L({"{a|b}"}));

    // Without a closing brace the whole text, leading blanks and all, is the value list.
    d = DecodificaValoresConcepto(QStringLiteral(" {a|b"));
    EXPECT_EQ(d.valores, L({" {a|b"}));
    EXPECT_TRUE(DecodificaValoresConcepto(QString()).valores.isEmpty());
}

TEST(ValoresNota, LengthCheckAcceptsTwoHundredFiftyFiveAndReportsTheLength) {
    // "{}{" + values + "}" is four characters more than the values.
    const QStringList justo{QString(251, QLatin1Char('x'))};
    EXPECT_EQ(CodificaValoresConcepto({}, justo).size(), 255);
    EXPECT_NO_THROW(ComprobarLongitudValores({}, justo));
    const QStringList largo{QString(252, QLatin1Char('x'))};
    try {
        ComprobarLongitudValores({}, largo);
        FAIL() << "256 characters were accepted";
    } catch (const EZMKError& e) {
        EXPECT_TRUE(
            e.Message().startsWith(QStringLiteral("Demasiado largo\n\nDebe asignar menos")));
        EXPECT_TRUE(e.Message().endsWith(QStringLiteral("(256 carácteres codificados)")));
    }
}

TEST(DataSourceNotas, ParametersEncodeAndRefuseWithoutChangingTheLists) {
    TZMKDS_Notas ds;
    ds.CreateParams();
    EXPECT_TRUE(ds.Params().ParamExists(QStringLiteral("MODIFICA_CONCEPTOS")));
    ds.ParamsSetValor(QStringLiteral("PRMFIELDVALUE"), QStringLiteral("{Oral|Escrito}{A|B}"));
    EXPECT_EQ(ds.ParamsGetValor(QStringLiteral("modifica_notas")).toString(),
              QStringLiteral("A|B"));
    ds.ParamsSetValor(QStringLiteral("MODIFICA_NOTAS"), QStringLiteral("Bien|Mal=o"));
    EXPECT_EQ(ds.ParamsGetValor(QStringLiteral("PRMFIELDVALUE")).toString(),
              QStringLiteral("{Oral|Escrito}{Bien|Malo}"));
    ds.ParamsSetValor(QStringLiteral("MODIFICA_CONCEPTOS"), QString());
    EXPECT_EQ(ds.ParamsGetValor(QStringLiteral("PRMFIELDVALUE")).toString(),
              QStringLiteral("{}{Bien|Malo}"));
    EXPECT_THROW(
        ds.ParamsSetValor(QStringLiteral("MODIFICA_CONCEPTOS"), QString(300, QLatin1Char('s'))),
        EZMKError);
    EXPECT_EQ(ds.ParamsGetValor(QStringLiteral("PRMFIELDVALUE")).toString(),
              QStringLiteral("{}{Bien|Malo}"));
}

TEST(DataSourceNotas, RegisteredEditorAsksBothListsWithoutAScreen) {
    test::TestDatabase tdb({QStringLiteral("Oral|Escrito"), QStringLiteral("A|B|C")});
    RegisterClassroomProcedures();
    EXPECT_EQ(ZMKDataSource_ImageClass(QStringLiteral("matriculas_modifica_notas")),
              QStringLiteral("SEARCH"));
    auto ds = CreateZMKDataSource(QStringLiteral("Matriculas_Modifica_Notas"));
    ASSERT_NE(ds, nullptr);
    QString valor = QStringLiteral("{}{Apto|No apto}");
    ASSERT_TRUE(ds->Edit(valor));
    EXPECT_EQ(valor, QStringLiteral("{Oral|Escrito}{A|B|C}"));
    tdb.prompt().Push(QStringLiteral("cancel"));
    EXPECT_FALSE(ds->Edit(valor));
    EXPECT_EQ(valor, QStringLiteral("{Oral|Escrito}{A|B|C}"));
    UnregisterClassroomProcedures();
    EXPECT_EQ(CreateZMKDataSource(QStringLiteral("MATRICULAS_MODIFICA_NOTAS")), nullptr);
}

QString Llama(const char* funcion, QVariantList args) {
    QVariant r;
    EXPECT_TRUE(frCallFunction(QString::fromLatin1(funcion), args, r)) << funcion;
    return r.toString();
}

TEST(FuncionesNota, ReportFunctionsByIndexAndTheGradeText) {
    RegisterClassroomProcedures();
    const QString def = QStringLiteral("{Oral|Escrito}{A|B|C}");
    EXPECT_EQ(Llama("NOTA_SUB_CANTIDAD", {def}), QStringLiteral("2"));
    EXPECT_EQ(Llama("NOTA_SUB_NOMBRE", {def, 1}), QStringLiteral("Escrito"));
    EXPECT_EQ(Llama("NOTA_SUB_NOMBRE", {def, -1}), QString());
    EXPECT_EQ(Llama("NOTA_SUB_NOMBRE", {def, 2}), QString());
    EXPECT_EQ(Llama("NOTA_VALORES_CANTIDAD", {def}), QStringLiteral("3"));
    EXPECT_EQ(Llama("NOTA_VALORPOSIBLE", {def, QStringLiteral("2")}), QStringLiteral("C"));
    EXPECT_EQ(Llama("NOTA_VALORPOSIBLE", {def, 3}), QString());
    EXPECT_EQ(Llama("NOTA_VALOR_SUBCONCEPTO", {QStringLiteral("A||C"), 2}), QStringLiteral("C"));
    EXPECT_EQ(Llama("NOTA_VALOR_SUBCONCEPTO", {QStringLiteral("A||C"), 1}), QString());
    EXPECT_EQ(Llama("NOTA_VALOR_SUBCONCEPTO", {QStringLiteral("A||C"), -1}), QString());
    EXPECT_EQ(Llama("NOTA", {def, QStringLiteral("B")}), QStringLiteral("Oral = B\r\nEscrito = "));
    EXPECT_EQ(Llama("NOTA", {QStringLiteral("{}{Apto|No apto}"), QStringLiteral("Apto")}),
              QStringLiteral("Apto"));
    int enCategoria = 0;
    for (const auto& d : frFunctionDescriptions())
        if (d.category == QLatin1String("ZMK-Escolia") && d.name.startsWith(QLatin1String("NOTA")))
            ++enCategoria;
    EXPECT_EQ(enCategoria, 6);
    UnregisterClassroomProcedures();
}

}  // namespace
