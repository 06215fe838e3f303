#include "billing/cabecerafactura.h"

#include <QSqlQuery>

#include "billing/emisorfactura.h"
#include "billing/factura.h"
#include "core/bancos.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/errors.h"

namespace zmk {

namespace {

const QStringList kColumnasCabecera{
    QStringLiteral("IDAlumnoT15"),
    QStringLiteral("IDCentroT15"),
    QStringLiteral("IDFormaCobroT15"),
    QStringLiteral("IDNorma19T15"),
    QStringLiteral("IDSerieT15"),
    QStringLiteral("SerieT15"),
    QStringLiteral("NumeroT15"),
    QStringLiteral("FechaCobroT15"),
    QStringLiteral("FechaT15"),
    QStringLiteral("CodigoAlumnoT15"),
    QStringLiteral("NIFT15"),
    QStringLiteral("NombreT15"),
    QStringLiteral("DireccionT15"),
    QStringLiteral("CPT15"),
    QStringLiteral("PoblacionT15"),
    QStringLiteral("ProvinciaT15"),
    QStringLiteral("IBANT15"),
    QStringLiteral("CCCNombreTitularT15"),
    QStringLiteral("NIFTitularCuentaT15"),
    QStringLiteral("ReferenciaMandatoT15"),
    QStringLiteral("FechaMandatoT15"),
    QStringLiteral("BICT15"),
    QStringLiteral("ImporteArticulosT15"),
    QStringLiteral("ImporteDescuentosT15"),
    QStringLiteral("ImporteBasesImponiblesT15"),
    QStringLiteral("ImporteIvasT15"),
    QStringLiteral("ImporteTotalT15"),
    QStringLiteral("TPCIva1T15"),
    QStringLiteral("BaseImponible1T15"),
    QStringLiteral("ImporteIva1T15"),
    QStringLiteral("TPCIva2T15"),
    QStringLiteral("BaseImponible2T15"),
    QStringLiteral("ImporteIva2T15"),
    QStringLiteral("TPCIva3T15"),
    QStringLiteral("BaseImponible3T15"),
    QStringLiteral("ImporteIva3T15"),
    QStringLiteral("CobradaT15"),
    QStringLiteral("ComentariosT15"),
};

// The payment data put on an invoice, as stored.
struct TDatosCobro {
    QVariant idFormaCobro, iban, titular, nifTitular, referenciaMandato, fechaMandato, bic;
};

TDatosCobro LeerDatosCobro(TPreparedStatement& q, const QString& sufijo) {
    auto v = [&](const QString& campo) { return q.Value(campo + sufijo); };
    return {v(QStringLiteral("IDFormaCobro")),
            v(QStringLiteral("IBAN")),
            v(QStringLiteral("CCCNombreTitular")),
            v(QStringLiteral("NIFTitularCuenta")),
            v(QStringLiteral("ReferenciaMandato")),
            v(QStringLiteral("FechaMandato")),
            v(QStringLiteral("BIC"))};
}

QString Recortado(const QVariant& v) {
    return v.toString().trimmed();
}

bool GuardaEmisor(TDataBaseZMK& db) {
    const QStringList columnas = db.Columns(QStringLiteral("T15FacturasCab"));
    for (const QString& c : ColumnasEmisor())
        if (!columnas.contains(c, Qt::CaseInsensitive)) return false;
    return true;
}

QStringList ColumnasInsertadas(TDataBaseZMK& db) {
    return GuardaEmisor(db) ? kColumnasCabecera + ColumnasEmisor() : kColumnasCabecera;
}

}  // namespace

TCreadorCabeceras::TCreadorCabeceras(TDataBaseZMK& db)
    : db_(db),
      matricula_(db, QStringLiteral("SELECT * FROM T02Matriculas WHERE IDMatriculaT02=?")),
      // Student first: the engine then finds the row by its key instead of going through every
      // student of every payment method.
      alumno_(db, QStringLiteral("SELECT * FROM T01Alumnos LEFT JOIN T17FormasCobro ON "
                                 "T17FormasCobro.IDFormaCobroT17=T01Alumnos.IDFormaCobroT01 "
                                 "WHERE IDAlumnoT01=?")),
      insertar_(
          TPreparedStatement::Insert(db, QStringLiteral("T15FacturasCab"), ColumnasInsertadas(db))),
      avanzarSerie_(
          db, QStringLiteral("UPDATE T18Series SET NSiguienteFacturaT18=? WHERE IDSerieT18=?")),
      emisor_(GuardaEmisor(db) ? EmisorActual() : QVariantList()) {}

TCreadorCabeceras::TSerie& TCreadorCabeceras::Serie(int idSerie) {
    auto it = series_.find(idSerie);
    if (it != series_.end()) return *it;
    TSerie serie;
    QSqlQuery q = db_.Query(QStringLiteral("SELECT * FROM T18Series WHERE IDSerieT18=") +
                            ValorSQL(db_, idSerie));
    if (q.next()) {
        serie.existe = true;
        serie.texto = q.value(QStringLiteral("SerieT18")).toString();
    }
    return *series_.insert(idSerie, serie);
}

int TCreadorCabeceras::Crear(int idCentro, int idAlumno, int idSerie, bool datosPadreOMadre,
                             bool numerar, const QDate& fecha, int idMatricula) {
    std::optional<TDatosCobro> cobro;
    if (idMatricula > 0) {
        matricula_.Run({idMatricula});
        if (matricula_.Next() && FromStorage(TFieldType::Boolean, matricula_.Value(QStringLiteral(
                                                                      "DatosCobroEnMatriculaT02")))
                                     .toBool())
            cobro = LeerDatosCobro(matricula_, QStringLiteral("T02"));
        matricula_.Finish();
    }
    if (idAlumno < 1) throw EZMKError(ProgramString(10001));

    QVariant numero;
    TSerie& serie = Serie(idSerie);
    if (numerar) {
        if (!serie.existe) {
            numero = SiguienteNumeroFactura(idSerie);
        } else {
            if (serie.siguiente == 0) serie.siguiente = SiguienteNumeroFactura(idSerie);
            numero = serie.siguiente;
        }
    }

    alumno_.Run({idAlumno});
    if (!alumno_.Next()) throw EZMKError(ProgramStringFmt(10002, {idAlumno}));
    if (!cobro) cobro = LeerDatosCobro(alumno_, QStringLiteral("T01"));
    auto alumno = [&](const char* campo) { return alumno_.Value(QString::fromLatin1(campo)); };
    const QString nombreCompleto = alumno("NombreCompletoT01").toString();

    if (FromStorage(TFieldType::Boolean, alumno("UsaNorma19T17")).toBool()) {
        const QString iban = Recortado(cobro->iban);
        if (iban.isEmpty() || Recortado(cobro->titular).isEmpty())
            throw EZMKError(
                QStringLiteral("¡ATENCIÓN!\nFaltan algunos datos de cobro del alumno ") +
                nombreCompleto +
                QStringLiteral(" que impiden que pueda ser cobrado mediante la norma "
                               "SEPA.\nVerifique los datos de cobro del alumno (Nombre "
                               "del titular y el IBAN) y/o de sus matrículas"));
        const QString error = ComprobarIBAN(iban, false, false, false, false);
        if (!error.isEmpty())
            throw EZMKError(QStringLiteral("¡ATENCIÓN!\nEl código IBAN del alumno ") +
                            nombreCompleto + QStringLiteral(" presenta el siguiente error:\n") +
                            error + QStringLiteral("\nVerifique el código IBAN (") + iban +
                            QStringLiteral(") del alumno y/o de sus matrículas"));
    }

    QVariant nombre = alumno("NombreCompletoT01");
    QVariant nif = alumno("NIFT01");
    if (datosPadreOMadre) {
        if (!Recortado(alumno("NombrePadreT01")).isEmpty() &&
            !Recortado(alumno("DNIPadreT01")).isEmpty()) {
            nombre = alumno("NombrePadreT01");
            nif = alumno("DNIPadreT01");
        } else if (!Recortado(alumno("NombreMadreT01")).isEmpty() &&
                   !Recortado(alumno("DNIMadreT01")).isEmpty()) {
            nombre = alumno("NombreMadreT01");
            nif = alumno("DNIMadreT01");
        }
    }

    const QVariant nulo;
    const QVariant cero = 0.0;
    const QVariant codigo =
        alumno("CodigoT01").isNull() ? nulo : QVariant(alumno("CodigoT01").toString());
    QVariantList valores{
        idAlumno,
        idCentro > 0 ? QVariant(idCentro) : nulo,
        cobro->idFormaCobro,
        nulo,
        idSerie,
        serie.existe ? QVariant(serie.texto) : nulo,
        numero,
        nulo,
        DateTimeToSerial(QDateTime(fecha, QTime(0, 0))),
        codigo,
        nif,
        nombre,
        alumno("DomicilioT01"),
        alumno("CPPoblacionT01"),
        alumno("PoblacionT01"),
        alumno("ProvinciaT01"),
        cobro->iban,
        cobro->titular,
        cobro->nifTitular,
        cobro->referenciaMandato,
        cobro->fechaMandato,
        cobro->bic,
        cero,
        cero,
        cero,
        cero,
        cero,
        nulo,
        cero,
        cero,
        nulo,
        cero,
        cero,
        nulo,
        cero,
        cero,
        0,
        nulo,
    };
    valores += emisor_;
    alumno_.Finish();
    insertar_.Run(valores);
    const int id = insertar_.LastInsertId().toInt();
    ultimoNumero_ = numero;

    if (serie.existe && numerar) {
        serie.siguiente = numero.toInt() + 1;
        avanzarSerie_.Run({serie.siguiente, idSerie});
    }
    return id;
}

int CrearCabeceraFactura(int idCentro, int idAlumno, int idSerie, bool datosPadreOMadre,
                         bool numerar, const QDate& fecha, int idMatricula) {
    TCreadorCabeceras creador(DefaultDB());
    return creador.Crear(idCentro, idAlumno, idSerie, datosPadreOMadre, numerar, fecha,
                         idMatricula);
}

}  // namespace zmk
