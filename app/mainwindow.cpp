#include "app/mainwindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "core/centroactual.h"
#include "core/parametrosapp.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/prompt.h"

namespace zmk {

namespace {
// The toolbar's five screens: students, courses, groups, enrolments, invoices.
const int kToolbarNodes[] = {11780, 11778, 11779, 11782, 10723};
}  // namespace

TFRMMenu::TFRMMenu(QWidget* parent) : TZMKMenuForm(parent) {
    SetCentroChangeCallback([this] { RefreshCentreLabel(); });
    setWindowTitle(ApplicationTitle());
    centre_label_ = new QLabel(this);
    statusBar()->addPermanentWidget(centre_label_);
}

TFRMMenu::~TFRMMenu() { SetCentroChangeCallback(nullptr); }

void TFRMMenu::BuildMenus() {
    menuBar()->clear();
    AddNodeChildren(nullptr, 0);
    auto* toolbar = addToolBar(QStringLiteral("Principal"));
    toolbar->setObjectName(QStringLiteral("ToolBar"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (int node : kToolbarNodes) {
        auto it = std::find_if(AppDefinition().nodes.begin(), AppDefinition().nodes.end(),
                               [node](const TZMKNode& n) { return n.id == node; });
        if (it == AppDefinition().nodes.end()) continue;
        QString caption = it->caption.section(QLatin1Char('='), 0, 0);
        toolbar->addAction(caption, this, [this, node] {
            try {
                OpenNode(node);
            } catch (const EZMKError& e) {
                MuestraError(e.Message());
            }
        });
    }
}

void TFRMMenu::AfterConnectDB() {
    ParametrosApp().NotifyReload();
    TDataBaseZMK* db = ZMKApp().GetDefaultDB();
    setWindowTitle(ApplicationTitle() +
                   (db ? QStringLiteral(" \"%1\"").arg(QFileInfo(db->FileName()).baseName())
                       : QString()));
    RecargaCentroActual();
}

void TFRMMenu::RefreshCentreLabel() {
    QString code = Parametres().AsString(QStringLiteral("PRMCodigoCentroActual"));
    QString name = Parametres().AsString(QStringLiteral("PRMNombreCentroActual"));
    centre_label_->setText(IDCentroActual() > 0
                               ? QStringLiteral("Centro: %1 - %2").arg(code, name)
                               : QStringLiteral("Ningún centro seleccionado"));
}

void TFRMMenu::closeEvent(QCloseEvent* event) {
    bool close = PreguntaSiNo(SharedStringFmt(1002, {ApplicationTitle()}), TMsgIcon::Question,
                              TMsgButton::No) &&
                 CloseOpenForms();
    if (close)
        event->accept();
    else
        event->ignore();
}

}  // namespace zmk
