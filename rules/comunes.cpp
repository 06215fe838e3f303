#include "rules/comunes.h"

#include <QSqlQuery>
#include <array>

#include "core/bancos.h"
#include "core/centroactual.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/transactionguard.h"

namespace zmk {

namespace {

// The flag of a row found by its key; a key without a row counts as active.
bool FlagActivo(const QString& select, int id) {
    QSqlQuery q = DefaultDB().Query(select + ValorSQL(id));
    if (!q.next()) return true;
    return FromStorage(TFieldType::Boolean, q.value(0)).toBool();
}

// The centre column of the row that a SELECT finds, 0 when there is none.
int CentroDe(const QString& select, int id, const QString& campo) {
    if (id <= 0) return 0;
    auto ds = DefaultDB().GetTSQLDataSet(select + ValorSQL(id), true);
    ds->Open();
    if (ds->IsEmpty()) return 0;
    return ds->FieldByName(campo).AsInteger();
}

}  // namespace

bool EstaActivoCentro(int idCentro) {
    return FlagActivo(QStringLiteral("SELECT ActivoT20 FROM T20Centros WHERE IDCentroT20="),
                      idCentro);
}

bool EstaActivoCurso(int idCurso) {
    return FlagActivo(QStringLiteral("SELECT ActivoT03 FROM T03Cursos WHERE IDCursoT03="), idCurso);
}

bool EstaActivoGrupo(int idGrupo) {
    return FlagActivo(QStringLiteral("SELECT ActivoT05 FROM T05Grupos WHERE IDGrupoT05="), idGrupo);
}

bool EstaActivoAlumno(int idAlumno) {
    return FlagActivo(QStringLiteral("SELECT ActivoT01 FROM T01Alumnos WHERE IDAlumnoT01="),
                      idAlumno);
}

bool EstaActivaMatricula(int idMatricula) {
    return FlagActivo(QStringLiteral("SELECT ActivaT02 FROM T02Matriculas WHERE IDMatriculaT02="),
                      idMatricula);
}

void ExigirActivoCentro(int idCentro) {
    if (!EstaActivoCentro(idCentro))
        throw EZMKError(QStringLiteral("El centro no está Activo, no puede realizar cambios"));
}

void ExigirActivoCurso(int idCurso) {
    if (!EstaActivoCurso(idCurso))
        throw EZMKError(QStringLiteral("El curso no está Activo, no puede realizar cambios"));
}

void ExigirActivoGrupo(int idGrupo) {
    if (!EstaActivoGrupo(idGrupo))
        throw EZMKError(QStringLiteral("El grupo no está Activo, no puede realizar cambios"));
}

void ExigirActivoAlumno(int idAlumno) {
    if (!EstaActivoAlumno(idAlumno))
        throw EZMKError(QStringLiteral("El alumno no está Activo, no puede realizar cambios"));
}

void ExigirActivaMatricula(int idMatricula) {
    if (!EstaActivaMatricula(idMatricula))
        throw EZMKError(QStringLiteral("La matrícula no está Activa, no puede realizar cambios"));
}

bool CentrosCoinciden(int idCentro, int idCurso, int idGrupo, int idIncidencia, int idFactura,
                      int idMatricula, int idAlumno) {
    const std::array<int, 7> centros{
        idCentro,
        CentroDe(QStringLiteral("SELECT * FROM T03Cursos WHERE IDCursoT03="), idCurso,
                 QStringLiteral("IDCentroT03")),
        CentroDe(QStringLiteral("SELECT * FROM T05Grupos WHERE IDGrupoT05="), idGrupo,
                 QStringLiteral("IDCentroT05")),
        CentroDe(QStringLiteral("SELECT * FROM T01Alumnos WHERE IDAlumnoT01="), idAlumno,
                 QStringLiteral("IDCentroT01")),
        CentroDe(QStringLiteral("SELECT IDCentroT02 FROM T02Matriculas WHERE IDMatriculaT02="),
                 idMatricula, QStringLiteral("IDCentroT02")),
        CentroDe(QStringLiteral("SELECT * FROM T15FacturasCab WHERE IDFacturaCabT15="), idFactura,
                 QStringLiteral("IDCentroT15")),
        CentroDe(QStringLiteral("SELECT * FROM T11Incidencias WHERE IDIncidenciaT11="),
                 idIncidencia, QStringLiteral("IDCentroT11")),
    };
    int primero = 0;
    for (int centro : centros) {
        if (centro <= 0) continue;
        if (primero == 0)
            primero = centro;
        else if (centro != primero)
            return false;
    }
    return true;
}

void ComprobarIva(const QVariant& valor) {
    if (!valor.isValid() || valor.isNull()) return;
    if (CompteRegistres(DefaultDB(), QStringLiteral("IDTipoIvaT22"), QStringLiteral("T22TiposIva"),
                        QStringLiteral("TPCIvaT22=") + ValorSQL(valor)) > 0)
        return;
    // "0.####": up to four decimals, without trailing zeros.
    const auto importe = VarToCurrency(valor);
    const QString texto = importe ? importe->ToString() : valor.toString();
    throw EZMKError(QStringLiteral("Atención:\nEl TIPO DE IVA que ha indicado : ") + texto +
                    QStringLiteral("\nno es válido, revise y coloque un valor válido."));
}

Currency IvaPorDefecto() {
    const QString nombre = QStringLiteral("PRMDefaultIVA");
    if (!Parametres().ParamExists(nombre)) return Currency();
    return Parametres().AsCurrency(nombre);
}

bool ComprobarCuentaBancaria(const QVariant& titular, const QVariant& iban, const QVariant& bic) {
    const QString aviso =
        ComprobarIBANyBIC(iban.toString(), bic.toString(), false, false, false, false, true);
    if (!aviso.isEmpty()) {
        Avisa(aviso);
        return false;
    }
    if (titular.isNull() || titular.toString().trimmed().isEmpty())
        throw EZMKError(QStringLiteral(
            "Es obligatorio rellenar el campo \"Nombre del titular de la domiciliación\""));
    return true;
}

void ComprobarEdicionPendiente() {
    if (DefaultDB().PendingEditQuestion() > 0) return;
    throw EZMKError(
        QStringLiteral("El registro ha sido modificado\n\nDebe ACEPTAR LOS CAMBIOS "
                       "(F12)\no CANCELAR (ESC) para continuar"));
}

void ConContador(const std::function<void()>& trabajo) {
    TTransactionGuard transaccion(DefaultDB());
    trabajo();
    transaccion.Commit();
}

void ExigirCentroActual() {
    if (IDCentroActual() > 0) return;
    throw EZMKError(
        QStringLiteral("No ha seleccionado ningún centro\n\nPara poder realizar esta "
                       "acción necesita un centro predeterminado"));
}

const TTextosEstado& TextosEstado(TClaseRegistro clase) {
    static const QString kBaja = QStringLiteral("Dar de Baja");
    static const QString kAlta = QStringLiteral("Dar de Alta");
    static const std::array<TTextosEstado, 6> kTextos{{
        {kBaja, QStringLiteral("01-Baja del centro"), kAlta, QStringLiteral("02-Alta del centro")},
        {kBaja, QStringLiteral("03-Baja del curso"), kAlta, QStringLiteral("04-Alta del curso")},
        {kBaja, QStringLiteral("05-Baja del Grupo"), kAlta, QStringLiteral("06-Alta del Grupo")},
        {kBaja, QStringLiteral("07-Baja de la matrícula"), kAlta,
         QStringLiteral("08-Alta de la matrícula")},
        {kBaja, QStringLiteral("21-Baja del alumno"), kAlta, QStringLiteral("22-Alta del alumno")},
        {kBaja, QStringLiteral("23-Baja del profesor"), kAlta,
         QStringLiteral("24-Alta del profesor")},
    }};
    return kTextos[size_t(clase)];
}

QString CaptionAltaBaja(TClaseRegistro clase, bool activo) {
    const TTextosEstado& t = TextosEstado(clase);
    return activo ? t.botonActivo : t.botonInactivo;
}

QString TextoIncidenciaEstado(TClaseRegistro clase, bool nuevoActivo) {
    const TTextosEstado& t = TextosEstado(clase);
    return nuevoActivo ? t.incidenciaAlta : t.incidenciaBaja;
}

QString CaptionBloqueoBoletin(bool bloqueado) {
    return bloqueado ? QStringLiteral("Desbloquear el boletín")
                     : QStringLiteral("Bloquear el Boletin");
}

}  // namespace zmk
