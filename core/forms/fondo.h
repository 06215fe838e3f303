#pragma once
// The main window's background: its settings (framework parameters) and the composer that
// draws the predefined picture, the picture file, the title and the application badge.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace zmk {

struct TAjustesFondo {
    bool usarTituloEmpresa = true;  // "PRMUsarTituloEmpresa"
    QString tituloAplicacion;       // "PRMTituloAplicacion"
    int colorTitulo = 12615680;     // "PRMGENColorTextoTitulo", a Windows colour value
    bool usarLogoEmpresa = true;    // "PRMUsarLogoEmpresa"
    QString archivoLogo;            // "PRMLogoFileName"
    int colorFondo = 0;             // "PRMGENColorFondoImagen"; set by AjustesFondoPorDefecto
    bool mostrarImagenPredefinida = true;  // "PRMMostrarImageBackground"
    bool ajustarImagen = false;            // "PRMAjustarImagenFondo"
    bool tituloEncimaImagen = false;       // "PRMTituloEncimaImagen"
    bool alinearAutomatico = false;        // "PRMMDIAlinearAutomatico"
};

// Windows colour values are 0x00BBGGRR.
QColor ColorDeWindows(int valor);
int ColorAWindows(const QColor& color);
// The application's own background colour.
QColor ColorFondoAplicacion();

// The defaults ("Valores por Defecto" of the settings dialog keeps the window mode options).
TAjustesFondo AjustesFondoPorDefecto();
// Reads the ten parameters with their defaults.
TAjustesFondo LeeAjustesFondo();
// Writes the ten parameters and marks them as saved with the parameter block.
void GuardaAjustesFondo(const TAjustesFondo& ajustes);
// Reads each parameter with its default and writes it back, so that all exist (after every
// connection of a company database).
void AseguraAjustesFondo();

// The title and picture file the settings resolve to: the company's name and logo
// ("EmpresaNombre", "EmpresaLogo") when asked for and a company database is open.
QString TituloFondo(const TAjustesFondo& ajustes);
QString ArchivoImagenFondo(const TAjustesFondo& ajustes);

// How a picture is placed in an area: stretched to it, scaled to fit keeping proportions
// (enlarging too), or at its own size unless larger; always centred.
enum class TAjuste { Estirar, Escalar, Reducir };
QRect ColocaImagen(QSize imagen, const QRect& area, TAjuste ajuste);

// The predefined picture: the background resource with the application logo drawn over it,
// in greyscale.
QImage ImagenPredefinida();
// The application logo (the badge's picture).
QImage LogoAplicacion();

// TZMKAppPaintBackGround: composes the background for an area of the given size.
class TZMKAppPaintBackGround {
  public:
    void SetAjustes(const TAjustesFondo& ajustes) { ajustes_ = ajustes; }
    const TAjustesFondo& Ajustes() const { return ajustes_; }
    // The resolved title and picture file (TituloFondo / ArchivoImagenFondo by default).
    void SetTitulo(const QString& titulo) { titulo_ = titulo; }
    void SetArchivoImagen(const QString& archivo) { archivo_ = archivo; }
    // Scales fonts and the badge for the reduced preview (1.0: the window).
    void SetEscala(double escala) { escala_ = escala; }
    QImage Compone(QSize tamano) const;

  private:
    TAjustesFondo ajustes_;
    QString titulo_;
    QString archivo_;
    double escala_ = 1.0;
};

// A composer set from the current parameters and company.
TZMKAppPaintBackGround CompositorActual();

// TZMKAppPaintBackGroundConfig: the reduced preview of the settings dialog, drawn as the
// window of the given size would look; several-windows mode adds sample child windows stepped
// 40 pixels apart from 20 pixels in.
QImage VistaPreviaFondo(TZMKAppPaintBackGround compositor, QSize tamano, QSize ventana, bool mdi);

}  // namespace zmk
