// IBAN, CCC, NIF and SEPA creditor identifier checks and builders.
#include "core/bancos.h"

#include <QStringList>
#include <QStringView>
#include <cstdint>

#include "host/errors.h"

namespace zmk {
namespace {

const QString kES = QStringLiteral("ES");
constexpr char16_t kLetrasNIF[] = u"TRWAGMYFPDXBNJZSQVHLCKE";
// Applied from the rightmost digit leftwards.
constexpr int kPesosCCC[] = {6, 3, 7, 9, 10, 5, 8, 4, 2, 1};

inline bool EsDigito(char16_t c) {
    return c >= u'0' && c <= u'9';
}
inline bool EsLetraAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The value of a character in check-digit arithmetic: 0..35, or -1 when it has none.
inline int ValorCaracter(char16_t c) {
    if (EsDigito(c)) return c - u'0';
    if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
    if (c >= u'a' && c <= u'z') return c - u'a' + 10;
    return -1;
}

// The remainder modulo 97 of the decimal string formed by the values of the characters fed in,
// kept exact for any length: the accumulator is reduced before it could overflow.
class RestoMod97 {
  public:
    // False at the first character without a value, which goes to *malo.
    bool Sumar(QStringView texto, QChar* malo) {
        for (QChar ch : texto) {
            const int valor = ValorCaracter(ch.unicode());
            if (valor < 0) {
                if (malo) *malo = ch;
                return false;
            }
            acumulado_ = acumulado_ * (valor < 10 ? 10 : 100) + uint64_t(valor);
            if (acumulado_ >= kLimite) acumulado_ %= 97;
        }
        return true;
    }
    int Resto() const { return int(acumulado_ % 97); }

  private:
    // Below this, times 100 plus 35 still fits in 64 bits.
    static constexpr uint64_t kLimite = 1'000'000'000'000'000ULL;
    uint64_t acumulado_ = 0;
};

// The check digits (1..98) over id + pais + "00", or -1 when a character has no value.
int DigitosMod97(QStringView id, QStringView pais, QChar* malo = nullptr) {
    RestoMod97 resto;
    if (!resto.Sumar(id, malo) || !resto.Sumar(pais, malo) || !resto.Sumar(u"00", malo)) return -1;
    return 98 - resto.Resto();
}

QString DosDigitos(int valor) {
    return QString::number(valor).rightJustified(2, u'0');
}

// A whole number as a string-to-integer conversion reads it: leading blanks, an optional sign,
// then digits only; *valor receives it. No allocation.
bool LeerEntero(QStringView texto, int64_t maximo, int64_t* valor) {
    qsizetype i = 0;
    while (i < texto.size() && texto[i] == u' ') ++i;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == u'+' || texto[i] == u'-')) negativo = texto[i++] == u'-';
    if (i == texto.size()) return false;
    int64_t v = 0;
    for (; i < texto.size(); ++i) {
        if (!EsDigito(texto[i].unicode())) return false;
        const int d = texto[i].unicode() - u'0';
        if (v > (maximo - d) / 10) return false;
        v = v * 10 + d;
    }
    *valor = negativo ? -v : v;
    return true;
}

// One CCC control digit from a string of at most ten digits (weights from the right).
QChar DigitoPonderado(const QString& digitos) {
    int suma = 0;
    for (qsizetype i = 0; i < digitos.size(); ++i) {
        const QChar c = digitos[digitos.size() - 1 - i];
        if (!EsDigito(c.unicode()))
            throw EZMKError(QStringLiteral("Carácter no válido en el CCC: ") + digitos +
                            QStringLiteral(" Carácter: \"") + c + u'"');
        suma += (c.unicode() - u'0') * kPesosCCC[i];
    }
    const int r = suma % 11;
    return QChar(u'0' + (r < 2 ? r : 11 - r));
}

// The same digit over characters already known to be digits.
int DigitoPonderadoRapido(QStringView digitos) {
    int suma = 0;
    for (qsizetype i = 0; i < digitos.size(); ++i)
        suma += (digitos[digitos.size() - 1 - i].unicode() - u'0') * kPesosCCC[i];
    const int r = suma % 11;
    return r < 2 ? r : 11 - r;
}

bool TodoDigitos(QStringView texto) {
    for (QChar c : texto)
        if (!EsDigito(c.unicode())) return false;
    return true;
}

// ValidarCCC's code for 20 characters that cleaning would leave as they are (letters of either
// case make no difference: they are never whole numbers nor equal to computed digits).
int CodigoCCC20(QStringView ccc) {
    const QStringView entidadOficina = ccc.first(8), dc = ccc.sliced(8, 2), cuenta = ccc.sliced(10);
    if (!TodoDigitos(entidadOficina) || !TodoDigitos(cuenta)) return kCCCNoCalculable;
    const bool iguales = dc[0].unicode() == u'0' + DigitoPonderadoRapido(entidadOficina) &&
                         dc[1].unicode() == u'0' + DigitoPonderadoRapido(cuenta);
    return iguales ? kCCCValido : kCCCControlErroneo;
}

// Splits an IBAN into country (1..2), check digits (3..4) and BBAN (5..end).
struct PartesIBAN {
    QStringView pais, digitos, bban;
    explicit PartesIBAN(QStringView iban)
        : pais(iban.first(qMin<qsizetype>(2, iban.size()))),
          digitos(iban.sliced(pais.size(), qMin<qsizetype>(4, iban.size()) - pais.size())),
          bban(iban.sliced(pais.size() + digitos.size())) {}
};

// "**" or two blanks stand for control or check digits still to be computed.
bool SinDigitos(QStringView digitos) {
    return digitos == u"**" || digitos == u"  ";
}

QString ImposibleCalcular(const QString& bban) {
    return QStringLiteral(
               "Error en el Número de cuenta ES: Imposible calcular el número de control: ") +
           bban;
}

// The error of a Spanish IBAN that ValidarIBAN refused; empty when it is acceptable as it is.
QString ErrorIBANEspanol(const QString& iban, const QString& digitos, const QString& bban,
                         bool permitirSinDC) {
    if (bban.size() != 20)
        return QStringLiteral(
                   "La longitud del número de cuenta ES del IBAN debe ser de 20 carácteres, ha "
                   "puesto ") +
               QString::number(bban.size()) + QStringLiteral(": ") + bban;
    const QString entidad = bban.left(4), oficina = bban.mid(4, 4), dc = bban.mid(8, 2),
                  cuenta = bban.mid(10);
    if (!SinDigitos(dc)) {
        if (ValidarCCC(bban) != kCCCValido) {
            try {
                return QStringLiteral(
                           "Los dígitos de control para cuenta ES no están correctos. "
                           "Introducido:") +
                       dc + QStringLiteral(" calculado:") +
                       DigitosControlCCC(entidad, oficina, cuenta);
            } catch (const EZMKError&) {
                return ImposibleCalcular(bban);
            }
        }
        if (!SinDigitos(digitos))
            return QStringLiteral("Error en los dígitos de control del IBAN \"") + digitos + u'"';
        return QString();
    }
    if (permitirSinDC)
        return QStringLiteral("Faltan los dígitos de control para cuentas ES. 0000-0000-") + dc +
               QStringLiteral("-0000000000");
    QString calculado;
    try {
        calculado = DigitosControlCCC(entidad, oficina, cuenta);
    } catch (const EZMKError&) {
        return ImposibleCalcular(bban);
    }
    if (SinDigitos(digitos)) return QString();
    const int codigo = ValidarIBAN(kES + digitos + entidad + oficina + calculado + cuenta);
    if (codigo == kIBANValido) return QString();
    return QStringLiteral("Error general. IBAN no válido:") + iban +
           QStringLiteral(" Código interno de error:") + QString::number(codigo);
}

}  // namespace

QString LimpiarCodigo(const QString& texto) {
    const QString mayusculas = texto.toUpper().trimmed();
    QString limpio;
    limpio.reserve(mayusculas.size());
    for (QChar c : mayusculas)
        if (EsDigito(c.unicode()) || (c >= u'A' && c <= u'Z')) limpio += c;
    return limpio;
}

QString CodigoEntidadIBAN(const QString& iban) {
    if (iban.left(2).compare(kES, Qt::CaseInsensitive) != 0) return QString();
    return iban.mid(4, 4);
}

QString CalcularIBAN(const QString& pais, const QString& bban, bool estricto) {
    QChar malo;
    const int digitos = DigitosMod97(bban, pais, &malo);
    if (digitos < 0) {
        if (estricto)
            throw EZMKError(QStringLiteral("Se encontró un carácter no válido: \"") + malo + u'"');
        return QString();
    }
    return pais + DosDigitos(digitos) + bban;
}

int ValidarIBAN(const QString& iban, QString* pais, QString* digitos, QString* bban) {
    const PartesIBAN partes(iban);
    if (pais) *pais = partes.pais.toString();
    if (digitos) *digitos = partes.digitos.toString();
    if (bban) *bban = partes.bban.toString();
    if (iban.size() < 5 || iban.size() > 34) return kIBANLongitud;
    const int calculado = DigitosMod97(partes.bban, partes.pais);
    if (calculado < 0) return kIBANCaracterNoValido;
    int64_t leido = 0;
    if (!LeerEntero(partes.digitos, INT32_MAX, &leido) || leido != calculado)
        return kIBANDigitosControl;
    if (partes.pais == kES && (partes.bban.size() != 20 || CodigoCCC20(partes.bban) != kCCCValido))
        return kIBANCCCErroneo;
    return kIBANValido;
}

int ValidarCCC(const QString& ccc) {
    const QString limpio = LimpiarCodigo(ccc);
    if (limpio.size() != 20) return kCCCLongitud;
    return CodigoCCC20(limpio);
}

QString DigitosControlCCC(const QString& entidad, const QString& oficina, const QString& cuenta) {
    int64_t valor = 0;
    const bool numeros = LeerEntero(entidad, INT32_MAX, &valor) &&
                         LeerEntero(oficina, INT32_MAX, &valor) &&
                         LeerEntero(cuenta, INT64_MAX, &valor);
    if (!numeros || entidad.size() > 4 || oficina.size() > 4 || cuenta.size() > 10)
        throw EZMKError(QStringLiteral("Imposible calcular el número de control: ") + entidad +
                        u' ' + oficina + u' ' + cuenta);
    const QString primero = entidad.rightJustified(4, u'0') + oficina.rightJustified(4, u'0');
    const QString segundo = cuenta.rightJustified(10, u'0');
    return QString(DigitoPonderado(primero)) + DigitoPonderado(segundo);
}

QString ComprobarIBAN(const QString& iban, bool lanzar, bool avisarNoES, bool permitirSinDC,
                      bool avisarSinDC) {
    // An empty field has no bank data to check or warn about.
    if (iban.isEmpty()) return QString();
    QStringList textos;
    QString pais, digitos, bban;
    const int codigo = ValidarIBAN(iban, &pais, &digitos, &bban);
    if (iban.size() <= 4) {
        textos << QStringLiteral("La longitud del IBAN es demasiado corta");
    } else if (codigo != kIBANValido) {
        QString error;
        if (!EsPaisISO3166(pais))
            error = QStringLiteral("Error en el IBAN: No existe ningún país con el código ") + pais;
        else if (pais == kES)
            error = ErrorIBANEspanol(iban, digitos, bban, permitirSinDC);
        if (!error.isEmpty()) textos << error;
    }
    if (avisarSinDC && SinDigitos(digitos))
        textos << QStringLiteral("El IBAN no tiene dígitos de control.");
    if (avisarNoES && pais != kES)
        textos << QStringLiteral(
            "El IBAN tiene un código de país distinto a \"ES\" y no se comprobará.");
    const QString texto = textos.join(QStringLiteral("; "));
    if (lanzar && !texto.isEmpty()) throw EZMKError(texto);
    return texto;
}

QString ComprobarIBANyBIC(const QString& iban, const QString& bic, bool lanzar, bool avisarSinBIC,
                          bool permitirSinDC, bool avisarSinDC, bool avisarNoES) {
    QString texto;
    if (iban.isEmpty()) {
        if (!bic.trimmed().isEmpty())
            texto = QStringLiteral("Se ha indicado un código BIC pero ningún código IBAN");
    } else {
        // A foreign IBAN has already been reported by ComprobarIBAN when avisarNoES is set, so
        // only a Spanish one that passed can be compared with the entity's BIC.
        texto = ComprobarIBAN(iban, false, avisarNoES, permitirSinDC, avisarSinDC);
        const QString entidad = CodigoEntidadIBAN(iban);
        if (texto.isEmpty() && iban.left(2).compare(kES, Qt::CaseInsensitive) == 0) {
            const QString encontrado = BuscarBIC(entidad);
            const QString existente = bic.trimmed();
            if (encontrado.isEmpty()) {
                if (avisarSinBIC)
                    texto =
                        QStringLiteral("No se encuentra el código BIC para la entidad: ") + entidad;
            } else if (!existente.isEmpty() &&
                       existente.compare(encontrado, Qt::CaseInsensitive) != 0) {
                texto = QStringLiteral("El BIC calculado (") + encontrado +
                        QStringLiteral(") no coincide con el BIC existente (") + bic + u')';
            }
        }
    }
    if (lanzar && !texto.isEmpty()) throw EZMKError(texto);
    return texto;
}

QString CompletarIBAN(const QString& iban, bool estricto) {
    if (!ComprobarIBAN(iban, estricto, true, false, false).isEmpty()) return iban;
    // Past the check only an empty IBAN is not Spanish; a Spanish one has a 20-character BBAN.
    if (iban.left(2) != kES) return iban;
    const QString bban = iban.mid(4);
    QString dc;
    try {
        dc = DigitosControlCCC(bban.left(4), bban.mid(4, 4), bban.mid(10));
    } catch (const EZMKError&) {
        throw EZMKError(QStringLiteral(
            "ERROR 2016014-2 No se pudo validar el dígito de control para cuenta ES"));
    }
    return CalcularIBAN(kES, bban.left(8) + dc + bban.mid(10), estricto);
}

QString NormalizarNIF(const QString& texto, const QString& separador) {
    const QString limpio = texto.trimmed();
    QString copia, numero;  // numero: the digits without leading zeros
    int resto = 0;          // the number modulo 23, exact for any length
    bool hayDigito = false, hayLetra = false, esDNI = true;
    for (QChar c : limpio) {
        const char16_t u = c.unicode();
        if (EsDigito(u)) {
            copia += c;
            hayDigito = true;
            resto = (resto * 10 + (u - u'0')) % 23;
            if (!numero.isEmpty() || u != u'0') numero += c;
        } else if (EsLetraAscii(u)) {
            copia += c.toUpper();
            if (!hayDigito || hayLetra) esDNI = false;
            hayLetra = true;
        }
    }
    if (!esDNI || numero.isEmpty()) return copia;
    return numero.rightJustified(8, u'0') + separador + QChar(kLetrasNIF[resto]);
}

QString IdentificadorAcreedorSEPA(const QString& sufijo, const QString& nif) {
    const QString nifNormal = NormalizarNIF(nif.toUpper());
    if (sufijo.isEmpty() || !TodoDigitos(sufijo))
        throw EZMKError(QStringLiteral("El Sufijo del acreedor no es un número válido: ") + sufijo);
    const QString sufijo3 = sufijo.rightJustified(3, u'0').left(3);
    // NormalizarNIF keeps only digits and letters, which all have a value.
    return kES + DosDigitos(DigitosMod97(nifNormal, kES)) + sufijo3 + nifNormal;
}

}  // namespace zmk
