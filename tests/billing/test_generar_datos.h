#pragma once
// A small company built by hand for the billing tests: one centre with its series, a direct
// debit and a cash payment method, a course with a group, and helpers to add students,
// enrolments and charge concepts.
#include <QSqlQuery>
#include <cmath>

#include "billing/textoconcepto.h"
#include "core/centroactual.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/prompt.h"
#include "subsystems/subsystems.h"
#include "tests/support/testdb.h"

namespace zmk::test {

class EmpresaFacturacion {
  public:
    explicit EmpresaFacturacion(TestDatabase& t) : t_(t) {
        RegisterAllProcedureBodies();
        RegisterDefaultProgramStrings();
        SetApplicationTitle(QStringLiteral("Escolia"));
        Exec(
            "INSERT INTO T20Centros (IDCentroT20,CodigoCentroT20,NombreCentroT20,ActivoT20) "
            "VALUES (1,'C1','Centro Uno',1)");
        Exec(
            "INSERT INTO T18Series (IDSerieT18,SerieT18,NSiguienteFacturaT18,ActivaT18) VALUES "
            "(1,'A',7,1)");
        Exec(
            "INSERT INTO T17FormasCobro (IDFormaCobroT17,CodFormaCobroT17,DescFormaCobroT17,"
            "UsaNorma19T17) VALUES (1,'DOM','Domiciliación',1)");
        Exec(
            "INSERT INTO T17FormasCobro (IDFormaCobroT17,CodFormaCobroT17,DescFormaCobroT17,"
            "UsaNorma19T17) VALUES (2,'EFE','Efectivo',0)");
        Exec(
            "INSERT INTO T03Cursos (IDCursoT03,ActivoT03,CodigoT03,DescripcionT03,IDCentroT03,"
            "ImporteColabT03) VALUES (1,1,'ING','Inglés',1,12.125)");
        Exec(
            "INSERT INTO T05Grupos (IDGrupoT05,IDCursoT05,IDCentroT05,CodigoT05,NombreT05,"
            "ActivoT05) VALUES (1,1,1,'G1','Grupo mañana',1)");
        Exec(
            "INSERT INTO T07TarifasPrecios (IDTarifaPreciosT07,IDCentroT07,CodigoTarifaT07) VALUES "
            "(1,1,'TAR1')");
        FijaCentroActual(1);
    }

    // Whether some question or message shown so far contains the text.
    bool Mostrado(const QString& texto) const {
        for (const QString& l : t_.prompt().Log())
            if (l.contains(texto)) return true;
        return false;
    }
    void Exec(const QString& sql) { t_.db().ExecuteSQL(sql); }
    void Exec(const char* sql) { Exec(QString::fromUtf8(sql)); }
    QVariant Scalar(const QString& sql) { return t_.Scalar(sql); }
    int Int(const QString& sql) { return t_.Scalar(sql).toInt(); }

    // A student paying in cash unless an IBAN is given (then by direct debit).
    int Alumno(const QString& nombre, const QString& iban = QString(), QVariant relacionado = {}) {
        const int id = ++alumnos_;
        CreaRegistre(t_.db(), QStringLiteral("T01Alumnos"),
                     {QStringLiteral("IDAlumnoT01"), QStringLiteral("IDCentroT01"),
                      QStringLiteral("CodigoT01"), QStringLiteral("NombreCompletoT01"),
                      QStringLiteral("NIFT01"), QStringLiteral("IDFormaCobroT01"),
                      QStringLiteral("IBANT01"), QStringLiteral("CCCNombreTitularT01"),
                      QStringLiteral("IDAlumnoRelacionadoT01"), QStringLiteral("ActivoT01")},
                     {id, 1, 100 + id, nombre, QStringLiteral("NIF%1").arg(id),
                      iban.isNull() ? 2 : 1, iban.isNull() ? QVariant() : QVariant(iban),
                      iban.isNull() ? QVariant() : QVariant(nombre), relacionado, true});
        return id;
    }
    int Matricula(int alumno, bool datosCobro = false, const QString& iban = QString()) {
        const int id = ++matriculas_;
        CreaRegistre(
            t_.db(), QStringLiteral("T02Matriculas"),
            {QStringLiteral("IDMatriculaT02"), QStringLiteral("IDGrupoT02"),
             QStringLiteral("IDCentroT02"), QStringLiteral("IDAlumnoT02"),
             QStringLiteral("NMatriculaT02"), QStringLiteral("DatosCobroEnMatriculaT02"),
             QStringLiteral("IDFormaCobroT02"), QStringLiteral("IBANT02"),
             QStringLiteral("CCCNombreTitularT02"), QStringLiteral("ActivaT02")},
            {id, 1, 1, alumno, QStringLiteral("M%1").arg(id), datosCobro,
             datosCobro ? QVariant(2) : QVariant(), iban.isNull() ? QVariant() : QVariant(iban),
             iban.isNull() ? QVariant() : QVariant(QStringLiteral("Titular")), true});
        return id;
    }
    // A concept due in the given month (0: no month), priced base x units with VAT.
    int Concepto(int matricula, const QString& texto, double base, bool cuota = true, int mes = 10,
                 double iva = 21, double unidades = 1) {
        const int id = ++conceptos_;
        const double baseImponible = base * unidades;
        const double total = std::round(baseImponible * (100 + iva)) / 100;
        QStringList campos{QStringLiteral("IDConceptoMatriculaT14"),
                           QStringLiteral("IDMatriculaT14"),
                           QStringLiteral("IDTarifaPreciosT14"),
                           QStringLiteral("ConceptoT14"),
                           QStringLiteral("ImporteBaseT14"),
                           QStringLiteral("UnidadesT14"),
                           QStringLiteral("TPCDtoT14"),
                           QStringLiteral("BaseImponibleT14"),
                           QStringLiteral("TPCIvaT14"),
                           QStringLiteral("ImporteIvaIncluidoT14"),
                           QStringLiteral("EsCuotaT14"),
                           QStringLiteral("ActivoT14")};
        QVariantList valores{id, matricula,     1,   texto, base,  unidades,
                             0,  baseImponible, iva, total, cuota, true};
        if (mes > 0) {
            campos << CampoMes(mes);
            valores << true;
        }
        CreaRegistre(t_.db(), QStringLiteral("T14ConceptosMatricula"), campos, valores);
        return id;
    }
    static QString CampoMes(int mes);

  private:
    TestDatabase& t_;
    int alumnos_ = 0, matriculas_ = 0, conceptos_ = 0;
};

inline QString EmpresaFacturacion::CampoMes(int mes) {
    return CampoMesCobroT14(mes);
}

}  // namespace zmk::test
