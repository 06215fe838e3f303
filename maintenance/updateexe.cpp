#include "maintenance/updateexe.h"

#include <QFileInfo>
#include <QProcess>

#include "core/translate.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"

namespace zmk {

QString UpdateText(const QString& key) {
    static const QMap<QString, QString> defaults{
        {"action.actualiza", "Actualizaciones"},
        {"message_first_time",
         "Actualizaciones automáticas de %s\n\nEl programa necesita conectar a internet para "
         "instalar la última versión disponible\nde %s en su ordenador\n\nNOTA: Es posible que "
         "aparezca un mensaje de Windows pidiendo autorización.\nTambién puede desactivar las "
         "actualizaciones en la opción del menú \"Configurar > Actualizaciones\"\n\n¿Desea "
         "continuar?"},
        {"message_files_found",
         "Existe una actualización de %s disponible\n(necesita descargar %d archivos de "
         "internet)\n\nPara actualizar es necesario cerrar el programa\n¿Continuar y actualizar?"},
        {"error_no_ZMKUpdate",
         "El programa ZMK-Update no se encuentra instalado en su ordenador\nInstálelo desde la "
         "página web de Torvanware y vuelva a intentarlo"},
        {"version_ok", "La versión instalada está actualizada"},
        {"never", "(nunca)"},
        {"invalid_proxy_port", "Puerto del proxy no válido"},
        {"invalid_proxy_name", "Nombre del servidor proxy no válido"},
    };
    return Translate().ValueDef(QStringLiteral("FRMConfigZMKUpdate.") + key, defaults.value(key));
}

TZMKUpdateExe::TZMKUpdateExe(TUpdateInstallation installation)
    : TZMKUpdate(std::move(installation)) {
    startProgram = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
}

QString TZMKUpdateExe::FindUpdater() const {
    QStringList candidates{inst_.actualizador.trimmed(),
                           inst_.programDir + QStringLiteral("/ZMKUpdate")};
    if (inst_.registroActualizador)
        if (auto reg = inst_.registroActualizador())
            candidates << reg->value(QStringLiteral("ExeFileName")).toString().trimmed();
    for (const QString& c : candidates)
        if (!c.isEmpty() && QFileInfo(c).isFile() && QFileInfo(c).isExecutable()) return c;
    QString text = UpdateText(QStringLiteral("error_no_ZMKUpdate"));
    if (!inst_.paginaCuenta.isEmpty()) text += u'\n' + inst_.paginaCuenta;
    throw EZMKError(text);
}

bool TZMKUpdateExe::RunCheck(bool askFirst, bool alert, const QString& queryType,
                             bool upToDateMessage) {
    const QString& title = inst_.titulo;
    if (askFirst &&
        !PreguntaSiNo(
            UpdateText(QStringLiteral("message_first_time")).replace(QStringLiteral("%s"), title)))
        return false;
    const int files = Check(queryType);
    if (!LastError().isEmpty()) throw EZMKError(LastError());
    if (files <= 0) {
        if (upToDateMessage) Informa(UpdateText(QStringLiteral("version_ok")));
        return false;
    }
    if (alert && !PreguntaSiNo(UpdateText(QStringLiteral("message_files_found"))
                                   .replace(QStringLiteral("%s"), title)
                                   .replace(QStringLiteral("%d"), QString::number(files))))
        return false;
    const QString updater = FindUpdater();
    QStringList arguments{title};
    if (Forced()) arguments << QStringLiteral("/allfiles");
    Log(QStringLiteral("Iniciando ") + updater + QStringLiteral(" \"") + title + u'"' +
        (Forced() ? QStringLiteral(" /allfiles") : QString()));
    if (!startProgram(updater, arguments))
        throw EZMKError(QStringLiteral("No se ha podido iniciar el programa de actualización:\n") +
                        updater);
    if (closeApplication) closeApplication();
    return true;
}

bool TZMKUpdateExe::PeriodicCheck() {
    const int days = Parametres().AsInteger(QStringLiteral("ZMKUpdate_Dias"), 0);
    if (days <= 0) return false;
    const bool alert = Parametres().AsBoolean(QStringLiteral("ZMKUpdate_AlertOnUpdate"), true);
    std::unique_ptr<QSettings> registry = inst_.registro ? inst_.registro() : nullptr;
    const QString key = QStringLiteral("ZMKUpdateLastTimeConnect");
    try {
        if (!registry || !registry->contains(key)) {
            RunCheck(true, alert, QStringLiteral("INFO_AUTO"), true);
            return true;
        }
        if (!(Ahora() > registry->value(key).toDateTime().addDays(days))) return false;
        RunCheck(false, alert, QStringLiteral("INFO_AUTO"), false);
    } catch (const EAbort&) {
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    }
    return true;
}

}  // namespace zmk
