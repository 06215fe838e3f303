#include "billing/emisorfactura.h"

#include "core/datosempresa.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"

namespace zmk {

namespace {

// Each column with its company datum's place in LeeDatosEmpresa's list.
struct TColumnaEmisor {
    const char* columna;
    int dato;
};

constexpr TColumnaEmisor kEmisor[] = {
    {"EmisorNombreT15", 0}, {"EmisorCIFT15", 4},       {"EmisorDireccionT15", 1},
    {"EmisorCPT15", 3},     {"EmisorPoblacionT15", 2},
};

}  // namespace

const QStringList& ColumnasEmisor() {
    static const QStringList columnas = [] {
        QStringList c;
        for (const TColumnaEmisor& e : kEmisor) c << QString::fromLatin1(e.columna);
        return c;
    }();
    return columnas;
}

QVariantList EmisorActual() {
    const QStringList datos = LeeDatosEmpresa();
    QVariantList valores;
    for (const TColumnaEmisor& e : kEmisor) {
        const QString v = datos.value(e.dato).trimmed();
        valores << (v.isEmpty() || v == QLatin1String("?") ? QVariant() : QVariant(v));
    }
    return valores;
}

void AseguraEmisorFacturas() {
    TDataBaseZMK* db = ZMKApp().GetDefaultDB();
    if (!db || db->ReadOnly() || db->InTransaction() ||
        !db->TableExists(QStringLiteral("T15FacturasCab")))
        return;
    const QStringList existentes = db->Columns(QStringLiteral("T15FacturasCab"));
    QStringList faltan;
    for (const QString& c : ColumnasEmisor())
        if (!existentes.contains(c, Qt::CaseInsensitive)) faltan << c;
    if (faltan.isEmpty()) return;
    try {
        db->BeginTrans(true);
        QString asignaciones;
        QVariantList valores;
        const QVariantList actual = EmisorActual();
        for (const QString& c : faltan) {
            db->ExecuteSQL(
                QStringLiteral("ALTER TABLE T15FacturasCab ADD COLUMN %1 TEXT COLLATE NOCASE")
                    .arg(c));
            asignaciones += (asignaciones.isEmpty() ? QString() : QStringLiteral(", ")) + c +
                            QStringLiteral(" = ?");
            valores << actual[ColumnasEmisor().indexOf(c)];
        }
        db->Prepared(QStringLiteral("UPDATE T15FacturasCab SET ") + asignaciones, valores);
        db->CommitTrans();
    } catch (const EZMKError&) {
        // Another workstation holding the file: nothing changed, the next connection adds them.
        if (db->InTransaction()) db->RollbackTrans();
    }
}

}  // namespace zmk
