#pragma once
// The progress window: the title of the first level, and a gauge and a text for each of the
// first three levels; deeper levels are kept but not shown.
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QWidget>

#include "core/splash.h"

namespace zmk {

class TCCFRMSplash : public TCustomSplash {
  public:
    TCCFRMSplash();
    ~TCCFRMSplash() override;
    QString ClassName() const override { return QStringLiteral("TCCFRMSplash"); }

  protected:
    void Update() override;

  private:
    void BuildWindow();
    QObject* esc_watcher_;
    QWidget* window_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblEsc_ = nullptr;
    QProgressBar* gauges_[3] = {};
    QLabel* descriptions_[3] = {};
    QElapsedTimer since_paint_;
    int shown_levels_ = -1;
};

}  // namespace zmk
