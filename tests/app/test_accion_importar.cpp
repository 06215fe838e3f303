// The main window's import action: the centre it needs, the file it asks for, and the dialog it
// opens only when the file gave a table.
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "core/centroactual.h"
#include "tests/app/appfixture.h"

namespace zmk::test {
namespace {

class MenuImportar : public TFRMMenu {
  protected:
    int ScreenWidth() const override { return 800; }
};

using AccionImportar = AppFixture;

TEST_F(AccionImportar, OpensTheDialogOnlyForAFileWithATable) {
    NewConfig();
    MenuImportar w;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));
    ASSERT_GT(IDCentroActual(), 0);
    w.UpdateActions();
    QAction* accion = w.Action(QStringLiteral("ActLImportarDatosExternos"));
    ASSERT_NE(accion, nullptr);
    QString abierto;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            abierto = d->objectName();
            d->reject();
        }
    });
    poll.start(10);

    // The file question cancelled: no dialog.
    prompt_->Push(QStringLiteral("cancel"));
    accion->trigger();
    EXPECT_TRUE(abierto.isEmpty());

    const QString archivo = DataDir() + QStringLiteral("/alumnos.txt");
    Write(archivo, "Nombre\tApellidos\nAna\tPérez\n");
    prompt_->Push(archivo);
    accion->trigger();
    EXPECT_EQ(abierto, QStringLiteral("FRMImportacion"));
    EXPECT_FALSE(Log().join(u'\n').contains(QStringLiteral("no está disponible")));
    config_->Disconnect();
}

}  // namespace
}  // namespace zmk::test
