#pragma once
// Some file libraries crash or loop for ever on a damaged file. What they read is read in a
// child process instead, so that such a file is refused and the program goes on.
#include <QByteArray>
#include <QString>
#include <functional>

#include "rules/lectores/origendatos.h"

namespace zmk {

// Runs trabajo in a child process and answers the bytes it returned. An EZMKError it raises is
// raised again here; a child that dies, or takes longer than segundos, raises
// EZMKError(errorSiFalla). The child writes nothing on the standard error and may take up to
// 2 GB of memory; beyond it its allocations fail.
QByteArray EnProcesoAparte(const std::function<QByteArray()>& trabajo, int segundos,
                           const QString& errorSiFalla);

// Tables as bytes from the child to the parent, and back.
QByteArray TablasComoBytes(const QList<TTablaOrigen>& tablas);
QList<TTablaOrigen> TablasDeBytes(const QByteArray& bytes);

}  // namespace zmk
