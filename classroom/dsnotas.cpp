#include "classroom/dsnotas.h"

#include "classroom/valoresnota.h"
#include "host/prompt.h"

namespace zmk {

namespace {

TZMKDS_Notas::TDialogo& Dialogo() {
    static TZMKDS_Notas::TDialogo dialogo;
    return dialogo;
}

bool Es(const QString& name, const QString& param) {
    return name.compare(param, Qt::CaseInsensitive) == 0;
}

// Without a screen each list is one input box with its items separated by "|".
bool PreguntarListas(QStringList& subconceptos, QStringList& valores) {
    auto sub = Prompt().InputBox(QStringLiteral("Lista de Valores"),
                                 QStringLiteral("Listado de Subconceptos: (separados por \"|\")"),
                                 subconceptos.join(QLatin1Char('|')));
    if (!sub) return false;
    auto val =
        Prompt().InputBox(QStringLiteral("Lista de Valores"),
                          QStringLiteral("Listado de Valores posibles: (separados por \"|\")"),
                          valores.join(QLatin1Char('|')));
    if (!val) return false;
    subconceptos = SeparaValores(*sub);
    valores = SeparaValores(*val);
    return true;
}

}  // namespace

void TZMKDS_Notas::CreateParams() {
    for (const QString& p : {kFieldValue, kModificaNotas, kModificaConceptos})
        if (!Params().ParamExists(p)) Params().AddParam(p, QVariant());
}

void TZMKDS_Notas::ParamsSetValor(const QString& name, const QVariant& value) {
    TCustomZMKDataSourceAbstract::ParamsSetValor(name, value);
    const QString texto = value.toString();
    if (Es(name, kModificaNotas)) {
        AsignarListas(subconceptos_, SeparaValores(texto));
    } else if (Es(name, kModificaConceptos)) {
        AsignarListas(SeparaValores(texto), valores_);
    } else if (Es(name, kFieldValue)) {
        const TValoresConcepto def = DecodificaValoresConcepto(texto);
        AsignarListas(def.subconceptos, def.valores);
    }
}

QVariant TZMKDS_Notas::ParamsGetValor(const QString& name) {
    QVariant valor = TCustomZMKDataSourceAbstract::ParamsGetValor(name);
    if (Es(name, kFieldValue)) return CodificaValoresConcepto(subconceptos_, valores_);
    if (Es(name, kModificaNotas)) return UneValores(valores_);
    if (Es(name, kModificaConceptos)) return UneValores(subconceptos_);
    return valor;
}

void TZMKDS_Notas::AsignarListas(const QStringList& subconceptos, const QStringList& valores) {
    ComprobarLongitudValores(subconceptos, valores);
    subconceptos_ = subconceptos;
    valores_ = valores;
}

bool TZMKDS_Notas::Execute(const QString& action) {
    QStringList sub = subconceptos_, val = valores_;
    const bool aceptado =
        Dialogo() ? Dialogo()(sub, val, Es(action, kModificaNotas)) : PreguntarListas(sub, val);
    if (!aceptado) return false;
    AsignarListas(sub, val);
    return true;
}

TZMKDS_Notas::TDialogo TZMKDS_Notas::SetDialogo(TDialogo dialogo) {
    return std::exchange(Dialogo(), std::move(dialogo));
}

}  // namespace zmk
