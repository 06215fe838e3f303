#pragma once
// Drop-downs, spin boxes and date boxes take the mouse wheel only when they have the focus:
// scrolling a long record form must not change the value under the pointer (and put the record
// in edit). Without the focus the wheel goes on to the page, which scrolls.
#include <QObject>

namespace zmk {

class TWheelGuard : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs the guard once for the whole program (every screen and dialog).
void InstallWheelGuard();

}  // namespace zmk
