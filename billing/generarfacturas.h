#pragma once
// Turning the active charge concepts of enrolments into invoices, grouped per student or per
// enrolment, in one transaction that the user confirms after seeing the count and the total.
#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

#include "billing/grid.h"
#include "host/currency.h"

namespace zmk {

// One row of the single-student concept grid: the units to bill and whether to bill it.
struct TSeleccionConcepto {
    int idConcepto = 0;
    Currency unidadesLeidas;
    Currency unidades;
    bool facturar = false;
    QString grupo, concepto;  // what the grid shows
    Currency precio;
};

// The inputs of one generation run.
struct TGeneracionFacturas {
    int mes = -1;  // 1..12; -1 (with anyo -1) bills the concepts without month
    int anyo = -1;
    QDate fecha;
    bool agruparPorAlumno = false;
    bool evitarDuplicadosFecha = true;
    bool evitarDuplicadosConceptos = true;
    bool numerar = true;
    bool alumnoRelacionado = false;
    bool datosPadreOMadre = false;
    int idSerie = 0;
    QString textoSerie;  // as the series box shows it, for the confirmation
    bool cobrar = false;
    bool porConceptos = false;  // billing by concept: only the concepts listed
    QList<int> alumnos;
    QList<int> conceptos;
    // The single-student concept grid; empty when not shown. When given, it alone says which
    // concepts are billed (its month's, those without month, pending one-off charges).
    std::vector<TSeleccionConcepto> seleccion;
};

// Runs the generation and returns the new invoices in creation order. Everything up to the
// confirmation runs in one transaction that holds the write lock (so series numbers cannot be
// given twice by two workstations); any error or a "No" rolls it back. With cobrar the invoices
// are collected after the commit.
QList<int> GenerarFacturas(const TGeneracionFacturas& g);

// When there are active enrolments with a leaving date on or before fecha, offers to deactivate
// them first (their concepts go too). Cancel, or a refused result, aborts silently.
void ComprobarBajasMatriculas(const QDate& fecha);

// The generation form on screen, over the grid in a mode: true when it closed with OK (the
// invoices were made). Returns the previous one; an empty function restores the questions
// through the prompt service.
using TDialogoGenerarFacturas = std::function<bool(TZMKDBGrid& grid, int modo)>;
TDialogoGenerarFacturas SetDialogoGenerarFacturas(TDialogoGenerarFacturas dialogo);

// The rows of the concept grid of one student: the concepts due in the month, those without
// month when sinMes, and the one-off charges not billed yet (a late enrolment's fees).
std::vector<TSeleccionConcepto> ConceptosAlumno(int idAlumno, int mes, bool sinMes);

// Provides "AUTOFACTURAR", "FUNCIONES_FACTURAS", "FACTURA_CUE_QUITA_MATRICULA" and
// "GENERAR_LIQUIDACIONES", and the reload handlers of the billing options.
void RegisterFacturacionProcedures();

}  // namespace zmk
