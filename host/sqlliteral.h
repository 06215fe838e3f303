#pragma once
// How a value is written into SQL text: NULL, TRUE/FALSE, numbers, dates as day serials and
// texts quoted, in a database's rendering. Every value that goes into SQL text passes through
// here (core's ValorSQL wraps it).
#include <QString>
#include <QVariant>

namespace zmk {

class TDataBaseZMK;

// The literal of value in db's rendering; without a database, the default one's (raises when
// no database is open). A value of a type SQL has no literal for raises.
QString SqlLiteral(const QVariant& value, const TDataBaseZMK* db = nullptr);

}  // namespace zmk
