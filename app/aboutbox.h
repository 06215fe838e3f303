#pragma once
// TCCFRMAboutApp: the about box.
#include <QDate>
#include <QDialog>
#include <QString>
#include <QWidget>

namespace zmk {

struct TInfoAplicacion {
    QString descripcion;  // the application's one-line description
    QDate fechaGuardado;  // the application file's save date; null: no saved-application line
    int contadorGuardado = 0;
};

// Memory in bytes, from the text of /proc/meminfo: total and available physical memory, and
// available virtual memory (available physical plus free swap). Missing lines count as 0.
struct TMemoria {
    qint64 fisica = 0;
    qint64 fisicaDisponible = 0;
    qint64 virtualDisponible = 0;
};
TMemoria LeeMemoria(const QByteArray& meminfo);

// Bytes as megabytes: the integer part of bytes / 1048576 plus 1, with one decimal and " MB".
QString Megabytes(qint64 bytes);

// The saved-application line: system name and version, " 64b " on a 64-bit system (else " "),
// " ZMK: " + save date "dd/mm/yyyy" + " - " + save counter. Empty without a save date.
QString LineaAplicacionGuardada(const TInfoAplicacion& info);

class TCCFRMAboutApp : public QDialog {
  public:
    TCCFRMAboutApp(QWidget* parent, const TInfoAplicacion& info);
};

void ShowAboutBox(QWidget* parent, const TInfoAplicacion& info);

}  // namespace zmk
