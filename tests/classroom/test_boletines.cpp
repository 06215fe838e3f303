// Bulletins: grade rows for a new bulletin, locking and what it refuses, importing a format,
// what the screens show, and the cleaning of typed definitions and grades.
#include "classroom/boletines.h"
#include "host/controls.h"
#include "host/errors.h"
#include "tests/classroom/datos_aula.h"

using namespace zmk;

namespace {

class Boletines : public test::DatosAula {
  protected:
    std::unique_ptr<TQuerySQL> PantallaBoletines(int id = 0) {
        return Pantalla(
            QStringLiteral("SELECT * FROM T24BoletinesNotas ORDER BY IDBoletinNotasT24"), 296,
            id ? "IDBoletinNotasT24" : nullptr, id);
    }
    std::unique_ptr<TQuerySQL> PantallaNotas(int boletin) {
        return Pantalla(QStringLiteral("SELECT * FROM T25NotasBoletin WHERE IDBoletinNotasT25=%1 "
                                       "ORDER BY IDNotasBoletinT25")
                            .arg(boletin),
                        300);
    }
    // A bulletin inserted through its screen, as the user creates one.
    int NuevoBoletin() {
        auto q = PantallaBoletines();
        TDataSet& ds = q->DataSet();
        ds.Append();
        ds.FieldByName(QStringLiteral("IDCursoT24")).SetValue(curso);
        ds.FieldByName(QStringLiteral("NombreConc1T24")).SetValue(QStringLiteral("Inglés"));
        ds.FieldByName(QStringLiteral("ValoresConc1T24"))
            .SetValue(QStringLiteral("{Oral|Escrito}{A|B|C}"));
        ds.Post();
        return ds.FieldByName(QStringLiteral("IDBoletinNotasT24")).AsInteger();
    }
    bool Preguntado(const char* texto) {
        const QString buscado = OneLine(QString::fromUtf8(texto));
        for (const QString& linea : tdb.prompt().Log())
            if (linea.contains(buscado)) return true;
        return false;
    }
    int Notas(int boletin) {
        return Count(QStringLiteral("SELECT COUNT(*) FROM T25NotasBoletin WHERE "
                                    "IDBoletinNotasT25=%1")
                         .arg(boletin));
    }
};

TEST_F(Boletines, NewBulletinGetsOneGradeRowPerEnrolmentOfTheCourse) {
    const int id = NuevoBoletin();
    // Both groups count, the inactive enrolment too.
    EXPECT_EQ(Notas(id), 3);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T25NotasBoletin WHERE IDMatriculaT25=%1")
                        .arg(baja)),
              1);
    // A second bulletin adds its own rows and duplicates none of the first's.
    const int otro = NuevoBoletin();
    EXPECT_EQ(Notas(otro), 3);
    EXPECT_EQ(Notas(id), 3);
    // Editing a bulletin creates nothing more.
    auto q = PantallaBoletines(id);
    q->DataSet().Edit();
    q->DataSet().FieldByName(QStringLiteral("NombreConc2T24")).SetValue(QStringLiteral("Mates"));
    q->DataSet().Post();
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM T25NotasBoletin")), 6);
    // Deleting one removes its grade rows only.
    q->DataSet().Delete();
    EXPECT_EQ(Notas(id), 0);
    EXPECT_EQ(Notas(otro), 3);
}

TEST_F(Boletines, LockToggleAsksAndRefusesEditsOfBulletinAndGrades) {
    const int id = NuevoBoletin();
    auto q = PantallaBoletines(id);
    tdb.prompt().Push(QStringLiteral("yes"));
    Ejecuta("CAMBIO_BLOQUEADO_BOLETIN");
    EXPECT_TRUE(Preguntado("Está seguro que desea\nBloquear el Boletin\n\n¿Continuar?"));
    EXPECT_TRUE(BoletinBloqueado(id));
    EXPECT_TRUE(q->DataSet().FieldByName(QStringLiteral("BloqueadoT24")).AsBoolean());

    try {
        q->DataSet().Edit();
        FAIL() << "a locked bulletin was edited";
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("El boletín de notas está BLOQUEADO, no puede "
                                              "modificar la información"));
    }
    auto notas = PantallaNotas(id);
    EXPECT_THROW(notas->DataSet().Edit(), EZMKError);
    EXPECT_EQ(notas->DataSet().State(), TDataSetState::Browse);

    // While the record is being edited the lock cannot change.
    Parametres().SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), q->Handle());
    tdb.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(Ejecuta("CAMBIO_BLOQUEADO_BOLETIN"), EAbort);
    EXPECT_TRUE(BoletinBloqueado(id));
    tdb.prompt().Push(QStringLiteral("yes"));
    Ejecuta("CAMBIO_BLOQUEADO_BOLETIN");
    EXPECT_TRUE(Preguntado("Desbloquear el boletín"));
    EXPECT_FALSE(BoletinBloqueado(id));
    q->DataSet().Edit();
    try {
        Ejecuta("CAMBIO_BLOQUEADO_BOLETIN");
        FAIL() << "the lock changed during an edit";
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("No puede modificar el estado si está")));
    }
    q->DataSet().Cancel();
    // A locked bulletin may still be deleted, with its grade rows.
    ModificaRegistres(tdb.db(), QStringLiteral("T24BoletinesNotas"),
                      QStringLiteral("BloqueadoT24=TRUE"),
                      QStringLiteral("IDBoletinNotasT24=") + ValorSQL(id));
    q->RefrescaSQL();
    q->DataSet().Delete();
    EXPECT_EQ(Notas(id), 0);
}

TEST_F(Boletines, GradesOfAnInactiveEnrolmentAreRefused) {
    const int id = NuevoBoletin();
    auto notas = PantallaNotas(id);
    ASSERT_TRUE(notas->DataSet().Locate(QStringLiteral("IDMatriculaT25"), ana));
    notas->DataSet().Edit();
    notas->DataSet().FieldByName(QStringLiteral("ValorConc1T25")).SetValue(QStringLiteral("A|B"));
    notas->DataSet().Post();
    ASSERT_TRUE(notas->DataSet().Locate(QStringLiteral("IDMatriculaT25"), baja));
    try {
        notas->DataSet().Edit();
        FAIL() << "an inactive enrolment was graded";
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("La matrícula no está activa, no puede realizar cambios"));
    }
}

TEST_F(Boletines, TypedDefinitionsAndGradesAreCleanedAndLengthChecked) {
    const int id = NuevoBoletin();
    auto q = PantallaBoletines(id);
    TDataSet& ds = q->DataSet();
    ds.Edit();
    ds.FieldByName(QStringLiteral("ValoresConc2T24")).SetValue(QStringLiteral("{a=b|c{d}{A|B}"));
    ds.FieldByName(QStringLiteral("ValoresConc3T24")).SetValue(QStringLiteral("Apto\nNo|apto"));
    ds.Post();
    // The first "}" closes the subconcepts, so "a=b" and "c{d" are the two names.
    EXPECT_EQ(ds.FieldByName(QStringLiteral("ValoresConc2T24")).AsString(),
              QStringLiteral("{ab|cd}{A|B}"));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("ValoresConc3T24")).AsString(),
              QStringLiteral("{}{Apto|Noapto}"));
    ds.Edit();
    ds.FieldByName(QStringLiteral("ValoresConc4T24"))
        .SetValue(QStringLiteral("{}{") + QString(252, QLatin1Char('x')) + QStringLiteral("}"));
    EXPECT_THROW(ds.Post(), EZMKError);
    ds.Cancel();
    EXPECT_TRUE(tdb.Scalar(QStringLiteral("SELECT ValoresConc4T24 FROM T24BoletinesNotas WHERE "
                                          "IDBoletinNotasT24=%1")
                               .arg(id))
                    .isNull());

    auto notas = PantallaNotas(id);
    ASSERT_TRUE(notas->DataSet().Locate(QStringLiteral("IDMatriculaT25"), luis));
    notas->DataSet().Edit();
    notas->DataSet()
        .FieldByName(QStringLiteral("ValorConc1T25"))
        .SetValue(QStringLiteral("A={x}||"));
    notas->DataSet().Post();
    EXPECT_EQ(notas->DataSet().FieldByName(QStringLiteral("ValorConc1T25")).AsString(),
              QStringLiteral("Ax|"));
}

TEST_F(Boletines, ImportingAFormatCopiesItsConceptsIntoTheRecordBeingEdited) {
    Exec(
        "INSERT INTO T23FormatosBoletinesNotas (DescripcionT23, NombreConc1T23, FormatoConc1T23, "
        "ValoresConc1T23, NombreConc8T23) VALUES ('Trimestre', 'Lectura', 'F1', "
        "'{Fluidez|Comprensión}{Bien|Mal}', 'Actitud')");
    const int formato = VarAEnter(UltimValor(tdb.db(), QStringLiteral("T23FormatosBoletinesNotas"),
                                             QStringLiteral("IDFormatoBoletinNotasT23")));
    const int id = NuevoBoletin();
    auto q = PantallaBoletines(id);
    tdb.prompt().Push(QStringLiteral("cancel"));
    EXPECT_THROW(Ejecuta("IMPORTAR_FORMATO_BOLETIN"), EAbort);
    EXPECT_EQ(q->DataSet().State(), TDataSetState::Browse);
    tdb.prompt().Push(QString::number(formato));
    tdb.prompt().Push(QStringLiteral("yes"));
    Ejecuta("IMPORTAR_FORMATO_BOLETIN");
    TDataSet& ds = q->DataSet();
    EXPECT_EQ(ds.State(), TDataSetState::Edit);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NombreConc1T24")).AsString(),
              QStringLiteral("Lectura"));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("FormatoConc1T24")).AsString(), QStringLiteral("F1"));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NombreConc8T24")).AsString(),
              QStringLiteral("Actitud"));
    // Concepts the format leaves empty are emptied too.
    EXPECT_TRUE(ds.FieldByName(QStringLiteral("ValoresConc8T24")).IsNull());
    ds.Cancel();
    // A locked bulletin refuses the import.
    ModificaRegistres(tdb.db(), QStringLiteral("T24BoletinesNotas"),
                      QStringLiteral("BloqueadoT24=TRUE"),
                      QStringLiteral("IDBoletinNotasT24=") + ValorSQL(id));
    tdb.prompt().Push(QString::number(formato));
    tdb.prompt().Push(QStringLiteral("yes"));
    EXPECT_THROW(Ejecuta("IMPORTAR_FORMATO_BOLETIN"), EZMKError);
}

TZMKControl& Control(TZMKControl& padre, const QString& nombre, const QString& campo = QString()) {
    return padre.Add(std::make_unique<TZMKControl>(nombre, campo));
}

TEST_F(Boletines, ScreensShowTheLockAndOfferTheConceptValues) {
    const int id = NuevoBoletin();
    TZMKForm form(QStringLiteral("FrmBoletines"), 296);
    TZMKControl& boton = Control(form, QStringLiteral("ZMKsbBloquearBoletin"));
    TZMKControl& panel = Control(form, QStringLiteral("PControlsEntradaDades"));
    TZMKControl& nombre =
        Control(Control(panel, QStringLiteral("Sub")), QStringLiteral("ZMKdbeNombreConc1"),
                QStringLiteral("NombreConc1T24"));
    Parametres().SetParametreValue(QStringLiteral("PRMIP_ZMKFORM"), form.Handle());
    ModificaRegistres(tdb.db(), QStringLiteral("T24BoletinesNotas"),
                      QStringLiteral("BloqueadoT24=TRUE"),
                      QStringLiteral("IDBoletinNotasT24=") + ValorSQL(id));
    auto q = PantallaBoletines(id);
    EXPECT_EQ(boton.Caption(), QStringLiteral("Desbloquear el boletín"));
    EXPECT_TRUE(boton.Enabled());
    EXPECT_FALSE(nombre.Enabled());
    q->DataSet().Append();
    EXPECT_FALSE(boton.Enabled());
    EXPECT_TRUE(nombre.Enabled());
    EXPECT_EQ(boton.Caption(), QStringLiteral("Bloquear el Boletin"));
    q->DataSet().Cancel();

    // The grades screen: a concept with subconcepts has no list; one without offers its values.
    Exec(QStringLiteral("UPDATE T24BoletinesNotas SET NombreConc2T24='Actitud', "
                        "ValoresConc2T24='{}{Buena|Mala}' WHERE IDBoletinNotasT24=%1")
             .arg(id));
    TZMKForm notasForm(QStringLiteral("FrmNotas"), 300);
    TZMKControl* valores[4];
    for (int n = 1; n <= 3; ++n)
        valores[n] = &Control(notasForm, QStringLiteral("ZMKdbcbValorConc%1").arg(n),
                              QStringLiteral("ValorConc%1T25").arg(n));
    valores[1]->SetItems({QStringLiteral("viejo")});
    Parametres().SetParametreValue(QStringLiteral("PRMIP_ZMKFORM"), notasForm.Handle());
    auto notas = PantallaNotas(id);
    EXPECT_TRUE(valores[1]->Items().isEmpty());
    EXPECT_TRUE(valores[1]->Enabled());
    EXPECT_EQ(valores[2]->Items(), (QStringList{QStringLiteral("Buena"), QStringLiteral("Mala")}));
    EXPECT_FALSE(valores[3]->Enabled());
}

}  // namespace
