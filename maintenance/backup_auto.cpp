#include "maintenance/backup_auto.h"

#include <QDir>
#include <QFile>

#include "core/empresas.h"
#include "core/splash.h"
#include "core/strings.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "maintenance/backup_create.h"

namespace zmk {

namespace {

const QString kSection = QStringLiteral("COPIA_AUTOMATICA/");
const QString kPrefix = QStringLiteral("Copia automática ");

}  // namespace

TCopiaAutomatica LeeCopiaAutomatica(QSettings& ini) {
    TCopiaAutomatica s;
    s.activa = ini.value(kSection + QStringLiteral("Activa"), false).toBool();
    s.carpeta = ini.value(kSection + QStringLiteral("Carpeta")).toString();
    s.conservar = std::max(1, ini.value(kSection + QStringLiteral("Conservar"), 10).toInt());
    s.ultima =
        QDate::fromString(ini.value(kSection + QStringLiteral("Ultima")).toString(), Qt::ISODate);
    s.ofrecer = ini.value(kSection + QStringLiteral("Ofrecer"), false).toBool();
    return s;
}

void GuardaCopiaAutomatica(QSettings& ini, const TCopiaAutomatica& s) {
    ini.setValue(kSection + QStringLiteral("Activa"), s.activa);
    ini.setValue(kSection + QStringLiteral("Carpeta"), s.carpeta);
    ini.setValue(kSection + QStringLiteral("Conservar"), s.conservar);
    ini.setValue(kSection + QStringLiteral("Ultima"), s.ultima.toString(Qt::ISODate));
    ini.setValue(kSection + QStringLiteral("Ofrecer"), s.ofrecer);
    ini.sync();
}

void OfreceCopiaAutomatica(QSettings& ini) {
    TCopiaAutomatica s = LeeCopiaAutomatica(ini);
    s.ofrecer = true;
    GuardaCopiaAutomatica(ini, s);
}

QString ArchivoCopiaAutomatica(const QString& carpeta, const QDate& day) {
    return carpeta + u'/' + kPrefix + day.toString(Qt::ISODate) + u'.' + kBackupExtension;
}

QStringList PodaCopiasAutomaticas(const QString& carpeta, int keep) {
    const QDir dir(carpeta);
    // The date in the name sorts the archives from the oldest.
    QStringList archives =
        dir.entryList({kPrefix + QStringLiteral("*.") + kBackupExtension}, QDir::Files, QDir::Name);
    QStringList removed;
    while (archives.size() > keep) {
        const QString name = archives.takeFirst();
        for (const QString& volume : dir.entryList({name + QStringLiteral("*")}, QDir::Files)) {
            const QString rest = volume.mid(name.size());
            bool number = rest.isEmpty();
            if (!number) rest.toInt(&number);
            if (number) QFile::remove(dir.filePath(volume));
        }
        removed << name;
    }
    return removed;
}

namespace {

bool Ofrece(TCopiaAutomatica& s, const TBackupInstallation& installation) {
    s.ofrecer = false;
    if (!PreguntaSiNo(QStringLiteral("¿Desea que el programa haga una copia de seguridad de la "
                                     "empresa abierta al cerrarse, una vez al día?\n\nSe "
                                     "conservan las %1 últimas copias.")
                          .arg(s.conservar),
                      TMsgIcon::Question, TMsgButton::No))
        return false;
    const std::optional<QString> folder = Prompt().InputBox(
        QStringLiteral("Copia de seguridad automática"), QStringLiteral("Carpeta de las copias:"),
        installation.programDir + QStringLiteral("/COPIAS"));
    if (!folder || folder->trimmed().isEmpty()) return false;
    s.carpeta = QDir::cleanPath(folder->trimmed());
    s.activa = true;
    return true;
}

}  // namespace

void CopiaAutomaticaAlCerrar(QSettings& ini, const TBackupInstallation& installation,
                             int openIndex) {
    try {
        TCopiaAutomatica s = LeeCopiaAutomatica(ini);
        if (openIndex < 0) return;
        if (s.ofrecer) {
            Ofrece(s, installation);
            GuardaCopiaAutomatica(ini, s);
        }
        const QDate today = Hoy();
        if (!s.activa || s.ultima == today || !installation.databases) return;
        if (!QDir().mkpath(s.carpeta))
            throw EZMKError(QStringLiteral("No se puede crear la carpeta ") + s.carpeta);
        TSplashLevel splash(QStringLiteral("Copia de seguridad automática"), SharedString(1800));
        TBackupRequest request;
        request.description = QStringLiteral("Copia automática de \"") +
                              installation.databases->Entry(openIndex).nombre +
                              QStringLiteral("\" - ") +
                              Ahora().toString(QStringLiteral("dd/MM/yy hh:mm"));
        request.databases = {openIndex};
        const QString archive = ArchivoCopiaAutomatica(s.carpeta, today);
        if (!RealizarCopia(installation, request, archive).complete) return;
        s.ultima = today;
        GuardaCopiaAutomatica(ini, s);
        PodaCopiasAutomaticas(s.carpeta, s.conservar);
    } catch (const EZMKError& error) {
        MuestraError(QStringLiteral("No se ha podido hacer la copia de seguridad automática:\n") +
                     error.Message());
    } catch (const EAbort&) {
    } catch (const std::exception& error) {
        MuestraError(QStringLiteral("No se ha podido hacer la copia de seguridad automática:\n") +
                     QString::fromUtf8(error.what()));
    }
}

}  // namespace zmk
