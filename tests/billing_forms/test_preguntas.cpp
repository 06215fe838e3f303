// The small billing dialogs: ask, month filter, concept text editor and the SEPA result window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>

#include "billing/forms/ask.h"
#include "billing/forms/datasource_textoconcepto.h"
#include "billing/forms/filtromesfacturar.h"
#include "billing/forms/resultadoprocceso.h"
#include "host/errors.h"
#include "host/parametres.h"
#include "tests/billing_forms/instalacion.h"
#include "tests/rules_forms/modal.h"
#include "tests/support/testdb.h"

using namespace zmk;

TEST(FRMAsk, ButtonsFollowTheAllowedAnswersAndTheKeyShowsTheBox) {
    TFRMAsk d(QStringLiteral("Cobrar facturas..."), QStringLiteral("¿Numerar?"),
              kPermiteSi | kPermiteNo, false);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Cobrar facturas..."));
    EXPECT_TRUE(d.bbSi->isEnabled());
    EXPECT_TRUE(d.bbNo->isEnabled());
    EXPECT_FALSE(d.bbCancelar->isEnabled());
    EXPECT_FALSE(d.cbSiempre->isEnabled());
    EXPECT_TRUE(d.bbSi->isDefault());
    // Esc cannot answer a Cancelar that is not allowed.
    d.show();
    d.reject();
    EXPECT_TRUE(d.isVisible());
    d.bbNo->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Resultado().respuesta, raNo);
    EXPECT_FALSE(d.Resultado().siempre);

    TFRMAsk sinTitulo(QString(), QStringLiteral("x"), kPermiteCancelar, true);
    EXPECT_EQ(sinTitulo.windowTitle(), QStringLiteral("Pregunta..."));
    EXPECT_EQ(sinTitulo.cbSiempre->text(), QStringLiteral("&Responder siempre lo mismo"));
    EXPECT_TRUE(sinTitulo.cbSiempre->isEnabled());
    sinTitulo.reject();  // Esc
    EXPECT_EQ(sinTitulo.Resultado().respuesta, raCancelar);
}

TEST(FRMAsk, RememberedAnswerIsNotAskedAgain) {
    test::FormulariosInstalados instalados;
    OlvidarRespuesta(QStringLiteral("prueba.clave"));
    test::AlAbrirse<TFRMAsk>([](TFRMAsk* d) {
        d->cbSiempre->setChecked(true);
        d->bbNo->click();
    });
    EXPECT_EQ(Preguntar(QStringLiteral("t"), QStringLiteral("m"), kPermiteTodas,
                        QStringLiteral("prueba.clave")),
              raNo);
    // Were the dialog shown again, it would answer Sí.
    test::AlAbrirse<TFRMAsk>([](TFRMAsk* d) { d->bbSi->click(); });
    EXPECT_EQ(Preguntar(QStringLiteral("t"), QStringLiteral("otro"), kPermiteTodas,
                        QStringLiteral("PRUEBA.clave")),
              raNo);
    QApplication::processEvents();  // the unused answer above
    OlvidarRespuesta(QStringLiteral("prueba.clave"));
}

TEST(FRMFiltroMesFacturar, ChosenMonthAndYearBecomeTheFilter) {
    test::TestDatabase tdb;
    test::FormulariosInstalados instalados;
    test::AlAbrirse<TFRMFiltroMesFacturar>([](TFRMFiltroMesFacturar* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Facturación"));
        EXPECT_EQ(d->seAnyo->minimum(), 2000);
        EXPECT_EQ(d->seAnyo->maximum(), 2100);
        EXPECT_EQ(d->rgMes->buttons().size(), 12);
        EXPECT_NE(d->rgMes->checkedId(), -1);  // the current month
        d->rgMes->button(12)->click();
        d->seAnyo->setValue(2015);
        d->bbAceptar->click();
    });
    FiltroMesFacturar();
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMS01")),
              QStringLiteral("CobrarDiciembreT14"));
    EXPECT_EQ(Parametres().AsString(QStringLiteral("PRMS02")),
              QStringLiteral("Conceptos a facturar en DICIEMBRE 2015"));
    EXPECT_EQ(Parametres().AsInteger(QStringLiteral("PRM_FILTRO_ANO_FACTURAR"), 0), 2015);

    test::AlAbrirse<TFRMFiltroMesFacturar>([](TFRMFiltroMesFacturar* d) { d->reject(); });
    EXPECT_THROW(FiltroMesFacturar(), EAbort);
    EXPECT_FALSE(Parametres().ParamExists(QStringLiteral("PRM_FILTRO_MES_FACTURAR")));
}

TEST(FRMDataSource_TextoConcepto, TagsGoInAtTheCaretWithinEightyCharacters) {
    TFRMDataSource_TextoConcepto d(QStringLiteral("Cuota "));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Codificación del Concepto"));
    ASSERT_EQ(TFRMDataSource_TextoConcepto::CamposMenu().size(), 24);
    d.edTexto->setCursorPosition(6);
    d.InsertarCampo(TFRMDataSource_TextoConcepto::CamposMenu()[2]);  // [MES2]
    EXPECT_EQ(d.Texto(), QStringLiteral("Cuota [MES2]"));
    EXPECT_EQ(d.edTexto->cursorPosition(), 12);

    // Two selected characters are replaced; one stays where it is.
    d.edTexto->setSelection(0, 5);
    d.InsertarCampo(TFRMDataSource_TextoConcepto::CamposMenu()[1]);
    EXPECT_EQ(d.Texto(), QStringLiteral("[AÑO1] [MES2]"));
    d.edTexto->setSelection(0, 1);
    d.InsertarCampo(TFRMDataSource_TextoConcepto::CamposMenu()[0]);
    EXPECT_EQ(d.Texto(), QStringLiteral("[MES1][AÑO1] [MES2]"));

    d.edTexto->setText(QString(78, QLatin1Char('x')));
    d.edTexto->setCursorPosition(78);
    d.InsertarCampo(TFRMDataSource_TextoConcepto::CamposMenu()[0]);
    EXPECT_EQ(d.Texto(), QString(78, QLatin1Char('x')) + QStringLiteral("[M"));
}

TEST(FRMDataSource_TextoConcepto, PreviewFollowsTextAndExampleMonth) {
    TFRMDataSource_TextoConcepto d(QStringLiteral("Cuota [MES] [MES2]"));
    d.rgMesEjemplo->button(12)->click();
    EXPECT_TRUE(d.edEjemplo->text().startsWith(QStringLiteral("Cuota Diciembre Enero")));
    d.edTexto->setText(QStringLiteral("[mes]"));
    EXPECT_EQ(d.edEjemplo->text(), QStringLiteral("Diciembre"));
}

TEST(FRMDataSource_TextoConcepto, TheScreensGetTheEditorThroughTheRegistry) {
    test::FormulariosInstalados instalados;
    std::unique_ptr<TCustomZMKDataSourceAbstract> ds =
        CreateZMKDataSource(QStringLiteral("texto_concepto"));
    ASSERT_TRUE(dynamic_cast<TZMKDS_TextoConceptoQt*>(ds.get()));
    QString valor = QStringLiteral("Cuota");
    test::AlAbrirse<TFRMDataSource_TextoConcepto>([](TFRMDataSource_TextoConcepto* d) {
        EXPECT_EQ(d->Texto(), QStringLiteral("Cuota"));
        d->edTexto->setText(QStringLiteral("Cuota [MES]"));
        d->bbAceptar->click();
    });
    EXPECT_TRUE(ds->Edit(valor));
    EXPECT_EQ(valor, QStringLiteral("Cuota [MES]"));

    test::AlAbrirse<TFRMDataSource_TextoConcepto>([](TFRMDataSource_TextoConcepto* d) {
        d->edTexto->setText(QStringLiteral("otro"));
        d->bbCancelar->click();
    });
    EXPECT_FALSE(ds->Edit(valor));
    EXPECT_EQ(valor, QStringLiteral("Cuota [MES]"));
}

TEST(FRMResultadoProcceso, AcceptingAppliesAndTheReportCanBeSaved) {
    const QStringList informe{QStringLiteral("*** uno ***"), QStringLiteral("dos ; ES00")};
    TFRMResultadoProcceso w(informe);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Resultado actualización de la base de datos"));
    EXPECT_EQ(w.bbAceptar->text(), QStringLiteral("ACEPTAR y procesar los cambios"));
    EXPECT_EQ(w.bbCancelar->text(), QStringLiteral("CANCELAR y descartar los cambios"));
    QTemporaryDir dir;
    const QString fichero = dir.filePath(QStringLiteral("informe.txt"));
    ASSERT_NO_THROW(w.GuardarComo(fichero));
    QFile f(fichero);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), QStringLiteral("*** uno ***\ndos ; ES00\n"));

    test::AlAbrirse<TFRMResultadoProcceso>([](TFRMResultadoProcceso* v) { v->bbAceptar->click(); });
    EXPECT_TRUE(MostrarInformeSEPA(informe));
    test::AlAbrirse<TFRMResultadoProcceso>([](TFRMResultadoProcceso* v) { v->reject(); });
    EXPECT_FALSE(MostrarInformeSEPA(informe));
}

TEST(FRMResultadoProcceso, ALongReportLineIsShownWholeOnScreen) {
    const QString larga = QStringLiteral(
        "Alumno 123 Fernández de la Peña Gutiérrez, María de los Ángeles ; El "
        "código IBAN ES00 2100 0418 4502 0005 1332 tiene los dígitos de control "
        "incorrectos  BIC CAIXESBBXXX");
    TFRMResultadoProcceso w({QStringLiteral("*** uno ***"), larga});
    w.show();
    QApplication::processEvents();
    const QTextBlock bloque = w.mmInforme->document()->findBlockByNumber(1);
    ASSERT_TRUE(bloque.isValid());
    EXPECT_EQ(bloque.text(), larga);
    // Wrapped inside the box instead of running past its right edge.
    EXPECT_GT(bloque.layout()->lineCount(), 1);
    EXPECT_EQ(w.mmInforme->horizontalScrollBar()->maximum(), 0);
}
