#pragma once
// The company databases of the installation: the list kept in the INI file, the opening of one
// of them as the program's database, and the import of an earlier installation's list.
//
// INI layout: section "BASES_DE_DATOS" has one key per database (its section name, value the
// display name); each database's section ("BDEmpresa" + N) holds "Nombre", "Archivo",
// "SystemDataBase" and "Version" (-1: to be read from the file). QSettings keeps no key order,
// so the list order is that of the section names, their numbers compared as numbers.
// Paths are stored relative to the INI file's directory, with "/".
// "SystemDataBase" (a Jet user file) is kept and read for compatibility; SQLite has no such file.
#include <QSettings>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace zmk {

class TDataBaseZMK;

struct TDataBaseEntry {
    QString nombre;
    int version = -1;
    QString archivo;         // full path
    QString conexion;        // connection text; empty for file databases
    QString systemDataBase;  // full path; empty when none
};

class TZMKDataBases {
  public:
    // Over an INI file (not owned); relative paths are expanded against its directory, or
    // against baseDir when it has none.
    explicit TZMKDataBases(QSettings& ini, QString baseDir = QString());

    QSettings& Ini() { return ini_; }
    QString IniDir() const;

    int Count() const;
    TDataBaseEntry Entry(int index) const;
    QString SectionName(int index) const;
    int IndexOfSection(const QString& section) const;  // -1 when none
    int IndexOfFile(const QString& file) const;        // -1 when none
    // Adds under the first free "BDEmpresa" + N; returns the new entry's index.
    int Add(const TDataBaseEntry& entry);
    void Rewrite(int index, const TDataBaseEntry& entry);
    void Delete(int index);
    void SetVersion(int index, int version);

    // A path as stored: relative to the INI's directory ("./DATADIR/x.MDB", "../x.MDB").
    QString StorePath(const QString& file) const;
    // A stored path made full (absolute stored paths are kept).
    QString ExpandPath(const QString& stored) const;

  private:
    QStringList Sections() const;
    void Write(const QString& section, const TDataBaseEntry& entry);
    QSettings& ini_;
    QString base_dir_;
};

// The path of file relative to directory dir, written with "/".
QString RelativePath(const QString& dir, const QString& file);

// Integration points of the configuration object (the main window's hooks, the users issue).
struct TEmpresasHooks {
    // Makes db the program's database, running the main window's hooks; default: the host
    // application's default database and the parameters' reload handlers.
    std::function<void(std::unique_ptr<TDataBaseZMK> db)> conecta;
    // Closes the program's database, running the main window's hooks.
    std::function<void()> desconecta;
    // Users and rights of a database opened on a temporary connection: logs in when it keeps
    // users (raising 1506 when refused) and returns whether the connection is read-only.
    std::function<bool(TDataBaseZMK& db)> inicioSesion;
    // Whether the logged-in user may manage the database (always, when it keeps no users).
    std::function<bool(TDataBaseZMK& db)> esAdministrador;
    // The settings key of an installation ("Software/Torvanware/ZMK/ZMKAPP/" + name), where its
    // "ZMKFileName" is read; default: the native store, organisation "Torvanware", application
    // "ZMK/ZMKAPP/" + name.
    std::function<std::unique_ptr<QSettings>(const QString& aplicacion)> registro;
    // This installation's ".MDR" and its reload after importing an earlier one.
    QString archivoRecursos;
    std::function<void()> recargaRecursos;
};

// The company databases and the one open: what the configuration object keeps.
class TEmpresasBD {
  public:
    explicit TEmpresasBD(QSettings& ini, QString baseDir = QString());

    TZMKDataBases& DataBases() { return list_; }
    TEmpresasHooks& Hooks() { return hooks_; }
    // Names of earlier installations whose databases may be imported.
    QStringList& AplicacionesAnteriores() { return previous_; }

    int OpenIndex() const { return open_index_; }
    const TDataBaseEntry& OpenEntry() const { return open_entry_; }
    bool ReadOnly() const { return read_only_; }
    bool IsConnected() const;

    // Opens entry index as the program's database (-1: none). An older version stays closed
    // without a message; another program's file raises 1400, a newer version 1401.
    void OpenDatabase(int index);
    // The database named by a section of the list, or none when it is not there.
    void OpenSection(const QString& section);

    // The databases of an earlier installation, offered one by one; returns how many were added.
    int ImportaAplicacionAnterior(const QString& aplicacion, bool interactive);
    // Runs it for every earlier installation once per INI file ([INIT] "ArchivoIniImportado").
    bool ImportaPrimeraVez();

  private:
    void Disconnect();
    TZMKDataBases list_;
    TEmpresasHooks hooks_;
    QStringList previous_;
    int open_index_ = -1;
    TDataBaseEntry open_entry_;
    bool read_only_ = false;
};

// The program-wide list (set by the configuration object; nullptr before).
TEmpresasBD* Empresas();
void SetEmpresas(TEmpresasBD* empresas);

}  // namespace zmk
