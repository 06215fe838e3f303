#pragma once
// Consistent copies of company databases for a backup, and the check of a restored one.
#include <QString>

namespace zmk {

// Writes into target a copy of the database source as it stood at one committed moment, through
// SQLite's online backup, so that changes other workstations are committing (still in the
// write-ahead log, or being written meanwhile) are either wholly in the copy or not at all.
// Raises when source is not a database.
void SnapshotDatabase(const QString& source, const QString& target);

// Raises "La base de datos restaurada está dañada" with SQLite's findings unless the file opens
// and passes PRAGMA integrity_check.
void CheckDatabaseIntegrity(const QString& file);

}  // namespace zmk
