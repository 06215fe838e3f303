#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include "host/currency.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "schema/schema.h"
#include "tests/support/testdb.h"

namespace zmk::schema {
namespace {

struct ExpectedTable {
    const char* name;
    const char* caption;
    int dataSourceId;
    const char* key;
};

const ExpectedTable kExpected[] = {
    {"T01Alumnos", "Alumnos", 3, "IDAlumnoT01"},
    {"T02Matriculas", "Matrículas", 186, "IDMatriculaT02"},
    {"T03Cursos", "Cursos", 110, "IDCursoT03"},
    {"T04Profesores", "Profesores", 5, "IDProfesorT04"},
    {"T05Grupos", "Grupos", 14, "IDGrupoT05"},
    {"T07TarifasPrecios", "Tarifas de precios", 88, "IDTarifaPreciosT07"},
    {"T11Incidencias", "Incidencias", 193, "IDIncidenciaT11"},
    {"T12TipoIncidencias", "Tipos de incidencias", 0, "IDTipoIncidenciaT12"},
    {"T14ConceptosMatricula", "Conceptos de matrícula", 242, "IDConceptoMatriculaT14"},
    {"T15FacturasCab", "Cabecera de las facturas", 198, "IDFacturaCabT15"},
    {"T16FacturasCue", "Cuerpo de las facturas", 199, "IDFacturaCueT16"},
    {"T17FormasCobro", "Formas de cobro", 213, "IDFormaCobroT17"},
    {"T18Series", "Series de facturas", 0, "IDSerieT18"},
    {"T20Centros", "Centros", 251, "IDCentroT20"},
    {"T22TiposIva", "Tipos de IVA", 222, "IDTipoIvaT22"},
    {"T23FormatosBoletinesNotas", "Formato de los boletines de notas", 0,
     "IDFormatoBoletinNotasT23"},
    {"T24BoletinesNotas", "Boletines de notas", 296, "IDBoletinNotasT24"},
    {"T25NotasBoletin", "Notas de los boletines", 300, "IDNotasBoletinT25"},
    {"T26FaltasAsistencia", "Faltas de asistencia", 302, "IDFaltaAsistenciaT26"},
    {"T27LiquidacionesCab", "Cabecera de las liquidaciones", 348, "IDLiquidacionCabT27"},
    {"T28LiquidacionesCue", "Cuerpo de las liquidaciones", 349, "IDLiquidacionCueT28"},
    {"T99ParametrosAplicacion", "", 0, "IDParamAplicT99"},
    {"TZMKImportVersions", "", 0, ""},
    {"TZMKVersionInfo", "", 0, ""},
};

TEST(SchemaCatalog, TablesCaptionsDataSourcesAndKeys) {
    ASSERT_EQ(Tables().size(), std::size(kExpected));
    for (const ExpectedTable& e : kExpected) {
        SCOPED_TRACE(e.name);
        const Table* t = FindTable(QString::fromLatin1(e.name).toLower());
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->name, QString::fromLatin1(e.name));
        EXPECT_EQ(t->caption, QString::fromUtf8(e.caption));
        EXPECT_EQ(t->dataSourceId, e.dataSourceId);
        EXPECT_EQ(t->key, QString::fromLatin1(e.key));
        if (e.dataSourceId != 0) {
            EXPECT_EQ(FindTableByDataSource(e.dataSourceId), t);
        }
        if (t->key.isEmpty()) continue;
        // The key is the first column; only the parameter table's key is given by the program.
        EXPECT_EQ(t->columns.front().name, t->key);
        EXPECT_EQ(t->columns.front().type,
                  t->name == "T99ParametrosAplicacion" ? TFieldType::Integer : TFieldType::AutoInc);
    }
    EXPECT_EQ(FindTable("T06Nada"), nullptr);
    EXPECT_EQ(FindTableByDataSource(0), nullptr);
    EXPECT_EQ(FindTableByDataSource(4), nullptr);
}

TEST(SchemaCatalog, ColumnsCarryTheirTableSuffixAndAreUnique) {
    QSet<QString> seen;
    for (const Table& t : Tables()) {
        if (t.name.startsWith("TZMK")) continue;
        const QString suffix = t.name.left(3);
        for (const Column& c : t.columns) {
            EXPECT_TRUE(c.name.endsWith(suffix)) << c.name.toStdString();
            EXPECT_FALSE(seen.contains(c.name.toLower())) << c.name.toStdString();
            seen.insert(c.name.toLower());
        }
    }
}

TEST(SchemaCatalog, ResolverGivesLogicalTypesWithoutRegardToCase) {
    EXPECT_EQ(ResolveFieldType("ActivoT01"), TFieldType::Boolean);
    EXPECT_EQ(ResolveFieldType("ImporteTotalT15"), TFieldType::Currency);
    EXPECT_EQ(ResolveFieldType("FechaT15"), TFieldType::DateTime);
    EXPECT_EQ(ResolveFieldType("IDAlumnoT01"), TFieldType::AutoInc);
    EXPECT_EQ(ResolveFieldType("IDParamAplicT99"), TFieldType::Integer);
    EXPECT_EQ(ResolveFieldType("NifTitularCuentaT02"), TFieldType::String);
    EXPECT_EQ(ResolveFieldType("comentariost01"), TFieldType::Memo);
    EXPECT_EQ(ResolveFieldType("ValorOLET99"), TFieldType::Blob);
    EXPECT_EQ(ResolveFieldType("MAXIM"), TFieldType::Unknown);
    EXPECT_EQ(ColumnType("LunesMHIT05"), TFieldType::DateTime);
    EXPECT_EQ(ColumnType("CobrarSeptiembreT14"), TFieldType::Boolean);
}

TEST(SchemaCatalog, TextLimits) {
    auto size = [](const char* table, const char* column) {
        for (const Column& c : FindTable(table)->columns)
            if (c.name == column) return c.size;
        return -1;
    };
    EXPECT_EQ(size("T03Cursos", "DescripcionT03"), 50);
    EXPECT_EQ(size("T05Grupos", "NombreT05"), 50);
    EXPECT_EQ(size("T14ConceptosMatricula", "ConceptoT14"), 80);
    EXPECT_EQ(size("T15FacturasCab", "ConceptoSEPAT15"), 140);
    EXPECT_EQ(size("T15FacturasCab", "Linea01T15"), 80);
    EXPECT_EQ(size("T15FacturasCab", "Linea08T15"), 80);
    EXPECT_EQ(size("T23FormatosBoletinesNotas", "ValoresConc8T23"), 255);
}

struct ColumnInfo {
    QString name;
    QString type;
};

std::vector<ColumnInfo> TableInfo(TDataBaseZMK& db, const QString& table) {
    std::vector<ColumnInfo> cols;
    QSqlQuery q = db.Query("PRAGMA table_info(" + table + ")");
    while (q.next()) cols.push_back({q.value(1).toString(), q.value(2).toString()});
    return cols;
}

QStringList Names(const std::vector<ColumnInfo>& cols) {
    QStringList names;
    for (const auto& c : cols) names << c.name;
    return names;
}

TEST(SchemaDatabase, EveryCatalogColumnExistsInOrderWithItsStorageType) {
    test::TestDatabase t;
    for (const Table& table : Tables()) {
        SCOPED_TRACE(table.name.toStdString());
        auto cols = TableInfo(t.db(), table.name);
        ASSERT_EQ(cols.size(), table.columns.size());
        for (size_t i = 0; i < cols.size(); ++i) {
            EXPECT_EQ(cols[i].name, table.columns[i].name);
            const char* expected = "";
            switch (table.columns[i].type) {
                case TFieldType::AutoInc:
                case TFieldType::Integer:
                case TFieldType::Boolean:
                    expected = "INTEGER";
                    break;
                case TFieldType::Currency:
                case TFieldType::DateTime:
                case TFieldType::Float:
                    expected = "REAL";
                    break;
                case TFieldType::String:
                case TFieldType::Memo:
                    expected = "TEXT";
                    break;
                case TFieldType::Blob:
                    expected = "BLOB";
                    break;
                case TFieldType::Unknown:
                    break;
            }
            EXPECT_EQ(cols[i].type, QString::fromLatin1(expected)) << cols[i].name.toStdString();
        }
    }
}

// Column lists written out as the data model gives them, checked against the created file.
TEST(SchemaDatabase, ColumnOrderOfCopiedTables) {
    test::TestDatabase t;
    EXPECT_EQ(Names(TableInfo(t.db(), "T02Matriculas")),
              QStringList({"IDMatriculaT02", "IDGrupoT02", "IDCentroT02", "IDAlumnoT02",
                           "NMatriculaT02", "DatosCobroEnMatriculaT02", "IDFormaCobroT02",
                           "CCCNombreTitularT02", "ActivaT02", "ComentariosT02", "FechaAltaT02",
                           "FechaBajaT02", "CursoEscolarT02", "IBANT02", "BICT02",
                           "NIFTitularCuentaT02", "ReferenciaMandatoT02", "FechaMandatoT02"}));
    EXPECT_EQ(Names(TableInfo(t.db(), "T03Cursos")),
              QStringList({"IDCursoT03", "ActivoT03", "CodigoT03", "ComentariosT03",
                           "DescripcionT03", "InicioCursoT03", "FinCursoT03", "IDCentroT03",
                           "TotalHorasT03", "ImporteColabT03"}));
    QStringList grupos = Names(TableInfo(t.db(), "T05Grupos"));
    ASSERT_EQ(grupos.size(), 34);
    EXPECT_EQ(grupos.mid(0, 10),
              QStringList({"IDGrupoT05", "IDCursoT05", "IDCentroT05", "IDProfesorT05", "CodigoT05",
                           "NombreT05", "ComentariosT05", "DiasHorasTxtT05", "LunesMHIT05",
                           "LunesMHFT05"}));
    EXPECT_EQ(grupos.mid(28), QStringList({"SabadoMHIT05", "SabadoMHFT05", "SabadoTHIT05",
                                           "SabadoTHFT05", "ActivoT05", "DescrHorarioT05"}));
    QStringList conceptos = Names(TableInfo(t.db(), "T14ConceptosMatricula"));
    ASSERT_EQ(conceptos.size(), 33);
    EXPECT_EQ(
        conceptos.mid(0, 16),
        QStringList({"IDConceptoMatriculaT14", "IDCentroT14", "IDPlantillaCobroT14", "IDAlumnoT14",
                     "IDTarifaPreciosT14", "FechaAltaT14", "ConceptoT14", "ImporteBaseT14",
                     "UnidadesT14", "TPCDtoT14", "BaseImponibleT14", "TPCIvaT14",
                     "ImporteIvaIncluidoT14", "ComentariosT14", "EsCuotaT14", "CobrarEneroT14"}));
    EXPECT_EQ(conceptos.mid(26),
              QStringList({"CobrarDiciembreT14", "ActivoT14", "NOrdenT14", "IDCursoT14",
                           "IDGrupoT14", "IDMatriculaT14", "IDConcMatrPadreT14"}));
    EXPECT_EQ(Names(TableInfo(t.db(), "TZMKVersionInfo")),
              QStringList({"NombreAplicacion", "NumeroVersion", "MasterFileName"}));
}

TEST(SchemaDatabase, EveryReferenceIsIndexedAndNoForeignKeys) {
    test::TestDatabase t;
    QSet<QString> indexed;
    QSqlQuery q = t.db().Query(
        "SELECT il.name FROM sqlite_master m, pragma_index_list(m.name) x, "
        "pragma_index_info(x.name) il WHERE m.type = 'table'");
    while (q.next()) indexed.insert(q.value(0).toString());
    for (const char* column :
         {"IDCentroT01", "IDAlumnoRelacionadoT01", "IDGrupoT02", "IDAlumnoT02", "IDCursoT05",
          "IDConcMatrPadreT14", "IDMatriculaT14", "IDFacturaCabT16", "IDLiquidacionCabT28",
          "IDMatriculaT26", "IDBoletinNotasT25", "IDTipoIncidenciaT11"})
        EXPECT_TRUE(indexed.contains(column)) << column;
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM sqlite_master m, pragma_foreign_key_list(m.name) "
                       "WHERE m.type = 'table'")
                  .toInt(),
              0);
}

TEST(SchemaDatabase, VersionRowAndEmptyImportTable) {
    test::TestDatabase t;
    QSqlQuery q =
        t.db().Query("SELECT NombreAplicacion, NumeroVersion, MasterFileName FROM TZMKVersionInfo");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "ZMK Escolia EXT");
    EXPECT_EQ(q.value(1).toInt(), 4);
    EXPECT_FALSE(q.value(2).toString().isEmpty());
    EXPECT_FALSE(q.next());
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM TZMKImportVersions").toInt(), 0);
}

TEST(SchemaDatabase, KeysOnlyGrowAndCopiesWithoutKeyGetFreshOnes) {
    test::TestDatabase t;
    auto& db = t.db();
    db.ExecuteSQL("INSERT INTO T03Cursos (CodigoT03, DescripcionT03) VALUES ('A', 'Inglés')");
    db.ExecuteSQL("INSERT INTO T03Cursos (CodigoT03, DescripcionT03) VALUES ('B', 'Francés')");
    int last = t.Scalar("SELECT MAX(IDCursoT03) FROM T03Cursos").toInt();
    db.ExecuteSQL("DELETE FROM T03Cursos WHERE IDCursoT03=" + QString::number(last));
    db.ExecuteSQL(
        "INSERT INTO T03Cursos (ActivoT03, CodigoT03, ComentariosT03, DescripcionT03, "
        "InicioCursoT03, FinCursoT03, IDCentroT03, TotalHorasT03, ImporteColabT03) "
        "SELECT ActivoT03, CodigoT03, ComentariosT03, 'X' || DescripcionT03, InicioCursoT03, "
        "FinCursoT03, IDCentroT03, TotalHorasT03, ImporteColabT03 FROM T03Cursos");
    EXPECT_GT(t.Scalar("SELECT MAX(IDCursoT03) FROM T03Cursos").toInt(), last);
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM T03Cursos").toInt(), 2);
}

TEST(SchemaDatabase, NullReferenceKeepsTheRowAndOuterJoinsReturnIt) {
    test::TestDatabase t;
    auto& db = t.db();
    db.ExecuteSQL("INSERT INTO T05Grupos (NombreT05) VALUES ('Mañanas')");
    db.ExecuteSQL(
        "INSERT INTO T02Matriculas (IDGrupoT02, NMatriculaT02) "
        "SELECT IDGrupoT05, '7' FROM T05Grupos");
    db.ExecuteSQL("UPDATE T02Matriculas SET IDGrupoT02=NULL");
    db.ExecuteSQL("DELETE FROM T05Grupos");
    QSqlQuery q = db.Query(
        "SELECT NMatriculaT02, NombreT05 FROM T02Matriculas LEFT JOIN T05Grupos "
        "ON IDGrupoT02=IDGrupoT05");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "7");
    EXPECT_TRUE(q.value(1).isNull());
}

TEST(SchemaDatabase, FlagsAreNeverNullAndTextComparesWithoutCase) {
    test::TestDatabase t;
    auto& db = t.db();
    // Active flags start TRUE; other flags FALSE; a Null stores the default.
    db.ExecuteSQL("INSERT INTO T20Centros (NombreCentroT20) VALUES ('Academia Norte')");
    db.ExecuteSQL("INSERT INTO T20Centros (NombreCentroT20, ActivoT20) VALUES ('Sur', FALSE)");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM T20Centros WHERE ActivoT20=TRUE").toInt(), 1);
    db.ExecuteSQL("UPDATE T20Centros SET ActivoT20=NULL WHERE NombreCentroT20='Sur'");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM T20Centros WHERE ActivoT20=TRUE").toInt(), 2);
    db.ExecuteSQL("INSERT INTO T15FacturasCab (CobradaT15) VALUES (NULL)");
    EXPECT_EQ(t.Scalar("SELECT CobradaT15 FROM T15FacturasCab").toInt(), 0);
    EXPECT_EQ(
        t.Scalar("SELECT COUNT(*) FROM T20Centros WHERE NombreCentroT20='ACADEMIA norte'").toInt(),
        1);
}

TEST(SchemaDatabase, NewRecordsOnScreensStartActiveWithoutCountingAsAChange) {
    test::TestDatabase t;
    for (const char* table : {"T01Alumnos", "T02Matriculas", "T03Cursos", "T04Profesores",
                              "T05Grupos", "T14ConceptosMatricula", "T18Series", "T20Centros"}) {
        auto ds = t.db().GetTDataSet(QString::fromLatin1(table));
        ds->Open();
        ds->Append();
        bool active = false;
        for (int i = 0; i < ds->FieldCount(); ++i)
            if (ds->Fields(i).FieldName().startsWith(QLatin1String("Activ")))
                active = ds->Fields(i).AsBoolean();
        EXPECT_TRUE(active) << table;
        EXPECT_FALSE(ds->Modified()) << table;
        ds->Cancel();
    }
    // An enrolment starts today and an incidence happens now.
    FijarAhora(QDateTime(QDate(2026, 12, 8), QTime(9, 30)));
    auto matriculas = t.db().GetTDataSet(QStringLiteral("T02Matriculas"));
    matriculas->Open();
    matriculas->Append();
    EXPECT_EQ(matriculas->FieldByName(QStringLiteral("FechaAltaT02")).AsDateTime(),
              QDateTime(QDate(2026, 12, 8), QTime(0, 0)));
    EXPECT_TRUE(matriculas->FieldByName(QStringLiteral("FechaBajaT02")).IsNull());
    matriculas->Cancel();
    auto incidencias = t.db().GetTDataSet(QStringLiteral("T11Incidencias"));
    incidencias->Open();
    incidencias->Append();
    EXPECT_EQ(incidencias->FieldByName(QStringLiteral("DiaHoraT11")).AsDateTime(),
              QDateTime(QDate(2026, 12, 8), QTime(9, 30)));
    incidencias->Cancel();
    FijarAhora(std::nullopt);

    auto facturas = t.db().GetTDataSet(QStringLiteral("T15FacturasCab"));
    facturas->Open();
    facturas->Append();
    EXPECT_TRUE(facturas->FieldByName(QStringLiteral("CobradaT15")).IsNull());
    facturas->Cancel();
}

TEST(SchemaDatabase, DataSetsReadLogicalTypesAndSetTheParameterKey) {
    test::TestDatabase t;
    auto& db = t.db();
    db.ExecuteSQL(
        "INSERT INTO T15FacturasCab (ImporteTotalT15, CobradaT15, FechaT15) "
        "VALUES (12.34, TRUE, 46266)");
    auto ds = db.GetTSQLDataSet("SELECT * FROM T15FacturasCab");
    ds->Open();
    EXPECT_EQ(ds->FieldByName("ImporteTotalT15").AsCurrency(), Currency::FromRaw(123400));
    EXPECT_TRUE(ds->FieldByName("CobradaT15").AsBoolean());
    EXPECT_EQ(ds->FieldByName("FechaT15").AsDateTime().date(), QDate(2026, 9, 1));

    auto params = db.GetTDataSet("T99ParametrosAplicacion");
    params->Open();
    params->Append();
    params->FieldByName("IDParamAplicT99").SetValue(7);
    params->FieldByName("NombreParametroT99").SetValue("Prueba");
    params->Post();
    EXPECT_EQ(t.Scalar("SELECT IDParamAplicT99 FROM T99ParametrosAplicacion").toInt(), 7);
}

TEST(CreateCompanyDatabase, RefusesAnExistingFile) {
    QTemporaryDir dir;
    QString path = dir.filePath("ya.db");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("datos");
    }
    try {
        CreateCompanyDatabase(path);
        FAIL() << "an existing file was overwritten";
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), "Ya existe el archivo:\n" + path);
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("datos"));
}

}  // namespace
}  // namespace zmk::schema
