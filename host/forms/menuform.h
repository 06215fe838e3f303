#pragma once
// The framework's menu window: menus and actions from the application tree, and the forms of
// the nodes opened docked (single window), as MDI children, or modally (tool windows).
#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>

#include "host/forms/appdefinition.h"

namespace zmk {

class TZMKScreen;

class TZMKMenuForm : public QMainWindow {
  public:
    explicit TZMKMenuForm(QWidget* parent = nullptr);

    void SetAppDefinition(TAppDefinition definition);
    const TAppDefinition& AppDefinition() const { return definition_; }

    // Menu items and actions for the node's children, recursively (parent null: the menu bar).
    void AddNodeChildren(QMenu* parent, int nodeId);
    // The tree's entries again in the language now chosen (screens opened later follow it too).
    void TranslateNodeMenus();
    // The open screens in the language chosen now, their edits and positions as they were.
    void TranslateOpenScreens();
    // Shows the node's form; errors come back with "Error al abrir formulario:\n" in front.
    // A screen whose table the user may not see does not open: the refusal is shown instead.
    TZMKScreen* OpenNode(int nodeId);
    // Whether the user may see the table of the node's screen (true for nodes without one).
    bool CanOpenNode(int nodeId) const;
    // Frees the open framework forms except one; false when one of them refused to close.
    bool CloseOpenForms(QWidget* keep = nullptr);
    bool IsMDI() const { return mdi_; }
    void SetWindowMode(bool mdi);

    int LastNode() const { return last_node_; }
    QWidget* LastForm() const { return last_form_; }

    // Hooks of the main window, in their order.
    virtual void BeforeDisconnectDB() { CloseOpenForms(); }
    virtual void AfterDisconnectDB() {}
    virtual void BeforeConnectDB() {}
    virtual void AfterConnectDB() {}
    virtual void FormOpened(QWidget*, bool, int) {}
    virtual void FirstActivation() {}
    virtual bool AllowMDI() const { return false; }
    virtual void BuildMenus() {}

  protected:
    void changeEvent(QEvent* event) override;
    // Splits "Caption=Ctrl+A" into caption and shortcut.
    static std::pair<QString, QKeySequence> CaptionAndShortcut(const QString& text);

  private:
    QList<const TZMKNode*> Children(int nodeId) const;
    const TZMKNode* Node(int nodeId) const;
    TAppDefinition definition_;
    bool first_activation_done_ = false;
    bool mdi_ = false;
    QMdiArea* mdi_area_ = nullptr;
    QPointer<QWidget> docked_;
    int last_node_ = -1;
    QPointer<QWidget> last_form_;
};

}  // namespace zmk
