// libFuzzer target over the spreadsheet readers (.xls through FreeXL, .xlsx and .ods through
// liborcus and our import factory): any input must end in a table or in the readers' error,
// never in a crash, a hang or an allocation the file's sizes drive. The kind of file is told by
// its first bytes (a compound file is .xls, a zip with the OpenDocument type .ods, another zip
// .xlsx), otherwise by its length, so that the seed files of every kind can be mutated.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>

#include "host/errors.h"
#include "rules/lectores/origendatos.h"

namespace {

QString Extension(const QByteArray& bytes) {
    if (bytes.startsWith("\xD0\xCF\x11\xE0")) return QStringLiteral("xls");
    if (bytes.startsWith("PK"))
        return bytes.contains("application/vnd.oasis.opendocument") ? QStringLiteral("ods")
                                                                    : QStringLiteral("xlsx");
    static const char* const kTipos[] = {"xls", "xlsx", "ods"};
    return QLatin1String(kTipos[bytes.size() % 3]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString archivo = QDir::temp().filePath(
        QStringLiteral("fuzz_lectores_%1.").arg(QCoreApplication::applicationPid()) +
        Extension(bytes));
    {
        QFile f(archivo);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(bytes);
    }
    try {
        // Through the readers as the program uses them: the libraries read in a child process,
        // where their own faults (liborcus' assertions, FreeXL's overruns) end in a refusal.
        const auto origen = zmk::AbrirOrigenDatos(archivo);
        for (const QString& tabla : origen->Tablas()) origen->LeerTabla(tabla);
    } catch (const zmk::EZMKError&) {
    }
    QFile::remove(archivo);
    return 0;
}
