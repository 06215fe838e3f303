// The application file against the company database: the fields that procedures and lookups
// read exist where they look for them, screens name their table's data source so that the
// rules fire, and the controls the rules find by name sit on the forms they serve.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QSqlRecord>
#include <functional>

#include "core/sqlhelpers.h"
#include "host/database.h"
#include "schema/schema.h"
#include "tests/support/testdb.h"

namespace zmk::schema {
namespace {

QJsonObject Screens() {
    QFile file(QStringLiteral(ESCOLIA_SOURCE_DIR "/resources/escolia.zmk"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QJsonDocument::fromJson(file.readAll()).object().value("screens").toObject();
}

// Every control of a form, panels included, depth first.
QList<QJsonObject> Controls(const QJsonArray& form) {
    QList<QJsonObject> all;
    std::function<void(const QJsonArray&)> walk = [&](const QJsonArray& controls) {
        for (const QJsonValue& v : controls) {
            all << v.toObject();
            walk(v.toObject().value("children").toArray());
        }
    };
    walk(form);
    return all;
}

QJsonObject Named(const QJsonObject& screen, const QString& name) {
    for (const QJsonObject& c : Controls(screen.value("form").toArray()))
        if (c.value("name").toString() == name) return c;
    return {};
}

QStringList QueryFields(TDataBaseZMK& db, QString sql) {
    sql.replace(":PRMIDCentroActual", ValorSQL(1)).replace(":MASTER", ValorSQL(1));
    QSqlRecord record = db.Query(sql).record();
    QStringList fields;
    for (int i = 0; i < record.count(); ++i) fields << record.fieldName(i);
    return fields;
}

TEST(AppFile, ProceduresAndLookupsFindTheFieldsTheyRead) {
    test::TestDatabase t;
    const QJsonObject screens = Screens();
    for (auto it = screens.begin(); it != screens.end(); ++it) {
        const std::string id = it.key().toStdString();
        const QJsonObject screen = it.value().toObject();
        QStringList fields;
        ASSERT_NO_THROW(fields = QueryFields(t.db(), screen.value("sql").toString())) << id;
        auto expectField = [&](const QString& f) {
            EXPECT_TRUE(fields.contains(f)) << id << " " << f.toStdString();
        };
        QList<QJsonObject> callers = Controls(screen.value("form").toArray());
        for (const QJsonValue& b : screen.value("buttons").toArray()) callers << b.toObject();
        for (const QJsonObject& c : callers) {
            const QString proc = c.value("procedure").toString();
            const QJsonObject p = c.value("params").toObject();
            if (proc == "BuscarCodigoBIC" || proc == "GeneraDatosMandato") {
                expectField(p.value("PRME01").toString());
                expectField(p.value("PRME02").toString());
            } else if (proc == "AUTOFACTURAR") {
                // The students, and by concept also the concepts, come from the grid's rows.
                expectField("IDAlumnoT01");
                if (p.value("PRME01").toInt() == 2) expectField("IDConceptoMatriculaT14");
            } else if (proc == "FUNCIONES_FACTURAS") {
                expectField("IDFacturaCabT15");
            } else if (proc.startsWith("FALTAS_")) {
                expectField("IDMatriculaT02");
            } else if (proc == "FormularioEnviarSMS") {
                expectField(p.value("PRME02").toString());
                EXPECT_NO_THROW(QueryFields(
                    t.db(), QStringLiteral("SELECT %1, %2, %3, %4 FROM %5")
                                .arg(p.value("PRME02").toString(), p.value("PRME03").toString(),
                                     p.value("PRME04").toString(), p.value("PRME05").toString(),
                                     p.value("PRME01").toString())))
                    << id;
            }
        }
        QList<QJsonObject> lookups = callers;
        for (const QJsonValue& c : screen.value("columns").toArray()) lookups << c.toObject();
        for (const QJsonObject& c : lookups) {
            const QStringList lk = c.value("lookup").toString().split(':');
            if (lk.size() != 3) continue;
            QString sql = QStringLiteral("SELECT %1, %2 FROM %3").arg(lk[1], lk[2], lk[0]);
            if (c.contains("filter")) sql += " WHERE " + c.value("filter").toString();
            EXPECT_EQ(QueryFields(t.db(), sql), QStringList({lk[1], lk[2]})) << id;
        }
    }
}

TEST(AppFile, EditableScreensNameTheirTablesDataSourceAndFilterByCentre) {
    const QJsonObject screens = Screens();
    for (auto it = screens.begin(); it != screens.end(); ++it) {
        const QJsonObject screen = it.value().toObject();
        if (screen.value("readOnly").toBool()) continue;
        const Table* table = FindTable(screen.value("table").toString());
        ASSERT_NE(table, nullptr) << it.key().toStdString();
        EXPECT_EQ(screen.value("dataSource").toInt(), table->dataSourceId)
            << it.key().toStdString();
        const QString sql = screen.value("sql").toString();
        const bool partitioned =
            std::any_of(table->columns.begin(), table->columns.end(), [&](const Column& c) {
                return c.name.startsWith("IDCentroT") && c.name != table->key;
            });
        if (partitioned && !sql.contains(":MASTER")) {
            EXPECT_TRUE(sql.contains(":PRMIDCentroActual")) << it.key().toStdString();
        }
    }
}

TEST(AppFile, ControlsTheRulesLookForAreOnTheirForms) {
    const QJsonObject screens = Screens();
    const std::map<int, QString> altaBaja = {
        {251, "CAMBIO_ACTIVO_CENTRO"}, {110, "CAMBIO_ACTIVO_CURSO"},
        {14, "CAMBIO_ACTIVA_CLASE"},   {186, "CAMBIO_ACTIVA_MATRICULA"},
        {3, "CAMBIO_ACTIVO_ALUMNO"},   {5, "CAMBIO_ACTIVO_PROFESOR"}};
    auto expectControl = [&](const QJsonObject& s, const QString& name, const char* key,
                             const QString& value) {
        EXPECT_EQ(Named(s, name).value(key).toString(), value) << name.toStdString();
    };
    for (auto it = screens.begin(); it != screens.end(); ++it) {
        const QJsonObject s = it.value().toObject();
        SCOPED_TRACE(it.key().toStdString());
        if (s.value("form").toArray().isEmpty()) continue;
        const int ds = s.value("dataSource").toInt();
        if (altaBaja.count(ds)) {
            expectControl(s, "ZMKsbAltaBaja", "procedure", altaBaja.at(ds));
            expectControl(s, "PControlsEntradaDades", "type", "panel");
        }
        if (ds == 242) {
            expectControl(s, "ZMKsbDuplicar", "type", "button");
            expectControl(s, "ZMKlblTipoConcepto", "type", "label");
            expectControl(s, "ZMKcbConceptoActivo", "field", "ActivoT14");
            expectControl(s, "ZMKdbeConcepto", "editor", "TEXTO_CONCEPTO");
        }
        if (ds == 199)
            expectControl(s, "ZMKsbQuitarEnlaceConcepto", "procedure",
                          "FACTURA_CUE_QUITA_MATRICULA");
        if (ds == 296)
            expectControl(s, "ZMKsbBloquearBoletin", "procedure", "CAMBIO_BLOQUEADO_BOLETIN");
        if (ds == 300) {
            for (int n = 1; n <= 8; ++n)
                EXPECT_EQ(
                    Named(s, QStringLiteral("ZMKdbcbValorConc%1").arg(n)).value("field").toString(),
                    QStringLiteral("ValorConc%1T25").arg(n));
        }
        // Every person's bank account offers the BIC search and the mandate data.
        for (const char* suffix : {"T01", "T02", "T04"}) {
            if (!Named(s, QStringLiteral("ZMKdbeIBAN") + suffix).isEmpty()) {
                expectControl(s, QStringLiteral("ZMKsbBuscarBIC%1").arg(suffix), "procedure",
                              "BuscarCodigoBIC");
                expectControl(s, QStringLiteral("ZMKsbMandato%1").arg(suffix), "procedure",
                              "GeneraDatosMandato");
            }
        }
    }
    const QJsonObject matriculas = screens.value("matriculas").toObject();
    expectControl(matriculas, "ZMKdbcbDatosCobroEnMatricula", "field", "DatosCobroEnMatriculaT02");
    expectControl(matriculas, "ZMKpnlDatosCobroMatricula", "type", "panel");
    expectControl(screens.value("alumnos").toObject(), "ZMKdbeCodigoAlumno", "field", "CodigoT01");
    expectControl(screens.value("profesores").toObject(), "ZMKdbeIBANT04", "field", "IBANT04");
    expectControl(screens.value("faltas").toObject(), "ZMKdtpFechaAsignacionFaltas", "type",
                  "date");
}

}  // namespace
}  // namespace zmk::schema
