#include "host/forms/wheelguard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>

namespace zmk {

namespace {
bool TakesWheel(const QObject* object) {
    return qobject_cast<const QComboBox*>(object) || qobject_cast<const QAbstractSpinBox*>(object);
}
}  // namespace

bool TWheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish && TakesWheel(watched)) {
        // Qt gives these controls the focus on a wheel turn; a click or Tab must give it instead.
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->focusPolicy() == Qt::WheelFocus) widget->setFocusPolicy(Qt::StrongFocus);
    } else if (event->type() == QEvent::Wheel && TakesWheel(watched) &&
               !static_cast<QWidget*>(watched)->hasFocus()) {
        // Ignored, the event goes on to the parent: the scroll area under the control.
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void InstallWheelGuard() {
    static TWheelGuard* guard = nullptr;
    if (guard || !qApp) return;
    guard = new TWheelGuard(qApp);
    qApp->installEventFilter(guard);
}

}  // namespace zmk
