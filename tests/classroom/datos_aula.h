#pragma once
// A centre with one course, two groups and their enrolments, built by SQL, with the classroom
// rules registered, for the grade and absence tests.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "classroom/dsnotas.h"
#include "core/centroactual.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/datarules.h"
#include "host/datetime.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/querysql.h"
#include "tests/support/testdb.h"

namespace zmk::test {

class DatosAula : public ::testing::Test {
  protected:
    DatosAula() {
        RegisterDefaultProgramStrings();
        ClearDataRules();
        RegisterClassroomProcedures();
        REGISTER_LIBRARY(ZMKApp().Procedures());
        FijarAhora(QDateTime(QDate(2026, 10, 14), QTime(10, 30)));  // a Wednesday
        Exec(
            "INSERT INTO T20Centros (IDCentroT20, CodigoCentroT20, ActivoT20) VALUES (1, 'C1', 1)");
        FijaCentroActual(1);
        curso = Nuevo(
            "INSERT INTO T03Cursos (IDCentroT03, CodigoT03, DescripcionT03, ActivoT03) "
            "VALUES (1, 'ING', 'Inglés B1', 1)",
            "T03Cursos", "IDCursoT03");
        grupo = Nuevo(QStringLiteral("INSERT INTO T05Grupos (IDCentroT05, IDCursoT05, CodigoT05, "
                                     "NombreT05, ActivoT05) VALUES (1, %1, 'G1', 'Mañanas', 1)")
                          .arg(curso),
                      "T05Grupos", "IDGrupoT05");
        otroGrupo = Nuevo(QStringLiteral("INSERT INTO T05Grupos (IDCentroT05, IDCursoT05, "
                                         "CodigoT05, NombreT05, ActivoT05) VALUES (1, %1, 'G2', "
                                         "'Tardes', 1)")
                              .arg(curso),
                          "T05Grupos", "IDGrupoT05");
        ana = Matricula("Ana Gil", grupo, true);
        luis = Matricula("Luis Pons", grupo, true);
        baja = Matricula("Eva Roig", otroGrupo, false);
    }
    ~DatosAula() override { FijarAhora(std::nullopt); }

    void Exec(const QString& sql) { tdb.db().ExecuteSQL(sql); }
    int Nuevo(const QString& sql, const char* tabla, const char* clave) {
        Exec(sql);
        return VarAEnter(
            UltimValor(tdb.db(), QString::fromLatin1(tabla), QString::fromLatin1(clave)));
    }
    int Count(const QString& sql) { return tdb.Scalar(sql).toInt(); }
    int Matricula(const QString& nombre, int idGrupo, bool activa) {
        const int alumno = Nuevo(QStringLiteral("INSERT INTO T01Alumnos (IDCentroT01, "
                                                "NombreCompletoT01, ActivoT01) VALUES (1, %1, 1)")
                                     .arg(ValorSQL(nombre)),
                                 "T01Alumnos", "IDAlumnoT01");
        return Nuevo(QStringLiteral("INSERT INTO T02Matriculas (IDCentroT02, IDAlumnoT02, "
                                    "IDGrupoT02, ActivaT02) VALUES (1, %1, %2, %3)")
                         .arg(alumno)
                         .arg(idGrupo)
                         .arg(ValorSQL(activa)),
                     "T02Matriculas", "IDMatriculaT02");
    }
    // A screen's query over a table attached to the hooks, positioned on a record, published
    // as the calling screen's objects.
    std::unique_ptr<TQuerySQL> Pantalla(const QString& sql, int fuente, const char* clave = nullptr,
                                        int valor = 0) {
        auto ds = tdb.db().GetTSQLDataSet(sql, false);
        ZMKApp().AttachDataSet(*ds, fuente);
        ds->Open();
        if (clave) ds->Locate(QString::fromLatin1(clave), valor);
        auto q = std::make_unique<TQuerySQL>(std::move(ds));
        Parametres().SetParametreValue(QStringLiteral("PRMIP_TQUERYSQL"), q->Handle());
        Parametres().SetParametreValue(QStringLiteral("PRMIP_DATASET"), q->DataSet().Handle());
        return q;
    }
    void Ejecuta(const char* procedimiento) {
        ZMKApp().Procedures().ExecuteProcedure(QString::fromLatin1(procedimiento));
    }

    TestDatabase tdb;
    int curso = 0, grupo = 0, otroGrupo = 0;
    int ana = 0, luis = 0, baja = 0;
};

}  // namespace zmk::test
