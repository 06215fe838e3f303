#include "host/app.h"

#include "host/database.h"
#include "host/errors.h"

namespace zmk {

TZMKApp::TZMKApp() : procedures_(this) {}
TZMKApp::~TZMKApp() = default;

void TZMKApp::SetDefaultDB(std::unique_ptr<TDataBaseZMK> db) {
    default_db_ = std::move(db);
}

std::unique_ptr<TDataBaseZMK> TZMKApp::ReleaseDefaultDB() {
    return std::move(default_db_);
}

void TZMKApp::DataEvent(TDataEvent event, TDataSet& dataSet) {
    TProcCall call;
    call.dataSourceId = dataSet.DataSourceId();
    call.dataSet = &dataSet;
    procedures_.ExecuteIfRegistered(QStringLiteral("ProcedureZMKDataEvent_") + DataEventName(event),
                                    call);
}

void TZMKApp::DataChange(TDataSet& dataSet, TField* field) {
    TProcCall call;
    call.dataSourceId = dataSet.DataSourceId();
    call.dataSet = &dataSet;
    call.field = field;
    procedures_.ExecuteIfRegistered(QStringLiteral("ProcedureZMKDataChangeEvent_DATACHANGE"), call);
}

TZMKApp& ZMKApp() {
    static TZMKApp app;
    return app;
}

TDataBaseZMK& DefaultDB() {
    TDataBaseZMK* db = ZMKApp().GetDefaultDB();
    if (!db) throw EDatabaseError(QStringLiteral("No hay ninguna base de datos abierta"));
    return *db;
}

}  // namespace zmk
