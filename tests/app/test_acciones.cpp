// The main window's settings actions and the company-file operations of a configured program.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QTimer>

#include "app/aboutbox.h"
#include "app/asistentemdi.h"
#include "app/mainwindow.h"
#include "core/centroactual.h"
#include "core/empresasacciones.h"
#include "core/forms/confmoneda.h"
#include "core/forms/editdatabase.h"
#include "core/forms/selempresa.h"
#include "core/masters.h"
#include "core/parametrosapp.h"
#include "core/strings.h"
#include "core/versiones.h"
#include "host/dataset.h"
#include "host/forms/screen.h"
#include "tests/app/appfixture.h"

namespace zmk::test {
namespace {

class MenuEstrecho : public TFRMMenu {
  protected:
    int ScreenWidth() const override { return 800; }
};

class Acciones : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        saved_ = AjustesBD();
    }
    void TearDown() override {
        AjustesBD() = saved_;
        AppFixture::TearDown();
    }

    // Runs work; each time a modal dialog is up, answer(dialog) deals with it.
    static void ConDialogo(const std::function<void()>& work,
                           const std::function<void(QDialog&)>& answer) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&answer] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) answer(*d);
        });
        poll.start(10);
        work();
    }

    // Esc as the dialog receives it: through its own shortcut when it has one, else as a key.
    static void PulsaEsc(QDialog& d) {
        if (QShortcut* s = d.findChild<QShortcut*>(QStringLiteral("EscCierra"))) {
            emit s->activated();
            return;
        }
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &esc);
        if (d.isVisible()) {
            ADD_FAILURE() << d.objectName().toStdString() << ": Esc does nothing";
            d.reject();
        }
    }

    TAjustesBD saved_;
};

TEST_F(Acciones, TheConfigurationHandsTheCompanyFileSettingsOn) {
    NewConfig();
    const TAjustesBD& s = AjustesBD();
    EXPECT_EQ(s.nombreAplicacionBD, QStringLiteral("ZMK Escolia EXT"));
    EXPECT_EQ(s.versionBD, 4);
    EXPECT_EQ(s.directorioVacias, ExeDir() + QStringLiteral("/MastersMDB"));
    EXPECT_EQ(s.directorioEjecutable, ExeDir());
    EXPECT_EQ(NewDatabaseFileName(), DataDir() + QStringLiteral("/DATADIR/ZMKEscoliaExtV4E1.MDB"));
    EXPECT_EQ(MasterDatabaseFileName(3),
              ExeDir() + QStringLiteral("/MastersMDB/ZMKEscoExtV3.MMDB"));

    // An older file is upgraded into a new one, and the work copies do not stay behind.
    CreaMasters(s.directorioVacias);
    const QString antigua = DataDir() + QStringLiteral("/antigua.MDB");
    ASSERT_TRUE(QFile::copy(MasterDatabaseFileName(3), antigua));
    LimpiaImportacion(antigua);
    TDataBaseEntry entry;
    entry.nombre = QStringLiteral("Importada");
    entry.archivo = NewDatabaseFileName();
    EjecutaAccionBD(config_->DataBases(), abImportar, -1, entry, antigua);
    EXPECT_EQ(CompruebaVersion(entry.archivo, 4, false, false), 4);
    EXPECT_EQ(config_->DataBases().DataBases().Count(), 1);
    EXPECT_TRUE(QDir(s.directorioTemporal).isEmpty()) << s.directorioTemporal.toStdString();
}

TEST_F(Acciones, SettingsAndAboutOpenTheirDialogsAndTheDemoNamesTheCompany) {
    NewConfig();
    MenuEstrecho w;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));
    ASSERT_NE(ZMKApp().GetDefaultDB(), nullptr);
    // The demo's name is the background title, published for the reports at the connection.
    EXPECT_EQ(ParametrosApp().AsString(QStringLiteral("EmpresaNombre"), QString()),
              QStringLiteral("Academia Demo"));
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMAEmpresaNombre")),
              QStringLiteral("Academia Demo"));

    w.UpdateActions();
    // Each dialog closes with Esc, which the progress window's watcher would otherwise swallow.
    const std::pair<const char*, const char*> esperados[] = {
        {"ActSelEmpresa", "TFRMSelEmpresa"},
        {"ActConfDatosEmpresa", "TCCFRMConfDatosEmpresa"},
        {"ActConfMoneda", "TCCFRMConfMoneda"},
        {"ActConfFormularioPrincipal", "TCCFRMConfMenuLevel0Ext"},
        {"ActVersionProducto", "TCCFRMAboutApp"}};
    for (const auto& [accion, dialogo] : esperados) {
        QString abierto;
        ConDialogo([&] { w.Action(QString::fromLatin1(accion))->trigger(); },
                   [&](QDialog& d) {
                       abierto = d.objectName();
                       PulsaEsc(d);
                   });
        EXPECT_EQ(abierto, QString::fromLatin1(dialogo)) << accion;
    }
    // The mass deletion asks first, then opens its form.
    prompt_->Push(QStringLiteral("yes"));
    QString borrado;
    ConDialogo([&] { w.Action(QStringLiteral("ActLBorradoMasivo"))->trigger(); },
               [&](QDialog& d) {
                   borrado = d.objectName();
                   PulsaEsc(d);
               });
    EXPECT_EQ(borrado, QStringLiteral("TFRMBorradoMasivo"));
    EXPECT_TRUE(Log().join(u'\n').contains(QStringLiteral("formulario de borrado masivo?")));
    // Cancelling the main-window settings keeps the mode without a word.
    EXPECT_FALSE(Log().join(u'\n').contains(QStringLiteral("ATENCIÓN")));
    EXPECT_FALSE(Log().join(u'\n').contains(QStringLiteral("no está disponible")));
    config_->Disconnect();
}

TEST_F(Acciones, EscInTheCentreListUndoesAnEditFirstThenCloses) {
    NewConfig();
    MenuEstrecho w;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));
    const int centro = IDCentroActual();
    ASSERT_GT(centro, 0);

    bool cerrado = false;
    ConDialogo([&] { w.SelectCentre(); },
               [&](QDialog& d) {
                   PulsaEsc(d);
                   cerrado = !d.isVisible();
               });
    EXPECT_TRUE(cerrado);

    int pulsaciones = 0;
    TDataSetState estado = TDataSetState::Inactive;
    ConDialogo([&] { w.SelectCentre(); },
               [&](QDialog& d) {
                   TZMKScreen* screen = d.findChild<TZMKScreen*>();
                   ASSERT_NE(screen, nullptr);
                   if (pulsaciones == 0) screen->DataSet()->Edit();
                   PulsaEsc(d);
                   if (++pulsaciones == 1) {
                       estado = screen->DataSet()->State();
                       EXPECT_TRUE(d.isVisible()) << "the first Esc only undoes the edit";
                   }
               });
    EXPECT_EQ(estado, TDataSetState::Browse);
    EXPECT_EQ(pulsaciones, 2);
    EXPECT_EQ(IDCentroActual(), centro);
    config_->Disconnect();
}

TEST_F(Acciones, TheCentreChooserTakesTheArrowKeysAtOnce) {
    NewConfig();
    MenuEstrecho w;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));
    QWidget* foco = nullptr;
    ConDialogo([&] { w.SelectCentre(); },
               [&](QDialog& d) {
                   foco = d.focusWidget();
                   TZMKScreen* screen = d.findChild<TZMKScreen*>();
                   ASSERT_NE(screen, nullptr);
                   EXPECT_EQ(foco, screen->Grid());
                   d.reject();
               });
    EXPECT_NE(foco, nullptr);
    config_->Disconnect();
}

TEST_F(Acciones, EnterInTheCompanyListOpensTheSelectedDatabase) {
    NewConfig();
    MenuEstrecho w;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));
    config_->DataBases().OpenDatabase(-1);
    ASSERT_EQ(ZMKApp().GetDefaultDB(), nullptr);
    int resultado = -1;
    ConDialogo([&] { w.Action(QStringLiteral("ActSelEmpresa"))->trigger(); },
               [&](QDialog& d) {
                   // No button answers Enter for the list.
                   for (QPushButton* b : d.findChildren<QPushButton*>())
                       EXPECT_FALSE(b->autoDefault() || b->isDefault()) << b->text().toStdString();
                   QAction* enter = nullptr;
                   for (QAction* a : d.actions())
                       if (a->shortcuts().contains(QKeySequence(Qt::Key_Return))) enter = a;
                   if (!enter) {
                       ADD_FAILURE() << "Enter does nothing";
                       d.reject();
                       return;
                   }
                   enter->trigger();
                   resultado = d.result();
               });
    EXPECT_EQ(resultado, QDialog::Accepted);
    EXPECT_NE(ZMKApp().GetDefaultDB(), nullptr);
    config_->Disconnect();
}

TEST_F(Acciones, DeletingAnotherCompanyOffersItsBackupFirst) {
    NewConfig();
    MenuEstrecho w;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));
    TZMKDataBases& lista = config_->DataBases().DataBases();
    ASSERT_GE(lista.Count(), 1);
    const QString otra = DataDir() + QStringLiteral("/otra.MDB");
    ASSERT_TRUE(QFile::copy(lista.Entry(0).archivo, otra));
    lista.Add({QStringLiteral("Academia Sur"), 4, otra, QString(), QString()});
    const int indice = lista.Count() - 1;
    const QString oferta = SharedStringFmt(1736, {QStringLiteral("Academia Sur")});

    // Yes opens the backup dialog; closed without a backup, the file stays and the user is told.
    prompt_->Push(QStringLiteral("yes"));
    QString abierto;
    ConDialogo([&] { EjecutaAccionBD(config_->DataBases(), abBorrarArchivo, indice, {}); },
               [&](QDialog& d) {
                   abierto = d.objectName();
                   d.reject();
               });
    EXPECT_EQ(abierto, QStringLiteral("TCCFRMRealizarCopiaSeg"));
    const QString primero = Log().join(u'\n');
    EXPECT_TRUE(primero.contains(OneLine(oferta))) << primero.toStdString();
    EXPECT_TRUE(primero.contains(OneLine(SharedStringFmt(1737, {QStringLiteral("Academia Sur")}))))
        << primero.toStdString();
    EXPECT_FALSE(primero.contains(QStringLiteral("Empresa: Academia Sur")));
    EXPECT_TRUE(QFile::exists(otra));

    // No goes on to the usual question, which names the file.
    const qsizetype antes = Log().size();
    prompt_->Push(QStringLiteral("no"));
    prompt_->Push(QStringLiteral("no"));
    EjecutaAccionBD(config_->DataBases(), abBorrarArchivo, indice, {});
    const QString segundo = Log().mid(antes).join(u'\n');
    EXPECT_LT(segundo.indexOf(OneLine(oferta)),
              segundo.indexOf(QStringLiteral("Empresa: Academia Sur")))
        << segundo.toStdString();
    EXPECT_TRUE(segundo.contains(OneLine(oferta))) << segundo.toStdString();
    EXPECT_TRUE(QFile::exists(otra));
    EXPECT_EQ(lista.Count(), indice + 1);
    config_->Disconnect();
}

TEST_F(Acciones, TheShippedLanguagesTranslateTheCommonDialogs) {
    TZMKAppConfig& config = NewConfig();
    QDir().mkpath(config.LangDir());
    const QString fuente = QStringLiteral(ESCOLIA_SOURCE_DIR "/resources/lang/ZMKEscolia.");
    const std::tuple<QString, QString, QString, QString> idiomas[] = {
        {QStringLiteral("Català"), QStringLiteral("ca"), QStringLiteral("Bases de dades"),
         QStringLiteral("Nom curt:")},
        {QStringLiteral("English"), QStringLiteral("en"), QStringLiteral("Databases"),
         QStringLiteral("Short name:")}};
    for (const auto& [idioma, codigo, seleccion, moneda] : idiomas) {
        ASSERT_NO_FATAL_FAILURE(
            Write(config.LanguageFile(idioma), Read(fuente + codigo + QStringLiteral(".lng"))));
        config.SetLanguage(idioma);
        TFRMSelEmpresa lista(config.DataBases());
        EXPECT_EQ(lista.windowTitle(), seleccion);
        TCCFRMConfMoneda dialogo;
        auto* etiqueta = dialogo.findChild<QLabel*>(QStringLiteral("lbledNombre"));
        ASSERT_NE(etiqueta, nullptr);
        EXPECT_EQ(etiqueta->text(), moneda);
        // The wizard of the company files.
        TCCFRMEditDataBase asistente(0, TDataBaseEntry{});
        auto* siguiente = asistente.findChild<QPushButton*>(QStringLiteral("btnSiguiente"));
        ASSERT_NE(siguiente, nullptr);
        EXPECT_EQ(siguiente->text(), codigo == QLatin1String("ca") ? QStringLiteral("&Següent")
                                                                   : QStringLiteral("&Next"));
        // The about box and the window-mode question.
        TCCFRMAboutApp acerca(nullptr, TInfoAplicacion{});
        auto* memoria = acerca.findChild<QLabel*>(QStringLiteral("lblTituloMemoriaFisica"));
        ASSERT_NE(memoria, nullptr);
        EXPECT_EQ(memoria->text(), codigo == QLatin1String("ca")
                                       ? QStringLiteral("Memòria física:")
                                       : QStringLiteral("Physical memory:"));
        QSettings ini(DataDir() + QStringLiteral("/modo.ini"), QSettings::IniFormat);
        TccFRMAsistenteMDI modo(nullptr, ini);
        EXPECT_EQ(modo.windowTitle(), codigo == QLatin1String("ca")
                                          ? QStringLiteral("Com vols treballar?")
                                          : QStringLiteral("How do you want to work?"));
    }
    config.SetLanguage(QString());
    TFRMSelEmpresa lista(config.DataBases());
    EXPECT_EQ(lista.windowTitle(), QStringLiteral("Bases de datos"));
}

}  // namespace
}  // namespace zmk::test
