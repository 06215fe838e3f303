// A month of office work from the keyboard, on the real main window: a centre, a course, a
// group with its timetable, two students (one paying by direct debit, its BIC found by the
// button), their enrolments, a monthly fee on the course, the month's invoices generated from
// the students' list, both collected from the invoices' list and one printed to PDF.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>

#include "billing/forms/datasource_textoconcepto.h"
#include "billing/forms/funcionesfacturas.h"
#include "billing/forms/generarfacturas.h"
#include "billing/textoconcepto.h"
#include "core/centroactual.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/reportprint.h"
#include "host/reports.h"
#include "tests/app/recorrido.h"

namespace zmk::test {
namespace {

QVariant Valor(const QString& sql) {
    QSqlQuery q = DefaultDB().Query(sql);
    return q.next() ? q.value(0) : QVariant();
}

class RecorridoOficina : public Recorrido {
  protected:
    // The screen's first record field after Insert, with the record in insert state.
    void Nuevo(TZMKScreen* s) {
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Insert));
        ASSERT_EQ(s->DataSet()->State(), TDataSetState::Insert)
            << Errores().join(u'\n').toStdString();
    }
    void Graba(TZMKScreen* s) {
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_F12));
        ASSERT_EQ(s->DataSet()->State(), TDataSetState::Browse)
            << Errores().join(u'\n').toStdString();
    }
    // A lookup chosen by typing the start of its text.
    void Busca(QWidget* raiz, const char* nombre, const QString& inicio) {
        auto* combo = Control<QComboBox>(raiz, QString::fromLatin1(nombre));
        ASSERT_NE(combo, nullptr) << nombre;
        ASSERT_TRUE(TabHasta(combo)) << "Tab never reaches " << nombre;
        // A pause, as a person makes: keys typed together are one search.
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        ASSERT_NO_FATAL_FAILURE(Escribe(inicio));
        ASSERT_TRUE(combo->currentText().startsWith(inicio))
            << nombre << ": " << combo->currentText().toStdString();
    }
    void Pulsa(QWidget* raiz, const QString& texto) {
        QAbstractButton* b = Boton(raiz, texto);
        ASSERT_NE(b, nullptr) << texto.toStdString();
        ASSERT_TRUE(TabHasta(b)) << "Tab never reaches " << texto.toStdString();
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Space));
    }
    // A button under a list, by its access key (Alt and the underlined letter).
    void PulsaBajoLista(QWidget* raiz, const QString& texto) {
        QAbstractButton* b = Boton(raiz, texto);
        ASSERT_NE(b, nullptr) << texto.toStdString();
        const int amp = b->text().indexOf(QLatin1Char('&'));
        ASSERT_GE(amp, 0) << "no access key: " << texto.toStdString();
        ASSERT_NO_FATAL_FAILURE(
            Tecla(Qt::Key_A + (b->text()[amp + 1].toUpper().unicode() - 'A'), Qt::AltModifier));
    }
    int Centro() const { return IDCentroActual(); }
};

TEST_F(RecorridoOficina, UnMesDeTrabajoConElTeclado) {
    const QDate hoy = Hoy();
    const int mes = hoy.month();
    const QString nombreMes = NombreMesLargo(mes);
    Captura(QStringLiteral("inicio"));

    // --- A centre, from the first menu (F10), made current with the centre chooser.
    ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_F10));
    for (int i = 0; i < 12 && w_.menuBar()->activeAction() &&
                    w_.menuBar()->activeAction()->text().remove(u'&') != QStringLiteral("Tablas");
         ++i)
        PulsaTecla(QApplication::activePopupWidget(), Qt::Key_Right);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "F10 opens no menu";
    ASSERT_EQ(w_.menuBar()->activeAction()->text().remove(u'&'), QStringLiteral("Tablas"));
    for (int i = 0; i < 20 && !(menu->activeAction() && menu->activeAction()->text().remove(u'&') ==
                                                            QStringLiteral("Centros"));
         ++i)
        PulsaTecla(menu, Qt::Key_Down);
    PulsaTecla(menu, Qt::Key_Return);
    auto* centros = dynamic_cast<TZMKScreen*>(w_.LastForm());
    ASSERT_NE(centros, nullptr);
    ASSERT_EQ(w_.LastNode(), 11342);
    ASSERT_NO_FATAL_FAILURE(Nuevo(centros));
    ASSERT_NO_FATAL_FAILURE(Escribe(QStringLiteral("RC")));
    ASSERT_NO_FATAL_FAILURE(
        Campo(centros, "ZMKdbeNombreCentro", QStringLiteral("Academia Recorrido")));
    ASSERT_NO_FATAL_FAILURE(Campo(centros, "ZMKdbePoblacion", QStringLiteral("Zaragoza")));
    ASSERT_NO_FATAL_FAILURE(Graba(centros));
    const int idCentro = Valor(QStringLiteral("SELECT IDCentroT20 FROM T20Centros WHERE "
                                              "CodigoCentroT20='RC' AND NombreCentroT20="
                                              "'Academia Recorrido' AND ActivoT20<>0"))
                             .toInt();
    ASSERT_GT(idCentro, 0);
    Captura(QStringLiteral("centro"));

    AlAbrirse<QDialog>([&](QDialog* d) {
        Captura(QStringLiteral("selector-centro"), d);
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_F, Qt::ControlModifier));  // the list's search box
        ASSERT_NO_FATAL_FAILURE(Escribe(QStringLiteral("RC")));
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Return));  // the centre found is the one chosen
    });
    ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_F9));  // the centre chooser
    ASSERT_EQ(Centro(), idCentro);
    EXPECT_TRUE(w_.CentreLabel()->text().contains(QStringLiteral("Academia Recorrido")))
        << w_.CentreLabel()->text().toStdString();

    // --- A course.
    TZMKScreen* cursos = Atajo(QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    ASSERT_NE(cursos, nullptr);
    ASSERT_NO_FATAL_FAILURE(Nuevo(cursos));
    ASSERT_NO_FATAL_FAILURE(Escribe(QStringLiteral("ING1")));
    ASSERT_NO_FATAL_FAILURE(Campo(cursos, "ZMKdbeDescripcion", QStringLiteral("Inglés 1")));
    ASSERT_NO_FATAL_FAILURE(
        Campo(cursos, "ZMKdbeInicio", QStringLiteral("01/09/%1").arg(hoy.year() - 1)));
    ASSERT_NO_FATAL_FAILURE(
        Campo(cursos, "ZMKdbeFin", QStringLiteral("30/06/%1").arg(hoy.year() + 1)));
    ASSERT_NO_FATAL_FAILURE(Graba(cursos));
    const int idCurso =
        Valor(QStringLiteral("SELECT IDCursoT03 FROM T03Cursos WHERE CodigoT03='ING1' AND "
                             "IDCentroT03=") +
              ValorSQL(idCentro))
            .toInt();
    ASSERT_GT(idCurso, 0);
    Captura(QStringLiteral("curso"));

    // --- A group of the course, with its timetable.
    TZMKScreen* grupos = Atajo(QKeySequence(QStringLiteral("Ctrl+Shift+G")));
    ASSERT_NE(grupos, nullptr);
    ASSERT_NO_FATAL_FAILURE(Nuevo(grupos));
    ASSERT_NO_FATAL_FAILURE(Escribe(QStringLiteral("G1")));
    ASSERT_NO_FATAL_FAILURE(Campo(grupos, "ZMKdbeNombre", QStringLiteral("Inglés 1 tarde")));
    ASSERT_NO_FATAL_FAILURE(Busca(grupos, "ZMKdblCurso", QStringLiteral("Ingl")));
    ASSERT_NO_FATAL_FAILURE(Campo(grupos, "ZMKdbeLunesTHI", QStringLiteral("17:00")));
    ASSERT_NO_FATAL_FAILURE(Campo(grupos, "ZMKdbeLunesTHF", QStringLiteral("18:30")));
    ASSERT_NO_FATAL_FAILURE(Campo(grupos, "ZMKdbeMiercolesTHI", QStringLiteral("17:00")));
    ASSERT_NO_FATAL_FAILURE(Campo(grupos, "ZMKdbeMiercolesTHF", QStringLiteral("18:30")));
    ASSERT_NO_FATAL_FAILURE(Graba(grupos));
    QSqlQuery grupo = DefaultDB().Query(
        QStringLiteral("SELECT IDGrupoT05, IDCursoT05, LunesTHIT05, MiercolesTHFT05 FROM T05Grupos "
                       "WHERE CodigoT05='G1' AND IDCentroT05=") +
        ValorSQL(idCentro));
    ASSERT_TRUE(grupo.next());
    const int idGrupo = grupo.value(0).toInt();
    EXPECT_EQ(grupo.value(1).toInt(), idCurso);
    // Times are stored as the fraction of the day.
    EXPECT_DOUBLE_EQ(grupo.value(2).toDouble(), 17.0 / 24);
    EXPECT_DOUBLE_EQ(grupo.value(3).toDouble(), 18.5 / 24);
    grupo.finish();
    Captura(QStringLiteral("grupo"));

    // --- Two students: the first pays by direct debit, its BIC found from the IBAN.
    // Lucía pays by direct debit; Pablo in cash.
    const QString domiciliacion =
        Valor(QStringLiteral("SELECT DescFormaCobroT17 FROM T17FormasCobro WHERE "
                             "UsaNorma19T17<>0 ORDER BY DescFormaCobroT17"))
            .toString();
    const QString efectivo =
        Valor(QStringLiteral("SELECT DescFormaCobroT17 FROM T17FormasCobro WHERE "
                             "COALESCE(UsaNorma19T17,0)=0 ORDER BY DescFormaCobroT17"))
            .toString();
    ASSERT_FALSE(domiciliacion.isEmpty() || efectivo.isEmpty())
        << "the demo company lacks payment methods";
    TZMKScreen* alumnos = Atajo(QKeySequence(QStringLiteral("Ctrl+Shift+A")));
    ASSERT_NE(alumnos, nullptr);
    ASSERT_NO_FATAL_FAILURE(Nuevo(alumnos));
    ASSERT_NO_FATAL_FAILURE(Campo(alumnos, "ZMKdbeNombre", QStringLiteral("Lucía")));
    ASSERT_NO_FATAL_FAILURE(Campo(alumnos, "ZMKdbeApellidos", QStringLiteral("Martín Sanz")));
    ASSERT_NO_FATAL_FAILURE(Busca(alumnos, "ZMKdblFormaCobro", domiciliacion.left(4)));
    ASSERT_NO_FATAL_FAILURE(
        Campo(alumnos, "ZMKdbeTitularT01", QStringLiteral("Lucía Martín Sanz")));
    ASSERT_NO_FATAL_FAILURE(
        Campo(alumnos, "ZMKdbeIBANT01", QStringLiteral("ES9121000418450200051332")));
    prompt_->Push(QStringLiteral("Yes"));  // assign the BIC found
    ASSERT_NO_FATAL_FAILURE(Pulsa(alumnos, QStringLiteral("Buscar BIC")));
    auto* bic = Control<QLineEdit>(alumnos, QStringLiteral("ZMKdbeBICT01"));
    ASSERT_NE(bic, nullptr);
    EXPECT_EQ(bic->text(), QStringLiteral("CAIXESBBXXX"));
    Captura(QStringLiteral("alumno-bic"));
    ASSERT_NO_FATAL_FAILURE(Graba(alumnos));
    QSqlQuery lucia = DefaultDB().Query(
        QStringLiteral("SELECT IDAlumnoT01, BICT01, IBANT01, IDFormaCobroT01, NombreCompletoT01 "
                       "FROM T01Alumnos WHERE NombreT01='Lucía' AND IDCentroT01=") +
        ValorSQL(idCentro));
    ASSERT_TRUE(lucia.next());
    const int idLucia = lucia.value(0).toInt();
    EXPECT_EQ(lucia.value(1).toString(), QStringLiteral("CAIXESBBXXX"));
    EXPECT_EQ(lucia.value(2).toString(), QStringLiteral("ES9121000418450200051332"));
    EXPECT_GT(lucia.value(3).toInt(), 0);
    EXPECT_EQ(lucia.value(4).toString(), QStringLiteral("Martín Sanz, Lucía"));
    lucia.finish();

    ASSERT_NO_FATAL_FAILURE(Nuevo(alumnos));
    ASSERT_NO_FATAL_FAILURE(Campo(alumnos, "ZMKdbeNombre", QStringLiteral("Pablo")));
    ASSERT_NO_FATAL_FAILURE(Campo(alumnos, "ZMKdbeApellidos", QStringLiteral("Ruiz Gil")));
    ASSERT_NO_FATAL_FAILURE(Busca(alumnos, "ZMKdblFormaCobro", efectivo.left(4)));
    ASSERT_NO_FATAL_FAILURE(Graba(alumnos));
    const int idPablo = Valor(QStringLiteral("SELECT IDAlumnoT01 FROM T01Alumnos WHERE "
                                             "NombreT01='Pablo' AND IDCentroT01=") +
                              ValorSQL(idCentro))
                            .toInt();
    ASSERT_GT(idPablo, 0);
    Captura(QStringLiteral("alumnos"));

    // --- Their enrolments in the group.
    TZMKScreen* matriculas = Atajo(QKeySequence(QStringLiteral("Ctrl+Shift+M")));
    ASSERT_NE(matriculas, nullptr);
    for (const QString& alumno : {QStringLiteral("Mart"), QStringLiteral("Ruiz")}) {
        SCOPED_TRACE(alumno.toStdString());
        ASSERT_NO_FATAL_FAILURE(Nuevo(matriculas));
        ASSERT_NO_FATAL_FAILURE(Busca(matriculas, "ZMKdblAlumno", alumno));
        ASSERT_NO_FATAL_FAILURE(Busca(matriculas, "ZMKdblGrupo", QStringLiteral("Ingl")));
        ASSERT_NO_FATAL_FAILURE(Campo(matriculas, "ZMKdbeFechaAlta",
                                      hoy.addDays(-hoy.day() + 1).toString("dd/MM/yyyy")));
        ASSERT_NO_FATAL_FAILURE(Graba(matriculas));
    }
    EXPECT_EQ(
        Valor(QStringLiteral("SELECT COUNT(*) FROM T02Matriculas WHERE IDGrupoT02=") +
              ValorSQL(idGrupo) + QStringLiteral(" AND IDAlumnoT02 IN (") + ValorSQL(idLucia) +
              QStringLiteral(",") + ValorSQL(idPablo) + QStringLiteral(")"))
            .toInt(),
        2);
    Captura(QStringLiteral("matriculas"));

    // --- The course's monthly fee, its text written in the concept editor (F4).
    cursos = Atajo(QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    ASSERT_NE(cursos, nullptr);
    ASSERT_FALSE(cursos->Details().empty());
    TZMKScreen* conceptos = nullptr;
    for (TZMKScreen* d : cursos->Details())
        if (d->Definition().id == QLatin1String("conceptos_curso")) conceptos = d;
    ASSERT_NE(conceptos, nullptr);
    // Ctrl and the detail's number bring it forward with its list focused.
    const int numero =
        int(std::find(cursos->Details().begin(), cursos->Details().end(), conceptos) -
            cursos->Details().begin());
    ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_1 + numero, Qt::ControlModifier));
    ASSERT_EQ(QApplication::focusWidget(), conceptos->Grid());
    ASSERT_NO_FATAL_FAILURE(Nuevo(conceptos));
    AlAbrirse<TFRMDataSource_TextoConcepto>([&](TFRMDataSource_TextoConcepto* d) {
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_A, Qt::ControlModifier));
        ASSERT_NO_FATAL_FAILURE(Escribe(QStringLiteral("Cuota [MES] [AÑO]")));
        EXPECT_EQ(d->edEjemplo->text(),
                  QStringLiteral("Cuota %1 %2").arg(nombreMes).arg(hoy.year()));
        Captura(QStringLiteral("editor-concepto"), d);
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Return));
    });
    ASSERT_TRUE(TabHasta(Control(conceptos, QStringLiteral("ZMKdbeConcepto"))));
    ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_F4));
    auto* concepto = Control<QLineEdit>(conceptos, QStringLiteral("ZMKdbeConcepto"));
    EXPECT_EQ(concepto->text(), QStringLiteral("Cuota [MES] [AÑO]"));
    ASSERT_NO_FATAL_FAILURE(Campo(conceptos, "ZMKdbeImporteBase", QStringLiteral("45")));
    QAbstractButton* mesACobrar = Boton(conceptos, nombreMes);
    ASSERT_NE(mesACobrar, nullptr);
    ASSERT_TRUE(TabHasta(mesACobrar));
    if (!mesACobrar->isChecked()) Tecla(Qt::Key_Space);
    Captura(QStringLiteral("concepto-curso"));
    ASSERT_NO_FATAL_FAILURE(Graba(conceptos));
    QSqlQuery cuota = DefaultDB().Query(
        QStringLiteral("SELECT IDConceptoMatriculaT14, ImporteBaseT14, ") + CampoMesCobroT14(mes) +
        QStringLiteral(" FROM T14ConceptosMatricula WHERE IDCursoT14=") + ValorSQL(idCurso) +
        QStringLiteral(" AND IDMatriculaT14 IS NULL AND ConceptoT14='Cuota [MES] [AÑO]'"));
    ASSERT_TRUE(cuota.next()) << Errores().join(u'\n').toStdString();
    const int idCuota = cuota.value(0).toInt();
    EXPECT_EQ(VarToCurrency(cuota.value(1)), Currency(45));
    EXPECT_TRUE(cuota.value(2).toBool());
    cuota.finish();
    // Both enrolments take a copy of the course's fee.
    EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE "
                                   "IDConcMatrPadreT14=") +
                    ValorSQL(idCuota) + QStringLiteral(" AND NOT (IDMatriculaT14 IS NULL)"))
                  .toInt(),
              2);

    // --- The month's invoices, from the students' list.
    alumnos = Atajo(QKeySequence(QStringLiteral("Ctrl+Shift+A")));
    ASSERT_NE(alumnos, nullptr);
    AlAbrirse<TFRMGenerarFacturas>([&](TFRMGenerarFacturas* d) {
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_T, Qt::AltModifier));  // "&Todos"
        EXPECT_TRUE(d->rbTodos->isChecked());
        EXPECT_TRUE(d->cbMes->isEnabled());
        ASSERT_TRUE(TabHasta(d->cbMes));
        ASSERT_NO_FATAL_FAILURE(Escribe(nombreMes));
        EXPECT_EQ(d->cbMes->currentIndex(), mes - 1);
        EXPECT_EQ(d->seAnyo->value(), hoy.year());
        if (d->cbSerie->currentIndex() < 0) {
            ASSERT_TRUE(TabHasta(d->cbSerie));
            ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Down));
        }
        EXPECT_GE(d->cbSerie->currentIndex(), 0);
        Captura(QStringLiteral("generar-facturas"), d);
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Return));  // "Facturar", the default button
    });
    ASSERT_NO_FATAL_FAILURE(PulsaBajoLista(alumnos, QStringLiteral("Facturar alumnos...")));
    ASSERT_TRUE(Errores().isEmpty()) << Errores().join(u'\n').toStdString();
    const QString facturasDelMes =
        QStringLiteral(" FROM T15FacturasCab WHERE IDCentroT15=") + ValorSQL(idCentro);
    EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*)") + facturasDelMes).toInt(), 2);
    EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*) FROM T16FacturasCue WHERE DescConceptoT16=") +
                    ValorSQL(QStringLiteral("Cuota %1 %2").arg(nombreMes).arg(hoy.year())) +
                    QStringLiteral(" AND NMesFacturadoT16=") + ValorSQL(mes))
                  .toInt(),
              2);
    EXPECT_EQ(
        Valor(QStringLiteral("SELECT SUM(ImporteBasesImponiblesT15)") + facturasDelMes).toDouble(),
        90.0);
    Captura(QStringLiteral("alumnos-facturados"));

    // --- Both invoices collected from the invoices' list.
    TZMKScreen* facturas = Atajo(QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    ASSERT_NE(facturas, nullptr);
    ASSERT_EQ(facturas->DataSet()->RecordCount(), 2);
    ASSERT_TRUE(TabHasta(facturas->Grid()));
    ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Home, Qt::ControlModifier));
    ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Down, Qt::ShiftModifier));  // the first two rows
    ASSERT_EQ(facturas->Grid()->selectionModel()->selectedRows().size(), 2);
    AlAbrirse<TFRMFuncionesFacturas>([&](TFRMFuncionesFacturas* d) {
        EXPECT_TRUE(d->rbSeleccion->isChecked());
        EXPECT_EQ(d->lblRegistros->text(), QStringLiteral("Registros: 2"));
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_C, Qt::AltModifier));  // "&Cobrar "
        EXPECT_TRUE(d->rbCobrar->isChecked());
        Captura(QStringLiteral("cobrar-facturas"), d);
        prompt_->Push(QStringLiteral("Yes"));  // the total collected is right
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Return));
    });
    ASSERT_NO_FATAL_FAILURE(
        PulsaBajoLista(facturas, QStringLiteral("Acciones sobre las facturas...")));
    ASSERT_TRUE(Errores().isEmpty()) << Errores().join(u'\n').toStdString();
    EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*)") + facturasDelMes +
                    QStringLiteral(" AND CobradaT15<>0 AND NOT (FechaCobroT15 IS NULL)"))
                  .toInt(),
              2);
    Captura(QStringLiteral("facturas-cobradas"));

    // --- One invoice printed with the company's invoice format, to a PDF file.
    const QString pdf = dir_.path() + QStringLiteral("/factura.pdf");
    ZMKApp().Procedures().UnregisterProcedure(kDoPrintIDReport);
    ZMKApp().Procedures().RegisterProcedure(kDoPrintIDReport, QString(), [pdf](const TProcCall&) {
        const QString html = RenderReportHtml(Parametres().AsInteger(QStringLiteral("PRME01")),
                                              Parametres().AsString(QStringLiteral("PRME06")));
        PrintHtml(html, QStringLiteral("Factura"), TPrintTarget::Pdf, pdf);
    });
    ASSERT_TRUE(TabHasta(facturas->Grid(), true));  // back from the button to the list
    // Ctrl+Home (the screen's first record) leaves the first invoice alone chosen.
    ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Home, Qt::ControlModifier));
    ASSERT_EQ(facturas->Grid()->selectionModel()->selectedRows().size(), 1);
    AlAbrirse<TFRMFuncionesFacturas>([&](TFRMFuncionesFacturas* d) {
        EXPECT_TRUE(d->rbActual->isChecked());
        ASSERT_TRUE(TabHasta(d->cbImprimir));
        if (!d->cbImprimir->isChecked()) Tecla(Qt::Key_Space);
        EXPECT_TRUE(d->cbImprimir->isChecked());
        Captura(QStringLiteral("imprimir-factura"), d);
        ASSERT_NO_FATAL_FAILURE(Tecla(Qt::Key_Return));
    });
    ASSERT_NO_FATAL_FAILURE(
        PulsaBajoLista(facturas, QStringLiteral("Acciones sobre las facturas...")));
    ZMKApp().Procedures().UnregisterProcedure(kDoPrintIDReport);
    RegisterReportProcedures();
    ASSERT_TRUE(Errores().isEmpty()) << Errores().join(u'\n').toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no PDF written";
    EXPECT_TRUE(file.read(4).startsWith("%PDF"));
    if (!capturas_.isEmpty()) QFile::copy(pdf, capturas_ + QStringLiteral("/factura.pdf"));
}

// Every entry of the menus and of the toolbar opens its screen on the demo company without an
// error.
TEST_F(Recorrido, CadaEntradaDeMenuAbreSuPantalla) {
    const QList<QAction*> entradas = w_.findChildren<QAction*>();
    QList<int> abiertas;
    for (QAction* a : entradas) {
        if (!a->objectName().startsWith(QStringLiteral("MenuItem_idnode_"))) continue;
        const int nodo = a->data().toInt();
        SCOPED_TRACE(nodo);
        a->trigger();
        EXPECT_EQ(w_.LastNode(), nodo) << a->text().toStdString();
        auto* s = dynamic_cast<TZMKScreen*>(w_.LastForm());
        ASSERT_NE(s, nullptr) << a->text().toStdString();
        EXPECT_NE(s->DataSet(), nullptr);
        Captura(QStringLiteral("nodo-%1").arg(nodo));
        abiertas << nodo;
    }
    // The toolbar's five daily screens.
    const std::pair<const char*, int> barra[] = {{"ActLAlumnos", 11780},
                                                 {"ActLCursos", 11778},
                                                 {"ActLGrupos", 11779},
                                                 {"ActLMatriculas", 11782},
                                                 {"ActLFacturas", 10723}};
    for (const auto& [accion, nodo] : barra) {
        QAction* a = w_.Action(QString::fromLatin1(accion));
        ASSERT_NE(a, nullptr) << accion;
        a->trigger();
        EXPECT_EQ(w_.LastNode(), nodo) << accion;
        EXPECT_NE(dynamic_cast<TZMKScreen*>(w_.LastForm()), nullptr) << accion;
    }
    for (auto it = w_.AppDefinition().nodeScreens.begin();
         it != w_.AppDefinition().nodeScreens.end(); ++it)
        EXPECT_TRUE(abiertas.contains(it.key())) << "no menu entry opens node " << it.key();
    EXPECT_TRUE(Errores().isEmpty()) << Errores().join(u'\n').toStdString();
}

}  // namespace
}  // namespace zmk::test
