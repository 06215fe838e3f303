#pragma once
// The main window: menus from the application tree, the toolbar of the five daily screens and
// the label of the current centre.
#include <QLabel>

#include "host/forms/menuform.h"

namespace zmk {

class TFRMMenu : public TZMKMenuForm {
public:
    explicit TFRMMenu(QWidget* parent = nullptr);
    ~TFRMMenu() override;
    void BuildMenus() override;
    void AfterConnectDB() override;
    bool AllowMDI() const override { return true; }
    void RefreshCentreLabel();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* centre_label_ = nullptr;
};

}  // namespace zmk
