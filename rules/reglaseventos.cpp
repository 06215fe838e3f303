// The rules of the teaching data's events before and after edit, post, insert and delete
// (invoices and settlements have theirs in billing/reglasfacturas.cpp).
#include <QSqlQuery>

#include "core/bancos.h"
#include "core/centroactual.h"
#include "core/importes.h"
#include "core/parametrosapp.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datarules.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "rules/comunes.h"
#include "rules/conceptos.h"
#include "rules/fuentesdatos.h"
#include "rules/reglasestado.h"

namespace zmk {

namespace {

using namespace fuente;

bool Vacio(TField& campo) {
    return campo.IsNull() || campo.AsString().isEmpty();
}

void Guarda(TDataSet&) {
    ComprobarEdicionPendiente();
}

// Yes/No with a warning icon and No as the default; anything but Yes ends the post silently.
void ConfirmarCambioIrreversible(const QString& texto) {
    if (Pregunta(texto, {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Warning, TMsgButton::No) !=
        TMsgButton::Yes)
        throw EAbort();
}

// --- BEFOREEDIT ---

auto ExigirFlag(const char* campo, const char* texto) {
    return [campo, texto](TDataSet& ds) {
        if (!Campo(ds, campo).AsBoolean()) throw EZMKError(QString::fromUtf8(texto));
    };
}

// --- BEFOREPOST ---

void AntesDeGuardarAlumno(TDataSet& ds) {
    ComprobarEdicionPendiente();
    TField& codigo = Campo(ds, "CodigoT01");
    if (codigo.IsNull() || ds.State() == TDataSetState::Insert) {
        // A number typed by hand on a new student is replaced: numbers come from the counter.
        ConContador([&] {
            const QString parametro = QStringLiteral("NuevoCodigoAlumno");
            const int numero = ParametrosApp().AsInteger(parametro, 1);
            codigo.SetValue(numero);
            ParametrosApp().SetValue(parametro, numero + 1);
        });
    }
    const QVariant numero = codigo.Value();
    if (CompteRegistres(DefaultDB(), QStringLiteral("IDAlumnoT01"), QStringLiteral("T01Alumnos"),
                        QStringLiteral("(CodigoT01=") + ValorSQL(numero) +
                            QStringLiteral(") AND (IDAlumnoT01<>") +
                            ValorSQL(Clave(ds, "IDAlumnoT01")) + QStringLiteral(")")) > 0)
        throw EZMKError(QStringLiteral("Ya existe otro alumno con el código ") + codigo.AsString());
    TField& relacionado = Campo(ds, "IDAlumnoRelacionadoT01");
    if (!relacionado.IsNull()) {
        auto otro = DefaultDB().GetTSQLDataSet(
            QStringLiteral("SELECT IDCentroT01 FROM T01Alumnos WHERE IDAlumnoT01=") +
                ValorSQL(relacionado.AsInteger()),
            true);
        otro->Open();
        if (!otro->IsEmpty() && Clave(*otro, "IDCentroT01") != Clave(ds, "IDCentroT01"))
            throw EZMKError(
                QStringLiteral("El alumno relacionado no pertenece al mismo centro que el alumno"));
    }
}

// The course of a group, 0 when the group is not found.
int CursoDelGrupo(int idGrupo) {
    if (idGrupo <= 0) return 0;
    QSqlQuery q = DefaultDB().Query(QStringLiteral("SELECT IDCursoT05 FROM T05Grupos WHERE "
                                                   "IDGrupoT05=") +
                                    ValorSQL(idGrupo));
    return q.next() ? VarAEnter(q.value(0)) : 0;
}

void AntesDeGuardarMatricula(TDataSet& ds) {
    ComprobarEdicionPendiente();
    const int grupo = Clave(ds, "IDGrupoT02");
    if (Campo(ds, "ActivaT02").AsBoolean()) ExigirActivoGrupo(grupo);
    const int id = Clave(ds, "IDMatriculaT02");
    if (!CentrosCoinciden(Clave(ds, "IDCentroT02"), 0, grupo, 0, 0, id, Clave(ds, "IDAlumnoT02")))
        throw EZMKError(QStringLiteral(
            "El Alumno o el grupo no corresponden al mismo centro que la Matrícula"));
    auto guardada = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T02Matriculas\nWHERE IDMatriculaT02=") + ValorSQL(id), true);
    guardada->Open();
    if (guardada->IsEmpty()) return;
    const int cursoAnterior = CursoDelGrupo(Clave(*guardada, "IDGrupoT02"));
    if (cursoAnterior > 0 && cursoAnterior != CursoDelGrupo(grupo))
        ConfirmarCambioIrreversible(QStringLiteral(
            "ATENCIÓN:\n\nHa modificado el CURSO de la matrícula.\n(el grupo seleccionado "
            "corresponde a un curso distinto al anterior)\n\nEsto provocará que pierda la "
            "información sobre las notas y conceptos\nde cobro del curso actual y se incorporen "
            "los del nuevo curso.\n\nEsta operación es IRREVERSIBLE\n\n¿Continuar y modificar el "
            "curso de la matrícula?"));
}

void AntesDeGuardarProfesor(TDataSet& ds) {
    ComprobarEdicionPendiente();
    if (!Vacio(Campo(ds, "IBANT04")))
        ComprobarCuentaBancaria(Campo(ds, "CCCNombreTitularT04").Value(),
                                Campo(ds, "IBANT04").Value(), Campo(ds, "BICT04").Value());
}

void AntesDeGuardarGrupo(TDataSet& ds) {
    ComprobarEdicionPendiente();
    const int curso = Clave(ds, "IDCursoT05");
    if (Campo(ds, "ActivoT05").AsBoolean()) ExigirActivoCurso(curso);
    const int id = Clave(ds, "IDGrupoT05");
    if (!CentrosCoinciden(Clave(ds, "IDCentroT05"), curso, id, 0, 0, 0, 0))
        throw EZMKError(QStringLiteral("El Curso del grupo corresponde a un CENTRO DISTINTO"));
    const int cursoAnterior = CursoDelGrupo(id);
    if (cursoAnterior > 0 && cursoAnterior != curso)
        ConfirmarCambioIrreversible(QStringLiteral(
            "ATENCIÓN:\n\nHa modificado el CURSO del grupo.\n\nEsto provocará que TODAS LAS "
            "MATRICULAS de este grupo\nse incoroporen al nuevo grupo seleccionado, y pierdan\nsu "
            "información de notas, conceptos de cobro...\n\nEsta operación es "
            "IRREVERSIBLE\n\n¿Continuar y modificar el curso?"));
}

void AntesDeGuardarTarifa(TDataSet& ds) {
    ComprobarEdicionPendiente();
    ComprobarIva(Campo(ds, "TPCIvaT07").Value());
    const int id = Clave(ds, "IDTarifaPreciosT07");
    if (CompteRegistres(DefaultDB(), QStringLiteral("IDConceptoMatriculaT14"),
                        QStringLiteral("T14ConceptosMatricula"),
                        QStringLiteral("IDTarifaPreciosT14=") + ValorSQL(id)) <= 0)
        return;
    if (Pregunta(QStringLiteral(
            "Esta tarifa se aplica a algunos cursos o matrículas\n\nSi modifica "
            "los importes de la tarifa se modifican\nautomáticamente los "
            "importes en los cursos y matrículas\n\n¿Continuar?")) != TMsgButton::Yes)
        throw EAbort();
    RepreciarConceptosTarifa(id, Campo(ds, "ImporteSinIVAT07").AsCurrency(),
                             Campo(ds, "TPCIvaT07").AsCurrency(),
                             Campo(ds, "ImporteConIVAT07").AsCurrency());
}

void AntesDeGuardarIncidencia(TDataSet& ds) {
    ComprobarEdicionPendiente();
    if (!CentrosCoinciden(Clave(ds, "IDCentroT11"), Clave(ds, "IDCursoT11"),
                          Clave(ds, "IDGrupoT11"), Clave(ds, "IDIncidenciaT11"), 0,
                          Clave(ds, "IDMatriculaT11"), Clave(ds, "IDAlumnoT11")))
        throw EZMKError(QStringLiteral("Algunos valores pertenecen a CENTROS DISTINTOS"));
    TField& resolucion = Campo(ds, "DiaHoraResolucionT11");
    if (Campo(ds, "ResueltaT11").AsBoolean()) {
        if (resolucion.IsNull()) resolucion.SetValue(Ahora());
    } else if (!resolucion.IsNull()) {
        resolucion.Clear();
    }
}

const QString kNorma19 = QStringLiteral(
    "Si la Forma de Pago usa la Norma 19 DEBE INTRODUCIR todos los datos necesarios para poder "
    "generar archivos Norma 19.\n\nPara información de los datos (agencia, oficina, sufijo, "
    "presentador...) consulte con la oficina del Banco/Caja donde desea realizar el cobro de "
    "recibos y le informarán de la información y datos que debe indicar.");

void AntesDeGuardarFormaCobro(TDataSet& ds) {
    TField& pais = Campo(ds, "AcreedorPaisT17");
    if (Vacio(pais)) pais.SetValue(QStringLiteral("España"));
    TField& identificador = Campo(ds, "AcreedorIdentificadorT17");
    identificador.Clear();
    TField& nif = Campo(ds, "NIFPresentadorT17");
    TField& sufijo = Campo(ds, "SufijoT17");
    if (!Vacio(nif) && !Vacio(sufijo) &&
        pais.AsString().left(2).compare(QLatin1String("ES"), Qt::CaseInsensitive) == 0)
        identificador.SetValue(IdentificadorAcreedorSEPA(sufijo.AsString(), nif.AsString()));
    if (!Campo(ds, "UsaNorma19T17").AsBoolean()) return;
    bool completa =
        ComprobarCuentaBancaria(Campo(ds, "NombrePresentadorT17").Value(),
                                Campo(ds, "IBANT17").Value(), Campo(ds, "BICT17").Value());
    for (const char* nombre : {"AgenciaT17", "OficinaT17", "LocalidadExpedT17", "NIFPresentadorT17",
                               "NombrePresentadorT17", "SufijoT17"})
        if (Vacio(Campo(ds, nombre))) completa = false;
    // Only a warning: the payment method is saved all the same.
    if (!completa) Avisa(kNorma19);
}

// --- AFTERINSERT ---

void NuevaTarifa(TDataSet& ds) {
    TField& iva = Campo(ds, "TPCIvaT07");
    if (iva.IsNull()) iva.SetAsCurrency(IvaPorDefecto());
}

}  // namespace

void RegisterReglasEventos() {
    using E = TDataEvent;
    AddDataRule(E::BeforeEdit, kAlumnos,
                ExigirFlag("ActivoT01", "El alumno no está activo, no puede modificar"));
    AddDataRule(E::BeforeEdit, kMatriculas,
                ExigirFlag("ActivaT02", "La matrícula no está activa, no puede modificar"));
    AddDataRule(E::BeforeEdit, kCursos,
                ExigirFlag("ActivoT03", "El curso no está activo, no puede modificar"));
    AddDataRule(E::BeforeEdit, kGrupos,
                ExigirFlag("ActivoT05", "El grupo no está activo, no puede modificar"));

    AddDataRule(E::BeforePost, kAlumnos, AntesDeGuardarAlumno);
    AddDataRule(E::BeforePost, kMatriculas, AntesDeGuardarMatricula);
    AddDataRule(E::BeforePost, kCursos, Guarda);
    AddDataRule(E::BeforePost, kProfesores, AntesDeGuardarProfesor);
    AddDataRule(E::BeforePost, kGrupos, AntesDeGuardarGrupo);
    AddDataRule(E::BeforePost, kTarifas, AntesDeGuardarTarifa);
    AddDataRule(E::BeforePost, kIncidencias, AntesDeGuardarIncidencia);
    AddDataRule(E::BeforePost, kFormasCobro, AntesDeGuardarFormaCobro);

    AddDataRule(E::AfterInsert, kTarifas, NuevaTarifa);

    AddDataRule(E::AfterDelete, kCentros, [](TDataSet&) { RecargaCentroActual(); });
}

}  // namespace zmk
