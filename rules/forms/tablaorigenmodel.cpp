#include "rules/forms/tablaorigenmodel.h"

#include "rules/valoresimportacion.h"

namespace zmk {

void TTablaOrigenModel::SetTabla(const TTablaOrigen* tabla) {
    beginResetModel();
    tabla_ = tabla;
    endResetModel();
}

int TTablaOrigenModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !tabla_ ? 0 : int(tabla_->filas.size());
}

int TTablaOrigenModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !tabla_ ? 0 : int(tabla_->columnas.size());
}

QVariant TTablaOrigenModel::data(const QModelIndex& index, int role) const {
    if (!tabla_ || !index.isValid()) return QVariant();
    const QVariant& valor = tabla_->filas.at(index.row()).at(index.column());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return TextoDeValor(valor);
    // Numbers and dates line up on the right, as a spreadsheet shows them.
    if (role == Qt::TextAlignmentRole && valor.isValid() &&
        valor.metaType().id() != QMetaType::QString)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant TTablaOrigenModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || !tabla_) return QVariant();
    if (orientation == Qt::Horizontal) return tabla_->columnas.value(section);
    return section + 1;
}

}  // namespace zmk
