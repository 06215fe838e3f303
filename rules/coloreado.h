#pragma once
// Grid colours by record state. The colouring is logic: for a grid's data-source identifier
// and current row it answers the style the screen engine paints before drawing the cell
// normally. One shared object draws every grid it was given at form creation.
#include <QColor>
#include <functional>
#include <map>

namespace zmk {

class TDataSet;
class TZMKDBGrid;

struct TEstiloFila {
    bool cambia = false;  // false: the cell is drawn as it is
    QColor fondo;         // invalid: background unchanged
    QColor texto;         // invalid: text colour unchanged
    bool cursiva = false;
    bool negrita = false;
    bool normal = false;  // the font goes back to the plain style

    bool operator==(const TEstiloFila&) const = default;
};

// The style of the data set's current row in a grid of that data-source identifier.
TEstiloFila EstiloFila(int dataSourceId, TDataSet& dataSet);

// The subsystems above colour their own lists (billing: invoices by their state); a style added
// for an identifier replaces the one given here.
using TEstilosFilas = std::function<TEstiloFila(TDataSet&)>;
void AddEstiloFilas(int dataSourceId, TEstilosFilas estilo);

class TColoreadoRejillas {
  public:
    // The grid is drawn with the colours of the data-source identifier from now on.
    void Asignar(const TZMKDBGrid* grid, int dataSourceId);
    void Quitar(const TZMKDBGrid* grid);
    bool Colorea(const TZMKDBGrid* grid) const;
    // The style of a cell of the grid's current row; selected cells and grids it does not
    // draw keep their colours.
    TEstiloFila EstiloCelda(const TZMKDBGrid& grid, bool seleccionada) const;

  private:
    std::map<int, int> rejillas_;  // grid handle -> data-source identifier
};

// The shared object, created on first use and kept for the process.
TColoreadoRejillas& ColoreadoRejillas();

}  // namespace zmk
