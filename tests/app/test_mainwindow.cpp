#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>

#include "app/mainwindow.h"
#include "app/menuactions.h"
#include "core/centroactual.h"
#include "core/strings.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/forms/screen.h"
#include "host/forms/teclasacceso.h"
#include "tests/app/appfixture.h"

namespace zmk::test {
namespace {

class TestMenu : public TFRMMenu {
  public:
    int width = 1280;
    int asked = 0;
    std::optional<bool> answer;  // the mode chosen in the question; nothing: closed
    bool remember = false;
    QStringList opened;

  protected:
    int ScreenWidth() const override { return width; }
    void AskWindowMode() override {
        ++asked;
        if (!answer) return;
        AppConfig()->IniFile().setValue(QStringLiteral("INIT/MDI"), *answer);
        AppConfig()->IniFile().setValue(QStringLiteral("INIT/RememberMDIOption"), remember);
    }
    bool OpenUrl(const QUrl& url) override {
        opened << url.toString();
        return true;
    }
    bool StartProgram(const QString& program) override {
        opened << program;
        return true;
    }
};

class MainWindow : public AppFixture {
  protected:
    QSettings& Ini() { return config_->IniFile(); }
};

TEST_F(MainWindow, WindowModeQuestionOnlyOnWideScreensUntilRemembered) {
    NewConfig();
    {
        TestMenu w;
        w.width = 1000;  // narrow: never asked, the stored mode still applies
        Ini().setValue(QStringLiteral("INIT/MDI"), true);
        w.ApplyWindowMode();
        EXPECT_EQ(w.asked, 0);
        EXPECT_TRUE(w.IsMDI());
        EXPECT_TRUE(w.WindowMenu()->menuAction()->isVisible());
    }
    {
        TestMenu w;
        w.answer = false;
        w.remember = true;
        w.ApplyWindowMode();
        EXPECT_EQ(w.asked, 1);
        EXPECT_FALSE(w.IsMDI());
        EXPECT_FALSE(w.WindowMenu()->menuAction()->isVisible());
    }
    {
        TestMenu w;  // remembered: not asked again
        w.answer = true;
        w.ApplyWindowMode();
        EXPECT_EQ(w.asked, 0);
        EXPECT_FALSE(w.IsMDI());
    }
    {
        Ini().remove(QStringLiteral("INIT/RememberMDIOption"));
        Ini().remove(QStringLiteral("INIT/MDI"));
        TestMenu w;  // asked and closed without a choice: single window, nothing stored
        w.ApplyWindowMode();
        EXPECT_EQ(w.asked, 1);
        EXPECT_FALSE(w.IsMDI());
        EXPECT_FALSE(Ini().contains(QStringLiteral("INIT/MDI")));
    }
}

TEST_F(MainWindow, ChangingTheModeInTheSettingsWaitsForARestart) {
    NewConfig();
    TestMenu w;
    w.RequestWindowMode(false);  // the current mode: nothing to say
    EXPECT_TRUE(Log().isEmpty());
    w.RequestWindowMode(true);
    ASSERT_EQ(Log().size(), 1);
    EXPECT_EQ(Log()[0], QStringLiteral("INFO ZMK-Escolia v16: ") + OneLine(SharedString(1003)));
    EXPECT_TRUE(Ini().value(QStringLiteral("INIT/MDI")).toBool());
    EXPECT_FALSE(w.IsMDI());
}

TEST_F(MainWindow, CloseQuestionAndSavedAppearance) {
    NewConfig();
    TestMenu w;
    Parametres().AddParam(QStringLiteral("PRMTituloAplicacion"), QStringLiteral("Mi academia"),
                          false);
    prompt_->Push(QStringLiteral("No"));
    QCloseEvent refused;
    QApplication::sendEvent(&w, &refused);
    EXPECT_FALSE(refused.isAccepted());
    ASSERT_FALSE(Log().isEmpty());
    EXPECT_EQ(Log()[0],
              QStringLiteral("QUESTION ZMK-Escolia v16: ¿Cerrar la Aplicación ZMK-Escolia v16 ?"));
    EXPECT_FALSE(Parametres().Writables(QStringLiteral("PRMTituloAplicacion")));

    prompt_->Push(QStringLiteral("Yes"));
    QCloseEvent accepted;
    QApplication::sendEvent(&w, &accepted);
    EXPECT_TRUE(accepted.isAccepted());
    EXPECT_TRUE(Parametres().Writables(QStringLiteral("PRMTituloAplicacion")));
    Parametres().DeleteParam(QStringLiteral("PRMTituloAplicacion"));
}

TEST_F(MainWindow, WithoutADatabaseTheDataActionsAreOffAndTheCentreIsRed) {
    NewConfig();
    TestMenu w;
    w.UpdateActions();
    for (const char* name : {"ActLAlumnos", "ActLFacturas", "ActLSelectCentro", "ActConfMoneda",
                             "ActLBorradoMasivo", "ActLImportarDatosExternos"})
        EXPECT_FALSE(w.Action(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_TRUE(w.Action(QStringLiteral("ActSelEmpresa"))->isEnabled());
    EXPECT_TRUE(w.Action(QStringLiteral("ActCerrarAplicacion"))->isEnabled());
    EXPECT_EQ(w.CentreLabel()->text(), QStringLiteral("SIN CENTRO PREDETERMINADO"));
    EXPECT_TRUE(w.CentreLabel()->styleSheet().contains(QStringLiteral("#ff0000")));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ZMK-Escolia v16"));
}

TEST_F(MainWindow, FirstRunOpensTheDemoCompanyAndLaterRunsTheLastDatabase) {
    NewConfig();
    {
        TestMenu w;
        w.width = 800;
        ASSERT_TRUE(ArrancaAplicacion(*config_, w));
        ASSERT_NE(ZMKApp().GetDefaultDB(), nullptr);
        EXPECT_EQ(Ini().value(QStringLiteral("BASES_DE_DATOS/BDEmpresa1")).toString(),
                  QStringLiteral("Academia Demo"));
        EXPECT_EQ(Ini().value(QStringLiteral("BDEmpresa1/Archivo")).toString(),
                  QStringLiteral("./DATADIR/ZMKEscoliaExtV4E1.MDB"));
        EXPECT_TRUE(QFile::exists(DataDir() + QStringLiteral("/DATADIR/ZMKEscoliaExtV4E1.MDB")));
        EXPECT_EQ(Ini().value(QStringLiteral("INIT/EmpresaPorDefecto")).toString(),
                  QStringLiteral("BDEmpresa1"));
        EXPECT_GT(IDCentroActual(), 0);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("ZMK-Escolia v16 \"Academia Demo\""));
        EXPECT_TRUE(w.CentreLabel()->text().startsWith(u'('));
        EXPECT_TRUE(w.Action(QStringLiteral("ActLAlumnos"))->isEnabled());
        const QStringList log = Log();
        EXPECT_FALSE(log.join(u'\n').contains(QStringLiteral("ERROR")))
            << log.join(u'\n').toStdString();
        auto reg = config_->Registry();
        EXPECT_EQ(reg->value(QStringLiteral("ExeBuild")).toString(), TZMKAppConfig::FileVersion());
        EXPECT_EQ(reg->value(QStringLiteral("ZMKFileName")).toString(), config_->ZMKFileName());

        // Centre actions: the mass deletion asks first; "No" ends it.
        prompt_->Push(QStringLiteral("No"));
        try {
            BorradoMasivo(&w);
            FAIL() << "not refused";
        } catch (const EZMKError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Operación abortada"));
        }
        EXPECT_TRUE(Log().contains(QStringLiteral("ANSWER no"))) << Log().join(u'\n').toStdString();
        config_->Disconnect();
        EXPECT_EQ(w.windowTitle(), QStringLiteral("ZMK-Escolia v16"));
        EXPECT_EQ(w.CentreLabel()->text(), QStringLiteral("SIN CENTRO PREDETERMINADO"));
    }
    ZMKApp().SetDefaultDB(nullptr);
    NewConfig();  // the next start: the last database, no new demo
    TestMenu w;
    w.width = 800;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w));
    ASSERT_NE(ZMKApp().GetDefaultDB(), nullptr);
    EXPECT_FALSE(QFile::exists(DataDir() + QStringLiteral("/DATADIR/ZMKEscoliaExtV4E2.MDB")));

    // Without "ArchivoIniImportado" nothing opens and the default entry is forgotten.
    config_->Disconnect();
    Ini().setValue(QStringLiteral("INIT/ArchivoIniImportado"), false);
    NewConfig();
    TestMenu w2;
    w2.width = 800;
    ASSERT_TRUE(ArrancaAplicacion(*config_, w2));
    EXPECT_EQ(ZMKApp().GetDefaultDB(), nullptr);
    EXPECT_FALSE(Ini().contains(QStringLiteral("INIT/EmpresaPorDefecto")));
}

TEST_F(MainWindow, CentreActionsRefuseWithoutACentre) {
    NewConfig();
    TestMenu w;
    try {
        ImportarDatosExternos(&w);
        FAIL() << "not refused";
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Necesita seleccionar un CENTRO como predeterminado\n\nLos "
                                 "datos seleccionados se importarán en el centro "
                                 "predeterminado"));
    }
    try {
        BorradoMasivo(&w);
        FAIL() << "not refused";
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Necesita seleccionar un CENTRO como predeterminado\npara "
                                 "poder utilizar esta opción.\n"));
    }
    EXPECT_TRUE(Log().isEmpty())
        << Log().join(u'\n').toStdString();  // no question before the refusal
}

TEST_F(MainWindow, LanguageMenuAsksThenTranslatesTheWindow) {
    TZMKAppConfig& config = NewConfig();
    TestMenu w;
    w.BuildMenus();
    EXPECT_FALSE(w.LanguageMenu()->menuAction()->isVisible());  // no language files

    ASSERT_NO_FATAL_FAILURE(Write(config.LanguageFile(QStringLiteral("English")),
                                  "[TFRMMenu]\nActCerrarAplicacion=Close application\n"));
    w.BuildMenus();
    QList<QAction*> entries = w.LanguageMenu()->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("Español"));
    EXPECT_EQ(entries[0]->data().toInt(), -1);
    EXPECT_TRUE(entries[0]->isChecked());
    EXPECT_EQ(entries[1]->data().toInt(), 0);

    prompt_->Push(QStringLiteral("No"));
    w.ChooseLanguage(entries[1]);
    EXPECT_EQ(config.Language(), QString());
    EXPECT_EQ(
        Log()[0],
        QStringLiteral("QUESTION ZMK-Escolia v16: Cambiar el programa al nuevo idioma: English"));

    prompt_->Push(QStringLiteral("Yes"));
    w.ChooseLanguage(entries[1]);
    EXPECT_EQ(config.Language(), QStringLiteral("English"));
    EXPECT_EQ(w.Action(QStringLiteral("ActCerrarAplicacion"))->text(),
              QStringLiteral("Close application"));
    EXPECT_TRUE(entries[1]->isChecked());
    EXPECT_FALSE(entries[0]->isChecked());

    prompt_->Push(QStringLiteral("Yes"));
    w.ChooseLanguage(entries[0]);  // back to the built-in texts
    EXPECT_EQ(w.Action(QStringLiteral("ActCerrarAplicacion"))->text(),
              QStringLiteral("Cerrar aplicación"));
}

// The letter after a single "&", in lower case; null without one.
QChar Tecla(const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

TEST_F(MainWindow, TheApplicationAndHelpMenusGiveEveryEntryItsOwnKey) {
    NewConfig();
    TestMenu w;
    w.BuildMenus();
    for (const char* nombre : {"mnuAplicacion", "mnuAyuda", "mnuConfiguracion"}) {
        QMenu* menu = w.findChild<QMenu*>(QString::fromLatin1(nombre));
        ASSERT_NE(menu, nullptr) << nombre;
        emit menu->aboutToShow();
        QSet<QChar> teclas;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || a->text().isEmpty()) continue;
            const QChar tecla = Tecla(a->text());
            EXPECT_FALSE(tecla.isNull()) << nombre << ": " << a->text().toStdString();
            EXPECT_FALSE(teclas.contains(tecla)) << nombre << ": " << a->text().toStdString();
            teclas.insert(tecla);
        }
    }
}

TEST_F(MainWindow, SwitchingTheLanguageKeepsTheOpenScreens) {
    TZMKAppConfig& config = NewConfig();
    TestMenu w;
    w.width = 800;
    ASSERT_TRUE(ArrancaAplicacion(config, w));
    ASSERT_NE(ZMKApp().GetDefaultDB(), nullptr);
    Write(config.LanguageFile(QStringLiteral("English")),
          "[TFRMMenu]\nActCerrarAplicacion=Close application\n");
    w.BuildMenus();
    TZMKScreen* abierta = w.OpenNode(w.AppDefinition().nodeScreens.firstKey());
    ASSERT_NE(abierta, nullptr);
    QPointer<QWidget> vigilada(abierta);
    QList<QAction*> entries = w.LanguageMenu()->actions();
    ASSERT_EQ(entries.size(), 2);
    prompt_->Push(QStringLiteral("Yes"));
    w.ChooseLanguage(entries[1]);
    EXPECT_EQ(config.Language(), QStringLiteral("English"));
    EXPECT_FALSE(vigilada.isNull());
    EXPECT_EQ(w.LastForm(), abierta);
    config.Disconnect();
}

// A caption as read, without its access key.
QString SinTecla(QString caption) {
    return caption.remove(u'&');
}

TEST_F(MainWindow, TheShippedLanguagesTranslateTheScreensAndTheirMenus) {
    TZMKAppConfig& config = NewConfig();
    const QString fuente = QStringLiteral(ESCOLIA_SOURCE_DIR "/resources/lang/");
    // The program's language file as the build puts it together.
    auto idioma = [&](const QString& codigo) {
        QByteArray texto;
        for (const char* parte : {"ZMKEscolia.", "mainwindow.", "application."})
            texto += Read(fuente + QLatin1String(parte) + codigo + QStringLiteral(".lng")) + '\n';
        return texto;
    };
    QDir().mkpath(config.LangDir());
    ASSERT_NO_FATAL_FAILURE(Write(config.LanguageFile(QStringLiteral("English")), idioma("en")));
    ASSERT_NO_FATAL_FAILURE(Write(config.LanguageFile(QStringLiteral("Català")), idioma("ca")));
    TestMenu w;
    w.width = 800;
    ASSERT_TRUE(ArrancaAplicacion(config, w));
    const int alumnos = 11780;
    auto entrada = [&] {
        return w.findChild<QAction*>(QStringLiteral("MenuItem_idnode_%1").arg(alumnos));
    };
    ASSERT_NE(entrada(), nullptr);
    EXPECT_EQ(SinTecla(entrada()->text()), QStringLiteral("Alumnos"));

    // A screen open before the change speaks the new language too: title, columns, labels,
    // buttons, toolbar and its details' tabs.
    TZMKScreen* pantalla = w.OpenNode(alumnos);
    ASSERT_NE(pantalla, nullptr);
    auto textos = [&] {
        QStringList t{pantalla->windowTitle()};
        auto* modelo = pantalla->Grid()->model();
        for (int c = 0; c < modelo->columnCount(); ++c)
            t << modelo->headerData(c, Qt::Horizontal).toString();
        for (QLabel* l : pantalla->findChildren<QLabel*>()) t << l->text();
        for (QPushButton* b : pantalla->findChildren<QPushButton*>()) t << SinTecla(b->text());
        for (QAction* a : pantalla->findChildren<QAction*>()) t << a->text();
        for (QTabWidget* tabs : pantalla->findChildren<QTabWidget*>())
            for (int i = 0; i < tabs->count(); ++i) t << tabs->tabText(i);
        return t;
    };
    const struct {
        int entry;
        QStringList esperados;
    } casos[] = {
        {1, {"Students", "Full name", "Surnames", "Bill students...", "Delete", "Enrolments"}},
        {0, {"Alumnes", "Nom complet", "Cognoms", "Facturar alumnes...", "Esborrar", "Matrícules"}},
    };
    for (const auto& caso : casos) {
        QList<QAction*> entries = w.LanguageMenu()->actions();
        ASSERT_EQ(entries.size(), 3);
        QAction* eleccion = nullptr;
        for (QAction* a : entries)
            if (SinTecla(a->text()) ==
                (caso.entry ? QStringLiteral("English") : QStringLiteral("Català")))
                eleccion = a;
        ASSERT_NE(eleccion, nullptr);
        prompt_->Push(QStringLiteral("Yes"));
        w.ChooseLanguage(eleccion);
        EXPECT_EQ(SinTecla(entrada()->text()), caso.esperados[0]);
        EXPECT_EQ(pantalla->windowTitle(), caso.esperados[0]);
        const QStringList vistos = textos();
        for (const QString& esperado : caso.esperados)
            EXPECT_TRUE(vistos.contains(esperado))
                << esperado.toStdString() << " in " << vistos.join(u',').toStdString();
    }
    // Back to Spanish: the tree's entries and the open screen are the application file's own.
    prompt_->Push(QStringLiteral("Yes"));
    w.ChooseLanguage(w.LanguageMenu()->actions().first());
    EXPECT_EQ(SinTecla(entrada()->text()), QStringLiteral("Alumnos"));
    const QStringList vistos = textos();
    for (const char* esperado : {"Alumnos", "Nombre completo", "Apellidos", "Borrar", "Matrículas"})
        EXPECT_TRUE(vistos.contains(QString::fromUtf8(esperado))) << esperado;
    EXPECT_FALSE(vistos.contains(QStringLiteral("Surnames")));
    config.Disconnect();
}

TEST_F(MainWindow, HelpLinks) {
    TZMKAppConfig& config = NewConfig();
    TestMenu w;
    w.OpenManual();
    EXPECT_EQ(Log().last(),
              QStringLiteral("INFO ZMK-Escolia v16: No se encuentra el archivo:\\n\\n") + ExeDir() +
                  QStringLiteral("/ZMKEscoliaV16.pdf"));
    ASSERT_NO_FATAL_FAILURE(Write(ExeDir() + QStringLiteral("/ZMKEscoliaV16.pdf"), "%PDF"));
    w.OpenManual();
    ASSERT_EQ(w.opened.size(), 1);
    EXPECT_TRUE(w.opened[0].endsWith(QStringLiteral("/bin/ZMKEscoliaV16.pdf")));

    config.IniFile().setValue(QStringLiteral("AYUDA/ServidorWeb"),
                              QStringLiteral("https://ayuda.example/"));
    w.OpenHelpPage();
    EXPECT_TRUE(w.opened.last().startsWith(
        QStringLiteral("https://ayuda.example/ayuda.asp?&MDI=0&BUILD=")));

    // No remote-support program installed: offer the download.
    prompt_->Push(QStringLiteral("Yes"));
    w.RemoteSupport();
    EXPECT_TRUE(
        Log().join(u'\n').contains(QStringLiteral("descargar de internet el programa de soporte")));
    EXPECT_EQ(w.opened.size(), 3);
}

}  // namespace
}  // namespace zmk::test
