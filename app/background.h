#pragma once
// TZMKAppPaintBackGroundForm: the composed background of the main window. In single-window
// mode it is a child under the free client area; in several-windows mode it paints the MDI
// area's background. It follows resizes and the docking of forms by itself.
#include <QImage>
#include <QMainWindow>
#include <QWidget>

namespace zmk {

class TFondoPrincipal : public QWidget {
  public:
    explicit TFondoPrincipal(QMainWindow* window);
    // Recomposes from the current settings and company (after any change of either).
    void Repinta();
    const QImage& Imagen() const { return imagen_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Recoloca();
    void Compone(QSize tamano);
    QMainWindow* window_;
    QImage imagen_;
    bool pendiente_ = false;
};

// Creates the background of a main window (owned by it).
TFondoPrincipal* CrearFondo(QMainWindow* window);

}  // namespace zmk
