#pragma once
// What the company-database wizard carries out, and the selection of a database from the list.
#include <QString>
#include <functional>

#include "core/empresas.h"

namespace zmk {

// Wizard modes and the actions they end in.
enum TModoEdicionBD {
    mebModificar = 0,
    mebAnadir = 1,
    mebBorrar = 2,
    mebDuplicar = 3,
    mebImportar = 4,
    mebInformacion = 5
};
enum TAccionBD {
    abNueva = 0,
    abDuplicar = 1,
    abImportar = 2,
    abVincular = 3,
    abQuitarVinculo = 4,
    abBorrarArchivo = 5,
    abModificar = 6,
};

// Carries out an action: entry = name, file and rights file from the wizard; selected = the
// list index it started from (-1 when none); importFile = the file of the "Importar Datos" page.
void EjecutaAccionBD(TEmpresasBD& empresas, int accion, int selected, TDataBaseEntry entry,
                     const QString& importFile = QString());

// Refuses (1734) to delete the file of the database that is open.
void CompruebaBorrable(TEmpresasBD& empresas, int index);
// The entry as the user recognises it before deleting: name, file, size and last change (1735).
QString DescripcionArchivoBD(const TDataBaseEntry& entry);

// Offered before the file of a company is deleted (the program installs it, as backups exist):
// gets the entry's index and returns false to stop the deletion with nothing deleted.
void SetCopiaAntesDeBorrar(std::function<bool(int index)> oferta);

// A file name chosen on a page: not empty (1900), not in the masters' or the work directory (1901).
void CompruebaArchivoElegido(const QString& file);

// Raises 1722 (after the operation's name) when the file keeps users and the one logged in is
// not its manager.
void ExigeAdministrador(TEmpresasBD& empresas, const QString& file, const QString& operacion);

enum class TSeleccion { Abierta, Importar };
// Opens the selected entry (1720 without one); an older version asks 1721 and answers Importar
// on Yes (No aborts silently). A failed check stores version -1 and passes the error on.
TSeleccion SeleccionaEmpresa(TEmpresasBD& empresas, int index);

}  // namespace zmk
