// Field-change rules: amounts that follow what the user types, and the texts they pad.
#include "core/importes.h"
#include "rules/fuentesdatos.h"
#include "rules/guardas.h"
#include "tests/rules/test_estado_datos.h"

using namespace zmk;

namespace {

class ReglasCampos : public test::DatosEstado {
  protected:
    Currency Valor(TDataSet& ds, const char* campo) {
        return ds.FieldByName(QString::fromLatin1(campo)).AsCurrency();
    }
    void Poner(TDataSet& ds, const char* campo, const char* valor) {
        ds.FieldByName(QString::fromLatin1(campo)).SetValue(QString::fromLatin1(valor));
    }
};

TEST_F(ReglasCampos, TariffPricesWithAndWithoutVatFollowEachOther) {
    auto ds = Pantalla(QStringLiteral("T07TarifasPrecios"), fuente::kTarifas);
    ds->Append();
    Poner(*ds, "TPCIvaT07", "21");
    Poner(*ds, "ImporteConIVAT07", "1210");
    EXPECT_EQ(Valor(*ds, "ImporteSinIVAT07"), Currency(1000));
    EXPECT_EQ(Valor(*ds, "ImporteConIVAT07"), Currency(1210));  // not rewritten by its echo
    Poner(*ds, "ImporteSinIVAT07", "10");
    EXPECT_EQ(Valor(*ds, "ImporteConIVAT07"), Currency::FromRaw(121000));
    Poner(*ds, "ImporteConIVAT07", "10");
    EXPECT_EQ(Valor(*ds, "ImporteSinIVAT07"), Currency::FromRaw(82645));  // 8.26446 -> 8.2645
    Poner(*ds, "TPCIvaT07", "10");
    EXPECT_EQ(Valor(*ds, "ImporteConIVAT07"), Currency::FromRaw(90900));  // 9.09095 -> 9.09
    EXPECT_FALSE(GuardaCampos());
}

TEST_F(ReglasCampos, InvoiceLineAmountsFollowPriceUnitsDiscountAndTotal) {
    auto ds = Pantalla(QStringLiteral("T16FacturasCue"), fuente::kFacturasCue);
    ds->Append();
    Poner(*ds, "TPCIvaT16", "0");
    Poner(*ds, "ImporteBaseT16", "0.125");
    EXPECT_EQ(Valor(*ds, "BaseImponibleT16"), Currency::FromRaw(1300));
    EXPECT_EQ(Valor(*ds, "ImporteIvaIncluidoT16"), Currency::FromRaw(1300));

    // A typed base does not stay: it follows price and units.
    Poner(*ds, "BaseImponibleT16", "50");
    EXPECT_EQ(Valor(*ds, "BaseImponibleT16"), Currency::FromRaw(1300));

    Poner(*ds, "ImporteBaseT16", "100");
    Poner(*ds, "UnidadesT16", "3");
    Poner(*ds, "TPCDtoT16", "10");
    Poner(*ds, "TPCIvaT16", "21");
    EXPECT_EQ(Valor(*ds, "BaseImponibleT16"), Currency(270));
    EXPECT_EQ(Valor(*ds, "ImporteIvaIncluidoT16"), Currency::FromRaw(3267000));

    // From the total back to base and price.
    Poner(*ds, "ImporteIvaIncluidoT16", "363");
    EXPECT_EQ(Valor(*ds, "BaseImponibleT16"), Currency(300));
    EXPECT_EQ(Valor(*ds, "ImporteBaseT16"), Currency::FromRaw(1111111));  // 300 / 2.7
    EXPECT_EQ(Valor(*ds, "ImporteIvaIncluidoT16"), Currency(363));

    Poner(*ds, "UnidadesT16", "0");
    Poner(*ds, "ImporteIvaIncluidoT16", "50");
    EXPECT_EQ(Valor(*ds, "ImporteBaseT16"), Currency());
    EXPECT_EQ(Valor(*ds, "BaseImponibleT16"), Currency());
    EXPECT_EQ(Valor(*ds, "ImporteIvaIncluidoT16"), Currency());
    EXPECT_FALSE(GuardaLineaFactura());
}

TEST_F(ReglasCampos, BrowsingDoesNotWrite) {
    Exec(
        QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, ImporteBaseT16, "
                       "UnidadesT16, BaseImponibleT16) VALUES (1, 10, 1, 99)"));
    auto ds = Pantalla(QStringLiteral("T16FacturasCue"), fuente::kFacturasCue);
    ds->Refresh();
    EXPECT_EQ(Valor(*ds, "BaseImponibleT16"), Currency(99));
}

TEST_F(ReglasCampos, SettlementLineIsUnitsTimesPriceInCents) {
    auto ds = Pantalla(QStringLiteral("T28LiquidacionesCue"), fuente::kLiquidacionesCue);
    ds->Append();
    Poner(*ds, "UnidadesT28", "3");
    Poner(*ds, "PrecioUnitarioT28", "0.335");
    EXPECT_EQ(Valor(*ds, "ImporteLineaT28"), Currency::FromRaw(10100));  // 1.005 -> 1.01
    Poner(*ds, "UnidadesT28", "-3");
    EXPECT_EQ(Valor(*ds, "ImporteLineaT28"), Currency::FromRaw(-10100));
}

TEST_F(ReglasCampos, StudentFullNameAndEnrolmentNumber) {
    auto alumnos = Pantalla(QStringLiteral("T01Alumnos"), fuente::kAlumnos);
    alumnos->Append();
    alumnos->FieldByName(QStringLiteral("NombreT01")).SetValue(QStringLiteral("Ana"));
    alumnos->FieldByName(QStringLiteral("ApellidosT01")).SetValue(QStringLiteral("Ruiz Gil"));
    EXPECT_EQ(alumnos->FieldByName(QStringLiteral("NombreCompletoT01")).AsString(),
              QStringLiteral("Ruiz Gil, Ana"));
    alumnos->Cancel();

    const int alumno = Alumno(1, 412);
    auto ds = Pantalla(QStringLiteral("T02Matriculas"), fuente::kMatriculas);
    ds->Append();
    ds->FieldByName(QStringLiteral("IDAlumnoT02")).SetValue(alumno);
    EXPECT_EQ(ds->FieldByName(QStringLiteral("NMatriculaT02")).AsString(), QStringLiteral("412"));
}

TEST_F(ReglasCampos, BankOfficeCodesArePaddedOrCutToFourCharacters) {
    auto ds = Pantalla(QStringLiteral("T17FormasCobro"), fuente::kFormasCobro);
    ds->Append();
    Poner(*ds, "AgenciaT17", "12");
    EXPECT_EQ(ds->FieldByName(QStringLiteral("AgenciaT17")).AsString(), QStringLiteral("0012"));
    Poner(*ds, "AgenciaT17", "123456");
    EXPECT_EQ(ds->FieldByName(QStringLiteral("AgenciaT17")).AsString(), QStringLiteral("1234"));
    Poner(*ds, "OficinaT17", "7");
    EXPECT_EQ(ds->FieldByName(QStringLiteral("OficinaT17")).AsString(), QStringLiteral("0007"));
    Poner(*ds, "OficinaT17", "");
    EXPECT_TRUE(ds->FieldByName(QStringLiteral("OficinaT17")).AsString().isEmpty());
}

TEST(ImportesFila, RoundsOnceFromTheExactValue) {
    // 0.0415 x 1.21 = 0.050215: cents from the exact product.
    EXPECT_EQ(PrecioConIva(Currency::FromRaw(415), Currency(21)), Currency::FromRaw(500));
    EXPECT_EQ(PrecioConIva(Currency::FromRaw(-415), Currency(21)), Currency::FromRaw(-500));
    EXPECT_FALSE(PrecioSinIva(Currency(10), Currency(-100)).has_value());
    const TImportesLinea actual{Currency(1), Currency(2), Currency(10)};
    EXPECT_EQ(CalcularImportesDesdeTotal(actual, Currency(1), Currency(), Currency(-100)), actual);
    // 3 x 3.335 x 0.5 = 5.0025 -> 5.00; the VAT at 21 % of 5.00 is 1.05.
    const auto linea =
        CalcularImportesLinea(Currency::FromRaw(33350), Currency(3), Currency(50), Currency(21));
    EXPECT_EQ(linea.base, Currency(5));
    EXPECT_EQ(linea.total, Currency::FromRaw(60500));
}

}  // namespace

// Two workstations edit one student: each save writes only what its user typed, the full name
// is worked out from the row as saved, and a save over a change to a column it typed too is
// refused and the record read again.
TEST_F(ReglasCampos, TwoWorkstationsEditingOneStudentLoseNoChange) {
    const int alumno = Alumno(1, 7);
    const QString donde = QStringLiteral("IDAlumnoT01=%1").arg(alumno);
    Exec(QStringLiteral("UPDATE T01Alumnos SET NombreT01='Iván', ApellidosT01='Apellido', "
                        "NombreCompletoT01='Apellido, Iván' WHERE ") +
         donde);
    auto aqui = Pantalla(QStringLiteral("T01Alumnos"), fuente::kAlumnos, donde);
    auto otroPuesto = TDataBaseZMK::Open(tdb.path());
    auto alli = otroPuesto->GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T01Alumnos WHERE ") + donde, false);
    ZMKApp().AttachDataSet(*alli, fuente::kAlumnos);
    alli->Open();
    auto fila = [&](const char* campo) {
        return Scalar(QStringLiteral("SELECT %1 FROM T01Alumnos WHERE ").arg(campo) + donde)
            .toString();
    };

    aqui->Edit();
    Poner(*aqui, "NombreT01", "Nuevo");
    aqui->Post();
    alli->Edit();
    Poner(*alli, "ApellidosT01", "Otro");
    alli->Post();
    EXPECT_EQ(fila("NombreT01"), QStringLiteral("Nuevo"));
    EXPECT_EQ(fila("ApellidosT01"), QStringLiteral("Otro"));
    EXPECT_EQ(fila("NombreCompletoT01"), QStringLiteral("Otro, Nuevo"));
    EXPECT_EQ(alli->FieldByName(QStringLiteral("NombreCompletoT01")).AsString(),
              QStringLiteral("Otro, Nuevo"));

    aqui->Edit();
    Poner(*aqui, "NombreT01", "Primero");
    aqui->Post();
    EXPECT_EQ(fila("NombreCompletoT01"), QStringLiteral("Otro, Primero"));
    alli->Edit();
    Poner(*alli, "NombreT01", "Segundo");
    try {
        alli->Post();
        FAIL() << "a change by the other workstation was overwritten";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("El registro ha sido modificado por otro usuario. "
                                              "Se volverá a leer."));
    }
    EXPECT_EQ(alli->State(), TDataSetState::Browse);
    EXPECT_EQ(alli->FieldByName(QStringLiteral("NombreT01")).AsString(), QStringLiteral("Primero"));
    EXPECT_EQ(fila("NombreT01"), QStringLiteral("Primero"));
    EXPECT_FALSE(otroPuesto->InTransaction());
}
