#include <gtest/gtest.h>

#include "billing/opciones.h"
#include "core/datosempresa.h"
#include "core/divisa.h"
#include "core/parametrosapp.h"
#include "host/app.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {
QString Publicado(const char* nombre) {
    return Parametres().AsString(QString::fromLatin1(nombre), QStringLiteral("<ausente>"));
}

QString ErrorDe(const QString& decimales) {
    try {
        RedondeoDeDecimales(decimales);
    } catch (const EZMKError& e) {
        return e.Message();
    }
    return QString();
}

const QString kPregunta = QStringLiteral(
    "¡MUY IMPORTANTE!\\nSi modifica el número de decimales de redondeo el programa no "
    "recalculará los documentos ya generados, por lo que es muy posible que existan descuadres "
    "de decimales.\\n\\n¿Seguro que quiere aplicar los cambios en la moneda?");
}  // namespace

TEST(DatosEmpresa, PublishingDeclaresTheNineTextOptionsWithTheirDescriptions) {
    test::TestDatabase tdb;
    PublicaDatosEmpresa();
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT COUNT(*) FROM T99ParametrosAplicacion WHERE "
                                        "NombreParametroT99 LIKE 'Empresa%'"))
                  .toInt(),
              kDatosEmpresa);
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT NombreCampoValorT99 FROM T99ParametrosAplicacion "
                                        "WHERE NombreParametroT99='EmpresaNISS'"))
                  .toString(),
              TParametrosApp::ValueColumn(tpTexto));
    // Declared empty: published empty, not as the unreadable mark.
    EXPECT_EQ(Publicado("PRMAEmpresaNombre"), QString());
    EXPECT_EQ(Publicado("PRMAEmpresaNISS"), QString());
}

TEST(DatosEmpresa, StoredValuesArePublishedUnderTheFrameworkNames) {
    test::TestDatabase tdb;
    QStringList valores;
    for (int i = 0; i < kDatosEmpresa; ++i) valores << QStringLiteral("valor %1").arg(i);
    valores[deNombre] = QStringLiteral("Academia Sol, S.L.");
    GuardaDatosEmpresa(valores);
    EXPECT_EQ(Publicado("PRMAEmpresaNombre"), QStringLiteral("Academia Sol, S.L."));
    EXPECT_EQ(Publicado("PRMAEmpresaLogo"), QStringLiteral("valor 6"));
    EXPECT_EQ(Publicado("PRMAEmpresaNISS"), QStringLiteral("valor 8"));
    EXPECT_EQ(LeeDatosEmpresa(), valores);
    // Published again after every connection, also when the block was cleared.
    RegisterDatosEmpresa();
    Parametres().Clear();
    ParametrosApp().NotifyReload();
    UnregisterDatosEmpresa();
    EXPECT_EQ(Publicado("PRMAEmpresaCIF"), QStringLiteral("valor 4"));
}

TEST(DatosEmpresa, UnreadableValuesShowAsQuestionMark) {
    {
        test::TestDatabase tdb;
        // A row naming a column that does not exist cannot be read.
        tdb.db().ExecuteSQL(QStringLiteral(
            "INSERT INTO T99ParametrosAplicacion (IDParamAplicT99, NombreParametroT99, "
            "NombreCampoValorT99) VALUES (900, 'EmpresaCP', 'NoExiste')"));
        EXPECT_EQ(LeeDatosEmpresa()[3], QStringLiteral("?"));
        EXPECT_EQ(LeeDatosEmpresa()[0], QStringLiteral("?"));  // no row at all
    }
    // Without a company database every value is published as "?".
    ASSERT_EQ(ZMKApp().GetDefaultDB(), nullptr);
    PublicaDatosEmpresa();
    EXPECT_EQ(Publicado("PRMAEmpresaNombre"), QStringLiteral("?"));
    EXPECT_EQ(Publicado("PRMAEmpresaInfRM"), QStringLiteral("?"));
    Parametres().Clear();
}

TEST(Divisa, DecimalsAreCheckedAndTurnedIntoPowersOfTen) {
    EXPECT_EQ(RedondeoDeDecimales(QStringLiteral("0")), 1);
    EXPECT_EQ(RedondeoDeDecimales(QStringLiteral("2")), 100);
    EXPECT_EQ(RedondeoDeDecimales(QStringLiteral("4")), 10000);
    EXPECT_EQ(ErrorDe(QStringLiteral("5")), QStringLiteral("El redondeo máximo es de 4 decimales"));
    EXPECT_EQ(ErrorDe(QStringLiteral("12")),
              QStringLiteral("El redondeo máximo es de 4 decimales"));
    for (const char* malo : {"x", "", "2.5", "-1"})
        EXPECT_EQ(ErrorDe(QString::fromLatin1(malo)),
                  QStringLiteral("El número de decimales introducido no es válido"))
            << malo;
    EXPECT_EQ(DecimalesDeRedondeo(1), 0);
    EXPECT_EQ(DecimalesDeRedondeo(100), 2);
    EXPECT_EQ(DecimalesDeRedondeo(10000), 4);
}

TEST(Divisa, TheDialogOpensWithThePublishedValuesOrTheEuro) {
    Parametres().Clear();
    TConfigMoneda vacia = LeeConfigMoneda();
    EXPECT_EQ(vacia.nombre, QStringLiteral("EUR"));
    EXPECT_EQ(vacia.nombreLargo, QStringLiteral("EURO"));
    Parametres().SetParametreValue(QStringLiteral("DIVISA_NOM"), QStringLiteral("USD"));
    Parametres().SetParametreValue(QStringLiteral("DIVISA_ROUND"), 1000);
    Parametres().SetParametreValue(QStringLiteral("DIVISA_TOTALROUND"), 100);
    Parametres().SetParametreValue(QStringLiteral("DIVISA_MASK"), QStringLiteral("#0.000"));
    TConfigMoneda c = LeeConfigMoneda();
    EXPECT_EQ(c.nombre, QStringLiteral("USD"));
    EXPECT_EQ(c.decimalesPrecio, QStringLiteral("3"));
    EXPECT_EQ(c.decimalesTotal, QStringLiteral("2"));
    EXPECT_EQ(c.mascara, QStringLiteral("#0.000"));
    Parametres().Clear();
}

TEST(Divisa, ApplyingAsksFirstAndStoresNothingUnlessYes) {
    test::TestDatabase tdb;  // no answer given: the default button, No
    TConfigMoneda c = ConfigMonedaPorDefecto();
    c.decimalesPrecio = QStringLiteral("3");
    EXPECT_FALSE(AplicaConfigMoneda(c));
    EXPECT_EQ(tdb.prompt().Log().value(0),
              QStringLiteral("QUESTION %1: %2").arg(ApplicationTitle(), kPregunta));
    EXPECT_FALSE(ParametrosApp().GetValue(QStringLiteral("DIVISAROUND")).isValid());

    // Yes, but one refused value: nothing at all is stored.
    tdb.prompt().Push(QStringLiteral("yes"));
    c.decimalesTotal = QStringLiteral("5");
    EXPECT_THROW(AplicaConfigMoneda(c), EZMKError);
    EXPECT_FALSE(ParametrosApp().GetValue(QStringLiteral("DIVISAROUND")).isValid());
    EXPECT_FALSE(ParametrosApp().GetValue(QStringLiteral("DIVISANAME")).isValid());
}

TEST(Divisa, AcceptedChangesAreStoredAndPublishedAgain) {
    test::TestDatabase tdb({QStringLiteral("yes")});
    RegisterOpcionesFacturacion();
    TConfigMoneda c{QStringLiteral("GBP"), QStringLiteral("Libras"),  QStringLiteral("4"),
                    QStringLiteral("1"),   QStringLiteral("#,##0.0"), QStringLiteral("#,##0.0000")};
    EXPECT_TRUE(AplicaConfigMoneda(c));
    UnregisterOpcionesFacturacion();
    EXPECT_EQ(ParametrosApp().AsInteger(QStringLiteral("DIVISAROUND"), 0), 10000);
    EXPECT_EQ(ParametrosApp().AsInteger(QStringLiteral("DIVISAROUNDTOT"), 0), 10);
    EXPECT_EQ(ParametrosApp().AsString(QStringLiteral("DIVISAEDITMASK"), QString()),
              QStringLiteral("#,##0.0000"));
    EXPECT_EQ(Parametres().AsInteger(QStringLiteral("DIVISA_ROUND")), 10000);
    EXPECT_EQ(Parametres().AsString(QStringLiteral("DIVISA_NOM")), QStringLiteral("GBP"));
    EXPECT_EQ(Parametres().AsString(QStringLiteral("DIVISA_LONGNAME")), QStringLiteral("Libras"));
    // The dialog reopens with what was stored.
    TConfigMoneda leida = LeeConfigMoneda();
    EXPECT_EQ(leida.decimalesPrecio, QStringLiteral("4"));
    EXPECT_EQ(leida.decimalesTotal, QStringLiteral("1"));
}
