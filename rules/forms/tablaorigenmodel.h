#pragma once
// A source table of the import as a read-only grid model: the file's column names as headers,
// each value as the preview shows it.
#include <QAbstractTableModel>

#include "rules/lectores/origendatos.h"

namespace zmk {

class TTablaOrigenModel : public QAbstractTableModel {
  public:
    explicit TTablaOrigenModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    // The table must outlive the model or be replaced before it goes.
    void SetTabla(const TTablaOrigen* tabla);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    const TTablaOrigen* tabla_ = nullptr;
};

}  // namespace zmk
