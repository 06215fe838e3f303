#pragma once
// Passwords are kept as Argon2id salted hashes (libsodium's encoded form, "$argon2id$..."), never
// as typed. A stored value that is not such a hash is a password of the older format, kept as
// typed: it still matches, and the stores rewrite it as a hash.
#include <QString>

namespace zmk {

// The stored form of a typed password: a fresh salted hash.
QString HashPassword(const QString& password);
// Whether a stored value is a hash (otherwise it is an older, typed password).
bool IsPasswordHash(const QString& stored);
// Whether typed is the password stored (hash or older format); case-sensitive.
bool PasswordMatches(const QString& stored, const QString& typed);
// The stored form to write: a hash is kept as it is, anything else is hashed.
QString StoredPassword(const QString& passwordOrHash);

// The hash's cost. Tests set "ESCOLIA_PASSWORD_HASH_COST=minimum" so that they stay fast; a
// program that runs without it uses libsodium's interactive cost.
bool FastPasswordHashing();

}  // namespace zmk
