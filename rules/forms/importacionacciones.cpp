// What the import dialog's controls do: opening the file and its tables, the mapping, the
// preview, the check and the import.
#include <QColor>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <algorithm>
#include <functional>

#include "host/errors.h"
#include "host/prompt.h"
#include "rules/forms/importacion.h"
#include "rules/forms/tablaorigenmodel.h"

namespace zmk {

namespace {

// A refusal is shown and the dialog stays open; a "No" ends the operation quietly.
void Protegido(const std::function<void()>& accion) {
    try {
        accion();
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    } catch (const EAbort&) {
    }
}

QTableWidgetItem* Celda(const QString& texto) {
    return new QTableWidgetItem(texto);
}

}  // namespace

bool TFRMImportacion::AbrirOrigen() {
    const QString archivo = Prompt().OpenFileName(
        QStringLiteral("Importar datos de alumnos"), QString(),
        QStringLiteral("Archivos de datos (*.xls *.xlsx *.ods *.txt *.csv *.mdb *.accdb);;"
                       "Todos los archivos (*)"));
    if (archivo.isEmpty()) return false;
    return AbrirOrigen(archivo);
}

bool TFRMImportacion::AbrirOrigen(const QString& archivo) {
    modelo_->SetTabla(nullptr);
    cargando_ = true;
    cbxSelTabla->clear();
    cargando_ = false;
    const bool cargada = importacion_.AbrirOrigen(archivo);
    lblNombreArchivo->setText(QFileInfo(archivo).absoluteFilePath());
    lblNombreArchivo->setToolTip(lblNombreArchivo->text());
    cargando_ = true;
    cbxSelTabla->addItems(importacion_.Tablas());
    cargando_ = false;
    if (!cargada) return false;
    CargarTabla(importacion_.Tabla().nombre);
    return true;
}

void TFRMImportacion::CargarTabla(const QString& nombre) {
    modelo_->SetTabla(nullptr);
    if (importacion_.Tabla().nombre != nombre) importacion_.CargarTabla(nombre);
    cargando_ = true;
    cbxSelTabla->setCurrentIndex(cbxSelTabla->findText(nombre));
    cargando_ = false;
    modelo_->SetTabla(&importacion_.Tabla());
    dbGridDatos->resizeColumnsToContents();
    // The grid stands on the first row, marked as the user would mark it: what is marked is
    // what "Selección" imports.
    if (modelo_->rowCount() > 0) dbGridDatos->selectRow(0);
    pmCamposDestino->clear();
    pmCamposDestino->addAction(QStringLiteral("<asignar valor>"))->setData(-1);
    const QStringList& columnas = importacion_.Tabla().columnas;
    for (int i = 0; i < columnas.size(); ++i) pmCamposDestino->addAction(columnas[i])->setData(i);
    RefrescarCampos();
}

void TFRMImportacion::sbAsignarCampoOrigenClick() {
    if (lbxCamposDisponibles->currentRow() < 0) {
        Informa(QStringLiteral("Primero es necesario seleccionar un campo de destino"));
        return;
    }
    MostrarMenuOrigen();
}

void TFRMImportacion::MostrarMenuOrigen() {
    pmCamposDestino->popup(
        sbAsignarCampoOrigen->mapToGlobal(QPoint(0, sbAsignarCampoOrigen->height())));
}

void TFRMImportacion::AsignarOrigen(int columna) {
    const int campo = lbxCamposDisponibles->currentRow();
    if (campo < 0) {
        Informa(QStringLiteral("Primero es necesario seleccionar un campo de destino"));
        return;
    }
    if (columna < 0) {
        const std::optional<QString> valor =
            Prompt().InputBox(QStringLiteral("ASIGNAR UN VALOR FIJO A ESTE CAMPO"),
                              QStringLiteral("Valor:"), importacion_.Campos()[campo].valorFijo);
        if (!valor) return;
        importacion_.AsignarValor(campo, *valor);
    } else {
        importacion_.AsignarColumna(campo, columna);
    }
    RefrescarCampos();
}

void TFRMImportacion::CampoMarcado(QListWidgetItem* item) {
    if (cargando_) return;
    const int campo = lbxCamposDisponibles->row(item);
    if (!importacion_.Activar(campo, item->checkState() == Qt::Checked)) {
        // Nothing to import it from yet: the line stays unchecked and the sources are offered.
        cargando_ = true;
        item->setCheckState(Qt::Unchecked);
        cargando_ = false;
        lbxCamposDisponibles->setCurrentItem(item);
        MostrarMenuOrigen();
        return;
    }
    RefrescarCampos();
}

void TFRMImportacion::RefrescarCampos() {
    cargando_ = true;
    const int n = int(importacion_.Campos().size());
    if (lbxCamposDisponibles->count() != n) {
        lbxCamposDisponibles->clear();
        for (int i = 0; i < n; ++i) {
            auto* item = new QListWidgetItem(lbxCamposDisponibles);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        }
    }
    for (int i = 0; i < n; ++i) {
        QListWidgetItem* item = lbxCamposDisponibles->item(i);
        item->setText(importacion_.LineaCampo(i));
        item->setCheckState(importacion_.Campos()[i].activo ? Qt::Checked : Qt::Unchecked);
    }
    cargando_ = false;
    RefrescarVista();
    RefrescarComprobacion();
}

void TFRMImportacion::RefrescarVista() {
    const QList<QPair<QString, QString>> valores = importacion_.ValoresCampos(FilaActual());
    sgValoresCampos->setRowCount(int(valores.size()));
    int ancho = 0;
    for (int i = 0; i < valores.size(); ++i) {
        sgValoresCampos->setItem(i, 0, Celda(valores[i].first));
        sgValoresCampos->setItem(i, 1, Celda(valores[i].second));
        ancho = std::max(ancho, sgValoresCampos->fontMetrics().horizontalAdvance(valores[i].first));
    }
    sgValoresCampos->setColumnWidth(0, ancho + 10);
    sgValoresCampos->setVisible(!valores.isEmpty());
    lblValoresCampos->setVisible(!valores.isEmpty());
}

void TFRMImportacion::RefrescarComprobacion() {
    comprobacion_ = TComprobacionImportacion();
    sgComprobacion->setRowCount(0);
    lblResumenComprobacion->clear();
    sbGuardarComprobacion->setEnabled(false);
    // The check runs when its page is looked at: the mapping and the scope may change first.
    if (pcPestanyes->currentWidget() != tsComprobar) return;
    Protegido([this] {
        comprobacion_ =
            ComprobarImportacion(importacion_, Ambito(), FilaActual(), FilasSeleccionadas());
    });
    const QList<QStringList> lineas = LineasComprobacion(comprobacion_);
    sgComprobacion->setRowCount(int(lineas.size()));
    const int tipo = 3;  // the column "Tipo"
    for (int f = 0; f < lineas.size(); ++f) {
        const QString& t = lineas[f][tipo];
        const QColor fondo = t == QLatin1String("Error")   ? QColor(255, 214, 214)
                             : t == QLatin1String("Aviso") ? QColor(255, 244, 204)
                                                           : QColor();
        for (int c = 0; c < lineas[f].size(); ++c) {
            QTableWidgetItem* celda = Celda(lineas[f][c]);
            if (fondo.isValid()) celda->setBackground(fondo);
            if (c == lineas[f].size() - 1) celda->setToolTip(lineas[f][c]);
            sgComprobacion->setItem(f, c, celda);
        }
    }
    sgComprobacion->resizeColumnsToContents();
    lblResumenComprobacion->setText(comprobacion_.Resumen());
    sbGuardarComprobacion->setEnabled(!comprobacion_.filas.isEmpty());
}

void TFRMImportacion::sbGuardarComprobacionClick() {
    if (comprobacion_.filas.isEmpty()) return;
    const QFileInfo origen(importacion_.Archivo());
    QString archivo =
        Prompt().SaveFileName(QStringLiteral("Guardar la lista de la comprobación"),
                              origen.absolutePath() + QStringLiteral("/") +
                                  origen.completeBaseName() + QStringLiteral("_comprobacion.csv"),
                              QStringLiteral("Archivos CSV (*.csv)"));
    if (archivo.isEmpty()) return;
    if (QFileInfo(archivo).suffix().isEmpty()) archivo += QStringLiteral(".csv");
    Protegido([&] { GuardarComprobacionCSV(comprobacion_, archivo); });
}

void TFRMImportacion::sbImportarClick() {
    Protegido([this] { importacion_.Importar(Ambito(), FilaActual(), FilasSeleccionadas()); });
    RefrescarComprobacion();
}

void TFRMImportacion::PaginaCambiada(int pagina) {
    bbAnterior->setEnabled(pagina > 0);
    bbSiguiente->setEnabled(pagina < pcPestanyes->count() - 1);
    if (pcPestanyes->widget(pagina) == tsComprobar) RefrescarComprobacion();
    if (pcPestanyes->widget(pagina) == tsCampos) RefrescarVista();
}

void TFRMImportacion::FijarAmbito(int boton) {
    rbImportar[boton]->setChecked(true);
    rbComprobar[boton]->setChecked(true);
    RefrescarComprobacion();
}

TRegistrosAImportar TFRMImportacion::Ambito() const {
    if (rbImportar[1]->isChecked()) return TRegistrosAImportar::Seleccion;
    if (rbImportar[2]->isChecked()) return TRegistrosAImportar::Todos;
    return TRegistrosAImportar::Actual;
}

int TFRMImportacion::FilaActual() const {
    const QModelIndex actual = dbGridDatos->currentIndex();
    return actual.isValid() ? actual.row() : -1;
}

QList<int> TFRMImportacion::FilasSeleccionadas() const {
    QList<int> filas;
    for (const QModelIndex& i : dbGridDatos->selectionModel()->selectedRows()) filas << i.row();
    std::sort(filas.begin(), filas.end());
    return filas;
}

}  // namespace zmk
