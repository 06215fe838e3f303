#include "core/centroactual.h"

#include "core/parametrosapp.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/parametres.h"

namespace zmk {

namespace {
std::function<void()>& ChangeCallback() {
    static std::function<void()> callback;
    return callback;
}
const QString kId = QStringLiteral("PRMIDCentroActual");
const QString kCodigo = QStringLiteral("PRMCodigoCentroActual");
const QString kNombre = QStringLiteral("PRMNombreCentroActual");
}  // namespace

int IDCentroActual() {
    return Parametres().AsInteger(kId, 0);
}

void FijaCentroActual(int idCentro) {
    TDataBaseZMK& db = DefaultDB();
    auto ds = db.GetTSQLDataSet(QStringLiteral("SELECT * FROM T20Centros WHERE IDCentroT20=") +
                                ValorSQL(db, idCentro));
    ds->Open();
    if (ds->IsEmpty()) {
        ParametrosApp().SetValue(kId, QVariant());
        Parametres().SetParametreValue(kId, QVariant());
        Parametres().SetParametreValue(kCodigo, QString());
        Parametres().SetParametreValue(kNombre, QString());
    } else {
        int id = ds->FieldByName(QStringLiteral("IDCentroT20")).AsInteger();
        ParametrosApp().SetValue(kId, id);
        Parametres().SetParametreValue(kId, id);
        Parametres().SetParametreValue(
            kCodigo, ds->FieldByName(QStringLiteral("CodigoCentroT20")).AsString());
        Parametres().SetParametreValue(
            kNombre, ds->FieldByName(QStringLiteral("NombreCentroT20")).AsString());
    }
    // The current centre belongs to the open database, never to the saved block.
    for (const QString& name : {kId, kCodigo, kNombre}) Parametres().SetWritables(name, false);
    if (ChangeCallback()) ChangeCallback()();
}

void FijaCentroDeLaSesion(int idCentro) {
    TDataBaseZMK& db = DefaultDB();
    if (CompteRegistres(db, QStringLiteral("*"), QStringLiteral("T20Centros"),
                        QStringLiteral("IDCentroT20=") + ValorSQL(db, idCentro)) > 0) {
        FijaCentroActual(idCentro);
        return;
    }
    Parametres().SetParametreValue(kId, idCentro);
    Parametres().SetParametreValue(kCodigo, QString());
    Parametres().SetParametreValue(kNombre, QString());
    for (const QString& name : {kId, kCodigo, kNombre}) Parametres().SetWritables(name, false);
    if (ChangeCallback()) ChangeCallback()();
}

void RecargaCentroActual() {
    FijaCentroActual(ParametrosApp().AsInteger(kId, -1));
}

void SetCentroChangeCallback(std::function<void()> callback) {
    ChangeCallback() = std::move(callback);
}

}  // namespace zmk
