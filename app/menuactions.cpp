#include "app/menuactions.h"

#include "app/aboutbox.h"
#include "app/appconfig.h"
#include "billing/forms/frmopciones.h"
#include "core/centroactual.h"
#include "core/forms/ajustesformulario.h"
#include "core/forms/datosempresaform.h"
#include "core/forms/monedaform.h"
#include "core/forms/selempresa.h"
#include "host/errors.h"
#include "host/prompt.h"

namespace zmk {

QString TextoNoDisponible(const QString& what) {
    return QStringLiteral(
               "«%1»\n\nEsta opción todavía no está disponible en esta versión del "
               "programa.")
        .arg(what);
}

namespace {
void NoDisponible(const QString& what) {
    Informa(TextoNoDisponible(what));
}
}  // namespace

void SeleccionarBaseDatos(QWidget* owner) {
    TFRMSelEmpresa dialog(AppConfig()->DataBases(), owner);
    dialog.exec();
}

void UsuariosYPermisos(QWidget*) {
    NoDisponible(QStringLiteral("Usuarios y Permisos de la Base de Datos"));
}

void DatosEmpresa(QWidget* owner) {
    ShowDatosEmpresaDialog(owner);
}

void Moneda(QWidget* owner) {
    ShowMonedaDialog(owner);
}

bool AjustesVentanaPrincipal(QWidget* owner) {
    return ShowAjustesFormularioPrincipal(owner, AppConfig()->IniFile());
}

void OpcionesAplicacion(QWidget*) {
    MostrarOpciones();
}

void CopiaSeguridad(QWidget*) {
    NoDisponible(QStringLiteral("Realizar copia de seguridad"));
}

bool RestaurarCopia(QWidget*) {
    NoDisponible(QStringLiteral("Restaurar copia de seguridad"));
    return false;
}

void AcercaDe(QWidget* owner) {
    const TZMKAppConfig* config = AppConfig();
    TInfoAplicacion info;
    info.descripcion = config->Settings().description;
    info.fechaGuardado = config->ZMKFileDate().date();
    info.contadorGuardado = config->ZMKSaveCounter();
    ShowAboutBox(owner, info);
}

void BorradoMasivo(QWidget*) {
    if (IDCentroActual() < 1)
        throw EZMKError(
            QStringLiteral("Necesita seleccionar un CENTRO como predeterminado\npara poder "
                           "utilizar esta opción.\n"));
    if (!PreguntaSiNo(QStringLiteral("Desde este formulario es posible BORRAR TODOS SUS DATOS con "
                                     "un solo clic.\n\n¡ÚSELO CON PRECAUCIÓN!\n\n¿Desea entrar en "
                                     "el formulario de borrado masivo?"),
                      TMsgIcon::Question, TMsgButton::No))
        throw EZMKError(QStringLiteral("Operación abortada"));
    NoDisponible(QStringLiteral("Borrado masivo de datos"));
}

void ImportarDatosExternos(QWidget*) {
    if (IDCentroActual() <= 0)
        throw EZMKError(
            QStringLiteral("Necesita seleccionar un CENTRO como predeterminado\n\nLos "
                           "datos seleccionados se importarán en el centro "
                           "predeterminado"));
    NoDisponible(
        QStringLiteral("Importar datos de alumnos desde archivos externos al centro actual"));
}

}  // namespace zmk
