#pragma once
// The master (empty) database files, built from the schema: the current version and the older
// formats whose files this program still upgrades. Each master of version v > kVersionMasterMinima
// holds the import queries that read a file of version v - 1 attached as "Origen".
//
// The masters are generated, not kept in the repository: the program creates any missing or
// outdated one in the empty-database directory at start-up (AseguraMasters), and
// "escolia-cli masters DIR" writes them for shipping.
#include <QMap>
#include <QString>
#include <QStringList>

namespace zmk {

// The oldest format still upgraded (a synthetic earlier format of the files). Its files have no
// version table: the version-1 master's list of tables recognises them, and a file that has
// neither a version table nor those tables belongs to another program.
constexpr int kVersionMasterMinima = 1;

// Table name -> column names of the files of a version (kVersionMasterMinima .. current).
QMap<QString, QStringList> ColumnasVersion(int version);
// The import queries of the master of `version` (name, SQL text), in name order.
QList<std::pair<QString, QString>> ConsultasImportacion(int version);
// Prefix of the import queries of the master of `version` ("EXT" + the older version).
QString PrefijoImportacion(int version);

// Writes the master of a version at path (replacing it).
void CreaMaster(int version, const QString& path);
// Whether the file at path is the master of that version as the schema now describes it.
bool MasterAlDia(int version, const QString& path);
// Creates the masters missing or outdated in the directory (created when missing); returns
// the files written.
QStringList CreaMasters(const QString& directory);
// The same for the configured empty-database directory; failures leave the masters as they are
// (the operations that need one report it missing).
QStringList AseguraMasters();

}  // namespace zmk
