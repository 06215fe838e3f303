#include "rules/conceptos.h"

#include <QSqlQuery>

#include "core/splash.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "rules/guardas.h"

namespace zmk {
namespace {

const QString kT14 = QStringLiteral("T14ConceptosMatricula");
const Currency kCien = Currency(100);

Currency Leer(const QVariant& v) {
    return VarToCurrency(v).value_or(Currency());
}

QString Literal(Currency c) {
    return ValorSQL(QVariant::fromValue(c));
}

QString Clave(int key) {
    return ValorSQL(key);
}

template <typename Filas>
void EscribirImportes(TDataBaseZMK& db, const Filas& filas) {
    for (const auto& f : filas)
        ModificaRegistres(db, kT14,
                          QStringLiteral("BaseImponibleT14=%1,ImporteIvaIncluidoT14=%2")
                              .arg(Literal(f.importes.base), Literal(f.importes.total)),
                          QStringLiteral("IDConceptoMatriculaT14=") + Clave(f.id));
}

QList<int> Claves(const QString& sql) {
    QList<int> keys;
    QSqlQuery q = DefaultDB().Query(sql);
    while (q.next()) keys << q.value(0).toInt();
    return keys;
}

// The columns an inherited copy takes from its parent as they are; the base and the total
// depend on the copy's own discount.
const QStringList& ColumnasHeredadas() {
    static const QStringList columnas = [] {
        QStringList c{QStringLiteral("IDCentroT14"), QStringLiteral("IDTarifaPreciosT14"),
                      QStringLiteral("ConceptoT14"), QStringLiteral("ImporteBaseT14"),
                      QStringLiteral("UnidadesT14"), QStringLiteral("BaseImponibleT14"),
                      QStringLiteral("TPCIvaT14"),   QStringLiteral("ImporteIvaIncluidoT14"),
                      QStringLiteral("EsCuotaT14"),  QStringLiteral("FechaAltaT14")};
        for (const char* mes : {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio",
                                "Agosto", "Septiembre", "Octubre", "Noviembre", "Diciembre"})
            c << QStringLiteral("Cobrar") + QLatin1String(mes) + QStringLiteral("T14");
        return c;
    }();
    return columnas;
}

// Which copies a refresh reaches, with the copy table named by `tabla`.
QString CondicionCopias(const QString& tabla, int idCurso, int idGrupo, int idPadre) {
    if (idPadre > 0) return QStringLiteral("(%1.IDConcMatrPadreT14=%2)").arg(tabla, Clave(idPadre));
    QString copias = QStringLiteral("(NOT (%1.IDConcMatrPadreT14 IS NULL))").arg(tabla);
    QString grupos;
    if (idGrupo > 0)
        grupos = QStringLiteral("(IDGrupoT05=%1)").arg(Clave(idGrupo));
    else if (idCurso > 0)
        grupos = QStringLiteral("(IDCursoT05=%1)").arg(Clave(idCurso));
    else
        return copias;
    return copias + QStringLiteral(
                        " AND (%1.IDMatriculaT14 IN (SELECT IDMatriculaT02 FROM T02Matriculas "
                        "WHERE (IDGrupoT02 IN (SELECT IDGrupoT05 FROM T05Grupos WHERE %2 AND "
                        "(ActivoT05))) AND (ActivaT02)))")
                        .arg(tabla, grupos);
}

}  // namespace

void CrearConceptosHeredados(int idCurso, int idGrupo) {
    TDataBaseZMK& db = DefaultDB();
    // Every concept of the owner gets a copy in each active enrolment that lacks one. The unary
    // plus keeps the engine on the enrolment's few concepts instead of the parent's many copies.
    const QString s = QStringLiteral(
        "INSERT INTO T14ConceptosMatricula\n(IDCentroT14,IDConcMatrPadreT14,IDMatriculaT14,"
        "ActivoT14)\nSELECT IDCentroT02,IDConceptoMatriculaT14,IDMatriculaT02,TRUE AS VALORTRUE\n"
        "FROM T02Matriculas,T14ConceptosMatricula\nWHERE (ActivaT02)  AND (1>(SELECT "
        "COUNT(TAUX.IDConceptoMatriculaT14) FROM T14ConceptosMatricula AS TAUX where "
        "(+TAUX.IDConcMatrPadreT14=T14ConceptosMatricula.IDConceptoMatriculaT14) AND "
        "(TAUX.IDMatriculaT14=T02Matriculas.IDMatriculaT02)))");
    if (idCurso > 0) {
        db.ExecuteSQL(s + QStringLiteral(" AND ((IDCursoT14=%1) AND (IDGrupoT02 IN (SELECT "
                                         "IDGrupoT05 FROM T05Grupos INNER JOIN T03Cursos ON "
                                         "T03Cursos.IDCursoT03 = T05Grupos.IDCursoT05 WHERE "
                                         "ActivoT05 AND ActivoT03 AND IDCursoT05=%1)))")
                              .arg(Clave(idCurso)));
    }
    if (idGrupo > 0) {
        db.ExecuteSQL(s + QStringLiteral(" AND ((IDGrupoT14=%1) AND (IDGrupoT02 IN (SELECT "
                                         "IDGrupoT05 FROM T05Grupos WHERE ActivoT05 AND "
                                         "IDGrupoT05=%1)))")
                              .arg(Clave(idGrupo)));
    }
    if (idCurso > 0) {
        db.ExecuteSQL(
            QStringLiteral(
                "INSERT INTO T25NotasBoletin\n(IDBoletinNotasT25,IDMatriculaT25)\nSELECT "
                "IDBoletinNotasT24,IDMatriculaT02\nFROM T24BoletinesNotas,T05Grupos INNER JOIN "
                "T02Matriculas ON T05Grupos.IDGrupoT05 = T02Matriculas.IDGrupoT02\nWHERE "
                "(IDCursoT05=%1) AND (IDCursoT24=%1) AND (1>(SELECT "
                "COUNT(TAUX.IDNotasBoletinT25) FROM T25NotasBoletin AS TAUX WHERE "
                "(TAUX.IDBoletinNotasT25=T24BoletinesNotas.IDBoletinNotasT24) AND "
                "(TAUX.IDMatriculaT25=T02Matriculas.IDMatriculaT02)))")
                .arg(Clave(idCurso)));
    }
    ActualizarConceptosHeredados(idCurso, idGrupo, 0);
}

void ActualizarConceptosHeredados(int idCurso, int idGrupo, int idConceptoPadre) {
    TDataBaseZMK& db = DefaultDB();
    const QStringList& columnas = ColumnasHeredadas();
    QStringList origen;
    for (const QString& c : columnas) origen << QStringLiteral("T2.") + c;
    // Copies whose parent no longer exists are left alone, as an inner join would.
    db.ExecuteSQL(QStringLiteral("UPDATE T14ConceptosMatricula\nSET (%1) = (SELECT %2 FROM "
                                 "T14ConceptosMatricula AS T2 WHERE T2.IDConceptoMatriculaT14 = "
                                 "T14ConceptosMatricula.IDConcMatrPadreT14)\nWHERE %3 AND "
                                 "(T14ConceptosMatricula.IDConcMatrPadreT14 IN (SELECT "
                                 "IDConceptoMatriculaT14 FROM T14ConceptosMatricula))")
                      .arg(columnas.join(QLatin1Char(',')), origen.join(QLatin1Char(',')),
                           CondicionCopias(kT14, idCurso, idGrupo, idConceptoPadre)));

    // A copy with its own discount: the line rule on the parent's price, units and VAT.
    struct Fila {
        int id;
        TImportesLinea importes;
    };
    QList<Fila> filas;
    QSqlQuery q = db.Query(
        QStringLiteral("SELECT T14ConceptosMatricula.IDConceptoMatriculaT14, "
                       "T14ConceptosMatricula.TPCDtoT14, T2.ImporteBaseT14, T2.UnidadesT14, "
                       "T2.TPCIvaT14 FROM T14ConceptosMatricula INNER JOIN T14ConceptosMatricula "
                       "AS T2 ON T14ConceptosMatricula.IDConcMatrPadreT14 = "
                       "T2.IDConceptoMatriculaT14 WHERE (T14ConceptosMatricula.TPCDtoT14 <> 0) "
                       "AND %1")
            .arg(CondicionCopias(kT14, idCurso, idGrupo, idConceptoPadre)));
    while (q.next())
        filas << Fila{q.value(0).toInt(),
                      CalcularImportesLinea(Leer(q.value(2)), Leer(q.value(3)), Leer(q.value(1)),
                                            Leer(q.value(4)))};
    EscribirImportes(db, filas);
}

void EliminarConceptosHeredadosHuerfanos() {
    TDataBaseZMK& db = DefaultDB();
    // Comparisons with a missing group or course are unknown, so such copies stay.
    QList<int> huerfanos = Claves(QStringLiteral(
        "SELECT T14ConceptosMatricula.IDConceptoMatriculaT14\nFROM T14ConceptosMatricula INNER "
        "JOIN T14ConceptosMatricula AS T14Padre ON T14ConceptosMatricula.IDConcMatrPadreT14 = "
        "T14Padre.IDConceptoMatriculaT14 LEFT JOIN T02Matriculas ON T02Matriculas.IDMatriculaT02 "
        "= T14ConceptosMatricula.IDMatriculaT14 LEFT JOIN T05Grupos ON T05Grupos.IDGrupoT05 = "
        "T02Matriculas.IDGrupoT02\nWHERE (T14Padre.IDCursoT14 <> T05Grupos.IDCursoT05) OR "
        "(T14Padre.IDGrupoT14 <> T05Grupos.IDGrupoT05)\nORDER BY "
        "T14ConceptosMatricula.IDConceptoMatriculaT14"));
    if (!huerfanos.isEmpty()) {
        TSplashLevel nivel(QStringLiteral("Eliminando conceptos heredados"), QString());
        const int n = int(huerfanos.size());
        for (int i = 1; i <= n; ++i) {
            Splash().SetText(QStringLiteral("Eliminando concepto ") + QString::number(i),
                             int((i * 100 + n / 2) / n));
            EliminarConcepto(huerfanos[i - 1], true);
        }
    }
    db.ExecuteSQL(QStringLiteral(
        "DELETE FROM T25NotasBoletin\nWHERE IDNotasBoletinT25 IN (SELECT "
        "T25NotasBoletin.IDNotasBoletinT25 FROM T25NotasBoletin LEFT JOIN T02Matriculas ON "
        "T02Matriculas.IDMatriculaT02 = T25NotasBoletin.IDMatriculaT25 LEFT JOIN T05Grupos ON "
        "T05Grupos.IDGrupoT05 = T02Matriculas.IDGrupoT02 LEFT JOIN T24BoletinesNotas ON "
        "T24BoletinesNotas.IDBoletinNotasT24 = T25NotasBoletin.IDBoletinNotasT25\nWHERE "
        "(((T05Grupos.IDCursoT05)<>T24BoletinesNotas.IDCursoT24)))"));
}

void EliminarConcepto(int idConcepto, bool borrarFila) {
    TDataBaseZMK& db = DefaultDB();
    const QList<int> hijos =
        Claves(QStringLiteral("SELECT IDConceptoMatriculaT14 FROM T14ConceptosMatricula WHERE "
                              "IDConcMatrPadreT14=") +
               Clave(idConcepto));
    for (int hijo : hijos) EliminarConcepto(hijo, true);
    // Invoices keep their lines, no longer linked to the concept.
    ModificaRegistres(db, QStringLiteral("T16FacturasCue"),
                      QStringLiteral("IDConceptoMatriculaT16=NULL"),
                      QStringLiteral("IDConceptoMatriculaT16=") + Clave(idConcepto));
    if (borrarFila)
        EsborraRegistres(db, kT14, QStringLiteral("IDConceptoMatriculaT14=") + Clave(idConcepto));
}

void RepreciarConceptosTarifa(int idTarifa, Currency precio, Currency iva, Currency conIva) {
    TDataBaseZMK& db = DefaultDB();
    const QString deLaTarifa = QStringLiteral("IDTarifaPreciosT14=") + Clave(idTarifa);
    ModificaRegistres(
        db, kT14,
        QStringLiteral("ImporteBaseT14=%1,TPCIvaT14=%2").arg(Literal(precio), Literal(iva)),
        deLaTarifa);
    struct Fila {
        int id;
        TImportesLinea importes;
    };
    QList<Fila> filas;
    QSqlQuery q =
        db.Query(QStringLiteral("SELECT IDConceptoMatriculaT14,UnidadesT14,TPCDtoT14 FROM "
                                "T14ConceptosMatricula WHERE ") +
                 deLaTarifa);
    while (q.next())
        filas << Fila{q.value(0).toInt(),
                      ImportesDesdeTarifa(precio, iva, conIva, Leer(q.value(1)), Leer(q.value(2)))};
    EscribirImportes(db, filas);
    ActualizarConceptosHeredados(0, 0, 0);
}

void DuplicarConcepto() {
    DuplicarConcepto(Parametres().AsObject<TDataSet>("PRMIP_DATASET"));
}

void DuplicarConcepto(TDataSet* ds) {
    if (!ds || !ds->Active() || ds->State() == TDataSetState::Edit ||
        ds->State() == TDataSetState::Insert)
        return;
    TField* clave = ds->FindField(QStringLiteral("IDConceptoMatriculaT14"));
    if (!clave || clave->IsNull()) return;
    auto origen = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T14ConceptosMatricula WHERE IDConceptoMatriculaT14=") +
        Clave(clave->AsInteger()));
    origen->Open();
    if (origen->IsEmpty()) return;
    ds->Append();
    {
        // The values are copied as they are: the amount rules must not rework them.
        TGuardaActiva guarda(GuardaCampos());
        for (int i = 0; i < ds->FieldCount(); ++i) {
            TField& f = ds->Fields(i);
            if (f.ReadOnly() ||
                f.FieldName().compare(QLatin1String("IDConceptoMatriculaT14"),
                                      Qt::CaseInsensitive) == 0 ||
                f.FieldName().compare(QLatin1String("IDConcMatrPadreT14"), Qt::CaseInsensitive) ==
                    0)
                continue;
            if (TField* src = origen->FindField(f.FieldName())) f.SetValue(src->Value());
        }
    }
    Prompt().Show(TMsgKind::Information, ApplicationTitle(),
                  QStringLiteral("La información se ha duplicado\n\nHaga los cambios oportunos y "
                                 "presione F12 para guardar\no presione F8 para deshacer la "
                                 "operación"));
}

TImportesLinea CalcularImportesDesdeBase(TImportesLinea actual, Currency unidades, Currency dto,
                                         Currency iva) {
    TImportesLinea r = actual;
    const Currency q = Currency::MulDiv({unidades, kCien - dto}, kCien, 4);
    if (q.IsZero()) {
        r.base = Currency();
        r.total = Currency();
        return r;
    }
    // The typed base is kept in cents, as every line's.
    r.base = actual.base.Rounded(2);
    r.precio = Currency::MulDiv({r.base}, q, 2);
    r.total = r.base + Currency::MulDiv({iva, r.base}, kCien, 2);
    return r;
}

TDescuentoDesdeTotal CalcularDescuentoDesdeTotal(Currency total, Currency precio, Currency unidades,
                                                 Currency dto, Currency base, Currency iva) {
    TDescuentoDesdeTotal r{total, dto, base, false, false};
    // 100 % leaves everything as it is; -100 would divide by zero.
    if (iva == kCien || (kCien + iva).IsZero()) return r;
    if (precio.IsZero() && total > Currency()) {
        Prompt().Show(TMsgKind::Information, ApplicationTitle(),
                      QStringLiteral("No es posible calcular el porcentaje de descuento si el "
                                     "importe base es 0"));
        r.avisoPrecioCero = true;
        r.total = Currency();
        r.cambiado = true;
    }
    const Currency h = Currency::MulDiv({precio, unidades}, Currency(1), 2);
    if (h.IsZero()) return r;
    r.total = r.total.Rounded(2);
    r.base = BaseImponibleDesdeTotal(r.total, iva);
    // 100 - B x 100 / h, with a single rounding.
    r.dto = Currency::MulDiv({h - r.base, kCien}, h, 2);
    r.cambiado = true;
    return r;
}

TNivelConcepto NivelConcepto(TDataSet& ds, TNivelPadre* padre) {
    auto fijado = [&](const char* campo) {
        TField* f = ds.FindField(QLatin1String(campo));
        return f && !f->IsNull();
    };
    if (padre) *padre = TNivelPadre::Ninguno;
    if (fijado("IDConcMatrPadreT14")) {
        if (padre) {
            QSqlQuery q = DefaultDB().Query(
                QStringLiteral("SELECT IDConceptoMatriculaT14,IDConcMatrPadreT14,IDCursoT14,"
                               "IDGrupoT14 FROM T14ConceptosMatricula WHERE "
                               "IDConceptoMatriculaT14=") +
                Clave(ds.FieldByName(QStringLiteral("IDConcMatrPadreT14")).AsInteger()));
            if (q.next()) {
                if (!q.value(2).isNull())
                    *padre = TNivelPadre::Curso;
                else if (!q.value(3).isNull())
                    *padre = TNivelPadre::Grupo;
            }
        }
        return TNivelConcepto::Heredado;
    }
    if (fijado("IDCursoT14")) return TNivelConcepto::Curso;
    if (fijado("IDGrupoT14")) return TNivelConcepto::Grupo;
    if (fijado("IDMatriculaT14")) return TNivelConcepto::Matricula;
    if (fijado("IDPlantillaCobroT14")) return TNivelConcepto::Plantilla;
    return TNivelConcepto::SinPropietario;
}

TEtiquetaConcepto EtiquetaConcepto(TNivelConcepto nivel, TNivelPadre padre) {
    const QColor azul(0, 128, 192);
    switch (nivel) {
        case TNivelConcepto::Heredado: {
            QString texto = padre == TNivelPadre::Curso
                                ? QStringLiteral("Concepto de cobro del CURSO (no modificable)")
                            : padre == TNivelPadre::Grupo
                                ? QStringLiteral("Concepto de cobro del GRUPO (no modificable)")
                                : QStringLiteral("Concepto de cobro no modificable");
            return {texto, QColor(128, 128, 128), true};
        }
        case TNivelConcepto::Curso:
            return {QStringLiteral("Este concepto se aplicará a todas las matrículas del curso"),
                    azul, true};
        case TNivelConcepto::Grupo:
            return {QStringLiteral("Este concepto se aplicará a todas las matrículas del Grupo"),
                    azul, true};
        case TNivelConcepto::Matricula:
            return {QStringLiteral("Concepto libre de esta matrícula"), QColor(180, 180, 180),
                    true};
        case TNivelConcepto::Plantilla:
        case TNivelConcepto::SinPropietario:
            break;
    }
    return {QString(), QColor(), false};
}

}  // namespace zmk
