#include "app/background.h"

#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "core/forms/fondo.h"
#include "host/parametres.h"
#include "host/prompt.h"

namespace zmk {

TFondoPrincipal::TFondoPrincipal(QMainWindow* window) : QWidget(window), window_(window) {
    setObjectName(QStringLiteral("FondoPrincipal"));
    window_->installEventFilter(this);
    Recoloca(true);
}

void TFondoPrincipal::Repinta() {
    Recoloca(true);
}

bool TFondoPrincipal::eventFilter(QObject* watched, QEvent* event) {
    if (watched == vista_mdi_ && event->type() == QEvent::ContextMenu) {
        MenuContextual(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    switch (event->type()) {
        case QEvent::Resize:
        case QEvent::LayoutRequest:
        case QEvent::ChildAdded:
        case QEvent::ChildRemoved:
            Programa();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

// Docking a form or switching the mode changes the central widget; look once things settle.
void TFondoPrincipal::Programa() {
    if (pendiente_) return;
    pendiente_ = true;
    QTimer::singleShot(0, this, [this] {
        pendiente_ = false;
        Recoloca(false);
    });
}

void TFondoPrincipal::Recoloca(bool forzar) {
    QWidget* central = window_->centralWidget();
    if (auto* mdi = qobject_cast<QMdiArea*>(central)) {
        // Several windows: the composed image is the MDI area's own background.
        hide();
        if (vista_mdi_ != mdi->viewport()) {
            vista_mdi_ = mdi->viewport();
            vista_mdi_->installEventFilter(this);
        }
        Compone(vista_mdi_->size(), forzar);
        mdi->setBackground(QBrush(imagen_));
        return;
    }
    if (central) {
        hide();
        return;
    }
    // Single window with no form docked: fill the free client area, under everything else.
    int top = 0;
    int bottom = window_->height();
    if (QWidget* menu = window_->menuWidget(); menu && menu->isVisible())
        top = qMax(top, menu->geometry().bottom() + 1);
    for (QToolBar* bar : window_->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly))
        if (bar->isVisible() && window_->toolBarArea(bar) == Qt::TopToolBarArea)
            top = qMax(top, bar->geometry().bottom() + 1);
    if (auto* status = window_->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
        status && status->isVisible())
        bottom = status->geometry().top();
    setGeometry(0, top, window_->width(), qMax(0, bottom - top));
    Compone(size(), forzar);
    lower();
    show();
    update();
}

void TFondoPrincipal::Compone(QSize tamano, bool forzar) {
    if (tamano.isEmpty() || (!forzar && tamano == imagen_.size())) return;
    imagen_ = CompositorActual().Compone(tamano);
}

void TFondoPrincipal::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, imagen_);
}

void TFondoPrincipal::contextMenuEvent(QContextMenuEvent* event) {
    MenuContextual(event->globalPos());
}

void TFondoPrincipal::MenuContextual(const QPoint& posicion) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Seleccionar imagen de fondo"), this, [this] {
        QString archivo = Prompt().OpenFileName(
            QStringLiteral("Seleccionar imagen de fondo"),
            Parametres().AsString(QStringLiteral("PRMLogoFileName")),
            QStringLiteral("Imágenes (*.png *.jpg *.jpeg *.bmp *.gif);;Todos los archivos (*)"));
        if (archivo.isEmpty()) return;
        Parametres().SetParametreValue(QStringLiteral("PRMLogoFileName"), archivo);
        Parametres().SetParametreValue(QStringLiteral("PRMUsarLogoEmpresa"), false);
        Repinta();
    });
    QAction* ajustar =
        menu.addAction(QStringLiteral("Ajustar el tamaño de la imagen"), this, [this] {
            bool actual = Parametres().AsBoolean(QStringLiteral("PRMAjustarImagenFondo"), false);
            Parametres().SetParametreValue(QStringLiteral("PRMAjustarImagenFondo"), !actual);
            Repinta();
        });
    ajustar->setCheckable(true);
    ajustar->setChecked(Parametres().AsBoolean(QStringLiteral("PRMAjustarImagenFondo"), false));
    if (configurar_) {
        menu.addSeparator();
        menu.addAction(configurar_);
        menu.setDefaultAction(configurar_);
    }
    menu.exec(posicion);
    // The settings action may have changed anything.
    Repinta();
}

TFondoPrincipal* CrearFondo(QMainWindow* window) {
    return new TFondoPrincipal(window);
}

}  // namespace zmk
