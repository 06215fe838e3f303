#pragma once
// The invoices of a generation run and the keys (students or enrolments) grouped on each, in
// the order the invoices were created: totals, confirmation, collection and printing follow it.
#include <QHash>
#include <QList>
#include <vector>

namespace zmk {

class TRelatedIDs {
  public:
    // Adds the key to the group of the invoice, creating the group at the end when there is
    // none; a key already in the group is not added twice.
    void Add(int idFactura, int clave);
    // A group of its own for an invoice that is never merged with others.
    void AddSinClaves(int idFactura);
    // The group whose keys hold clave, searched from the last group backwards; -1 when none.
    int IndexOf(int clave) const;
    int Count() const { return int(grupos_.size()); }
    int IDFactura(int i) const { return grupos_[size_t(i)].idFactura; }
    QList<int> IDsFacturas() const;

  private:
    struct TGrupo {
        int idFactura;
        QList<int> claves;
    };
    std::vector<TGrupo> grupos_;
    // Per key, the last group that holds it: the backward scan without scanning.
    QHash<int, int> ultimoGrupo_;
};

}  // namespace zmk
