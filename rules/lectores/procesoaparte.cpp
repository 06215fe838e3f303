#include "rules/lectores/procesoaparte.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDataStream>
#include <QElapsedTimer>
#include <QIODevice>

#include "host/errors.h"

namespace zmk {

namespace {

void EscribeTodo(int fd, const QByteArray& bytes) {
    qsizetype hecho = 0;
    while (hecho < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + hecho, size_t(bytes.size() - hecho));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        hecho += n;
    }
}

// The memory a child may take: far more than any list of students needs, far less than a size
// forged in a damaged file asks for (such a request then fails instead of swapping).
constexpr rlim_t kMemoriaHijo = rlim_t(2) << 30;

[[noreturn]] void TrabajaHijo(int fd, const std::function<QByteArray()>& trabajo) {
    if (const int nulo = ::open("/dev/null", O_WRONLY); nulo >= 0) ::dup2(nulo, STDERR_FILENO);
    rlimit limite{};
    if (::getrlimit(RLIMIT_AS, &limite) == 0 && limite.rlim_cur > kMemoriaHijo) {
        limite.rlim_cur = kMemoriaHijo;
        ::setrlimit(RLIMIT_AS, &limite);
    }
    QByteArray respuesta;
    try {
        respuesta = QByteArray(1, 'O') + trabajo();
    } catch (const EZMKError& e) {
        respuesta = QByteArray(1, 'E') + e.Message().toUtf8();
    } catch (...) {
        respuesta = QByteArray(1, 'X');
    }
    EscribeTodo(fd, respuesta);
    ::_exit(0);
}

}  // namespace

QByteArray EnProcesoAparte(const std::function<QByteArray()>& trabajo, int segundos,
                           const QString& errorSiFalla) {
    int tubo[2];
    if (::pipe(tubo) != 0) throw EZMKError(errorSiFalla);
    const pid_t hijo = ::fork();
    if (hijo < 0) {
        ::close(tubo[0]);
        ::close(tubo[1]);
        throw EZMKError(errorSiFalla);
    }
    if (hijo == 0) {
        ::close(tubo[0]);
        TrabajaHijo(tubo[1], trabajo);
    }
    ::close(tubo[1]);
    QByteArray recibido;
    QElapsedTimer reloj;
    reloj.start();
    bool completo = false;
    char bloque[65536];
    while (!completo) {
        const qint64 quedan = qint64(segundos) * 1000 - reloj.elapsed();
        if (quedan <= 0) break;
        pollfd espera{tubo[0], POLLIN, 0};
        const int r = ::poll(&espera, 1, int(quedan));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        const ssize_t n = ::read(tubo[0], bloque, sizeof bloque);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            completo = n == 0;
            if (n < 0) break;
        } else {
            recibido.append(bloque, qsizetype(n));
        }
    }
    ::close(tubo[0]);
    if (!completo) ::kill(hijo, SIGKILL);
    int estado = 0;
    while (::waitpid(hijo, &estado, 0) < 0 && errno == EINTR) {
    }
    const bool sano = completo && WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
    if (!sano || recibido.isEmpty() || recibido.front() == 'X') throw EZMKError(errorSiFalla);
    if (recibido.front() == 'E') throw EZMKError(QString::fromUtf8(recibido.mid(1)));
    return recibido.mid(1);
}

QByteArray TablasComoBytes(const QList<TTablaOrigen>& tablas) {
    QByteArray bytes;
    QDataStream flujo(&bytes, QIODevice::WriteOnly);
    flujo << qint32(tablas.size());
    for (const TTablaOrigen& t : tablas) flujo << t.nombre << t.columnas << t.filas;
    return bytes;
}

QList<TTablaOrigen> TablasDeBytes(const QByteArray& bytes) {
    QDataStream flujo(bytes);
    qint32 n = 0;
    flujo >> n;
    QList<TTablaOrigen> tablas;
    for (qint32 i = 0; i < n && flujo.status() == QDataStream::Ok; ++i) {
        TTablaOrigen t;
        flujo >> t.nombre >> t.columnas >> t.filas;
        tablas << t;
    }
    return tablas;
}

}  // namespace zmk
