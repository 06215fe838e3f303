// The grades screen of the application file with the grade tree placed on it.
#include <QApplication>
#include <QDir>
#include <QTreeWidget>

#include "classroom/forms/arbolasignacionnotas.h"
#include "host/forms/appdefinition.h"
#include "host/forms/screen.h"
#include "tests/classroom/datos_aula.h"

using namespace zmk;

namespace {

class PantallaNotas : public test::DatosAula {};

TEST_F(PantallaNotas, TheTreeFollowsTheScreensCurrentRecord) {
    Exec(QStringLiteral("INSERT INTO T24BoletinesNotas (IDCursoT24, NombreConc1T24, "
                        "ValoresConc1T24) VALUES (%1, 'Inglés', '{Oral|Escrito}{A|B}')")
             .arg(curso));
    Exec(QStringLiteral("INSERT INTO T25NotasBoletin (IDBoletinNotasT25, IDMatriculaT25, "
                        "ValorConc1T25) VALUES (1, %1, 'A|B')")
             .arg(ana));
    Exec(QStringLiteral("INSERT INTO T25NotasBoletin (IDBoletinNotasT25, IDMatriculaT25) VALUES "
                        "(1, %1)")
             .arg(luis));
    RegistraArbolAsignacionNotas();
    const TAppDefinition app = BuiltInAppDefinition();
    ASSERT_TRUE(app.screens.contains(QStringLiteral("notas_boletin")));
    TZMKScreen screen(app.screens[QStringLiteral("notas_boletin")], 300);
    screen.setAttribute(Qt::WA_DeleteOnClose, false);
    screen.SetMaster(1);
    screen.OpenQuery();
    // The control class has no meta-object of its own: found by its C++ type.
    TZMKArbolAsignacionNotas* arbol = nullptr;
    for (QWidget* w : screen.findChildren<QWidget*>())
        if (!arbol) arbol = dynamic_cast<TZMKArbolAsignacionNotas*>(w);
    ASSERT_NE(arbol, nullptr);
    QTreeWidget* t = arbol->Arbol();
    ASSERT_EQ(t->topLevelItemCount(), 1);
    ASSERT_EQ(t->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(arbol->Datos(t->topLevelItem(0)->child(1))->valor, QStringLiteral("B"));
    // A picture of the screen when ESCOLIA_SCREENSHOTS names a folder.
    if (const QString dir = qEnvironmentVariable("ESCOLIA_SCREENSHOTS"); !dir.isEmpty()) {
        screen.resize(1000, 760);
        screen.show();
        QApplication::processEvents();
        screen.grab().save(QDir(dir).filePath(QStringLiteral("arbol_notas.png")));
    }
    screen.DataSet()->Next();
    t = arbol->Arbol();
    EXPECT_EQ(arbol->Datos(t->topLevelItem(0)->child(1))->valor, QString());
    arbol->AsignarValor(t->topLevelItem(0)->child(1), QStringLiteral("A"));
    screen.DataSet()->Post();
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT ValorConc1T25 FROM T25NotasBoletin WHERE "
                                        "IDMatriculaT25=%1")
                             .arg(luis))
                  .toString(),
              QStringLiteral("|A"));
}

}  // namespace
