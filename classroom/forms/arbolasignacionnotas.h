#pragma once
// The grade-assignment tree: a grade record's concepts and subconcepts, each value chosen from
// its concept's menu (right click, Enter, space or V) and written back to the record at once.
// Green: a possible value; blue: another value; red: none assigned.
#include <QWidget>
#include <functional>
#include <vector>

#include "classroom/arbolnotas.h"
#include "host/dataset.h"

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace zmk {

class TZMKArbolAsignacionNotas : public QWidget, public IDataEventSink {
  public:
    static inline const QString kClase = QStringLiteral("TZMKArbolAsignacionNotas");
    explicit TZMKArbolAsignacionNotas(QWidget* parent = nullptr);
    ~TZMKArbolAsignacionNotas() override;

    // The grade records' data set, as the screen answers it.
    void SetZMKDataSource(std::function<TDataSet*()> dataSet);
    int Nota() const { return nota_; }
    // 0 shows every concept, 1..8 only that one; other values count as 0.
    void SetNota(int nota);
    QTreeWidget* Arbol() const { return tree_; }

    void Reconstruir();
    // What choosing a menu item does: "" is "(No asignado)".
    void AsignarValor(QTreeWidgetItem* item, const QString& valor);
    // The node's concept menu, with the node's value marked; nullptr for a concept heading.
    QMenu* MenuDe(QTreeWidgetItem* item);
    // The item's state for drawing.
    struct TDadesNode {
        QTreeWidgetItem* node = nullptr;
        QMenu* menu = nullptr;
        int concepto = 0;
        QString valor;
        QStringList posibles;
    };
    const TDadesNode* Datos(const QTreeWidgetItem* item) const;

    void DataEvent(TDataEvent event, TDataSet& dataSet) override;
    void DataChange(TDataSet& dataSet, TField* field) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void EscribirConcepto(int concepto);
    void MostrarMenu(QTreeWidgetItem* item, const QPoint& global);

    QTreeWidget* tree_;
    std::function<TDataSet*()> data_set_;
    int nota_ = 0;
    std::vector<TDadesNode> nodos_;
    std::vector<QMenu*> menus_;
    bool ocupado_ = false;
};

// Registers the tree as a control class the application file can place (kind 14), with its
// "Nota" from the control's parameters.
void RegistraArbolAsignacionNotas();

}  // namespace zmk
