#pragma once
// The automatic backup: when the setting is on, closing the program backs the open company up
// (with the resource file) into a chosen folder, at most once a day, keeping the latest archives.
// Off by default; offered once, at the first close after the demo company was created. A failure
// is shown and never keeps the program from closing.
//
// INI section "COPIA_AUTOMATICA": "Activa", "Carpeta", "Conservar" (archives kept, 10),
// "Ultima" (date of the last one, yyyy-MM-dd), "Ofrecer" (true until offered).
#include <QDate>
#include <QSettings>
#include <QString>
#include <QStringList>

#include "maintenance/backup_installation.h"

namespace zmk {

struct TCopiaAutomatica {
    bool activa = false;
    QString carpeta;
    int conservar = 10;
    QDate ultima;
    bool ofrecer = false;
};

TCopiaAutomatica LeeCopiaAutomatica(QSettings& ini);
void GuardaCopiaAutomatica(QSettings& ini, const TCopiaAutomatica& settings);
// Marks the setting to be offered at the next close (the demo's creation calls it).
void OfreceCopiaAutomatica(QSettings& ini);

// The archive of a day in the folder: "Copia automática yyyy-MM-dd.TvZ".
QString ArchivoCopiaAutomatica(const QString& carpeta, const QDate& day);
// Removes the oldest automatic archives (with their further volumes) beyond keep; returns the
// archives removed.
QStringList PodaCopiasAutomaticas(const QString& carpeta, int keep);

// What the main window runs when it closes; openIndex is the open company (-1: none). Never
// raises: a failure is shown.
void CopiaAutomaticaAlCerrar(QSettings& ini, const TBackupInstallation& installation,
                             int openIndex);

}  // namespace zmk
