// What is typed straight into a concept definition or a grade (a screen's edit box, escolia-cli)
// is stored the way the editors store it, so no item carries the characters of the encoding.
#include "classroom/boletines.h"
#include "classroom/valoresnota.h"
#include "host/dataset.h"

namespace zmk {

namespace {

bool Cambiado(const TField& campo) {
    return campo.Value() != campo.OldValue();
}

void NormalizarDefinicion(TField& campo) {
    const QString texto = campo.AsString();
    if (!Cambiado(campo) || texto.trimmed().isEmpty()) return;
    const TValoresConcepto def = DecodificaValoresConcepto(texto);
    ComprobarLongitudValores(def.subconceptos, def.valores);
    const QString codificado = CodificaValoresConcepto(def.subconceptos, def.valores);
    if (codificado != texto) campo.SetValue(codificado);
}

void NormalizarNota(TField& campo) {
    if (!Cambiado(campo) || campo.IsNull()) return;
    const QString limpio = UneValores(SeparaValores(campo.AsString()));
    if (limpio != campo.AsString()) campo.SetValue(limpio);
}

}  // namespace

void NormalizarCamposNota(TDataSet& ds) {
    const QString tabla = ds.UpdateTable();
    const char* sufijo = nullptr;
    if (tabla.compare(QLatin1String("T23FormatosBoletinesNotas"), Qt::CaseInsensitive) == 0)
        sufijo = "T23";
    else if (tabla.compare(QLatin1String("T24BoletinesNotas"), Qt::CaseInsensitive) == 0)
        sufijo = "T24";
    for (int n = 1; n <= kConceptosNota; ++n) {
        if (sufijo) {
            if (TField* f = ds.FindField(CampoConcepto("ValoresConc", n, sufijo)))
                NormalizarDefinicion(*f);
        } else if (tabla.compare(QLatin1String("T25NotasBoletin"), Qt::CaseInsensitive) == 0) {
            if (TField* f = ds.FindField(CampoConcepto("ValorConc", n, "T25"))) NormalizarNota(*f);
        }
    }
}

}  // namespace zmk
