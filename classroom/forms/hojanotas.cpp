#include "classroom/forms/hojanotas.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "host/errors.h"
#include "host/prompt.h"
#include "host/reportprint.h"

namespace zmk {

namespace {

// An editable list of the column's values; the first letters complete a value.
class TEditorValor : public QStyledItemDelegate {
  public:
    TEditorValor(TFRMHojaNotas* hoja, const THojaNotas& datos)
        : QStyledItemDelegate(hoja), hoja_(hoja), datos_(datos) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->addItem(QString());
        combo->addItems(datos_.Columnas()[index.column()].posibles);
        combo->completer()->setCaseSensitivity(Qt::CaseInsensitive);
        combo->completer()->setCompletionMode(QCompleter::InlineCompletion);
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QComboBox*>(editor)->setCurrentText(index.data().toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        hoja_->Asignar(index.row(), index.column(), static_cast<QComboBox*>(editor)->currentText());
    }

  private:
    TFRMHojaNotas* hoja_;
    const THojaNotas& datos_;
};

}  // namespace

TFRMHojaNotas::TFRMHojaNotas(THojaNotas& hoja, QWidget* parent) : QDialog(parent), hoja_(hoja) {
    setObjectName(QStringLiteral("TFRMHojaNotas"));
    setWindowTitle(QStringLiteral("Hoja de notas del grupo"));
    auto* layout = new QVBoxLayout(this);
    tabla = new QTableWidget(this);
    tabla->setItemDelegate(new TEditorValor(this, hoja_));
    tabla->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    layout->addWidget(tabla, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    bbImprimir = new QPushButton(QStringLiteral("&Imprimir hoja"), this);
    bbCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    botones->addWidget(bbImprimir);
    botones->addWidget(bbCerrar);
    layout->addLayout(botones);
    connect(bbCerrar, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbImprimir, &QPushButton::clicked, this, [this] {
        try {
            PrintReport(kInformeHojaNotas, hoja_.FiltroInforme(), TPrintTarget::Preview);
        } catch (const EZMKError& e) {
            MuestraError(e.Message());
        } catch (const EAbort&) {
        }
    });
    Rellenar();
    resize(900, 560);
}

void TFRMHojaNotas::Rellenar() {
    rellenando_ = true;
    tabla->clear();
    tabla->setRowCount(int(hoja_.Filas().size()));
    tabla->setColumnCount(int(hoja_.Columnas().size()));
    QStringList titulos;
    for (const auto& c : hoja_.Columnas()) titulos << c.titulo;
    tabla->setHorizontalHeaderLabels(titulos);
    QStringList alumnos;
    for (int f = 0; f < hoja_.Filas().size(); ++f) {
        const auto& fila = hoja_.Filas()[f];
        alumnos << fila.alumno + (fila.activa ? QString() : QStringLiteral(" (baja)"));
        for (int c = 0; c < hoja_.Columnas().size(); ++c) {
            auto* item = new QTableWidgetItem(hoja_.Valor(f, c));
            if (!fila.activa) item->setForeground(Qt::gray);
            tabla->setItem(f, c, item);
        }
    }
    tabla->setVerticalHeaderLabels(alumnos);
    tabla->resizeColumnsToContents();
    rellenando_ = false;
}

void TFRMHojaNotas::Asignar(int fila, int columna, const QString& escrito) {
    const QString valor = hoja_.Completar(columna, escrito.trimmed());
    if (valor == hoja_.Valor(fila, columna)) return;
    try {
        hoja_.Asignar(fila, columna, valor);
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    } catch (const EAbort&) {
    }
    if (QTableWidgetItem* item = tabla->item(fila, columna))
        item->setText(hoja_.Valor(fila, columna));
}

void MostrarHojaNotas(THojaNotas& hoja) {
    TFRMHojaNotas dialog(hoja, QApplication::activeWindow());
    dialog.exec();
}

}  // namespace zmk
