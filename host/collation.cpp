#include "host/collation.h"

#include <sqlite3.h>

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVarLengthArray>
#include <QVariant>
#include <array>

namespace zmk {

namespace {

// The letter a character sorts as, for Latin-1 and Latin Extended-A (accents removed, lower
// case); "ñ" sorts as its own letter between "n" and "o", which the key's low bit gives it.
struct TClaves {
    std::array<char16_t, 0x180> base{};
    TClaves() {
        for (char16_t c = 0; c < base.size(); ++c) {
            QChar ch(c);
            const QString d = ch.decomposition();
            QChar b = d.isEmpty() || ch.decompositionTag() != QChar::Canonical ? ch : d.at(0);
            base[c] = b.toLower().unicode();
        }
    }
};

inline unsigned Clave(char16_t c) {
    static const TClaves claves;
    if (c == u'ñ' || c == u'Ñ') return (unsigned(u'n') << 1) | 1;
    if (c < claves.base.size()) return unsigned(claves.base[c]) << 1;
    return unsigned(QChar(c).toLower().unicode()) << 1;
}

inline char16_t Minuscula(char16_t c) {
    return c < 128 ? (c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c) : QChar(c).toLower().unicode();
}

// UTF-8 (the files' encoding) into UTF-16 on the stack: names are short.
void Decodifica(const unsigned char* p, int bytes, QVarLengthArray<char16_t, 128>& out) {
    for (int i = 0; i < bytes;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            out.append(c);
            i += 1;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < bytes) {
            out.append(char16_t(((c & 0x1F) << 6) | (p[i + 1] & 0x3F)));
            i += 2;
        } else if ((c & 0xF0) == 0xE0 && i + 2 < bytes) {
            out.append(char16_t(((c & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F)));
            i += 3;
        } else {
            // Beyond the basic plane (or a broken byte): after every letter, in byte order.
            out.append(char16_t(0xFFFD));
            i += (c & 0xF8) == 0xF0 ? 4 : 1;
        }
    }
}

int Compara(void*, int bytesA, const void* a, int bytesB, const void* b) {
    QVarLengthArray<char16_t, 128> ua, ub;
    Decodifica(static_cast<const unsigned char*>(a), bytesA, ua);
    Decodifica(static_cast<const unsigned char*>(b), bytesB, ub);
    return CompareSpanish(QStringView(ua.constData(), ua.size()),
                          QStringView(ub.constData(), ub.size()));
}

}  // namespace

int CompareSpanish(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    // First the letters (no case, no accents), then the accents (still no case).
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned ka = Clave(a[i].unicode()), kb = Clave(b[i].unicode());
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ma = Minuscula(a[i].unicode()), mb = Minuscula(b[i].unicode());
        if (ma != mb) return ma < mb ? -1 : 1;
    }
    return 0;
}

bool InstallSpanishCollation(const QSqlDatabase& connection) {
    const QVariant handle = connection.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return false;
    sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
    return db && sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, Compara) == SQLITE_OK;
}

}  // namespace zmk
