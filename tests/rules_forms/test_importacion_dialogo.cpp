// The import dialog driven as a clerk would: the file asked for, the pages walked, a column and
// a fixed value mapped, the preview, the check's list saved, and the import of chosen rows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>

#include "core/centroactual.h"
#include "rules/forms/importacion.h"
#include "tests/support/testdb.h"

namespace zmk::test {
namespace {

class DialogoImportacion : public ::testing::Test {
  protected:
    TestDatabase t;
    QTemporaryDir dir;
    QString archivo;
    void SetUp() override {
        for (const char* sql :
             {"INSERT INTO T20Centros (IDCentroT20, NombreCentroT20, ActivoT20) VALUES (1,'C',1)",
              "INSERT INTO T17FormasCobro (UsaNorma19T17) VALUES (0)",
              "INSERT INTO T01Alumnos (IDCentroT01, CodigoT01) VALUES (1, 41)"})
            t.db().ExecuteSQL(QString::fromUtf8(sql));
        FijaCentroActual(1);
        archivo = dir.filePath(QStringLiteral("alumnos.csv"));
        QFile f(archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "Nombre;Apellidos;Ciudad;NIF\nAna;Pérez;Xàtiva;12345678Z\nLuis;Gil;Alzira;1\n"
            "Eva;Sanz;Gandia;\n");
    }
    // Opens the file through the dialog's own question for it.
    void Abre(TFRMImportacion& d) {
        t.prompt().Push(archivo);
        ASSERT_TRUE(d.AbrirOrigen());
    }
    int Linea(TFRMImportacion& d, const QString& caption) {
        for (int i = 0; i < d.lbxCamposDisponibles->count(); ++i)
            if (d.lbxCamposDisponibles->item(i)->text().startsWith(caption + " <== ")) return i;
        return -1;
    }
    // Chooses the line, then the pop-up's entry ("<asignar valor>" or a column).
    void Asigna(TFRMImportacion& d, const QString& caption, const QString& entrada) {
        d.lbxCamposDisponibles->setCurrentRow(Linea(d, caption));
        d.sbAsignarCampoOrigen->click();
        EXPECT_TRUE(d.pmCamposDestino->isVisible());
        for (QAction* a : d.pmCamposDestino->actions())
            if (a->text() == entrada) a->trigger();
        d.pmCamposDestino->hide();
    }
    QString Alumnos() {
        return t
            .Scalar(
                "SELECT group_concat(CodigoT01 || ':' || IFNULL(NombreCompletoT01,'') || ':' || "
                "IFNULL(PoblacionT01,'') || ':' || IFNULL(ProvinciaT01,''), '|') FROM (SELECT * "
                "FROM T01Alumnos ORDER BY CodigoT01)")
            .toString();
    }
};

TEST_F(DialogoImportacion, PagesOpenOnCamposAndThePageButtonsStopAtTheEnds) {
    TFRMImportacion d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("IMPORTACIÓN DE DATOS DESDE ARCHIVOS EXTERNOS"));
    // Cancelling the question for the file loads nothing.
    t.prompt().Push("cancel");
    EXPECT_FALSE(d.AbrirOrigen());
    Abre(d);
    EXPECT_EQ(d.lblNombreArchivo->text(), archivo);
    EXPECT_EQ(d.cbxSelTabla->currentText(), QStringLiteral("alumnos#csv"));
    ASSERT_EQ(d.pcPestanyes->count(), 4);
    EXPECT_EQ(d.pcPestanyes->currentWidget(), d.tsDatos);
    const QStringList paginas{"Campos", "Datos", "Comprobar", "Importar"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(d.pcPestanyes->tabText(i), paginas[i]);
    EXPECT_FALSE(d.bbAnterior->isEnabled());
    for (int i = 1; i < 4; ++i) {
        EXPECT_TRUE(d.bbSiguiente->isEnabled());
        d.bbSiguiente->click();
        EXPECT_EQ(d.pcPestanyes->currentIndex(), i);
        EXPECT_TRUE(d.bbAnterior->isEnabled());
    }
    EXPECT_FALSE(d.bbSiguiente->isEnabled());
    EXPECT_TRUE(d.rbImportar[0]->isChecked());
    d.bbAnterior->click();
    EXPECT_EQ(d.pcPestanyes->currentWidget(), d.tsComprobar);
    // Choosing the table again shows the fields.
    d.cbxSelTabla->activated(0);
    EXPECT_EQ(d.pcPestanyes->currentWidget(), d.tsDatos);
}

TEST_F(DialogoImportacion, MappingAColumnAndAFixedValueShowsInTheListAndThePreview) {
    TFRMImportacion d;
    Abre(d);
    const int nombre = Linea(d, "Nombre");
    EXPECT_EQ(d.lbxCamposDisponibles->item(nombre)->checkState(), Qt::Checked);
    const int provincia = Linea(d, "Provincia");
    EXPECT_EQ(d.lbxCamposDisponibles->item(provincia)->text(),
              QStringLiteral("Provincia <== (no asignado)"));

    // Without a chosen line the button says what to do first.
    d.lbxCamposDisponibles->setCurrentRow(-1);
    d.sbAsignarCampoOrigen->click();
    EXPECT_TRUE(t.prompt().Log().join('\n').contains(
        "Primero es necesario seleccionar un campo de destino"));

    // Checking a line with nothing to import from is undone and offers the sources.
    d.lbxCamposDisponibles->item(provincia)->setCheckState(Qt::Checked);
    EXPECT_EQ(d.lbxCamposDisponibles->item(provincia)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(d.pmCamposDestino->isVisible());
    EXPECT_EQ(d.pmCamposDestino->actions().first()->text(), QStringLiteral("<asignar valor>"));
    d.pmCamposDestino->hide();

    t.prompt().Push("Valencia");
    Asigna(d, "Provincia", "<asignar valor>");
    EXPECT_EQ(d.lbxCamposDisponibles->item(provincia)->text(),
              QStringLiteral("Provincia <== \"Valencia\""));
    EXPECT_EQ(d.lbxCamposDisponibles->item(provincia)->checkState(), Qt::Checked);
    Asigna(d, "Población", "Ciudad");
    EXPECT_EQ(d.lbxCamposDisponibles->item(Linea(d, "Población"))->text(),
              QStringLiteral("Población <== Ciudad"));
    // Cancelling the value keeps the field as it was.
    t.prompt().Push("cancel");
    Asigna(d, "Provincia", "<asignar valor>");
    EXPECT_EQ(d.lbxCamposDisponibles->item(provincia)->text(),
              QStringLiteral("Provincia <== \"Valencia\""));

    d.bbSiguiente->click();
    d.dbGridDatos->setCurrentIndex(d.dbGridDatos->model()->index(1, 0));
    QStringList vista;
    for (int i = 0; i < d.sgValoresCampos->rowCount(); ++i)
        vista << d.sgValoresCampos->item(i, 0)->text() + "=" +
                     d.sgValoresCampos->item(i, 1)->text();
    EXPECT_EQ(vista, (QStringList{"Nombre=Luis", "Apellidos=Gil", "NIF=1", "Población=Alzira",
                                  "Provincia=Valencia"}));
    // Nothing enabled: no preview.
    for (int i = 0; i < d.lbxCamposDisponibles->count(); ++i)
        d.lbxCamposDisponibles->item(i)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(d.sgValoresCampos->isHidden());
}

TEST_F(DialogoImportacion, ImportsTheChosenRowsAndAnEmptySelectionAsksForZero) {
    TFRMImportacion d;
    Abre(d);
    t.prompt().Push("Valencia");
    Asigna(d, "Provincia", "<asignar valor>");
    d.pcPestanyes->setCurrentWidget(d.tsImportar);
    // "Selección" with no selected row imports nothing, after asking to accept 0 records.
    d.rbImportar[1]->click();
    d.dbGridDatos->clearSelection();
    t.prompt().Push("yes");
    d.sbImportar->click();
    EXPECT_TRUE(t.prompt().Log().join('\n').contains("Se van a importar 0 registros"));
    EXPECT_EQ(Alumnos(), QStringLiteral("41:::"));

    d.dbGridDatos->selectRow(2);
    t.prompt().Push("yes");
    d.sbImportar->click();
    EXPECT_EQ(Alumnos(), QStringLiteral("41:::|42:Sanz, Eva::Valencia"));
    // A "No" at the end keeps nothing.
    d.rbImportar[2]->click();
    t.prompt().Push("no");
    d.sbImportar->click();
    EXPECT_EQ(Alumnos(), QStringLiteral("41:::|42:Sanz, Eva::Valencia"));
    t.prompt().Push("yes");
    d.sbImportar->click();
    EXPECT_EQ(Alumnos(), QStringLiteral("41:::|42:Sanz, Eva::Valencia|43:Pérez, Ana::Valencia|"
                                        "44:Gil, Luis::Valencia|45:Sanz, Eva::Valencia"));
}

TEST_F(DialogoImportacion, TheCheckPageListsTheFindingsAndSavesThemAsCSV) {
    TFRMImportacion d;
    Abre(d);
    t.prompt().Push("41");
    Asigna(d, "Código del alumno", "<asignar valor>");
    const QString antes = t.Dump();
    // Its scope is the import's.
    d.rbImportar[2]->click();
    EXPECT_TRUE(d.rbComprobar[2]->isChecked());
    d.pcPestanyes->setCurrentWidget(d.tsComprobar);
    EXPECT_EQ(
        d.lblResumenComprobacion->text(),
        QStringLiteral("Comprobados 3 registros: 3 con avisos, 3 detendrían la importación."));
    QStringList lineas;
    for (int f = 0; f < d.sgComprobacion->rowCount(); ++f) {
        QStringList celdas;
        for (int c = 0; c < d.sgComprobacion->columnCount(); ++c)
            celdas << d.sgComprobacion->item(f, c)->text();
        lineas << celdas.join('|');
    }
    ASSERT_EQ(lineas.size(), 4) << lineas.join('\n').toStdString();
    EXPECT_EQ(lineas[0], QStringLiteral("1|41|Pérez, Ana|Error|Código del alumno|Ya existe otro "
                                        "alumno con el código 41"));
    EXPECT_TRUE(lineas[1].startsWith(QStringLiteral("2|41|Gil, Luis|Aviso|NIF|")))
        << lineas[1].toStdString();
    // The scope chosen on this page is the import's too; "Actual" checks the grid's row.
    d.rbComprobar[0]->click();
    EXPECT_TRUE(d.rbImportar[0]->isChecked());
    EXPECT_EQ(d.sgComprobacion->rowCount(), 1);

    const QString csv = dir.filePath(QStringLiteral("revision"));
    t.prompt().Push(csv);
    d.sbGuardarComprobacion->click();
    QFile f(csv + ".csv");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("\xEF\xBB\xBF\"Registro\";\"Código\""));
    EXPECT_EQ(t.Dump(), antes);
}

// Pictures of the pages for a look (ESCOLIA_SCREENSHOTS: the folder to write them to).
TEST_F(DialogoImportacion, Screenshots) {
    const QString carpeta = qEnvironmentVariable("ESCOLIA_SCREENSHOTS");
    if (carpeta.isEmpty()) GTEST_SKIP() << "ESCOLIA_SCREENSHOTS not set";
    TFRMImportacion d;
    Abre(d);
    t.prompt().Push("Valencia");
    Asigna(d, "Provincia", "<asignar valor>");
    d.rbImportar[2]->click();
    d.show();
    for (QWidget* pagina : {d.tsDatos, d.tsCampos, d.tsComprobar, d.tsImportar}) {
        d.pcPestanyes->setCurrentWidget(pagina);
        QApplication::processEvents();
        EXPECT_TRUE(d.grab().save(carpeta + "/importacion_" + pagina->objectName() + ".png"));
    }
}

}  // namespace
}  // namespace zmk::test
