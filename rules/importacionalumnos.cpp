// The import run: one write-locked transaction, one student per chosen row, and the question
// that accepts them all or none.
#include <QDateTime>

#include "core/bancos.h"
#include "core/centroactual.h"
#include "core/splash.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/preparedstatement.h"
#include "host/prompt.h"
#include "host/transactionguard.h"
#include "rules/formimportacion.h"
#include "rules/valoresimportacion.h"

namespace zmk {

namespace {

const QString kAbortada =
    QStringLiteral("\n\n¡Operación abortada!\n\nNo se ha importado ningún registro.");

}  // namespace

void ExigirCentroParaImportar() {
    if (IDCentroActual() > 0) return;
    throw EZMKError(
        QStringLiteral("Necesita seleccionar un CENTRO como predeterminado\n\nLos datos "
                       "seleccionados se importarán en el centro predeterminado"));
}

// One run of the import over the open source table.
class TImportacionEnCurso {
  public:
    explicit TImportacionEnCurso(const TFormImportacion& form)
        : form_(form),
          db_(DefaultDB()),
          centro_(IDCentroActual()),
          maximo_(db_, QStringLiteral("SELECT MAX(CodigoT01) AS MAXIM FROM T01Alumnos\n")),
          existe_(db_, QStringLiteral("SELECT CodigoT01 FROM T01Alumnos WHERE CodigoT01=?")),
          insertar_(TPreparedStatement::Insert(db_, QStringLiteral("T01Alumnos"), Columnas())) {
        // The payment methods are read once per run: a direct-debit one for students with an
        // IBAN, another for the rest; none leaves the column empty.
        formaDomiciliada_ =
            ValorCamp(QStringLiteral("T17FormasCobro"), QStringLiteral("IDFormaCobroT17"),
                      QStringLiteral("UsaNorma19T17"));
        formaOtra_ = ValorCamp(QStringLiteral("T17FormasCobro"), QStringLiteral("IDFormaCobroT17"),
                               QStringLiteral("Not UsaNorma19T17"));
    }

    // Inserts one student from the source row (0-based).
    void ImportarRegistro(int fila) {
        const QVariantList& origen = form_.tabla_.filas.at(fila);
        QVariant codigo, nombre, apellidos, iban, bic;
        QVariantList valores{centro_};
        int importados = 0;
        for (const TCampoImportacion& c : form_.campos_) {
            if (c.esCodigo && !c.activo) codigo = SiguienteCodigo();
            if (!c.activo) {
                if (!c.esCodigo && !EsBIC(c)) valores << QVariant();
                continue;
            }
            ++importados;
            const QVariant fuente = c.origen >= 0
                                        ? origen.at(c.origen)
                                        : (c.valorFijo.isEmpty() ? QVariant() : c.valorFijo);
            TValorColumna v = ValorParaColumna(c.destino, fuente);
            if (!v.error.isEmpty())
                throw EZMKError(QStringLiteral("El valor \"") + TextoDeValor(fuente) +
                                QStringLiteral("\" del campo \"") + c.caption +
                                QStringLiteral("\" ") + v.error + QStringLiteral(" (registro ") +
                                QString::number(fila + 1) + u')' + kAbortada);
            if (c.esCodigo) {
                if (v.valor.isValid()) ExigirCodigoLibre(v.valor.toLongLong());
                codigo = v.valor;
                continue;
            }
            if (EsBIC(c)) {
                bic = v.valor;
                continue;
            }
            if (c.destino == QLatin1String("NombreT01")) nombre = v.valor;
            if (c.destino == QLatin1String("ApellidosT01")) apellidos = v.valor;
            if (c.destino == QLatin1String("IBANT01") && v.valor.isValid())
                iban = v.valor = IBANParaGuardar(v.valor.toString());
            valores << v.valor;
        }
        if (!codigo.isValid())
            throw EZMKError(
                QStringLiteral("Se ha intentado crear un alumno sin código. Verifique "
                               "los datos de origen. Operación abortada."));
        if (importados == 0) throw EZMKError(QStringLiteral("No se ha importado ningún campo"));
        const bool conIBAN = !iban.toString().trimmed().isEmpty();
        // The bank register gives the BIC of a Spanish IBAN that comes without one.
        if (conIBAN && bic.toString().trimmed().isEmpty()) {
            const QString encontrado = BuscarBIC(CodigoEntidadIBAN(LimpiarCodigo(iban.toString())));
            if (!encontrado.isEmpty()) bic = encontrado;
        }
        valores << codigo << (apellidos.toString() + QStringLiteral(", ") + nombre.toString())
                << (conIBAN ? formaDomiciliada_ : formaOtra_) << bic;
        insertar_.Run(valores);
        ++importados_;
    }

    int Importados() const { return importados_; }

  private:
    static bool EsBIC(const TCampoImportacion& c) { return c.destino == QLatin1String("BICT01"); }

    // The insert's columns: the centre, the fields in their order (but the number and the
    // BIC), then the number, the full name, the payment method and the BIC.
    QStringList Columnas() const {
        QStringList columnas{QStringLiteral("IDCentroT01")};
        for (const TCampoImportacion& c : form_.campos_)
            if (!c.esCodigo && !EsBIC(c)) columnas << c.destino;
        columnas << QStringLiteral("CodigoT01") << QStringLiteral("NombreCompletoT01")
                 << QStringLiteral("IDFormaCobroT01") << QStringLiteral("BICT01");
        return columnas;
    }

    QVariant SiguienteCodigo() {
        maximo_.Run();
        const qlonglong maximo = maximo_.Next() ? maximo_.Value(int(0)).toLongLong() : 0;
        maximo_.Finish();
        return maximo + 1;
    }

    // The number is checked against every student, those of this run included: the run
    // inserts them as it goes.
    void ExigirCodigoLibre(qlonglong codigo) {
        existe_.Run({codigo});
        const bool existe = existe_.Next();
        existe_.Finish();
        if (existe)
            throw EZMKError(QStringLiteral("Ya existe otro alumno con el código ") +
                            QString::number(codigo) + kAbortada);
    }

    const TFormImportacion& form_;
    TDataBaseZMK& db_;
    int centro_;
    TPreparedStatement maximo_, existe_, insertar_;
    QVariant formaDomiciliada_, formaOtra_;
    int importados_ = 0;
};

int TFormImportacion::Importar(TRegistrosAImportar ambito, int actual,
                               const QList<int>& seleccion) {
    ExigirCentroParaImportar();
    const QList<int> filas = FilasElegidas(ambito, actual, seleccion);
    TSplashLevel progreso(QStringLiteral("Importando"), QStringLiteral("Importando datos..."));
    TTransactionGuard transaccion(DefaultDB());
    TImportacionEnCurso run(*this);
    for (int i = 0; i < filas.size(); ++i) {
        if (ambito != TRegistrosAImportar::Actual)
            Splash().SetPosition(QStringLiteral("Importanto registro"), i, int(filas.size()));
        run.ImportarRegistro(filas[i]);
    }
    if (Pregunta(QStringLiteral("Se van a importar ") + QString::number(run.Importados()) +
                     QStringLiteral(" registros\n\n¿Aceptar el proceso?"),
                 {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Question) != TMsgButton::Yes)
        throw EAbort();
    transaccion.Commit();
    return run.Importados();
}

}  // namespace zmk
