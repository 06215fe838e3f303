// The mass-deletion form: the boxes other boxes force, the teachers' question, and a run that
// the final question commits or leaves the file as it was.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>

#include "core/splash.h"
#include "rules/forms/borradomasivo.h"
#include "tests/rules/test_conceptos_datos.h"

namespace zmk::test {
namespace {

// Remembers every progress text with its percent.
class TRecordingSplash : public TCustomSplash {
  public:
    explicit TRecordingSplash(QStringList& lines) : lines_(lines) {}

  protected:
    void Update() override {
        if (Active())
            lines_
                << QStringLiteral("%1 %2").arg(Levels().last().text).arg(Levels().last().percent);
    }

  private:
    QStringList& lines_;
};

class FRMBorradoMasivo : public DatosConceptos {
  protected:
    FRMBorradoMasivo() {
        const int matricula = Matricula(Grupo(Curso()));
        alumno = Id("T01Alumnos", "IDAlumnoT01");
        for (int centro : {1, 2}) {
            Exec(QStringLiteral("INSERT INTO T15FacturasCab (IDCentroT15, IDAlumnoT15) VALUES "
                                "(%1, %2)")
                     .arg(centro)
                     .arg(alumno));
            const int factura = Id("T15FacturasCab", "IDFacturaCabT15");
            Exec(QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, IDMatriculaT16) "
                                "VALUES (%1, %2)")
                     .arg(factura)
                     .arg(matricula));
            Exec(QStringLiteral("INSERT INTO T11Incidencias (IDCentroT11, IDFacturaCabT11) "
                                "VALUES (%1, %2)")
                     .arg(centro)
                     .arg(factura));
        }
    }
    int Filas(const char* tabla, const char* donde = "1=1") {
        return Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2")
                         .arg(QLatin1String(tabla), QLatin1String(donde)));
    }
    // The company file's bytes with every committed page in it.
    QByteArray Bytes() {
        tdb.db().ExecuteSQL(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        QFile file(tdb.path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QString Log() { return tdb.prompt().Log().join(u'\n'); }
    int alumno = 0;
};

TEST_F(FRMBorradoMasivo, ForcedBoxesAreCheckedAndDisabledUntilTheirCauseIsUnticked) {
    TFRMBorradoMasivo form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Borrado masivo de datos"));
    EXPECT_TRUE(form.bbBorrar->isDefault());
    for (int i = 0; i < kNumCasillasBorrado; ++i) {
        QCheckBox* c = form.Casilla(i);
        EXPECT_EQ(c->text(), QString::fromUtf8(DatosCasillaBorrado(i).caption));
        EXPECT_EQ(c->objectName(), QLatin1String(DatosCasillaBorrado(i).nombre));
        EXPECT_TRUE(c->isEnabled() && !c->isChecked()) << i;
    }
    // Nothing to delete yet.
    EXPECT_FALSE(form.bbBorrar->isEnabled());

    form.Casilla(kBorrarCursos)->click();
    for (int forzada :
         {kBorrarGrupos, kBorrarMatriculas, kBorrarBoletinesNotas, kBorrarNotasBoletines,
          kBorrarFaltasAsistencia, kBorrarConceptosCobro, kBorrarConceptosCobroCursos,
          kBorrarConceptosCobroGrupos, kBorrarConceptosCobroMatriculas, kBorrarIncidenciasCursos,
          kBorrarIncidenciasGrupos, kBorrarIncidenciasMatriculas}) {
        EXPECT_TRUE(form.Casilla(forzada)->isChecked()) << forzada;
        EXPECT_FALSE(form.Casilla(forzada)->isEnabled()) << forzada;
    }
    EXPECT_TRUE(form.Casilla(kBorrarCursos)->isEnabled());
    EXPECT_FALSE(form.Casilla(kBorrarAlumnos)->isChecked());
    EXPECT_TRUE(form.bbBorrar->isEnabled());

    // The students force the enrolments too: unticking the courses keeps that part.
    form.Casilla(kBorrarAlumnos)->click();
    form.Casilla(kBorrarCursos)->click();
    EXPECT_FALSE(form.Casilla(kBorrarGrupos)->isChecked());
    EXPECT_TRUE(form.Casilla(kBorrarGrupos)->isEnabled());
    EXPECT_TRUE(form.Casilla(kBorrarMatriculas)->isChecked());
    EXPECT_FALSE(form.Casilla(kBorrarMatriculas)->isEnabled());
    form.Casilla(kBorrarAlumnos)->click();
    for (int i = 0; i < kNumCasillasBorrado; ++i)
        EXPECT_TRUE(form.Casilla(i)->isEnabled() && !form.Casilla(i)->isChecked()) << i;
    EXPECT_FALSE(form.bbBorrar->isEnabled());

    // The teachers are asked for; No leaves the box unticked.
    tdb.prompt().Push(QStringLiteral("no"));
    form.Casilla(kBorrarProfesores)->click();
    EXPECT_FALSE(form.Casilla(kBorrarProfesores)->isChecked());
    EXPECT_FALSE(form.Casilla(kBorrarIncidenciasProfesores)->isChecked());
    EXPECT_TRUE(Log().contains(QStringLiteral("LOS PROFESORES SON COMUNES A TODOS LOS CENTROS")));
    tdb.prompt().Push(QStringLiteral("yes"));
    form.Casilla(kBorrarProfesores)->click();
    EXPECT_TRUE(form.Casilla(kBorrarProfesores)->isChecked());
    EXPECT_FALSE(form.Casilla(kBorrarIncidenciasProfesores)->isEnabled());
}

TEST_F(FRMBorradoMasivo, InvoicesAnsweredYesGoWithTheirLinesInTheCurrentCentreOnly) {
    QStringList progreso;
    std::unique_ptr<TCustomSplash> anterior =
        SetSplash(std::make_unique<TRecordingSplash>(progreso));
    TFRMBorradoMasivo form;
    form.Casilla(kBorrarFacturas)->click();
    EXPECT_FALSE(form.Casilla(kBorrarIncidenciasFacturas)->isEnabled());
    tdb.prompt().Push(QStringLiteral("yes"));
    form.bbBorrar->click();
    SetSplash(std::move(anterior));

    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(Filas("T15FacturasCab"), 1);
    EXPECT_EQ(Filas("T15FacturasCab", "IDCentroT15=2"), 1);
    EXPECT_EQ(Filas("T16FacturasCue"), 1);
    EXPECT_EQ(Filas("T11Incidencias", "IDCentroT11=2"), 1);
    EXPECT_EQ(Filas("T11Incidencias"), 1);
    EXPECT_EQ(Filas("T02Matriculas"), 1);
    EXPECT_EQ(progreso,
              QStringList({"Inicializando... 0", "Eliminando las INCIDENCIAS de las FACTURAS 10",
                           "Eliminando las FACTURAS 70"}));
    EXPECT_TRUE(Log().contains(QStringLiteral(
        "SELECCIONADOS:\\n\\nINCIDENCIAS DE LAS FACTURAS\\nFACTURAS Y ARCHIVOS NORMA 19\\n")));
}

TEST_F(FRMBorradoMasivo, NoAtTheEndLeavesTheFileByteForByteAndTheFormAsItWas) {
    const QByteArray antes = Bytes();
    TFRMBorradoMasivo form;
    form.Casilla(kBorrarCursos)->click();
    form.Casilla(kBorrarAlumnos)->click();
    form.Casilla(kBorrarFacturas)->click();
    form.Casilla(kBorrarIncidencias)->click();
    const QStringList marcadas = form.Casillas().Claves();
    tdb.prompt().Push(QStringLiteral("no"));
    form.bbBorrar->click();

    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_TRUE(Log().endsWith(QStringLiteral("Operación abortada"))) << Log().toStdString();
    EXPECT_FALSE(tdb.db().InTransaction());
    EXPECT_EQ(Bytes(), antes);
    EXPECT_EQ(form.Casillas().Claves(), marcadas);
    EXPECT_TRUE(form.Casilla(kBorrarCursos)->isChecked());
    EXPECT_FALSE(form.Casilla(kBorrarGrupos)->isEnabled());

    // Without a current centre nothing runs, and the user is told why.
    FijaCentroActual(0);
    const QByteArray sinCentro = Bytes();
    form.bbBorrar->click();
    EXPECT_TRUE(
        Log().endsWith(QStringLiteral("No ha seleccionado ningún centro\\n\\nPara poder "
                                      "realizar esta acción necesita un centro "
                                      "predeterminado")))
        << Log().toStdString();
    EXPECT_EQ(Bytes(), sinCentro);
    EXPECT_NE(form.result(), QDialog::Accepted);
}

// A picture of the form for a look (ESCOLIA_SCREENSHOTS: the folder to write it to).
TEST_F(FRMBorradoMasivo, Screenshot) {
    const QString dir = qEnvironmentVariable("ESCOLIA_SCREENSHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "ESCOLIA_SCREENSHOTS not set";
    TFRMBorradoMasivo form;
    form.Casilla(kBorrarAlumnos)->click();
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(form.grab().save(dir + QStringLiteral("/borradomasivo.png")));
}

}  // namespace
}  // namespace zmk::test
