#pragma once
// The invoice functions form without widgets: its choices and "Aceptar" (the dialog in
// billing/forms shows them; escolia-cli and the tests use them directly).
#include <QDate>
#include <QList>

namespace zmk {

enum class TAccionFactura { Ninguna, Devolver, Cobrar, Borrar, AnularDevolucion, AnularCobro };

// The invoice functions form without widgets: its choices and "Aceptar".
struct TFormFuncionesFacturas {
    QList<int> ids;  // the chosen invoices (current, all or selected rows)
    TAccionFactura accion = TAccionFactura::Ninguna;
    QDate fechaDevolucion;
    QDate fechaCobro;
    int idFormaCobro = 0;     // 0: "(La misma)"
    bool desfacturar = true;  // "Volver a marcar los conceptos como facturables"
    bool imprimir = false;    // "Imprimir factura/recibo"

    // The state a new form starts with: today and the remembered boxes.
    static TFormFuncionesFacturas Inicial();
    // Applies the action to every chosen invoice in one transaction, after the user accepts
    // the summary; returns how many were applied.
    int Aceptar() const;
};

}  // namespace zmk
