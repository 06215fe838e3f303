// The wheel over a record form scrolls the page; it changes a drop-down, spin or date box only
// once the user has put the focus there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "host/forms/wheelguard.h"

namespace zmk {
namespace {

// One notch of the wheel downwards over the widget's centre; whether someone took it.
bool Wheel(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    QWheelEvent event(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    event.setAccepted(false);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

TEST(WheelGuard, ControlsWithoutTheFocusLeaveTheWheelToThePage) {
    InstallWheelGuard();
    QScrollArea page;
    auto* form = new QWidget;
    auto* layout = new QVBoxLayout(form);
    auto* nombre = new QLineEdit(form);
    auto* formaCobro = new QComboBox(form);
    formaCobro->addItems({QStringLiteral("Efectivo"), QStringLiteral("Domiciliación"),
                          QStringLiteral("Transferencia")});
    formaCobro->setCurrentIndex(1);
    auto* unidades = new QSpinBox(form);
    unidades->setValue(5);
    auto* fecha = new QDateEdit(QDate(2026, 12, 9), form);
    for (QWidget* w : std::initializer_list<QWidget*>{nombre, formaCobro, unidades, fecha})
        layout->addWidget(w);
    page.setWidget(form);
    page.show();
    QApplication::setActiveWindow(&page);
    QApplication::processEvents();
    nombre->setFocus();

    // Polished, they no longer take the focus from a wheel turn.
    for (QWidget* w : std::initializer_list<QWidget*>{formaCobro, unidades, fecha})
        EXPECT_EQ(w->focusPolicy(), Qt::StrongFocus);
    EXPECT_FALSE(Wheel(formaCobro));
    EXPECT_FALSE(Wheel(unidades));
    EXPECT_FALSE(Wheel(fecha));
    EXPECT_EQ(formaCobro->currentIndex(), 1);
    EXPECT_EQ(unidades->value(), 5);
    EXPECT_EQ(fecha->date(), QDate(2026, 12, 9));

    // With the focus the wheel is theirs again.
    formaCobro->setFocus();
    ASSERT_TRUE(formaCobro->hasFocus());
    EXPECT_TRUE(Wheel(formaCobro));
    EXPECT_NE(formaCobro->currentIndex(), 1);
    unidades->setFocus();
    EXPECT_TRUE(Wheel(unidades));
    EXPECT_NE(unidades->value(), 5);
}

}  // namespace
}  // namespace zmk
