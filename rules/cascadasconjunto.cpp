#include "rules/cascadasconjunto.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "rules/comunes.h"

namespace zmk {

namespace {

// The concepts of the condition and, through their parent key, every copy below them. UNION
// (not UNION ALL) so that a parent cycle cannot make the recursion endless.
QString CierreConceptos(const QString& condicionT14) {
    return QStringLiteral(
               "WITH RECURSIVE Cierre(ID) AS (SELECT IDConceptoMatriculaT14 FROM "
               "T14ConceptosMatricula WHERE ") +
           condicionT14 +
           QStringLiteral(
               " UNION SELECT T14ConceptosMatricula.IDConceptoMatriculaT14 FROM "
               "T14ConceptosMatricula INNER JOIN Cierre ON "
               "T14ConceptosMatricula.IDConcMatrPadreT14 = Cierre.ID) SELECT ID FROM Cierre");
}

// A key column of the select, Null when it is 0 or less.
QString ClaveONull(const QString& columna) {
    return QStringLiteral("CASE WHEN ") + columna + QStringLiteral(" > 0 THEN ") + columna +
           QStringLiteral(" END");
}

}  // namespace

void EliminarConceptosDonde(const QString& condicionT14) {
    TDataBaseZMK& db = DefaultDB();
    const QString cierre = CierreConceptos(condicionT14);
    ModificaRegistres(db, QStringLiteral("T16FacturasCue"),
                      QStringLiteral("IDConceptoMatriculaT16=NULL"),
                      QStringLiteral("IDConceptoMatriculaT16 IN (") + cierre + QStringLiteral(")"));
    EsborraRegistres(db, QStringLiteral("T14ConceptosMatricula"),
                     QStringLiteral("IDConceptoMatriculaT14 IN (") + cierre + QStringLiteral(")"));
}

void DesactivarMatriculasDonde(const QString& condicionT02) {
    TDataBaseZMK& db = DefaultDB();
    EliminarConceptosDonde(
        QStringLiteral("IDMatriculaT14 IN (SELECT IDMatriculaT02 FROM T02Matriculas WHERE ") +
        condicionT02 + QStringLiteral(")"));
    ModificaRegistres(db, QStringLiteral("T02Matriculas"),
                      QStringLiteral("ActivaT02=FALSE,FechaBajaT02=COALESCE(FechaBajaT02,") +
                          ValorSQL(Hoy()) + QStringLiteral(")"),
                      condicionT02);
    const QString texto = TextoIncidenciaEstado(TClaseRegistro::Matricula, false);
    // The incidence takes the enrolment's own centre, so its keys always agree.
    CrearIncidenciasAutomaticas(
        QStringLiteral("SELECT IDCentroT02, 0, 0, IDMatriculaT02, 0, 0 FROM T02Matriculas WHERE ") +
            condicionT02 + QStringLiteral(" ORDER BY IDMatriculaT02"),
        texto, texto);
}

void CrearIncidenciasAutomaticas(const QString& selectClaves, const QString& texto,
                                 const QString& titulo) {
    const QString ahora = ValorSQL(Ahora());
    DefaultDB().ExecuteSQL(
        QStringLiteral(
            "INSERT INTO T11Incidencias (IDCentroT11, IDCursoT11, IDGrupoT11, IDMatriculaT11, "
            "IDAlumnoT11, IDProfesorT11, IDTipoIncidenciaT11, AutomaticaT11, IncidenciaT11, "
            "ResueltaT11, TituloT11, DiaHoraT11, DiaHoraResolucionT11)\nWITH Claves(C1, C2, C3, "
            "C4, C5, C6) AS (") +
        selectClaves + QStringLiteral(")\nSELECT ") +
        QStringList{ClaveONull(QStringLiteral("C1")), ClaveONull(QStringLiteral("C2")),
                    ClaveONull(QStringLiteral("C3")), ClaveONull(QStringLiteral("C4")),
                    ClaveONull(QStringLiteral("C5")), ClaveONull(QStringLiteral("C6")),
                    QStringLiteral("NULL"), ValorSQL(true), ValorSQL(texto), ValorSQL(true),
                    ValorSQL(titulo), ahora, ahora}
            .join(QStringLiteral(", ")) +
        QStringLiteral("\nFROM Claves"));
}

QVector<TFilaCascada> LeerFilas(const QString& sql) {
    QSqlQuery q = DefaultDB().Query(sql);
    const bool con_texto = q.record().count() > 1;
    QVector<TFilaCascada> filas;
    while (q.next())
        filas.push_back({VarAEnter(q.value(0)), con_texto ? q.value(1).toString() : QString()});
    return filas;
}

int LeerEntero(const QString& tabla, const QString& campo, const QString& clave, int id) {
    return VarAEnter(ValorCamp(tabla, campo, CondicionClave(clave, id)));
}

QString CondicionClave(const QString& campo, int id) {
    return campo + QStringLiteral("=") + ValorSQL(id);
}

int Porcentaje(int i, int n) {
    return n > 0 ? int(std::lround(i * 100.0 / n)) : 100;
}

}  // namespace zmk
