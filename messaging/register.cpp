#include "messaging/register.h"

#include "core/strings.h"
#include "host/errors.h"
#include "host/grid.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "messaging/formularioenviasms.h"

namespace zmk {

namespace {

TDialogoEnviaSMS& Dialogo() {
    static TDialogoEnviaSMS dialogo;
    return dialogo;
}

const QString kTitulo = QStringLiteral("Formulario de envío de SMS");

QString Pide(const QString& prompt, const QString& def) {
    std::optional<QString> texto = Prompt().InputBox(kTitulo, prompt, def);
    if (!texto) throw EAbort();
    return *texto;
}

// The wizard's choices as questions, in the order of its pages.
void EnviaSinPantalla(const TOrigenAgenda& origen, TZMKDBGrid& grid) {
    ExigirServicioConfigurado(ServicioSMS());
    TFormEnviaSMS f;
    f.ModoLista(origen, grid);
    const QStringList ambitos{QStringLiteral("todos"), QStringLiteral("actual"),
                              QStringLiteral("seleccion")};
    const QString ambito =
        Pide(QStringLiteral(" Registros: (actual, todos, seleccion)"),
             f.SeleccionDisponible() ? QStringLiteral("seleccion") : QStringLiteral("actual"))
            .trimmed()
            .toLower();
    if (!ambitos.contains(ambito) ||
        (ambito == QLatin1String("seleccion") && !f.SeleccionDisponible()))
        throw EZMKError(QStringLiteral("Opción no válida: %1").arg(ambito));
    if (f.TelefonosDisponibles().size() > 1) {
        QStringList titulos;
        for (const TTelefonoAgenda& t : f.TelefonosDisponibles()) titulos << t.titulo.toLower();
        const QString elegidos =
            Pide(QStringLiteral("Teléfonos: (") + titulos.join(QStringLiteral(", ")) + u')',
                 titulos.first());
        f.telefonosElegidos.fill(false);
        for (const QString& e : elegidos.split(u',', Qt::SkipEmptyParts)) {
            const qsizetype k = titulos.indexOf(e.trimmed().toLower());
            if (k < 0) throw EZMKError(QStringLiteral("Opción no válida: %1").arg(e.trimmed()));
            f.telefonosElegidos[k] = true;
        }
    }
    f.CargarDestinatarios(TModoSeleccionGrid(ambitos.indexOf(ambito)));
    f.mensaje = Pide(QStringLiteral("Mensaje"), QString());
    f.remitente = Pide(QStringLiteral("Remitente"), f.remitente).left(TFormEnviaSMS::kMaxRemitente);
    f.usuario = Pide(QStringLiteral("Usuario"), f.usuario).left(TFormEnviaSMS::kMaxIdentificacion);
    f.password =
        Pide(QStringLiteral("Password"), f.password).left(TFormEnviaSMS::kMaxIdentificacion);
    if (std::optional<TFalloSMS> fallo = f.Comprueba(true)) throw EZMKError(fallo->texto);
    f.Enviar();
}

void FormularioEnviarSMS(const TProcCall&) {
    TZMKDBGrid* grid = Parametres().AsObject<TZMKDBGrid>(QStringLiteral("PRMIP_DBGRID"));
    if (!grid)
        throw EZMKError(
            QStringLiteral("El envío de SMS se abre desde la lista de una pantalla "
                           "(alumnos, profesores...): no hay ninguna lista."));
    TOrigenAgenda origen;
    origen.tabla = Parametres().AsString(QStringLiteral("PRME01"));
    origen.campoId = Parametres().AsString(QStringLiteral("PRME02"));
    origen.campoNombre = Parametres().AsString(QStringLiteral("PRME03"));
    origen.campoTelefono = Parametres().AsString(QStringLiteral("PRME04"));
    origen.camposExtra = Parametres().AsString(QStringLiteral("PRME05"));
    if (Dialogo())
        Dialogo()(origen, *grid);
    else
        EnviaSinPantalla(origen, *grid);
}

}  // namespace

TDialogoEnviaSMS SetDialogoEnviaSMS(TDialogoEnviaSMS dialogo) {
    std::swap(Dialogo(), dialogo);
    return dialogo;
}

void RegisterMessagingProcedures() {
    SetProcedureBody(QStringLiteral("FormularioEnviarSMS"), FormularioEnviarSMS);
}

}  // namespace zmk
