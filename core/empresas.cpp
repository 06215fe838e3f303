#include "core/empresas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "core/parametrosapp.h"
#include "core/splash.h"
#include "core/strings.h"
#include "core/versiones.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/prompt.h"

namespace zmk {

namespace {

const QString kGrupoLista = QStringLiteral("BASES_DE_DATOS");
const QString kPrefijoSeccion = QStringLiteral("BDEmpresa");
const QString kEmpresaPorDefecto = QStringLiteral("INIT/EmpresaPorDefecto");
const QString kArchivoIniImportado = QStringLiteral("INIT/ArchivoIniImportado");

TEmpresasBD* g_empresas = nullptr;

// Names of files compare as the file system does: with regard to case here.
constexpr Qt::CaseSensitivity kCaseArchivos = Qt::CaseSensitive;

// Section names in list order: text first, then the trailing number as a number.
bool AntesEnLista(const QString& a, const QString& b) {
    static const QRegularExpression trailing(QStringLiteral(R"(^(.*?)(\d+)$)"));
    auto ma = trailing.match(a), mb = trailing.match(b);
    QString ta = ma.hasMatch() ? ma.captured(1) : a, tb = mb.hasMatch() ? mb.captured(1) : b;
    if (int c = ta.compare(tb, Qt::CaseInsensitive); c != 0) return c < 0;
    qlonglong na = ma.hasMatch() ? ma.captured(2).toLongLong() : -1;
    qlonglong nb = mb.hasMatch() ? mb.captured(2).toLongLong() : -1;
    if (na != nb) return na < nb;
    return a < b;
}

QStringList Componentes(const QString& dir) {
    return QDir::cleanPath(QDir(dir).absolutePath()).split(u'/', Qt::SkipEmptyParts);
}

std::unique_ptr<QSettings> RegistroNativo(const QString& aplicacion) {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Torvanware"),
                                       QStringLiteral("ZMK/ZMKAPP/") + aplicacion);
}

}  // namespace

QString RelativePath(const QString& dir, const QString& file) {
    QFileInfo info(file);
    const QStringList base = Componentes(dir);
    const QStringList target = Componentes(info.absolutePath());
    qsizetype common = 0;
    while (common < base.size() && common < target.size() &&
           base[common].compare(target[common], kCaseArchivos) == 0)
        ++common;
    QString result;
    for (qsizetype i = common; i < base.size(); ++i) result += QStringLiteral("../");
    if (result.isEmpty()) result = QStringLiteral("./");
    for (qsizetype i = common; i < target.size(); ++i) result += target[i] + u'/';
    return result + info.fileName();
}

TZMKDataBases::TZMKDataBases(QSettings& ini, QString baseDir)
    : ini_(ini), base_dir_(std::move(baseDir)) {}

QString TZMKDataBases::IniDir() const {
    QString file = ini_.fileName();
    if (file.isEmpty()) return base_dir_;
    return QFileInfo(file).absolutePath();
}

QStringList TZMKDataBases::Sections() const {
    ini_.beginGroup(kGrupoLista);
    QStringList keys = ini_.childKeys();
    ini_.endGroup();
    std::sort(keys.begin(), keys.end(), AntesEnLista);
    return keys;
}

int TZMKDataBases::Count() const {
    return int(Sections().size());
}

QString TZMKDataBases::SectionName(int index) const {
    QStringList sections = Sections();
    if (index < 0 || index >= sections.size())
        throw EZMKError(QStringLiteral("Índice de base de datos fuera de rango: %1").arg(index));
    return sections[index];
}

int TZMKDataBases::IndexOfSection(const QString& section) const {
    if (section.isEmpty()) return -1;
    QStringList sections = Sections();
    for (int i = 0; i < sections.size(); ++i)
        if (sections[i].compare(section, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int TZMKDataBases::IndexOfFile(const QString& file) const {
    const QString wanted = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    for (int i = 0; i < Count(); ++i)
        if (Entry(i).archivo.compare(wanted, kCaseArchivos) == 0) return i;
    return -1;
}

TDataBaseEntry TZMKDataBases::Entry(int index) const {
    const QString section = SectionName(index);
    TDataBaseEntry e;
    e.nombre =
        ini_.value(section + QStringLiteral("/Nombre"), ini_.value(kGrupoLista + u'/' + section))
            .toString();
    e.archivo = ExpandPath(ini_.value(section + QStringLiteral("/Archivo")).toString());
    e.systemDataBase =
        ExpandPath(ini_.value(section + QStringLiteral("/SystemDataBase")).toString());
    bool ok = false;
    e.version = ini_.value(section + QStringLiteral("/Version"), -1).toInt(&ok);
    if (!ok) e.version = -1;
    return e;
}

void TZMKDataBases::Write(const QString& section, const TDataBaseEntry& entry) {
    ini_.setValue(kGrupoLista + u'/' + section, entry.nombre);
    ini_.setValue(section + QStringLiteral("/Nombre"), entry.nombre);
    ini_.setValue(section + QStringLiteral("/Archivo"),
                  entry.archivo.isEmpty() ? QString() : StorePath(entry.archivo));
    ini_.setValue(section + QStringLiteral("/SystemDataBase"),
                  entry.systemDataBase.isEmpty() ? QString() : StorePath(entry.systemDataBase));
    ini_.setValue(section + QStringLiteral("/Version"), entry.version);
    ini_.sync();
}

int TZMKDataBases::Add(const TDataBaseEntry& entry) {
    const QStringList sections = Sections();
    int n = 1;
    while (sections.contains(kPrefijoSeccion + QString::number(n), Qt::CaseInsensitive)) ++n;
    const QString section = kPrefijoSeccion + QString::number(n);
    Write(section, entry);
    return IndexOfSection(section);
}

void TZMKDataBases::Rewrite(int index, const TDataBaseEntry& entry) {
    Write(SectionName(index), entry);
}

void TZMKDataBases::Delete(int index) {
    const QString section = SectionName(index);
    ini_.remove(kGrupoLista + u'/' + section);
    ini_.remove(section);
    ini_.sync();
}

void TZMKDataBases::SetVersion(int index, int version) {
    ini_.setValue(SectionName(index) + QStringLiteral("/Version"), version);
    ini_.sync();
}

QString TZMKDataBases::StorePath(const QString& file) const {
    return RelativePath(IniDir(), file);
}

QString TZMKDataBases::ExpandPath(const QString& stored) const {
    QString path = stored.trimmed();
    if (path.isEmpty()) return QString();
    // Lists written on Windows separate with "\".
    path.replace(u'\\', u'/');
    // A share named as on Windows ("//server/...") keeps its two leading separators.
    if (path.startsWith(QStringLiteral("//"))) return path;
    if (QDir::isAbsolutePath(path)) return QDir::cleanPath(path);
    QString base = IniDir();
    if (base.isEmpty()) base = AjustesBD().directorioEjecutable;
    return QDir::cleanPath(QDir(base).absoluteFilePath(path));
}

TEmpresasBD::TEmpresasBD(QSettings& ini, QString baseDir) : list_(ini, std::move(baseDir)) {}

bool TEmpresasBD::IsConnected() const {
    return ZMKApp().GetDefaultDB() != nullptr;
}

void TEmpresasBD::Disconnect() {
    if (!IsConnected()) return;
    if (hooks_.desconecta)
        hooks_.desconecta();
    else
        ZMKApp().SetDefaultDB(nullptr);
}

void TEmpresasBD::OpenDatabase(int index) {
    if (index >= 0 && index == open_index_ && IsConnected()) return;
    TSplashLevel splash(SharedString(1600), SharedString(1601));
    Disconnect();
    open_index_ = -1;
    open_entry_ = TDataBaseEntry();
    read_only_ = false;
    // The key names the open database or is absent.
    list_.Ini().remove(kEmpresaPorDefecto);
    list_.Ini().sync();
    if (index < 0 || index >= list_.Count()) return;

    TDataBaseEntry entry = list_.Entry(index);
    if (!QFileInfo(entry.archivo).isFile()) throw EZMKError(SharedStringFmt(1503, {entry.archivo}));
    const int version = CompruebaVersion(entry.archivo, AjustesBD().versionBD, true, false);
    if (entry.version != version) {
        list_.SetVersion(index, version);
        entry.version = version;
    }
    // An older file is upgraded from the selection dialog, never opened.
    if (version != AjustesBD().versionBD) return;

    Splash().SetText(SharedString(1602), 25);
    bool readOnly = false;
    try {
        auto probe = TDataBaseZMK::Open(entry.archivo);
        if (hooks_.inicioSesion) readOnly = hooks_.inicioSesion(*probe);
    } catch (EDatabaseError& e) {
        throw EZMKError(SharedStringFmt(
            1504, {entry.archivo, QStringLiteral("QSQLITE"), e.ClassName(), e.Message()}));
    }

    Splash().SetText(SharedString(1603), 50);
    std::unique_ptr<TDataBaseZMK> db;
    try {
        db = TDataBaseZMK::Open(entry.archivo);
    } catch (EZMKError& e) {
        throw EZMKError(SharedStringFmt(
            1501, {entry.archivo, QStringLiteral("QSQLITE"), e.ClassName(), e.Message()}));
    }
    list_.Ini().setValue(kEmpresaPorDefecto, list_.SectionName(index));
    list_.Ini().sync();
    open_index_ = index;
    open_entry_ = entry;
    read_only_ = readOnly;
    if (hooks_.conecta) {
        hooks_.conecta(std::move(db));
    } else {
        ZMKApp().SetDefaultDB(std::move(db));
        ParametrosApp().NotifyReload();
    }
}

void TEmpresasBD::OpenSection(const QString& section) {
    OpenDatabase(list_.IndexOfSection(section));
}

int TEmpresasBD::ImportaAplicacionAnterior(const QString& aplicacion, bool interactive) {
    std::unique_ptr<QSettings> registro =
        hooks_.registro ? hooks_.registro(aplicacion) : RegistroNativo(aplicacion);
    const QString zmk = registro->value(QStringLiteral("ZMKFileName")).toString().trimmed();
    if (zmk.isEmpty()) return 0;
    const QFileInfo zmkInfo(zmk);
    const QString base = zmkInfo.absolutePath() + u'/' + zmkInfo.completeBaseName();
    const QString iniPath = base + QStringLiteral(".INI");
    if (!QFileInfo::exists(iniPath)) return 0;

    QSettings previousIni(iniPath, QSettings::IniFormat);
    TZMKDataBases previous(previousIni);
    int added = 0;
    for (int i = 0; i < previous.Count(); ++i) {
        const TDataBaseEntry e = previous.Entry(i);
        if (list_.IndexOfFile(e.archivo) >= 0) continue;
        TQuestion q;
        q.caption = QStringLiteral("IMPORTAR");
        q.icon = TMsgIcon::Question;
        q.text = QStringLiteral(
                     "Importar Bases de datos desde versión anterior: \n\nVersión "
                     "anterior del programa: ") +
                 aplicacion + QStringLiteral("\n\nEncontrada la base de datos \"") + e.nombre +
                 QStringLiteral("\"\nen el archivo: ") + e.archivo +
                 QStringLiteral("\n\n¿Importar al programa ") + ApplicationTitle() +
                 QStringLiteral("?");
        if (Prompt().Ask(q) != TMsgButton::Yes) continue;
        list_.Add(e);
        ++added;
    }
    if (added > 0) OpenDatabase(-1);

    const QString previousMdr = base + QStringLiteral(".MDR");
    const QString& ownMdr = hooks_.archivoRecursos;
    if (QFileInfo::exists(previousMdr) && !ownMdr.isEmpty()) {
        if (!QFileInfo::exists(ownMdr)) {
            if (QFile::copy(previousMdr, ownMdr)) {
                if (hooks_.recargaRecursos) hooks_.recargaRecursos();
                Informa(QStringLiteral("Se han importado los recursos antiguos\n\nAnteriores: ") +
                        previousMdr + QStringLiteral("\n\nImportados a: ") + ownMdr);
            }
        } else if (interactive) {
            Informa(QStringLiteral("No se han importado los recursos antiguos porque ya existe "
                                   "el archivo\n\n") +
                    ownMdr);
        }
    }
    return added;
}

bool TEmpresasBD::ImportaPrimeraVez() {
    if (list_.Ini().value(kArchivoIniImportado, false).toBool()) return false;
    list_.Ini().setValue(kArchivoIniImportado, true);
    list_.Ini().sync();
    for (const QString& app : previous_) ImportaAplicacionAnterior(app, false);
    return true;
}

TEmpresasBD* Empresas() {
    return g_empresas;
}
void SetEmpresas(TEmpresasBD* empresas) {
    g_empresas = empresas;
}

}  // namespace zmk
