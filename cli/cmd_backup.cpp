#include "cli/cmd_backup.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <memory>

#include "cli/commands.h"
#include "core/empresas.h"
#include "core/strings.h"
#include "core/versiones.h"
#include "host/prompt.h"
#include "maintenance/backup_create.h"
#include "maintenance/backup_restore.h"
#include "maintenance/torvan_zip_lister.h"

namespace zmk::cli {

namespace {

QString TakeOption(QStringList& args, const QString& name, const QString& def = QString()) {
    const qsizetype i = args.indexOf(name);
    if (i < 0) return def;
    if (i + 1 >= args.size()) throw UsageError{name + QStringLiteral(" necesita un valor")};
    QString value = args[i + 1];
    args.remove(i, 2);
    return value;
}

bool TakeFlag(QStringList& args, const QString& name) {
    return args.removeAll(name) > 0;
}

// The installation of an INI file: the program directory is the INI's, the resource file has
// its name, the data directory is its DATADIR unless --datadir says otherwise.
struct Installation {
    std::unique_ptr<QSettings> ini;
    std::unique_ptr<TZMKDataBases> list;
    TBackupInstallation facts;
};

Installation OpenInstallation(QStringList& args, bool required) {
    Installation inst;
    const QString iniPath = TakeOption(args, QStringLiteral("--ini"));
    QString dataDir = TakeOption(args, QStringLiteral("--datadir"));
    if (iniPath.isEmpty() && required)
        throw UsageError{QStringLiteral("backup necesita --ini ARCHIVO (la instalación)")};
    // Without an installation (reading, or restoring to a path given) both groups stand for the
    // current directory; nothing is written there.
    const QFileInfo ini(iniPath.isEmpty() ? QDir::current().filePath(QStringLiteral("x.INI"))
                                          : iniPath);
    inst.facts.programDir = ini.absolutePath();
    if (dataDir.isEmpty())
        dataDir = iniPath.isEmpty() ? ini.absolutePath()
                                    : ini.absolutePath() + QStringLiteral("/DATADIR");
    inst.facts.dataDir = QFileInfo(dataDir).absoluteFilePath();
    inst.facts.resourceFile =
        ini.absolutePath() + u'/' + ini.completeBaseName() + QStringLiteral(".MDR");
    inst.facts.applicationText = AjustesBD().nombreAplicacionBD;
    inst.facts.applicationNumber = AjustesBD().versionBD;
    inst.facts.title = ApplicationTitle();
    if (!iniPath.isEmpty()) {
        if (!ini.isFile()) throw EZMKError(QStringLiteral("No existe el archivo ") + iniPath);
        inst.ini = std::make_unique<QSettings>(ini.absoluteFilePath(), QSettings::IniFormat);
        inst.list = std::make_unique<TZMKDataBases>(*inst.ini);
        inst.facts.databases = inst.list.get();
        AjustesBD().directorioDatos = inst.facts.dataDir;
        QDir().mkpath(inst.facts.dataDir);
    }
    return inst;
}

QList<int> ChosenDatabases(const Installation& inst, const QString& choice, const QString& db) {
    QList<int> chosen;
    TZMKDataBases& list = *inst.list;
    const int current = db.isEmpty() ? -1 : list.IndexOfFile(QFileInfo(db).absoluteFilePath());
    if (!db.isEmpty() && current < 0)
        throw EZMKError(QStringLiteral("La base de datos ") + db +
                        QStringLiteral(" no está en la lista de la instalación"));
    if (choice == QLatin1String("current") || (choice.isEmpty() && current >= 0)) {
        if (current < 0) throw UsageError{QStringLiteral("--databases current necesita --db")};
        return {current};
    }
    if (choice.isEmpty() || choice == QLatin1String("all")) {
        for (int i = 0; i < list.Count(); ++i) chosen << i;
        return chosen;
    }
    for (const QString& name : choice.split(u',', Qt::SkipEmptyParts)) {
        int found = -1;
        for (int i = 0; i < list.Count() && found < 0; ++i)
            if (list.Entry(i).nombre.compare(name.trimmed(), Qt::CaseInsensitive) == 0 ||
                list.SectionName(i).compare(name.trimmed(), Qt::CaseInsensitive) == 0)
                found = i;
        if (found < 0) throw EZMKError(QStringLiteral("No hay ninguna empresa llamada ") + name);
        chosen << found;
    }
    return chosen;
}

QString FileSize(qint64 bytes) {
    return bytes < 1024 ? QString::number(bytes) + QStringLiteral(" B")
                        : QString::number(bytes / 1024) + QStringLiteral(" KB");
}

QString DosTimeText(qint32 packed) {
    const quint32 u = quint32(packed);
    const QDate date(int(u >> 25) + 1980, int(u >> 21 & 0x0F), int(u >> 16 & 0x1F));
    const QTime time(int(u >> 11 & 0x1F), int(u >> 5 & 0x3F), int(u & 0x1F) * 2);
    return QDateTime(date, time).toString(QStringLiteral("dd-MM-yyyy hh:mm:ss"));
}

int RunCreate(CliContext& ctx, QStringList args) {
    Installation inst = OpenInstallation(args, true);
    TBackupRequest request;
    request.description = TakeOption(args, QStringLiteral("--description"),
                                     DefaultBackupDescription(inst.facts.title));
    const QString databases = TakeOption(args, QStringLiteral("--databases"));
    request.includeResources = !TakeFlag(args, QStringLiteral("--no-resources"));
    const QString maxVolume = TakeOption(args, QStringLiteral("--max-volume"), QStringLiteral("0"));
    bool ok = false;
    request.maxVolumeSize = maxVolume.toLongLong(&ok);
    if (!ok || request.maxVolumeSize < 0)
        throw UsageError{QStringLiteral("--max-volume necesita un número de bytes")};
    if (args.size() != 1) throw UsageError{QStringLiteral("backup create necesita ARCHIVO")};
    request.databases = ChosenDatabases(inst, databases, ctx.dbPath);
    const TBackupResult result =
        RealizarCopia(inst.facts, request, QFileInfo(args[0]).absoluteFilePath());
    for (const QString& file : result.files) *ctx.out << file << '\n';
    if (!result.complete) {
        *ctx.err << "La copia no se ha completado: escritas " << result.volumes << " partes\n";
        return kExitAborted;
    }
    Informa(SharedStringFmt(1803, {inst.facts.title, args[0]}));
    *ctx.out << "Partes: " << result.volumes << '\n';
    return kExitOk;
}

int RunList(CliContext& ctx, QStringList args) {
    Installation inst = OpenInstallation(args, false);
    if (args.size() != 1) throw UsageError{QStringLiteral("backup list necesita ARCHIVO")};
    const auto lister = AbrirCopia(inst.facts, args[0]);
    qint64 compressed = 0, original = 0;
    for (int i = 0; i < lister->Count(); ++i) {
        compressed += lister->CompressedSize(i);
        original += lister->Size(i);
    }
    QTextStream& out = *ctx.out;
    out << "Comentarios: " << lister->Description() << '\n'
        << "Fecha copia: " << lister->CreationDate().toString(QStringLiteral("dd-MM-yyyy hh:mm"))
        << '\n'
        << "Aplicación: " << lister->ApplicationText() << " " << lister->ApplicationNumber() << '\n'
        << "Archivos: " << lister->Count() << '\n'
        << "Tamaño Archivo: " << FileSize(compressed) << '\n'
        << "Tamaño Original: " << FileSize(original) << '\n';
    for (int i = 0; i < lister->Count(); ++i) {
        const TArxiuComprimit e = lister->Entry(i);
        out << i + 1 << '\t' << e.name << '\t' << e.description << '\t' << e.group << '\t' << e.size
            << '\t' << e.data.size() << '\t' << DosTimeText(e.time) << '\n';
    }
    return kExitOk;
}

int RunVerify(CliContext& ctx, QStringList args) {
    Installation inst = OpenInstallation(args, false);
    if (args.size() != 1) throw UsageError{QStringLiteral("backup verify necesita ARCHIVO")};
    std::unique_ptr<TTorvan_Zip_Lister> lister;
    try {
        lister = AbrirCopia(inst.facts, args[0]);
    } catch (const EAbort&) {
        // A part that is missing or damaged is a fault of the backup, not the user's choice.
        throw EZMKError(
            QStringLiteral("La copia no se puede leer entera: falta una parte o está "
                           "dañada"));
    }
    VerificarCopia(*lister);
    *ctx.out << "Copia correcta: " << lister->Count() << " archivos\n";
    return kExitOk;
}

int RunRestore(CliContext& ctx, QStringList args) {
    const QString entriesText = TakeOption(args, QStringLiteral("--entries"));
    const QString as = TakeOption(args, QStringLiteral("--as"));
    Installation inst = OpenInstallation(args, as.isEmpty());
    if (args.size() != 1) throw UsageError{QStringLiteral("backup restore necesita ARCHIVO")};
    const auto lister = AbrirCopia(inst.facts, args[0]);
    const bool foreign = CopiaAjena(*lister, inst.facts);
    QList<int> entries;
    for (const QString& n : entriesText.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = n.toInt(&ok);
        if (!ok || number < 1 || number > lister->Count())
            throw UsageError{QStringLiteral("--entries: no hay ningún archivo número ") + n};
        entries << number - 1;
    }
    if (entriesText.isEmpty()) entries = EntradasPorDefecto(*lister);
    TRestaurador restaurador(*lister, inst.facts);
    if (!as.isEmpty()) {
        if (entries.size() != 1)
            throw UsageError{QStringLiteral("--as necesita un solo archivo en --entries")};
        if (!restaurador.RecuperarArchivoComo(entries[0], foreign, QFileInfo(as).absoluteFilePath())
                 .isEmpty())
            return kExitOk;
        *ctx.err << "No se ha recuperado el archivo\n";
        return kExitFailed;
    }
    const int restored = restaurador.Restaurar(entries, foreign);
    for (const QString& name : restaurador.NuevasEmpresas()) *ctx.out << name << '\n';
    if (restored < entries.size()) {
        *ctx.err << "Recuperados " << restored << " de " << entries.size() << " archivos\n";
        return kExitFailed;
    }
    return kExitOk;
}

int RunBackup(CliContext& ctx) {
    QStringList args = ctx.args;
    if (args.isEmpty())
        throw UsageError{QStringLiteral("backup necesita create|list|verify|restore")};
    const QString action = args.takeFirst();
    if (action == QLatin1String("create")) return RunCreate(ctx, args);
    if (action == QLatin1String("list")) return RunList(ctx, args);
    if (action == QLatin1String("verify")) return RunVerify(ctx, args);
    if (action == QLatin1String("restore")) return RunRestore(ctx, args);
    throw UsageError{QStringLiteral("backup necesita create|list|verify|restore")};
}

}  // namespace

void RegisterBackupCommands() {
    RegisterCommand(
        QStringLiteral("backup"),
        QStringLiteral(
            "backup create ARCHIVO --ini INI [--description TEXTO] [--databases "
            "all|current|NOMBRE,...]\n"
            "       [--no-resources] [--max-volume BYTES]   copia de seguridad de la instalación\n"
            "backup list ARCHIVO                   cabecera y archivos de la copia\n"
            "backup verify ARCHIVO                 lee todas las partes y descomprime cada "
            "archivo\n"
            "backup restore ARCHIVO --ini INI [--entries N,...] [--as RUTA]   recupera archivos"),
        RunBackup);
}

}  // namespace zmk::cli
