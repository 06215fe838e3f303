#include "classroom/forms/arbolasignacionnotas.h"

#include <QActionGroup>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "classroom/boletines.h"
#include "host/errors.h"
#include "host/forms/controlclasses.h"
#include "host/prompt.h"

namespace zmk {

namespace {

const QString kNoAsignado = QStringLiteral("(No asignado)");

QColor ColorDe(TEstadoValorNota estado) {
    switch (estado) {
        case TEstadoValorNota::Posible:
            return QColor(0, 128, 0);
        case TEstadoValorNota::Otro:
            return QColor(Qt::blue);
        case TEstadoValorNota::SinAsignar:
            break;
    }
    return QColor(Qt::red);
}

class TDibujoNodos : public QStyledItemDelegate {
  public:
    explicit TDibujoNodos(TZMKArbolAsignacionNotas* arbol)
        : QStyledItemDelegate(arbol), arbol_(arbol) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        QTreeWidgetItem* item = arbol_->Arbol()->itemFromIndex(index);
        const auto* datos = arbol_->Datos(item);
        const bool hoja = item && item->childCount() == 0;
        const bool seleccionado = o.state & QStyle::State_Selected;
        p->fillRect(o.rect, hoja && seleccionado ? QColor(Qt::yellow) : QColor(Qt::white));
        QFont font = o.font;
        font.setBold(!hoja);
        QColor color(Qt::black);
        if (hoja && datos) color = ColorDe(EstadoValorNota(datos->valor, datos->posibles));
        p->setFont(font);
        p->setPen(color);
        const QRect texto = o.rect.adjusted(2, 0, 0, 0);
        p->drawText(texto, Qt::AlignLeft | Qt::AlignVCenter, o.text);
        if (hoja && datos && !datos->valor.isEmpty()) {
            const int ancho = QFontMetrics(font).horizontalAdvance(o.text);
            p->drawText(texto.adjusted(ancho + 10, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                        QStringLiteral("(") + datos->valor + QStringLiteral(")"));
        }
    }

  private:
    TZMKArbolAsignacionNotas* arbol_;
};

}  // namespace

TZMKArbolAsignacionNotas::TZMKArbolAsignacionNotas(QWidget* parent) : QWidget(parent) {
    resize(200, 200);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("TreeView"));
    tree_->setHeaderHidden(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setItemDelegate(new TDibujoNodos(this));
    tree_->setContextMenuPolicy(Qt::NoContextMenu);
    tree_->installEventFilter(this);
    tree_->viewport()->installEventFilter(this);
    tree_->setMinimumHeight(160);
    layout->addWidget(tree_);
}

TZMKArbolAsignacionNotas::~TZMKArbolAsignacionNotas() {
    qDeleteAll(menus_);
}

void TZMKArbolAsignacionNotas::SetZMKDataSource(std::function<TDataSet*()> dataSet) {
    data_set_ = std::move(dataSet);
    Reconstruir();
}

void TZMKArbolAsignacionNotas::SetNota(int nota) {
    nota_ = nota >= 0 && nota <= kConceptosNota ? nota : 0;
    Reconstruir();
}

const TZMKArbolAsignacionNotas::TDadesNode* TZMKArbolAsignacionNotas::Datos(
    const QTreeWidgetItem* item) const {
    for (const TDadesNode& d : nodos_)
        if (d.node == item) return &d;
    return nullptr;
}

void TZMKArbolAsignacionNotas::Reconstruir() {
    if (ocupado_) return;
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    qDeleteAll(menus_);
    menus_.clear();
    nodos_.clear();
    TDataSet* ds = data_set_ ? data_set_() : nullptr;
    const QVector<TConceptoArbol> conceptos =
        ds ? ConceptosArbolNotas(*ds, nota_) : QVector<TConceptoArbol>();
    for (const TConceptoArbol& c : conceptos) {
        auto* menu = new QMenu;
        auto* grupo = new QActionGroup(menu);
        for (const QString& caption : QStringList{kNoAsignado} + c.posibles) {
            // "&" would become an access key: captions stay exactly as typed.
            QAction* a =
                menu->addAction(QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
            a->setData(caption);
            a->setCheckable(true);
            grupo->addAction(a);
        }
        menus_.push_back(menu);
        auto* raiz = new QTreeWidgetItem(tree_, {c.nombre});
        if (c.subconceptos.isEmpty()) {
            nodos_.push_back({raiz, menu, c.concepto, c.asignados.value(0), c.posibles});
        } else {
            for (int i = 0; i < c.subconceptos.size(); ++i) {
                auto* hijo = new QTreeWidgetItem(raiz, {c.subconceptos[i]});
                nodos_.push_back({hijo, menu, c.concepto, c.asignados.value(i), c.posibles});
            }
        }
    }
    tree_->expandAll();
    tree_->setUpdatesEnabled(true);
}

QMenu* TZMKArbolAsignacionNotas::MenuDe(QTreeWidgetItem* item) {
    const TDadesNode* d = Datos(item);
    if (!d) return nullptr;
    const QList<QAction*> acciones = d->menu->actions();
    for (QAction* a : acciones) a->setChecked(false);
    for (int i = 1; i < acciones.size(); ++i)
        if (acciones[i]->data().toString() == d->valor) {
            acciones[i]->setChecked(true);
            break;
        }
    return d->menu;
}

void TZMKArbolAsignacionNotas::AsignarValor(QTreeWidgetItem* item, const QString& valor) {
    for (TDadesNode& d : nodos_)
        if (d.node == item) {
            const QString anterior = d.valor;
            d.valor = valor;
            try {
                EscribirConcepto(d.concepto);
            } catch (const EZMKError& e) {
                // The record refused (a locked bulletin, an inactive enrolment): shown as it is.
                d.valor = anterior;
                MuestraError(e.Message());
            } catch (const EAbort&) {
                d.valor = anterior;
            }
            tree_->viewport()->update();
            return;
        }
}

void TZMKArbolAsignacionNotas::EscribirConcepto(int concepto) {
    if (nota_ != 0 && nota_ != concepto) return;
    TDataSet* ds = data_set_ ? data_set_() : nullptr;
    if (!ds) return;
    QStringList valores;
    for (const TDadesNode& d : nodos_)
        if (d.concepto == concepto) valores << d.valor;
    if (valores.isEmpty()) return;
    ocupado_ = true;
    try {
        EscribirConceptoNota(*ds, concepto, valores);
    } catch (...) {
        ocupado_ = false;
        throw;
    }
    ocupado_ = false;
}

void TZMKArbolAsignacionNotas::MostrarMenu(QTreeWidgetItem* item, const QPoint& global) {
    QMenu* menu = MenuDe(item);
    if (!menu) return;
    QAction* elegida = menu->exec(global);
    if (!elegida) return;
    const QString caption = elegida->data().toString();
    AsignarValor(item, caption == kNoAsignado && menu->actions().indexOf(elegida) == 0 ? QString()
                                                                                       : caption);
}

bool TZMKArbolAsignacionNotas::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::RightButton) {
            QTreeWidgetItem* item = tree_->itemAt(me->pos());
            if (!item) return true;
            tree_->setCurrentItem(item);
            MostrarMenu(item, me->globalPosition().toPoint());
            return true;
        }
    }
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        const int k = ke->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Space || k == Qt::Key_V) {
            QTreeWidgetItem* item = tree_->currentItem();
            if (item && Datos(item)) {
                const QRect r = tree_->visualItemRect(item);
                const int ancho = QFontMetrics(tree_->font()).horizontalAdvance(item->text(0));
                MostrarMenu(item,
                            tree_->viewport()->mapToGlobal(QPoint(r.left() + ancho + 20, r.top())));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TZMKArbolAsignacionNotas::DataEvent(TDataEvent event, TDataSet&) {
    if (event == TDataEvent::AfterOpen || event == TDataEvent::AfterDelete ||
        event == TDataEvent::AfterPost)
        Reconstruir();
}

void TZMKArbolAsignacionNotas::DataChange(TDataSet&, TField* field) {
    if (!field) {
        Reconstruir();
        return;
    }
    if (field->FieldName().startsWith(QLatin1String("ValorConc"), Qt::CaseInsensitive) &&
        field->FieldName().endsWith(QLatin1String("T25"), Qt::CaseInsensitive))
        Reconstruir();
}

void RegistraArbolAsignacionNotas() {
    RegistraClasse(14, TZMKArbolAsignacionNotas::kClase,
                   [](const TControlDef& def, const std::function<TDataSet*()>& dataSet,
                      QWidget* parent) -> QWidget* {
                       auto* arbol = new TZMKArbolAsignacionNotas(parent);
                       arbol->SetNota(def.params.value(QStringLiteral("Nota")).toInt());
                       arbol->SetZMKDataSource(dataSet);
                       return arbol;
                   });
}

}  // namespace zmk
