#include "classroom/hojanotas.h"

#include "classroom/boletines.h"
#include "classroom/valoresnota.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/querysql.h"

namespace zmk {

namespace {

constexpr int kPantallaNotas = 300;

TDialogoHojaNotas& Dialogo() {
    static TDialogoHojaNotas dialogo;
    return dialogo;
}

int PedirGrupo(int idBoletin) {
    auto grupos = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT IDGrupoT05, CodigoT05, NombreT05 FROM T05Grupos WHERE IDCursoT05 "
                       "IN (SELECT IDCursoT24 FROM T24BoletinesNotas WHERE IDBoletinNotasT24=") +
            ValorSQL(idBoletin) + QStringLiteral(") ORDER BY CodigoT05"),
        true);
    grupos->Open();
    if (grupos->IsEmpty())
        throw EZMKError(
            QStringLiteral("El curso del boletín no tiene ningún grupo\n\nCree los "
                           "grupos del curso antes de poner las notas"));
    QStringList lineas;
    for (grupos->First(); !grupos->Eof(); grupos->Next())
        lineas << grupos->Fields(0).AsString() + QStringLiteral(" = (") +
                      grupos->Fields(1).AsString() + QStringLiteral(") ") +
                      grupos->Fields(2).AsString();
    grupos->First();
    auto texto = Prompt().InputBox(QStringLiteral("Hoja de notas del grupo"),
                                   QStringLiteral("Grupo:\n") + lineas.join(QLatin1Char('\n')),
                                   grupos->Fields(0).AsString());
    if (!texto) throw EAbort();
    bool ok = false;
    const int id = texto->trimmed().toInt(&ok);
    if (!ok || !grupos->Locate(QStringLiteral("IDGrupoT05"), id))
        throw EZMKError(QStringLiteral("El grupo \"%1\" no es del curso del boletín\n\nIndique el "
                                       "número de uno de los grupos de la lista")
                            .arg(texto->trimmed()));
    return id;
}

// Every cell of an active enrolment, row by row, its current value as the default.
void PreguntarCeldas(THojaNotas& hoja) {
    for (int f = 0; f < hoja.Filas().size(); ++f) {
        if (!hoja.Filas()[f].activa) continue;
        for (int c = 0; c < hoja.Columnas().size(); ++c) {
            const QString actual = hoja.Valor(f, c);
            auto texto = Prompt().InputBox(
                QStringLiteral("Hoja de notas del grupo"),
                hoja.Filas()[f].alumno + QStringLiteral(" - ") + hoja.Columnas()[c].titulo +
                    QStringLiteral(" (") + hoja.Columnas()[c].posibles.join(QStringLiteral(", ")) +
                    QStringLiteral("):"),
                actual);
            if (!texto) throw EAbort();
            const QString valor = hoja.Completar(c, texto->trimmed());
            if (valor != actual) hoja.Asignar(f, c, valor);
        }
    }
}

}  // namespace

THojaNotas::THojaNotas(int idBoletin, int idGrupo) : boletin_(idBoletin), grupo_(idGrupo) {
    auto boletin = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T24BoletinesNotas WHERE IDBoletinNotasT24=") +
            ValorSQL(idBoletin),
        true);
    boletin->Open();
    if (boletin->IsEmpty())
        throw EZMKError(QStringLiteral("No existe el boletín de notas %1").arg(idBoletin));
    for (int n = 1; n <= kConceptosNota; ++n) {
        const QString def = boletin->FieldByName(CampoConcepto("ValoresConc", n, "T24")).AsString();
        const QString nombre =
            boletin->FieldByName(CampoConcepto("NombreConc", n, "T24")).AsString();
        if (def.isEmpty() && nombre.isEmpty()) continue;
        const TValoresConcepto v = DecodificaValoresConcepto(def);
        if (v.subconceptos.isEmpty()) {
            columnas_.push_back({n, 0, nombre, v.valores});
            continue;
        }
        for (int i = 0; i < v.subconceptos.size(); ++i)
            columnas_.push_back(
                {n, i, nombre + QStringLiteral(": ") + v.subconceptos[i], v.valores});
    }
    QSqlQuery q = DefaultDB().Query(
        QStringLiteral(
            "SELECT T25NotasBoletin.*, NombreCompletoT01, ActivaT02 FROM T25NotasBoletin "
            "INNER JOIN T02Matriculas ON IDMatriculaT02=IDMatriculaT25 LEFT JOIN "
            "T01Alumnos ON IDAlumnoT01=IDAlumnoT02 WHERE IDBoletinNotasT25=%1 AND "
            "IDGrupoT02=%2 ORDER BY NombreCompletoT01, IDNotasBoletinT25")
            .arg(ValorSQL(idBoletin), ValorSQL(idGrupo)));
    while (q.next()) {
        TFila fila;
        fila.idNotas = q.value(QStringLiteral("IDNotasBoletinT25")).toInt();
        fila.idMatricula = q.value(QStringLiteral("IDMatriculaT25")).toInt();
        fila.alumno = q.value(QStringLiteral("NombreCompletoT01")).toString();
        fila.activa = q.value(QStringLiteral("ActivaT02")).toBool();
        for (int n = 1; n <= kConceptosNota; ++n)
            fila.valores << SeparaValores(q.value(CampoConcepto("ValorConc", n, "T25")).toString());
        filas_ << fila;
    }
}

QString THojaNotas::Valor(int fila, int columna) const {
    const TColumna& c = columnas_[columna];
    return filas_[fila].valores[c.concepto - 1].value(c.subconcepto);
}

QString THojaNotas::Completar(int columna, const QString& escrito) const {
    if (escrito.isEmpty()) return escrito;
    for (const QString& p : columnas_[columna].posibles)
        if (p.startsWith(escrito, Qt::CaseInsensitive)) return p;
    return escrito;
}

void THojaNotas::Asignar(int fila, int columna, const QString& valor) {
    const TColumna& c = columnas_[columna];
    QStringList items = filas_[fila].valores[c.concepto - 1];
    while (items.size() <= c.subconcepto) items << QString();
    items[c.subconcepto] = LimpiaValor(valor);
    auto ds = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T25NotasBoletin WHERE IDNotasBoletinT25=") +
            ValorSQL(filas_[fila].idNotas),
        false);
    ZMKApp().AttachDataSet(*ds, kPantallaNotas);
    ds->Open();
    if (ds->IsEmpty())
        throw EZMKError(QStringLiteral("La nota de %1 ya no existe\n\nVuelva a abrir la hoja de "
                                       "notas")
                            .arg(filas_[fila].alumno));
    ds->Edit();
    ds->FieldByName(CampoConcepto("ValorConc", c.concepto, "T25")).SetValue(UneValores(items));
    ds->Post();
    filas_[fila].valores[c.concepto - 1] =
        SeparaValores(ds->FieldByName(CampoConcepto("ValorConc", c.concepto, "T25")).AsString());
}

QString THojaNotas::FiltroInforme() const {
    return QStringLiteral("IDBoletinNotasT24=") + ValorSQL(boletin_) +
           QStringLiteral(" AND IDGrupoT05=") + ValorSQL(grupo_);
}

TDialogoHojaNotas SetDialogoHojaNotas(TDialogoHojaNotas dialogo) {
    return std::exchange(Dialogo(), std::move(dialogo));
}

void HojaNotasGrupo() {
    auto* query = Parametres().AsObject<TQuerySQL>(QStringLiteral("PRMIP_TQUERYSQL"));
    if (!query || query->DataSet().IsEmpty())
        throw EZMKError(QStringLiteral("No hay ningún boletín de notas seleccionado"));
    TDataSet& ds = query->DataSet();
    const int boletin = ds.FieldByName(QStringLiteral("IDBoletinNotasT24")).AsInteger();
    int grupo = Parametres().AsInteger(QStringLiteral("PRME01"), 0);
    if (grupo <= 0) grupo = PedirGrupo(boletin);
    THojaNotas hoja(boletin, grupo);
    if (Dialogo()) {
        // On screen a locked bulletin's sheet still shows and prints; its cells refuse.
        Dialogo()(hoja);
        return;
    }
    ExigirBoletinDesbloqueado(boletin);
    PreguntarCeldas(hoja);
}

}  // namespace zmk
