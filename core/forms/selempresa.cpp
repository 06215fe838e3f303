#include "core/forms/selempresa.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/empresasacciones.h"
#include "core/forms/editdatabase.h"
#include "core/strings.h"
#include "core/versiones.h"
#include "host/errors.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"

namespace zmk {

namespace {

// The selected line keeps its version colour on a light grey background.
class TDelegadoLinea : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o(option);
        const bool selected = o.state & QStyle::State_Selected;
        o.state &= ~QStyle::State_Selected;
        if (selected) painter->fillRect(o.rect, QColor(200, 200, 200));
        QStyledItemDelegate::paint(painter, o, index);
    }
};

QAction* Accion(QWidget* owner, const QString& name, const QString& text, const QKeySequence& key) {
    auto* a = new QAction(text, owner);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    owner->addAction(a);
    return a;
}

}  // namespace

TFRMSelEmpresa::TFRMSelEmpresa(TEmpresasBD& empresas, QWidget* parent)
    : QDialog(parent), empresas_(empresas) {
    setObjectName(QStringLiteral("TFRMSelEmpresa"));
    setWindowTitle(QStringLiteral("Bases de datos"));
    ejecutaAsistente = [](TCCFRMEditDataBase& w) { return w.exec(); };
    lista = new QListWidget;
    lista->setItemDelegate(new TDelegadoLinea(lista));
    ActAnadir = Accion(this, QStringLiteral("ActAnadir"), QStringLiteral("Añadir"), Qt::Key_F6);
    ActModificar =
        Accion(this, QStringLiteral("ActModificar"), QStringLiteral("Modificar"), Qt::Key_F5);
    ActBorrar = Accion(this, QStringLiteral("ActBorrar"), QStringLiteral("Borrar"), Qt::Key_F7);
    ActDuplicar = Accion(this, QStringLiteral("ActDuplicar"), QStringLiteral("Duplicar"), {});
    ActSeleccionar =
        Accion(this, QStringLiteral("ActSeleccionar"), QStringLiteral("Seleccionar"), {});
    // Enter selects, whichever button has the focus.
    ActSeleccionar->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    ActInfoBD = Accion(this, QStringLiteral("ActInfoBD"), QStringLiteral("Información"), {});
    ActSinBD = Accion(this, QStringLiteral("ActSinBD"),
                      QStringLiteral("Sin Base de datos seleccionada"), Qt::Key_F8);
    connect(ActAnadir, &QAction::triggered, this, [this] { LanzaAsistente(mebAnadir); });
    connect(ActModificar, &QAction::triggered, this, [this] { LanzaAsistente(mebModificar); });
    connect(ActBorrar, &QAction::triggered, this, [this] { LanzaAsistente(mebBorrar); });
    connect(ActDuplicar, &QAction::triggered, this, [this] { LanzaAsistente(mebDuplicar); });
    connect(ActInfoBD, &QAction::triggered, this, [this] { LanzaAsistente(mebInformacion); });
    connect(ActSeleccionar, &QAction::triggered, this, [this] { ActSeleccionarExecute(); });
    connect(ActSinBD, &QAction::triggered, this,
            [this] { Protegido([this] { empresas_.OpenDatabase(-1); }); });
    connect(lista, &QListWidget::itemDoubleClicked, ActSeleccionar, &QAction::trigger);
    connect(lista, &QListWidget::currentRowChanged, this, [this] { ActualizaAcciones(); });

    auto* botones = new QVBoxLayout;
    for (QAction* a :
         {ActSeleccionar, ActAnadir, ActModificar, ActDuplicar, ActBorrar, ActInfoBD, ActSinBD}) {
        auto* b = new QToolButton;
        b->setDefaultAction(a);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        botones->addWidget(b);
    }
    btnImportar = new QPushButton(QStringLiteral("Importar de una versión anterior"));
    btnImportar->setObjectName(QStringLiteral("btnImportar"));
    btnImportar->setAutoDefault(false);
    btnImportar->setVisible(!empresas_.AplicacionesAnteriores().isEmpty());
    connect(btnImportar, &QPushButton::clicked, this, [this] { ImportarExecute(); });
    botones->addWidget(btnImportar);
    botones->addStretch();
    btnCerrar = new QPushButton(QStringLiteral("&Cerrar"));
    btnCerrar->setObjectName(QStringLiteral("btnCerrar"));
    btnCerrar->setAutoDefault(false);
    connect(btnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    botones->addWidget(btnCerrar);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lista, 1);
    layout->addLayout(botones);
    resize(640, 380);
    TranslateWidget(this, QStringLiteral("CC_TFRMSelEmpresa"), TCaptionTranslation::Translate);
    RellenaLista();
    lista->setCurrentRow(empresas_.OpenIndex());
    ActualizaAcciones();
}

void TFRMSelEmpresa::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activada_) return;
    activada_ = true;
    Protegido([this] { empresas_.ImportaPrimeraVez(); });
}

void TFRMSelEmpresa::RellenaLista() {
    const int row = lista->currentRow();
    lista->clear();
    TZMKDataBases& list = empresas_.DataBases();
    for (int i = 0; i < list.Count(); ++i) {
        TDataBaseEntry e = list.Entry(i);
        if (e.version == -1 && QFileInfo(e.archivo).isFile()) {
            try {
                e.version = LeeVersion(e.archivo, false).numeroVersion;
                list.SetVersion(i, e.version);
            } catch (const EZMKError&) {
                // Left to be read again; selecting it shows why.
            }
        }
        auto* item = new QListWidgetItem(e.nombre, lista);
        item->setData(Qt::UserRole, e.version);
        item->setToolTip(e.archivo);
        item->setForeground(ColorLinea(i));
    }
    lista->setCurrentRow(qMin(row, lista->count() - 1));
    ActualizaAcciones();
}

QColor TFRMSelEmpresa::ColorLinea(int row) const {
    const QListWidgetItem* item = lista->item(row);
    const int version = item ? item->data(Qt::UserRole).toInt() : -1;
    if (version == -1) return Qt::black;
    if (version < AjustesBD().versionBD) return QColor(0, 0, 255);
    if (version > AjustesBD().versionBD) return QColor(255, 0, 0);
    return Qt::black;
}

void TFRMSelEmpresa::ActualizaAcciones() {
    const bool selected = lista->currentRow() >= 0;
    for (QAction* a : {ActModificar, ActBorrar, ActDuplicar, ActSeleccionar, ActInfoBD})
        a->setEnabled(selected);
    ActSinBD->setEnabled(empresas_.IsConnected());
}

void TFRMSelEmpresa::Protegido(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    } catch (const EAbort&) {
    }
    RellenaLista();
}

void TFRMSelEmpresa::ActSeleccionarExecute() {
    bool cerrar = false;
    Protegido([&] {
        if (SeleccionaEmpresa(empresas_, lista->currentRow()) == TSeleccion::Abierta)
            cerrar = true;
        else
            LanzaAsistente(mebImportar);
    });
    if (cerrar) accept();
}

void TFRMSelEmpresa::LanzaAsistente(int modo) {
    Protegido([&] {
        const int index = modo == mebAnadir ? -1 : lista->currentRow();
        TDataBaseEntry entry;
        if (index >= 0) {
            entry = empresas_.DataBases().Entry(index);
            if (modo != mebImportar)
                ExigeAdministrador(empresas_, entry.archivo, SharedString(1733));
        }
        TCCFRMEditDataBase wizard(modo, entry, this);
        wizard.SetAbierta(index >= 0 && index == empresas_.OpenIndex());
        if (ejecutaAsistente(wizard) != QDialog::Accepted || wizard.Accion() < 0) return;
        EjecutaAccionBD(empresas_, wizard.Accion(), index, wizard.Entry(),
                        wizard.ArchivoImportar());
    });
}

void TFRMSelEmpresa::ImportarExecute() {
    Protegido([this] {
        int total = 0;
        for (const QString& app : empresas_.AplicacionesAnteriores())
            total += empresas_.ImportaAplicacionAnterior(app, true);
        Informa(total == 0 ? QStringLiteral("No se ha traspasado ninguna base de datos al programa")
                           : QStringLiteral("Se han traspasado al programa un total de ") +
                                 QString::number(total) + QStringLiteral(" bases de datos"));
    });
}

}  // namespace zmk
