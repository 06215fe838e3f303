#pragma once
// The company database's tables and columns, with their logical types and data-source
// identifiers, and the statements that create a new database of the current version.
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "host/fieldtype.h"

namespace zmk {
class TDataBaseZMK;
}

namespace zmk::schema {

constexpr int kVersionBaseDatos = 4;
inline const QString kNombreAplicacionBD = QStringLiteral("ZMK Escolia EXT");

struct Column {
    QString name;
    TFieldType type;
    int size = 0;  // text length limit, 0 when none
    // What a new row typed on a screen starts with. A flag that starts TRUE is also the
    // column's default for inserts that omit it.
    enum class Starts { Empty, True, Today, Now };
    Starts starts = Starts::Empty;
};

struct Table {
    QString name;
    QString caption;              // empty for tables outside the application's list
    int dataSourceId = 0;         // 0 when the screens do not name it
    QString key;                  // empty for the system tables
    std::vector<Column> columns;  // in creation order
};

const std::vector<Table>& Tables();
const Table* FindTable(const QString& name);  // without regard to case
const Table* FindTableByDataSource(int dataSourceId);
// Logical type of a column, by its name (unique across the database); Unknown when none.
TFieldType ColumnType(const QString& column);
// Makes data sets read columns with their logical types, and start new records with the
// columns' defaults.
void InstallFieldTypeResolver();

// CREATE TABLE and CREATE INDEX statements of the current version.
QStringList CreateStatements();
// Creates the tables, indexes and version rows in an empty database.
void CreateSchema(TDataBaseZMK& db);
// A new company file at path (refused when the file exists).
std::unique_ptr<TDataBaseZMK> CreateCompanyDatabase(const QString& path);

}  // namespace zmk::schema
