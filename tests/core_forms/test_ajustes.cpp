#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "core/datosempresa.h"
#include "core/forms/confdatosempresa.h"
#include "core/forms/confmenulevel0ext.h"
#include "core/forms/confmoneda.h"
#include "core/forms/fondo.h"
#include "core/parametrosapp.h"
#include "host/forms/menuform.h"
#include "host/parametres.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {
class MenuConMDI : public TZMKMenuForm {
  public:
    bool AllowMDI() const override { return true; }
};

template <class T>
T* Hijo(QWidget* w, const char* nombre) {
    T* hijo = w->findChild<T*>(QString::fromLatin1(nombre));
    EXPECT_NE(hijo, nullptr) << nombre;
    return hijo;
}

class AjustesTest : public ::testing::Test {
  protected:
    test::TestDatabase tdb;
    QTemporaryDir dir;
    QSettings ini{dir.filePath(QStringLiteral("app.INI")), QSettings::IniFormat};
};
}  // namespace

TEST_F(AjustesTest, PredefinedPictureControlsTheBackgroundColourAndBase) {
    TCCFRMConfMenuLevel0Ext dlg(nullptr, ini);
    auto* predefinida = Hijo<QCheckBox>(&dlg, "chkImagenPredefinida");
    auto* colorFondo = Hijo<QPushButton>(&dlg, "btnColorFondo");
    EXPECT_TRUE(predefinida->isChecked());
    EXPECT_FALSE(colorFondo->isEnabled());
    dlg.SetColorFondo(QColor(200, 10, 20));
    predefinida->setChecked(false);
    EXPECT_TRUE(colorFondo->isEnabled());
    // The preview's base (a corner away from title and badge) takes the chosen colour.
    EXPECT_EQ(dlg.VistaPrevia().pixelColor(2, dlg.VistaPrevia().height() / 2), QColor(200, 10, 20));
    predefinida->setChecked(true);
    EXPECT_EQ(dlg.VistaPrevia().pixelColor(2, dlg.VistaPrevia().height() / 2),
              ColorFondoAplicacion());
}

TEST_F(AjustesTest, WindowModeOptionsFollowTheOwner) {
    TCCFRMConfMenuLevel0Ext sinMenu(nullptr, ini);
    EXPECT_FALSE(Hijo<QCheckBox>(&sinMenu, "chkMDI")->isEnabled());
    EXPECT_FALSE(Hijo<QCheckBox>(&sinMenu, "chkRecordar")->isEnabled());
    sinMenu.accept();
    EXPECT_FALSE(sinMenu.ModoMDI());

    MenuConMDI menu;
    TCCFRMConfMenuLevel0Ext dlg(&menu, ini);
    auto* mdi = Hijo<QCheckBox>(&dlg, "chkMDI");
    auto* alinear = Hijo<QCheckBox>(&dlg, "chkAlinear");
    EXPECT_TRUE(mdi->isEnabled());
    EXPECT_FALSE(mdi->isChecked());  // the running mode
    EXPECT_FALSE(alinear->isEnabled());
    mdi->setChecked(true);
    EXPECT_TRUE(alinear->isEnabled());
    // Cancel answers the running mode whatever is ticked.
    dlg.reject();
    EXPECT_FALSE(dlg.ModoMDI());
}

TEST_F(AjustesTest, OkWritesTheSettingsAndTheRememberKey) {
    MenuConMDI menu;
    TCCFRMConfMenuLevel0Ext dlg(&menu, ini);
    Hijo<QRadioButton>(&dlg, "rbEtiqueta")->setChecked(true);
    Hijo<QLineEdit>(&dlg, "edTitulo")->setText(QStringLiteral("Mi academia"));
    Hijo<QCheckBox>(&dlg, "chkAjustar")->setChecked(true);
    Hijo<QCheckBox>(&dlg, "chkMDI")->setChecked(true);
    Hijo<QCheckBox>(&dlg, "chkAlinear")->setChecked(true);
    Hijo<QCheckBox>(&dlg, "chkRecordar")->setChecked(true);
    dlg.SetColorTitulo(QColor(0, 0, 255));
    dlg.accept();
    EXPECT_TRUE(dlg.ModoMDI());
    EXPECT_FALSE(Parametres().AsBoolean(QStringLiteral("PRMUsarTituloEmpresa"), true));
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMTituloAplicacion")),
              QStringLiteral("Mi academia"));
    EXPECT_TRUE(Parametres().AsBoolean(QStringLiteral("PRMAjustarImagenFondo")));
    EXPECT_TRUE(Parametres().AsBoolean(QStringLiteral("PRMMDIAlinearAutomatico")));
    EXPECT_EQ(Parametres().AsInteger(QStringLiteral("PRMGENColorTextoTitulo")), 0xFF0000);
    EXPECT_TRUE(Parametres().Writables(QStringLiteral("PRMMostrarImageBackground")));
    EXPECT_TRUE(ini.value(QStringLiteral("INIT/RememberMDIOption")).toBool());
    // The window mode itself is the caller's to store.
    EXPECT_FALSE(ini.contains(QStringLiteral("INIT/MDI")));

    // Reopened, the dialog shows them; the defaults bring back the first look.
    TCCFRMConfMenuLevel0Ext otra(&menu, ini);
    EXPECT_EQ(otra.Ajustes().tituloAplicacion, QStringLiteral("Mi academia"));
    EXPECT_TRUE(Hijo<QCheckBox>(&otra, "chkRecordar")->isChecked());
    otra.ValoresPorDefecto();
    TAjustesFondo a = otra.Ajustes();
    EXPECT_TRUE(a.usarTituloEmpresa);
    EXPECT_TRUE(a.tituloAplicacion.isEmpty());
    EXPECT_EQ(a.colorTitulo, 12615680);
    EXPECT_TRUE(a.mostrarImagenPredefinida);
    EXPECT_EQ(ColorDeWindows(a.colorFondo), ColorFondoAplicacion());
    EXPECT_TRUE(a.usarLogoEmpresa);
    EXPECT_FALSE(a.ajustarImagen);
    EXPECT_FALSE(a.tituloEncimaImagen);
}

TEST_F(AjustesTest, CurrencyDialogStaysOpenUntilValidAndConfirmed) {
    TCCFRMConfMoneda dlg;
    dlg.PorDefecto();
    TConfigMoneda v = dlg.Valores();
    EXPECT_EQ(v.mascara, QStringLiteral("#,##0.00"));
    EXPECT_EQ(v.mascaraEdicion, QStringLiteral("#,##0.00##"));
    // Each mask shows an amount written with it.
    EXPECT_EQ(Hijo<QLabel>(&dlg, "edMascaraEjemplo")->text(), QStringLiteral("Ejemplo: 1.234,57"));
    EXPECT_EQ(Hijo<QLabel>(&dlg, "edMascaraEdicionEjemplo")->text(),
              QStringLiteral("Ejemplo: 1.234,5678"));
    Hijo<QLineEdit>(&dlg, "edMascara")->setText(QStringLiteral("0.0"));
    EXPECT_EQ(Hijo<QLabel>(&dlg, "edMascaraEjemplo")->text(), QStringLiteral("Ejemplo: 1234,6"));
    dlg.PorDefecto();
    EXPECT_FALSE(ParametrosApp().GetValue(QStringLiteral("DIVISANAME")).isValid());

    dlg.show();
    tdb.prompt().Push(QStringLiteral("no"));
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible());

    Hijo<QLineEdit>(&dlg, "edDecimalesPrecio")->setText(QStringLiteral("x"));
    tdb.prompt().Push(QStringLiteral("yes"));
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(tdb.prompt().Log().last(),
              QStringLiteral("ERROR %1: El número de decimales introducido no es válido")
                  .arg(ApplicationTitle()));

    Hijo<QLineEdit>(&dlg, "edDecimalesPrecio")->setText(QStringLiteral("3"));
    tdb.prompt().Push(QStringLiteral("yes"));
    dlg.accept();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(ParametrosApp().AsInteger(QStringLiteral("DIVISAROUND"), 0), 1000);
}

TEST_F(AjustesTest, CompanyDataDialogFillsStoresAndPublishes) {
    ParametrosApp().SetValue(QStringLiteral("EmpresaNombre"), QStringLiteral("Academia Luna"));
    TCCFRMConfDatosEmpresa dlg;
    EXPECT_EQ(dlg.Caja(deNombre)->text(), QStringLiteral("Academia Luna"));
    EXPECT_EQ(dlg.Caja(1)->text(), QString());  // declared on opening
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMAEmpresaNombre")),
              QStringLiteral("Academia Luna"));

    tdb.prompt().Push(QStringLiteral("/tmp/logos/sol.png"));
    dlg.BuscaLogo();
    EXPECT_EQ(dlg.Caja(deLogo)->text(), QStringLiteral("/tmp/logos/sol.png"));
    dlg.BuscaLogo();  // cancelled: the box keeps its file
    EXPECT_EQ(dlg.Caja(deLogo)->text(), QStringLiteral("/tmp/logos/sol.png"));

    dlg.Caja(4)->setText(QStringLiteral("B12345678"));
    dlg.accept();
    EXPECT_EQ(ParametrosApp().AsString(QStringLiteral("EmpresaCIF"), QString()),
              QStringLiteral("B12345678"));
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMAEmpresaLogo")),
              QStringLiteral("/tmp/logos/sol.png"));
}

TEST(Fondo, PicturesArePlacedByTheThreeRules) {
    const QRect area(0, 0, 400, 200);
    EXPECT_EQ(ColocaImagen(QSize(100, 50), area, TAjuste::Estirar), area);
    EXPECT_EQ(ColocaImagen(QSize(100, 50), area, TAjuste::Escalar), area);
    EXPECT_EQ(ColocaImagen(QSize(100, 100), area, TAjuste::Escalar), QRect(100, 0, 200, 200));
    EXPECT_EQ(ColocaImagen(QSize(100, 50), area, TAjuste::Reducir), QRect(150, 75, 100, 50));
    EXPECT_EQ(ColocaImagen(QSize(800, 200), area, TAjuste::Reducir), QRect(0, 50, 400, 100));
    EXPECT_EQ(ColocaImagen(QSize(100, 50), QRect(0, 60, 400, 140), TAjuste::Reducir),
              QRect(150, 105, 100, 50));
}

TEST(Fondo, ComposesTheLayers) {
    TZMKAppPaintBackGround c;
    TAjustesFondo a = AjustesFondoPorDefecto();
    a.mostrarImagenPredefinida = false;
    a.colorFondo = ColorAWindows(QColor(10, 20, 30));
    c.SetAjustes(a);
    c.SetArchivoImagen(QStringLiteral("/no/existe.png"));  // shows nothing, no error
    QImage vacia = c.Compone(QSize(600, 400));
    EXPECT_EQ(vacia.pixelColor(300, 200), QColor(10, 20, 30));

    QTemporaryDir dir;
    QImage roja(50, 50, QImage::Format_RGB32);
    roja.fill(Qt::red);
    QString archivo = dir.filePath(QStringLiteral("rojo.png"));
    ASSERT_TRUE(roja.save(archivo));
    c.SetArchivoImagen(archivo);
    QImage img = c.Compone(QSize(600, 400));
    EXPECT_EQ(img.pixelColor(300, 200), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(200, 200), QColor(10, 20, 30));  // own size, centred
    a.ajustarImagen = true;
    c.SetAjustes(a);
    EXPECT_EQ(c.Compone(QSize(600, 400)).pixelColor(200, 200), QColor(Qt::red));

    // The title in its colour at the top; the badge's white ground at the bottom right.
    c.SetTitulo(QStringLiteral("MMMMMMMM"));
    QImage titulada = c.Compone(QSize(600, 400));
    bool hayTitulo = false;
    for (int x = 0; x < 600 && !hayTitulo; ++x)
        for (int y = 0; y < 60 && !hayTitulo; ++y)
            hayTitulo = titulada.pixelColor(x, y) == ColorDeWindows(12615680);
    EXPECT_TRUE(hayTitulo);
    EXPECT_EQ(titulada.pixelColor(600 - 12, 400 - 12), QColor(Qt::white));
}
