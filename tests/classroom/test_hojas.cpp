// The group grade sheet and the group attendance sheet, with the absence counts.
#include "classroom/hojaasistencia.h"
#include "classroom/hojanotas.h"
#include "host/errors.h"
#include "tests/classroom/datos_aula.h"

using namespace zmk;

namespace {

const QDate kLunes(2026, 10, 12);

class Hojas : public test::DatosAula {
  protected:
    Hojas() {
        Exec(QStringLiteral("INSERT INTO T24BoletinesNotas (IDCursoT24, NombreConc1T24, "
                            "ValoresConc1T24, NombreConc2T24, ValoresConc2T24) VALUES (%1, "
                            "'Inglés', '{Oral|Escrito}{Bien|Notable|Sobresaliente}', 'Actitud', "
                            "'{}{Buena|Mala}')")
                 .arg(curso));
        boletin = VarAEnter(UltimValor(tdb.db(), QStringLiteral("T24BoletinesNotas"),
                                       QStringLiteral("IDBoletinNotasT24")));
        for (int m : {ana, luis, baja})
            Exec(QStringLiteral("INSERT INTO T25NotasBoletin (IDBoletinNotasT25, IDMatriculaT25) "
                                "VALUES (%1, %2)")
                     .arg(boletin)
                     .arg(m));
        // The inactive enrolment joins the first group for the sheet.
        Exec(QStringLiteral("UPDATE T02Matriculas SET IDGrupoT02=%1").arg(grupo));
        Exec(QStringLiteral("UPDATE T05Grupos SET LunesMHIT05=0.375, LunesMHFT05=0.5, "
                            "LunesTHIT05=0.6875, LunesTHFT05=0.75 WHERE IDGrupoT05=%1")
                 .arg(grupo));
    }
    QString Nota(int matricula, int concepto) {
        return tdb
            .Scalar(QStringLiteral("SELECT ValorConc%1T25 FROM T25NotasBoletin WHERE "
                                   "IDMatriculaT25=%2")
                        .arg(concepto)
                        .arg(matricula))
            .toString();
    }
    int boletin = 0;
};

TEST_F(Hojas, GradeSheetHasAColumnPerSubconceptAndWritesTheSameTexts) {
    THojaNotas hoja(boletin, grupo);
    ASSERT_EQ(hoja.Columnas().size(), 3);
    EXPECT_EQ(hoja.Columnas()[1].titulo, QStringLiteral("Inglés: Escrito"));
    ASSERT_EQ(hoja.Filas().size(), 3);
    EXPECT_EQ(hoja.Filas()[0].alumno, QStringLiteral("Ana Gil"));
    EXPECT_EQ(hoja.Completar(0, QStringLiteral("no")), QStringLiteral("Notable"));
    EXPECT_EQ(hoja.Completar(0, QStringLiteral("x")), QStringLiteral("x"));
    hoja.Asignar(0, 1, QStringLiteral("Notable"));
    EXPECT_EQ(Nota(ana, 1), QStringLiteral("|Notable"));
    hoja.Asignar(0, 0, QStringLiteral("Bien"));
    hoja.Asignar(0, 2, QStringLiteral("Buena"));
    EXPECT_EQ(Nota(ana, 1), QStringLiteral("Bien|Notable"));
    EXPECT_EQ(Nota(ana, 2), QStringLiteral("Buena"));
    EXPECT_EQ(hoja.Valor(0, 1), QStringLiteral("Notable"));
    // The inactive enrolment refuses with the grades screen's text; nothing is written.
    int fila = 0;
    while (hoja.Filas()[fila].idMatricula != baja) ++fila;
    EXPECT_FALSE(hoja.Filas()[fila].activa);
    try {
        hoja.Asignar(fila, 2, QStringLiteral("Mala"));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("La matrícula no está activa, no puede realizar cambios"));
    }
    EXPECT_EQ(Nota(baja, 2), QString());
    Exec(QStringLiteral("UPDATE T24BoletinesNotas SET BloqueadoT24=TRUE"));
    EXPECT_THROW(hoja.Asignar(1, 2, QStringLiteral("Mala")), EZMKError);
    EXPECT_EQ(Nota(luis, 2), QString());
}

TEST_F(Hojas, GradeSheetWithoutAScreenAsksTheGroupAndEveryActiveCell) {
    auto q = Pantalla(QStringLiteral("SELECT * FROM T24BoletinesNotas"), 296);
    // The group, then Ana's three cells, then Luis's.
    for (const char* a : {"ok", "s", "ok", "mal", "ok", "ok", "b"})
        tdb.prompt().Push(QString::fromLatin1(a));
    Ejecuta("HOJA_NOTAS_GRUPO");
    EXPECT_EQ(Nota(ana, 1), QStringLiteral("Sobresaliente"));
    EXPECT_EQ(Nota(ana, 2), QStringLiteral("Mala"));
    EXPECT_EQ(Nota(luis, 2), QStringLiteral("Buena"));
    EXPECT_EQ(tdb.prompt().Remaining(), 0);
}

TEST_F(Hojas, AttendanceTicksAddAndClearTheDaysClasses) {
    THojaAsistencia hoja(grupo, kLunes);
    ASSERT_EQ(hoja.Filas().size(), 2);  // active enrolments only
    EXPECT_TRUE(hoja.Horario().tarde.existe);
    hoja.Marcar(0, TTipoFalta::Manana, true);
    EXPECT_GT(hoja.Filas()[0].faltaManana, 0);
    EXPECT_EQ(hoja.Filas()[0].faltaTarde, 0);
    hoja.Marcar(0, TTipoFalta::Tarde, true);
    EXPECT_GT(hoja.Filas()[0].faltaTarde, 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T26FaltasAsistencia")), 2);
    hoja.Marcar(0, TTipoFalta::Manana, false);
    EXPECT_EQ(hoja.Filas()[0].faltaManana, 0);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T26FaltasAsistencia")), 1);
    // An absence without times blocks the day's classes with the dialog's text.
    Exec(QStringLiteral("INSERT INTO T26FaltasAsistencia (IDMatriculaT26, FechaFaltaT26, "
                        "JustificadaT26, ResueltaT26) VALUES (%1, %2, TRUE, FALSE)")
             .arg(luis)
             .arg(ValorSQL(QDateTime(kLunes, QTime(0, 0)))));
    try {
        hoja.Marcar(1, TTipoFalta::Manana, true);
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Esta matrícula ya tiene una falta")));
    }
    THojaAsistencia domingo(grupo, kLunes.addDays(6));
    EXPECT_THROW(domingo.Marcar(0, TTipoFalta::Manana, true), EZMKError);

    auto resumen = ResumenFaltas(kLunes, kLunes, 0);
    ASSERT_EQ(resumen->RecordCount(), 2);
    for (resumen->First(); !resumen->Eof(); resumen->Next()) {
        const bool esAna = resumen->FieldByName(QStringLiteral("NombreCompletoT01")).AsString() ==
                           QLatin1String("Ana Gil");
        EXPECT_EQ(resumen->FieldByName(QStringLiteral("Total")).AsInteger(), 1);
        EXPECT_EQ(resumen->FieldByName(QStringLiteral("Justificadas")).AsInteger(), esAna ? 0 : 1);
        EXPECT_EQ(resumen->FieldByName(QStringLiteral("NoJustificadas")).AsInteger(),
                  esAna ? 1 : 0);
    }
    EXPECT_EQ(ResumenFaltas(kLunes.addDays(1), kLunes.addDays(5), 0)->RecordCount(), 0);
}

}  // namespace
