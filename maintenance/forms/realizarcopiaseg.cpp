#include "maintenance/forms/realizarcopiaseg.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "core/empresas.h"
#include "core/strings.h"
#include "host/errors.h"
#include "host/forms/dialogbuttons.h"
#include "host/forms/translatewidget.h"
#include "host/prompt.h"
#include "maintenance/backup_create.h"

namespace zmk {

TCCFRMRealizarCopiaSeg::TCCFRMRealizarCopiaSeg(const TBackupInstallation& installation,
                                               int currentIndex, QWidget* parent)
    : QDialog(parent), installation_(installation) {
    setObjectName(QStringLiteral("TCCFRMRealizarCopiaSeg"));
    setWindowTitle(QStringLiteral("COPIAS DE SEGURIDAD"));
    lvArchivos = new QTreeWidget;
    lvArchivos->setObjectName(QStringLiteral("lvArchivos"));
    lvArchivos->setHeaderLabels({QStringLiteral("Nombre"), QStringLiteral("Archivo")});
    lvArchivos->setRootIsDecorated(false);
    if (installation.databases) {
        for (int i = 0; i < installation.databases->Count(); ++i) {
            const TDataBaseEntry e = installation.databases->Entry(i);
            auto* item = new QTreeWidgetItem(lvArchivos, {e.nombre, e.archivo});
            item->setData(0, Qt::UserRole, i);
            item->setCheckState(
                0, currentIndex < 0 || currentIndex == i ? Qt::Checked : Qt::Unchecked);
        }
    }
    lvArchivos->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    btnMarcarTodo = DialogButton(QStringLiteral("btnMarcarTodo"), QStringLiteral("&Marcar Todo"));
    btnDesmarcarTodo =
        DialogButton(QStringLiteral("btnDesmarcarTodo"), QStringLiteral("&Desmarcar Todo"));
    connect(btnMarcarTodo, &QPushButton::clicked, this, [this] { MarcarTodo(true); });
    connect(btnDesmarcarTodo, &QPushButton::clicked, this, [this] { MarcarTodo(false); });
    eTextZip = new QLineEdit(DefaultBackupDescription(installation.title));
    eTextZip->setObjectName(QStringLiteral("eTextZip"));
    auto* lblTextZip = new QLabel(QStringLiteral("Descripción de la Copia:"));
    lblTextZip->setObjectName(QStringLiteral("lblTextZip"));
    lblTextZip->setBuddy(eTextZip);
    cbIncluirArchivoRecursos = new QCheckBox(QStringLiteral(
        "&Incluir el archivo de recursos (informes, vistas, filtros...) en la copia"));
    cbIncluirArchivoRecursos->setObjectName(QStringLiteral("cbIncluirArchivoRecursos"));
    cbIncluirArchivoRecursos->setChecked(true);
    btnRealizarCopia =
        DialogButton(QStringLiteral("btnRealizarCopia"), QStringLiteral("Realizar &Copia"));
    btnRealizarCopia->setDefault(true);
    btnCancelar = DialogButton(QStringLiteral("btnCancelar"), QStringLiteral("Cancelar"));
    connect(btnRealizarCopia, &QPushButton::clicked, this, [this] { btnRealizarCopiaClick(); });
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);

    pnlZipping = new QFrame;
    pnlZipping->setObjectName(QStringLiteral("pnlZipping"));
    pnlZipping->setFrameShape(QFrame::StyledPanel);
    lblInfo = new QLabel;
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    tiActFileName = new QLabel;
    tiActFileName->setObjectName(QStringLiteral("tiActFileName"));
    pbZipping = new QProgressBar;
    pbZipping->setObjectName(QStringLiteral("pbZipping"));
    auto* panel = new QVBoxLayout(pnlZipping);
    panel->addWidget(lblInfo);
    panel->addWidget(tiActFileName);
    panel->addWidget(pbZipping);
    pnlZipping->hide();

    auto* marks = new QHBoxLayout;
    marks->addWidget(btnMarcarTodo);
    marks->addWidget(btnDesmarcarTodo);
    marks->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnRealizarCopia);
    buttons->addWidget(btnCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lvArchivos, 1);
    layout->addLayout(marks);
    layout->addWidget(lblTextZip);
    layout->addWidget(eTextZip);
    layout->addWidget(cbIncluirArchivoRecursos);
    layout->addWidget(pnlZipping);
    layout->addLayout(buttons);
    resize(620, 420);
    TranslateWidget(this, QStringLiteral("CC_TCCFRMRealizarCopiaSeg"),
                    TCaptionTranslation::Translate);
}

void TCCFRMRealizarCopiaSeg::MarcarTodo(bool checked) {
    for (int i = 0; i < lvArchivos->topLevelItemCount(); ++i)
        lvArchivos->topLevelItem(i)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

QList<int> TCCFRMRealizarCopiaSeg::Marcadas() const {
    QList<int> checked;
    for (int i = 0; i < lvArchivos->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvArchivos->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked) checked << item->data(0, Qt::UserRole).toInt();
    }
    return checked;
}

// The path, without its leading folders while it is too wide for the panel.
void TCCFRMRealizarCopiaSeg::ShowFileName(const QString& path) {
    QString shown = path;
    const int width = std::max(tiActFileName->width(), 200);
    QStringList parts = path.split(u'/');
    while (parts.size() > 1 && tiActFileName->fontMetrics().horizontalAdvance(shown) > width) {
        parts.removeFirst();
        shown = QStringLiteral("…/") + parts.join(u'/');
    }
    tiActFileName->setText(shown);
}

void TCCFRMRealizarCopiaSeg::btnRealizarCopiaClick() {
    QString path = Prompt().SaveFileName(QStringLiteral("Nombre Archivo Copia Seguridad"),
                                         QString(), kBackupSaveFilter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += u'.' + kBackupExtension;
    TBackupRequest request;
    request.description = eTextZip->text();
    request.databases = Marcadas();
    request.includeResources = cbIncluirArchivoRecursos->isChecked();
    request.progress = [this](const QString& file, qint64 total, qint64 position) {
        ShowFileName(file);
        pbZipping->setMaximum(int(std::min<qint64>(total, INT_MAX)));
        pbZipping->setValue(int(std::min<qint64>(position, INT_MAX)));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    request.saving = [this] {
        lblInfo->setText(SharedString(1802));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    lblInfo->setText(SharedString(1800));
    pnlZipping->show();
    btnRealizarCopia->setEnabled(false);
    bool done = false;
    try {
        done = RealizarCopia(installation_, request, path).complete;
    } catch (const EZMKError& error) {
        MuestraError(error.Message());
    } catch (const EAbort&) {
    }
    pnlZipping->hide();
    btnRealizarCopia->setEnabled(true);
    if (!done) return;
    Informa(SharedStringFmt(1803, {installation_.title, path}));
    accept();
}

}  // namespace zmk
