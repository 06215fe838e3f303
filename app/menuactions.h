#pragma once
// The main window's actions that open other parts of the program: each opens its dialog, or
// says clearly that the part is not in this version yet.
#include <QWidget>

namespace zmk {

class TZMKMenuForm;

void SeleccionarBaseDatos(QWidget* owner);
void UsuariosYPermisos(QWidget* owner);
// The users of the application as a whole (its login at start-up).
void UsuariosAplicacion(QWidget* owner);
void DatosEmpresa(QWidget* owner);
void Moneda(QWidget* owner);
// The main-window settings; the window mode wanted (the running one when cancelled).
bool AjustesVentanaPrincipal(QWidget* owner);
void OpcionesAplicacion(QWidget* owner);
void CopiaSeguridad(QWidget* owner);
// The automatic backup of the open company, when the program closes (failures are shown).
void CopiaAutomatica();
// Before the file of another company is deleted, offers to back it up first (core's
// SetCopiaAntesDeBorrar): a backup started and not finished keeps the file.
void InstallCopiaAntesDeBorrar();
// True when the restore reported success.
bool RestaurarCopia(QWidget* owner);
void AcercaDe(QWidget* owner);
// Asks first, then closes the open screens and shows the form.
void BorradoMasivo(TZMKMenuForm* owner);
// Into the current centre only: closes the open screens, then the import dialog asks for its
// file and shows itself when the file gave a table.
void ImportarDatosExternos(TZMKMenuForm* owner);
// "Actualizaciones": the update settings dialog; and the periodic check at start-up.
void ConfigurarActualizaciones(QWidget* owner);
void ComprobarActualizaciones();

}  // namespace zmk
