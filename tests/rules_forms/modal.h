#pragma once
// Answers the next modal dialog from inside its event loop, as a user would.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace zmk::test {

// Runs accion on the dialog that becomes modal next. When accion leaves it open, the dialog is
// rejected after a second answer (so a faulty test cannot hang).
template <typename T>
void AlAbrirse(std::function<void(T*)> accion) {
    QTimer::singleShot(0, [accion] {
        auto* d = dynamic_cast<T*>(QApplication::activeModalWidget());
        if (!d) {
            if (auto* otro = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                otro->done(QDialog::Rejected);
            return;
        }
        accion(d);
    });
}

}  // namespace zmk::test
