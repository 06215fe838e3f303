#include "classroom/arbolnotas.h"

#include "classroom/boletines.h"
#include "classroom/valoresnota.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"

namespace zmk {

QVector<TConceptoArbol> ConceptosArbolNotas(TDataSet& notas, int nota) {
    QVector<TConceptoArbol> conceptos;
    TField* id = notas.FindField(QStringLiteral("IDBoletinNotasT25"));
    if (!notas.Active() || !id || id->AsInteger() <= 0) return conceptos;
    auto boletin = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T24BoletinesNotas WHERE IDBoletinNotasT24=") +
            ValorSQL(id->AsInteger()),
        true);
    boletin->Open();
    if (boletin->IsEmpty()) return conceptos;
    for (int n = 1; n <= kConceptosNota; ++n) {
        if (nota != 0 && nota != n) continue;
        TField* valores = boletin->FindField(CampoConcepto("ValoresConc", n, "T24"));
        if (!valores || valores->AsString().isEmpty()) continue;
        TField* nombre = boletin->FindField(CampoConcepto("NombreConc", n, "T24"));
        TField* valor = notas.FindField(CampoConcepto("ValorConc", n, "T25"));
        const TValoresConcepto def = DecodificaValoresConcepto(valores->AsString());
        const QStringList dados = SeparaValores(valor ? valor->AsString() : QString());
        TConceptoArbol c{
            n, nombre ? nombre->AsString() : QString(), def.subconceptos, def.valores, {}};
        const int nodos = def.subconceptos.isEmpty() ? 1 : int(def.subconceptos.size());
        for (int i = 0; i < nodos; ++i) c.asignados << (i < dados.size() ? dados[i] : QString());
        conceptos << c;
    }
    return conceptos;
}

TEstadoValorNota EstadoValorNota(const QString& valor, const QStringList& posibles) {
    if (valor.isEmpty()) return TEstadoValorNota::SinAsignar;
    return posibles.contains(valor) ? TEstadoValorNota::Posible : TEstadoValorNota::Otro;
}

void EscribirConceptoNota(TDataSet& notas, int concepto, const QStringList& valores) {
    notas.Edit();
    notas.FieldByName(CampoConcepto("ValorConc", concepto, "T25")).SetValue(UneValores(valores));
}

}  // namespace zmk
