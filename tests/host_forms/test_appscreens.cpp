// The application file's screens on a demo company: every menu entry opens, details follow
// their master, the grid feeds the procedures, and the form rules reach the widgets.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <iostream>

#include "core/centroactual.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/forms/appdefinition.h"
#include "host/forms/datasetmodel.h"
#include "host/forms/listexport.h"
#include "host/forms/lookupcombo.h"
#include "host/forms/menuform.h"
#include "host/forms/screen.h"
#include "host/parametres.h"
#include "maintenance/democompany.h"
#include "rules/comunes.h"
#include "tests/host_forms/empresademo.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {

class DemoCompany : public test::EmpresaDemo {};

// A widget of the screen itself, not of one of its detail screens.
template <typename T>
T* Own(TZMKScreen& screen, const QString& name) {
    for (T* w : screen.findChildren<T*>(name)) {
        QWidget* p = w->parentWidget();
        while (p && !dynamic_cast<TZMKScreen*>(p)) p = p->parentWidget();
        if (p == &screen) return w;
    }
    return nullptr;
}

// Every field a screen names exists in its query (a wrong name would show an empty column or
// lose what is typed in its control).
void ExpectFieldsExist(TZMKScreen& screen) {
    TDataSet& ds = *screen.DataSet();
    for (const TGridColumn& c : screen.Definition().columns)
        EXPECT_NE(ds.FindField(c.field), nullptr)
            << screen.Definition().id.toStdString() << " " << c.field.toStdString();
    std::function<void(const QList<TControlDef>&)> walk = [&](const QList<TControlDef>& controls) {
        for (const TControlDef& c : controls) {
            if (!c.field.isEmpty()) {
                EXPECT_NE(ds.FindField(c.field), nullptr)
                    << screen.Definition().id.toStdString() << " " << c.field.toStdString();
            }
            walk(c.children);
        }
    };
    walk(screen.Definition().form);
}

}  // namespace

TEST_F(DemoCompany, EveryMenuEntryOpensItsScreenWithTheFieldsItNames) {
    QSet<int> ids;
    for (const TZMKNode& n : def_.nodes) ids.insert(n.id);
    for (int id :
         {11780, 11778, 11779, 11782, 10723, 11342, 391, 10722, 11161, 11335, 242, 296, 303, 348})
        EXPECT_TRUE(ids.contains(id)) << id;
    for (const TZMKNode& n : def_.nodes)
        EXPECT_TRUE(n.parentId == 0 || ids.contains(n.parentId)) << n.id;

    TZMKMenuForm menu;
    menu.SetAppDefinition(def_);
    int opened = 0;
    for (auto it = def_.nodeScreens.begin(); it != def_.nodeScreens.end(); ++it) {
        TZMKScreen* screen = nullptr;
        ASSERT_NO_THROW(screen = menu.OpenNode(it.key())) << it.key();
        ASSERT_NE(screen, nullptr) << it.key();
        ExpectFieldsExist(*screen);
        for (TZMKScreen* detail : screen->Details()) ExpectFieldsExist(*detail);
        ++opened;
    }
    EXPECT_EQ(opened, def_.nodeScreens.size());
    EXPECT_TRUE(prompt_->Log().isEmpty()) << prompt_->Log().join('\n').toStdString();
}

TEST_F(DemoCompany, DetailsFollowTheMasterAndTheirNewRecordsBelongToIt) {
    auto cursos = Open(QStringLiteral("cursos"));
    ASSERT_EQ(cursos->Details().size(), 2u);
    TZMKScreen& grupos = *cursos->Details()[0];
    TZMKScreen& conceptos = *cursos->Details()[1];
    for (int recno : {1, 2}) {
        ASSERT_TRUE(cursos->Run([&] { cursos->DataSet()->SetRecNo(recno); }));
        const QVariant curso = Value(*cursos, QStringLiteral("IDCursoT03"));
        EXPECT_EQ(grupos.DataSet()->RecordCount(),
                  Scalar(QStringLiteral("SELECT COUNT(*) FROM T05Grupos WHERE IDCursoT05 = %1")
                             .arg(curso.toInt()))
                      .toInt());
        ASSERT_GT(grupos.DataSet()->RecordCount(), 0);
        for (grupos.DataSet()->First(); !grupos.DataSet()->Eof(); grupos.DataSet()->Next())
            EXPECT_EQ(Value(grupos, QStringLiteral("IDCursoT05")), curso);
        EXPECT_EQ(conceptos.MasterValue(), curso);
    }
    // A new group typed under the course takes the course.
    for (QAction* a : grupos.findChildren<QAction*>())
        if (a->text() == QStringLiteral("Nuevo")) a->trigger();
    EXPECT_EQ(grupos.DataSet()->State(), TDataSetState::Insert);
    EXPECT_EQ(Value(grupos, QStringLiteral("IDCursoT05")),
              Value(*cursos, QStringLiteral("IDCursoT03")));

    // Leaving the course with the group half typed asks first; "cancel" keeps both where they are.
    prompt_->Push(QStringLiteral("cancel"));
    const int recno = cursos->DataSet()->RecNo();
    cursos->Grid()->selectRow(recno == 1 ? 1 : 0);
    EXPECT_EQ(cursos->DataSet()->RecNo(), recno);
    EXPECT_EQ(grupos.DataSet()->State(), TDataSetState::Insert);
    const qsizetype asked = prompt_->Log().size();
    prompt_->Push(QStringLiteral("cancel"));
    EXPECT_FALSE(cursos->CanClose());
    ASSERT_GT(prompt_->Log().size(), asked);
    EXPECT_TRUE(prompt_->Log()[asked].contains(QStringLiteral("¿Guardar los cambios?")));
    prompt_->Push(QStringLiteral("no"));
    EXPECT_TRUE(cursos->CanClose());
    EXPECT_EQ(grupos.DataSet()->State(), TDataSetState::Browse);
}

TEST_F(DemoCompany, ANewMasterBelongsToTheCurrentCentreAndTakesDetailsOnceSaved) {
    auto cursos = Open(QStringLiteral("cursos"));
    TZMKScreen& grupos = *cursos->Details()[0];
    // The course's own "Nuevo" (the groups' tab has one too).
    for (QAction* a : cursos->findChildren<QAction*>())
        if (a->text() == QStringLiteral("Nuevo") &&
            !grupos.isAncestorOf(qobject_cast<QWidget*>(a->parent())))
            a->trigger();
    ASSERT_EQ(cursos->DataSet()->State(), TDataSetState::Insert);
    ASSERT_TRUE(cursos->Run([&] {
        cursos->DataSet()->FieldByName(QStringLiteral("CodigoT03")).SetValue(QStringLiteral("FR"));
        cursos->DataSet()->Post();
    }));
    EXPECT_EQ(Value(*cursos, QStringLiteral("IDCentroT03")).toInt(), IDCentroActual());
    const QVariant nuevo = Value(*cursos, QStringLiteral("IDCursoT03"));
    ASSERT_FALSE(nuevo.isNull());
    EXPECT_EQ(grupos.MasterValue(), nuevo);
    EXPECT_TRUE(grupos.isEnabled());
    EXPECT_EQ(grupos.DataSet()->RecordCount(), 0);
}

TEST_F(DemoCompany, SelectedRowsReachTheGridObjectByKey) {
    auto alumnos = Open(QStringLiteral("alumnos"));
    QTableView* grid = alumnos->Grid();
    grid->selectionModel()->select(grid->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    grid->selectionModel()->select(grid->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    TDataSet& ds = *alumnos->DataSet();
    const int key = ds.FieldByName(QStringLiteral("IDAlumnoT01")).Index();
    QVariantList keys = alumnos->GridObject()->SelectedKeys();
    std::sort(keys.begin(), keys.end(),
              [](const QVariant& a, const QVariant& b) { return a.toInt() < b.toInt(); });
    QVariantList expected{ds.ValueAt(0, key), ds.ValueAt(2, key)};
    std::sort(expected.begin(), expected.end(),
              [](const QVariant& a, const QVariant& b) { return a.toInt() < b.toInt(); });
    EXPECT_EQ(keys, expected);
    // Procedures find the same grid through the parameter block.
    alumnos->PublishObjects();
    EXPECT_EQ(Parametres().AsObject<TZMKDBGrid>(QStringLiteral("PRMIP_DBGRID")),
              alumnos->GridObject());

    // A procedure that walks every row leaves the user's selection as it was.
    ZMKApp().Procedures().RegisterProcedure(
        QStringLiteral("PRUEBA_RECORRER"), QString(), [](const TProcCall&) {
            auto* data = Parametres().AsObject<TDataSet>(QStringLiteral("PRMIP_DATASET"));
            const int recno = data->RecNo();
            for (data->First(); !data->Eof(); data->Next()) {
            }
            data->SetRecNo(recno);
        });
    alumnos->RunButton(QStringLiteral("PRUEBA_RECORRER"), {});
    ZMKApp().Procedures().UnregisterProcedure(QStringLiteral("PRUEBA_RECORRER"));
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 2);
    EXPECT_EQ(alumnos->GridObject()->SelectedKeys().size(), 2);

    // Going to another record (|<, >, search...) leaves only that record chosen.
    for (QAction* a : alumnos->findChildren<QAction*>())
        if (a->text() == QStringLiteral(">|")) a->trigger();
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(alumnos->GridObject()->SelectedKeys().size(), 1);
}

TEST_F(DemoCompany, TheKeyboardReachesTheFormAndEveryDetailFromTheList) {
    auto cursos = Open(QStringLiteral("cursos"));
    EXPECT_FALSE(cursos->Grid()->tabKeyNavigation());
    auto* tabs = cursos->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->currentIndex(), 0);
    bool found = false;
    for (QAction* a : cursos->findChildren<QAction*>())
        if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_2)) {
            a->trigger();
            found = true;
        }
    ASSERT_TRUE(found);
    EXPECT_EQ(tabs->currentWidget(), cursos->Details()[1]);
}

TEST_F(DemoCompany, AnInactiveStudentsFormOffersToReactivateAndLocksItsFields) {
    const int id = Scalar(QStringLiteral("SELECT MIN(IDAlumnoT01) FROM T01Alumnos WHERE "
                                         "IDCentroT01 = %1")
                              .arg(IDCentroActual()))
                       .toInt();
    DefaultDB().ExecuteSQL(
        QStringLiteral("UPDATE T01Alumnos SET ActivoT01 = 0 WHERE IDAlumnoT01 = %1").arg(id));
    auto alumnos = Open(QStringLiteral("alumnos"));
    auto* boton = Own<QPushButton>(*alumnos, QStringLiteral("ZMKsbAltaBaja"));
    auto* nombre = Own<QLineEdit>(*alumnos, QStringLiteral("ZMKdbeNombre"));
    auto* codigo = Own<QLineEdit>(*alumnos, QStringLiteral("ZMKdbeCodigoAlumno"));
    ASSERT_TRUE(boton && nombre && codigo);
    ASSERT_TRUE(alumnos->Run(
        [&] { ASSERT_TRUE(alumnos->DataSet()->Locate(QStringLiteral("IDAlumnoT01"), id)); }));
    EXPECT_EQ(boton->text(), CaptionAltaBaja(TClaseRegistro::Alumno, false));
    EXPECT_TRUE(boton->isEnabled());
    EXPECT_FALSE(nombre->isEnabled());
    ASSERT_TRUE(alumnos->Run([&] { alumnos->DataSet()->SetRecNo(1); }));
    if (alumnos->DataSet()->FieldByName(QStringLiteral("ActivoT01")).AsBoolean()) {
        EXPECT_EQ(boton->text(), CaptionAltaBaja(TClaseRegistro::Alumno, true));
        EXPECT_TRUE(nombre->isEnabled());
    }
    // A new student's number is given on post; the button waits for the record.
    ASSERT_TRUE(alumnos->Run([&] { alumnos->DataSet()->Append(); }));
    EXPECT_FALSE(codigo->isEnabled());
    EXPECT_FALSE(boton->isEnabled());
    EXPECT_TRUE(nombre->isEnabled());
}

TEST_F(DemoCompany, TheEnrolmentsOwnPaymentPanelShowsOnlyWithItsBox) {
    auto matriculas = Open(QStringLiteral("matriculas"));
    auto* panel = Own<QGroupBox>(*matriculas, QStringLiteral("ZMKpnlDatosCobroMatricula"));
    auto* casilla = Own<QCheckBox>(*matriculas, QStringLiteral("ZMKdbcbDatosCobroEnMatricula"));
    ASSERT_TRUE(panel && casilla);
    ASSERT_FALSE(matriculas->DataSet()->FieldByName("DatosCobroEnMatriculaT02").AsBoolean());
    EXPECT_FALSE(panel->isVisibleTo(matriculas.get()));
    // Ticking the box runs its procedure, which shows the panel.
    prompt_->Push(QStringLiteral("yes"));
    ASSERT_TRUE(casilla->isEnabled());
    casilla->click();
    EXPECT_TRUE(matriculas->DataSet()->FieldByName("DatosCobroEnMatriculaT02").AsBoolean());
    EXPECT_TRUE(panel->isVisibleTo(matriculas.get()));
    // Cancelling the record hides it again.
    ASSERT_TRUE(matriculas->Run([&] { matriculas->DataSet()->Cancel(); }));
    EXPECT_FALSE(panel->isVisibleTo(matriculas.get()));
}

TEST_F(DemoCompany, ConceptFormsShowTheirLevel) {
    auto cursos = Open(QStringLiteral("cursos"));
    TZMKScreen& conceptos = *cursos->Details()[1];
    ASSERT_GT(conceptos.DataSet()->RecordCount(), 0);
    auto* tipo = conceptos.findChild<QLabel*>(QStringLiteral("ZMKlblTipoConcepto"));
    auto* activo = conceptos.findChild<QCheckBox*>(QStringLiteral("ZMKcbConceptoActivo"));
    ASSERT_TRUE(tipo && activo);
    conceptos.Run([&] { conceptos.DataSet()->First(); });
    EXPECT_FALSE(tipo->text().isEmpty());
    // A course concept has no active box of its own.
    EXPECT_FALSE(activo->isVisibleTo(&conceptos));
}

TEST_F(DemoCompany, LookupColumnsShowTheTextAndRowsTakeTheProvidersStyle) {
    DefaultDB().ExecuteSQL(
        QStringLiteral("UPDATE T05Grupos SET ActivoT05 = 0 WHERE IDGrupoT05 = "
                       "(SELECT MIN(IDGrupoT05) FROM T05Grupos)"));
    SetRowStyleProvider([](int source, TDataSet& row) {
        TRowStyle style;
        TField* activo = row.FindField(QStringLiteral("ActivoT05"));
        if (source == 14 && activo && !activo->AsBoolean()) {
            style.changes = true;
            style.text = Qt::gray;
            style.italic = true;
        }
        return style;
    });
    auto grupos = Open(QStringLiteral("grupos"));
    TDataSetModel* model = static_cast<TDataSetModel*>(grupos->Grid()->model());
    const int curso_col = 2;
    ASSERT_EQ(model->Columns()[curso_col].field, QStringLiteral("IDCursoT05"));
    TDataSet& ds = *grupos->DataSet();
    int inactive = -1;
    for (int row = 0; row < ds.RecordCount(); ++row) {
        const QVariant curso = ds.ValueAt(row, ds.FieldByName("IDCursoT05").Index());
        EXPECT_EQ(
            model->data(model->index(row, curso_col), Qt::DisplayRole).toString(),
            Scalar(QStringLiteral("SELECT DescripcionT03 FROM T03Cursos WHERE IDCursoT03 = %1")
                       .arg(curso.toInt()))
                .toString());
        if (!ds.ValueAt(row, ds.FieldByName("ActivoT05").Index()).toBool()) inactive = row;
    }
    ASSERT_GE(inactive, 0);
    EXPECT_EQ(model->data(model->index(inactive, 0), Qt::ForegroundRole).value<QColor>(),
              QColor(Qt::gray));
    EXPECT_TRUE(model->data(model->index(inactive, 0), Qt::FontRole).value<QFont>().italic());
    EXPECT_FALSE(model->data(model->index(inactive == 0 ? 1 : 0, 0), Qt::ForegroundRole).isValid());
    SetRowStyleProvider(nullptr);
}

TEST_F(DemoCompany, EveryConceptRowNamesItsCourseGroupAndStudent) {
    auto conceptos = Open(QStringLiteral("conceptos"));
    conceptos->FetchAll();
    TDataSet& ds = *conceptos->DataSet();
    TDataSetModel* model = static_cast<TDataSetModel*>(conceptos->Grid()->model());
    const QStringList titles = {QStringLiteral("Curso"), QStringLiteral("Grupo"),
                                QStringLiteral("Alumno"), QStringLiteral("Matrícula")};
    for (int c = 0; c < titles.size(); ++c) EXPECT_EQ(model->Columns()[c].title, titles[c]);
    int deMatricula = 0;
    for (int row = 0; row < ds.RecordCount(); ++row) {
        EXPECT_FALSE(model->CellText(row, 0).isEmpty()) << row;
        if (ds.ValueAt(row, ds.FieldByName("IDMatriculaT14").Index()).isNull()) continue;
        ++deMatricula;
        const int m = ds.ValueAt(row, ds.FieldByName("IDMatriculaT14").Index()).toInt();
        EXPECT_EQ(model->CellText(row, 2),
                  Scalar(QStringLiteral("SELECT NombreCompletoT01 FROM T01Alumnos JOIN "
                                        "T02Matriculas ON IDAlumnoT02 = IDAlumnoT01 WHERE "
                                        "IDMatriculaT02 = %1")
                             .arg(m))
                      .toString());
        EXPECT_FALSE(model->CellText(row, 1).isEmpty()) << row;
    }
    EXPECT_GT(deMatricula, 0);

    // The joined columns sort the list; an edit posts only the concept's own columns.
    conceptos->SortByColumn(2, Qt::DescendingOrder);
    const QString primero = model->CellText(0, 2);
    EXPECT_FALSE(primero.isEmpty());
    ASSERT_TRUE(conceptos->Run([&] {
        ds.Edit();
        ds.FieldByName(QStringLiteral("ComentariosT14")).SetValue(QStringLiteral("visto"));
        ds.Post();
    })) << prompt_->Log().join(u'\n').toStdString();
    EXPECT_EQ(Scalar(QStringLiteral("SELECT COUNT(*) FROM T14ConceptosMatricula WHERE "
                                    "ComentariosT14 = 'visto'"))
                  .toInt(),
              1);
}

TEST_F(DemoCompany, AnEnrolmentLookupNamesItsStudentAndGroup) {
    const TScreenDef& notas = def_.screens.value(QStringLiteral("notas_boletin"));
    const TControlDef& caja = notas.form[0].children[0];
    ASSERT_EQ(caja.field, QStringLiteral("IDMatriculaT25"));
    TLookupCombo combo(caja.lookup, caja.filter);
    combo.Load();
    ASSERT_GT(combo.count(), 2);
    QSet<QString> textos;
    for (int i = 1; i < combo.count(); ++i) {
        const int m = combo.itemData(i).toInt();
        QSqlQuery q = DefaultDB().Query(
            QStringLiteral("SELECT NMatriculaT02, NombreCompletoT01, NombreT05 FROM T02Matriculas "
                           "JOIN T01Alumnos ON IDAlumnoT01 = IDAlumnoT02 JOIN T05Grupos ON "
                           "IDGrupoT05 = IDGrupoT02 WHERE IDMatriculaT02 = %1")
                .arg(m));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(combo.itemText(i),
                  QStringLiteral("%1 - %2 (%3)")
                      .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString()));
        textos.insert(combo.itemText(i));
    }
    EXPECT_EQ(textos.size(), combo.count() - 1);  // no two alike
    // The list cell shows the same text as the box.
    TGridColumn columna = notas.columns[0];
    EXPECT_EQ(columna.lookup, caja.lookup);
}

TEST_F(DemoCompany, AListExportsToExcelOrCsvAndSaysWhere) {
    auto alumnos = Open(QStringLiteral("alumnos"));
    QAction* exportar = nullptr;
    for (QAction* a : alumnos->findChildren<QAction*>())
        if (a->text() == QStringLiteral("Exportar")) exportar = a;
    ASSERT_NE(exportar, nullptr);
    const int filas =
        Scalar(QStringLiteral("SELECT COUNT(*) FROM T01Alumnos WHERE IDCentroT01 = %1")
                   .arg(IDCentroActual()))
            .toInt();

    // The list as exported: look-ups as their text, every row read.
    const TExportList lista = alumnos->ExportableList();
    EXPECT_EQ(lista.rows.size(), filas);
    int formaCobro = -1;
    for (int c = 0; c < lista.columns.size(); ++c)
        if (lista.columns[c].title == QStringLiteral("Forma de cobro")) formaCobro = c;
    ASSERT_GE(formaCobro, 0);
    EXPECT_FALSE(lista.rows[0][formaCobro].toString().isEmpty());
    bool ok = false;
    lista.rows[0][formaCobro].toString().toInt(&ok);
    EXPECT_FALSE(ok) << "a payment method shows its name, not its key";

    QTemporaryDir carpeta;
    const QString xlsx = carpeta.filePath(QStringLiteral("alumnos"));  // no extension: .xlsx
    prompt_->Push(xlsx);
    exportar->trigger();
    EXPECT_TRUE(QFile::exists(xlsx + QStringLiteral(".xlsx")));
    ASSERT_FALSE(prompt_->Log().isEmpty());
    EXPECT_TRUE(prompt_->Log().last().startsWith(QStringLiteral("INFO ")));
    EXPECT_TRUE(prompt_->Log().last().contains(xlsx + QStringLiteral(".xlsx")))
        << prompt_->Log().last().toStdString();

    const QString csv = carpeta.filePath(QStringLiteral("alumnos.csv"));
    prompt_->Push(csv);
    exportar->trigger();
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\"Código\""));
    EXPECT_EQ(bytes.count("\r\n"), filas + 1);
}

TEST_F(DemoCompany, LargeListsArePagedSortedAndSearchedAsAWhole) {
    // 600 more students in the current centre.
    DefaultDB().ExecuteSQL(
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
            "INSERT INTO T01Alumnos (IDCentroT01, CodigoT01, NombreT01, NombreCompletoT01, NIFT01, "
            "ActivoT01) SELECT %1, 100000 + i, 'Zz', printf('Zz Extra %03d', i), printf('N%04d', "
            "i), 1 "
            "FROM n")
            .arg(IDCentroActual()));
    const int total =
        Scalar(QStringLiteral("SELECT COUNT(*) FROM T01Alumnos WHERE IDCentroT01 = %1")
                   .arg(IDCentroActual()))
            .toInt();
    auto alumnos = Open(QStringLiteral("alumnos"));
    TDataSet& ds = *alumnos->DataSet();
    QAbstractItemModel* model = alumnos->Grid()->model();
    EXPECT_EQ(ds.RecordCount(), TZMKScreen::kPageRows);
    EXPECT_TRUE(model->canFetchMore(QModelIndex()));
    // Scrolling on brings the next rows below those shown; the current record stays.
    ASSERT_TRUE(alumnos->Run([&] { ds.SetRecNo(5); }));
    const QVariant current = ds.FieldByName(QStringLiteral("IDAlumnoT01")).Value();
    model->fetchMore(QModelIndex());
    EXPECT_EQ(ds.RecordCount(), std::min(total, 4 * TZMKScreen::kPageRows));
    EXPECT_EQ(model->rowCount(), ds.RecordCount());
    EXPECT_EQ(ds.FieldByName(QStringLiteral("IDAlumnoT01")).Value(), current);

    // Sorting by a column reads the list again in that order.
    alumnos->SortByColumn(0, Qt::DescendingOrder);
    EXPECT_EQ(ds.RecordCount(), TZMKScreen::kPageRows);
    EXPECT_EQ(ds.ValueAt(0, ds.FieldByName("CodigoT01").Index()).toInt(), 100600);

    // The search finds a row not read yet; export and procedures see every row.
    alumnos->SortByColumn(1, Qt::AscendingOrder);
    auto* search = alumnos->findChild<QLineEdit*>();
    for (QLineEdit* e : alumnos->findChildren<QLineEdit*>())
        if (e->placeholderText().startsWith(QStringLiteral("Buscar"))) search = e;
    search->setText(QStringLiteral("Zz Extra 599"));
    emit search->textEdited(search->text());
    EXPECT_EQ(ds.FieldByName(QStringLiteral("NombreCompletoT01")).AsString(),
              QStringLiteral("Zz Extra 599"));
    EXPECT_EQ(ds.RecordCount(), total);
    EXPECT_FALSE(alumnos->HasMoreRows());
}

TEST_F(DemoCompany, SearchingBeforeAnySortLooksInTheColumnTheListIsOrderedBy) {
    auto alumnos = Open(QStringLiteral("alumnos"));
    TDataSet& ds = *alumnos->DataSet();
    ds.SetRecNo(ds.RecordCount());
    const QString last = ds.FieldByName(QStringLiteral("NombreCompletoT01")).AsString();
    ds.First();
    QLineEdit* search = nullptr;
    for (QLineEdit* e : alumnos->findChildren<QLineEdit*>())
        if (e->placeholderText().startsWith(QStringLiteral("Buscar"))) search = e;
    ASSERT_NE(search, nullptr);
    search->setText(last.left(6));
    emit search->textEdited(search->text());
    EXPECT_TRUE(ds.FieldByName(QStringLiteral("NombreCompletoT01"))
                    .AsString()
                    .startsWith(last.left(6), Qt::CaseInsensitive));
    EXPECT_GT(ds.RecNo(), 1);
}

TEST(AppFile, RefusesADetailOfAnUnknownScreen) {
    const QByteArray json = R"({"nodes": [], "screens": {"a": {"table": "T20Centros",
        "details": [{"screen": "b", "masterField": "IDCentroT20", "detailField": "X"}]}}})";
    try {
        LoadAppDefinition(json, QStringLiteral("x.zmk"));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("\"b\""))) << e.Message().toStdString();
    }
}

// Timing on a large company (escolia-cli demo FILE --students 50000), given in
// ESCOLIA_LARGE_DEMO: the students screen shows its first rows in under half a second.
TEST(LargeCompany, TheStudentsScreenOpensAtOnce) {
    const QString path = qEnvironmentVariable("ESCOLIA_LARGE_DEMO");
    if (path.isEmpty()) GTEST_SKIP() << "ESCOLIA_LARGE_DEMO not set";
    ZMKApp().SetDefaultDB(TDataBaseZMK::Open(path));
    auto previous = SetPromptService(std::make_unique<TScriptedPrompt>());
    FijaCentroActual(1);
    TZMKMenuForm menu;
    menu.SetAppDefinition(test::AppFile());
    menu.resize(1200, 800);
    menu.show();
    QElapsedTimer timer;
    timer.start();
    TZMKScreen* screen = menu.OpenNode(11780);
    ASSERT_NE(screen, nullptr);
    QCoreApplication::processEvents();
    const qint64 ms = timer.elapsed();
    std::cerr << "students screen open: " << ms << " ms, rows read "
              << screen->DataSet()->RecordCount() << std::endl;
    EXPECT_LT(ms, 500);
    menu.CloseOpenForms();
    ZMKApp().SetDefaultDB(nullptr);
    SetPromptService(std::move(previous));
    Parametres().Clear();
}

// Pictures of the screens for a look (ESCOLIA_SCREENSHOTS: the folder to write them to).
TEST_F(DemoCompany, ScreenPictures) {
    const QString dir = qEnvironmentVariable("ESCOLIA_SCREENSHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "ESCOLIA_SCREENSHOTS not set";
    TZMKMenuForm menu;
    menu.SetAppDefinition(def_);
    menu.resize(1400, 900);
    menu.show();
    for (auto it = def_.nodeScreens.begin(); it != def_.nodeScreens.end(); ++it) {
        ASSERT_NE(menu.OpenNode(it.key()), nullptr);
        QCoreApplication::processEvents();
        menu.grab().save(dir + QStringLiteral("/%1.png").arg(it.value()));
    }
}
