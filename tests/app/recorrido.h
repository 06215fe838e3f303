#pragma once
// The program as the office uses it: the real main window on the demo company, driven with
// keys sent to the focused widget, and modal dialogs answered while they are open.
#include <QtCore/qtestsupport_core.h>
#include <QtWidgets/qtestsupport_widgets.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTimer>
#include <functional>

#include "app/mainwindow.h"
#include "billing/forms/install.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/screen.h"
#include "rules/coloreado.h"
#include "rules/forms/install.h"
#include "tests/app/appfixture.h"

// Qt's own hook for synthetic keys: the shortcut map sees the key first, as for a real one.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods,
                                               const QString& text = QString(),
                                               bool autorep = false, ushort count = 1);

namespace zmk::test {

// What was posted (a screen shown, a list read) has happened, and the window manager has given
// the focus to the open dialog, or back to the window below a closed one.
inline void Reactiva(QWidget* ventana) {
    QApplication::processEvents();
    if (QApplication::activePopupWidget() || ventana->windowType() == Qt::Popup) return;
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* top = modal ? modal : ventana;
    if (QApplication::activeWindow() != top) {
        QApplication::setActiveWindow(top);
        QApplication::processEvents();
    }
}

// One key pressed and released on a widget; a shortcut that takes it runs instead.
inline void PulsaTecla(QWidget* widget, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                       QString text = QString()) {
    Reactiva(widget->window());
    if (qt_sendShortcutOverrideEvent(widget, 0, key, mods, text)) return;
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(widget, &release);
}

// Narrow screen: the window-mode question is not asked.
class MenuRecorrido : public TFRMMenu {
  protected:
    int ScreenWidth() const override { return 1000; }
};

class Recorrido : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        NewConfig();
        ASSERT_TRUE(ArrancaAplicacion(*config_, w_, [] {
            InstallRulesForms();
            InstallBillingForms();
            SetRowStyleProvider([](int fuente, TDataSet& fila) {
                TEstiloFila e = EstiloFila(fuente, fila);
                return TRowStyle{e.cambia, e.fondo, e.texto, e.cursiva, e.negrita};
            });
        }));
        w_.resize(1280, 860);
        w_.show();
        QApplication::setActiveWindow(&w_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w_));
        capturas_ = qEnvironmentVariable("ESCOLIA_SCREENSHOTS");
        if (!capturas_.isEmpty()) QDir().mkpath(capturas_);
    }
    void TearDown() override {
        // Nothing left half-typed asks at the end.
        w_.CloseOpenForms();
        AppFixture::TearDown();
    }

    // Sends a key to whatever has the focus, as the keyboard does.
    void Tecla(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Reactiva(&w_);
        QWidget* target = QApplication::focusWidget();
        if (!target) target = QApplication::activeWindow();
        if (!target) target = QApplication::activeModalWidget();
        ASSERT_NE(target, nullptr) << "no window takes the key " << key;
        PulsaTecla(target, key, mods);
        // An access key presses its button as a click seen on screen: a moment later.
        if (mods & Qt::AltModifier) QTest::qWait(200);
    }
    void Escribe(const QString& text) {
        Reactiva(&w_);
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr) << "no widget has the focus";
        for (QChar c : text) {
            // Letters and digits by their key; the rest by their character code.
            const QChar upper = c.toUpper();
            const int key = upper.unicode() < 0x100 ? upper.unicode() : int(Qt::Key_unknown);
            PulsaTecla(QApplication::focusWidget(), key,
                       c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
        }
    }
    // Tab (or Shift+Tab) until the widget has the focus, as a user reaches a field.
    static bool TabHasta(QWidget* widget, bool atras = false, int limite = 80) {
        if (!widget) return false;
        Reactiva(widget->window());
        for (int i = 0; i < limite; ++i) {
            QWidget* f = QApplication::focusWidget();
            if (f == widget || (f && widget->isAncestorOf(f) && widget->focusProxy() == f))
                return true;
            if (!f) return false;
            PulsaTecla(f, atras ? Qt::Key_Backtab : Qt::Key_Tab,
                       atras ? Qt::ShiftModifier : Qt::NoModifier);
        }
        return QApplication::focusWidget() == widget;
    }
    // A control of the screen's own record form (its detail screens have controls of the same
    // names).
    template <class T = QWidget>
    static T* Control(QWidget* raiz, const QString& nombre) {
        auto* pantalla = dynamic_cast<TZMKScreen*>(raiz);
        for (T* w : raiz->findChildren<T*>(nombre)) {
            QWidget* p = w->parentWidget();
            while (p && !dynamic_cast<TZMKScreen*>(p)) p = p->parentWidget();
            if (!pantalla || p == pantalla) return w;
        }
        return nullptr;
    }
    // Tab to the field, replace its text and leave it.
    void Campo(QWidget* raiz, const char* nombre, const QString& texto) {
        auto* w = Control(raiz, QString::fromLatin1(nombre));
        ASSERT_NE(w, nullptr) << nombre;
        ASSERT_TRUE(TabHasta(w)) << "Tab never reaches " << nombre;
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_A, Qt::ControlModifier));
        ASSERT_NO_FATAL_FAILURE(Escribe(texto));
    }
    static QAbstractButton* Boton(QWidget* raiz, const QString& texto) {
        for (auto* b : raiz->findChildren<QAbstractButton*>())
            if (QString(b->text()).remove(QLatin1Char('&')) == texto && b->isVisibleTo(raiz))
                return b;
        return nullptr;
    }
    // Opens a screen with its shortcut; the screen on view.
    TZMKScreen* Atajo(QKeySequence keys) {
        PulsaTecla(&w_, keys[0].key(), keys[0].keyboardModifiers());
        auto* s = dynamic_cast<TZMKScreen*>(w_.LastForm());
        if (s) QApplication::processEvents();
        return s;
    }
    // Runs an action while a modal dialog of type T is open, then its keys; the dialog is
    // closed if the steps left it open, so a failure never hangs the test.
    template <class T>
    void AlAbrirse(std::function<void(T*)> pasos) {
        auto intentos = std::make_shared<int>(0);
        auto tick = std::make_shared<std::function<void()>>();
        *tick = [this, pasos, intentos, tick] {
            auto* d = dynamic_cast<T*>(QApplication::activeModalWidget());
            if (!d) {
                if (++*intentos < 250) QTimer::singleShot(20, *tick);
                return;
            }
            EXPECT_TRUE(QTest::qWaitForWindowActive(d));
            pasos(d);
            if (d->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                d->reject();
            }
            *tick = nullptr;
        };
        QTimer::singleShot(0, *tick);
    }
    // One picture of the window (or of an open dialog) per step, when asked for.
    void Captura(const QString& nombre, QWidget* ventana = nullptr) {
        if (capturas_.isEmpty()) return;
        QWidget* w = ventana ? ventana : &w_;
        QApplication::processEvents();
        w->grab().save(QStringLiteral("%1/%2-%3.png")
                           .arg(capturas_)
                           .arg(++paso_, 2, 10, QLatin1Char('0'))
                           .arg(nombre));
    }
    // The lines of the prompt log that report an error.
    QStringList Errores() const { return Log().filter(QStringLiteral("ERROR")); }

    MenuRecorrido w_;
    QString capturas_;
    int paso_ = 0;
};

}  // namespace zmk::test
