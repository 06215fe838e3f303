#pragma once
// What a record's identifiers look like when it is saved: a NIF whose letter does not match, an
// IBAN that fails its check digits, an e-mail address that is not one, a sex that is not "H" or
// "M". The user is told which field and why, and the record is saved all the same, except where
// billing would refuse it later: a direct-debit student's IBAN.
#include <QString>
#include <QStringList>

namespace zmk {

class TDataSet;

// Why a NIF/NIE is not valid ("" when it is, or is not one this check knows: a CIF).
QString ProblemaNIF(const QString& nif);
// Why an e-mail address is not one: exactly one "@", a name before it and a domain after it.
QString ProblemaEMail(const QString& email);

// The problems of the record's fields, one line each with the field's caption.
QStringList ProblemasRegistro(TDataSet& ds);

void RegisterAvisosGuardado();

}  // namespace zmk
