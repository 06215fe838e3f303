#include "maintenance/forms/restaurarcopiaseg.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "host/errors.h"
#include "host/forms/dialogbuttons.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"
#include "maintenance/backup_restore.h"
#include "maintenance/torvan_zip_lister.h"

namespace zmk {

namespace {

QLabel* Value(const QString& name) {
    auto* l = new QLabel;
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

}  // namespace

TCCFRMRestaurarCopiaSeg::TCCFRMRestaurarCopiaSeg(const TBackupInstallation& installation,
                                                 QWidget* parent)
    : QDialog(parent), installation_(installation) {
    setObjectName(QStringLiteral("TCCFRMRestaurarCopiaSeg"));
    setWindowTitle(QStringLiteral("Restaurar Copia de Seguridad"));
    btnSeleccionar = DialogButton(QStringLiteral("btnSeleccionar"),
                                  QStringLiteral("&Seleccionar Copia de Seguridad"));
    connect(btnSeleccionar, &QPushButton::clicked, this, [this] { btnSeleccionarClick(); });
    tiFileName = Value(QStringLiteral("tiFileName"));
    lblTitle = new QLabel(installation.title);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setBold(true);
    lblTitle->setFont(big);

    lvArchivos = new QTreeWidget;
    lvArchivos->setObjectName(QStringLiteral("lvArchivos"));
    lvArchivos->setRootIsDecorated(false);
    lvArchivos->setHeaderLabels({QStringLiteral("Descripción"), QStringLiteral("Nombre"),
                                 QStringLiteral("Tamaño (KB)"),
                                 QStringLiteral("Directorio destino")});
    lvArchivos->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lvArchivos->setContextMenuPolicy(Qt::ActionsContextMenu);
    ActRecuperarArchivo = new QAction(QStringLiteral("Recuperar archivo"), this);
    ActRecuperarArchivo->setObjectName(QStringLiteral("ActRecuperarArchivo"));
    ActRecuperarArchivoComo = new QAction(QStringLiteral("Recuperar archivo como..."), this);
    ActRecuperarArchivoComo->setObjectName(QStringLiteral("ActRecuperarArchivoComo"));
    lvArchivos->addAction(ActRecuperarArchivo);
    lvArchivos->addAction(ActRecuperarArchivoComo);
    connect(ActRecuperarArchivo, &QAction::triggered, this,
            [this] { ActRecuperarArchivoExecute(); });
    connect(ActRecuperarArchivoComo, &QAction::triggered, this,
            [this] { ActRecuperarArchivoComoExecute(); });
    connect(lvArchivos, &QTreeWidget::currentItemChanged, this, [this] { UpdateActions(); });
    connect(lvArchivos, &QTreeWidget::itemChanged, this, [this] { UpdateCount(); });
    btnSeleccionarTodos =
        DialogButton(QStringLiteral("btnSeleccionarTodos"), QStringLiteral("Seleccionar Todos"));
    connect(btnSeleccionarTodos, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < lvArchivos->topLevelItemCount(); ++i)
            lvArchivos->topLevelItem(i)->setCheckState(0, Qt::Checked);
    });
    lblSeleccionados = Value(QStringLiteral("lblSeleccionados"));
    auto* files = new QWidget;
    auto* filesLayout = new QVBoxLayout(files);
    filesLayout->addWidget(lvArchivos, 1);
    auto* filesBar = new QHBoxLayout;
    filesBar->addWidget(btnSeleccionarTodos);
    filesBar->addStretch();
    filesBar->addWidget(new QLabel(QStringLiteral("Archivos seleccionados:")));
    filesBar->addWidget(lblSeleccionados);
    filesLayout->addLayout(filesBar);

    lblArchivos = Value(QStringLiteral("lblArchivos"));
    lblFechaCopia = Value(QStringLiteral("lblFechaCopia"));
    lblComentarios = Value(QStringLiteral("lblComentarios"));
    lblComentarios->setWordWrap(true);
    lblTamanoArchivo = Value(QStringLiteral("lblTamanoArchivo"));
    lblTamanoOriginal = Value(QStringLiteral("lblTamanoOriginal"));
    auto* data = new QWidget;
    auto* form = new QFormLayout(data);
    form->addRow(QStringLiteral("Archivos:"), lblArchivos);
    form->addRow(QStringLiteral("Fecha copia:"), lblFechaCopia);
    form->addRow(QStringLiteral("Comentarios:"), lblComentarios);
    form->addRow(QStringLiteral("Tamaño Archivo:"), lblTamanoArchivo);
    form->addRow(QStringLiteral("Tamaño Original:"), lblTamanoOriginal);

    pcPaginas = new QTabWidget;
    pcPaginas->setObjectName(QStringLiteral("pcPaginas"));
    pcPaginas->addTab(files, QStringLiteral("&Archivos"));
    pcPaginas->addTab(data, QStringLiteral("&Datos de la copia"));

    btnRecuperar =
        DialogButton(QStringLiteral("btnRecuperar"), QStringLiteral("&Recuperar Archivos"));
    btnRecuperar->setShortcut(QKeySequence(QStringLiteral("Alt+C")));
    connect(btnRecuperar, &QPushButton::clicked, this, [this] { btnRecuperarClick(); });
    btnVerificar = DialogButton(QStringLiteral("btnVerificar"), QStringLiteral("Verificar"));
    btnVerificar->setToolTip(
        QStringLiteral("Comprueba que cada archivo de la copia se puede recuperar"));
    connect(btnVerificar, &QPushButton::clicked, this, [this] { btnVerificarClick(); });
    btnCancelar = DialogButton(QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"));
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(btnSeleccionar);
    top->addWidget(tiFileName, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnVerificar);
    buttons->addStretch();
    buttons->addWidget(btnRecuperar);
    buttons->addWidget(btnCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addLayout(top);
    layout->addWidget(pcPaginas, 1);
    layout->addLayout(buttons);
    resize(720, 460);
    TranslateWidget(this, QStringLiteral("CC_TCCFRMRestaurarCopiaSeg"),
                    TCaptionTranslation::Translate);
    ShowBackup();
}

TCCFRMRestaurarCopiaSeg::~TCCFRMRestaurarCopiaSeg() = default;

bool TCCFRMRestaurarCopiaSeg::Restored() const {
    return restored_ || (restaurador_ && !restaurador_->NuevasEmpresas().isEmpty());
}

void TCCFRMRestaurarCopiaSeg::Protected(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const EZMKError& error) {
        MuestraError(error.Message());
    } catch (const EAbort&) {
    }
}

void TCCFRMRestaurarCopiaSeg::btnSeleccionarClick() {
    const QString path = Prompt().OpenFileName(QStringLiteral("Archivo con Copia de Seguridad"),
                                               QString(), kBackupOpenFilter);
    if (!path.isEmpty()) OpenBackup(path);
}

void TCCFRMRestaurarCopiaSeg::OpenBackup(const QString& path) {
    Protected([&] {
        auto lister = AbrirCopia(installation_, path);
        restaurador_.reset();
        lister_ = std::move(lister);
        restaurador_ = std::make_unique<TRestaurador>(*lister_, installation_);
        tiFileName->setText(path);
        ShowBackup();
        foreign_ = CopiaAjena(*lister_, installation_);
    });
}

void TCCFRMRestaurarCopiaSeg::ShowBackup() {
    const QSignalBlocker block(lvArchivos);
    lvArchivos->clear();
    qint64 compressed = 0, original = 0;
    const int count = lister_ ? lister_->Count() : 0;
    const TGrupsDest groups = installation_.Groups();
    for (int i = 0; i < count; ++i) {
        const TArxiuComprimit e = lister_->Entry(i);
        compressed += e.data.size();
        original += e.size;
        const QString dir =
            e.group > 0 ? groups.Directory(e.group) : QFileInfo(LocalPath(e.name)).path();
        auto* item = new QTreeWidgetItem(
            lvArchivos, {e.description, e.name, QString::number(e.size / 1024), dir});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, Qt::UserRole, i);
        item->setCheckState(0, e.group == kGrupoPrograma ? Qt::Unchecked : Qt::Checked);
    }
    lblArchivos->setText(QString::number(count));
    lblFechaCopia->setText(
        lister_ ? lister_->CreationDate().toString(QStringLiteral("dd-MM-yyyy hh:mm")) : QString());
    lblComentarios->setText(lister_ ? lister_->Description() : QString());
    lblTamanoArchivo->setText(lister_ ? FormatBackupSize(compressed) : QStringLiteral("0 KB"));
    lblTamanoOriginal->setText(lister_ ? FormatBackupSize(original) : QStringLiteral("0 KB"));
    if (count > 0) lvArchivos->setCurrentItem(lvArchivos->topLevelItem(0));
    UpdateCount();
    UpdateActions();
}

void TCCFRMRestaurarCopiaSeg::UpdateActions() {
    const bool selected = SelectedEntry() >= 0;
    ActRecuperarArchivo->setEnabled(selected);
    ActRecuperarArchivoComo->setEnabled(selected);
    btnRecuperar->setEnabled(lister_ != nullptr);
    btnVerificar->setEnabled(lister_ != nullptr);
}

void TCCFRMRestaurarCopiaSeg::UpdateCount() {
    lblSeleccionados->setText(QString::number(Marcadas().size()));
}

QList<int> TCCFRMRestaurarCopiaSeg::Marcadas() const {
    QList<int> checked;
    for (int i = 0; i < lvArchivos->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvArchivos->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked) checked << item->data(0, Qt::UserRole).toInt();
    }
    return checked;
}

int TCCFRMRestaurarCopiaSeg::SelectedEntry() const {
    const QTreeWidgetItem* item = lvArchivos->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

void TCCFRMRestaurarCopiaSeg::btnRecuperarClick() {
    if (!restaurador_) return;
    Protected([&] {
        restaurador_->Restaurar(Marcadas(), foreign_);
        restored_ = true;
        accept();
    });
}

void TCCFRMRestaurarCopiaSeg::ActRecuperarArchivoExecute() {
    const int index = SelectedEntry();
    if (!restaurador_ || index < 0) return;
    Protected([&] {
        if (!restaurador_->RecuperarArchivo(index, foreign_)) return;
        restored_ = true;
        if (PreguntaSiNo(TextoRecuperado(lister_->Name(index)))) accept();
    });
}

void TCCFRMRestaurarCopiaSeg::ActRecuperarArchivoComoExecute() {
    const int index = SelectedEntry();
    if (!restaurador_ || index < 0) return;
    Protected([&] {
        const QString path = restaurador_->RecuperarArchivoComo(index, foreign_);
        if (path.isEmpty()) return;
        restored_ = true;
        if (PreguntaSiNo(TextoRecuperadoComo(lister_->Name(index), path))) accept();
    });
}

void TCCFRMRestaurarCopiaSeg::btnVerificarClick() {
    if (!lister_) return;
    Protected([&] {
        VerificarCopia(*lister_);
        Informa(QStringLiteral("La copia de seguridad se puede recuperar:\n%1 archivos "
                               "comprobados, sin errores.")
                    .arg(lister_->Count()));
    });
}

}  // namespace zmk
