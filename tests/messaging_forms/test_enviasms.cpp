// The SMS wizard on screen: from the students' screen with a selection, through its pages, to a
// send against the fake services; typed numbers; the checks that take the user to a page.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include "core/centroactual.h"
#include "host/forms/appdefinition.h"
#include "host/forms/screen.h"
#include "host/parametres.h"
#include "messaging/forms/enviasms.h"
#include "messaging/forms/install.h"
#include "tests/messaging/datos_sms.h"
#include "tests/rules_forms/modal.h"
#include "tests/support/fakesms.h"

using namespace zmk;

namespace {

class AsistenteSMS : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* p : {"PRM_SMS_UserName", "PRM_SMS_Password", "PRM_SMS_Remitente"})
            Parametres().DeleteParam(QString::fromUtf8(p));
        a.t.db().ExecuteSQL(QStringLiteral("INSERT INTO T20Centros (CodigoCentroT20) VALUES (1)"));
        a.t.db().ExecuteSQL(QStringLiteral("UPDATE T01Alumnos SET IDCentroT01 = 1"));
        FijaCentroActual(1);
    }
    bool Visible(TccFRMEnviaSMS& d, QWidget* pagina) {
        return d.pcPestanyes->isTabVisible(d.pcPestanyes->indexOf(pagina));
    }
    test::AlumnosSMS a;
    test::TEntornoSMS e{{QStringLiteral("ok")}};
};

TEST_F(AsistenteSMS, FromTheStudentsScreenWithASelectionToTheAnswerPage) {
    QFile archivo(QStringLiteral(ESCOLIA_SOURCE_DIR "/resources/escolia.zmk"));
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const TAppDefinition def = LoadAppDefinition(archivo.readAll(), archivo.fileName());
    TZMKScreen alumnos(def.screens.value(QStringLiteral("alumnos")), 1);
    alumnos.OpenQuery();
    QTableView* grid = alumnos.Grid();
    for (int fila : {0, 2})
        grid->selectionModel()->select(grid->model()->index(fila, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    e.pasarela.respuestas = {QStringLiteral("0|OK|2|0.10|50")};
    InstallMessagingForms();
    bool visto = false;
    test::AlAbrirse<TccFRMEnviaSMS>([&](TccFRMEnviaSMS* d) {
        visto = true;
        EXPECT_EQ(d->pcPestanyes->currentWidget(), d->tsDestinatariosGrid);
        EXPECT_FALSE(Visible(*d, d->tsDestinatariosManual));
        EXPECT_TRUE(d->rbSegunSeleccion->isEnabled());
        EXPECT_TRUE(d->rbSegunSeleccion->isChecked());
        EXPECT_EQ(d->stTotalRegs->text(), QStringLiteral("2"));
        EXPECT_FALSE(d->bbAnterior->isEnabled());
        ASSERT_EQ(d->lbxDestinatarios->count(), 2);
        EXPECT_EQ(d->lbxDestinatarios->item(0)->text(), QStringLiteral("Ana Gil (600 111 222)"));
        EXPECT_EQ(d->lbxDestinatarios->item(1)->checkState(), Qt::Unchecked);  // "+34 ..."
        // The mother's phone joins as a recipient of its own.
        ASSERT_EQ(d->cbxTelefonos.size(), 3);
        d->cbxTelefonos[2]->setChecked(true);
        ASSERT_EQ(d->lbxDestinatarios->count(), 3);
        EXPECT_EQ(d->lbxDestinatarios->item(2)->text(),
                  QStringLiteral("Carla Pons - madre (722333444)"));
        EXPECT_EQ(d->sgDatosDisponibles->horizontalHeaderItem(0)->text(),
                  QStringLiteral("CodigoT01"));
        d->bbSiguiente->click();
        EXPECT_EQ(d->pcPestanyes->currentWidget(), d->tsMensaje);
        d->mMensajeAEnviar->setPlainText(QStringLiteral("Hola, codigo "));
        d->mMensajeAEnviar->moveCursor(QTextCursor::End);
        ASSERT_EQ(d->pmCamposMensaje->actions().size(), 1);
        d->pmCamposMensaje->actions().first()->trigger();
        EXPECT_EQ(d->mMensajeAEnviar->toPlainText(), QStringLiteral("Hola, codigo {CodigoT01}"));
        EXPECT_EQ(d->lblNCarDisp->text(), QStringLiteral("146"));
        d->ebRemitente->setText(QStringLiteral("ACADEMIA"));
        d->bbSiguiente->click();
        EXPECT_EQ(d->pcPestanyes->currentWidget(), d->tsResumen);
        EXPECT_EQ(d->lblNTelefonos->text(), QStringLiteral("2"));
        d->lbxTelefonos->setCurrentRow(1);
        EXPECT_EQ(d->mMensajeResumen->toPlainText(), QStringLiteral("Hola, codigo 9"));
        d->bbSiguiente->click();
        EXPECT_EQ(d->pcPestanyes->currentWidget(), d->tsIdentificacion);
        EXPECT_FALSE(d->bbSiguiente->isEnabled());
        EXPECT_EQ(d->ebPassword->echoMode(), QLineEdit::Password);
        d->ebUsuario->setText(QStringLiteral("academia"));
        d->ebPassword->setText(QStringLiteral("clave"));
        d->bbEnviar->click();  // the confirmation takes its default, Yes
        EXPECT_EQ(d->pcPestanyes->currentWidget(), d->tsRespuesta);
        EXPECT_FALSE(Visible(*d, d->tsMensaje));
        EXPECT_TRUE(d->bbEnviarMas->isEnabled());
        EXPECT_TRUE(d->mLog->toPlainText().contains(QStringLiteral("SMS enviados: 2")));
        d->bbEnviarMas->click();
        EXPECT_TRUE(Visible(*d, d->tsMensaje));
        EXPECT_EQ(d->pcPestanyes->currentWidget(), d->tsDestinatariosGrid);
        d->reject();
    });
    QPushButton* enviar = nullptr;
    for (QPushButton* boton : alumnos.findChildren<QPushButton*>())
        if (boton->text().remove(u'&') == QStringLiteral("Enviar SMS...")) enviar = boton;
    ASSERT_NE(enviar, nullptr);
    enviar->click();
    SetDialogoEnviaSMS({});
    EXPECT_TRUE(visto);
    ASSERT_EQ(e.pasarela.Peticiones().size(), 1);
    EXPECT_EQ(e.pasarela.Peticiones().first().Campo("destino"),
              QStringLiteral("600 111 222,722333444"));
    EXPECT_EQ(e.pasarela.Peticiones().first().Campo("var1"), QStringLiteral("7|9"));
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRM_SMS_Password")), QStringLiteral("clave"));
}

TEST_F(AsistenteSMS, TypedNumbersAndTheChecksThatTakeTheUserToTheirPage) {
    TccFRMEnviaSMS d;
    EXPECT_EQ(d.pcPestanyes->currentWidget(), d.tsDestinatariosManual);
    EXPECT_FALSE(Visible(d, d.tsDestinatariosGrid));
    EXPECT_FALSE(Visible(d, d.tsResumen));
    EXPECT_FALSE(d.bbInsertaCampo->isVisible() && d.bbInsertaCampo->isVisibleTo(&d));
    d.ebNewMovilManual->setText(QStringLiteral("911222333"));
    QKeyEvent intro(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(d.ebNewMovilManual, &intro);
    EXPECT_TRUE(a.t.prompt().Log().last().contains(QStringLiteral("no es un número de móvil")));
    d.ebNewMovilManual->setText(QStringLiteral("611 222 333"));
    d.bbAnadirMovil->click();
    EXPECT_EQ(d.lbMovilesManuales->count(), 1);
    EXPECT_EQ(d.lblMovilesManualesCount->text(), QStringLiteral("1"));
    EXPECT_TRUE(d.ebNewMovilManual->text().isEmpty());
    d.ebUsuario->setText(QStringLiteral("u"));
    d.ebPassword->setText(QStringLiteral("p"));
    d.bbEnviarClick();
    EXPECT_EQ(d.pcPestanyes->currentWidget(), d.tsMensaje);
    EXPECT_TRUE(a.t.prompt().Log().last().contains(QStringLiteral("introducir un texto")));
    d.mMensajeAEnviar->setPlainText(QStringLiteral("Curso de francés ç"));
    EXPECT_EQ(d.lblNCarDisp->text(), QStringLiteral("52"));
    EXPECT_TRUE(d.lblAvisoMensaje->text().contains(QStringLiteral("Unicode")));
    d.ebPassword->clear();
    d.bbEnviarClick();
    EXPECT_EQ(d.pcPestanyes->currentWidget(), d.tsIdentificacion);
    EXPECT_TRUE(e.contabilidad.Peticiones().isEmpty());
    // Not configured: said before any question.
    e.EscribeIni(QString(), {});
    const int antes = int(a.t.prompt().Log().size());
    d.ebPassword->setText(QStringLiteral("p"));
    d.bbEnviarClick();
    ASSERT_EQ(a.t.prompt().Log().size(), antes + 1);
    EXPECT_TRUE(a.t.prompt().Log().last().contains(QStringLiteral("no está configurado")));
}

TEST_F(AsistenteSMS, CheckingAnInvalidRecipientAsksAndTheFieldsGridToggles) {
    TccFRMEnviaSMS d;
    a.grid->DataSet().SetRecNo(2);
    d.ModoLista(test::AlumnosSMS::Origen(), *a.grid);
    EXPECT_TRUE(d.rbActual->isChecked());
    EXPECT_FALSE(d.rbSegunSeleccion->isEnabled());
    d.rbTodas->setChecked(true);
    ASSERT_EQ(d.lbxDestinatarios->count(), 3);
    EXPECT_EQ(d.lbxDestinatarios->item(1)->foreground().color(), QColor(Qt::red));
    a.t.prompt().Push(QStringLiteral("no"));
    d.lbxDestinatarios->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(d.lbxDestinatarios->item(1)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(a.t.prompt().Log().join(u'\n').contains(QStringLiteral("no parece válido")));
    emit d.sgDatosDisponibles->cellDoubleClicked(0, 0);
    EXPECT_EQ(d.lbxDestinatarios->item(0)->checkState(), Qt::Unchecked);
    d.mMensajeAEnviar->setPlainText(QStringLiteral("Hola {CodigoT01"));
    EXPECT_EQ(d.lblNCarDisp->text(), QStringLiteral("?"));
    EXPECT_TRUE(d.lblAvisoMensaje->text().contains(QStringLiteral("{ y }")));
}

}  // namespace
