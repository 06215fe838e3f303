#include "classroom/funcionesnotas.h"

#include "classroom/valoresnota.h"

namespace zmk {

namespace {

enum TFuncionNota {
    fnSubCantidad,
    fnSubNombre,
    fnValoresCantidad,
    fnValorPosible,
    fnValorSubconcepto,
    fnNota,
};

QString Texto(const QVariantList& args, int i) {
    return i < args.size() ? args[i].toString() : QString();
}

// The item at a position given as text; anything that is not a position in the list gives "".
QString Elemento(const QStringList& lista, const QString& indice) {
    bool ok = false;
    const int i = indice.trimmed().toInt(&ok);
    return ok && i >= 0 && i < lista.size() ? lista[i] : QString();
}

}  // namespace

TfrZMKEscoliaFunctionLibrary::TfrZMKEscoliaFunctionLibrary() {
    AddFunctionDesc(QStringLiteral("NOTA_SUB_CANTIDAD"), kCategoria,
                    QStringLiteral("NOTA_SUB_CANTIDAD(<ValoresConcXT24>)/Devuelve la cantidad de "
                                   "subconceptos que tiene un concepto <ValoresConcXT24>"));
    AddFunctionDesc(QStringLiteral("NOTA_SUB_NOMBRE"), kCategoria,
                    QStringLiteral("NOTA_SUB_NOMBRE(<ValoresConcXT24>,<índice>)/Devuelve el NOMBRE "
                                   "del subconcepto indicado en el índice (empieza por 0 hasta "
                                   "cantidad-1), si no existe devuelve campo vacio"));
    AddFunctionDesc(QStringLiteral("NOTA_VALORES_CANTIDAD"), kCategoria,
                    QStringLiteral("NOTA_VALORES_CANTIDAD(<ValoresConcXT24>)/Devuelve la cantidad "
                                   "de valores posibles que tiene un concepto o subconcepto "
                                   "<ValoresConcXT24>"));
    AddFunctionDesc(
        QStringLiteral("NOTA_VALORPOSIBLE"), kCategoria,
        QStringLiteral("NOTA_VALORPOSIBLE(<ValoresConcXT24>,<índice de valor>)/Devuelve el VALOR "
                       "POSIBLE del concepto o subconcepto indicado en el índice (empieza por 0 "
                       "hasta cantidad-1), si no existe devuelve campo vacio"));
    AddFunctionDesc(
        QStringLiteral("NOTA_VALOR_SUBCONCEPTO"), kCategoria,
        QStringLiteral("NOTA_VALOR_SUBCONCEPTO(<ValorConcXT25>,<índice de subconcepto>)/Devuelve "
                       "el VALOR del subconcepto de la nota indicada en el índice (empieza por 0 "
                       "hasta cantidad-1) en <ValorConcXT25>, si no existe devuelve campo vacio"));
    AddFunctionDesc(QStringLiteral("NOTA"), kCategoria,
                    QStringLiteral("NOTA(<ValoresConcXT24>, <ValorConcXT25>)/Devuelve un texto que "
                                   "es la representacion textual de las notas (para usar en un "
                                   "campo con varias lineas si tiene subconceptos)"));
}

QString TextoNota(const QString& definicion, const QString& nota) {
    const TValoresConcepto def = DecodificaValoresConcepto(definicion);
    if (def.subconceptos.isEmpty()) return nota;
    const QStringList valores = SeparaValores(nota);
    QStringList lineas;
    for (int i = 0; i < def.subconceptos.size(); ++i)
        lineas << def.subconceptos[i] + QStringLiteral(" = ") +
                      (i < valores.size() ? valores[i] : QString());
    return lineas.join(QStringLiteral("\r\n"));
}

void TfrZMKEscoliaFunctionLibrary::DoFunction(int fnNumber, const QVariantList& args,
                                              QVariant& result) {
    const QString primero = Texto(args, 0);
    switch (fnNumber) {
        case fnSubCantidad:
            result = int(DecodificaValoresConcepto(primero).subconceptos.size());
            break;
        case fnSubNombre:
            result = Elemento(DecodificaValoresConcepto(primero).subconceptos, Texto(args, 1));
            break;
        case fnValoresCantidad:
            result = int(DecodificaValoresConcepto(primero).valores.size());
            break;
        case fnValorPosible:
            result = Elemento(DecodificaValoresConcepto(primero).valores, Texto(args, 1));
            break;
        case fnValorSubconcepto:
            result = Elemento(SeparaValores(primero), Texto(args, 1));
            break;
        case fnNota:
            result = TextoNota(primero, Texto(args, 1));
            break;
        default:
            break;
    }
}

}  // namespace zmk
