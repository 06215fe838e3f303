#include "host/forms/menuform.h"

#include <QDialog>
#include <QEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "host/errors.h"
#include "host/forms/apptext.h"
#include "host/forms/screen.h"
#include "host/prompt.h"
#include "host/rights.h"

namespace zmk {

TZMKMenuForm::TZMKMenuForm(QWidget* parent) : QMainWindow(parent) {}

void TZMKMenuForm::SetAppDefinition(TAppDefinition definition) {
    definition_ = std::move(definition);
}

const TZMKNode* TZMKMenuForm::Node(int nodeId) const {
    for (const TZMKNode& n : definition_.nodes)
        if (n.id == nodeId) return &n;
    return nullptr;
}

QList<const TZMKNode*> TZMKMenuForm::Children(int nodeId) const {
    QList<const TZMKNode*> children;
    for (const TZMKNode& n : definition_.nodes)
        if (n.parentId == nodeId) children << &n;
    return children;
}

std::pair<QString, QKeySequence> TZMKMenuForm::CaptionAndShortcut(const QString& text) {
    int eq = text.indexOf(QLatin1Char('='));
    if (eq < 0) return {text, QKeySequence()};
    return {text.left(eq), QKeySequence(text.mid(eq + 1))};
}

namespace {
// The Spanish caption an entry of the tree was built from, to translate it again.
constexpr char kAppTextProperty[] = "zmkAppText";
}  // namespace

void TZMKMenuForm::TranslateNodeMenus() {
    for (QAction* a : findChildren<QAction*>()) {
        const QVariant spanish = a->property(kAppTextProperty);
        if (spanish.isValid()) a->setText(AppText(spanish.toString()));
    }
}

void TZMKMenuForm::TranslateOpenScreens() {
    // The screen class has no meta-object of its own: every widget is asked what it is.
    for (QWidget* widget : findChildren<QWidget*>()) {
        auto* screen = dynamic_cast<TZMKScreen*>(widget);
        if (!screen) continue;
        bool detail = false;
        for (QObject* p = screen->parent(); p && !detail; p = p->parent())
            detail = dynamic_cast<TZMKScreen*>(p) != nullptr;
        // A detail follows its master's translation.
        if (!detail) screen->RetranslateTexts();
    }
}

void TZMKMenuForm::AddNodeChildren(QMenu* parent, int nodeId) {
    if (!menuBar()) throw EZMKError(QStringLiteral("El menú no está definido"));
    const TZMKNode* node = Node(nodeId);
    int parent_kind = node ? node->kind : 5;
    for (const TZMKNode* child : Children(nodeId)) {
        if (!(parent_kind == 5 || child->kind == 4 || child->kind == 5)) continue;
        auto [spanish, shortcut] = CaptionAndShortcut(child->caption);
        const QString caption = AppText(spanish);
        bool has_children = !Children(child->id).isEmpty();
        if (has_children) {
            QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
            menu->menuAction()->setProperty(kAppTextProperty, spanish);
            AddNodeChildren(menu, child->id);
        } else {
            auto* action = new QAction(caption, this);
            action->setProperty(kAppTextProperty, spanish);
            action->setShortcut(shortcut);
            action->setObjectName(QStringLiteral("MenuItem_idnode_%1").arg(child->id));
            action->setData(child->id);
            int id = child->id;
            connect(action, &QAction::triggered, this, [this, id] {
                try {
                    OpenNode(id);
                } catch (const EZMKError& e) {
                    MuestraError(e.Message());
                }
            });
            if (parent)
                parent->addAction(action);
            else
                menuBar()->addAction(action);
        }
    }
}

bool TZMKMenuForm::CanOpenNode(int nodeId) const {
    auto it = definition_.nodeScreens.constFind(nodeId);
    if (it == definition_.nodeScreens.constEnd()) return true;
    return TableAllows(definition_.screens.value(it.value()).table, TTableRight::View);
}

TZMKScreen* TZMKMenuForm::OpenNode(int nodeId) {
    try {
        auto it = definition_.nodeScreens.find(nodeId);
        if (it == definition_.nodeScreens.end()) return nullptr;
        const TScreenDef& def = definition_.screens[it.value()];
        if (const QString refusal =
                TableRefusal(def.table, AppText(def.caption), TTableRight::View);
            !refusal.isEmpty()) {
            Avisa(refusal);
            return nullptr;
        }
        // An MDI child of the node already open comes to the front.
        if (mdi_ && mdi_area_) {
            for (QMdiSubWindow* sub : mdi_area_->subWindowList()) {
                auto* screen = dynamic_cast<TZMKScreen*>(sub->widget());
                if (screen && screen->property("zmkNode").toInt() == nodeId) {
                    mdi_area_->setActiveSubWindow(sub);
                    return screen;
                }
            }
        }
        if (def.modal) {
            if (!CloseOpenForms()) return nullptr;
            QDialog dialog(this);
            dialog.setWindowTitle(AppText(def.caption));
            auto* layout = new QVBoxLayout(&dialog);
            auto* screen = new TZMKScreen(def, nodeId, &dialog);
            screen->setAttribute(Qt::WA_DeleteOnClose, false);
            layout->addWidget(screen);
            screen->OpenQuery();
            last_node_ = nodeId;
            last_form_ = screen;
            dialog.resize(900, 600);
            dialog.exec();
            return nullptr;
        }
        if (!mdi_) {
            if (!CloseOpenForms()) return nullptr;
            // Owned here until it opens: a screen that cannot read its list is not kept.
            auto owned = std::make_unique<TZMKScreen>(def, nodeId);
            owned->setProperty("zmkNode", nodeId);
            owned->OpenQuery();
            TZMKScreen* screen = owned.release();
            setCentralWidget(screen);
            docked_ = screen;
            last_node_ = nodeId;
            last_form_ = screen;
            FormOpened(screen, false, 0);
            screen->Grid()->setFocus();
            return screen;
        }
        auto owned = std::make_unique<TZMKScreen>(def, nodeId);
        owned->setProperty("zmkNode", nodeId);
        owned->OpenQuery();
        TZMKScreen* screen = owned.release();
        QMdiSubWindow* sub = mdi_area_->addSubWindow(screen);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // A window as large as the work area allows (the lists and the forms need the room),
        // cascading from the top left so that the ones behind still show their titles.
        const QSize area = mdi_area_->viewport()->size();
        const int offset = 24 * int(mdi_area_->subWindowList().size() - 1);
        sub->resize(std::max(900, area.width() * 9 / 10 - offset),
                    std::max(600, area.height() * 9 / 10 - offset));
        sub->move(offset, offset);
        sub->show();
        last_node_ = nodeId;
        last_form_ = screen;
        int visible = 0;
        for (QMdiSubWindow* w : mdi_area_->subWindowList())
            if (w->isVisible() && !w->isMinimized()) ++visible;
        FormOpened(screen, true, visible);
        return screen;
    } catch (EZMKError& e) {
        e.SetMessage(QStringLiteral("Error al abrir formulario:\n") + e.Message());
        throw;
    }
}

bool TZMKMenuForm::CloseOpenForms(QWidget* keep) {
    if (mdi_ && mdi_area_) {
        QList<QMdiSubWindow*> subs = mdi_area_->subWindowList();
        for (auto it = subs.rbegin(); it != subs.rend(); ++it)
            if ((*it)->widget() != keep && !(*it)->close()) return false;
        return true;
    }
    if (docked_ && docked_ != keep) {
        auto* screen = dynamic_cast<TZMKScreen*>(docked_.data());
        if (screen && !screen->CanClose()) return false;
        QWidget* old = takeCentralWidget();
        delete old;
        docked_ = nullptr;
    }
    return true;
}

void TZMKMenuForm::SetWindowMode(bool mdi) {
    bool wanted = mdi && AllowMDI();
    if (wanted == mdi_) return;
    if (!CloseOpenForms()) return;
    mdi_ = wanted;
    if (mdi_) {
        mdi_area_ = new QMdiArea(this);
        mdi_area_->setViewMode(QMdiArea::SubWindowView);
        setCentralWidget(mdi_area_);
    } else {
        delete takeCentralWidget();
        mdi_area_ = nullptr;
    }
}

void TZMKMenuForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !first_activation_done_) {
        first_activation_done_ = true;
        // After the window is shown, as the original posted itself a message.
        QTimer::singleShot(0, this, [this] { FirstActivation(); });
    }
}

}  // namespace zmk
