#pragma once
// The invoice generation form without widgets: the choices it offers and its two buttons (the
// dialog in billing/forms shows them; escolia-cli and the tests use them directly).
#include <QDate>
#include <QList>
#include <QStringList>
#include <vector>

#include "billing/generarfacturas.h"
#include "billing/grid.h"

namespace zmk {

// The generation form without widgets: the choices it offers and its two buttons.
struct TFormGenerarFacturas {
    static constexpr int kPorAlumno = 1;
    static constexpr int kPorConcepto = 2;
    int modo = kPorAlumno;
    QList<int> alumnos;    // chosen rows of the grid
    QList<int> conceptos;  // in concept mode
    QDate fecha;
    int anyo = 0;
    int mes = 0;          // 0: none chosen
    bool sinMes = false;  // "Conceptos sin mes asignado"
    int idSerie = 0;
    std::vector<TSeleccionConcepto> seleccion;

    // The state a new form starts with: today, the month filter, the remembered series.
    static TFormGenerarFacturas Inicial(int modo);
    // Fills the selection lists from the grid's rows.
    void Seleccionar(TZMKDBGrid& grid, TModoSeleccionGrid filas);
    // Whether the month filter of the screens fixes the month (the drop-down is then disabled).
    static bool HayMesFiltro();
    // The lines of the options memo, in the form's order.
    static QStringList OpcionesActivas();
    // Whether the single-student concept grid is shown.
    bool MuestraConceptos() const;
    // Rebuilds the concept grid for the chosen month (or the concepts without month).
    void CargarConceptos();

    // "Facturar" / "Facturar y cobrar la factura". Returns the new invoices.
    QList<int> Facturar(bool cobrar) const;
};

}  // namespace zmk
