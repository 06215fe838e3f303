#include "rules/reglasborrado.h"

#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datarules.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "host/transactionguard.h"
#include "rules/borrardialogos.h"
#include "rules/cambioestado.h"
#include "rules/cascadas.h"
#include "rules/comunes.h"
#include "rules/fuentesdatos.h"

namespace zmk {

namespace {

using namespace fuente;
// Settlement headers: the screens name them, the record rules do not watch them.
constexpr int kLiquidaciones = 348;

const char kPreguntaCentro[] =
    "ATENCIÓN:\n\nSi BORRA un centro se eliminarán todos los datos relacionados con él:\n(ALUMNOS, "
    "CURSOS, GRUPOS, MATRÍCULAS, TARIFAS DE PRECIOS, CONCEPTOS DE COBRO, FACTURAS, "
    "INCIDENCIAS...)\n\n¿Está seguro de que desea BORRAR el CENTRO?";
const char kPreguntaMatricula[] =
    "ATENCIÓN:\n\nSi BORRA una Matrícula perderá TODO su historial (incidencias, conceptos "
    "cobrados...)\nTiene la opción de marcar la matrícula como NO ACTIVA, de este modo "
    "conservará\nla información e historial introducido.\n\n¿Desea BORRAR la Matrícula?";
const char kPreguntaProfesor[] =
    "Si Borra el profesor no se borrarán los grupos que tenga,\npero perderá toda la información "
    "del mismo (incluídas las incidencias)\n\n¿Desea continuar?";

// A No to a destructive confirmation (No is the default button) ends silently.
void Confirma(const QString& texto, TMsgIcon icono = TMsgIcon::Warning) {
    if (Pregunta(texto, {TMsgButton::Yes, TMsgButton::No}, icono, TMsgButton::No) !=
        TMsgButton::Yes)
        throw EAbort();
}

// A simple deletion: the pending-edit guard, a confirmation, then the cascade with the row.
// The question is read when asked: numbered texts may be translated after registration.
TDataRule ConConfirmacion(std::function<QString()> pregunta, const char* campoClave,
                          void (*cascada)(int id, bool borrarFila)) {
    return [pregunta = std::move(pregunta), campoClave, cascada](TDataSet& ds) {
        ComprobarEdicionPendiente();
        Confirma(pregunta());
        const int id = Clave(ds, campoClave);
        BorrarEnUnaTransaccion([&] { cascada(id, true); });
    };
}

void BorrarCurso(TDataSet& ds) {
    ComprobarEdicionPendiente();
    const int id = Clave(ds, "IDCursoT03");
    TFRMBorrarCurso dialogo([id](bool borrarGrupos) {
        BorrarEnUnaTransaccion([&] { EliminarCurso(id, borrarGrupos, true); });
    });
    if (dialogo.ShowModal() != TModalResult::Ok) throw EAbort();
}

void BorrarGrupo(TDataSet& ds) {
    ComprobarEdicionPendiente();
    const int id = Clave(ds, "IDGrupoT05");
    TFRMBorrarClase dialogo([id](bool borrarMatriculas) {
        BorrarEnUnaTransaccion([&] { EliminarGrupo(id, borrarMatriculas, true); });
    });
    if (dialogo.ShowModal() != TModalResult::Ok) throw EAbort();
}

void BorrarTarifa(TDataSet& ds) {
    ComprobarEdicionPendiente();
    const int id = Clave(ds, "IDTarifaPreciosT07");
    // Asked only when some concept is priced by it.
    if (CompteRegistres(DefaultDB(), QStringLiteral("IDConceptoMatriculaT14"),
                        QStringLiteral("T14ConceptosMatricula"),
                        QStringLiteral("IDTarifaPreciosT14=") + ValorSQL(id)) > 0)
        Confirma(QStringLiteral("ATENCIÓN:\nAlgunos alumnos tienen asignada esta Tarifa de "
                                "Precios.\nSi BORRA este registro, los alumnos dejaran de pagar\n"
                                "este concepto, ya que se eliminará.\n\n¿Continuar?"),
                 TMsgIcon::Question);
    BorrarEnUnaTransaccion([&] { EliminarTarifa(id, true); });
}

void BorrarIncidencia(TDataSet& ds) {
    ComprobarEdicionPendiente();
    if (ds.FieldByName(QStringLiteral("AutomaticaT11")).AsBoolean())
        Confirma(QStringLiteral(
            "Esta es una Incidéncia AUTOMÁTICA\n\n¿Seguro que desea ELIMINAR la incidencia?"));
}

// Tariffs, concepts and invoice lines keep the rate itself: a type whose rate they use is not
// deleted (another row with the same rate keeps them valid).
void BorrarTipoIva(TDataSet& ds) {
    ComprobarEdicionPendiente();
    const TField& tasa = ds.FieldByName(QStringLiteral("TPCIvaT22"));
    if (tasa.IsNull()) return;
    TDataBaseZMK& db = DefaultDB();
    const QString valor = ValorSQL(tasa.Value());
    const int id = Clave(ds, "IDTipoIvaT22");
    if (CompteRegistres(db, QStringLiteral("IDTipoIvaT22"), QStringLiteral("T22TiposIva"),
                        QStringLiteral("TPCIvaT22=") + valor +
                            QStringLiteral(" AND IDTipoIvaT22<>") + ValorSQL(id)) > 0)
        return;
    struct Uso {
        const char *tabla, *clave, *campo, *una, *varias;
    };
    static const Uso usos[] = {{"T07TarifasPrecios", "IDTarifaPreciosT07", "TPCIvaT07",
                                "tarifa de precios", "tarifas de precios"},
                               {"T14ConceptosMatricula", "IDConceptoMatriculaT14", "TPCIvaT14",
                                "concepto de matrícula", "conceptos de matrícula"},
                               {"T16FacturasCue", "IDFacturaCueT16", "TPCIvaT16",
                                "línea de factura", "líneas de factura"}};
    QStringList lista;
    for (const Uso& u : usos) {
        const int n =
            CompteRegistres(db, QString::fromLatin1(u.clave), QString::fromLatin1(u.tabla),
                            QString::fromLatin1(u.campo) + u'=' + valor);
        if (n > 0)
            lista << QStringLiteral("%1 %2").arg(n).arg(
                QString::fromUtf8(n == 1 ? u.una : u.varias));
    }
    if (lista.isEmpty()) return;
    const QString usado = lista.size() == 1
                              ? lista.first()
                              : lista.mid(0, lista.size() - 1).join(QStringLiteral(", ")) +
                                    QStringLiteral(" y ") + lista.last();
    throw EZMKError(QStringLiteral("No se puede borrar el tipo de IVA del %1 %: lo usan %2.\n\n"
                                   "Cambie antes el IVA de esas tarifas y conceptos; las facturas "
                                   "emitidas lo conservan siempre.")
                        .arg(tasa.AsCurrency().ToString().replace(u'.', u','), usado));
}

void BorrarLiquidacion(TDataSet& ds) {
    ComprobarEdicionPendiente();
    const int id = Clave(ds, "IDLiquidacionCabT27");
    BorrarEnUnaTransaccion([&] { EliminarLiquidacion(id, true); });
}

}  // namespace

void BorrarEnUnaTransaccion(const std::function<void()>& cascadaConFila) {
    TTransactionGuard transaccion(DefaultDB());
    cascadaConFila();
    transaccion.Commit();
}

void RegisterReglasBorrado() {
    const auto fijo = [](const char* texto) {
        return [texto] { return QString::fromUtf8(texto); };
    };
    AddDataRule(TDataEvent::BeforeDelete, kCentros,
                ConConfirmacion(fijo(kPreguntaCentro), "IDCentroT20", EliminarCentro));
    AddDataRule(
        TDataEvent::BeforeDelete, kAlumnos,
        ConConfirmacion([] { return ProgramString(10107); }, "IDAlumnoT01", EliminarAlumno));
    AddDataRule(TDataEvent::BeforeDelete, kMatriculas,
                ConConfirmacion(fijo(kPreguntaMatricula), "IDMatriculaT02", EliminarMatricula));
    AddDataRule(TDataEvent::BeforeDelete, kCursos, BorrarCurso);
    AddDataRule(TDataEvent::BeforeDelete, kGrupos, BorrarGrupo);
    AddDataRule(TDataEvent::BeforeDelete, kProfesores,
                ConConfirmacion(fijo(kPreguntaProfesor), "IDProfesorT04", EliminarProfesor));
    AddDataRule(TDataEvent::BeforeDelete, kTarifas, BorrarTarifa);
    AddDataRule(TDataEvent::BeforeDelete, kIncidencias, BorrarIncidencia);
    AddDataRule(TDataEvent::BeforeDelete, kLiquidaciones, BorrarLiquidacion);
    AddDataRule(TDataEvent::BeforeDelete, kTiposIva, BorrarTipoIva);
}

void RegisterCascadasRules() {
    static bool registrado = false;
    if (registrado) return;
    registrado = true;
    RegisterCambioEstadoProcedures();
    RegisterReglasBorrado();
}

}  // namespace zmk
