// Speed of deactivating a centre: the largest centre of a demo company with 5,000 students,
// with every course, group, enrolment and concept below it, in one transaction as the
// procedure runs it. The target is well under 5 seconds.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/transactionguard.h"
#include "maintenance/democompany.h"
#include "rules/cambioestado.h"
#include "schema/schema.h"

using namespace zmk;

namespace {

int Entero(TDataBaseZMK& db, const QString& sql) {
    QSqlQuery q = db.Query(sql);
    return q.next() ? q.value(0).toInt() : 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.db"));
    DemoOptions opciones;
    opciones.students = 5000;
    CrearEmpresaDemo(path, opciones);
    schema::InstallFieldTypeResolver();
    RegisterDefaultProgramStrings();
    ZMKApp().SetDefaultDB(TDataBaseZMK::Open(path));
    TDataBaseZMK& db = DefaultDB();

    const int centro =
        Entero(db, QStringLiteral("SELECT IDCentroT02 FROM T02Matriculas GROUP BY IDCentroT02 "
                                  "ORDER BY COUNT(*) DESC LIMIT 1"));
    const QString del_centro = QStringLiteral(" WHERE IDCentroT02=") + ValorSQL(centro);
    std::printf("Centro %d: %d matrículas activas, %d conceptos\n", centro,
                Entero(db, QStringLiteral("SELECT COUNT(*) FROM T02Matriculas") + del_centro +
                               QStringLiteral(" AND ActivaT02")),
                Entero(db, QStringLiteral("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE "
                                          "IDCentroT14=") +
                               ValorSQL(centro)));

    const auto inicio = std::chrono::steady_clock::now();
    {
        TTransactionGuard transaccion(db);
        CambiarActivoCentro(centro, false);
        transaccion.Commit();
    }
    const double segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();

    std::printf(
        "Desactivar el centro: %.3f s (objetivo: menos de 5 s); %d incidencias, %d "
        "matrículas activas\n",
        segundos, Entero(db, QStringLiteral("SELECT COUNT(*) FROM T11Incidencias")),
        Entero(db, QStringLiteral("SELECT COUNT(*) FROM T02Matriculas") + del_centro +
                       QStringLiteral(" AND ActivaT02")));
    ZMKApp().SetDefaultDB(nullptr);
    return segundos < 5.0 ? 0 : 1;
}
