// The bank-data buttons of the screens: "BuscarCodigoBIC" fills the BIC from the IBAN and
// "GeneraDatosMandato" proposes a mandate reference and date. Both edit the screen's data set.
#include <QRandomGenerator>

#include "billing/register.h"
#include "core/bancos.h"
#include "host/datetime.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "host/querysql.h"

namespace zmk {
namespace {

// The screen's data set, ready for a change (an insert in progress stays an insert).
void PonerEnEdicion(TDataSet& dataSet) {
    if (dataSet.State() != TDataSetState::Edit && dataSet.State() != TDataSetState::Insert)
        dataSet.Edit();
}

void BuscarCodigoBIC(const TProcCall&) {
    const QString campoIBAN = Parametres().AsString(QStringLiteral("PRME01"));
    const QString campoBIC = Parametres().AsString(QStringLiteral("PRME02"));
    auto* query = Parametres().AsObject<TQuerySQL>(QStringLiteral("PRMIP_TQUERYSQL"));
    if (campoIBAN.isEmpty() || campoBIC.isEmpty() || !query) return;
    TDataSet& dataSet = query->DataSet();
    const QString iban = dataSet.FieldByName(campoIBAN).AsString();
    if (iban.isEmpty()) {
        Avisa(QStringLiteral("Para calcular el código BIC es necesario introducir el código IBAN"));
        return;
    }
    const QString bic = BuscarBIC(CodigoEntidadIBAN(iban));
    if (bic.isEmpty()) {
        Avisa(QStringLiteral("No se encuentra ningún código BIC asociado al código IBAN "
                             "indicado.\n\nIBAN buscado: ") +
              iban);
        return;
    }
    const QString pregunta =
        QStringLiteral(
            "Se ha encontrado un código BIC que se corresponde con el código IBAN "
            "introducido.\n¿Asignar el código BIC calculado?\n\nIBAN buscado: ") +
        iban + u'\n' + QStringLiteral("Código BIC encontrado: ") + bic;
    if (!PreguntaSiNo(pregunta)) return;
    PonerEnEdicion(dataSet);
    dataSet.FieldByName(campoBIC).SetAsString(bic);
}

void GeneraDatosMandato(const TProcCall&) {
    const QString campoReferencia = Parametres().AsString(QStringLiteral("PRME01"));
    const QString campoFecha = Parametres().AsString(QStringLiteral("PRME02"));
    auto* query = Parametres().AsObject<TQuerySQL>(QStringLiteral("PRMIP_TQUERYSQL"));
    if (campoReferencia.isEmpty() || campoFecha.isEmpty() || !query) return;
    const QDateTime ahora = Ahora();
    const QString referencia =
        u'A' + ahora.toString(QStringLiteral("yyMMddHHmmss")) +
        QString::number(QRandomGenerator::global()->bounded(1000)).rightJustified(3, u'0');
    const QDate fecha = ahora.date();
    const QString pregunta =
        QStringLiteral("¿Asignar los siguientes datos al mandato?\n\nReferencia del mandato: ") +
        referencia + u'\n' + QStringLiteral("Fecha del mandato: ") +
        fecha.toString(QStringLiteral("dd/MM/yyyy"));
    if (!PreguntaSiNo(pregunta)) return;
    TDataSet& dataSet = query->DataSet();
    PonerEnEdicion(dataSet);
    dataSet.FieldByName(campoReferencia).SetAsString(referencia);
    dataSet.FieldByName(campoFecha).SetAsDateTime(fecha.startOfDay());
}

}  // namespace

void RegisterBankProcedures() {
    SetProcedureBody(QStringLiteral("BuscarCodigoBIC"), BuscarCodigoBIC);
    SetProcedureBody(QStringLiteral("GeneraDatosMandato"), GeneraDatosMandato);
}

}  // namespace zmk
