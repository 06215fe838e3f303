// The spreadsheet readers on real files: workbooks saved by LibreOffice and by Excel, their
// sheets, column names, typed values and dates; the date formats; damaged and empty files.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "host/errors.h"
#include "rules/lectores/formatonumero.h"
#include "rules/lectores/origendatos.h"
#include "tests/support/testdb.h"

namespace zmk::test {
namespace {

QString Datos(const char* nombre) {
    return QStringLiteral(ESCOLIA_SOURCE_DIR "/tests/data/lectores/") + QLatin1String(nombre);
}

TTablaOrigen Tabla(const QString& archivo, const QString& nombre) {
    return AbrirOrigenDatos(archivo)->LeerTabla(nombre);
}

// The same workbook saved by LibreOffice in its three formats: accents in sheet and column
// names, whole and decimal numbers, dates, a date with its time, an empty row left out.
class HojaLibreOffice : public ::testing::TestWithParam<const char*> {};

TEST_P(HojaLibreOffice, SheetsColumnsAndTypedValues) {
    const auto origen = AbrirOrigenDatos(Datos(GetParam()));
    EXPECT_EQ(origen->Tablas(), (QStringList{"Alumnos", "Señas y horas"}));
    const TTablaOrigen t = origen->LeerTabla(QStringLiteral("Alumnos"));
    EXPECT_EQ(t.columnas, (QStringList{"Codigo", "Nombre", "Apellidos", "NIF", "FechaNacimiento",
                                       "Población", "IBAN", "Cuota", "Nombre completo"}));
    ASSERT_EQ(t.filas.size(), 3);
    const QVariantList& ana = t.filas[0];
    EXPECT_EQ(ana[0].typeId(), QMetaType::LongLong);
    EXPECT_EQ(ana[0].toLongLong(), 101);
    EXPECT_EQ(ana[2], QVariant(QStringLiteral("Núñez Peña")));
    EXPECT_EQ(ana[4], QVariant(QDate(2011, 2, 28)));
    EXPECT_EQ(ana[7], QVariant(45.5));
    EXPECT_EQ(t.filas[1][3], QVariant());
    EXPECT_EQ(t.filas[1][7], QVariant(qlonglong(60)));
    EXPECT_EQ(t.filas[2][1], QVariant(QStringLiteral("Ångström")));
    EXPECT_EQ(t.filas[2][5], QVariant(QStringLiteral("A Coruña")));
    const TTablaOrigen senas = origen->LeerTabla(QStringLiteral("Señas y horas"));
    EXPECT_EQ(senas.columnas, (QStringList{"Código", "Alta", "Activo"}));
    ASSERT_EQ(senas.filas.size(), 1);
    EXPECT_EQ(senas.filas[0][1], QVariant(QDateTime(QDate(2024, 9, 2), QTime(9, 30))));
}

INSTANTIATE_TEST_SUITE_P(Formatos, HojaLibreOffice,
                         ::testing::Values("alumnos.ods", "alumnos.xlsx", "alumnos.xls"));

TEST(HojaCalculo, FormulasGiveTheResultTheFileKeeps) {
    for (const char* archivo : {"alumnos.xlsx", "alumnos.ods"}) {
        const TTablaOrigen t = Tabla(Datos(archivo), QStringLiteral("Alumnos"));
        EXPECT_EQ(t.filas[0][8], QVariant(QStringLiteral("Núñez Peña, María José"))) << archivo;
        EXPECT_EQ(t.filas[2][8], QVariant(QStringLiteral("Çelik Öztürk, Ångström"))) << archivo;
    }
}

// A merged cell covers the next one: the values after it keep their columns, and the text
// results of formulas are there (liborcus alone gets both wrong in an .ods).
TEST(HojaCalculo, MergedCellsKeepTheColumnsAfterThem) {
    const TTablaOrigen t = Tabla(Datos("combinadas.ods"), QStringLiteral("Dos"));
    EXPECT_EQ(t.columnas, (QStringList{"A", "B", "C", "D"}));
    ASSERT_EQ(t.filas.size(), 2);
    EXPECT_EQ(t.filas[0], (QVariantList{QStringLiteral("unida"), QVariant(), qlonglong(7),
                                        QStringLiteral("UNIDA")}));
    EXPECT_EQ(t.filas[1],
              (QVariantList{QVariant(), QVariant(), qlonglong(5), QStringLiteral("x5")}));
}

// Workbooks saved by Excel: titles above the header (the columns take the first row), dates;
// one from Excel for Mac counts its days from 1904 and numbers its sheets out of order.
TEST(HojaCalculo, WorkbooksSavedByExcel) {
    for (const char* archivo : {"deaths.xls", "deaths.xlsx"}) {
        SCOPED_TRACE(archivo);
        const auto origen = AbrirOrigenDatos(Datos(archivo));
        EXPECT_EQ(origen->Tablas(), (QStringList{"arts", "other"}));
        const TTablaOrigen t = origen->LeerTabla(QStringLiteral("arts"));
        ASSERT_GE(t.filas.size(), 5);
        EXPECT_EQ(t.columnas.first(), QStringLiteral("Lots of people"));
        EXPECT_EQ(t.columnas[1], QStringLiteral("F2"));
        EXPECT_EQ(t.filas[3][0], QVariant(QStringLiteral("Name")));
        EXPECT_EQ(t.filas[4][0], QVariant(QStringLiteral("David Bowie")));
        EXPECT_EQ(t.filas[4][4], QVariant(QDate(1947, 1, 8)));
        EXPECT_EQ(t.filas[4][5], QVariant(QDate(2016, 1, 10)));
    }
    const auto mac = AbrirOrigenDatos(Datos("type-me.xlsx"));
    const TTablaOrigen fechas = mac->LeerTabla(QStringLiteral("date_coercion"));
    EXPECT_EQ(fechas.filas[1][0], QVariant(QDate(2016, 5, 23)));
    EXPECT_EQ(fechas.filas[2][0], QVariant(QDateTime(QDate(2016, 4, 28), QTime(11, 30))));
    EXPECT_EQ(fechas.filas[5][0], QVariant(4.3));
    const TTablaOrigen logicos = mac->LeerTabla(QStringLiteral("logical_coercion"));
    EXPECT_EQ(logicos.filas[4][0], QVariant(true));
    // A formula on the first sheet, whose identifier in the workbook is 4.
    EXPECT_EQ(logicos.filas[7][0], QVariant(QStringLiteral("true")));
    EXPECT_EQ(mac->LeerTabla(QStringLiteral("text_coercion")).filas.size(), 6);
}

TEST(FormatoNumero, DatesAndTimesAreToldFromNumbers) {
    const std::pair<const char*, TClaseFormato> casos[] = {
        {"dd/mm/yyyy", TClaseFormato::Fecha},
        {"[$-C0A]d\\ \"de\"\\ mmmm\\ \"de\"\\ yyyy", TClaseFormato::Fecha},
        {"yyyy-mm-dd hh:mm:ss", TClaseFormato::FechaHora},
        {"[$-409]m/d/yy h:mm AM/PM;@", TClaseFormato::FechaHora},
        {"h:mm", TClaseFormato::Hora},
        {"mm:ss", TClaseFormato::Hora},
        {"[h]:mm", TClaseFormato::Hora},
        {"General", TClaseFormato::Numero},
        {"#,##0.00 \"días\"", TClaseFormato::Numero},
        {"[Red]0.00;[Blue]-0.00", TClaseFormato::Numero},
        {"0.00E+00", TClaseFormato::Numero},
        {"#,##0.00\\ [$€-C0A]", TClaseFormato::Numero},
    };
    for (const auto& [codigo, clase] : casos)
        EXPECT_EQ(ClaseFormatoNumero(QString::fromUtf8(codigo)), clase) << codigo;
    EXPECT_EQ(ClaseFormatoPredefinido(14), TClaseFormato::Fecha);
    EXPECT_EQ(ClaseFormatoPredefinido(22), TClaseFormato::FechaHora);
    EXPECT_EQ(ClaseFormatoPredefinido(20), TClaseFormato::Hora);
    EXPECT_EQ(ClaseFormatoPredefinido(4), TClaseFormato::Numero);

    const QDate origen(1899, 12, 30);
    EXPECT_EQ(ValorConFormato(43831.5, TClaseFormato::FechaHora, origen),
              QVariant(QDateTime(QDate(2020, 1, 1), QTime(12, 0))));
    EXPECT_EQ(ValorConFormato(43831.999999999, TClaseFormato::Fecha, origen),
              QVariant(QDate(2020, 1, 2)));
    EXPECT_EQ(ValorConFormato(0.75, TClaseFormato::Hora, origen), QVariant(QTime(18, 0)));
    EXPECT_EQ(ValorConFormato(43831, TClaseFormato::Numero, origen), QVariant(qlonglong(43831)));
    EXPECT_EQ(ValorConFormato(1e300, TClaseFormato::Fecha, origen), QVariant(1e300));
}

// A damaged, cut or empty file of each kind, or one of another kind under the extension, is
// refused with the file's name and the reason; nothing is read from it.
TEST(Lectores, DamagedTruncatedAndEmptyFilesAreRefused) {
    QTemporaryDir dir;
    auto escribe = [&](const char* nombre, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromUtf8(nombre));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    };
    auto lee = [](const char* nombre) {
        QFile f(Datos(nombre));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    };
    auto error = [](const QString& archivo) {
        return ErrorMessage([&] {
            const auto origen = AbrirOrigenDatos(archivo);
            for (const QString& t : origen->Tablas()) origen->LeerTabla(t);
        });
    };
    for (const char* nombre : {"v.xls", "v.xlsx", "v.ods", "v.mdb", "v.accdb", "v.csv"})
        EXPECT_EQ(error(escribe(nombre, {})), QStringLiteral("No se puede leer el archivo ") +
                                                  QString::fromUtf8(nombre) +
                                                  QStringLiteral(": el archivo está vacío"));
    EXPECT_EQ(error(dir.filePath(QStringLiteral("falta.xlsx"))),
              QStringLiteral("No se puede leer el archivo falta.xlsx: el archivo no existe"));
    EXPECT_EQ(
        error(escribe("otro.xls", lee("alumnos.xlsx"))),
        QStringLiteral("No se puede leer el archivo otro.xls: no es un libro de Excel 97-2003"));
    EXPECT_EQ(
        error(escribe("otro.xlsx", lee("alumnos.ods"))),
        QStringLiteral(
            "No se puede leer el archivo otro.xlsx: no es un libro de Excel 2007 o posterior"));
    EXPECT_EQ(error(escribe("otro.ods", lee("alumnos.xls"))),
              QStringLiteral(
                  "No se puede leer el archivo otro.ods: no es una hoja de cálculo OpenDocument"));
    // Files on which FreeXL overruns a buffer and liborcus aborts the program.
    for (const char* nombre : {"danado-freexl.xls", "danado-orcus.xlsx"})
        EXPECT_TRUE(error(Datos(nombre))
                        .startsWith(QStringLiteral("No se puede leer el archivo ") +
                                    QString::fromUtf8(nombre)))
            << nombre;
    for (const char* nombre : {"alumnos.xls", "alumnos.xlsx", "alumnos.ods"}) {
        const QByteArray bytes = lee(nombre);
        const QString cortado = escribe(nombre, bytes.left(bytes.size() / 2));
        EXPECT_TRUE(error(cortado).startsWith(QStringLiteral("No se puede leer el archivo ") +
                                              QString::fromUtf8(nombre)))
            << nombre;
        QByteArray revuelto = bytes;
        for (qsizetype i = 600; i < revuelto.size(); i += 97)
            revuelto[i] = char(revuelto[i] ^ 0x5A);
        // A scrambled file is refused or read; it never brings the program down.
        escribe(nombre, revuelto);
        const QString mensaje = error(dir.filePath(QString::fromUtf8(nombre)));
        EXPECT_TRUE(mensaje.isEmpty() || mensaje.startsWith(QStringLiteral("No se puede leer")))
            << mensaje.toStdString();
    }
}

}  // namespace
}  // namespace zmk::test
