// What a list does for the clerk: totals of its amounts, a filter on the sorted column, codes
// sorted as numbers, columns sized to their content, a new record in its place, the split kept,
// and messages that speak of what the user sees.
#include <gtest/gtest.h>

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "core/centroactual.h"
#include "host/app.h"
#include "host/database.h"
#include "host/forms/appdefinition.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/screen.h"
#include "host/library.h"
#include "host/parametres.h"
#include "maintenance/democompany.h"
#include "tests/host_forms/empresademo.h"
#include "tests/host_forms/pantallas.h"
#include "tests/support/testdb.h"

namespace zmk::test {
namespace {

class Listas : public EmpresaDemo {
  protected:
    Listas() : EmpresaDemo(40) {}
};

TEST_F(Listas, AListWithMoneyShowsItsCountAndTotalsUnderIt) {
    const int centro = IDCentroActual();
    for (const char* total : {"12.10", "40", "0.35"})
        DefaultDB().ExecuteSQL(QStringLiteral("INSERT INTO T15FacturasCab (IDCentroT15, "
                                              "NombreT15, ImporteTotalT15, CobradaT15, "
                                              "DevueltaT15) VALUES (%1, 'Cliente', %2, 0, 0)")
                                   .arg(centro)
                                   .arg(QLatin1String(total)));
    auto pendientes = Open(QStringLiteral("consulta_pendientes"));
    auto* totales = pendientes->findChild<QLabel*>(QStringLiteral("lblTotales"));
    ASSERT_NE(totales, nullptr);
    EXPECT_FALSE(totales->isHidden());
    EXPECT_EQ(totales->text(), QStringLiteral("3 registros   ·   Total: 52,45"));

    // A list without amounts has no such line.
    auto centros = Open(QStringLiteral("centros"));
    EXPECT_TRUE(centros->findChild<QLabel*>(QStringLiteral("lblTotales"))->isHidden());
}

TEST_F(Listas, TheFilterKeepsTheRowsWhoseSortedColumnHoldsTheText) {
    auto conceptos = Open(QStringLiteral("conceptos"));
    conceptos->SortByColumn(2, Qt::AscendingOrder);  // Alumno
    const QString alumno = Scalar(QStringLiteral("SELECT NombreCompletoT01 FROM T01Alumnos WHERE "
                                                 "IDCentroT01 = %1 ORDER BY IDAlumnoT01")
                                      .arg(IDCentroActual()))
                               .toString();
    const QString parte = alumno.left(alumno.indexOf(u',')).toLower();
    auto* filtro = conceptos->findChild<QLineEdit*>(QStringLiteral("edFiltro"));
    ASSERT_NE(filtro, nullptr);
    filtro->setText(parte);
    emit filtro->returnPressed();
    const QStringList filas = Column(*conceptos, 2);
    ASSERT_FALSE(filas.isEmpty());
    for (const QString& f : filas)
        EXPECT_TRUE(f.contains(parte, Qt::CaseInsensitive)) << f.toStdString();
    EXPECT_TRUE(filtro->toolTip().contains(QStringLiteral("Alumno")));
    EXPECT_TRUE(conceptos->findChild<QLabel*>(QStringLiteral("lblTotales"))
                    ->text()
                    .startsWith(QString::number(filas.size()) + QStringLiteral(" registros")));

    filtro->clear();
    conceptos->FetchAll();
    EXPECT_EQ(conceptos->DataSet()->RecordCount(),
              Scalar(QStringLiteral("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE "
                                    "IDCentroT14 = %1")
                         .arg(IDCentroActual()))
                  .toInt());
}

TEST_F(Listas, CodesHoldingNumbersSortAsNumbersAndCutCellsShowWhole) {
    const int centro = IDCentroActual();
    for (const char* codigo : {"10", "2", "B1", "1"})
        DefaultDB().ExecuteSQL(
            QStringLiteral("INSERT INTO T03Cursos (IDCentroT03, CodigoT03, DescripcionT03, "
                           "ActivoT03) VALUES (%1, 'Z%2', 'Curso con un nombre muy largo que no "
                           "cabe en la columna de la lista de cursos %2', 1)")
                .arg(centro)
                .arg(QLatin1String(codigo)));
    DefaultDB().ExecuteSQL(
        QStringLiteral("UPDATE T03Cursos SET CodigoT03 = SUBSTR(CodigoT03, 2) "
                       "WHERE CodigoT03 LIKE 'Z%'"));
    auto cursos = Open(QStringLiteral("cursos"));
    int codigoCol = -1, descripcionCol = -1;
    for (int c = 0; c < cursos->Definition().columns.size(); ++c) {
        if (cursos->Definition().columns[c].field == QStringLiteral("CodigoT03")) codigoCol = c;
        if (cursos->Definition().columns[c].field == QStringLiteral("DescripcionT03"))
            descripcionCol = c;
    }
    ASSERT_GE(codigoCol, 0);
    cursos->SortByColumn(codigoCol, Qt::AscendingOrder);
    QStringList codigos = Column(*cursos, codigoCol);
    QStringList nuestros;
    for (const QString& c : codigos)
        if (QStringList({"1", "2", "10", "B1"}).contains(c)) nuestros << c;
    EXPECT_EQ(nuestros, QStringList({"1", "2", "10", "B1"}));

    ASSERT_GE(descripcionCol, 0);
    EXPECT_LE(cursos->Grid()->columnWidth(descripcionCol), 340);
    auto* model = cursos->Grid()->model();
    const int fila = int(codigos.indexOf(QStringLiteral("10")));
    EXPECT_TRUE(model->data(model->index(fila, descripcionCol), Qt::ToolTipRole)
                    .toString()
                    .endsWith(QStringLiteral("lista de cursos 10")));
}

TEST_F(Listas, ANewRecordTakesItsPlaceInTheOrderAndTheSplitIsKept) {
    auto series = Open(QStringLiteral("series"));
    TDataSet& ds = *series->DataSet();
    ASSERT_TRUE(series->Run([&] { ds.Append(); }));
    ds.FieldByName(QStringLiteral("SerieT18")).SetValue(QStringLiteral("0A"));
    ds.FieldByName(QStringLiteral("NSiguienteFacturaT18")).SetValue(1);
    Accion(*series, QStringLiteral("Aceptar"))->trigger();
    EXPECT_EQ(ds.State(), TDataSetState::Browse);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("SerieT18")).AsString(), QStringLiteral("0A"));
    EXPECT_EQ(series->Grid()->currentIndex().row(), 0);

    // The list's share of the height, as the user left it, comes back on the next opening.
    QSplitter* division = nullptr;
    for (QSplitter* s : series->findChildren<QSplitter*>())
        if (s->isAncestorOf(series->Grid())) division = s;
    ASSERT_NE(division, nullptr);
    division->setSizes({120, 480});
    emit division->splitterMoved(120, 1);
    const QString nombre = QStringLiteral("PRMPantalla_series_Division");
    ASSERT_TRUE(Parametres().ParamExists(nombre));
    const QByteArray guardado = QByteArray::fromBase64(Parametres().AsString(nombre).toLatin1());
    auto otra = Open(QStringLiteral("series"));
    QSplitter* nueva = nullptr;
    for (QSplitter* s : otra->findChildren<QSplitter*>())
        if (s->isAncestorOf(otra->Grid())) nueva = s;
    ASSERT_NE(nueva, nullptr);
    EXPECT_EQ(nueva->saveState(), guardado);
}

TEST_F(Listas, AGroupsTimetableIsADayByDayGrid) {
    auto grupos = Open(QStringLiteral("grupos"));
    auto* horario = grupos->findChild<QGroupBox*>(QStringLiteral("ZMKpnlHorario"));
    ASSERT_NE(horario, nullptr);
    auto* grid = qobject_cast<QGridLayout*>(horario->layout());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 7);  // the titles, then Monday to Saturday
    auto texto = [&](int row, int column) {
        QLayoutItem* item = grid->itemAtPosition(row, column);
        auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
        return label ? label->text() : QString();
    };
    EXPECT_EQ(texto(0, 1), QStringLiteral("Mañana, de"));
    EXPECT_EQ(texto(0, 4), QStringLiteral("Tarde, a"));
    EXPECT_EQ(texto(1, 0), QStringLiteral("Lunes"));
    EXPECT_EQ(texto(6, 0), QStringLiteral("Sábado"));
    QLayoutItem* martesTarde = grid->itemAtPosition(2, 4);
    ASSERT_NE(martesTarde, nullptr);
    EXPECT_EQ(martesTarde->widget()->objectName(), QStringLiteral("ZMKdbeMartesTHF"));
    EXPECT_EQ(martesTarde->widget()->toolTip(), QStringLiteral("Martes Tarde, a"));
}

TEST_F(Listas, AFunctionNotAvailableYetIsNamedByItsButton) {
    auto alumnos = Open(QStringLiteral("alumnos"));
    ZMKApp().Procedures().RegisterProcedure(
        QStringLiteral("PRUEBA_SIN_HACER"), QString(), [](const TProcCall&) {
            throw EProcedureNotAvailable(QStringLiteral("La función \"PRUEBA_SIN_HACER\"..."));
        });
    alumnos->RunButton(QStringLiteral("PRUEBA_SIN_HACER"), {}, QStringLiteral("Enviar &SMS..."));
    EXPECT_TRUE(prompt_->Log().last().endsWith(
        QStringLiteral("«Enviar SMS...» todavía no está disponible en esta versión del programa.")))
        << prompt_->Log().last().toStdString();
}

TEST_F(Listas, TheInvoiceListSaysEachStateAndNamesTheReturnedReceiptPresentedAgain) {
    const QString centro =
        Scalar(QStringLiteral("SELECT MIN(IDCentroT20) FROM T20Centros")).toString();
    const QString devuelta = QString::number(QDate(1899, 12, 30).daysTo(QDate(2026, 11, 5)));
    const QString insertar = QStringLiteral(
        "INSERT INTO T15FacturasCab (IDCentroT15, NumeroT15, FechaT15, NombreT15, "
        "ImporteTotalT15, CobradaT15, DevueltaT15, FechaDevolucionT15) VALUES (%1, %2, %3, 'X', "
        "10, %4, %5, %6)");
    // Numbers in the list's order (newest first): the copy, the returned one, paid, pending.
    const QList<QStringList> filas = {{"4", "0", "0", devuelta},
                                      {"3", "1", "1", devuelta},
                                      {"2", "1", "0", "NULL"},
                                      {"1", "0", "0", "NULL"}};
    for (const QStringList& f : filas)
        DefaultDB().ExecuteSQL(insertar.arg(centro, f[0], devuelta, f[1], f[2], f[3]));
    auto facturas = Open(QStringLiteral("facturas"));
    TDataSetModel* model = static_cast<TDataSetModel*>(facturas->Grid()->model());
    ASSERT_EQ(model->Columns()[5].title, QStringLiteral("Estado"));
    EXPECT_EQ(model->CellText(0, 5),
              QStringLiteral("Pendiente: recibo devuelto presentado de nuevo"));
    EXPECT_EQ(model->CellText(1, 5), QStringLiteral("Devuelta"));
    EXPECT_EQ(model->CellText(2, 5), QStringLiteral("Cobrada"));
    EXPECT_EQ(model->CellText(3, 5), QStringLiteral("Pendiente"));
}

}  // namespace
}  // namespace zmk::test
