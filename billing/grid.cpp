#include "billing/grid.h"

#include "host/dataset.h"
#include "host/errors.h"
#include "host/grid.h"

namespace zmk {

namespace {

// Puts the data set back on the row it was on, also when an error passes.
class TRestaurarPosicion {
  public:
    explicit TRestaurarPosicion(TDataSet& ds) : ds_(ds), recNo_(ds.RecNo()) {}
    ~TRestaurarPosicion() {
        if (recNo_ > 0 && ds_.Active() && ds_.RecNo() != recNo_) ds_.SetRecNo(recNo_);
    }

  private:
    TDataSet& ds_;
    int recNo_;
};

}  // namespace

int GetIDsDelDBGrid(TZMKDBGrid& grid, const QString& campo, TModoSeleccionGrid modo,
                    QList<int>& ids) {
    ids.clear();
    TDataSet& ds = grid.DataSet();
    if (!ds.Active() || ds.IsEmpty()) throw EZMKError(QStringLiteral("No hay registros"));
    TField* field = nullptr;
    try {
        field = &ds.FieldByName(campo);
    } catch (const EZMKError& e) {
        throw EZMKError(QStringLiteral("Error en \"GetIDsDelDBGrid\": Campo: %1\n\n").arg(campo) +
                        e.Message());
    }
    switch (modo) {
        case msgActual:
            ids << field->AsInteger();
            break;
        case msgTodos: {
            TRestaurarPosicion restaurar(ds);
            for (ds.First(); !ds.Eof(); ds.Next()) ids << field->AsInteger();
            break;
        }
        case msgSeleccionados: {
            TRestaurarPosicion restaurar(ds);
            // Selected rows are known by the grid's key; a grid without one by record number.
            const bool porNumero = ds.KeyField().isEmpty();
            for (const QVariant& key : grid.SelectedKeys()) {
                if (porNumero) {
                    const int recNo = key.toInt();
                    if (recNo < 1 || recNo > ds.RecordCount()) continue;
                    ds.SetRecNo(recNo);
                } else if (!ds.Locate(ds.KeyField(), key)) {
                    continue;
                }
                ids << field->AsInteger();
            }
            break;
        }
    }
    return int(ids.size());
}

}  // namespace zmk
