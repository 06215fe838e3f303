// The group sheets on screen: grades typed by first letters, ticks that add and clear classes,
// and the absence counts.
#include <QDateEdit>
#include <QTableWidget>

#include "classroom/forms/hojaasistencia.h"
#include "classroom/forms/hojanotas.h"
#include "tests/classroom/datos_aula.h"

using namespace zmk;

namespace {

const QDate kLunes(2026, 10, 12);

class HojasGrupo : public test::DatosAula {
  protected:
    HojasGrupo() {
        Exec(QStringLiteral("INSERT INTO T24BoletinesNotas (IDCursoT24, NombreConc1T24, "
                            "ValoresConc1T24) VALUES (%1, 'Inglés', '{Oral|Escrito}{Bien|Mal}')")
                 .arg(curso));
        for (int m : {ana, luis})
            Exec(QStringLiteral("INSERT INTO T25NotasBoletin (IDBoletinNotasT25, IDMatriculaT25) "
                                "VALUES (1, %1)")
                     .arg(m));
        Exec(QStringLiteral("UPDATE T05Grupos SET LunesMHIT05=0.375, LunesMHFT05=0.5 WHERE "
                            "IDGrupoT05=%1")
                 .arg(grupo));
    }
    int Faltas() { return Count(QStringLiteral("SELECT COUNT(*) FROM T26FaltasAsistencia")); }
};

TEST_F(HojasGrupo, GradeSheetCompletesTypedLettersAndRefusesALockedBulletin) {
    THojaNotas hoja(1, grupo);
    TFRMHojaNotas dlg(hoja);
    ASSERT_EQ(dlg.tabla->rowCount(), 2);
    ASSERT_EQ(dlg.tabla->columnCount(), 2);
    EXPECT_EQ(dlg.tabla->horizontalHeaderItem(1)->text(), QStringLiteral("Inglés: Escrito"));
    dlg.Asignar(0, 1, QStringLiteral("m"));
    EXPECT_EQ(dlg.tabla->item(0, 1)->text(), QStringLiteral("Mal"));
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT ValorConc1T25 FROM T25NotasBoletin WHERE "
                                        "IDMatriculaT25=%1")
                             .arg(ana))
                  .toString(),
              QStringLiteral("|Mal"));
    Exec(QStringLiteral("UPDATE T24BoletinesNotas SET BloqueadoT24=TRUE"));
    dlg.Asignar(1, 0, QStringLiteral("b"));
    EXPECT_EQ(dlg.tabla->item(1, 0)->text(), QString());
    EXPECT_TRUE(tdb.prompt().Log().join(QLatin1Char('\n')).contains(QStringLiteral("BLOQUEADO")));
}

TEST_F(HojasGrupo, AttendanceSheetTicksAndCounts) {
    TFRMHojaAsistencia dlg(grupo, kLunes);
    ASSERT_EQ(dlg.tabla->rowCount(), 2);
    // Monday has a morning class only.
    EXPECT_TRUE(dlg.tabla->item(0, 1)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(dlg.tabla->item(0, 2)->flags() & Qt::ItemIsEnabled);
    dlg.tabla->item(0, 1)->setCheckState(Qt::Checked);
    EXPECT_EQ(Faltas(), 1);
    EXPECT_EQ(dlg.tabla->item(0, 1)->checkState(), Qt::Checked);
    dlg.tabla->item(0, 1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(Faltas(), 0);
    dlg.tabla->item(1, 1)->setCheckState(Qt::Checked);
    dlg.ebFecha->setDate(kLunes.addDays(1));
    EXPECT_EQ(dlg.tabla->item(1, 1)->checkState(), Qt::Unchecked);

    TFRMResumenFaltas resumen(kLunes, kLunes, grupo);
    ASSERT_EQ(resumen.tabla->rowCount(), 1);
    EXPECT_EQ(resumen.tabla->item(0, 2)->text(), QStringLiteral("Luis Pons"));
    EXPECT_EQ(resumen.tabla->item(0, 3)->text(), QStringLiteral("1"));
    EXPECT_EQ(resumen.tabla->item(0, 5)->text(), QStringLiteral("1"));
}

}  // namespace
