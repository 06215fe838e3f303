// Student import: the delimited-text reader, the default mapping, numbering, the payment
// methods by IBAN, and the all-or-nothing run.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/centroactual.h"
#include "host/errors.h"
#include "rules/formimportacion.h"
#include "rules/lectores/lectortexto.h"
#include "tests/support/testdb.h"

namespace zmk::test {
namespace {

TEST(LectorTexto, FindsDelimiterQuoteAndEncoding) {
    EXPECT_EQ(DetectarFormatoTexto(QStringLiteral("a;b;\"c,d\"\n")).delimitador, u';');
    EXPECT_EQ(DetectarFormatoTexto(QStringLiteral("a\tb\n")).delimitador, u'\t');
    EXPECT_EQ(DetectarFormatoTexto(QStringLiteral("'a','b'\n'1','2'\n")).comillas, u'\'');
    EXPECT_EQ(DecodificarTexto(QByteArray("\xEF\xBB\xBFP\xC3\xA9rez")), QStringLiteral("Pérez"));
    EXPECT_EQ(DecodificarTexto(QByteArray("P\xE9rez \x80")), QStringLiteral("Pérez €"));
    const auto r =
        SepararRegistros(QStringLiteral("a,\"b \"\"x\"\"\nc\",d\r\n\r\n1,,3\n"), {u',', u'"'});
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0], (QStringList{"a", "b \"x\"\nc", "d"}));
    EXPECT_EQ(r[1], (QStringList{"1", "", "3"}));
}

class Importacion : public ::testing::Test {
  protected:
    TestDatabase t;
    QTemporaryDir dir;
    Importacion() {
        for (const char* sql :
             {"INSERT INTO T20Centros (IDCentroT20, NombreCentroT20, ActivoT20) VALUES (1,'C',1)",
              "INSERT INTO T17FormasCobro (UsaNorma19T17) VALUES (0)",
              "INSERT INTO T17FormasCobro (UsaNorma19T17) VALUES (1)",
              "INSERT INTO T01Alumnos (IDCentroT01, CodigoT01) VALUES (1, 41)"})
            t.db().ExecuteSQL(QString::fromUtf8(sql));
        FijaCentroActual(1);
    }
    QString Archivo(const char* nombre, const QByteArray& contenido) {
        const QString path = dir.filePath(QString::fromUtf8(nombre));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
        return path;
    }
    QString Alumnos() {
        return t
            .Scalar(
                "SELECT group_concat(CodigoT01 || ':' || IFNULL(NombreCompletoT01,'') || "
                "':' || IFNULL(IDFormaCobroT01,''), '|') FROM (SELECT * FROM T01Alumnos "
                "ORDER BY CodigoT01)")
            .toString();
    }
};

TEST_F(Importacion, NamesOnlyAreNumberedFromTheHighestAndPaidByIBAN) {
    TFormImportacion f;
    ASSERT_TRUE(f.AbrirOrigen(Archivo("datos.txt",
                                      "Nombre;apellidos;IBAN\nAna;P\xE9rez;ES91 "
                                      "2100 0418 4502 0005 1332\nLuis;G;\n")));
    EXPECT_EQ(f.Tablas(), QStringList{"datos#txt"});
    EXPECT_EQ(f.LineaCampo(0), QStringLiteral("Código del alumno <== (no asignado)"));
    EXPECT_EQ(f.LineaCampo(2), QStringLiteral("Apellidos <== apellidos"));
    t.prompt().Push("yes");
    EXPECT_EQ(f.Importar(TRegistrosAImportar::Todos, 0, {}), 2);
    EXPECT_EQ(Alumnos(), QStringLiteral("41::|42:Pérez, Ana:2|43:G, Luis:1"));
    EXPECT_EQ(t.Scalar("SELECT BICT01 FROM T01Alumnos WHERE CodigoT01=42"), "CAIXESBBXXX");
}

TEST_F(Importacion, DuplicateNumberAbortsTheWholeRunAndNoLeavesNothing) {
    TFormImportacion f;
    ASSERT_TRUE(f.AbrirOrigen(Archivo("a.csv", "Codigo,Nombre\n50,A\n41,B\n")));
    const QString antes = t.Dump();
    EXPECT_EQ(ErrorMessage([&] { f.Importar(TRegistrosAImportar::Todos, 0, {}); }),
              QStringLiteral("Ya existe otro alumno con el código 41\n\n¡Operación abortada!\n\n"
                             "No se ha importado ningún registro."));
    EXPECT_EQ(t.Dump(), antes);
    // The same number twice in the file is caught too.
    f.AsignarValor(0, QStringLiteral("60"));
    EXPECT_TRUE(ErrorMessage([&] {
                    f.Importar(TRegistrosAImportar::Todos, 0, {});
                }).startsWith("Ya existe otro alumno con el código 60"));
    t.prompt().Push("no");
    EXPECT_THROW(f.Importar(TRegistrosAImportar::Actual, 0, {}), EAbort);
    EXPECT_EQ(t.Dump(), antes);
}

// A value its column cannot hold stops the run, naming the value, the field and the row, and
// nothing of the rows before it is kept.
TEST_F(Importacion, AValueItsColumnCannotHoldStopsTheRunAndKeepsNothing) {
    TFormImportacion f;
    ASSERT_TRUE(f.AbrirOrigen(Archivo("c.csv", "Codigo,Nombre\n50,A\n7.5,B\n")));
    const QString antes = t.Dump();
    t.prompt().Push("yes");
    const QString error = ErrorMessage([&] { f.Importar(TRegistrosAImportar::Todos, 0, {}); });
    EXPECT_TRUE(
        error.startsWith(QStringLiteral("El valor \"7.5\" del campo \"Código del alumno\"")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("(registro 2)"))) << error.toStdString();
    EXPECT_EQ(t.Dump(), antes);
}

TEST_F(Importacion, EmptySelectionAsksForZeroAndRowsWithoutNumberStop) {
    TFormImportacion f;
    ASSERT_TRUE(f.AbrirOrigen(Archivo("b.txt", "Codigo\tNombre\n\tA\n")));
    t.prompt().Push("yes");
    EXPECT_EQ(f.Importar(TRegistrosAImportar::Seleccion, 0, {}), 0);
    EXPECT_TRUE(t.prompt().Log().join(u'\n').contains("Se van a importar 0 registros"));
    EXPECT_EQ(ErrorMessage([&] { f.Importar(TRegistrosAImportar::Todos, 0, {}); }),
              QStringLiteral("Se ha intentado crear un alumno sin código. Verifique los datos de "
                             "origen. Operación abortada."));
    for (int i = 0; i < int(f.Campos().size()); ++i) f.Activar(i, false);
    EXPECT_EQ(ErrorMessage([&] { f.Importar(TRegistrosAImportar::Todos, 0, {}); }),
              QStringLiteral("No se ha importado ningún campo"));
}

TEST_F(Importacion, UnknownExtensionEmptyFileAndNoCentreAreRefused) {
    TFormImportacion f;
    EXPECT_EQ(ErrorMessage([&] { f.AbrirOrigen(Archivo("x.doc", "a")); }),
              QStringLiteral("Extensión de archivo desconocida"));
    EXPECT_TRUE(
        ErrorMessage([&] { f.AbrirOrigen(Archivo("v.txt", "\xEF\xBB\xBF\n")); }).contains("vacío"));
    ASSERT_TRUE(f.AbrirOrigen(Archivo("c.txt", "Nombre\nA\n")));
    t.db().ExecuteSQL("DELETE FROM T20Centros");
    FijaCentroActual(0);
    EXPECT_TRUE(ErrorMessage([&] {
                    f.Importar(TRegistrosAImportar::Todos, 0, {});
                }).startsWith("Necesita seleccionar un CENTRO como predeterminado"));
}

}  // namespace
}  // namespace zmk::test
