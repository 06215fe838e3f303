#include "rules/avisosguardado.h"

#include <QRegularExpression>
#include <QSqlQuery>

#include "core/bancos.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datarules.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "rules/fuentesdatos.h"

namespace zmk {

namespace {

using namespace fuente;

enum class TTipoCampo { NIF, IBAN, EMail, Sexo };

struct TCampoComprobado {
    const char* campo;
    const char* rotulo;  // the caption the form shows
    TTipoCampo tipo;
};

const TCampoComprobado kCampos[] = {
    {"NIFT01", "NIF", TTipoCampo::NIF},
    {"DNIPadreT01", "DNI del padre", TTipoCampo::NIF},
    {"DNIMadreT01", "DNI de la madre", TTipoCampo::NIF},
    {"NIFTitularCuentaT01", "NIF del titular", TTipoCampo::NIF},
    {"IBANT01", "Código IBAN", TTipoCampo::IBAN},
    {"EMailT01", "eMail", TTipoCampo::EMail},
    {"SexoT01", "Sexo", TTipoCampo::Sexo},
    {"NIFT04", "NIF", TTipoCampo::NIF},
    {"NIFTitularCuentaT04", "NIF del titular", TTipoCampo::NIF},
    {"EMailT04", "eMail", TTipoCampo::EMail},
    {"NIFTitularCuentaT02", "NIF del titular", TTipoCampo::NIF},
    {"IBANT02", "Código IBAN", TTipoCampo::IBAN},
    {"EMailT20", "eMail", TTipoCampo::EMail},
};

QString Problema(TTipoCampo tipo, const QString& valor) {
    switch (tipo) {
        case TTipoCampo::NIF:
            return ProblemaNIF(valor);
        case TTipoCampo::IBAN:
            return ComprobarIBAN(valor.trimmed(), false, false, false, false);
        case TTipoCampo::EMail:
            return ProblemaEMail(valor);
        case TTipoCampo::Sexo: {
            const QString s = valor.trimmed().toUpper();
            if (s == QLatin1String("H") || s == QLatin1String("M")) return QString();
            return QStringLiteral("\"%1\" no es un valor admitido (H: hombre, M: mujer)")
                .arg(valor.trimmed());
        }
    }
    return QString();
}

// A student paid by direct debit: the IBAN must be one, or billing stops at this student.
bool DomiciliaElCobro(TDataSet& ds) {
    TField* forma = ds.FindField(QStringLiteral("IDFormaCobroT01"));
    if (!forma || forma->IsNull()) return false;
    QSqlQuery q = DefaultDB().Query(
        QStringLiteral("SELECT UsaNorma19T17 FROM T17FormasCobro WHERE IDFormaCobroT17=") +
        ValorSQL(forma->AsInteger()));
    return q.next() && q.value(0).toInt() != 0;
}

void AvisarAlGuardar(TDataSet& ds) {
    if (ds.State() != TDataSetState::Edit && ds.State() != TDataSetState::Insert) return;
    TField* iban = ds.FindField(QStringLiteral("IBANT01"));
    if (iban && DomiciliaElCobro(ds)) {
        const QString error = ComprobarIBAN(iban->AsString().trimmed(), false, false, false, false);
        if (!error.isEmpty())
            throw EZMKError(QStringLiteral("El alumno se cobra por domiciliación bancaria y su "
                                           "código IBAN no es válido:\n") +
                            error +
                            QStringLiteral("\n\nCorrija el IBAN o cambie la forma de cobro."));
    }
    QStringList problemas = ProblemasRegistro(ds);
    if (iban && iban->AsString().trimmed().isEmpty() && DomiciliaElCobro(ds))
        problemas << QStringLiteral(
            "Código IBAN: el alumno se cobra por domiciliación bancaria "
            "y no tiene IBAN; no se le podrá facturar hasta que lo tenga");
    if (problemas.isEmpty()) return;
    Avisa(QStringLiteral("Revise estos datos (el registro se guarda igualmente):\n\n") +
          problemas.join(u'\n'));
}

}  // namespace

QString ProblemaNIF(const QString& nif) {
    QString limpio;
    for (QChar c : nif)
        if (c.isLetterOrNumber()) limpio += c.toUpper();
    if (limpio.isEmpty()) return QString();
    // A NIE counts its first letter as a digit: X 0, Y 1, Z 2.
    QString numero = limpio;
    const int nie = QStringLiteral("XYZ").indexOf(limpio[0]);
    if (nie >= 0) numero[0] = QChar(u'0' + nie);
    static const QRegularExpression dni(QStringLiteral("^[0-9]{1,8}[A-Z]?$"));
    if (!dni.match(numero).hasMatch()) {
        // A company's CIF (a letter, then digits) is not checked here.
        static const QRegularExpression cif(QStringLiteral("^[A-W][0-9]{7}[0-9A-J]$"));
        if (cif.match(limpio).hasMatch()) return QString();
        return QStringLiteral("\"%1\" no tiene la forma de un NIF").arg(nif.trimmed());
    }
    const QString correcto = NormalizarNIF(numero);
    const QChar letra = correcto.back();
    if (!numero.back().isLetter())
        return QStringLiteral("al NIF \"%1\" le falta la letra (%2)").arg(nif.trimmed(), letra);
    if (numero.back() != letra)
        return QStringLiteral("la letra del NIF \"%1\" no es correcta: le corresponde la %2")
            .arg(nif.trimmed(), letra);
    return QString();
}

QString ProblemaEMail(const QString& email) {
    const QString e = email.trimmed();
    if (e.isEmpty()) return QString();
    static const QRegularExpression forma(QStringLiteral("^[^@\\s]+@[^@\\s.]+(\\.[^@\\s.]+)+$"));
    if (forma.match(e).hasMatch()) return QString();
    if (e.count(u'@') != 1) return QStringLiteral("\"%1\" debe llevar una sola \"@\"").arg(e);
    return QStringLiteral(
               "\"%1\" no es una dirección de correo: falta el dominio tras la \"@\" "
               "(ejemplo: nombre@dominio.es)")
        .arg(e);
}

QStringList ProblemasRegistro(TDataSet& ds) {
    QStringList problemas;
    for (const TCampoComprobado& c : kCampos) {
        TField* campo = ds.FindField(QString::fromLatin1(c.campo));
        if (!campo || campo->IsNull() || campo->AsString().trimmed().isEmpty()) continue;
        const QString problema = Problema(c.tipo, campo->AsString());
        if (!problema.isEmpty())
            problemas << QString::fromUtf8(c.rotulo) + QStringLiteral(": ") + problema;
    }
    return problemas;
}

void RegisterAvisosGuardado() {
    static bool registrado = false;
    if (registrado) return;
    registrado = true;
    for (int fuente : {kAlumnos, kProfesores, kMatriculas, kCentros})
        AddDataRule(TDataEvent::BeforePost, fuente, AvisarAlGuardar);
}

}  // namespace zmk
