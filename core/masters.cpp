#include "core/masters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <tuple>
#include <vector>

#include "core/sqlhelpers.h"
#include "core/versiones.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/transactionguard.h"
#include "schema/schema.h"

namespace zmk {

namespace {

// What the files of `version` lack or call differently compared with version + 1.
struct TCambioVersion {
    int version;
    QStringList tablasNuevas;                                 // tables new in version + 1
    std::vector<std::pair<QString, QString>> columnasNuevas;  // (table, column) new in version + 1
    std::vector<std::tuple<QString, QString, QString>> renombradas;  // table, new name, old name
};

const std::vector<TCambioVersion>& Cambios() {
    static const std::vector<TCambioVersion> cambios = {
        // Version 4 brought settlements and the SEPA mandate of students and teachers, and renamed
        // the students' remarks.
        {3,
         {QStringLiteral("T27LiquidacionesCab"), QStringLiteral("T28LiquidacionesCue")},
         {{QStringLiteral("T01Alumnos"), QStringLiteral("ReferenciaMandatoT01")},
          {QStringLiteral("T01Alumnos"), QStringLiteral("FechaMandatoT01")},
          {QStringLiteral("T04Profesores"), QStringLiteral("ReferenciaMandatoT04")},
          {QStringLiteral("T04Profesores"), QStringLiteral("FechaMandatoT04")}},
         {{QStringLiteral("T01Alumnos"), QStringLiteral("ComentariosT01"),
           QStringLiteral("ObservacionesT01")}}},
        // Version 3 brought attendance absences and the students' e-mail address.
        {2,
         {QStringLiteral("T26FaltasAsistencia")},
         {{QStringLiteral("T01Alumnos"), QStringLiteral("EMailT01")}},
         {}},
        // Version 2 brought the version table itself, the VAT rates and the centres' second
        // phone. Version-1 files are known by their list of tables.
        {1,
         {kTablaVersionInfo, QStringLiteral("T22TiposIva")},
         {{QStringLiteral("T20Centros"), QStringLiteral("Telf2T20")}},
         {}},
    };
    return cambios;
}

const TCambioVersion* CambioDe(int version) {
    for (const TCambioVersion& c : Cambios())
        if (c.version == version) return &c;
    return nullptr;
}

void CompruebaVersionMaster(int version) {
    if (version < kVersionMasterMinima || version > schema::kVersionBaseDatos)
        throw EZMKError(
            QStringLiteral("No existe la base de datos vacía de la versión %1").arg(version));
}

bool EsTablaDeSistema(const QString& table) {
    return table.compare(kTablaVersionInfo, Qt::CaseInsensitive) == 0 ||
           table.compare(kTablaImportVersions, Qt::CaseInsensitive) == 0 ||
           table.compare(kTablaImportQueries, Qt::CaseInsensitive) == 0;
}

QString NombreMaster(int version) {
    return AjustesBD().nombreGenericoMaster + QString::number(version);
}

}  // namespace

QMap<QString, QStringList> ColumnasVersion(int version) {
    CompruebaVersionMaster(version);
    QMap<QString, QStringList> tables;
    for (const schema::Table& t : schema::Tables()) {
        QStringList cols;
        for (const schema::Column& c : t.columns) cols << c.name;
        tables.insert(t.name, cols);
    }
    for (int v = schema::kVersionBaseDatos - 1; v >= version; --v) {
        const TCambioVersion* c = CambioDe(v);
        if (!c) continue;
        for (const QString& t : c->tablasNuevas) tables.remove(t);
        for (const auto& [t, col] : c->columnasNuevas) tables[t].removeAll(col);
        for (const auto& [t, nuevo, viejo] : c->renombradas) {
            QStringList& cols = tables[t];
            cols[cols.indexOf(nuevo)] = viejo;
        }
    }
    if (version == kVersionMasterMinima) tables.remove(kTablaImportVersions);
    return tables;
}

QString PrefijoImportacion(int version) {
    return QStringLiteral("EXT") + QString::number(version - 1);
}

QList<std::pair<QString, QString>> ConsultasImportacion(int version) {
    CompruebaVersionMaster(version);
    QList<std::pair<QString, QString>> queries;
    if (version == kVersionMasterMinima) return queries;
    const QMap<QString, QStringList> nuevas = ColumnasVersion(version);
    const QMap<QString, QStringList> viejas = ColumnasVersion(version - 1);
    const TCambioVersion* cambio = CambioDe(version - 1);
    int n = 0;
    for (auto it = nuevas.constBegin(); it != nuevas.constEnd(); ++it) {
        const QString& table = it.key();
        if (EsTablaDeSistema(table) || !viejas.contains(table)) continue;
        QStringList destino, origen;
        for (const QString& col : it.value()) {
            QString old = col;
            if (cambio)
                for (const auto& [t, nuevo, viejo] : cambio->renombradas)
                    if (t == table && nuevo == col) old = viejo;
            if (!viejas[table].contains(old)) continue;
            destino << col;
            origen << old;
        }
        QString name = PrefijoImportacion(version) + QStringLiteral("CIMP") +
                       QStringLiteral("%1_").arg(++n, 2, 10, QLatin1Char('0')) + table;
        queries.append({name, QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4.%1")
                                  .arg(table, destino.join(QStringLiteral(", ")),
                                       origen.join(QStringLiteral(", ")), kEsquemaOrigen)});
    }
    return queries;
}

void CreaMaster(int version, const QString& path) {
    CompruebaVersionMaster(version);
    const QString building = path + QStringLiteral(".new");
    BorraArchivoBD(building);
    {
        auto db = TDataBaseZMK::Create(building);
        TTransactionGuard transaccion(*db);
        schema::CreateSchema(*db);
        for (int v = schema::kVersionBaseDatos - 1; v >= version; --v) {
            const TCambioVersion* c = CambioDe(v);
            if (!c) continue;
            for (const QString& t : c->tablasNuevas)
                db->ExecuteSQL(QStringLiteral("DROP TABLE ") + t);
            for (const auto& [t, col] : c->columnasNuevas)
                db->ExecuteSQL(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(t, col));
            for (const auto& [t, nuevo, viejo] : c->renombradas)
                db->ExecuteSQL(
                    QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3").arg(t, nuevo, viejo));
        }
        if (db->TableExists(kTablaVersionInfo))
            db->ExecuteSQL(QStringLiteral("UPDATE TZMKVersionInfo SET NombreAplicacion = ") +
                           ValorSQL(*db, AjustesBD().nombreAplicacionBD) +
                           QStringLiteral(", NumeroVersion = ") + ValorSQL(*db, version) +
                           QStringLiteral(", MasterFileName = ") +
                           ValorSQL(*db, NombreMaster(version)));
        // The oldest format knew no import from earlier ones either.
        if (version == kVersionMasterMinima)
            db->ExecuteSQL(QStringLiteral("DROP TABLE ") + kTablaImportVersions);
        if (version > kVersionMasterMinima) {
            CreaRegistre(
                *db, kTablaImportVersions,
                {QStringLiteral("NombreAplicacion"), QStringLiteral("NumeroVersion"),
                 QStringLiteral("NombreArchivo"), QStringLiteral("PrefijoConsultas")},
                {AjustesBD().nombreAplicacionBD, version - 1,
                 NombreMaster(version - 1) + QStringLiteral(".MMDB"), PrefijoImportacion(version)});
            db->ExecuteSQL(QStringLiteral(
                "CREATE TABLE TZMKImportQueries (NombreConsulta TEXT PRIMARY KEY COLLATE NOCASE, "
                "TextoSQL TEXT)"));
            for (const auto& [name, sql] : ConsultasImportacion(version))
                CreaRegistre(*db, kTablaImportQueries,
                             {QStringLiteral("NombreConsulta"), QStringLiteral("TextoSQL")},
                             {name, sql});
        }
        transaccion.Commit();
    }
    BorraArchivoBD(path);
    if (!QFile::rename(building, path))
        throw EZMKError(QStringLiteral("No se puede crear la base de datos vacía:\n") + path);
}

bool MasterAlDia(int version, const QString& path) {
    if (!QFileInfo::exists(path)) return false;
    try {
        auto db = TDataBaseZMK::Open(path);
        // A version-1 file has no version table: its tables tell its version.
        if (version == kVersionMasterMinima) {
            if (db->TableExists(kTablaVersionInfo) || db->TableExists(kTablaImportVersions))
                return false;
        } else if (LeeVersion(path, false).numeroVersion != version) {
            return false;
        }
        const QMap<QString, QStringList> expected = ColumnasVersion(version);
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
            if (db->Columns(it.key()) != it.value()) return false;
        if (version == kVersionMasterMinima) return true;
        QList<std::pair<QString, QString>> stored;
        QSqlQuery q = db->Query(QStringLiteral(
            "SELECT NombreConsulta, TextoSQL FROM TZMKImportQueries ORDER BY NombreConsulta"));
        while (q.next()) stored.append({q.value(0).toString(), q.value(1).toString()});
        return stored == ConsultasImportacion(version);
    } catch (const EZMKError&) {
        return false;
    }
}

QStringList CreaMasters(const QString& directory) {
    if (!QDir().mkpath(directory))
        throw EZMKError(QStringLiteral("No se puede crear el directorio:\n") + directory);
    QStringList written;
    for (int v = kVersionMasterMinima; v <= schema::kVersionBaseDatos; ++v) {
        const QString path = directory + u'/' + NombreMaster(v) + QStringLiteral(".MMDB");
        if (MasterAlDia(v, path)) continue;
        CreaMaster(v, path);
        written << path;
    }
    return written;
}

QStringList AseguraMasters() {
    const QString& dir = AjustesBD().directorioVacias;
    if (dir.isEmpty()) return {};
    try {
        return CreaMasters(dir);
    } catch (const EZMKError&) {
        return {};
    }
}

}  // namespace zmk
