// The SMS wizard without its widgets: page checks, the send with its log, final message and
// stored settings, the operator's file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "host/datetime.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "host/resources.h"
#include "messaging/formularioenviasms.h"
#include "tests/messaging/datos_sms.h"
#include "tests/support/fakesms.h"

namespace zmk {
namespace {

class FormularioSMS : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* p : {"PRM_SMS_UserName", "PRM_SMS_Password", "PRM_SMS_Remitente"})
            Parametres().DeleteParam(QString::fromUtf8(p));
        FijarAhora(QDateTime(QDate(2026, 3, 2), QTime(9, 30, 5)));
    }
    void TearDown() override { FijarAhora(std::nullopt); }
    TFormEnviaSMS& Lista(TModoSeleccionGrid ambito = msgTodos) {
        f.ModoLista(test::AlumnosSMS::Origen(), *a.grid);
        f.CargarDestinatarios(ambito);
        f.mensaje = QStringLiteral("Hola, código {CodigoT01}");
        f.usuario = QStringLiteral("academia");
        f.password = QStringLiteral("clave-secreta");
        f.remitente = QStringLiteral("ACADEMIA");
        return f;
    }
    test::AlumnosSMS a;
    TFormEnviaSMS f;
};

TEST_F(FormularioSMS, ScopeStartsOnTheSelectionOnlyWithTwoSelectedRows) {
    f.ModoLista(test::AlumnosSMS::Origen(), *a.grid);
    EXPECT_EQ(f.Ambito(), msgActual);
    EXPECT_FALSE(f.SeleccionDisponible());
    a.grid->SetSelectedKeys({1, 3});
    f.ModoLista(test::AlumnosSMS::Origen(), *a.grid);
    EXPECT_EQ(f.Ambito(), msgSeleccionados);
    EXPECT_EQ(f.CargarDestinatarios(f.Ambito()), 2);
    EXPECT_EQ(f.TotalRegistros(), 2);
    // Only the student's own phone at first; the parents' are offered.
    EXPECT_EQ(f.TelefonosDisponibles().size(), 3);
    EXPECT_EQ(f.telefonosElegidos, (QVector<bool>{true, false, false}));
}

TEST_F(FormularioSMS, PageChecksComeInOrderAndSendTheUserToTheirPage) {
    Lista();
    f.agenda.Marcar(0, false);
    auto fallo = f.Comprueba(true);
    ASSERT_TRUE(fallo);
    EXPECT_EQ(fallo->pagina, TPaginaSMS::DestinatariosGrid);
    EXPECT_EQ(fallo->texto, QStringLiteral("Es necesario seleccionar como mínimo un destinatario"));
    f.agenda.Marcar(0, true);
    f.mensaje = QStringLiteral("  ");
    EXPECT_EQ(f.Comprueba(true)->texto,
              QStringLiteral("Es necesario introducir un texto en el mensaje."));
    f.mensaje = QStringLiteral("{CodigoT01");
    EXPECT_EQ(f.Comprueba(true)->pagina, TPaginaSMS::Mensaje);
    // 158 characters and a two-character code: 160 passes; one more is refused.
    f.mensaje = QString(158, u'a') + QStringLiteral("{CodigoT01}");
    f.agenda.Marcar(1, true);  // asks; the default is Yes
    EXPECT_EQ(f.Longitud().longitud, 159);
    f.usuario.clear();
    EXPECT_EQ(f.Comprueba(true)->texto,
              QStringLiteral("Es necesario introducir un nombre de usuario."));
    EXPECT_FALSE(f.Comprueba(false));
    f.usuario = QStringLiteral("u");
    f.password.clear();
    EXPECT_EQ(f.Comprueba(true)->control, TControlSMS::Password);
    f.password = QStringLiteral("p");
    EXPECT_FALSE(f.Comprueba(true));
    f.mensaje = QString(150, u'a') + QStringLiteral(";;;;;{CodigoT01}");
    EXPECT_EQ(f.Comprueba(false)->texto, QStringLiteral("Mensaje demasiado largo. El mensaje puede "
                                                        "tener como máximo 160 caracteres."));
    f.mensaje = QString(69, u'a') + QStringLiteral("ç");
    EXPECT_FALSE(f.Comprueba(false));
    EXPECT_EQ(f.Longitud().Disponibles(), 0);
    f.mensaje += u'a';
    EXPECT_TRUE(f.Comprueba(false)->texto.contains(QStringLiteral("70 caracteres")));
}

TEST_F(FormularioSMS, HandModeCountsTheMessageItselfAndChecksTheManualPage) {
    EXPECT_FALSE(f.ModoListaActivo());
    f.mensaje = QStringLiteral("{sin cerrar");
    EXPECT_EQ(f.Comprueba(false)->pagina, TPaginaSMS::DestinatariosManual);
    f.agenda.AnadirNumero(QStringLiteral("611222333"));
    EXPECT_FALSE(f.Comprueba(false));
    EXPECT_EQ(f.MensajeDe(0), f.mensaje);
}

TEST_F(FormularioSMS, NothingIsAskedWhenTheServiceIsNotConfigured) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    e.EscribeIni(QString(), {});
    Lista();
    EXPECT_THROW(f.Enviar(), EZMKError);
    EXPECT_TRUE(a.t.prompt().Log().isEmpty());
    EXPECT_TRUE(e.contabilidad.Peticiones().isEmpty());
}

TEST_F(FormularioSMS, NoToTheConfirmationSendsNothing) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    Lista();
    a.t.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(f.Enviar(), EAbort);
    EXPECT_TRUE(a.t.prompt().Log().first().contains(
        QStringLiteral("El mensaje se enviará a 1 teléfonos.")));
    EXPECT_TRUE(e.contabilidad.Peticiones().isEmpty());
    EXPECT_TRUE(f.Log().isEmpty());
}

TEST_F(FormularioSMS, AFullSendLogsTimesAndStoresAllThreeSettings) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    e.pasarela.respuestas = {QStringLiteral("0|OK|1|0.0550|12.3000")};
    Lista();
    QStringList anotadas;
    QList<bool> estados;
    f.alAnotar = [&](const QString& l) { anotadas << l; };
    f.alEnviar = [&](bool enviando) { estados << enviando; };
    const TRespostaSendSMS r = f.Enviar();
    EXPECT_EQ(r.sent, 1);
    EXPECT_EQ(estados, (QList<bool>{true, false}));
    EXPECT_EQ(anotadas, f.Log());
    const QString t = QStringLiteral("02/03/2026 09:30:05 ");
    EXPECT_EQ(f.Log(), (QStringList{t + "Enviando 1 SMS", t + "SMS enviados: 1",
                                    t + "Coste del envio: 0,055", t + "Saldo restante: 12,3 *",
                                    "   * El saldo restante es aproximado. Puede consultar el "
                                    "saldo real en su cuenta de usuario de la web de SMS de "
                                    "Torvanware",
                                    t + "Fin del proceso de envio"}));
    EXPECT_EQ(e.pasarela.Peticiones().first().Campo("mensaje"), QStringLiteral("Hola, código 7"));
    EXPECT_TRUE(a.t.prompt().Log().last().contains(
        QStringLiteral("El proceso terminó correctamente y envió 1 SMS")));
    EXPECT_EQ(Parametres().AsString("PRM_SMS_UserName"), QStringLiteral("academia"));
    EXPECT_EQ(Parametres().AsString("PRM_SMS_Password"), QStringLiteral("clave-secreta"));
    EXPECT_EQ(Parametres().AsString("PRM_SMS_Remitente"), QStringLiteral("ACADEMIA"));
    for (const char* p : {"PRM_SMS_UserName", "PRM_SMS_Password", "PRM_SMS_Remitente"})
        EXPECT_TRUE(Parametres().Writables(QString::fromUtf8(p)));
    // A new wizard starts with them.
    TFormEnviaSMS otro;
    EXPECT_EQ(otro.usuario, QStringLiteral("academia"));
    EXPECT_EQ(otro.remitente, QStringLiteral("ACADEMIA"));
}

TEST_F(FormularioSMS, AFailedSendShowsTheErrorEndAndKeepsThePasswordUnstored) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    e.pasarela.respuestas = {QStringLiteral("3|clave-secreta no vale")};
    Lista();
    f.agenda.Marcar(1, true);
    const TRespostaSendSMS r = f.Enviar();
    EXPECT_EQ(r.failed, 2);
    const QString log = f.TextoLog();
    EXPECT_TRUE(log.contains(QStringLiteral("SMS no enviados: 2")));
    EXPECT_TRUE(
        log.contains(QStringLiteral("Mensaje de error:\n   USUARIO/PASSWORD INCORRECTO: ")));
    // Not even a reply that repeats it writes the password down.
    EXPECT_FALSE(log.contains(QStringLiteral("clave-secreta")));
    EXPECT_TRUE(a.t.prompt().Log().last().startsWith(QStringLiteral("ERROR")));
    EXPECT_TRUE(a.t.prompt().Log().last().contains(
        QStringLiteral("El proceso finalizó con errores:\\nSMS enviados: 0\\nSMS no enviados: 2")));
    EXPECT_FALSE(Parametres().ParamExists("PRM_SMS_Password"));
    EXPECT_EQ(Parametres().AsString("PRM_SMS_UserName"), QStringLiteral("academia"));
}

TEST_F(FormularioSMS, AnAccountingFailureIsLoggedAndRaised) {
    test::TEntornoSMS e({QStringLiteral("ok")});
    e.EscribeIni(QStringLiteral("http://127.0.0.1:%1").arg(test::PuertoCerrado()),
                 e.Bases({QStringLiteral("ok")}));
    Lista();
    QList<bool> estados;
    f.alEnviar = [&](bool enviando) { estados << enviando; };
    EXPECT_THROW(f.Enviar(), EZMKError);
    EXPECT_EQ(estados, (QList<bool>{true, false}));
    EXPECT_TRUE(
        f.TextoLog().contains(QStringLiteral("Error en el proceso:\n   ERROR AL CONECTAR")));
    EXPECT_FALSE(f.TextoLog().contains(QStringLiteral("Fin del proceso")));
    EXPECT_FALSE(Parametres().ParamExists("PRM_SMS_UserName"));
}

TEST_F(FormularioSMS, TheOperatorFileHasALinePerRecipientAndAsksBeforeReplacing) {
    Lista();
    a.t.prompt().Push(QStringLiteral("yes"));
    f.agenda.Marcar(1, true);
    f.mensaje = QStringLiteral("Código {CodigoT01}\r\nmañana");
    f.notificacionEntrega = true;
    QTemporaryDir dir;
    const QString archivo = dir.filePath(QStringLiteral("movistar.txt"));
    f.Descargar(archivo);
    EXPECT_EQ(LeeTextoSMS(archivo), QStringLiteral("600 111 222#1#Código 7 mañana\r\n"
                                                   "555123456#1#Código 8 mañana\r\n"));
    f.notificacionEntrega = false;
    a.t.prompt().Push(QStringLiteral("no"));
    EXPECT_THROW(f.Descargar(archivo), EAbort);
    EXPECT_TRUE(a.t.prompt().Log().join(u'\n').contains(
        QStringLiteral("Ya existe un archivo con el nombre: ") + archivo));
    EXPECT_TRUE(LeeTextoSMS(archivo).contains(QStringLiteral("#1#")));
    a.t.prompt().Push(QStringLiteral("yes"));
    f.Descargar(archivo);
    EXPECT_TRUE(LeeTextoSMS(archivo).startsWith(QStringLiteral("600 111 222#0#")));
    // A message saved by an older program (Latin-1) reads back as written.
    QFile antiguo(dir.filePath(QStringLiteral("antiguo.txt")));
    ASSERT_TRUE(antiguo.open(QIODevice::WriteOnly));
    antiguo.write(QStringLiteral("Mañana, matrícula").toLatin1());
    antiguo.close();
    EXPECT_EQ(LeeTextoSMS(antiguo.fileName()), QStringLiteral("Mañana, matrícula"));
    GuardaTextoSMS(antiguo.fileName(), QStringLiteral("Ça va 😀"));
    EXPECT_EQ(LeeTextoSMS(antiguo.fileName()), QStringLiteral("Ça va 😀"));
    EXPECT_THROW(LeeTextoSMS(dir.filePath(QStringLiteral("no-existe.txt"))), EZMKError);
    EXPECT_EQ(ConExtensionTxt(QStringLiteral("/tmp/x")), QStringLiteral("/tmp/x.txt"));
    EXPECT_EQ(ConExtensionTxt(QStringLiteral("/tmp/x.csv")), QStringLiteral("/tmp/x.csv"));
}

TEST_F(FormularioSMS, TheStoredPasswordGoesIntoAFileOnlyTheUserCanRead) {
    Parametres().SetParametreValue(QStringLiteral("PRM_SMS_Password"), QStringLiteral("x"));
    QTemporaryDir dir;
    const QString mdr = dir.filePath(QStringLiteral("app.MDR"));
    QFile previo(mdr);
    ASSERT_TRUE(previo.open(QIODevice::WriteOnly));
    previo.close();
    previo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                          QFileDevice::ReadOther | QFileDevice::ReadGroup);
    TRecursosZMK recursos;
    recursos.GuardaParametres();
    recursos.SaveToFile(mdr);
    const QFileDevice::Permissions permisos = QFile::permissions(mdr);
    EXPECT_TRUE(permisos.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    // Nothing for the group or the others.
    EXPECT_EQ(int(permisos) & 0x0077, 0);
}

}  // namespace
}  // namespace zmk
