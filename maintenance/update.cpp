#include "maintenance/update.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include "core/splash.h"
#include "host/atomicfile.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/prompt.h"

namespace zmk {

namespace {

const QString kFileDate = QStringLiteral("ZMKUpdateFileDate_");

QString Encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QString Shown(const QDateTime& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

bool IsTrue(const QString& text) {
    const QString t = text.trimmed().toLower();
    return t == QLatin1String("1") || t == QLatin1String("true") || t == QLatin1String("si") ||
           t == QLatin1String("yes") || t == QLatin1String("-1");
}

}  // namespace

QDateTime DecodeUpdateDateTime(const QString& text) {
    if (text.size() != 14) return QDateTime();
    for (QChar c : text)
        if (!c.isDigit()) return QDateTime();
    const int y = text.left(4).toInt(), m = text.mid(4, 2).toInt(), d = text.mid(6, 2).toInt();
    if (y == 0 || m == 0 || d == 0) return QDateTime();
    const QDate date(y, m, d);
    const QTime time(text.mid(8, 2).toInt(), text.mid(10, 2).toInt(), text.mid(12, 2).toInt());
    if (!date.isValid() || !time.isValid()) return QDateTime();
    return QDateTime(date, time);
}

void ReadUpdateSettings(QSettings& ini, TUpdateInstallation& installation) {
    installation.servicio = ini.value(QStringLiteral("ACTUALIZACIONES/Servicio")).toString();
    installation.actualizador =
        ini.value(QStringLiteral("ACTUALIZACIONES/Actualizador")).toString();
    installation.paginaCuenta =
        ini.value(QStringLiteral("ACTUALIZACIONES/PaginaCuenta")).toString();
}

TZMKUpdate::TZMKUpdate(TUpdateInstallation installation) : inst_(std::move(installation)) {
    conexion_.log = [this](const QString& line) { Log(line); };
}

void TZMKUpdate::Log(const QString& line) {
    log_ << line;
    if (!log_to_file_ || inst_.programDir.isEmpty()) return;
    const QDateTime now = Ahora();
    const QString dir = inst_.programDir + QStringLiteral("/ZMKUpdateDownload");
    QDir().mkpath(dir);
    const QString file =
        dir + QStringLiteral("/ZMKUpdateLog_") + now.toString(QStringLiteral("yyyyMM")) + ".txt";
    QFile existing(file);
    QByteArray content;
    if (existing.open(QIODevice::ReadOnly)) content = existing.readAll();
    existing.close();
    content += (now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + u'\t' + inst_.titulo + u'\t' +
                line + QStringLiteral("\r\n"))
                   .toUtf8();
    try {
        WriteFileAtomically(file, content);
    } catch (const EZMKError&) {
        // A log that cannot be written must not stop the check.
    }
}

QString TZMKUpdate::ApplicationBuild(QSettings& registry) const {
    // Linux programs carry no version resource: the running program knows its own build, and
    // the one it recorded at its last start stands for any other.
    const QString exe = registry.value(QStringLiteral("ExeFileName")).toString();
    if (!exe.isEmpty() && !inst_.exeBuild.isEmpty() && QFileInfo::exists(exe) &&
        QFileInfo(exe).canonicalFilePath() ==
            QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath())
        return inst_.exeBuild;
    return registry.value(QStringLiteral("ExeBuild")).toString();
}

QString TZMKUpdate::QueryString(const QString& queryType) {
    std::unique_ptr<QSettings> registry = inst_.registro ? inst_.registro() : nullptr;
    if (!registry || registry->allKeys().isEmpty()) {
        Log(QStringLiteral("No se encontró la clave de registro de ") + inst_.titulo);
        return QString();
    }
    if (registry->status() != QSettings::NoError)
        throw EZMKError(QStringLiteral("Error accediendo al registro del archivo\n") +
                        inst_.titulo + QStringLiteral("\n\n") + registry->fileName());
    const QDateTime zmkDate = registry->value(QStringLiteral("ZMKFileDate")).toDateTime();
    QString query =
        QStringLiteral("ZMKUPDATEBUILD=") + Encoded(inst_.exeBuild) +
        QStringLiteral("&QUERYTYPE=") + Encoded(queryType) + QStringLiteral("&BUILD=") +
        Encoded(ApplicationBuild(*registry)) + QStringLiteral("&ZMKFILEDATE=") +
        (zmkDate.isValid() ? zmkDate.toString(QStringLiteral("yyyyMMddHHmm")) : QString()) +
        QStringLiteral("&LANG=") + Encoded(registry->value(QStringLiteral("language")).toString());
    if (forced_) query += QStringLiteral("&ALLFILES=1");
    return query;
}

int CompareBuilds(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit()) ++ei;
            while (ej < b.size() && b[ej].isDigit()) ++ej;
            const QString na = a.mid(i, ei - i), nb = b.mid(j, ej - j);
            const QString ta =
                na.size() > 1 ? QString(na).remove(QRegularExpression("^0+(?=.)")) : na;
            const QString tb =
                nb.size() > 1 ? QString(nb).remove(QRegularExpression("^0+(?=.)")) : nb;
            if (ta.size() != tb.size()) return ta.size() < tb.size() ? -1 : 1;
            if (const int c = ta.compare(tb); c != 0) return c < 0 ? -1 : 1;
            i = ei, j = ej;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
        ++i, ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool TZMKUpdate::NeedsUpdate(const TUpdateFile& file, const QString& build) {
    QString line = QStringLiteral("Necesita actualizar(") + file.fileName + QStringLiteral(") -> ");
    bool needed = true;
    if (CompareBuilds(file.minBuild, build) > 0 ||
        (!file.maxBuild.isEmpty() && CompareBuilds(file.maxBuild, build) < 0)) {
        line += QStringLiteral(" NO - Build: ") + build + QStringLiteral(" sólo de ") +
                file.minBuild + QStringLiteral(" a ") + file.maxBuild;
        needed = false;
    } else if (file.idUpdateFile > 0) {
        std::unique_ptr<QSettings> registry = inst_.registro ? inst_.registro() : nullptr;
        const QString key = kFileDate + QString::number(file.idUpdateFile);
        if (registry && registry->contains(key)) {
            const QDateTime stored = registry->value(key).toDateTime();
            if (!(file.dateTime > stored)) {
                line += QStringLiteral(" NO - Fecha INI:") + Shown(file.dateTime) +
                        QStringLiteral(" <= FechaRegistro:") + Shown(stored);
                needed = false;
            }
        }
    }
    if (needed) line += QStringLiteral(" SI");
    if (forced_) line += QStringLiteral(" SI (Modo forzar activado)");
    Log(line);
    return needed || forced_;
}

void TZMKUpdate::RequireService() const {
    if (inst_.servicio.trimmed().isEmpty())
        throw EZMKError(QStringLiteral(
            "El servicio de actualizaciones no está configurado en esta instalación\n(clave "
            "\"Servicio\" de la sección [ACTUALIZACIONES] del archivo INI)"));
}

int TZMKUpdate::Check(const QString& queryType) {
    needed_.clear();
    last_error_.clear();
    RequireService();
    TSplashLevel splash(QStringLiteral("Buscando actualizaciones para ") + inst_.titulo,
                        QStringLiteral("Conectando a internet"), true);
    Log(QStringLiteral("Obteniendo QueryString de ") + inst_.titulo);
    const QString query = QueryString(queryType);
    if (query.isEmpty())
        throw EZMKError(
            QStringLiteral("No se encontró información de la aplicación en el registro\n") +
            inst_.titulo);
    QString address = inst_.servicio.trimmed();
    if (!address.contains(u'?')) {
        while (address.endsWith(u'/')) address.chop(1);
        address += QStringLiteral("/zmkupdate.htm");
    }
    QString error;
    const TIniText answer = conexion_.Consulta(address, query, error);
    if (inst_.registro)
        inst_.registro()->setValue(QStringLiteral("ZMKUpdateLastTimeConnect"), Ahora());
    const QString info = answer.Value(QStringLiteral("HEADER"), QStringLiteral("INFO"));
    if (!error.trimmed().isEmpty()) {
        last_error_ = error;
        Log(error);
        return 0;
    }
    if (!IsTrue(answer.Value(QStringLiteral("HEADER"), QStringLiteral("ACTIVE")))) return 0;
    if (!info.trimmed().isEmpty()) Prompt().Show(TMsgKind::Information, inst_.titulo, info);
    if (!answer.HasSection(QStringLiteral("UPDATE"))) {
        Log(QStringLiteral("Falta sección UPDATE\r\n") + answer.Text());
        return 0;
    }
    std::unique_ptr<QSettings> registry = inst_.registro();
    const QString build = ApplicationBuild(*registry);
    const int files = answer.Value(QStringLiteral("UPDATE"), QStringLiteral("FILES")).toInt();
    for (int i = 1; i <= files; ++i) {
        const QString s = QStringLiteral("FILEINFO") + QString::number(i);
        if (!answer.HasSection(s)) continue;
        auto v = [&](const char* key) { return answer.Value(s, QString::fromLatin1(key)); };
        TUpdateFile f;
        f.idUpdateFile = v("IDUPDATEFILE").toInt();
        f.fileName = v("FILENAME");
        f.destFileName = v("DESTFILENAME");
        f.url = v("URL");
        f.action = v("ACTION");
        f.dateTimeText = v("DATETIME");
        f.dateTime = DecodeUpdateDateTime(f.dateTimeText);
        f.minBuild = v("MINBUILD");
        f.maxBuild = v("MAXBUILD");
        f.bytes = v("BYTES").toLongLong();
        f.descripcion = v("DESCRIPCION");
        if (NeedsUpdate(f, build)) needed_ << f;
    }
    return int(needed_.size());
}

void TZMKUpdate::ClearRegistryData() {
    Log(QStringLiteral("Limpiando datos del registro para ") + inst_.titulo);
    std::unique_ptr<QSettings> registry = inst_.registro ? inst_.registro() : nullptr;
    if (!registry) return;
    registry->remove(QStringLiteral("ExeBuild"));
    registry->remove(QStringLiteral("ZMKFileDate"));
    for (const QString& key : registry->childKeys())
        if (key.startsWith(kFileDate)) registry->remove(key);
    registry->sync();
    if (registry->status() != QSettings::NoError)
        throw EZMKError(QStringLiteral("Error accediendo a limpiar el registro del archivo\n") +
                        inst_.titulo + QStringLiteral("\n\n") + registry->fileName());
    forced_ = true;
}

}  // namespace zmk
