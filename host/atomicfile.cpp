#include "host/atomicfile.h"

#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "host/errors.h"

namespace zmk {

namespace {

// The reason in the user's words where the system gives one we know.
QString Reason(const QFileDevice& file) {
    const QString system = file.errorString();
    const std::pair<int, const char*> known[] = {
        {ENOSPC, "No queda espacio en el disco"},
        {EFBIG, "El archivo es demasiado grande para el disco"},
        {EDQUOT, "Se ha superado la cuota de disco"},
        {EACCES, "No tiene permiso para escribir en esa carpeta"},
        {EROFS, "El disco es de solo lectura"},
        {ENOENT, "La carpeta no existe"},
    };
    for (const auto& [code, text] : known)
        if (system.contains(QString::fromLocal8Bit(std::strerror(code))))
            return QString::fromUtf8(text);
    return system;
}

[[noreturn]] void Fail(const QString& path, const QString& reason) {
    throw EZMKError(
        QStringLiteral("No se puede escribir el archivo \"%1\":\n%2").arg(path, reason));
}

// What the writer writes through: it keeps the first failure. A file device forgets a failed
// write at the next operation (writers that ignore what write returns carry on), and a buffered
// one reports a short write on a full disk as success.
class TWriteGuard : public QIODevice {
  public:
    explicit TWriteGuard(QSaveFile& file) : file_(file) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && file_.seek(pos); }
    const QString& Failure() const { return failure_; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        // A short write says nothing; the next one gives the reason.
        qint64 written = 0;
        while (written < size) {
            const qint64 part = file_.write(data + written, size - written);
            if (part <= 0) {
                if (failure_.isEmpty()) failure_ = Reason(file_);
                return written > 0 ? written : -1;
            }
            written += part;
        }
        return written;
    }

  private:
    QSaveFile& file_;
    QString failure_;
};

}  // namespace

void WriteFileAtomically(const QString& path, const std::function<void(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) Fail(path, Reason(file));
    TWriteGuard guard(file);
    // Leaving without commit (an exception from write included) discards the temporary file.
    write(guard);
    if (!guard.Failure().isEmpty()) Fail(path, guard.Failure());
    if (!file.commit()) Fail(path, Reason(file));
}

void WriteFileAtomically(const QString& path, const QByteArray& content) {
    WriteFileAtomically(path, [&](QIODevice& out) { out.write(content); });
}

}  // namespace zmk
