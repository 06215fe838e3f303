#include "maintenance/backup_restore.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/empresas.h"
#include "core/splash.h"
#include "core/strings.h"
#include "host/datetime.h"
#include "host/prompt.h"
#include "host/resources.h"
#include "maintenance/backup_snapshot.h"
#include "maintenance/torvan_zip_lister.h"
#include "maintenance/torvan_zip_loader.h"
#include "maintenance/torvan_zip_saver.h"

namespace zmk {

namespace {

bool IsDatabase(const QString& name) {
    return name.endsWith(QStringLiteral(".MDB"), Qt::CaseInsensitive);
}

bool IsResourceFile(const QString& name) {
    return name.endsWith(QStringLiteral(".MDR"), Qt::CaseInsensitive);
}

QString Quoted(const QString& text) {
    return u'"' + text + u'"';
}

// The question for a volume file that is not there.
QString MissingVolumeText(const QString& path, int volume) {
    if (volume == 0)
        return QStringLiteral("El archivo:\n") + path + u'\n' +
               QStringLiteral("no se encuentra, desea buscar-lo?");
    return QStringLiteral("El archivo \n") + path + u'\n' +
           QStringLiteral("Correspondiente a la parte: ") + QString::number(volume + 1) + u'\n' +
           QStringLiteral("no se encuentra. Desea buscar-lo?") + QStringLiteral("\n\n") +
           QStringLiteral("NOTA: Si se encuentra en otro disco, cambie el disco") + u'\n' +
           QStringLiteral("y haga click en NO para continuar.");
}

// The volume file to read: asks until it is there (Cancel aborts).
QString LocateVolume(QString path, int volume) {
    while (!QFileInfo(path).isFile()) {
        TQuestion question;
        question.caption = QStringLiteral("Restaurar");
        question.text = MissingVolumeText(path, volume);
        question.buttons = {TMsgButton::Yes, TMsgButton::No, TMsgButton::Cancel};
        question.defaultButton = TMsgButton::Cancel;
        const TMsgButton answer = Prompt().Ask(question);
        if (answer == TMsgButton::Cancel || answer == TMsgButton::None) throw EAbort();
        if (answer == TMsgButton::Yes) {
            const QString chosen = Prompt().OpenFileName(QString(), path, QStringLiteral("*.*"));
            if (!chosen.isEmpty()) path = chosen;
        }
    }
    return path;
}

bool RetryDamagedVolume(const QString& message) {
    TQuestion question;
    question.caption = QStringLiteral("ERROR");
    question.text = QStringLiteral("ERROR AL ABRIR ARCHIVO COPIA DE SEGURIDAD:\n\n") + message +
                    QStringLiteral("\n\n\n") +
                    QStringLiteral("Es posible que el archivo seleccionado no contenga una") +
                    u'\n' + QStringLiteral("copia de seguridad o que se encuentre estropeado.") +
                    QStringLiteral("\n\n") + QStringLiteral("Reintentar?");
    question.buttons = {TMsgButton::Retry, TMsgButton::Cancel};
    question.icon = TMsgIcon::Error;
    question.defaultButton = TMsgButton::Cancel;
    return Prompt().Ask(question) == TMsgButton::Retry;
}

}  // namespace

QString FormatBackupSize(qint64 bytes) {
    const bool kilobytes = bytes >= 1024;
    QString digits = QString::number(kilobytes ? bytes / 1024 : bytes);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, u'.');
    return digits + (kilobytes ? QStringLiteral(" KB") : QStringLiteral(" B"));
}

std::unique_ptr<TTorvan_Zip_Lister> AbrirCopia(const TBackupInstallation& installation,
                                               const QString& path) {
    TTorvan_Zip_Loader loader;
    loader.SetGroups(installation.Groups());
    const QFileInfo chosen(path);
    TSplashLevel splash(QStringLiteral("Restaurar"), QStringLiteral("Leyendo la copia..."));
    while (loader.NeedsMoreVolumes()) {
        const int volume = loader.ExpectedVolume();
        const QString file =
            LocateVolume(VolumeFileName(chosen.absolutePath(), chosen.fileName(), volume), volume);
        try {
            QFile in(file);
            if (!in.open(QIODevice::ReadOnly)) throw EZMKError(file + u'\n' + in.errorString());
            loader.AddVolume(in);
        } catch (const EZMKError& error) {
            if (!RetryDamagedVolume(error.Message())) throw EAbort();
        }
    }
    return loader.Finish();
}

bool CopiaAjena(const TTorvan_Zip_Lister& lister, const TBackupInstallation& installation) {
    if (lister.ApplicationText().compare(installation.applicationText, Qt::CaseInsensitive) == 0)
        return false;
    Avisa(SharedStringFmt(1755, {lister.ApplicationText(), installation.applicationText}));
    return true;
}

QList<int> EntradasPorDefecto(const TTorvan_Zip_Lister& lister) {
    QList<int> entries;
    for (int i = 0; i < lister.Count(); ++i)
        if (lister.Entry(i).group != kGrupoPrograma) entries << i;
    return entries;
}

void VerificarCopia(const TTorvan_Zip_Lister& lister) {
    TSplashLevel splash(QStringLiteral("Verificar"), QString());
    QTemporaryDir work;
    for (int i = 0; i < lister.Count(); ++i) {
        const TArxiuComprimit entry = lister.Entry(i);
        Splash().SetPosition(entry.name, i, lister.Count());
        try {
            if (!IsDatabase(entry.name)) {
                lister.Check(i);
                continue;
            }
            // A database is inflated to a scratch copy and opened: it must pass its own check.
            TTorvan_Zip_Lister single;
            TArxiuComprimit copy = entry;
            copy.group = 0;
            single.AddEntry(copy);
            const QString scratch = work.filePath(QString::number(i));
            single.ExtractTo(0, scratch);
            CheckDatabaseIntegrity(scratch);
            QFile::remove(scratch);
        } catch (const EZMKError& error) {
            throw EZMKError(QStringLiteral("Archivo %1/%2 : %3\n")
                                .arg(i + 1)
                                .arg(lister.Count())
                                .arg(entry.name) +
                            error.Message());
        }
    }
}

TRestaurador::TRestaurador(TTorvan_Zip_Lister& lister, const TBackupInstallation& installation)
    : lister_(lister), installation_(installation) {
    InstallHooks();
}

void TRestaurador::InstallHooks() {
    lister_.SetBeforeExtract([this](int, const TArxiuComprimit& entry, QString& path) {
        pending_name_.clear();
        if (!apply_rule_) return;
        if (IsDatabase(entry.name) && installation_.databases) {
            path = installation_.NewDatabaseFile();
            pending_name_ = QStringLiteral("Restaurado el ") +
                            Ahora().toString(QStringLiteral("dd/MM/yy hh:mm")) +
                            QStringLiteral(" -> ") + entry.description;
        } else if (IsResourceFile(entry.name)) {
            TQuestion question;
            question.caption = SharedString(1651);
            question.text = SharedString(1650);
            question.icon = TMsgIcon::Warning;
            question.defaultButton = TMsgButton::No;
            if (Prompt().Ask(question) != TMsgButton::Yes) throw EAbort();
        } else {
            Avisa(SharedString(1652) + u'\n' + entry.name);
        }
    });
    lister_.SetOverwriteQuery([](const QString& path, bool& overwrite) {
        overwrite = PreguntaSiNo(
            QStringLiteral("ATENCIÓN:\nEl archivo ") + Quoted(QFileInfo(path).fileName()) + u'\n' +
                QStringLiteral("ya existe en el destino.") + u'\n' +
                QStringLiteral("¿Desea reemplazarlo con la copia de seguridad?"),
            TMsgIcon::Question, TMsgButton::No);
    });
    // A file that would not open in the program never takes the place of a working one.
    lister_.SetCheckExtracted([](const TArxiuComprimit& entry, const QString& temporary) {
        if (IsDatabase(entry.name)) CheckDatabaseIntegrity(temporary);
        if (IsResourceFile(entry.name)) {
            try {
                TRecursosZMK().LoadFromFile(temporary);
            } catch (const EZMKError& error) {
                throw EZMKError(SharedString(1652) + u'\n' + entry.name + u'\n' + error.Message());
            }
        }
    });
    lister_.SetExtracted([this](int, const QString& path) {
        if (pending_name_.isEmpty()) return;
        TDataBaseEntry entry;
        entry.nombre = pending_name_;
        entry.archivo = path;
        installation_.databases->Add(entry);
        new_databases_ << pending_name_;
        pending_name_.clear();
    });
    lister_.SetProgress([](const QString& file, qint64 total, qint64 position) {
        if (Splash().Active()) Splash().SetPosition(file, int(position / 1024), int(total / 1024));
    });
}

int TRestaurador::Restaurar(const QList<int>& entries, bool foreign) {
    if (foreign) throw EZMKError(SharedString(1750));
    if (entries.isEmpty()) throw EZMKError(SharedString(1751));
    if (!PreguntaSiNo(SharedStringFmt(1752, {int(entries.size())}))) throw EAbort();
    apply_rule_ = true;
    TSplashLevel splash(QStringLiteral("Restaurar"), QString());
    QStringList lines;
    for (int index : entries) {
        const TArxiuComprimit entry = lister_.Entry(index);
        if (!lister_.Extract(index, QString())) continue;
        lines << SharedStringFmt(1753,
                                 {index + 1, lister_.Count(), entry.name, int(entry.data.size())});
    }
    Informa(SharedStringFmt(1754, {int(lines.size()), lister_.Count()}) + u'\n' +
            lines.join(u'\n'));
    return int(lines.size());
}

void TRestaurador::ConfirmaUno(int index, bool foreign) const {
    if (foreign) throw EZMKError(SharedString(1750));
    const TArxiuComprimit entry = lister_.Entry(index);
    if (!PreguntaSiNo(QStringLiteral("Recuperar la copia de seguridad del archivo:\n") +
                      Quoted(entry.name) + u'\n' + QStringLiteral("Que corresponde a:") + u'\n' +
                      entry.description + QStringLiteral("\n\n") + QStringLiteral("¿Continuar?")))
        throw EAbort();
}

QString TextoRecuperado(const QString& name) {
    return QStringLiteral("Archivo ") + Quoted(name) + u'\n' +
           QStringLiteral("restaurado correctamente") + QStringLiteral("\n\n") +
           QStringLiteral("¿Desea cerrar este formulario?");
}

QString TextoRecuperadoComo(const QString& name, const QString& path) {
    return QStringLiteral("Archivo ") + Quoted(name) + u'\n' +
           QStringLiteral("restaurado correctamente como el siguiente archivo:") + u'\n' + path +
           QStringLiteral("\n\n") + QStringLiteral("¿Desea cerrar este formulario?");
}

bool TRestaurador::RecuperarArchivo(int index, bool foreign) {
    ConfirmaUno(index, foreign);
    apply_rule_ = true;
    return lister_.Extract(index, QString());
}

QString TRestaurador::RecuperarArchivoComo(int index, bool foreign, QString path) {
    ConfirmaUno(index, foreign);
    if (path.isEmpty())
        path = Prompt().SaveFileName(
            QStringLiteral("Nombre del archivo a recuperar"),
            installation_.dataDir + u'/' + LocalPath(lister_.Name(index)).section(u'/', -1),
            QStringLiteral("*.*"));
    if (path.isEmpty()) throw EAbort();
    // Exactly where the user said: the restore rule does not move it.
    apply_rule_ = false;
    try {
        const bool extracted = lister_.ExtractTo(index, path);
        apply_rule_ = true;
        return extracted ? path : QString();
    } catch (...) {
        apply_rule_ = true;
        throw;
    }
}

}  // namespace zmk
