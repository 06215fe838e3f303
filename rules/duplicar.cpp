#include "rules/duplicar.h"

#include <QSqlQuery>

#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/querysql.h"
#include "host/transactionguard.h"
#include "rules/conceptos.h"

namespace zmk {
namespace {

const QString kGrupos = QStringLiteral("grupos");
const QString kConceptosCurso = QStringLiteral("conceptoscurso");
const QString kConceptosGrupo = QStringLiteral("conceptosgrupo");
const QString kMatriculas = QStringLiteral("matriculas");
const QString kConceptosMatricula = QStringLiteral("conceptosmatricula");

QString Clave(int key) {
    return ValorSQL(key);
}

TDialogoDuplicar& Dialogo() {
    static TDialogoDuplicar dialogo;
    return dialogo;
}

// The key of the row just inserted: the largest of its table.
int UltimaClave(const QString& tabla, const QString& campo) {
    return VarAEnter(UltimValor(DefaultDB(), tabla, campo));
}

bool PreguntaCasilla(const QString& caption, bool marcada) {
    return PreguntaSiNo(QStringLiteral("¿") + caption + QStringLiteral("?"), TMsgIcon::Question,
                        marcada ? TMsgButton::Yes : TMsgButton::No);
}

void Duplicar(const QString& procedimiento, const char* campoClave, bool modoCurso) {
    auto* ds = Parametres().AsObject<TDataSet>(QStringLiteral("PRMIP_DATASET"));
    if (!ds || !ds->Active() || ds->IsEmpty())
        throw EZMKError(
            QStringLiteral("%1: no hay ningún registro seleccionado").arg(procedimiento));
    int clave = ds->FieldByName(QLatin1String(campoClave)).AsInteger();
    bool hecho = modoCurso ? EjecutarDuplicado(0, clave) : EjecutarDuplicado(clave, 0);
    if (!hecho) return;
    if (auto* query = Parametres().AsObject<TQuerySQL>(QStringLiteral("PRMIP_TQUERYSQL")))
        query->RefrescaSQL();
}

}  // namespace

void TOpcionesDuplicado::AplicarDependencias() {
    if (!ConceptosGrupoHabilitado()) conceptosGrupo = false;
    if (!MatriculasHabilitado()) matriculas = false;
    if (!ConceptosMatriculaHabilitado()) conceptosMatricula = false;
}

TOpcionesDuplicado TOpcionesDuplicado::Leer(const QString& texto, bool modoCurso) {
    TOpcionesDuplicado o{false, false, false, false, false};
    // The groups box stays checked in group mode, where its tab is hidden.
    o.grupos = !modoCurso;
    for (const QString& parte : texto.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QString p = parte.trimmed().toLower();
        if (p.isEmpty() || p == QLatin1String("ninguna")) continue;
        bool soloCurso = p == kGrupos || p == kConceptosCurso;
        if (soloCurso && !modoCurso)
            throw EZMKError(
                QStringLiteral("La opción \"%1\" solo se aplica al duplicar un curso").arg(p));
        if (p == kGrupos)
            o.grupos = true;
        else if (p == kConceptosCurso)
            o.conceptosCurso = true;
        else if (p == kConceptosGrupo)
            o.conceptosGrupo = true;
        else if (p == kMatriculas)
            o.matriculas = true;
        else if (p == kConceptosMatricula)
            o.conceptosMatricula = true;
        else
            throw EZMKError(QStringLiteral("Opción de duplicado desconocida: \"%1\" (opciones: "
                                           "grupos, conceptoscurso, conceptosgrupo, matriculas, "
                                           "conceptosmatricula, ninguna)")
                                .arg(parte.trimmed()));
    }
    auto exigir = [](bool casilla, bool maestra, const QString& nombre, const QString& necesita) {
        if (casilla && !maestra)
            throw EZMKError(
                QStringLiteral("La opción \"%1\" necesita \"%2\"").arg(nombre, necesita));
    };
    exigir(o.conceptosGrupo, o.ConceptosGrupoHabilitado(), kConceptosGrupo, kGrupos);
    exigir(o.matriculas, o.MatriculasHabilitado(), kMatriculas, kGrupos);
    exigir(o.conceptosMatricula, o.ConceptosMatriculaHabilitado(), kConceptosMatricula,
           kMatriculas);
    return o;
}

QString TOpcionesDuplicado::Texto(bool modoCurso) const {
    QStringList partes;
    if (modoCurso && grupos) partes << kGrupos;
    if (modoCurso && conceptosCurso) partes << kConceptosCurso;
    if (conceptosGrupo) partes << kConceptosGrupo;
    if (matriculas) partes << kMatriculas;
    if (conceptosMatricula) partes << kConceptosMatricula;
    return partes.isEmpty() ? QStringLiteral("ninguna") : partes.join(QLatin1Char(','));
}

TDialogoDuplicar SetDialogoDuplicar(TDialogoDuplicar dialogo) {
    TDialogoDuplicar anterior = std::move(Dialogo());
    Dialogo() = std::move(dialogo);
    return anterior;
}

std::optional<TOpcionesDuplicado> OpcionesDuplicadoSinPantalla(bool modoCurso) {
    const QString parametro = QStringLiteral("OPCIONES");
    if (Parametres().ParamExists(parametro)) {
        QString texto = Parametres().AsString(parametro);
        // Read once: a later duplication in the same session asks again.
        Parametres().DeleteParam(parametro);
        return TOpcionesDuplicado::Leer(texto, modoCurso);
    }
    // One question per box in the dialog's order, each while its master box allows it.
    TOpcionesDuplicado o;
    if (modoCurso) {
        o.grupos = PreguntaCasilla(QStringLiteral("Duplicar los grupos del curso"), o.grupos);
        o.AplicarDependencias();
        o.conceptosCurso =
            PreguntaCasilla(QStringLiteral("Duplicar los conceptos de cobro del curso"), true);
    }
    if (o.ConceptosGrupoHabilitado())
        o.conceptosGrupo =
            PreguntaCasilla(QStringLiteral("Duplicar los conceptos de los grupos"), true);
    if (o.MatriculasHabilitado()) {
        o.matriculas =
            PreguntaCasilla(QStringLiteral("Duplicar las matrículas de los grupos"), true);
        o.AplicarDependencias();
    }
    if (o.ConceptosMatriculaHabilitado())
        o.conceptosMatricula =
            PreguntaCasilla(QStringLiteral("Duplicar los conceptos de las matrículas"), true);
    return o;
}

void DuplicarConceptos(int idCurso, int idGrupo, int idMatricula, int idNuevo) {
    int dados = (idCurso > 0) + (idGrupo > 0) + (idMatricula > 0);
    if (dados > 1)
        throw EZMKError(
            QStringLiteral("Error al duplicar conceptos: Solamente puede tener valor "
                           "un idcurso, idgrupo o idmatricula"));
    if (dados == 0)
        throw EZMKError(
            QStringLiteral("Error al duplicar conceptos: Falta un idcurso, idgrupo o idmatricula"));
    QString campo;
    int anterior;
    if (idGrupo > 0) {
        campo = QStringLiteral("IDGrupoT14");
        anterior = idGrupo;
    } else if (idCurso > 0) {
        campo = QStringLiteral("IDCursoT14");
        anterior = idCurso;
    } else {
        campo = QStringLiteral("IDMatriculaT14");
        anterior = idMatricula;
    }
    const QString columnas = QStringLiteral(
        "IDCentroT14, IDPlantillaCobroT14, IDAlumnoT14, IDTarifaPreciosT14, FechaAltaT14, "
        "ConceptoT14, ImporteBaseT14, UnidadesT14, TPCDtoT14, BaseImponibleT14, TPCIvaT14, "
        "ImporteIvaIncluidoT14, ComentariosT14, EsCuotaT14, CobrarEneroT14, CobrarFebreroT14, "
        "CobrarMarzoT14, CobrarAbrilT14, CobrarMayoT14, CobrarJunioT14, CobrarJulioT14, "
        "CobrarAgostoT14, CobrarSeptiembreT14, ");
    DefaultDB().ExecuteSQL(
        QStringLiteral("INSERT INTO T14ConceptosMatricula (") + campo + QStringLiteral(", ") +
        columnas +
        QStringLiteral("CobrarOctubreT14, CobrarNoviembreT14, CobrarDiciembreT14, ActivoT14, "
                       "NOrdenT14 ) SELECT ") +
        Clave(idNuevo) + QStringLiteral(" AS NewVALOR, ") + columnas +
        QStringLiteral("CobrarOctubreT14, CobrarNoviembreT14, CobrarDiciembreT14, TRUE, NOrdenT14 "
                       " FROM T14ConceptosMatricula WHERE ") +
        campo + QStringLiteral("=") + Clave(anterior) +
        QStringLiteral(" AND (IDConcMatrPadreT14 IS NULL)"));
}

void DuplicarMatriculas(int idGrupo, int idNuevoGrupo, bool conceptos) {
    // Both are needed: without the new group the copies would belong to no group.
    if (idGrupo <= 0 || idNuevoGrupo <= 0)
        throw EZMKError(QStringLiteral("Falta idgrupo O newidgrupo al duplicar las matrículas"));
    TDataBaseZMK& db = DefaultDB();
    const QString cabecera =
        QStringLiteral(
            "INSERT INTO T02Matriculas (IDGrupoT02,IDCentroT02, IDAlumnoT02, NMatriculaT02, "
            "DatosCobroEnMatriculaT02, IDFormaCobroT02, CCCNombreTitularT02, ActivaT02, "
            "ComentariosT02, FechaAltaT02, FechaBajaT02, CursoEscolarT02, IBANT02, BICT02, "
            "NifTitularCuentaT02, ReferenciaMandatoT02, FechaMandatoT02 ) SELECT ") +
        Clave(idNuevoGrupo) +
        QStringLiteral(
            ",IDCentroT02, IDAlumnoT02, NMatriculaT02, DatosCobroEnMatriculaT02, "
            "IDFormaCobroT02, CCCNombreTitularT02, ActivaT02, ComentariosT02, FechaAltaT02, "
            "FechaBajaT02, CursoEscolarT02, IBANT02, BICT02, NifTitularCuentaT02, "
            "ReferenciaMandatoT02, FechaMandatoT02  FROM T02Matriculas");
    QList<int> matriculas;
    QSqlQuery q =
        db.Query(QStringLiteral(" SELECT IDMatriculaT02 FROM T02Matriculas WHERE IDGrupoT02=") +
                 Clave(idGrupo) + QStringLiteral(" ORDER BY IDMatriculaT02"));
    while (q.next()) matriculas << q.value(0).toInt();
    for (int matricula : matriculas) {
        int copiadas = db.ExecuteSQL(cabecera + QStringLiteral(" WHERE IDMatriculaT02=") +
                                     Clave(matricula) + QStringLiteral(" AND ActivaT02"));
        if (copiadas == 1 && conceptos)
            DuplicarConceptos(
                0, 0, matricula,
                UltimaClave(QStringLiteral("T02Matriculas"), QStringLiteral("IDMatriculaT02")));
    }
    int curso = VarAEnter(ValorCamp(QStringLiteral("T05Grupos"), QStringLiteral("IDCursoT05"),
                                    QStringLiteral("IDGrupoT05=") + Clave(idNuevoGrupo)));
    EliminarConceptosHeredadosHuerfanos();
    CrearConceptosHeredados(curso, idNuevoGrupo);
}

void DuplicarGrupo(int idGrupo, int idNuevoCurso, bool conceptosGrupo, bool conceptosMatricula,
                   bool matriculas) {
    const QString horario = QStringLiteral(
        "LunesMHIT05, LunesMHFT05, LunesTHIT05, LunesTHFT05, MartesMHIT05, MartesMHFT05, "
        "MartesTHIT05, MartesTHFT05, MiercolesMHIT05, MiercolesMHFT05, MiercolesTHIT05, "
        "MiercolesTHFT05, JuevesMHIT05, JuevesMHFT05, JuevesTHIT05, JuevesTHFT05, ViernesMHIT05, "
        "ViernesMHFT05, ViernesTHIT05, ViernesTHFT05, SabadoMHIT05, SabadoMHFT05, SabadoTHIT05, "
        "SabadoTHFT05, ActivoT05, DescrHorarioT05");
    QString curso = idNuevoCurso > 0 ? Clave(idNuevoCurso) + QStringLiteral(" AS NewIDCurso, ")
                                     : QStringLiteral("IDCursoT05, ");
    // An inactive group matches nothing and is skipped.
    int copiados = DefaultDB().ExecuteSQL(
        QStringLiteral("INSERT INTO T05Grupos ( IDCursoT05, IDCentroT05, IDProfesorT05, "
                       "CodigoT05, NombreT05, ComentariosT05, DiasHorasTxtT05, ") +
        horario + QStringLiteral(")  SELECT ") + curso +
        QStringLiteral("IDCentroT05, IDProfesorT05, CodigoT05, substr('X' || NombreT05, 1, 50), "
                       "ComentariosT05, DiasHorasTxtT05, ") +
        horario + QStringLiteral("  FROM T05Grupos WHERE IDGrupoT05=") + Clave(idGrupo) +
        QStringLiteral(" AND ActivoT05"));
    if (copiados != 1) return;
    int nuevo = UltimaClave(QStringLiteral("T05Grupos"), QStringLiteral("IDGrupoT05"));
    if (conceptosGrupo) DuplicarConceptos(0, idGrupo, 0, nuevo);
    if (matriculas) DuplicarMatriculas(idGrupo, nuevo, conceptosMatricula);
}

int DuplicarCurso(int idCurso, bool conceptosCurso, bool grupos, bool conceptosMatricula,
                  bool matriculas, bool conceptosGrupo) {
    TDataBaseZMK& db = DefaultDB();
    int copiados = db.ExecuteSQL(
        QStringLiteral("INSERT INTO T03Cursos (ActivoT03,CodigoT03,ComentariosT03,DescripcionT03,"
                       "FinCursoT03,IDCentroT03,InicioCursoT03,TotalHorasT03,ImporteColabT03) "
                       "SELECT ActivoT03,CodigoT03,ComentariosT03,substr('X' || DescripcionT03, "
                       "1, 50),FinCursoT03,IDCentroT03,InicioCursoT03,TotalHorasT03,"
                       "ImporteColabT03 FROM T03Cursos WHERE IDCursoT03=") +
        Clave(idCurso));
    // Without a source row the largest key would be some other course.
    if (copiados != 1) throw EZMKError(QStringLiteral("No existe el curso a duplicar"));
    int nuevo = UltimaClave(QStringLiteral("T03Cursos"), QStringLiteral("IDCursoT03"));
    if (conceptosCurso) DuplicarConceptos(idCurso, 0, 0, nuevo);
    if (grupos) {
        QList<int> lista;
        QSqlQuery q = db.Query(QStringLiteral("SELECT * FROM T05Grupos WHERE IDCursoT05=") +
                               Clave(idCurso) + QStringLiteral(" ORDER BY IDGrupoT05"));
        while (q.next()) lista << q.value(QStringLiteral("IDGrupoT05")).toInt();
        for (int grupo : lista)
            DuplicarGrupo(grupo, nuevo, conceptosGrupo, conceptosMatricula, matriculas);
    }
    return nuevo;
}

bool EjecutarDuplicado(int idGrupo, int idCurso) {
    bool modoCurso = idCurso >= 1;
    std::optional<TOpcionesDuplicado> opciones =
        Dialogo() ? Dialogo()(modoCurso) : OpcionesDuplicadoSinPantalla(modoCurso);
    if (!opciones) return false;
    if (Pregunta(QStringLiteral("¿Realizar el duplicado según las opciones indicadas?"),
                 {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Question,
                 TMsgButton::No) != TMsgButton::Yes)
        return false;
    TOpcionesDuplicado o = *opciones;
    TDataBaseZMK& db = DefaultDB();
    // The write lock from the start: new keys are read back as the largest of their table.
    TTransactionGuard transaccion(db);
    if (modoCurso) {
        DuplicarCurso(idCurso, o.conceptosCurso, o.grupos, o.conceptosMatricula, o.matriculas,
                      o.conceptosGrupo);
        Informa(QStringLiteral("El curso se ha duplicado según las opciones indicadas"));
    } else {
        DuplicarGrupo(idGrupo, 0, o.conceptosGrupo, o.conceptosMatricula, o.matriculas);
        Informa(QStringLiteral("El grupo se ha duplicado según las opciones indicadas"));
    }
    transaccion.Commit();
    return true;
}

void RegisterDuplicarProcedures() {
    static bool registrado = false;
    if (registrado) return;
    registrado = true;
    SetProcedureBody(QStringLiteral("DUPLICAR_CURSO"), [](const TProcCall&) {
        Duplicar(QStringLiteral("DUPLICAR_CURSO"), "IDCursoT03", true);
    });
    SetProcedureBody(QStringLiteral("DUPLICAR_GRUPO"), [](const TProcCall&) {
        Duplicar(QStringLiteral("DUPLICAR_GRUPO"), "IDGrupoT05", false);
    });
}

}  // namespace zmk
