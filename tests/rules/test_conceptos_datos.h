#pragma once
// A small teaching company for the concept and duplication tests: one centre with VAT rates,
// and helpers to add courses, groups, students, enrolments and concepts by SQL.
#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QSqlRecord>

#include "core/centroactual.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/currency.h"
#include "host/library.h"
#include "host/parametres.h"
#include "tests/support/testdb.h"

namespace zmk::test {

class DatosConceptos : public ::testing::Test {
  protected:
    DatosConceptos() {
        REGISTER_LIBRARY(ZMKApp().Procedures());
        Exec(
            "INSERT INTO T20Centros (IDCentroT20, CodigoCentroT20, NombreCentroT20, ActivoT20) "
            "VALUES (1, 'C1', 'Centro', 1)");
        Exec(
            "INSERT INTO T20Centros (IDCentroT20, CodigoCentroT20, NombreCentroT20, ActivoT20) "
            "VALUES (2, 'C2', 'Otro centro', 1)");
        for (const char* iva : {"0", "21"})
            Exec(QStringLiteral("INSERT INTO T22TiposIva (TPCIvaT22) VALUES (%1)").arg(iva));
        FijaCentroActual(1);
        Parametres().SetParametreValue(QStringLiteral("PRMDefaultIVA"), 21);
    }

    void Exec(const QString& sql) { tdb.db().ExecuteSQL(sql); }
    int Id(const QString& table, const QString& key) {
        return VarAEnter(UltimValor(tdb.db(), table, key));
    }
    int Count(const QString& sql) { return tdb.Scalar(sql).toInt(); }
    Currency Money(const QString& sql) {
        return VarToCurrency(tdb.Scalar(sql)).value_or(Currency::FromRaw(-1));
    }

    int Curso(const QString& descr = QStringLiteral("Inglés"), bool activo = true) {
        Exec(QStringLiteral("INSERT INTO T03Cursos (IDCentroT03, DescripcionT03, ActivoT03) "
                            "VALUES (1, %1, %2)")
                 .arg(ValorSQL(descr), ValorSQL(activo)));
        return Id("T03Cursos", "IDCursoT03");
    }
    int Grupo(int curso, const QString& nombre = QStringLiteral("Mañanas"), bool activo = true) {
        Exec(QStringLiteral("INSERT INTO T05Grupos (IDCentroT05, IDCursoT05, NombreT05, "
                            "ActivoT05) VALUES (1, %1, %2, %3)")
                 .arg(ValorSQL(curso), ValorSQL(nombre), ValorSQL(activo)));
        return Id("T05Grupos", "IDGrupoT05");
    }
    int Matricula(int grupo, bool activa = true) {
        Exec("INSERT INTO T01Alumnos (IDCentroT01, NombreT01, ActivoT01) VALUES (1, 'A', 1)");
        int alumno = Id("T01Alumnos", "IDAlumnoT01");
        Exec(QStringLiteral("INSERT INTO T02Matriculas (IDCentroT02, IDGrupoT02, IDAlumnoT02, "
                            "ActivaT02) VALUES (1, %1, %2, %3)")
                 .arg(ValorSQL(grupo), ValorSQL(alumno), ValorSQL(activa)));
        return Id("T02Matriculas", "IDMatriculaT02");
    }
    // A concept of the given owner column, priced 100 at 21 % (total 121) unless told.
    int Concepto(const QString& owner, int key, const QString& extra = QString()) {
        Exec(QStringLiteral(
                 "INSERT INTO T14ConceptosMatricula (IDCentroT14, %1, ConceptoT14, "
                 "ImporteBaseT14, UnidadesT14, TPCDtoT14, BaseImponibleT14, TPCIvaT14, "
                 "ImporteIvaIncluidoT14, ActivoT14, CobrarEneroT14) VALUES (1, %2, 'Cuota', "
                 "100, 1, 0, 100, 21, 121, 1, 1)")
                 .arg(owner, ValorSQL(key)));
        int id = Id("T14ConceptosMatricula", "IDConceptoMatriculaT14");
        if (!extra.isEmpty())
            Exec(QStringLiteral("UPDATE T14ConceptosMatricula SET %1 WHERE "
                                "IDConceptoMatriculaT14=%2")
                     .arg(extra, ValorSQL(id)));
        return id;
    }
    int Copia(int padre, int matricula) {
        return Count(QStringLiteral("SELECT IDConceptoMatriculaT14 FROM T14ConceptosMatricula "
                                    "WHERE IDConcMatrPadreT14=%1 AND IDMatriculaT14=%2")
                         .arg(padre)
                         .arg(matricula));
    }
    int Copias(int padre) {
        return Count(
            QStringLiteral("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE IDConcMatrPadreT14=%1")
                .arg(padre));
    }
    Currency Campo(int concepto, const char* campo) {
        return Money(QStringLiteral("SELECT %1 FROM T14ConceptosMatricula WHERE "
                                    "IDConceptoMatriculaT14=%2")
                         .arg(QLatin1String(campo))
                         .arg(concepto));
    }

    TestDatabase tdb;
};

inline Currency C(const char* text) {
    return *Currency::Parse(QString::fromLatin1(text));
}

}  // namespace zmk::test
