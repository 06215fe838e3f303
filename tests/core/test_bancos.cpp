// IBAN, CCC, BIC, NIF and creditor identifier routines.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/bancos.h"
#include "host/errors.h"

using namespace zmk;

namespace {

// A commonly cited Spanish account: entity 2100, office 0418, control 45, account 0200051332.
const QString kIBANEjemplo = QStringLiteral("ES9121000418450200051332");
const QString kForaneo = QStringLiteral(
    "El IBAN tiene un código de país distinto a \"ES\" y no se "
    "comprobará.");

QString MensajeDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const EZMKError& e) {
        return e.Message();
    }
    return QStringLiteral("<sin error>");
}

// Reference remainder: the decimal string summed from the right with powers of ten modulo 97.
int RestoReferencia(const QString& texto) {
    QString decimal;
    for (QChar c : texto)
        decimal += c.isDigit() ? QString(c) : QString::number(c.toUpper().unicode() - 'A' + 10);
    int resto = 0, potencia = 1;
    for (qsizetype i = decimal.size() - 1; i >= 0; --i) {
        resto = (resto + (decimal[i].unicode() - '0') * potencia) % 97;
        potencia = potencia * 10 % 97;
    }
    return resto;
}

}  // namespace

TEST(Bancos, LimpiarCodigoYEntidad) {
    EXPECT_EQ(LimpiarCodigo(QStringLiteral("  es91 2100-0418.ñ ")), QStringLiteral("ES9121000418"));
    EXPECT_EQ(CodigoEntidadIBAN(QStringLiteral("es9121000418450200051332")),
              QStringLiteral("2100"));
    EXPECT_EQ(CodigoEntidadIBAN(QStringLiteral("DE89370400440532013000")), QString());
    EXPECT_EQ(CodigoEntidadIBAN(QStringLiteral("ES91")), QString());
}

TEST(Bancos, TablasIncorporadas) {
    EXPECT_EQ(BuscarBIC(QStringLiteral("0003")), QStringLiteral("BDEPESM1XXX"));
    EXPECT_EQ(BuscarBIC(QStringLiteral("0019")), QStringLiteral("DEUTESBBXXX"));
    EXPECT_EQ(BuscarBIC(QStringLiteral("0030")), QStringLiteral("ESPCESMMXXX"));
    EXPECT_EQ(BuscarBIC(QStringLiteral("8512")), QStringLiteral("UCINESMMXXX"));
    EXPECT_EQ(NombreEntidad(QStringLiteral("0030")),
              QStringLiteral("BANCO ESPAÑOL DE CREDITO, S.A."));
    EXPECT_EQ(NombreEntidad(QStringLiteral("8512")),
              QStringLiteral("UNION DE CREDITOS INMOBILIARIOS, S.A., E.F.C."));
    // Exact four-character match only.
    EXPECT_EQ(BuscarBIC(QStringLiteral("3")), QString());
    EXPECT_EQ(BuscarBIC(QStringLiteral("9999")), QString());
    EXPECT_EQ(BuscarBIC(QString()), QString());
    EXPECT_TRUE(EsPaisISO3166(QStringLiteral("es")));
    EXPECT_TRUE(EsPaisISO3166(QStringLiteral("AD")));
    EXPECT_FALSE(EsPaisISO3166(QStringLiteral("XX")));
    EXPECT_FALSE(EsPaisISO3166(QString()));
    EXPECT_EQ(NombrePaisISO3166(QStringLiteral("es")), QStringLiteral("España"));
    EXPECT_EQ(NombrePaisISO3166(QStringLiteral("PT")), QStringLiteral("Portugal"));
}

TEST(Bancos, Mod97ExactoEnCadenasLargas) {
    QRandomGenerator rng(97);
    const QString alfabeto = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcxyz");
    for (int n = 0; n < 500; ++n) {
        QString bban;
        const int largo = 1 + int(rng.bounded(n < 400 ? 60 : 2000));
        for (int i = 0; i < largo; ++i) bban += alfabeto[rng.bounded(int(alfabeto.size()))];
        const QString pais = QString(QChar(u'A' + rng.bounded(26))) + QChar(u'A' + rng.bounded(26));
        const int esperado = 98 - RestoReferencia(bban + pais + QStringLiteral("00"));
        const QString iban = CalcularIBAN(pais, bban, true);
        ASSERT_EQ(iban.mid(2, 2).toInt(), esperado) << qPrintable(bban);
        ASSERT_EQ(iban, pais + iban.mid(2, 2) + bban);
        if (iban.size() <= 34) {
            ASSERT_EQ(ValidarIBAN(iban), pais == u"ES" ? 99 : 0);
        }
    }
    EXPECT_EQ(CalcularIBAN(QStringLiteral("ES"), QStringLiteral("21000418450200051332"), true),
              kIBANEjemplo);
    // Check digits below 10 keep their leading zero.
    EXPECT_EQ(CalcularIBAN(QStringLiteral("ES"), QStringLiteral("00490001512110000000"), false),
              QStringLiteral("ES0700490001512110000000"));
}

TEST(Bancos, CalcularIBANConCaracterNoValido) {
    EXPECT_EQ(CalcularIBAN(QStringLiteral("ES"), QStringLiteral("2100 0418"), false), QString());
    EXPECT_EQ(
        MensajeDe([] { CalcularIBAN(QStringLiteral("ES"), QStringLiteral("2100*0418"), true); }),
        QStringLiteral("Se encontró un carácter no válido: \"*\""));
    EXPECT_EQ(MensajeDe([] { CalcularIBAN(QStringLiteral("E-"), QStringLiteral("2100"), true); }),
              QStringLiteral("Se encontró un carácter no válido: \"-\""));
}

TEST(Bancos, ValidarIBANCodigosYPartes) {
    QString pais, digitos, bban;
    EXPECT_EQ(ValidarIBAN(kIBANEjemplo, &pais, &digitos, &bban), 0);
    EXPECT_EQ(pais, QStringLiteral("ES"));
    EXPECT_EQ(digitos, QStringLiteral("91"));
    EXPECT_EQ(bban, QStringLiteral("21000418450200051332"));
    // One digit of the account changed.
    EXPECT_EQ(ValidarIBAN(QStringLiteral("ES9121000418450200051333")), 2);
    // Mod-97 right, computed over an account whose control digits are wrong.
    EXPECT_EQ(ValidarIBAN(QStringLiteral("ES4121000418990200051332")), 99);
    // Mod-97 right but a Spanish BBAN that is not 20 characters long.
    const QString corto =
        CalcularIBAN(QStringLiteral("ES"), QStringLiteral("2100041845020005"), true);
    EXPECT_EQ(ValidarIBAN(corto), 99);
    EXPECT_EQ(ValidarIBAN(QStringLiteral("DE89370400440532013000")), 0);
    EXPECT_EQ(ValidarIBAN(QStringLiteral("de89370400440532013000")), 0);
    EXPECT_EQ(ValidarIBAN(QStringLiteral("DE88370400440532013000")), 2);
    // No cleaning: a blank is an invalid character; check digits that are not a number never match.
    EXPECT_EQ(ValidarIBAN(QStringLiteral("ES91 2100 0418 4502 0005 1332")), 4);
    EXPECT_EQ(ValidarIBAN(QStringLiteral("ES**21000418450200051332")), 2);
    EXPECT_EQ(ValidarIBAN(QStringLiteral("ES9A21000418450200051332")), 2);
    // Length limits: 5 to 34 characters.
    EXPECT_EQ(ValidarIBAN(QStringLiteral("ES91")), 1);
    EXPECT_EQ(ValidarIBAN(QString()), 1);
    const QString largo34 = CalcularIBAN(QStringLiteral("MT"), QString(30, u'7'), true);
    ASSERT_EQ(largo34.size(), 34);
    EXPECT_EQ(ValidarIBAN(largo34), 0);
    const QString largo35 = CalcularIBAN(QStringLiteral("MT"), QString(31, u'7'), true);
    EXPECT_EQ(ValidarIBAN(largo35, &pais, &digitos, &bban), 1);
    EXPECT_EQ(bban, QString(31, u'7'));
    const QString largo5 = CalcularIBAN(QStringLiteral("MT"), QStringLiteral("7"), true);
    EXPECT_EQ(ValidarIBAN(largo5), 0);
}

TEST(Bancos, DigitosControlCCC) {
    // By hand, weights from the right: 21000418 sums 8*6+1*3+4*7+1*8+2*4 = 95, 95 mod 11 = 7,
    // digit 11-7 = 4; 0200051332 sums 2*6+3*3+3*7+1*9+5*10+2*2 = 105, mod 11 = 6, digit 5.
    EXPECT_EQ(DigitosControlCCC(QStringLiteral("2100"), QStringLiteral("0418"),
                                QStringLiteral("0200051332")),
              QStringLiteral("45"));
    // Parts are left-padded with zeros.
    EXPECT_EQ(
        DigitosControlCCC(QStringLiteral("49"), QStringLiteral("1"), QStringLiteral("2110000000")),
        DigitosControlCCC(QStringLiteral("0049"), QStringLiteral("0001"),
                          QStringLiteral("2110000000")));
    EXPECT_EQ(DigitosControlCCC(QStringLiteral("0049"), QStringLiteral("0001"),
                                QStringLiteral("2110000000")),
              QStringLiteral("53"));
    // Remainders 0 and 1 give the digits 0 and 1.
    EXPECT_EQ(DigitosControlCCC(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")),
              QStringLiteral("00"));
    EXPECT_EQ(DigitosControlCCC(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("2")),
              QStringLiteral("01"));
    for (const auto& [e, o, c] :
         std::vector<std::array<const char*, 3>>{{"", "0418", "0200051332"},
                                                 {"2100", "04a8", "0200051332"},
                                                 {"21000", "0418", "0200051332"},
                                                 {"2100", "0418", "10200051332"},
                                                 {"2100", "0418", "99999999999999999999"}})
        EXPECT_THROW(
            DigitosControlCCC(QString::fromUtf8(e), QString::fromUtf8(o), QString::fromUtf8(c)),
            EZMKError);
    EXPECT_EQ(MensajeDe([] {
                  DigitosControlCCC(QStringLiteral("-1"), QStringLiteral("0418"),
                                    QStringLiteral("0200051332"));
              }),
              QStringLiteral("Carácter no válido en el CCC: 00-10418 Carácter: \"-\""));
}

TEST(Bancos, ValidarCCC) {
    EXPECT_EQ(ValidarCCC(QStringLiteral("21000418450200051332")), 0);
    EXPECT_EQ(ValidarCCC(QStringLiteral(" 2100-0418-45-0200051332 ")), 0);
    EXPECT_EQ(ValidarCCC(QStringLiteral("21000418460200051332")), 1);
    EXPECT_EQ(ValidarCCC(QStringLiteral("21000418AB0200051332")), 1);
    EXPECT_EQ(ValidarCCC(QStringLiteral("2100041845020005133")), 3);
    EXPECT_EQ(ValidarCCC(QStringLiteral("210004184502000513322")), 3);
    EXPECT_EQ(ValidarCCC(QStringLiteral("21A00418450200051332")), 5);
    EXPECT_EQ(ValidarCCC(QStringLiteral("2100041845020005133x")), 5);
}

TEST(Bancos, ComprobarIBANErrores) {
    auto comprobar = [](const QString& iban, bool noES = false, bool sinDC = false,
                        bool permitir = false) {
        return ComprobarIBAN(iban, false, noES, permitir, sinDC);
    };
    EXPECT_EQ(comprobar(QString(), true, true), QString());
    EXPECT_EQ(comprobar(kIBANEjemplo, true, true), QString());
    EXPECT_EQ(comprobar(QStringLiteral("ES91")),
              QStringLiteral("La longitud del IBAN es demasiado corta"));
    EXPECT_EQ(comprobar(QStringLiteral("XX001234")),
              QStringLiteral("Error en el IBAN: No existe ningún país con el código XX"));
    EXPECT_EQ(comprobar(QStringLiteral("ES91210004184502000513")),
              QStringLiteral("La longitud del número de cuenta ES del IBAN debe ser de 20 "
                             "carácteres, ha puesto 18: 210004184502000513"));
    // Control digits of the account wrong (the IBAN's own check digits made to match).
    EXPECT_EQ(comprobar(QStringLiteral("ES4121000418990200051332")),
              QStringLiteral("Los dígitos de control para cuenta ES no están correctos. "
                             "Introducido:99 calculado:45"));
    EXPECT_EQ(comprobar(QStringLiteral("ES00ABCD0418450200051332")),
              QStringLiteral("Error en el Número de cuenta ES: Imposible calcular el número de "
                             "control: ABCD0418450200051332"));
    EXPECT_EQ(comprobar(QStringLiteral("ES0021000418450200051332")),
              QStringLiteral("Error en los dígitos de control del IBAN \"00\""));
    // Account right, IBAN check digits missing: acceptable.
    EXPECT_EQ(comprobar(QStringLiteral("ES**21000418450200051332")), QString());
    EXPECT_EQ(comprobar(QStringLiteral("ES  21000418450200051332")), QString());
    // Account control digits missing.
    EXPECT_EQ(
        comprobar(QStringLiteral("ES**21000418**0200051332"), false, false, true),
        QStringLiteral("Faltan los dígitos de control para cuentas ES. 0000-0000-**-0000000000"));
    EXPECT_EQ(
        comprobar(QStringLiteral("ES**21000418  0200051332"), false, false, true),
        QStringLiteral("Faltan los dígitos de control para cuentas ES. 0000-0000-  -0000000000"));
    EXPECT_EQ(comprobar(QStringLiteral("ES**21000418**0200051332")), QString());
    EXPECT_EQ(comprobar(QStringLiteral("ES9121000418**0200051332")), QString());
    EXPECT_EQ(comprobar(QStringLiteral("ES9021000418**0200051332")),
              QStringLiteral("Error general. IBAN no válido:ES9021000418**0200051332 Código "
                             "interno de error:2"));
    EXPECT_EQ(comprobar(QStringLiteral("ES91ABCD0418**0200051332")),
              QStringLiteral("Error en el Número de cuenta ES: Imposible calcular el número de "
                             "control: ABCD0418**0200051332"));
}

TEST(Bancos, ComprobarIBANAvisos) {
    // A foreign IBAN is checked for its country only.
    const QString aleman = QStringLiteral("DE00370400440532013000");
    EXPECT_EQ(ComprobarIBAN(aleman, false, false, false, true), QString());
    EXPECT_EQ(ComprobarIBAN(aleman, false, true, false, true), kForaneo);
    EXPECT_EQ(
        ComprobarIBAN(QStringLiteral("XX001234"), false, true, false, false),
        QStringLiteral("Error en el IBAN: No existe ningún país con el código XX; ") + kForaneo);
    EXPECT_EQ(ComprobarIBAN(QStringLiteral("ES**21000418450200051332"), false, true, false, true),
              QStringLiteral("El IBAN no tiene dígitos de control."));
    EXPECT_EQ(
        ComprobarIBAN(QStringLiteral("ES**21000418**0200051332"), false, true, true, true),
        QStringLiteral("Faltan los dígitos de control para cuentas ES. 0000-0000-**-0000000000; "
                       "El IBAN no tiene dígitos de control."));
    EXPECT_EQ(ComprobarIBAN(QStringLiteral("DE**"), false, true, false, true),
              QStringLiteral("La longitud del IBAN es demasiado corta; El IBAN no tiene dígitos "
                             "de control.; ") +
                  kForaneo);
    // lanzar raises the same text, and nothing when there is none.
    EXPECT_EQ(MensajeDe([&] { ComprobarIBAN(aleman, true, true, false, false); }), kForaneo);
    EXPECT_NO_THROW(ComprobarIBAN(kIBANEjemplo, true, true, false, true));
}

TEST(Bancos, ComprobarIBANyBIC) {
    auto comprobar = [](const QString& iban, const QString& bic, bool sinBIC = true) {
        return ComprobarIBANyBIC(iban, bic, false, sinBIC, false, true, true);
    };
    EXPECT_EQ(comprobar(QString(), QStringLiteral("CAIXESBBXXX")),
              QStringLiteral("Se ha indicado un código BIC pero ningún código IBAN"));
    EXPECT_EQ(comprobar(QString(), QStringLiteral("  ")), QString());
    EXPECT_EQ(comprobar(kIBANEjemplo, QString()), QString());
    EXPECT_EQ(comprobar(kIBANEjemplo, QStringLiteral(" caixesbbxxx ")), QString());
    EXPECT_EQ(comprobar(kIBANEjemplo, QStringLiteral("BSCHESMMXXX")),
              QStringLiteral("El BIC calculado (CAIXESBBXXX) no coincide con el BIC existente "
                             "(BSCHESMMXXX)"));
    const QString sinEntidad =
        CalcularIBAN(QStringLiteral("ES"),
                     QStringLiteral("9999") + QStringLiteral("0001") +
                         DigitosControlCCC(QStringLiteral("9999"), QStringLiteral("0001"),
                                           QStringLiteral("0000000001")) +
                         QStringLiteral("0000000001"),
                     true);
    ASSERT_EQ(ValidarIBAN(sinEntidad), 0);
    EXPECT_EQ(comprobar(sinEntidad, QString()),
              QStringLiteral("No se encuentra el código BIC para la entidad: 9999"));
    EXPECT_EQ(comprobar(sinEntidad, QString(), false), QString());
    // The IBAN's own error comes first and stops the BIC check.
    EXPECT_EQ(comprobar(QStringLiteral("ES0021000418450200051332"), QStringLiteral("XXXXESBB")),
              QStringLiteral("Error en los dígitos de control del IBAN \"00\""));
    EXPECT_EQ(comprobar(QStringLiteral("DE89370400440532013000"), QStringLiteral("COBADEFFXXX")),
              kForaneo);
    EXPECT_EQ(MensajeDe([] {
                  ComprobarIBANyBIC(QString(), QStringLiteral("X"), true, false, false, false,
                                    false);
              }),
              QStringLiteral("Se ha indicado un código BIC pero ningún código IBAN"));
}

TEST(Bancos, CompletarIBAN) {
    EXPECT_EQ(CompletarIBAN(QStringLiteral("ES**21000418**0200051332"), false), kIBANEjemplo);
    EXPECT_EQ(CompletarIBAN(QStringLiteral("ES  21000418  0200051332"), true), kIBANEjemplo);
    EXPECT_EQ(CompletarIBAN(QStringLiteral("ES**21000418450200051332"), false), kIBANEjemplo);
    EXPECT_EQ(CompletarIBAN(QStringLiteral("ES9121000418**0200051332"), false), kIBANEjemplo);
    EXPECT_EQ(CompletarIBAN(kIBANEjemplo, true), kIBANEjemplo);
    EXPECT_EQ(CompletarIBAN(QString(), true), QString());
    // Anything reported leaves the IBAN as it was, the foreign-country warning included.
    EXPECT_EQ(CompletarIBAN(QStringLiteral("DE89370400440532013000"), false),
              QStringLiteral("DE89370400440532013000"));
    EXPECT_EQ(CompletarIBAN(QStringLiteral("ES9021000418**0200051332"), false),
              QStringLiteral("ES9021000418**0200051332"));
    EXPECT_EQ(CompletarIBAN(QStringLiteral("ES**ABCD0418**0200051332"), false),
              QStringLiteral("ES**ABCD0418**0200051332"));
    EXPECT_EQ(MensajeDe([] { CompletarIBAN(QStringLiteral("DE89370400440532013000"), true); }),
              kForaneo);
}

TEST(Bancos, NormalizarNIF) {
    EXPECT_EQ(NormalizarNIF(QStringLiteral("12.345.678-z")), QStringLiteral("12345678Z"));
    EXPECT_EQ(NormalizarNIF(QStringLiteral("12.345.678-z"), QStringLiteral("-")),
              QStringLiteral("12345678-Z"));
    // The typed letter is replaced; short numbers are padded.
    EXPECT_EQ(NormalizarNIF(QStringLiteral("12345678A")), QStringLiteral("12345678Z"));
    EXPECT_EQ(NormalizarNIF(QStringLiteral(" 1234567 ")), QStringLiteral("01234567L"));
    EXPECT_EQ(NormalizarNIF(QStringLiteral("0001234567")), QStringLiteral("01234567L"));
    // Foreign-resident and company numbers are not recomputed, only cleaned.
    EXPECT_EQ(NormalizarNIF(QStringLiteral("X1234567L")), QStringLiteral("X1234567L"));
    EXPECT_EQ(NormalizarNIF(QStringLiteral("x-1234567-l")), QStringLiteral("X1234567L"));
    EXPECT_EQ(NormalizarNIF(QStringLiteral("B 12345678")), QStringLiteral("B12345678"));
    EXPECT_EQ(NormalizarNIF(QStringLiteral("12345678ZA")), QStringLiteral("12345678ZA"));
    // Number zero, no digits at all.
    EXPECT_EQ(NormalizarNIF(QStringLiteral("00000000T")), QStringLiteral("00000000T"));
    EXPECT_EQ(NormalizarNIF(QStringLiteral("--")), QString());
    // More digits than any machine integer: the letter still comes from the exact remainder.
    EXPECT_EQ(NormalizarNIF(QStringLiteral("123456789012345678901234")),
              QStringLiteral("123456789012345678901234A"));
}

TEST(Bancos, IdentificadorAcreedorSEPA) {
    // Check digits over "B12345678" + "ES" + "00": B=11, E=14, S=28 give 1112345678142800,
    // which is 1 modulo 97, so 98 - 1 = 97; the suffix takes no part.
    EXPECT_EQ(IdentificadorAcreedorSEPA(QStringLiteral("000"), QStringLiteral("B12345678")),
              QStringLiteral("ES97000B12345678"));
    EXPECT_EQ(IdentificadorAcreedorSEPA(QStringLiteral("1"), QStringLiteral("b-12345678")),
              QStringLiteral("ES97001B12345678"));
    EXPECT_EQ(IdentificadorAcreedorSEPA(QStringLiteral("1234"), QStringLiteral("B12345678")),
              QStringLiteral("ES97123B12345678"));
    // A DNI gets its letter before the check digits are computed.
    EXPECT_EQ(IdentificadorAcreedorSEPA(QStringLiteral("0"), QStringLiteral("12345678")),
              CalcularIBAN(QStringLiteral("ES"), QStringLiteral("12345678Z"), true)
                  .insert(4, QStringLiteral("000")));
    for (const char* malo : {"", "-1", "A", " 1", "1.0"})
        EXPECT_EQ(MensajeDe([&] {
                      IdentificadorAcreedorSEPA(QString::fromUtf8(malo),
                                                QStringLiteral("B12345678"));
                  }),
                  QStringLiteral("El Sufijo del acreedor no es un número válido: ") +
                      QString::fromUtf8(malo));
}
