// Absences: class hours of the day, the overlap search, normalised times, the dialog's actions
// without a screen, and the rules of the absences screen.
#include "classroom/faltas.h"
#include "host/controls.h"
#include "host/errors.h"
#include "tests/classroom/datos_aula.h"

using namespace zmk;

namespace {

const QDate kLunes(2026, 10, 12);
const QDate kDomingo(2026, 10, 18);

QDateTime H(int h, int m = 0, const QDate& dia = kLunes) {
    return QDateTime(dia, QTime(h, m));
}

class Faltas : public test::DatosAula {
  protected:
    Faltas() {
        // Monday: morning 09:00-13:00 and afternoon 16:00-18:30; Tuesday: a morning start only.
        Exec(QStringLiteral("UPDATE T05Grupos SET LunesMHIT05=%1, LunesMHFT05=%2, LunesTHIT05=%3, "
                            "LunesTHFT05=%4, MartesMHIT05=%5 WHERE IDGrupoT05=%6")
                 .arg(ValorSQL(QDateTime(QDate(1899, 12, 30), QTime(9, 0))),
                      ValorSQL(QDateTime(QDate(1899, 12, 30), QTime(13, 0))),
                      ValorSQL(QDateTime(QDate(1899, 12, 30), QTime(16, 0))),
                      ValorSQL(QDateTime(QDate(1899, 12, 30), QTime(18, 30))),
                      ValorSQL(QDateTime(QDate(1899, 12, 30), QTime(10, 15))))
                 .arg(grupo));
    }
    int Falta(const QDate& dia, std::optional<QDateTime> a, std::optional<QDateTime> b,
              int matricula = 0) {
        Exec(QStringLiteral("INSERT INTO T26FaltasAsistencia (IDMatriculaT26, FechaFaltaT26, "
                            "DHInicioFaltaT26, DHFinalFaltaT26, JustificadaT26, ResueltaT26) "
                            "VALUES (%1, %2, %3, %4, FALSE, FALSE)")
                 .arg(matricula ? matricula : ana)
                 .arg(ValorSQL(QDateTime(dia, QTime(0, 0))),
                      ValorSQL(a ? QVariant(*a) : QVariant()),
                      ValorSQL(b ? QVariant(*b) : QVariant())));
        return VarAEnter(UltimValor(tdb.db(), QStringLiteral("T26FaltasAsistencia"),
                                    QStringLiteral("IDFaltaAsistenciaT26")));
    }
    int Total() { return Count(QStringLiteral("SELECT COUNT(*) FROM T26FaltasAsistencia")); }
};

TEST_F(Faltas, ClassHoursOfTheWeekday) {
    TFaltasAsistencia f;
    f.SetDia(kLunes);
    f.SetMatricula(ana);
    EXPECT_EQ(f.NombreAlumno(), QStringLiteral("Ana Gil"));
    EXPECT_EQ(f.InfoMatricula(), QStringLiteral("(G1) Mañanas"));
    EXPECT_EQ(TextoClase(f.Horario().manana), QStringLiteral("09:00 a 13:00"));
    EXPECT_EQ(TextoClase(f.Horario().tarde), QStringLiteral("16:00 a 18:30"));
    EXPECT_EQ(f.Tipo(), TTipoFalta::Manana);
    EXPECT_EQ(f.Inicio(), H(9));
    f.SetTipo(TTipoFalta::Tarde);
    EXPECT_EQ(f.Fin(), H(18, 30));
    f.SetTipo(TTipoFalta::Libre);
    EXPECT_EQ(f.Fin(), H(18, 30));

    // Only a start hour still makes a morning class; its end reads 00:00.
    f.SetDia(kLunes.addDays(1));
    EXPECT_TRUE(f.Disponible(TTipoFalta::Manana));
    EXPECT_FALSE(f.Disponible(TTipoFalta::Tarde));
    EXPECT_EQ(TextoClase(f.Horario().manana), QStringLiteral("10:15 a 00:00"));

    f.SetDia(kDomingo);
    EXPECT_EQ(TextoClase(f.Horario().manana), QStringLiteral("(Sin clase)"));
    EXPECT_EQ(TextoClase(f.Horario().tarde), QStringLiteral("(Sin clase)"));
    EXPECT_FALSE(f.Disponible(TTipoFalta::Manana));
    EXPECT_FALSE(f.Disponible(TTipoFalta::Tarde));
    EXPECT_EQ(f.Tipo(), TTipoFalta::Libre);
}

TEST_F(Faltas, OverlapSearchAndNormalisedTimes) {
    const int existente = Falta(kLunes, H(9), H(10));
    EXPECT_EQ(BuscarFaltaSolapada(ana, kLunes, H(10), H(11), 0), 0);  // touching
    EXPECT_EQ(BuscarFaltaSolapada(ana, kLunes, H(8), H(9), 0), 0);
    EXPECT_EQ(BuscarFaltaSolapada(ana, kLunes, H(9, 30), H(10, 30), 0), existente);
    EXPECT_EQ(BuscarFaltaSolapada(ana, kLunes, H(9, 30), H(10, 30), existente), 0);
    EXPECT_EQ(BuscarFaltaSolapada(ana, kLunes, std::nullopt, std::nullopt, 0), existente);
    EXPECT_EQ(BuscarFaltaSolapada(luis, kLunes, H(9), H(10), 0), 0);
    EXPECT_EQ(BuscarFaltaSolapada(ana, kLunes.addDays(1), H(9), H(10), 0), 0);
    const int sinHoras = Falta(kLunes.addDays(2), std::nullopt, std::nullopt);
    EXPECT_EQ(BuscarFaltaSolapada(ana, kLunes.addDays(2), H(20), H(21), 0), sinHoras);

    TTramoFalta t = NormalizarFalta(kLunes, H(11, 0, kDomingo), H(9));
    EXPECT_EQ(t.inicio, H(9));
    EXPECT_EQ(t.fin, H(11));
    t = NormalizarFalta(kLunes, H(11), std::nullopt);
    EXPECT_FALSE(t.inicio);
    EXPECT_FALSE(t.fin);
}

TEST_F(Faltas, AddingAndDeletingThroughTheDialogState) {
    TFaltasAsistencia f;
    f.SetDia(kLunes);
    f.SetMatricula(ana);
    f.SetInicio(H(11));
    f.SetFin(H(9));
    f.Anadir();
    ASSERT_EQ(f.Lineas().size(), 1);
    EXPECT_EQ(f.Lineas()[0].texto, QStringLiteral("De las 09:00 a las 11:00 - NO Justificada"));
    EXPECT_EQ(
        tdb.Scalar(QStringLiteral("SELECT DHInicioFaltaT26 FROM T26FaltasAsistencia")).toDouble(),
        DateTimeToSerial(H(9)));
    f.SetInicio(H(10, 30));
    f.SetFin(H(12));
    try {
        f.Anadir();
        FAIL() << "an overlapping absence was added";
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Esta matrícula ya tiene una falta de asistencia\nen "
                                              "la misma fecha que concuerda con la hora inicio y "
                                              "final"));
    }
    EXPECT_EQ(Total(), 1);
    f.SetInicio(std::nullopt);
    EXPECT_THROW(f.Anadir(), EZMKError);  // no times: the day already has an absence

    EXPECT_THROW(f.Borrar(0), EZMKError);
    tdb.prompt().Push(QStringLiteral("no"));
    EXPECT_FALSE(f.Borrar(f.Lineas()[0].id));
    EXPECT_EQ(Total(), 1);
    tdb.prompt().Push(QStringLiteral("yes"));
    EXPECT_TRUE(f.Borrar(f.Lineas()[0].id));
    EXPECT_TRUE(f.Lineas().isEmpty());
    f.Anadir();
    ASSERT_EQ(f.Lineas().size(), 1);
    EXPECT_EQ(f.Lineas()[0].texto, QStringLiteral("(Sin horario especificado) - NO Justificada"));
}

class FaltasProcedimiento : public Faltas {
  protected:
    std::unique_ptr<TQuerySQL> Lista() {
        return Pantalla(QStringLiteral("SELECT * FROM T02Matriculas WHERE IDGrupoT02=%1 ORDER BY "
                                       "IDMatriculaT02")
                            .arg(grupo),
                        0);
    }
};

TEST_F(FaltasProcedimiento, NewAbsenceAsksDateKindAndTimes) {
    auto lista = Lista();
    FijarFechaIntroduccionFaltas(kLunes);
    for (const char* a : {"ok", "tarde", "ok", "17:00"}) tdb.prompt().Push(QString::fromLatin1(a));
    Ejecuta("FALTAS_NUEVA_FALTA");
    EXPECT_NEAR(
        tdb.Scalar(QStringLiteral("SELECT DHFinalFaltaT26 FROM T26FaltasAsistencia")).toDouble(),
        DateTimeToSerial(H(17)), 1e-7);
    EXPECT_NEAR(
        tdb.Scalar(QStringLiteral("SELECT DHInicioFaltaT26 FROM T26FaltasAsistencia")).toDouble(),
        DateTimeToSerial(H(16)), 1e-7);
    // Sunday: only the free timetable, and a morning is refused.
    for (const char* a : {"2026-10-18", "manana"}) tdb.prompt().Push(QString::fromLatin1(a));
    EXPECT_THROW(Ejecuta("FALTAS_NUEVA_FALTA"), EZMKError);
    for (const char* a : {"2026-10-18", "ok", "", ""}) tdb.prompt().Push(QString::fromLatin1(a));
    Ejecuta("FALTAS_NUEVA_FALTA");
    EXPECT_EQ(Total(), 2);
    // Deleting: the date, the line, the confirmation.
    for (const char* a : {"2026-10-12", "1", "yes"}) tdb.prompt().Push(QString::fromLatin1(a));
    Ejecuta("FALTAS_BORRA_FALTA");
    EXPECT_EQ(Total(), 1);
    for (const char* a : {"2026-10-12"}) tdb.prompt().Push(QString::fromLatin1(a));
    EXPECT_THROW(Ejecuta("FALTAS_BORRA_FALTA"), EZMKError);
}

TEST_F(FaltasProcedimiento, AnEmptyListRefusesBothProcedures) {
    auto lista = Pantalla(QStringLiteral("SELECT * FROM T02Matriculas WHERE 1=0"), 0);
    try {
        Ejecuta("FALTAS_NUEVA_FALTA");
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("No existe ningún grupo para poder asignar la falta"));
    }
    try {
        Ejecuta("FALTAS_BORRA_FALTA");
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("No existe ningún grupo para poder quitar la falta"));
    }
}

TEST_F(Faltas, AbsencesScreenDefaultsNormalisesAndRefusesOverlaps) {
    FijarFechaIntroduccionFaltas(kLunes);
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMFechaIntroduccionFaltasSQL")),
              ValorSQL(QDateTime(kLunes, QTime(0, 0))));
    auto q = Pantalla(
        QStringLiteral("SELECT * FROM T26FaltasAsistencia ORDER BY IDFaltaAsistenciaT26"), 302);
    TDataSet& ds = q->DataSet();
    ds.Append();
    EXPECT_EQ(ds.FieldByName(QStringLiteral("FechaFaltaT26")).AsDateTime().date(), kLunes);
    EXPECT_FALSE(ds.FieldByName(QStringLiteral("JustificadaT26")).AsBoolean());
    ds.FieldByName(QStringLiteral("IDMatriculaT26")).SetValue(ana);
    ds.FieldByName(QStringLiteral("DHInicioFaltaT26")).SetValue(H(12, 0, kDomingo));
    ds.FieldByName(QStringLiteral("DHFinalFaltaT26")).SetValue(H(10, 0, kDomingo));
    ds.Post();
    EXPECT_EQ(ds.FieldByName(QStringLiteral("DHInicioFaltaT26")).AsDateTime(), H(10));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("DHFinalFaltaT26")).AsDateTime(), H(12));
    // Editing it without changing its times passes; another overlapping one does not.
    ds.Edit();
    ds.FieldByName(QStringLiteral("JustificadaT26")).SetValue(true);
    ds.Post();
    ds.Append();
    ds.FieldByName(QStringLiteral("IDMatriculaT26")).SetValue(ana);
    ds.FieldByName(QStringLiteral("DHInicioFaltaT26")).SetValue(H(11));
    try {
        ds.Post();
        FAIL() << "an absence without an end blocked nothing";
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Ya existe una falta de asistencia")));
    }
    ds.Cancel();
    EXPECT_EQ(Total(), 1);
}

TEST_F(Faltas, EntryDatePickerOfTheAbsencesScreen) {
    TZMKForm form(QStringLiteral("FrmFaltas"), 303);
    TZMKControl& picker =
        form.Add(std::make_unique<TZMKControl>(QStringLiteral("ZMKdtpFechaAsignacionFaltas")));
    TProcCall call;
    call.form = &form;
    call.nodeId = 303;
    ZMKApp().Procedures().ExecuteProcedure(QStringLiteral("ProcedureZMKFormEvent_CREATE"), call);
    EXPECT_EQ(picker.Value().toDate(), QDate(2026, 10, 14));
    picker.SetValue(kLunes);
    picker.Changed();
    EXPECT_EQ(FechaIntroduccionFaltas(), kLunes);
}

}  // namespace
