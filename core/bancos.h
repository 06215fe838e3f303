#pragma once
// Bank data for SEPA direct debits: IBAN and Spanish account (CCC) checks and builders, the BIC
// looked up from the Spanish entity code, the NIF/DNI check letter and the SEPA creditor
// identifier. Pure text functions over built-in tables; they raise EZMKError only where noted.
#include <QString>

namespace zmk {

// Upper-cased and trimmed, keeping only "0".."9" and "A".."Z".
QString LimpiarCodigo(const QString& texto);
// The four-digit entity code of a Spanish IBAN (characters 5..8), empty for other countries.
QString CodigoEntidadIBAN(const QString& iban);
// The BIC of a Spanish entity code (exact four-character match), empty when unknown.
QString BuscarBIC(const QString& entidad);
// The bank name of a Spanish entity code, empty when unknown.
QString NombreEntidad(const QString& entidad);
// True when codigo is an ISO 3166-1 alpha-2 code (any case).
bool EsPaisISO3166(const QString& codigo);
// The Spanish name of an ISO 3166-1 alpha-2 country code (any case), empty when unknown.
QString NombrePaisISO3166(const QString& codigo);

// pais + check digits + bban. An invalid character raises when estricto, else gives "".
QString CalcularIBAN(const QString& pais, const QString& bban, bool estricto);

// Codes of ValidarIBAN.
constexpr int kIBANValido = 0;
constexpr int kIBANLongitud = 1;
constexpr int kIBANDigitosControl = 2;
constexpr int kIBANCaracterNoValido = 4;
constexpr int kIBANCCCErroneo = 99;
// The IBAN exactly as given (no cleaning); fills its parts when asked.
int ValidarIBAN(const QString& iban, QString* pais = nullptr, QString* digitos = nullptr,
                QString* bban = nullptr);

// Codes of ValidarCCC.
constexpr int kCCCValido = 0;
constexpr int kCCCControlErroneo = 1;
constexpr int kCCCLongitud = 3;
constexpr int kCCCNoCalculable = 5;
int ValidarCCC(const QString& ccc);
// The two control digits of a Spanish account; raises EZMKError when they cannot be computed.
QString DigitosControlCCC(const QString& entidad, const QString& oficina, const QString& cuenta);

// The error text of an IBAN, empty when acceptable; raised instead when lanzar.
QString ComprobarIBAN(const QString& iban, bool lanzar, bool avisarNoES, bool permitirSinDC,
                      bool avisarSinDC);
QString ComprobarIBANyBIC(const QString& iban, const QString& bic, bool lanzar, bool avisarSinBIC,
                          bool permitirSinDC, bool avisarSinDC, bool avisarNoES);
// The IBAN with missing control and check digits ("**" or spaces) filled in, else unchanged.
QString CompletarIBAN(const QString& iban, bool estricto);

// The cleaned NIF; a DNI number gets its check letter recomputed, after separador.
QString NormalizarNIF(const QString& texto, const QString& separador = QString());
// "ES" + check digits + three-digit suffix + NIF; raises for a suffix that is not a number.
QString IdentificadorAcreedorSEPA(const QString& sufijo, const QString& nif);

}  // namespace zmk
