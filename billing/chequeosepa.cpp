#include "billing/chequeosepa.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include "core/bancos.h"
#include "core/splash.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/datetime.h"
#include "host/prompt.h"

namespace zmk {

namespace {

TVistaInformeSEPA& Vista() {
    static TVistaInformeSEPA vista;
    return vista;
}

bool VistaPorDefecto(const QStringList& informe) {
    return Prompt().Ask({QStringLiteral("Resultado actualización de la base de datos"),
                         informe.join(QLatin1Char('\n')) +
                             QStringLiteral("\n\n¿ACEPTAR y procesar los cambios?"),
                         {TMsgButton::Yes, TMsgButton::No},
                         TMsgIcon::Question,
                         TMsgButton::No}) == TMsgButton::Yes;
}

// One table of the check.
struct TTablaSEPA {
    const char* etapa;   // progress stage
    const char* nombre;  // in the report's heading
    const char* tabla;
    const char* consulta;
    const char* clave;
    const char* iban;
    const char* bic;                                 // nullptr: the table has no BIC
    const char* nombreFila;                          // shown in the progress
    std::function<QString(const QSqlQuery&)> linea;  // the report line's start
};

QString Valor(const QSqlQuery& q, const char* campo) {
    return q.value(QLatin1String(campo)).toString();
}

}  // namespace

void SetVistaInformeSEPA(TVistaInformeSEPA vista) {
    Vista() = std::move(vista);
}

QStringList InformeDatosSEPA(bool aplicar) {
    const QString estrellas(67, QLatin1Char('*'));
    QStringList informe{
        estrellas,
        QStringLiteral("*** Comprobación de códigos IBAN y cálculo de los códigos BIC   ***"),
        QStringLiteral("*** para adaptar la información según normativa bancaria SEPA.  ***"),
        QStringLiteral("*** Si se aceptan los cambios se actualizarán los códigos BIC y ***"),
        QStringLiteral("*** se calcularán los dígitos de control de los campos IBAN     ***"),
        QStringLiteral("*** españoles \"ES\" que no tengan asignados dígitos de control   ***"),
        estrellas,
    };
    const std::vector<TTablaSEPA> tablas{
        {"Tabla Alumnos", "Alumnos", "T01Alumnos",
         "SELECT * FROM T01Alumnos WHERE (IBANT01<>'') ORDER BY CodigoT01,ApellidosT01,NombreT01",
         "IDAlumnoT01", "IBANT01", "BICT01", "NombreCompletoT01",
         [](const QSqlQuery& q) {
             return Valor(q, "CodigoT01") + QStringLiteral(" ; ") + Valor(q, "NombreCompletoT01");
         }},
        {"Tabla Matrículas", "Matrículas", "T02Matriculas",
         "SELECT * FROM T01Alumnos INNER JOIN T02Matriculas ON T01Alumnos.IDAlumnoT01 = "
         "T02Matriculas.IDAlumnoT02 WHERE (DatosCobroEnMatriculaT02 AND (IBANT02<>''))",
         "IDMatriculaT02", "IBANT02", "BICT02", "NombreCompletoT01",
         [](const QSqlQuery& q) {
             return Valor(q, "NMatriculaT02") + QStringLiteral(" ; ") +
                    Valor(q, "NombreCompletoT01");
         }},
        {"Tabla Facturas", "Facturas", "T15FacturasCab",
         "SELECT * FROM T15FacturasCab WHERE (IBANT15<>'')", "IDFacturaCabT15", "IBANT15", nullptr,
         "NombreT15",
         [](const QSqlQuery& q) {
             const QVariant fecha = q.value(QStringLiteral("FechaT15"));
             const QString f = fecha.isNull() ? QString()
                                              : SerialToDateTime(fecha.toDouble())
                                                    .date()
                                                    .toString(QStringLiteral("dd/MM/yyyy"));
             return Valor(q, "NumeroT15") + QStringLiteral(" ; ") + f + QStringLiteral(" ; ") +
                    Valor(q, "NombreT15");
         }},
        {"Tabla Formas Cobro", "Formas de Cobro", "T17FormasCobro",
         "SELECT * FROM T17FormasCobro WHERE (IBANT17<>'')", "IDFormaCobroT17", "IBANT17", "BICT17",
         "DescFormaCobroT17", [](const QSqlQuery& q) { return Valor(q, "DescFormaCobroT17"); }},
    };

    TDataBaseZMK& db = DefaultDB();
    {
        TSplashLevel progreso(QStringLiteral("Actualizar valores Base de datos"),
                              QStringLiteral("Actualizando..."));
        for (const TTablaSEPA& t : tablas) {
            TSplashLevel etapa(QString::fromUtf8(t.etapa), QStringLiteral("Actualizando..."), false,
                               30);
            informe << QStringLiteral("*** Actualizando información de la tabla %1 ***")
                           .arg(QString::fromUtf8(t.nombre));
            QSqlQuery q = db.Query(QString::fromUtf8(t.consulta));
            struct TCambio {
                QVariant clave;
                QString iban, bic;
            };
            std::vector<TCambio> cambios;
            int filas = 0, errores = 0;
            while (q.next()) {
                ++filas;
                Splash().SetText(QStringLiteral("Registro ") + Valor(q, t.nombreFila), 30);
                const QString iban = Valor(q, t.iban).trimmed();
                const QString bic = t.bic ? Valor(q, t.bic).trimmed() : QString();
                const QString error =
                    t.bic ? ComprobarIBANyBIC(iban, bic, false, false, false, false, true)
                          : ComprobarIBAN(iban, false, true, false, false);
                if (!error.isEmpty()) {
                    informe << t.linea(q) + QStringLiteral(" ; ") + error + QStringLiteral("  ") +
                                   iban;
                    ++errores;
                    continue;
                }
                if (!aplicar) continue;
                const QString completo = CompletarIBAN(iban, false);
                QString bicNuevo;
                bool cambia = completo.compare(iban, Qt::CaseInsensitive) != 0;
                if (t.bic) {
                    bicNuevo = BuscarBIC(completo.mid(4, 4));
                    cambia = cambia || bicNuevo.compare(bic, Qt::CaseInsensitive) != 0;
                    // An entity without a known BIC keeps the BIC the row has.
                    if (bicNuevo.isEmpty()) bicNuevo = bic;
                }
                if (cambia)
                    cambios.push_back({q.value(QLatin1String(t.clave)), completo, bicNuevo});
            }
            q.finish();
            for (const TCambio& c : cambios) {
                QString asignaciones = QLatin1String(t.iban) + QLatin1Char('=') + ValorSQL(c.iban);
                if (t.bic)
                    asignaciones += QLatin1Char(',') + QLatin1String(t.bic) + QLatin1Char('=') +
                                    ValorSQL(c.bic);
                ModificaRegistres(db, QString::fromLatin1(t.tabla), asignaciones,
                                  QLatin1String(t.clave) + QLatin1Char('=') + ValorSQL(c.clave));
            }
            informe << QStringLiteral("    Procesados un total de %1 registros con %2 errores.")
                           .arg(filas)
                           .arg(errores);
        }
    }
    informe << QStringLiteral("*** Finalizada la actualización ***");
    return informe;
}

bool ComprobarDatosSEPA(bool aplicar) {
    const QStringList informe = InformeDatosSEPA(aplicar);
    if (aplicar) return false;
    const bool acepta = Vista() ? Vista()(informe) : VistaPorDefecto(informe);
    if (!acepta) return false;
    InformeDatosSEPA(true);
    return true;
}

}  // namespace zmk
