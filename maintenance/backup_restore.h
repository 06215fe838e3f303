#pragma once
// Bringing files back from a backup: reading its volumes (asking for missing ones), refusing
// another application's backup, and restoring entries with the restore rule: a company database
// always comes back as a new company of the list, never over an existing file; the resource file
// only after an explicit alert. Every file is inflated beside its target and checked (a database
// must pass PRAGMA integrity_check) before it takes its place.
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

#include "maintenance/backup_installation.h"

namespace zmk {

class TTorvan_Zip_Lister;
struct TArxiuComprimit;

// A size as the restore dialog shows it: thousands separated by ".", " B" below 1024 bytes,
// otherwise whole " KB".
QString FormatBackupSize(qint64 bytes);

// Reads the backup chosen as path and its further volumes (path + 1, path + 2, ...).
std::unique_ptr<TTorvan_Zip_Lister> AbrirCopia(const TBackupInstallation& installation,
                                               const QString& path);

// Whether the backup belongs to another application; warns when it does.
bool CopiaAjena(const TTorvan_Zip_Lister& lister, const TBackupInstallation& installation);

// Entries ticked at first: all but the program directory's (the resource file).
QList<int> EntradasPorDefecto(const TTorvan_Zip_Lister& lister);

// Inflates every entry (a database also to a temporary file that must pass the integrity check);
// raises naming the first damaged entry.
void VerificarCopia(const TTorvan_Zip_Lister& lister);

// The questions after a single restore: whether to close the dialog.
QString TextoRecuperado(const QString& name);
QString TextoRecuperadoComo(const QString& name, const QString& path);

class TRestaurador {
  public:
    TRestaurador(TTorvan_Zip_Lister& lister, const TBackupInstallation& installation);

    // The restore of the ticked entries, with its questions and final message; returns how many
    // were restored.
    int Restaurar(const QList<int>& entries, bool foreign);
    // The popup's "Recuperar archivo" (to its directory, with the restore rule) and "Recuperar
    // archivo como..." (to exactly path; asked when empty). The first tells whether the file was
    // extracted, the second the path it went to (empty when it was not).
    bool RecuperarArchivo(int index, bool foreign);
    QString RecuperarArchivoComo(int index, bool foreign, QString path = QString());

    // Companies added to the list by the restores so far.
    const QStringList& NuevasEmpresas() const { return new_databases_; }

  private:
    void InstallHooks();
    void ConfirmaUno(int index, bool foreign) const;
    TTorvan_Zip_Lister& lister_;
    const TBackupInstallation& installation_;
    bool apply_rule_ = true;
    QString pending_name_;  // the list name of the database being restored
    QStringList new_databases_;
};

}  // namespace zmk
