#pragma once
// A teaching company with two centres for the record-state rule tests, with the rules (and
// billing's invoice rules) in place and screens' data sets attached to the library's hooks.
#include <gtest/gtest.h>

#include <memory>

#include "billing/reglasfacturas.h"
#include "core/centroactual.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/library.h"
#include "host/parametres.h"
#include "rules/reglasestado.h"
#include "tests/support/testdb.h"

namespace zmk::test {

class DatosEstado : public ::testing::Test {
  protected:
    DatosEstado() {
        RegisterDefaultProgramStrings();
        RegisterEstadoRules();
        RegisterReglasFacturas();
        REGISTER_LIBRARY(ZMKApp().Procedures());
        for (int centro : {1, 2})
            Exec(QStringLiteral("INSERT INTO T20Centros (IDCentroT20, CodigoCentroT20, "
                                "NombreCentroT20, ActivoT20) VALUES (%1, 'C%1', 'Centro %1', 1)")
                     .arg(centro));
        for (const char* iva : {"0", "10", "21"})
            Exec(QStringLiteral("INSERT INTO T22TiposIva (TPCIvaT22) VALUES (%1)").arg(iva));
        FijaCentroActual(1);
    }

    void Exec(const QString& sql) { tdb.db().ExecuteSQL(sql); }
    QVariant Scalar(const QString& sql) { return tdb.Scalar(sql); }
    int Ultimo(const QString& table, const QString& key) {
        return VarAEnter(UltimValor(tdb.db(), table, key));
    }
    Currency Importe(const QString& sql) {
        return VarToCurrency(tdb.Scalar(sql)).value_or(Currency::FromRaw(-1));
    }

    // A screen's data set over the table's rows matching the condition, with its events hooked.
    std::unique_ptr<TDataSet> Pantalla(const QString& table, int dataSourceId,
                                       const QString& where = QStringLiteral("1=1")) {
        auto ds = tdb.db().GetTSQLDataSet(
            QStringLiteral("SELECT * FROM %1 WHERE %2").arg(table, where), false);
        ZMKApp().AttachDataSet(*ds, dataSourceId);
        ds->Open();
        return ds;
    }

    int Curso(int centro = 1, bool activo = true) {
        Exec(QStringLiteral("INSERT INTO T03Cursos (IDCentroT03, DescripcionT03, ActivoT03) "
                            "VALUES (%1, 'Curso', %2)")
                 .arg(centro)
                 .arg(ValorSQL(activo)));
        return Ultimo(QStringLiteral("T03Cursos"), QStringLiteral("IDCursoT03"));
    }
    int Grupo(int curso, int centro = 1, bool activo = true) {
        Exec(QStringLiteral("INSERT INTO T05Grupos (IDCentroT05, IDCursoT05, NombreT05, "
                            "ActivoT05) VALUES (%1, %2, 'Grupo', %3)")
                 .arg(centro)
                 .arg(curso)
                 .arg(ValorSQL(activo)));
        return Ultimo(QStringLiteral("T05Grupos"), QStringLiteral("IDGrupoT05"));
    }
    int Alumno(int centro = 1, int codigo = 0, bool activo = true) {
        Exec(QStringLiteral("INSERT INTO T01Alumnos (IDCentroT01, CodigoT01, NombreT01, "
                            "ActivoT01) VALUES (%1, %2, 'Ana', %3)")
                 .arg(centro)
                 .arg(codigo > 0 ? QString::number(codigo) : QStringLiteral("NULL"))
                 .arg(ValorSQL(activo)));
        return Ultimo(QStringLiteral("T01Alumnos"), QStringLiteral("IDAlumnoT01"));
    }
    int Matricula(int grupo, int alumno, int centro = 1, bool activa = true) {
        Exec(QStringLiteral("INSERT INTO T02Matriculas (IDCentroT02, IDGrupoT02, IDAlumnoT02, "
                            "ActivaT02) VALUES (%1, %2, %3, %4)")
                 .arg(centro)
                 .arg(grupo)
                 .arg(alumno)
                 .arg(ValorSQL(activa)));
        return Ultimo(QStringLiteral("T02Matriculas"), QStringLiteral("IDMatriculaT02"));
    }
    // An invoice of centre 1: 1 pending, 2 collected, 3 returned.
    int Factura(int estado = 1, int numero = 5, const QString& serie = QStringLiteral("A")) {
        Exec(QStringLiteral("INSERT INTO T15FacturasCab (IDCentroT15, SerieT15, NumeroT15, "
                            "CobradaT15, DevueltaT15) VALUES (1, %1, %2, %3, %4)")
                 .arg(ValorSQL(serie))
                 .arg(numero)
                 .arg(ValorSQL(estado == 2))
                 .arg(ValorSQL(estado == 3)));
        return Ultimo(QStringLiteral("T15FacturasCab"), QStringLiteral("IDFacturaCabT15"));
    }

    TestDatabase tdb;
};

}  // namespace zmk::test
