#pragma once
// TFRMMenu: the program's main window: the framework submenus, the toolbar with the current
// centre and the five daily screens, and the actions that need a current centre.
#include <QLabel>
#include <QToolBar>

#include "app/menulevel0ext.h"

namespace zmk {

class TFRMMenu : public TFRMMenuLevel0Ext {
  public:
    explicit TFRMMenu(QWidget* parent = nullptr);
    ~TFRMMenu() override;

    void BuildMenus() override;
    void AfterConnectDB() override;
    void AfterDisconnectDB() override;
    void FirstActivation() override;
    void UpdateActions() override;

    void RefreshCentreLabel();
    QLabel* CentreLabel() const { return lblCentro_; }
    QToolBar* ToolBar() const { return toolbar_; }
    // Opens the centre list (node 11342) on the current centre; OK makes the chosen one current.
    void SelectCentre();

  protected:
    void TranslateMainWindow(const QString& section) override;

  private:
    QToolBar* toolbar_ = nullptr;
    QLabel* lblCentro_ = nullptr;
    QList<QMenu*> framework_menus_;
};

}  // namespace zmk
