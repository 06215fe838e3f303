#pragma once
// TCCFRMAboutApp: the about box.
#include <QDate>
#include <QString>
#include <QWidget>

namespace zmk {

struct TInfoAplicacion {
    QString descripcion;  // the application's one-line description
    QDate fechaGuardado;  // the application file's save date; null: no saved-application line
    int contadorGuardado = 0;
};

void ShowAboutBox(QWidget* parent, const TInfoAplicacion& info);

// Bytes as megabytes: the integer part of bytes / 1048576 plus 1, with one decimal and " MB".
QString Megabytes(qint64 bytes);

}  // namespace zmk
