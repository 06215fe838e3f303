#pragma once
// Keeping an invoice header consistent with its lines, and invoice numbering.
#include <QVariant>
#include <array>
#include <optional>
#include <vector>

#include "billing/textorecibo.h"
#include "host/currency.h"
#include "host/preparedstatement.h"

namespace zmk {

class TDataBaseZMK;

// The header's money columns: the five totals, then rate, base and VAT of each of the three VAT
// slots (an empty slot holds no value).
using TImportesCabecera = std::array<std::optional<Currency>, 14>;

// Recalculates many invoices in one run: the receipt layout is read once and the statements are
// prepared once. Runs in the caller's transaction.
class TRecalculoFacturas {
  public:
    explicit TRecalculoFacturas(TDataBaseZMK& db);
    // Reads the invoice's lines and header; returns the invoice total.
    Currency Recalcular(int idFactura);
    // From the lines the caller has just written, in their stored order, and the header's
    // number and date; returns the invoice total.
    Currency Recalcular(int idFactura, const TCabeceraRecibo& cabecera,
                        std::vector<TLineaFactura> lineas);
    // How many of the invoices recalculated so far had some stored amount changed.
    size_t Cambiadas() const { return cambiadas_; }

  private:
    TDataBaseZMK& db_;
    TFormatoRecibo formato_;
    TPreparedStatement cabecera_, linea_;
    TImportesCabecera ultimos_;  // the amounts the last recalculation wrote
    size_t cambiadas_ = 0;
};

// Totals and VAT breakdown (at most three rates) of the invoice from its lines; lines entered
// with their total only get their price and base worked out. Then writes the receipt text and
// returns the invoice total. Runs in the caller's transaction.
Currency RecalcularFactura(int idFactura);

// Recalculates every invoice with discounted lines or lines entered with their total only, in a
// transaction of its own committed only when the user accepts the summary.
void RecalcularFacturasAntiguas();

// The next invoice number of a series (a Null or unknown series: the invoices without series).
int SiguienteNumeroFactura(const QVariant& idSerie);

}  // namespace zmk
