// Generating one month's invoices for a demo company, timed against the floor of inserting the
// same header and line rows with prepared statements in one transaction.
// Usage: bench_facturar [STUDENTS] [MONTH] [YEAR]   (10000, 10 and 2025 by default)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

#include "billing/generarfacturas.h"
#include "core/centroactual.h"
#include "core/splash.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/preparedstatement.h"
#include "host/prompt.h"
#include "host/transactionguard.h"
#include "maintenance/democompany.h"
#include "schema/schema.h"
#include "subsystems/subsystems.h"

using namespace zmk;

namespace {

QList<int> Alumnos(TDataBaseZMK& db) {
    QList<int> ids;
    QSqlQuery q = db.Query(QStringLiteral("SELECT IDAlumnoT01 FROM T01Alumnos"));
    while (q.next()) ids << q.value(0).toInt();
    return ids;
}

// Every row of a table, as stored, with the column names.
struct Filas {
    QStringList columnas;
    std::vector<QVariantList> filas;
};
Filas Leer(TDataBaseZMK& db, const QString& tabla) {
    Filas f;
    QSqlQuery q = db.Query(QStringLiteral("SELECT * FROM ") + tabla);
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) f.columnas << rec.fieldName(i);
    while (q.next()) {
        QVariantList v;
        for (int i = 0; i < rec.count(); ++i) v << q.value(i);
        f.filas.push_back(v);
    }
    return f;
}

void Insertar(TDataBaseZMK& db, const QString& tabla, const Filas& f) {
    TPreparedStatement insertar = TPreparedStatement::Insert(db, tabla, f.columnas);
    for (const QVariantList& fila : f.filas) insertar.Run(fila);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    schema::InstallFieldTypeResolver();
    // The data rules are registered as in the program (generation itself writes with SQL).
    RegisterAllProcedureBodies();
    const int alumnos = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int mes = argc > 2 ? std::atoi(argv[2]) : 10;
    const int anyo = argc > 3 ? std::atoi(argv[3]) : 2025;
    try {
        QTemporaryDir dir;
        const QString base = dir.filePath(QStringLiteral("demo.db"));
        QElapsedTimer t;
        t.start();
        DemoSummary resumen = CrearEmpresaDemo(base, {alumnos, 1});
        std::printf("demo company: %d students, %d enrolments, %d concepts (%lld ms)\n",
                    resumen.alumnos, resumen.matriculas, resumen.conceptos,
                    static_cast<long long>(t.elapsed()));
        const QString copia = dir.filePath(QStringLiteral("copia.db"));
        QFile::copy(base, copia);

        ZMKApp().SetDefaultDB(TDataBaseZMK::Open(base));
        SetPromptService(std::make_unique<TScriptedPrompt>(QStringList{QStringLiteral("yes")}));
        FijaCentroActual(1);
        TDataBaseZMK& db = DefaultDB();
        TGeneracionFacturas g;
        g.mes = mes;
        g.anyo = anyo;
        g.fecha = QDate(anyo, mes, 1);
        g.idSerie = 1;
        g.textoSerie = QStringLiteral("A");
        g.alumnos = Alumnos(db);
        t.restart();
        const std::clock_t cpu = std::clock();
        const QList<int> facturas = GenerarFacturas(g);
        const qint64 generar = t.elapsed();
        const double cpuGenerar = double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC;
        const Filas cabeceras = Leer(db, QStringLiteral("T15FacturasCab"));
        const Filas lineas = Leer(db, QStringLiteral("T16FacturasCue"));
        std::printf("GenerarFacturas: %lld invoices, %zu lines in %lld ms (%.0f ms of CPU)\n",
                    static_cast<long long>(facturas.size()), lineas.filas.size(),
                    static_cast<long long>(generar), cpuGenerar);

        ZMKApp().SetDefaultDB(TDataBaseZMK::Open(copia));
        TDataBaseZMK& suelo = DefaultDB();
        t.restart();
        const std::clock_t cpuSuelo = std::clock();
        {
            TTransactionGuard transaccion(suelo);
            Insertar(suelo, QStringLiteral("T15FacturasCab"), cabeceras);
            Insertar(suelo, QStringLiteral("T16FacturasCue"), lineas);
            transaccion.Commit();
        }
        const qint64 insertar = t.elapsed();
        std::printf("prepared inserts of the same rows: %lld ms (%.0f ms of CPU)\n",
                    static_cast<long long>(insertar),
                    double(std::clock() - cpuSuelo) * 1000.0 / CLOCKS_PER_SEC);
        std::printf("ratio: %.1f\n", insertar > 0 ? double(generar) / double(insertar) : 0.0);
        ZMKApp().SetDefaultDB(nullptr);
    } catch (const EZMKError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
