#pragma once
// The order of the company's texts: Spanish, without regard to case or accents ("Álvarez" among
// the A's, "ñ" after "n"). Installed as SQLite's NOCASE, the collation every text column declares,
// so lists, lookups and comparisons all follow it. On plain ASCII it orders and compares exactly
// as SQLite's own NOCASE, so indexes built by either agree.
#include <QStringView>

class QSqlDatabase;

namespace zmk {

// Negative, zero or positive as a sorts before, with or after b. Texts that differ only in case
// are equal; texts that differ only in accents are not, and the plain letter comes first.
int CompareSpanish(QStringView a, QStringView b);

// Replaces NOCASE (its UTF-8 form, the one SQLite uses on these files) on the connection; false
// when the connection is not an SQLite one.
bool InstallSpanishCollation(const QSqlDatabase& connection);

}  // namespace zmk
