#pragma once
// TZMKAppPaintBackGroundForm: the composed background of the main window. In single-window
// mode it is a child under the free client area; in several-windows mode it paints the MDI
// area's background. It follows resizes and the docking of forms by itself.
#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QWidget>

namespace zmk {

class TFondoPrincipal : public QWidget {
  public:
    explicit TFondoPrincipal(QMainWindow* window);
    // Recomposes from the current settings and company (after any change of either).
    void Repinta();
    const QImage& Imagen() const { return imagen_; }
    // The default entry of the right-click menu (the main-window settings action).
    void SetAccionConfigurar(QAction* accion) { configurar_ = accion; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Programa();
    // Recomposes only when the size changed, unless forced.
    void Recoloca(bool forzar);
    void MenuContextual(const QPoint& posicion);
    void Compone(QSize tamano, bool forzar);
    QMainWindow* window_;
    QPointer<QAction> configurar_;
    QPointer<QWidget> vista_mdi_;
    QImage imagen_;
    bool pendiente_ = false;
};

// Creates the background of a main window (owned by it).
TFondoPrincipal* CrearFondo(QMainWindow* window);

}  // namespace zmk
