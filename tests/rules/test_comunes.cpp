// The shared rule operations.
#include "billing/estadofactura.h"
#include "host/prompt.h"
#include "rules/comunes.h"
#include "tests/rules/test_estado_datos.h"

using namespace zmk;
using zmk::test::ErrorMessage;

namespace {

class Comunes : public test::DatosEstado {};

TEST_F(Comunes, InactiveRecordsAreRefusedAndUnknownKeysCountAsActive) {
    const int curso = Curso(1, false);
    const int grupo = Grupo(curso, 1, false);
    const int alumno = Alumno(1, 0, false);
    const int matricula = Matricula(grupo, alumno, 1, false);
    Exec(QStringLiteral("UPDATE T20Centros SET ActivoT20=0 WHERE IDCentroT20=2"));

    EXPECT_FALSE(EstaActivoCentro(2));
    EXPECT_TRUE(EstaActivoCentro(1));
    EXPECT_EQ(ErrorMessage([&] { ExigirActivoCentro(2); }),
              QStringLiteral("El centro no está Activo, no puede realizar cambios"));
    EXPECT_EQ(ErrorMessage([&] { ExigirActivoCurso(curso); }),
              QStringLiteral("El curso no está Activo, no puede realizar cambios"));
    EXPECT_EQ(ErrorMessage([&] { ExigirActivoGrupo(grupo); }),
              QStringLiteral("El grupo no está Activo, no puede realizar cambios"));
    EXPECT_EQ(ErrorMessage([&] { ExigirActivoAlumno(alumno); }),
              QStringLiteral("El alumno no está Activo, no puede realizar cambios"));
    EXPECT_EQ(ErrorMessage([&] { ExigirActivaMatricula(matricula); }),
              QStringLiteral("La matrícula no está Activa, no puede realizar cambios"));

    // Deleted, zero and unknown keys: nothing to refuse.
    for (int clave : {0, 999}) {
        EXPECT_TRUE(EstaActivoCurso(clave));
        EXPECT_TRUE(EstaActivoGrupo(clave));
        EXPECT_TRUE(EstaActivoAlumno(clave));
        EXPECT_TRUE(EstaActivaMatricula(clave));
        EXPECT_NO_THROW(ExigirActivoCurso(clave));
    }
}

TEST_F(Comunes, CentrosCoincidenComparesOnlyTheCentresFound) {
    const int cursoA = Curso(1);
    const int grupoA = Grupo(cursoA, 1);
    const int alumnoB = Alumno(2);
    const int alumnoA = Alumno(1);
    EXPECT_TRUE(CentrosCoinciden(1, cursoA, grupoA, 0, 0, 0, alumnoA));
    EXPECT_FALSE(CentrosCoinciden(1, cursoA, 0, 0, 0, 0, alumnoB));
    EXPECT_FALSE(CentrosCoinciden(0, cursoA, 0, 0, 0, 0, alumnoB));
    EXPECT_FALSE(CentrosCoinciden(2, cursoA, 0, 0, 0, 0, 0));
    // Keys not given, not found, or rows without centre are left out.
    EXPECT_TRUE(CentrosCoinciden(0, 0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(CentrosCoinciden(2, 999, 999, 999, 999, 999, alumnoB));
    Exec(QStringLiteral("INSERT INTO T11Incidencias (IDCentroT11) VALUES (2)"));
    const int incidencia =
        Ultimo(QStringLiteral("T11Incidencias"), QStringLiteral("IDIncidenciaT11"));
    EXPECT_FALSE(CentrosCoinciden(1, 0, 0, incidencia, 0, 0, 0));
    const int factura = Factura();
    EXPECT_FALSE(CentrosCoinciden(2, 0, 0, 0, factura, 0, 0));
    const int matricula = Matricula(grupoA, alumnoA);
    EXPECT_FALSE(CentrosCoinciden(0, 0, 0, 0, 0, matricula, alumnoB));
}

TEST_F(Comunes, ComprobarIvaAcceptsOnlyKnownRatesAndShowsTheRateAsTyped) {
    EXPECT_NO_THROW(ComprobarIva(QVariant()));
    EXPECT_NO_THROW(ComprobarIva(QVariant::fromValue(Currency(21))));
    EXPECT_EQ(ErrorMessage([] { ComprobarIva(QVariant::fromValue(Currency::FromRaw(75000))); }),
              QStringLiteral("Atención:\nEl TIPO DE IVA que ha indicado : 7.5\nno es válido, "
                             "revise y coloque un valor válido."));
    Exec(QStringLiteral("DELETE FROM T22TiposIva WHERE TPCIvaT22=21"));
    EXPECT_TRUE(ErrorMessage([] {
                    ComprobarIva(QVariant::fromValue(Currency(21)));
                }).contains(QStringLiteral(": 21\n")));
    EXPECT_TRUE(ErrorMessage([] {
                    ComprobarIva(QVariant::fromValue(Currency::FromRaw(123456)));
                }).contains(QStringLiteral(": 12.3456\n")));
}

TEST_F(Comunes, IvaPorDefectoIsZeroUntilTheParameterExists) {
    EXPECT_EQ(IvaPorDefecto(), Currency());
    Parametres().SetParametreValue(QStringLiteral("PRMDefaultIVA"), 21);
    EXPECT_EQ(IvaPorDefecto(), Currency(21));
}

TEST_F(Comunes, BankDataWarnsOnBadAccountsAndRequiresTheHolder) {
    const QVariant iban = QStringLiteral("ES9121000418450200051332");
    EXPECT_TRUE(ComprobarCuentaBancaria(QStringLiteral("Ana"), iban, QVariant()));
    EXPECT_FALSE(ComprobarCuentaBancaria(QStringLiteral("Ana"),
                                         QStringLiteral("ES0021000418450200051332"), QVariant()));
    ASSERT_EQ(tdb.prompt().Log().size(), 1);  // a warning, not an error
    EXPECT_EQ(
        ErrorMessage([&] { ComprobarCuentaBancaria(QStringLiteral("   "), iban, QVariant()); }),
        QStringLiteral(
            "Es obligatorio rellenar el campo \"Nombre del titular de la domiciliación\""));
    EXPECT_FALSE(
        ErrorMessage([&] { ComprobarCuentaBancaria(QVariant(), iban, QVariant()); }).isEmpty());
}

TEST_F(Comunes, PendingEditsStopTheWork) {
    EXPECT_NO_THROW(ComprobarEdicionPendiente());
    tdb.db().SetPendingEditQuestion([] { return 0; });
    EXPECT_EQ(ErrorMessage([] { ComprobarEdicionPendiente(); }),
              QStringLiteral("El registro ha sido modificado\n\nDebe ACEPTAR LOS CAMBIOS "
                             "(F12)\no CANCELAR (ESC) para continuar"));
}

TEST_F(Comunes, OnlyPendingInvoicesMayChange) {
    EXPECT_NO_THROW(ExigirFacturaModificable(Factura(1)));
    EXPECT_EQ(ErrorMessage([&] { ExigirFacturaModificable(Factura(2, 17, QStringLiteral("B"))); }),
              QStringLiteral("NO PUEDE MODIFICAR LA FACTURA\n\nLa factura nº 17 Serie "
                             "\"B\"\nestá cobrada y no puede modificar facturas cobradas\n\n"
                             "Primero debe DEVOLVER la factura y luego podrá realizar las "
                             "modificaciones"));
    EXPECT_TRUE(ErrorMessage([&] {
                    ExigirFacturaModificable(Factura(3));
                }).startsWith(QStringLiteral("ESTA FACTURA YA ESTÁ DEVUELTA")));

    // A collected and then returned invoice counts as returned; a set without the flags is
    // undetermined.
    Exec(
        QStringLiteral("INSERT INTO T15FacturasCab (IDCentroT15, CobradaT15, DevueltaT15) "
                       "VALUES (1, 1, 1)"));
    auto ds = tdb.db().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T15FacturasCab ORDER BY IDFacturaCabT15 DESC"));
    ds->Open();
    EXPECT_EQ(EstadoFactura(*ds), kFacturaDevuelta);
    auto sinFlags = tdb.db().GetTSQLDataSet(QStringLiteral("SELECT NumeroT15 FROM T15FacturasCab"));
    sinFlags->Open();
    EXPECT_EQ(EstadoFactura(*sinFlags), kFacturaIndeterminada);
}

TEST_F(Comunes, ExigirCentroActualNeedsACentre) {
    EXPECT_NO_THROW(ExigirCentroActual());
    Parametres().SetParametreValue(QStringLiteral("PRMIDCentroActual"), 0);
    EXPECT_EQ(ErrorMessage([] { ExigirCentroActual(); }),
              QStringLiteral("No ha seleccionado ningún centro\n\nPara poder realizar esta acción "
                             "necesita un centro predeterminado"));
}

TEST(TextosEstado, CaptionsAndIncidenceTextsFollowTheState) {
    EXPECT_EQ(CaptionAltaBaja(TClaseRegistro::Grupo, true), QStringLiteral("Dar de Baja"));
    EXPECT_EQ(CaptionAltaBaja(TClaseRegistro::Grupo, false), QStringLiteral("Dar de Alta"));
    EXPECT_EQ(TextoIncidenciaEstado(TClaseRegistro::Matricula, false),
              QStringLiteral("07-Baja de la matrícula"));
    EXPECT_EQ(TextoIncidenciaEstado(TClaseRegistro::Profesor, true),
              QStringLiteral("24-Alta del profesor"));
    EXPECT_EQ(TextoIncidenciaEstado(TClaseRegistro::Alumno, false),
              QStringLiteral("21-Baja del alumno"));
    EXPECT_EQ(CaptionBloqueoBoletin(false), QStringLiteral("Bloquear el Boletin"));
    EXPECT_EQ(CaptionBloqueoBoletin(true), QStringLiteral("Desbloquear el boletín"));
}

}  // namespace
