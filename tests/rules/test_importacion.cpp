// Student import: the delimited-text reader, the default mapping, numbering, the payment
// methods by IBAN, and the all-or-nothing run.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/centroactual.h"
#include "host/errors.h"
#include "rules/comprobacionimportacion.h"
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
    // Billing needs the IBAN in its electronic form, not as it was printed.
    EXPECT_EQ(t.Scalar("SELECT IBANT01 FROM T01Alumnos WHERE CodigoT01=42"),
              "ES9121000418450200051332");
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

// The findings of one row, as "campo: texto" with "!" ahead of those that stop the import.
QStringList Avisos(const TFilaComprobada& f) {
    QStringList avisos;
    for (const TAvisoImportacion& a : f.avisos)
        avisos << (a.detiene ? QStringLiteral("!") : QString()) + a.campo + ": " + a.texto;
    return avisos;
}

TEST_F(Importacion, CheckFindsWhatTheImportWouldStopAtOrGetWrongAndWritesNothing) {
    TFormImportacion f;
    ASSERT_TRUE(f.AbrirOrigen(
        Archivo("r.csv",
                "Codigo;Nombre;Apellidos;NIF;IBAN;FechaNacimiento;eMail\n"
                "50;Ana;Pérez;12345678Z;ES91 2100 0418 4502 0005 1332;03/02/2011;ana@x.es\n"
                "41;Luis;Gil;12345678A;ES00 2100 0418 4502 0005 1332;31/02/2011;luis\n"
                "50;;;X1234567L;;;\n"
                ";Eva;Sanz;;;;\n")));
    const QString antes = t.Dump();
    const TComprobacionImportacion c = ComprobarImportacion(f, TRegistrosAImportar::Todos, 0, {});
    EXPECT_EQ(t.Dump(), antes);
    ASSERT_EQ(c.filas.size(), 4);
    EXPECT_EQ(c.filas[0].codigo, 50);
    EXPECT_EQ(c.filas[0].nombreCompleto, QStringLiteral("Pérez, Ana"));
    EXPECT_EQ(Avisos(c.filas[0]), QStringList());
    const QStringList luis = Avisos(c.filas[1]);
    ASSERT_EQ(luis.size(), 5) << luis.join('\n').toStdString();
    EXPECT_EQ(luis[0], QStringLiteral("NIF: la letra del NIF \"12345678A\" no es correcta: le "
                                      "corresponde la Z"));
    EXPECT_EQ(luis[1], QStringLiteral("eMail: \"luis\" debe llevar una sola \"@\""));
    EXPECT_EQ(luis[2],
              QStringLiteral("!Fecha Nacimiento: el valor \"31/02/2011\" no es una fecha"));
    EXPECT_TRUE(luis[3].startsWith(QStringLiteral("Código IBAN: ")) &&
                luis[3].contains(QStringLiteral("control")))
        << luis[3].toStdString();
    EXPECT_EQ(luis[4],
              QStringLiteral("!Código del alumno: Ya existe otro alumno con el código 41"));
    // A NIE is checked with its letter; the number repeats the first row's.
    EXPECT_EQ(Avisos(c.filas[2]),
              (QStringList{"!Código del alumno: el código 50 ya lo lleva el registro 1 del archivo",
                           "Nombre: el alumno no tendrá nombre ni apellidos"}));
    EXPECT_EQ(Avisos(c.filas[3]),
              QStringList{"!Código del alumno: el registro no tiene código: la importación se "
                          "detendrá"});
    EXPECT_FALSE(c.filas[3].codigo.isValid());
    EXPECT_EQ(
        c.Resumen(),
        QStringLiteral("Comprobados 4 registros: 3 con avisos, 3 detendrían la importación."));
    // The import keeps its own rule and stops at the taken number.
    EXPECT_TRUE(ErrorMessage([&] {
                    f.Importar(TRegistrosAImportar::Todos, 0, {});
                }).startsWith("Ya existe otro alumno con el código 41"));
    EXPECT_EQ(t.Dump(), antes);
}

TEST_F(Importacion, CheckNumbersAsTheImportDoesAndSavesItsListAsCSV) {
    TFormImportacion f;
    ASSERT_TRUE(
        f.AbrirOrigen(Archivo("n.txt", "Nombre\tApellidos\nAna\tPérez\n\"Jo;\"\"e\"\"\"\tG\n")));
    const TComprobacionImportacion c =
        ComprobarImportacion(f, TRegistrosAImportar::Seleccion, 0, {1, 0});
    ASSERT_EQ(c.filas.size(), 2);
    EXPECT_EQ(c.filas[0].codigo, 42);
    EXPECT_EQ(c.filas[1].codigo, 43);
    EXPECT_EQ(c.FilasConAvisos(), 0);

    const QString csv = dir.filePath("comprobacion.csv");
    GuardarComprobacionCSV(c, csv);
    QFile leido(csv);
    ASSERT_TRUE(leido.open(QIODevice::ReadOnly));
    const QByteArray bytes = leido.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\"Registro\";"));
    EXPECT_EQ(QString::fromUtf8(bytes.mid(3)),
              QStringLiteral("\"Registro\";\"Código\";\"Nombre\";\"Tipo\";\"Campo\";"
                             "\"Descripción\"\r\n"
                             "\"2\";\"42\";\"G, Jo;\"\"e\"\"\";\"Correcto\";\"\";\"\"\r\n"
                             "\"1\";\"43\";\"Pérez, Ana\";\"Correcto\";\"\";\"\"\r\n"));
    // Nothing but the list is left in the folder; a folder that is not there is refused.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_FALSE(ErrorMessage([&] {
                     GuardarComprobacionCSV(c, dir.filePath("no/hay/carpeta.csv"));
                 }).isEmpty());
    t.prompt().Push("yes");
    f.Importar(TRegistrosAImportar::Seleccion, 0, {1, 0});
    EXPECT_EQ(Alumnos(), QStringLiteral("41::|42:G, Jo;\"e\":1|43:Pérez, Ana:1"));
}

}  // namespace
}  // namespace zmk::test
