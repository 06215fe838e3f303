#include "maintenance/torvan_zip_lister.h"

#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cmath>
#include <cstdio>

#include "host/datetime.h"
#include "host/prompt.h"
#include "maintenance/archive_zlib.h"

namespace zmk {

namespace {

const QString kOldDescription = QStringLiteral("(Sin descripción)");

// Day serials of the years 100 to 9999: anything else in an image is damage.
bool PlausibleSerial(double serial) {
    return std::isfinite(serial) && serial > -657435.0 && serial < 2958466.0;
}

void CheckSizes(qint32 size, qint32 compressed) {
    if (size < 0)
        throw ETorvan_Zip(QStringLiteral("Error, el archivo original tenia tamaño negativo"));
    if (compressed < 0)
        throw ETorvan_Zip(QStringLiteral("Error, el archivo comprimido tiene tamaño negativo"));
}

QString ExtractRelativePath(const QString& base, const QString& path) {
    if (base.isEmpty()) return path;
    return QDir(base).relativeFilePath(path);
}

QString StoredForm(const QString& path) {
    QString name = QDir::cleanPath(path);
    name.replace(u'/', u'\\');
    return name;
}

// A name joined to a directory must stay inside it.
void RequireInside(const QString& name) {
    const QStringList parts = LocalPath(name).split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.contains(QStringLiteral("..")))
        throw ETorvan_Zip(QStringLiteral("Nombre de archivo no válido en la copia: ") + name);
}

QString LastComponent(const QString& name) {
    return LocalPath(name).section(u'/', -1);
}

}  // namespace

QString LocalPath(const QString& storedName) {
    QString path = storedName;
    path.replace(u'\\', u'/');
    return path;
}

TTorvan_Zip_Lister::TTorvan_Zip_Lister() : creation_date_(Ahora()) {}

void TTorvan_Zip_Lister::SetCreationDate(const QDateTime& date) {
    if (date == creation_date_) return;
    creation_date_ = date;
    modified_ = true;
}

void TTorvan_Zip_Lister::SetDescription(const QString& text) {
    if (text == description_) return;
    description_ = text;
    modified_ = true;
}

void TTorvan_Zip_Lister::SetApplicationText(const QString& text) {
    if (text == application_text_) return;
    application_text_ = text;
    modified_ = true;
}

void TTorvan_Zip_Lister::SetApplicationNumber(qint32 number) {
    if (number == application_number_) return;
    application_number_ = number;
    modified_ = true;
}

const TArxiuComprimit& TTorvan_Zip_Lister::At(int index) const {
    if (index < 0 || index >= Count())
        throw ETorvan_Zip(QStringLiteral("Index out of Bounds: ") + QString::number(index) + u'/' +
                          QString::number(Count()));
    return entries_[size_t(index)];
}

TArxiuComprimit TTorvan_Zip_Lister::Entry(int index) const {
    return At(index);
}

QString TTorvan_Zip_Lister::Name(int index) const {
    return At(index).name;
}

qint32 TTorvan_Zip_Lister::Size(int index) const {
    return At(index).size;
}

qint32 TTorvan_Zip_Lister::CompressedSize(int index) const {
    return qint32(At(index).data.size());
}

void TTorvan_Zip_Lister::Progress(const QString& file, qint64 total, qint64 position) const {
    if (on_progress_) on_progress_(file, total, position);
}

QString TTorvan_Zip_Lister::StoredName(const QString& path, int group,
                                       const QString& baseDir) const {
    QString base = baseDir;
    if (group >= 1 && groups_.Defined(group)) base = groups_.Directory(group);
    return StoredForm(ExtractRelativePath(base, path));
}

bool TTorvan_Zip_Lister::AddFile(const QString& path, const QString& description, int group,
                                 int level, const QString& baseDir, const QString& contentPath) {
    const QFileInfo info(path);
    if (!info.exists()) throw ETorvan_Zip(QStringLiteral("file not found:\n") + path);
    TArxiuComprimit entry;
    entry.name = StoredName(info.absoluteFilePath(), group, baseDir);
    entry.description = description;
    entry.time = DosDateTime(info.lastModified());
    entry.attributes = DosAttributes(path);
    entry.group = group;
    QFile file(contentPath.isEmpty() ? path : contentPath);
    while (!file.open(QIODevice::ReadOnly)) {
        const QString error = QStringLiteral("No se puede abrir el archivo ") + file.fileName() +
                              u'\n' + file.errorString();
        TQuestion question;
        question.caption = QStringLiteral("Zipping");
        question.text = QStringLiteral("ERROR :\n\r") + error;
        question.buttons = {TMsgButton::Abort, TMsgButton::Retry, TMsgButton::Ignore};
        question.icon = TMsgIcon::Error;
        const TMsgButton answer = Prompt().Ask(question);
        if (answer == TMsgButton::Ignore) return false;
        if (answer != TMsgButton::Retry) throw ETorvan_Zip(error);
    }
    if (file.size() > 0x7FFFFFFF)
        throw ETorvan_Zip(QStringLiteral("El archivo es demasiado grande para la copia:\n") + path);
    entry.size = qint32(file.size());
    Progress(path, entry.size, 0);
    entry.data = DeflateDevice(file, ZlibLevel(level),
                               [&](qint64 position) { Progress(path, entry.size, position); });
    if (entry.data.size() > 0x7FFFFFFF)
        throw ETorvan_Zip(QStringLiteral("El archivo es demasiado grande para la copia:\n") + path);
    Progress(path, entry.size, entry.size);
    AddEntry(entry);
    return true;
}

void TTorvan_Zip_Lister::AddEntry(const TArxiuComprimit& entry) {
    for (const TArxiuComprimit& e : entries_)
        if (e.name.compare(entry.name, Qt::CaseInsensitive) == 0)
            throw ETorvan_Zip(QStringLiteral("File exists: ") + entry.name);
    if (entry.group > 0 && !groups_.Defined(entry.group))
        throw ETorvan_Zip(QStringLiteral("No se encuentra el grupo"));
    entries_.push_back(entry);
    modified_ = true;
}

void TTorvan_Zip_Lister::Delete(int index) {
    At(index);
    entries_.erase(entries_.begin() + index);
    modified_ = true;
}

void TTorvan_Zip_Lister::Clear() {
    for (int i = Count() - 1; i >= 0; --i) Delete(i);
}

bool TTorvan_Zip_Lister::Extract(int index, const QString& targetDir) {
    const TArxiuComprimit& entry = At(index);
    QString path;
    if (entry.group > 0) {
        RequireInside(entry.name);
        QString dir = groups_.Directory(entry.group);
        if (dir.isEmpty()) dir = targetDir;
        path = dir + u'\\' + entry.name;
    } else if (!targetDir.isEmpty()) {
        RequireInside(LastComponent(entry.name));
        path = targetDir + u'\\' + LastComponent(entry.name);
    } else {
        path = entry.name;
    }
    return ExtractEntry(index, QDir::cleanPath(LocalPath(path)));
}

bool TTorvan_Zip_Lister::ExtractTo(int index, const QString& path) {
    At(index);
    return ExtractEntry(index, path);
}

bool TTorvan_Zip_Lister::ExtractEntry(int index, QString path) {
    const TArxiuComprimit entry = At(index);
    if (on_before_extract_) on_before_extract_(index, entry, path);
    const QString dir = QFileInfo(path).path();
    if (path.size() >= 3 && !QFileInfo(dir).isDir()) {
        bool create = create_directories_;
        if (on_create_directory_) on_create_directory_(dir, create);
        if (!create) return false;
        if (dir.isEmpty() || !QDir().mkpath(dir))
            throw ETorvan_Zip(QStringLiteral("ERROR CREANDO DIRECTORIO:\n") + dir);
    }
    const bool existed = QFileInfo::exists(path);
    if (existed) {
        bool overwrite = overwrite_files_;
        if (on_overwrite_) on_overwrite_(path, overwrite);
        if (!overwrite) return false;
    }
    // Inflated beside the target and checked before it takes the target's place, so that a
    // damaged entry or a cancel leaves the existing file as it was.
    QTemporaryFile temporary(dir + QStringLiteral("/.") + QFileInfo(path).fileName() +
                             QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        throw ETorvan_Zip(QStringLiteral("No se puede crear el archivo:\n") + path + u'\n' +
                          temporary.errorString());
    Progress(path, entry.size, 0);
    InflateData(entry.data, entry.size, &temporary, entry.name,
                [&](qint64 position) { Progress(path, entry.size, position); });
    if (!temporary.flush() || ::fsync(temporary.handle()) != 0)
        throw ETorvan_Zip(QStringLiteral("No se puede escribir el archivo:\n") + path);
    temporary.close();
    temporary.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                             QFile::ReadOther);
    if (on_check_extracted_) on_check_extracted_(entry, temporary.fileName());
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0)
        throw ETorvan_Zip((existed ? QStringLiteral("Imposible borrar el archivo:\n")
                                   : QStringLiteral("No se puede crear el archivo:\n")) +
                          path);
    temporary.setAutoRemove(false);
    if (on_extracted_) on_extracted_(index, path);
    return true;
}

void TTorvan_Zip_Lister::Check(int index) const {
    const TArxiuComprimit& entry = At(index);
    InflateData(entry.data, entry.size, nullptr, entry.name, {});
}

QByteArray TTorvan_Zip_Lister::SaveToImage() {
    QByteArray image;
    TArchiveWriter w(image);
    w.Int32(-1);
    w.ListBegin();
    w.Integer(Count());
    w.Date(DateTimeToSerial(creation_date_));
    w.String(description_);
    w.String(application_text_);
    w.Integer(application_number_);
    w.ListEnd();
    w.ListBegin();
    for (const TArxiuComprimit& e : entries_) {
        w.ListBegin();
        w.String(e.name);
        w.String(e.description);
        w.Integer(e.size);
        w.Integer(qint32(e.data.size()));
        w.Integer(e.attributes);
        w.Integer(e.time);
        w.Integer(e.group);
        w.Raw(e.data);
        w.ListEnd();
    }
    w.ListEnd();
    modified_ = false;
    return image;
}

void TTorvan_Zip_Lister::SaveToStream(QIODevice& out) {
    const QByteArray image = SaveToImage();
    if (out.write(image) != image.size()) throw ETorvan_Zip(out.errorString());
}

void TTorvan_Zip_Lister::LoadFromStream(QIODevice& in) {
    LoadFromImage(in.readAll());
}

void TTorvan_Zip_Lister::LoadFromImage(const QByteArray& image) {
    TArchiveReader reader(image);
    const qint32 first = reader.Int32();
    if (first == -1)
        LoadNewFormat(reader);
    else if (first < -1)
        throw ETorvan_Zip(
            QStringLiteral("Error, numero de archivos contenidos erroneo, inferior a 0"));
    else
        LoadOldFormat(reader, first);
}

void TTorvan_Zip_Lister::LoadNewFormat(TArchiveReader& reader) {
    reader.ListBegin();
    const qint32 count = reader.Integer();
    if (count < 0)
        throw ETorvan_Zip(
            QStringLiteral("Error, numero de archivos contenidos erroneo, inferior a 0"));
    const double created = reader.Date();
    if (!PlausibleSerial(created)) throw ETorvan_Zip(QStringLiteral("Invalid property value"));
    creation_date_ = SerialToDateTime(created);
    description_ = reader.String();
    application_text_ = reader.String();
    application_number_ = reader.Integer();
    reader.ListEnd();
    reader.ListBegin();
    qint32 read = 0;
    while (!reader.EndOfList()) {
        reader.ListBegin();
        TArxiuComprimit e;
        e.name = reader.String();
        e.description = reader.String();
        e.size = reader.Integer();
        const qint32 compressed = reader.Integer();
        CheckSizes(e.size, compressed);
        e.attributes = reader.Integer();
        e.time = reader.Integer();
        e.group = reader.Integer();
        e.data = reader.Raw(compressed);
        reader.ListEnd();
        AddEntry(e);
        ++read;
    }
    reader.ListEnd();
    if (read != count)
        throw ETorvan_Zip(
            QStringLiteral("Error, el numero de archivos no coincide con los contenidos"));
}

void TTorvan_Zip_Lister::LoadOldFormat(TArchiveReader& reader, qint32 count) {
    const double created = reader.Double();
    if (!PlausibleSerial(created)) throw ETorvan_Zip(QStringLiteral("Invalid property value"));
    creation_date_ = SerialToDateTime(created);
    description_ = FromWindows1252(reader.BytesUpToZero());
    application_text_.clear();
    application_number_ = 0;
    for (qint32 i = 0; i < count; ++i) {
        TArxiuComprimit e;
        e.name = FromWindows1252(reader.BytesUpToZero());
        e.description = kOldDescription;
        e.size = reader.Int32();
        const qint32 compressed = reader.Int32();
        CheckSizes(e.size, compressed);
        e.attributes = reader.Int32();
        e.time = reader.Int32();
        e.data = reader.Raw(compressed);
        if (reader.Byte() != 0) throw ETorvan_Zip(QStringLiteral("Fin de Stream no encontrado!"));
        AddEntry(e);
    }
    if (reader.Byte() != 0)
        throw ETorvan_Zip(QStringLiteral("Fin de LoadFromStream no encontrado!"));
}

}  // namespace zmk
