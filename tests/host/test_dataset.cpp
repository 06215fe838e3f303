#include <gtest/gtest.h>

#include "host/dataset.h"
#include "host/errors.h"
#include "tests/support/testdb.h"

using namespace zmk;

namespace {

// Records every event as the hooks would see it, and can refuse one.
class RecordingSink : public IDataEventSink {
  public:
    QStringList events;
    TDataEvent refuse = TDataEvent::StateChange;
    bool refusing = false;
    void DataEvent(TDataEvent event, TDataSet& ds) override {
        events << DataEventName(event) + QStringLiteral(":%1").arg(ds.DataSourceId());
        if (refusing && event == refuse) throw EZMKError(QStringLiteral("refused"));
    }
    void DataChange(TDataSet&, TField* field) override {
        events << QStringLiteral("DATACHANGE:") +
                      (field ? field->FieldName() : QStringLiteral("-"));
    }
};

class DataSetTest : public ::testing::Test {
  protected:
    test::TestDatabase tdb;
    RecordingSink sink;
    std::unique_ptr<TDataSet> Centros() {
        auto ds = tdb.db().GetTDataSet(QStringLiteral("T20Centros"));
        ds->SetEventSink(&sink, 251);
        ds->Open();
        sink.events.clear();
        return ds;
    }
    void AddCentro(const QString& code) {
        tdb.db().ExecuteSQL(QStringLiteral("INSERT INTO T20Centros (CodigoCentroT20, ActivoT20) "
                                           "VALUES ('%1', TRUE)")
                                .arg(code));
    }
};

}  // namespace

TEST_F(DataSetTest, InsertFiresEventsInDelphiOrderAndGetsAKey) {
    auto ds = Centros();
    ds->Append();
    ds->FieldByName(QStringLiteral("CodigoCentroT20")).SetValue(QStringLiteral("C1"));
    ds->FieldByName(QStringLiteral("ActivoT20")).SetValue(true);
    ds->Post();
    EXPECT_EQ(sink.events,
              (QStringList{"BEFOREINSERT:251", "STATECHANGE:251", "DATACHANGE:-", "AFTERINSERT:251",
                           "DATACHANGE:CodigoCentroT20", "DATACHANGE:ActivoT20", "BEFOREPOST:251",
                           "STATECHANGE:251", "AFTERPOST:251"}));
    EXPECT_EQ(ds->State(), TDataSetState::Browse);
    EXPECT_GT(ds->FieldByName(QStringLiteral("IDCentroT20")).AsInteger(), 0);
    EXPECT_TRUE(ds->FieldByName(QStringLiteral("ActivoT20")).AsBoolean());
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT CodigoCentroT20 FROM T20Centros")).toString(),
              QStringLiteral("C1"));
}

TEST_F(DataSetTest, EditPostAndDeleteWriteByKey) {
    AddCentro(QStringLiteral("A"));
    AddCentro(QStringLiteral("B"));
    auto ds = Centros();
    ASSERT_EQ(ds->RecordCount(), 2);
    ds->Next();
    ds->Edit();
    ds->FieldByName(QStringLiteral("NombreCentroT20")).SetValue(QStringLiteral("Centro B"));
    ds->Post();
    EXPECT_EQ(sink.events.mid(0, 4),
              (QStringList{"DATACHANGE:-", "BEFOREEDIT:251", "STATECHANGE:251", "AFTEREDIT:251"}));
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT NombreCentroT20 FROM T20Centros WHERE "
                                        "CodigoCentroT20='B'"))
                  .toString(),
              QStringLiteral("Centro B"));
    sink.events.clear();
    ds->Delete();
    EXPECT_EQ(sink.events, (QStringList{"BEFOREDELETE:251", "AFTERDELETE:251", "DATACHANGE:-"}));
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT COUNT(*) FROM T20Centros")).toInt(), 1);
    EXPECT_EQ(ds->RecordCount(), 1);
}

TEST_F(DataSetTest, ARefusedBeforeHookLeavesEverythingAsItWas) {
    AddCentro(QStringLiteral("A"));
    auto ds = Centros();
    sink.refusing = true;
    sink.refuse = TDataEvent::BeforeInsert;
    EXPECT_THROW(ds->Append(), EZMKError);
    EXPECT_EQ(ds->State(), TDataSetState::Browse);
    sink.refuse = TDataEvent::BeforeEdit;
    EXPECT_THROW(ds->Edit(), EZMKError);
    EXPECT_EQ(ds->State(), TDataSetState::Browse);
    sink.refuse = TDataEvent::BeforeDelete;
    EXPECT_THROW(ds->Delete(), EZMKError);
    EXPECT_EQ(ds->RecordCount(), 1);
    sink.refuse = TDataEvent::BeforePost;
    ds->Edit();
    ds->FieldByName(QStringLiteral("CodigoCentroT20")).SetValue(QStringLiteral("Z"));
    EXPECT_THROW(ds->Post(), EZMKError);
    // The edit stays open with what was typed, and nothing reached the database.
    EXPECT_EQ(ds->State(), TDataSetState::Edit);
    EXPECT_EQ(ds->FieldByName(QStringLiteral("CodigoCentroT20")).AsString(), QStringLiteral("Z"));
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT CodigoCentroT20 FROM T20Centros")).toString(),
              QStringLiteral("A"));
    ds->Cancel();
    EXPECT_EQ(ds->FieldByName(QStringLiteral("CodigoCentroT20")).AsString(), QStringLiteral("A"));
}

TEST_F(DataSetTest, FieldsKeepTheirTypesAndRefuseBadValues) {
    auto ds = tdb.db().GetTDataSet(QStringLiteral("T14ConceptosMatricula"));
    ds->Open();
    ds->Append();
    TField& total = ds->FieldByName(QStringLiteral("ImporteIvaIncluidoT14"));
    total.SetValue(QStringLiteral("108,90"));
    EXPECT_EQ(total.AsCurrency(), *Currency::Parse("108.9"));
    EXPECT_THROW(total.SetValue(QStringLiteral("mucho")), EConvertError);
    ds->FieldByName(QStringLiteral("FechaAltaT14")).SetValue(QStringLiteral("2026-09-01"));
    ds->FieldByName(QStringLiteral("NOrdenT14")).SetValue(QString());
    EXPECT_TRUE(ds->FieldByName(QStringLiteral("NOrdenT14")).IsNull());
    EXPECT_THROW(ds->FieldByName(QStringLiteral("NOrdenT14")).SetValue(1.5), EConvertError);
    EXPECT_THROW(ds->FieldByName(QStringLiteral("IDConceptoMatriculaT14")).SetValue(5),
                 EDatabaseError);
    EXPECT_THROW(ds->FieldByName(QStringLiteral("NoExiste")), EDatabaseError);
    ds->Post();
    EXPECT_DOUBLE_EQ(tdb.Scalar(QStringLiteral("SELECT ImporteIvaIncluidoT14 FROM "
                                               "T14ConceptosMatricula"))
                         .toDouble(),
                     108.9);
    EXPECT_EQ(ds->FieldByName(QStringLiteral("FechaAltaT14")).AsDateTime(),
              QDateTime(QDate(2026, 9, 1), QTime(0, 0)));
}

TEST_F(DataSetTest, ReadOnlySetsAndBrowseStateRefuseChanges) {
    AddCentro(QStringLiteral("A"));
    auto ro = tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM T20Centros"));
    ro->Open();
    EXPECT_THROW(ro->Edit(), EDatabaseError);
    auto ds = Centros();
    EXPECT_THROW(ds->FieldByName(QStringLiteral("CodigoCentroT20")).SetValue(QStringLiteral("x")),
                 EDatabaseError);
}

TEST_F(DataSetTest, RefreshKeepsTheCurrentRecordAndNavigationSetsEofBof) {
    for (const char* c : {"A", "B", "C"}) AddCentro(QString::fromLatin1(c));
    auto ds = Centros();
    EXPECT_TRUE(ds->Bof());
    ds->Next();
    ds->Next();
    ds->Next();
    EXPECT_TRUE(ds->Eof());
    EXPECT_EQ(ds->RecNo(), 3);
    ds->SetRecNo(2);
    tdb.db().ExecuteSQL(QStringLiteral("DELETE FROM T20Centros WHERE CodigoCentroT20='A'"));
    ds->Refresh();
    EXPECT_EQ(ds->RecordCount(), 2);
    EXPECT_EQ(ds->FieldByName(QStringLiteral("CodigoCentroT20")).AsString(), QStringLiteral("B"));
    EXPECT_TRUE(ds->Locate(QStringLiteral("CodigoCentroT20"), QStringLiteral("C")));
    EXPECT_FALSE(ds->Locate(QStringLiteral("CodigoCentroT20"), QStringLiteral("Z")));
    ds->SetKey();
    ds->FieldByName(QStringLiteral("CodigoCentroT20")).SetValue(QStringLiteral("B"));
    EXPECT_TRUE(ds->GotoKey());
    EXPECT_EQ(ds->RecNo(), 1);
}

TEST_F(DataSetTest, TransactionsAreOneAtATime) {
    TDataBaseZMK& db = tdb.db();
    EXPECT_THROW(db.CommitTrans(), EDatabaseError);
    EXPECT_THROW(db.RollbackTrans(), EDatabaseError);
    db.BeginTrans();
    EXPECT_THROW(db.BeginTrans(), EDatabaseError);
    AddCentro(QStringLiteral("T"));
    db.RollbackTrans();
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT COUNT(*) FROM T20Centros")).toInt(), 0);
    db.BeginTrans(true);
    AddCentro(QStringLiteral("T"));
    db.CommitTrans();
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT COUNT(*) FROM T20Centros")).toInt(), 1);
}

TEST(DataBase, RefusesMissingAndForeignFiles) {
    QTemporaryDir dir;
    EXPECT_THROW(TDataBaseZMK::Open(dir.filePath(QStringLiteral("none.db"))), EDatabaseError);
    QFile f(dir.filePath(QStringLiteral("texto.db")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("esto no es una base de datos");
    f.close();
    try {
        TDataBaseZMK::Open(f.fileName());
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(
            e.Message().startsWith(QStringLiteral("El archivo no es una base de datos válida")));
    }
}

TEST_F(DataSetTest, ObserversHearEventsOnlyAfterTheHooksAccept) {
    auto ds = Centros();
    RecordingSink view;
    ds->AddObserver(&view);
    sink.refusing = true;
    sink.refuse = TDataEvent::BeforeInsert;
    EXPECT_THROW(ds->Append(), EZMKError);
    EXPECT_TRUE(view.events.isEmpty());
    sink.refusing = false;
    ds->Append();
    EXPECT_EQ(view.events, (QStringList{"BEFOREINSERT:251", "STATECHANGE:251", "DATACHANGE:-",
                                        "AFTERINSERT:251"}));
    ds->RemoveObserver(&view);
    ds->Cancel();
    EXPECT_EQ(view.events.size(), 4);
}

TEST_F(DataSetTest, AFailingAfterHookUndoesTheWholePostOrDelete) {
    AddCentro(QStringLiteral("A"));
    auto ds = Centros();
    sink.refusing = true;
    sink.refuse = TDataEvent::AfterPost;
    ds->Append();
    ds->FieldByName(QStringLiteral("CodigoCentroT20")).SetValue(QStringLiteral("B"));
    EXPECT_THROW(ds->Post(), EZMKError);
    EXPECT_EQ(ds->State(), TDataSetState::Insert);
    EXPECT_EQ(ds->RecordCount(), 1);
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT COUNT(*) FROM T20Centros")).toInt(), 1);
    EXPECT_FALSE(tdb.db().InTransaction());
    ds->Cancel();
    ds->Edit();
    ds->FieldByName(QStringLiteral("CodigoCentroT20")).SetValue(QStringLiteral("Z"));
    EXPECT_THROW(ds->Post(), EZMKError);
    EXPECT_EQ(ds->State(), TDataSetState::Edit);
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT CodigoCentroT20 FROM T20Centros")).toString(),
              QStringLiteral("A"));
    ds->Cancel();
    EXPECT_EQ(ds->FieldByName(QStringLiteral("CodigoCentroT20")).AsString(), QStringLiteral("A"));
    sink.refuse = TDataEvent::AfterDelete;
    EXPECT_THROW(ds->Delete(), EZMKError);
    EXPECT_EQ(ds->RecordCount(), 1);
    EXPECT_EQ(tdb.Scalar(QStringLiteral("SELECT COUNT(*) FROM T20Centros")).toInt(), 1);
    EXPECT_FALSE(tdb.db().InTransaction());
}

TEST_F(DataSetTest, SumsOfAmountsReadAsAmountsAndOutOfRangeAmountsAreRefused) {
    for (const char* total : {"0.1", "0.2", "325694.1"})
        tdb.db().ExecuteSQL(
            QStringLiteral("INSERT INTO T15FacturasCab (ImporteTotalT15) VALUES (%1)").arg(total));
    // The engine's binary sum is 325694.39999999997; shown, it is the amount.
    auto ds = tdb.db().GetTSQLDataSet(
        QStringLiteral("SELECT SUM(ImporteTotalT15), COUNT(*) FROM T15FacturasCab"), true);
    ds->Open();
    EXPECT_EQ(ds->Fields(0).DataType(), TFieldType::Currency);
    EXPECT_EQ(ds->Fields(0).AsString(), QStringLiteral("325694.4"));
    EXPECT_EQ(ds->Fields(1).AsInteger(), 3);
    ds->Close();

    // A stored amount beyond the range is not read as another amount.
    tdb.db().ExecuteSQL(QStringLiteral("UPDATE T15FacturasCab SET ImporteTotalT15=1e15"));
    auto fuera = tdb.db().GetTSQLDataSet(QStringLiteral("SELECT * FROM T15FacturasCab"), true);
    try {
        fuera->Open();
        ADD_FAILURE() << "read " << fuera->FieldByName("ImporteTotalT15").AsString().toStdString();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Importe fuera de rango"));
    }
    // Integers of other columns need no money range.
    tdb.db().ExecuteSQL(
        QStringLiteral("UPDATE T15FacturasCab SET ImporteTotalT15=0, "
                       "NumeroT15=123456789012345"));
    auto numeros = tdb.db().GetTSQLDataSet(QStringLiteral("SELECT NumeroT15 FROM T15FacturasCab"));
    numeros->Open();
    EXPECT_EQ(numeros->Fields(0).AsLargeInt(), 123456789012345LL);
}
