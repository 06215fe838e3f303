#pragma once
// The key values behind the rows a user picked on a screen's grid.
#include <QList>
#include <QString>

namespace zmk {

class TZMKDBGrid;

// Which rows of the grid: all of them, the current one, or the selected ones.
enum TModoSeleccionGrid { msgTodos = 0, msgActual = 1, msgSeleccionados = 2 };

// Empties ids and appends the integer value of campo of the chosen rows (the selected ones in
// the order they were selected); returns how many. Raises "No hay registros" on an empty grid
// and names the field when the grid's data set lacks it. The current row is kept.
int GetIDsDelDBGrid(TZMKDBGrid& grid, const QString& campo, TModoSeleccionGrid modo,
                    QList<int>& ids);

}  // namespace zmk
