#include "core/forms/fondo.h"

#include <QFontMetrics>
#include <QPainter>

#include "core/parametrosapp.h"
#include "host/app.h"
#include "host/parametres.h"
#include "host/prompt.h"

// The pictures are compiled into this static library; register them before the first use.
static void IniciaImagenes() {
    Q_INIT_RESOURCE(images);
}

namespace zmk {

namespace {
const QString kUsarTituloEmpresa = QStringLiteral("PRMUsarTituloEmpresa");
const QString kTituloAplicacion = QStringLiteral("PRMTituloAplicacion");
const QString kColorTitulo = QStringLiteral("PRMGENColorTextoTitulo");
const QString kUsarLogoEmpresa = QStringLiteral("PRMUsarLogoEmpresa");
const QString kLogoFileName = QStringLiteral("PRMLogoFileName");
const QString kColorFondo = QStringLiteral("PRMGENColorFondoImagen");
const QString kMostrarImagen = QStringLiteral("PRMMostrarImageBackground");
const QString kAjustarImagen = QStringLiteral("PRMAjustarImagenFondo");
const QString kTituloEncima = QStringLiteral("PRMTituloEncimaImagen");
const QString kAlinearAutomatico = QStringLiteral("PRMMDIAlinearAutomatico");

// The badge is never narrower than this, so a short title still shows a readable logo.
constexpr int kAnchoMinimoDistintivo = 64;
constexpr int kMargenDistintivo = 10;
constexpr int kOpacidadLogo = 64;
constexpr int kVentanasMuestra = 3;

QString OpcionEmpresa(const QString& nombre) {
    if (!ZMKApp().GetDefaultDB()) return QString();
    return ParametrosApp().AsString(nombre, QString());
}

QFont FuenteArial(double puntos) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(qMax(1.0, puntos));
    font.setBold(true);
    return font;
}
}  // namespace

QColor ColorDeWindows(int valor) {
    return QColor(valor & 0xFF, (valor >> 8) & 0xFF, (valor >> 16) & 0xFF);
}

int ColorAWindows(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor ColorFondoAplicacion() {
    return QColor(0xE4, 0xEB, 0xF3);
}

TAjustesFondo AjustesFondoPorDefecto() {
    TAjustesFondo a;
    a.colorFondo = ColorAWindows(ColorFondoAplicacion());
    return a;
}

TAjustesFondo LeeAjustesFondo() {
    const TParametres& p = Parametres();
    TAjustesFondo d = AjustesFondoPorDefecto();
    TAjustesFondo a;
    a.usarTituloEmpresa = p.AsBoolean(kUsarTituloEmpresa, d.usarTituloEmpresa);
    a.tituloAplicacion = p.AsString(kTituloAplicacion, d.tituloAplicacion);
    a.colorTitulo = p.AsInteger(kColorTitulo, d.colorTitulo);
    a.usarLogoEmpresa = p.AsBoolean(kUsarLogoEmpresa, d.usarLogoEmpresa);
    a.archivoLogo = p.AsString(kLogoFileName, d.archivoLogo);
    a.colorFondo = p.AsInteger(kColorFondo, d.colorFondo);
    a.mostrarImagenPredefinida = p.AsBoolean(kMostrarImagen, d.mostrarImagenPredefinida);
    a.ajustarImagen = p.AsBoolean(kAjustarImagen, d.ajustarImagen);
    a.tituloEncimaImagen = p.AsBoolean(kTituloEncima, d.tituloEncimaImagen);
    a.alinearAutomatico = p.AsBoolean(kAlinearAutomatico, d.alinearAutomatico);
    return a;
}

void GuardaAjustesFondo(const TAjustesFondo& a) {
    const std::pair<QString, QVariant> valores[] = {
        {kUsarTituloEmpresa, a.usarTituloEmpresa},
        {kTituloAplicacion, a.tituloAplicacion},
        {kColorTitulo, a.colorTitulo},
        {kUsarLogoEmpresa, a.usarLogoEmpresa},
        {kLogoFileName, a.archivoLogo},
        {kColorFondo, a.colorFondo},
        {kMostrarImagen, a.mostrarImagenPredefinida},
        {kAjustarImagen, a.ajustarImagen},
        {kTituloEncima, a.tituloEncimaImagen},
        {kAlinearAutomatico, a.alinearAutomatico},
    };
    for (const auto& [nombre, valor] : valores) {
        Parametres().SetParametreValue(nombre, valor);
        Parametres().SetWritables(nombre, true);
    }
}

void AseguraAjustesFondo() {
    TAjustesFondo a = LeeAjustesFondo();
    TParametres& p = Parametres();
    p.SetParametreValue(kTituloAplicacion, a.tituloAplicacion);
    p.SetParametreValue(kUsarTituloEmpresa, a.usarTituloEmpresa);
    p.SetParametreValue(kLogoFileName, a.archivoLogo);
    p.SetParametreValue(kUsarLogoEmpresa, a.usarLogoEmpresa);
    p.SetParametreValue(kColorTitulo, a.colorTitulo);
    p.SetParametreValue(kColorFondo, a.colorFondo);
    p.SetParametreValue(kAjustarImagen, a.ajustarImagen);
    p.SetParametreValue(kTituloEncima, a.tituloEncimaImagen);
}

QString TituloFondo(const TAjustesFondo& a) {
    return a.usarTituloEmpresa ? OpcionEmpresa(QStringLiteral("EmpresaNombre"))
                               : a.tituloAplicacion;
}

QString ArchivoImagenFondo(const TAjustesFondo& a) {
    return a.usarLogoEmpresa ? OpcionEmpresa(QStringLiteral("EmpresaLogo")) : a.archivoLogo;
}

QRect ColocaImagen(QSize imagen, const QRect& area, TAjuste ajuste) {
    if (imagen.isEmpty() || area.isEmpty()) return QRect();
    if (ajuste == TAjuste::Estirar) return area;
    QSize tamano = imagen;
    bool mayor = imagen.width() > area.width() || imagen.height() > area.height();
    if (ajuste == TAjuste::Escalar || mayor)
        tamano = imagen.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(QPoint(area.left() + (area.width() - tamano.width()) / 2,
                        area.top() + (area.height() - tamano.height()) / 2),
                 tamano);
}

QImage LogoAplicacion() {
    static const QImage logo = [] {
        IniciaImagenes();
        return QImage(QStringLiteral(":/images/logo.png"));
    }();
    return logo;
}

QImage ImagenPredefinida() {
    static const QImage imagen = [] {
        IniciaImagenes();
        QImage fondo = QImage(QStringLiteral(":/images/fondo.png"))
                           .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (fondo.isNull()) return fondo;
        QPainter p(&fondo);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setOpacity(kOpacidadLogo / 255.0);
        QImage logo = LogoAplicacion();
        QSize maximo = fondo.size() * 4 / 7;
        p.drawImage(ColocaImagen(logo.size(), QRect(QPoint(0, 0), maximo), TAjuste::Escalar)
                        .translated((fondo.width() - maximo.width()) / 2,
                                    (fondo.height() - maximo.height()) / 2),
                    logo);
        p.end();
        return fondo.convertToFormat(QImage::Format_Grayscale8)
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }();
    return imagen;
}

QImage TZMKAppPaintBackGround::Compone(QSize tamano) const {
    QImage img(tamano.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    img.fill(ajustes_.mostrarImagenPredefinida ? ColorFondoAplicacion()
                                               : ColorDeWindows(ajustes_.colorFondo));
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect area = img.rect();

    if (ajustes_.mostrarImagenPredefinida) {
        QImage pre = ImagenPredefinida();
        p.drawImage(ColocaImagen(pre.size(), area, TAjuste::Reducir), pre);
    }

    // The title shrinks until it fits the width.
    QFont fuente = FuenteArial(36 * escala_);
    int altoTitulo = 0;
    if (!titulo_.isEmpty()) {
        int ancho = QFontMetrics(fuente).horizontalAdvance(titulo_);
        if (ancho > area.width())
            fuente.setPointSizeF(qMax(1.0, fuente.pointSizeF() * area.width() / ancho));
        altoTitulo = QFontMetrics(fuente).height();
    }

    if (!archivo_.isEmpty()) {
        QImage logo(archivo_);  // an unreadable file leaves the layer empty
        QRect zona = ajustes_.tituloEncimaImagen ? area.adjusted(0, altoTitulo, 0, 0) : area;
        if (!logo.isNull())
            p.drawImage(ColocaImagen(logo.size(), zona,
                                     ajustes_.ajustarImagen ? TAjuste::Escalar : TAjuste::Reducir),
                        logo);
    }

    if (!titulo_.isEmpty()) {
        p.setFont(fuente);
        p.setPen(ColorDeWindows(ajustes_.colorTitulo));
        p.drawText(QRect(area.left(), area.top(), area.width(), altoTitulo), Qt::AlignCenter,
                   titulo_);
    }

    // The badge: the application title on white with the application logo above it.
    QFont fuenteDistintivo = FuenteArial(8 * escala_);
    QFontMetrics fm(fuenteDistintivo);
    QString nombre = ApplicationTitle();
    int margen = qRound(kMargenDistintivo * escala_);
    int ancho =
        qMax(qRound(kAnchoMinimoDistintivo * escala_), fm.horizontalAdvance(nombre)) + margen;
    QRect etiqueta(area.right() - margen - ancho + 1, area.bottom() - margen - fm.height() + 1,
                   ancho, fm.height());
    p.fillRect(etiqueta, Qt::white);
    p.setFont(fuenteDistintivo);
    p.setPen(Qt::black);
    p.drawText(etiqueta, Qt::AlignCenter, nombre);
    QImage logo = LogoAplicacion();
    if (!logo.isNull()) {
        QSize s = logo.size().scaled(ancho, logo.height() * ancho / qMax(1, logo.width()),
                                     Qt::KeepAspectRatio);
        p.drawImage(QRect(QPoint(etiqueta.left(), etiqueta.top() - s.height()), s), logo);
    }
    return img;
}

TZMKAppPaintBackGround CompositorActual() {
    TZMKAppPaintBackGround c;
    TAjustesFondo a = LeeAjustesFondo();
    c.SetAjustes(a);
    c.SetTitulo(TituloFondo(a));
    c.SetArchivoImagen(ArchivoImagenFondo(a));
    return c;
}

QImage VistaPreviaFondo(TZMKAppPaintBackGround compositor, QSize tamano, QSize ventana, bool mdi) {
    compositor.SetEscala(double(tamano.width()) / qMax(1, ventana.width()));
    QImage img = compositor.Compone(tamano);
    if (!mdi) return img;
    static const QImage hija(QStringLiteral(":/images/mdiform.png"));
    QPainter p(&img);
    for (int i = 0; i < kVentanasMuestra; ++i) p.drawImage(QPoint(20 + 40 * i, 20 + 40 * i), hija);
    return img;
}

}  // namespace zmk
