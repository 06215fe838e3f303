#include "rules/lectores/procesoaparte.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>

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

[[noreturn]] void TrabajaHijo(int fd, const std::function<QByteArray()>& trabajo) {
    if (const int nulo = ::open("/dev/null", O_WRONLY); nulo >= 0) ::dup2(nulo, STDERR_FILENO);
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

}  // namespace zmk
