#include "core/versiones.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <memory>
#include <vector>

#include "core/splash.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/atomicfile.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "host/transactionguard.h"
#include "schema/schema.h"

namespace zmk {

namespace {

// A transfer stops here when the chain has not reached the source's format.
constexpr int kMaxEslabones = 21;

// The maker's programs whose version tables do not name their master: name and master stem.
struct TProgramaMaster {
    const char* nombre;
    const char* raiz;
};
constexpr TProgramaMaster kProgramasMaster[] = {{"ZMK Escolia EXT", "ZMKEscoExtV"}};

QString SinExtension(const QString& name) {
    return QFileInfo(name).completeBaseName();
}

bool EmpiezaPor(const QString& text, const QString& prefix) {
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

// The first column of every row, read to the end so that no statement stays open.
QStringList ValoresDe(TDataBaseZMK& db, const QString& sql) {
    QStringList values;
    QSqlQuery q = db.Query(sql);
    while (q.next()) values << q.value(0).toString();
    return values;
}

QStringList TablasDe(TDataBaseZMK& db) {
    QStringList tables;
    for (const QString& t : db.Tables())
        if (!EmpiezaPor(t, QStringLiteral("sqlite_"))) tables << t;
    std::sort(tables.begin(), tables.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return tables;
}

// The file's table list without the version table, comma-separated.
QString ListaTablas(TDataBaseZMK& db) {
    QStringList tables = TablasDe(db);
    tables.removeIf(
        [](const QString& t) { return t.compare(kTablaVersionInfo, Qt::CaseInsensitive) == 0; });
    return tables.join(u',').toLower();
}

// Read only: a file is recognised before anything is written to it, so a refused one (another
// program's) stays byte for byte as it was.
std::unique_ptr<TDataBaseZMK> AbreConocido(const QString& file) {
    if (!QFileInfo::exists(file)) return TDataBaseZMK::OpenReadOnly(file);  // raises "not found"
    try {
        return TDataBaseZMK::OpenReadOnly(file);
    } catch (const EDatabaseError&) {
        // Not a database at all: a format this program does not know.
        throw EZMKError(SharedStringFmt(1436, {file}));
    }
}

// The version-1 test: a file without a version table whose tables are those of the v1 master.
bool EsVersion1(TDataBaseZMK& db, const QString& master) {
    auto m = TDataBaseZMK::OpenReadOnly(master);
    return ListaTablas(*m) == ListaTablas(db);
}

struct TFilaImportacion {
    QString archivo;  // next link of the chain
    QString prefijo;
};

// The row of program `nombre` in a master's TZMKImportVersions (the last one counts).
TFilaImportacion BuscaImportacion(const QString& file, const QString& nombre, int version) {
    auto db = TDataBaseZMK::OpenReadOnly(file);
    if (!db->TableExists(kTablaImportVersions)) throw EZMKError(SharedString(1438));
    QSqlQuery q = db->Query(QStringLiteral(
        "SELECT NombreAplicacion, NumeroVersion, NombreArchivo, PrefijoConsultas FROM "
        "TZMKImportVersions"));
    bool found = false;
    int rowVersion = 0;
    TFilaImportacion fila;
    while (q.next()) {
        if (q.value(0).toString().compare(nombre, Qt::CaseInsensitive) != 0) continue;
        found = true;
        rowVersion = q.value(1).toInt();
        fila = {q.value(2).toString().trimmed(), q.value(3).toString().trimmed()};
    }
    if (!found || fila.archivo.isEmpty())
        throw EZMKError(SharedStringFmt(1440, {file, nombre, version}));
    if (rowVersion < version) throw EZMKError(SharedStringFmt(1422, {nombre, version, rowVersion}));
    return fila;
}

// Runs the file's import queries of prefix with the next older file attached as "Origen".
int EjecutaConsultasImportacion(const QString& file, const QString& prefix, const QString& older) {
    TSplashLevel level(SharedString(1405), QStringLiteral("Preparando..."));
    QString paso = SharedString(1406);
    try {
        auto db = TDataBaseZMK::Open(file);
        paso = SharedString(1407);
        std::vector<std::pair<QString, QString>> queries;
        if (db->TableExists(kTablaImportQueries)) {
            QSqlQuery q =
                db->Query(QStringLiteral("SELECT NombreConsulta, TextoSQL FROM TZMKImportQueries"));
            while (q.next()) queries.emplace_back(q.value(0).toString(), q.value(1).toString());
        }
        paso = SharedStringFmt(1408, {int(queries.size())});
        std::sort(queries.begin(), queries.end(), [](const auto& a, const auto& b) {
            return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
        });
        // The older file takes the place of the Jet queries' "current directory".
        paso = SharedString(1409);
        db->ExecuteSQL(QStringLiteral("ATTACH DATABASE ") + ValorSQL(*db, older) +
                       QStringLiteral(" AS ") + kEsquemaOrigen);
        const QString marca = prefix + QStringLiteral("CIMP");
        const int count = int(queries.size());
        int run = 0;
        TTransactionGuard transaccion(*db);
        for (int i = 0; i < count; ++i) {
            Splash().SetPosition(QStringLiteral("Ejecutando consulta"), i, count);
            if (!EmpiezaPor(queries[i].first, marca)) continue;
            paso = SharedStringFmt(1412, {queries[i].first, i + 1, count});
            db->ExecuteSQL(queries[i].second);
            ++run;
        }
        transaccion.Commit();
        return run;
    } catch (EZMKError& e) {
        e.SetMessage(SharedString(1415) + QStringLiteral("\nDataBase: \"") + file +
                     QStringLiteral("\"\nERROR: ") + paso + QStringLiteral("\n\n") + e.Message());
        throw;
    }
}

// The copies a transfer makes in the work directory, removed whatever happens.
class TCopiasTemporales {
  public:
    ~TCopiasTemporales() {
        for (const QString& f : files_) BorraArchivoBD(f);
    }
    void Recuerda(const QString& file) { files_ << file; }
    bool Contiene(const QString& file) const { return files_.contains(file, Qt::CaseInsensitive); }

  private:
    QStringList files_;
};

struct TPaso {
    QString archivo;
    QString prefijo;
};

}  // namespace

TAjustesBD& AjustesBD() {
    static TAjustesBD settings = [] {
        TAjustesBD s;
        s.nombreAplicacionBD = schema::kNombreAplicacionBD;
        s.versionBD = schema::kVersionBaseDatos;
        s.nombreGenericoMaster = QStringLiteral("ZMKEscoExtV");
        s.mascaraNuevaBD = QStringLiteral("ZMKEscoliaExtV");
        return s;
    }();
    return settings;
}

QString MasterDatabaseFileName(int version) {
    const TAjustesBD& s = AjustesBD();
    if (s.nombreMaster) return s.nombreMaster(version);
    if (s.directorioVacias.isEmpty() || s.nombreGenericoMaster.isEmpty())
        throw EZMKError(QStringLiteral(
            "NO PUEDE REALIZAR ESTA OPERACIÓN\n\nEl directorio de bases de datos vacías o el "
            "nombre de archivo genérico no está definido"));
    return s.directorioVacias + u'/' + s.nombreGenericoMaster + QString::number(version) +
           QStringLiteral(".MMDB");
}

QString NewDatabaseFileName() {
    const TAjustesBD& s = AjustesBD();
    if (s.mascaraNuevaBD.isEmpty())
        throw EZMKError(QStringLiteral(
            "No está definida la variable \"NewDataBaseMaskFileName\"\n(máscara para un nuevo "
            "nombre al archivo de la base de datos)"));
    if (s.directorioDatos.isEmpty())
        throw EZMKError(QStringLiteral(
            "No está definida la variable \"DefaultDataDir\"\n(directorio de bases de datos)"));
    for (int n = 1;; ++n) {
        QString name = s.directorioDatos + u'/' + s.mascaraNuevaBD + QString::number(s.versionBD) +
                       u'E' + QString::number(n) + QStringLiteral(".MDB");
        if (!QFileInfo::exists(name)) return name;
    }
}

TVersionInfo LeeVersion(const QString& file, bool interactive) {
    TVersionInfo info;
    auto db = AbreConocido(file);
    if (db->TableExists(kTablaVersionInfo)) {
        QSqlQuery q = db->Query(QStringLiteral("SELECT * FROM TZMKVersionInfo"));
        if (q.next()) {
            QSqlRecord rec = q.record();
            info.nombreAplicacion = q.value(QStringLiteral("NombreAplicacion")).toString();
            info.numeroVersion = q.value(QStringLiteral("NumeroVersion")).toInt();
            if (rec.indexOf(QStringLiteral("MasterFileName")) >= 0)
                info.masterFileName =
                    SinExtension(q.value(QStringLiteral("MasterFileName")).toString().trimmed());
        }
    } else if (!AjustesBD().directorioVacias.isEmpty() || AjustesBD().nombreMaster) {
        const QString master1 = MasterDatabaseFileName(1);
        if (QFileInfo::exists(master1)) {
            if (EsVersion1(*db, master1)) {
                info.nombreAplicacion = AjustesBD().nombreAplicacionBD;
                info.numeroVersion = 1;
            }
        } else if (!interactive) {
            throw EZMKError(SharedStringFmt(1436, {file}));
        } else {
            TQuestion question{ApplicationTitle(), SharedString(1433)};
            question.icon = TMsgIcon::Error;
            if (Prompt().Ask(question) != TMsgButton::Yes) throw EAbort();
            std::optional<QString> name =
                Prompt().InputBox(SharedString(1434), SharedString(1435), QString());
            if (!name) throw EAbort();
            info.nombreAplicacion = name->trimmed();
            info.numeroVersion = 1;
        }
    }
    if (info.masterFileName.isEmpty() && info.numeroVersion > 0) {
        for (const TProgramaMaster& p : kProgramasMaster)
            if (info.nombreAplicacion.compare(QString::fromUtf8(p.nombre), Qt::CaseInsensitive) ==
                0)
                info.masterFileName =
                    QString::fromUtf8(p.raiz) + QString::number(info.numeroVersion);
    }
    return info;
}

int CompruebaVersion(const QString& file, int expected, bool allowOlder, bool allowNewer) {
    TVersionInfo info = LeeVersion(file, false);
    const QString& own = AjustesBD().nombreAplicacionBD;
    if (info.nombreAplicacion.compare(own, Qt::CaseInsensitive) != 0)
        throw EZMKError(SharedStringFmt(1400, {file, info.nombreAplicacion, own}));
    if (info.numeroVersion > expected && !allowNewer)
        throw EZMKError(SharedStringFmt(1401, {file, info.numeroVersion, expected}));
    if (info.numeroVersion < expected && !allowOlder)
        throw EZMKError(SharedStringFmt(1402, {file, info.numeroVersion}));
    return info.numeroVersion;
}

int TraspasaDatos(const QString& source, const QString& dest) {
    const QString header = SharedStringFmt(1420, {source, dest}) + QStringLiteral("\n\n");
    TCopiasTemporales copias;
    int total = 0;
    try {
        const TAjustesBD& s = AjustesBD();
        if (s.directorioVacias.isEmpty() || !QFileInfo(s.directorioVacias).isDir())
            throw EZMKError(SharedStringFmt(1426, {s.directorioVacias}));
        const QString temp = s.directorioTemporal;
        if (temp.isEmpty() || !QDir().mkpath(temp)) throw EZMKError(SharedString(1427));

        TSplashLevel splash(QStringLiteral("Copiando archivos de traspaso"),
                            QStringLiteral("Copiando archivos..."));
        TVersionInfo origen = LeeVersion(source, true);
        const QString& nombre = origen.nombreAplicacion;
        const int version = origen.numeroVersion;
        if (origen.masterFileName.isEmpty()) throw EZMKError(SharedStringFmt(1439, {nombre}));

        const QString copiaOrigen = temp + u'/' + origen.masterFileName + QStringLiteral(".MDB");
        if (!CopiaArchivoBD(source, copiaOrigen, true))
            throw EZMKError(SharedStringFmt(1428, {source, temp}));
        copias.Recuerda(copiaOrigen);

        Splash().SetText(QStringLiteral("Copiando archivos al directorio temporal"), 10);
        const QString master = MasterDatabaseFileName(s.versionBD);
        if (!QFileInfo::exists(master)) throw EZMKError(SharedStringFmt(1429, {master}));
        QString nombreDestino = SinExtension(dest) + QStringLiteral(".MDB");
        // The destination copy must not take the name of the source's copy.
        while (copias.Contiene(temp + u'/' + nombreDestino)) nombreDestino.prepend(u'_');
        const QString copiaDestino = temp + u'/' + nombreDestino;
        if (!CopiaArchivoBD(master, copiaDestino, true))
            throw EZMKError(SharedStringFmt(1428, {master, temp}));
        copias.Recuerda(copiaDestino);

        std::vector<TPaso> pasos;
        pasos.push_back({copiaDestino, BuscaImportacion(copiaDestino, nombre, version).prefijo});
        bool completa = false;
        for (int eslabon = 1; eslabon <= kMaxEslabones; ++eslabon) {
            const QString siguiente =
                BuscaImportacion(pasos.back().archivo, nombre, version).archivo;
            if (SinExtension(siguiente).compare(origen.masterFileName, Qt::CaseInsensitive) == 0) {
                completa = true;
                break;
            }
            if (eslabon == kMaxEslabones) break;
            const QString intermedio =
                s.directorioVacias + u'/' + SinExtension(siguiente) + QStringLiteral(".MMDB");
            if (!QFileInfo::exists(intermedio))
                throw EZMKError(SharedStringFmt(1441, {intermedio}));
            const QString copia = temp + u'/' + SinExtension(siguiente) + QStringLiteral(".MDB");
            if (copias.Contiene(copia) || !CopiaArchivoBD(intermedio, copia, true))
                throw EZMKError(SharedStringFmt(1428, {intermedio, temp}));
            copias.Recuerda(copia);
            pasos.push_back({copia, BuscaImportacion(copia, nombre, version).prefijo});
        }
        // Running the steps recorded so far would leave the destination half filled.
        if (!completa) throw EZMKError(SharedString(1432));
        pasos.push_back({copiaOrigen, QString()});

        Splash().SetText(QStringLiteral("Ejecutando consultas de importación"), 50);
        for (int i = int(pasos.size()) - 2; i >= 0; --i)
            total += EjecutaConsultasImportacion(pasos[i].archivo, pasos[i].prefijo,
                                                 pasos[i + 1].archivo);

        Splash().SetText(QStringLiteral("Moviendo archivos"), 90);
        QDir().mkpath(QFileInfo(dest).absolutePath());
        if (!CopiaArchivoBD(copiaDestino, dest, false))
            throw EZMKError(SharedStringFmt(1430, {temp, nombreDestino, dest}));
    } catch (EZMKError& e) {
        e.SetMessage(header + e.Message());
        throw;
    }
    Informa(SharedStringFmt(1442, {total}));
    return total;
}

void LimpiaImportacion(const QString& file) {
    auto db = TDataBaseZMK::Open(file);
    QStringList prefixes{QStringLiteral("CIMP")};
    const bool hadVersions = db->TableExists(kTablaImportVersions);
    if (hadVersions) {
        for (QString p :
             ValoresDe(*db, QStringLiteral("SELECT PrefijoConsultas FROM TZMKImportVersions"))) {
            p = p.trimmed();
            if (!p.isEmpty() && !prefixes.contains(p, Qt::CaseInsensitive)) prefixes << p;
        }
    }
    auto matches = [&](const QString& name, const QString& prefix) {
        return EmpiezaPor(name, prefix) || EmpiezaPor(name, QStringLiteral("CIMP"));
    };
    const bool hasQueries = db->TableExists(kTablaImportQueries);
    for (const QString& prefix : prefixes) {
        if (hasQueries) {
            const QStringList names =
                ValoresDe(*db, QStringLiteral("SELECT NombreConsulta FROM TZMKImportQueries"));
            for (const QString& n : names)
                if (matches(n, prefix))
                    db->ExecuteSQL(QStringLiteral("DELETE FROM TZMKImportQueries WHERE "
                                                  "NombreConsulta = ") +
                                   ValorSQL(*db, n));
        }
        for (const QString& t : TablasDe(*db)) {
            // A prefix must never take the company's own tables with it.
            if (schema::FindTable(t) || t.compare(kTablaImportQueries, Qt::CaseInsensitive) == 0)
                continue;
            if (matches(t, prefix)) db->ExecuteSQL(QStringLiteral("DROP TABLE [") + t + u']');
        }
    }
    if (hadVersions) db->ExecuteSQL(QStringLiteral("DROP TABLE [TZMKImportVersions]"));
    if (hasQueries && ValoresDe(*db, QStringLiteral("SELECT NombreConsulta FROM "
                                                    "TZMKImportQueries"))
                          .isEmpty())
        db->ExecuteSQL(QStringLiteral("DROP TABLE [TZMKImportQueries]"));
}

bool CopiaArchivoBD(const QString& from, const QString& to, bool overwrite) {
    if (!QFileInfo(from).isFile()) return false;
    if (QFileInfo::exists(to) && !overwrite) return false;
    if (QFileInfo(from + QStringLiteral("-wal")).size() > 0) {
        // Recent changes still in the log go into the file first, or the copy would miss them.
        try {
            auto db = TDataBaseZMK::Open(from);
            db->Query(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        } catch (const EZMKError&) {
        }
    }
    // The copy replaces the target only once it is whole: a failed copy keeps the old file.
    try {
        WriteFileAtomically(to, [&](QIODevice& out) {
            QFile in(from);
            if (!in.open(QIODevice::ReadOnly)) throw EZMKError(in.errorString());
            while (!in.atEnd()) {
                const QByteArray block = in.read(1 << 20);
                if (block.isEmpty() && in.error() != QFileDevice::NoError)
                    throw EZMKError(in.errorString());
                if (block.isEmpty()) break;
                out.write(block);
            }
            if (in.error() != QFileDevice::NoError) throw EZMKError(in.errorString());
        });
    } catch (const EZMKError&) {
        return false;
    }
    // The old file's logs belong to the file that was replaced.
    for (const char* side : {"-wal", "-shm", "-journal"}) QFile::remove(to + QLatin1String(side));
    // A master shipped read-only must not give a read-only company file.
    QFile(to).setPermissions(QFile(to).permissions() | QFile::WriteOwner | QFile::ReadOwner);
    return true;
}

bool BorraArchivoBD(const QString& file) {
    for (const char* side : {"-wal", "-shm", "-journal"}) QFile::remove(file + QLatin1String(side));
    return !QFileInfo::exists(file) || QFile::remove(file);
}

}  // namespace zmk
