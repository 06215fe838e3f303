#include "core/empresasacciones.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>

#include "core/strings.h"
#include "core/versiones.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/prompt.h"

namespace zmk {

namespace {

std::function<bool(int)>& CopiaAntesDeBorrar() {
    static std::function<bool(int)> oferta;
    return oferta;
}

bool EnDirectorio(const QString& file, const QString& dir) {
    if (dir.isEmpty()) return false;
    return QFileInfo(file).absoluteDir() == QDir(dir);
}

// A file on another computer: a Windows share name, or a file system mounted from the network.
bool EsArchivoDeRed(const QString& file) {
    if (file.startsWith(QStringLiteral("//")) || file.startsWith(QStringLiteral("\\\\")))
        return true;
    static const QList<QByteArray> red{"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "9p"};
    return red.contains(QStorageInfo(QFileInfo(file).absolutePath()).fileSystemType());
}

}  // namespace

// The manager check of a database that keeps users (the users module supplies it).
void ExigeAdministrador(TEmpresasBD& empresas, const QString& file, const QString& operacion) {
    const auto& check = empresas.Hooks().esAdministrador;
    if (!check || !QFileInfo(file).isFile()) return;
    auto db = TDataBaseZMK::Open(file);
    if (!check(*db))
        throw EZMKError(operacion + u'\n' + SharedStringFmt(1722, {QFileInfo(file).fileName()}));
}

void SetCopiaAntesDeBorrar(std::function<bool(int index)> oferta) {
    CopiaAntesDeBorrar() = std::move(oferta);
}

void CompruebaBorrable(TEmpresasBD& empresas, int index) {
    if (index >= 0 && index == empresas.OpenIndex())
        throw EZMKError(SharedStringFmt(1734, {empresas.DataBases().Entry(index).nombre}));
}

QString DescripcionArchivoBD(const TDataBaseEntry& entry) {
    const QFileInfo info(entry.archivo);
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const QString size = info.exists() ? spanish.formattedDataSize(info.size()) : QString();
    const QString changed = info.exists()
                                ? info.lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm"))
                                : QString();
    return SharedStringFmt(1735, {entry.nombre, entry.archivo, size, changed});
}

void CompruebaArchivoElegido(const QString& file) {
    if (file.trimmed().isEmpty()) throw EZMKError(SharedString(1900));
    for (const QString& dir : {AjustesBD().directorioVacias, AjustesBD().directorioTemporal})
        if (EnDirectorio(file, dir)) throw EZMKError(SharedStringFmt(1901, {dir}));
}

void EjecutaAccionBD(TEmpresasBD& empresas, int accion, int selected, TDataBaseEntry entry,
                     const QString& importFile) {
    TZMKDataBases& list = empresas.DataBases();
    entry.version = -1;
    switch (accion) {
        case abNueva: {
            const QString master = MasterDatabaseFileName(AjustesBD().versionBD);
            if (!QFileInfo::exists(master)) throw EZMKError(SharedString(1723) + u'\n' + master);
            if (QFileInfo::exists(entry.archivo))
                throw EZMKError(SharedString(1724) + u'\n' + entry.archivo);
            const QString dir = QFileInfo(entry.archivo).absolutePath();
            if (!QDir().mkpath(dir)) throw EZMKError(SharedString(1725) + u'\n' + dir);
            if (!CopiaArchivoBD(master, entry.archivo, false))
                throw EZMKError(SharedStringFmt(1726, {master, entry.archivo}));
            LimpiaImportacion(entry.archivo);
            list.Add(entry);
            return;
        }
        case abDuplicar:
            QDir().mkpath(QFileInfo(entry.archivo).absolutePath());
            if (!CopiaArchivoBD(list.Entry(selected).archivo, entry.archivo, false))
                throw EZMKError(SharedString(1727));
            list.Add(entry);
            return;
        case abImportar:
            TraspasaDatos(importFile, entry.archivo);
            LimpiaImportacion(entry.archivo);
            list.Add(entry);
            return;
        case abVincular:
            CompruebaVersion(entry.archivo, AjustesBD().versionBD, true, true);
            ExigeAdministrador(empresas, entry.archivo, QStringLiteral("Asignar la base de datos"));
            list.Add(entry);
            return;
        case abQuitarVinculo:
            if (selected == empresas.OpenIndex()) empresas.OpenDatabase(-1);
            list.Delete(selected);
            return;
        case abBorrarArchivo: {
            const QString file = list.Entry(selected).archivo;
            if (EsArchivoDeRed(file)) {
                MuestraError(SharedString(1728));
                return;
            }
            CompruebaBorrable(empresas, selected);
            if (!QFileInfo::exists(file)) throw EZMKError(SharedString(1730));
            if (CopiaAntesDeBorrar() && !CopiaAntesDeBorrar()(selected)) return;
            // The user sees which file goes before saying yes: name, size and last change.
            const QString pregunta = DescripcionArchivoBD(list.Entry(selected)) +
                                     QStringLiteral("\n\n") + SharedString(1729);
            if (!PreguntaSiNo(pregunta, TMsgIcon::Warning, TMsgButton::No)) return;
            if (!BorraArchivoBD(file)) throw EZMKError(SharedString(1731));
            list.Delete(selected);
            return;
        }
        case abModificar:
            list.Rewrite(selected, entry);
            return;
        default:
            throw EZMKError(QStringLiteral("Operación no soportada"));
    }
}

TSeleccion SeleccionaEmpresa(TEmpresasBD& empresas, int index) {
    if (!AjustesBD().directorioEjecutable.isEmpty())
        QDir::setCurrent(AjustesBD().directorioEjecutable);
    TZMKDataBases& list = empresas.DataBases();
    if (index < 0 || index >= list.Count()) throw EZMKError(SharedString(1720));
    int version = 0;
    try {
        version = CompruebaVersion(list.Entry(index).archivo, AjustesBD().versionBD, true, false);
    } catch (const EZMKError&) {
        list.SetVersion(index, -1);
        throw;
    }
    if (version < AjustesBD().versionBD) {
        if (!PreguntaSiNo(SharedString(1721), TMsgIcon::Warning, TMsgButton::No)) throw EAbort();
        return TSeleccion::Importar;
    }
    empresas.OpenDatabase(index);
    return TSeleccion::Abierta;
}

}  // namespace zmk
