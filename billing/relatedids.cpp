#include "billing/relatedids.h"

namespace zmk {

void TRelatedIDs::Add(int idFactura, int clave) {
    int i = Count() - 1;
    while (i >= 0 && grupos_[size_t(i)].idFactura != idFactura) --i;
    if (i < 0) {
        grupos_.push_back({idFactura, {}});
        i = Count() - 1;
    }
    TGrupo& g = grupos_[size_t(i)];
    if (g.claves.contains(clave)) return;
    g.claves << clave;
    auto it = ultimoGrupo_.find(clave);
    if (it == ultimoGrupo_.end())
        ultimoGrupo_.insert(clave, i);
    else if (*it < i)
        *it = i;
}

void TRelatedIDs::AddSinClaves(int idFactura) {
    grupos_.push_back({idFactura, {}});
}

int TRelatedIDs::IndexOf(int clave) const {
    return ultimoGrupo_.value(clave, -1);
}

QList<int> TRelatedIDs::IDsFacturas() const {
    QList<int> ids;
    ids.reserve(Count());
    for (const TGrupo& g : grupos_) ids << g.idFactura;
    return ids;
}

}  // namespace zmk
