#include "maintenance/passwordhash.h"

#include <sodium.h>

#include "host/errors.h"

namespace zmk {

namespace {

void InitSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw EZMKError(QStringLiteral("No se puede iniciar la biblioteca de cifrado (libsodium)"));
}

const QString kPrefix = QStringLiteral(crypto_pwhash_STRPREFIX);

}  // namespace

bool FastPasswordHashing() {
    return qEnvironmentVariable("ESCOLIA_PASSWORD_HASH_COST") == QLatin1String("minimum");
}

QString HashPassword(const QString& password) {
    InitSodium();
    const QByteArray bytes = password.toUtf8();
    const bool fast = FastPasswordHashing();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(
            out, bytes.constData(), static_cast<unsigned long long>(bytes.size()),
            fast ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE,
            fast ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE,
            crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw EZMKError(QStringLiteral(
            "No hay memoria suficiente para proteger la contraseña: cierre otros programas y "
            "vuelva a intentarlo"));
    return QString::fromLatin1(out);
}

bool IsPasswordHash(const QString& stored) {
    return stored.startsWith(kPrefix);
}

bool PasswordMatches(const QString& stored, const QString& typed) {
    if (!IsPasswordHash(stored)) return stored == typed;
    InitSodium();
    const QByteArray hash = stored.toLatin1();
    const QByteArray bytes = typed.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), bytes.constData(),
                                    static_cast<unsigned long long>(bytes.size())) == 0;
}

QString StoredPassword(const QString& passwordOrHash) {
    return IsPasswordHash(passwordOrHash) ? passwordOrHash : HashPassword(passwordOrHash);
}

}  // namespace zmk
