#pragma once
// Every file the program writes (reports, exports, language files, resources) is written whole
// or not at all: the content goes to a temporary file beside the target, which replaces the
// target only once everything was written and flushed to disk. A failure leaves the target as
// it was and raises EZMKError with the reason ("No queda espacio en el disco" ...).
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

namespace zmk {

// Writes the file at path through write, which gets the temporary file open for writing.
// An exception from write discards the temporary file and passes on.
void WriteFileAtomically(const QString& path, const std::function<void(QIODevice&)>& write);
void WriteFileAtomically(const QString& path, const QByteArray& content);

}  // namespace zmk
