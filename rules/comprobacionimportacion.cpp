#include "rules/comprobacionimportacion.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>

#include "core/bancos.h"
#include "host/app.h"
#include "host/atomicfile.h"
#include "host/database.h"
#include "rules/avisosguardado.h"
#include "rules/valoresimportacion.h"

namespace zmk {

namespace {

bool EsNIF(const QString& destino) {
    return destino == QLatin1String("NIFT01") || destino == QLatin1String("DNIPadreT01") ||
           destino == QLatin1String("DNIMadreT01");
}

// The students' numbers already in the database (of every centre, as the import checks them)
// and the highest of them.
struct TCodigosExistentes {
    QSet<qlonglong> codigos;
    qlonglong maximo = 0;
};

TCodigosExistentes LeerCodigosExistentes() {
    TCodigosExistentes e;
    QSqlQuery q =
        DefaultDB().Query(QStringLiteral("SELECT CodigoT01 FROM T01Alumnos WHERE CodigoT01 IS NOT "
                                         "NULL"));
    while (q.next()) {
        const qlonglong codigo = q.value(0).toLongLong();
        e.codigos.insert(codigo);
        e.maximo = std::max(e.maximo, codigo);
    }
    return e;
}

// One pass over the chosen rows, numbering them as the import would.
class TComprobador {
  public:
    explicit TComprobador(const TFormImportacion& form)
        : form_(form), existentes_(LeerCodigosExistentes()), maximo_(existentes_.maximo) {
        for (const TCampoImportacion& c : form_.Campos())
            if (c.activo) ++activos_;
    }

    TFilaComprobada Comprobar(int fila) {
        TFilaComprobada r;
        r.fila = fila;
        const QVariantList& origen = form_.Tabla().filas.at(fila);
        QString nombre, apellidos;
        QVariant codigo;
        bool conCodigo = false, conIBAN = false, conBIC = false;
        QString iban;
        for (const TCampoImportacion& c : form_.Campos()) {
            if (!c.activo) continue;
            const QVariant fuente = c.origen >= 0
                                        ? origen.at(c.origen)
                                        : (c.valorFijo.isEmpty() ? QVariant() : c.valorFijo);
            const TValorColumna v = ValorParaColumna(c.destino, fuente);
            if (!v.error.isEmpty()) {
                Aviso(r, c.caption,
                      QStringLiteral("el valor \"") + TextoDeValor(fuente) + QStringLiteral("\" ") +
                          v.error,
                      true);
                if (c.esCodigo) conCodigo = true;
                continue;
            }
            if (v.cortado)
                Aviso(r, c.caption,
                      QStringLiteral("el texto se recortará a %1 caracteres")
                          .arg(LongitudColumna(c.destino)));
            const QString texto = v.valor.toString().trimmed();
            if (c.esCodigo) {
                conCodigo = true;
                codigo = v.valor;
            } else if (c.destino == QLatin1String("NombreT01")) {
                nombre = v.valor.toString();
            } else if (c.destino == QLatin1String("ApellidosT01")) {
                apellidos = v.valor.toString();
            } else if (c.destino == QLatin1String("IBANT01") && !texto.isEmpty()) {
                conIBAN = true;
                iban = IBANParaGuardar(v.valor.toString());
                // What is wrong with it shows best without the separators it was printed with.
                const QString limpio = LimpiarCodigo(iban);
                const QString error =
                    ComprobarIBAN(limpio.isEmpty() ? texto : limpio, false, false, false, false);
                if (!error.isEmpty()) Aviso(r, c.caption, error);
            } else if (c.destino == QLatin1String("BICT01")) {
                conBIC = !texto.isEmpty();
            } else if (EsNIF(c.destino)) {
                const QString error = ProblemaNIF(texto);
                if (!error.isEmpty()) Aviso(r, c.caption, error);
            } else if (c.destino == QLatin1String("EMailT01")) {
                const QString error = ProblemaEMail(texto);
                if (!error.isEmpty()) Aviso(r, c.caption, error);
            }
        }
        if (activos_ == 0)
            Aviso(r, QString(), QStringLiteral("No se ha importado ningún campo"), true);
        Numerar(r, conCodigo, codigo);
        if (conIBAN && !conBIC &&
            iban.left(2).compare(QLatin1String("ES"), Qt::CaseInsensitive) == 0 &&
            ComprobarIBAN(iban.trimmed(), false, false, false, false).isEmpty() &&
            BuscarBIC(CodigoEntidadIBAN(iban)).isEmpty())
            Aviso(r, QStringLiteral("Código BIC"),
                  QStringLiteral("no se encuentra el código BIC para la entidad ") +
                      CodigoEntidadIBAN(iban) + QStringLiteral("; el alumno quedará sin BIC"));
        if (nombre.trimmed().isEmpty())
            Aviso(r, QStringLiteral("Nombre"),
                  apellidos.trimmed().isEmpty()
                      ? QStringLiteral("el alumno no tendrá nombre ni apellidos")
                      : QStringLiteral("el alumno no tendrá nombre"));
        r.nombreCompleto = apellidos + QStringLiteral(", ") + nombre;
        return r;
    }

  private:
    static void Aviso(TFilaComprobada& r, const QString& campo, const QString& texto,
                      bool detiene = false) {
        r.avisos.append({campo, texto, detiene});
    }

    // A mapped number must be free in the database and in the rows before; without a mapped
    // number the import gives the next after the highest, those of this run included.
    void Numerar(TFilaComprobada& r, bool conCodigo, const QVariant& codigo) {
        const QString campo = form_.Campos().front().caption;
        if (!conCodigo) {
            r.codigo = ++maximo_;
            asignados_.insert(maximo_, r.fila);
            return;
        }
        if (!codigo.isValid()) {
            const bool ilegible = std::any_of(r.avisos.cbegin(), r.avisos.cend(),
                                              [&](const auto& a) { return a.campo == campo; });
            if (!ilegible)
                Aviso(r, campo,
                      QStringLiteral("el registro no tiene código: la importación se detendrá"),
                      true);
            return;
        }
        const qlonglong n = codigo.toLongLong();
        r.codigo = n;
        if (existentes_.codigos.contains(n))
            Aviso(r, campo,
                  QStringLiteral("Ya existe otro alumno con el código ") + QString::number(n),
                  true);
        else if (asignados_.contains(n))
            Aviso(r, campo,
                  QStringLiteral("el código %1 ya lo lleva el registro %2 del archivo")
                      .arg(n)
                      .arg(asignados_.value(n) + 1),
                  true);
        else
            asignados_.insert(n, r.fila);
        maximo_ = std::max(maximo_, n);
    }

    const TFormImportacion& form_;
    const TCodigosExistentes existentes_;
    qlonglong maximo_;
    QHash<qlonglong, int> asignados_;  // number given in this run, and its row
    int activos_ = 0;
};

QString CampoCSV(QString texto) {
    return u'"' + texto.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

}  // namespace

int TComprobacionImportacion::FilasConAvisos() const {
    return int(std::count_if(filas.cbegin(), filas.cend(),
                             [](const TFilaComprobada& f) { return !f.avisos.isEmpty(); }));
}

int TComprobacionImportacion::FilasQueDetienen() const {
    return int(std::count_if(filas.cbegin(), filas.cend(), [](const TFilaComprobada& f) {
        return std::any_of(f.avisos.cbegin(), f.avisos.cend(),
                           [](const TAvisoImportacion& a) { return a.detiene; });
    }));
}

QString TComprobacionImportacion::Resumen() const {
    return QStringLiteral("Comprobados %1 registros: %2 con avisos, %3 detendrían la importación.")
        .arg(filas.size())
        .arg(FilasConAvisos())
        .arg(FilasQueDetienen());
}

TComprobacionImportacion ComprobarImportacion(const TFormImportacion& form,
                                              TRegistrosAImportar ambito, int actual,
                                              const QList<int>& seleccion) {
    TComprobacionImportacion r;
    TComprobador comprobador(form);
    for (int fila : form.FilasElegidas(ambito, actual, seleccion))
        r.filas.append(comprobador.Comprobar(fila));
    return r;
}

QStringList TitulosComprobacion() {
    return {QStringLiteral("Registro"), QStringLiteral("Código"), QStringLiteral("Nombre"),
            QStringLiteral("Tipo"),     QStringLiteral("Campo"),  QStringLiteral("Descripción")};
}

QList<QStringList> LineasComprobacion(const TComprobacionImportacion& comprobacion) {
    QList<QStringList> lineas;
    for (const TFilaComprobada& f : comprobacion.filas) {
        const QStringList fila{QString::number(f.fila + 1),
                               f.codigo.isValid() ? f.codigo.toString() : QString(),
                               f.nombreCompleto};
        if (f.avisos.isEmpty())
            lineas.append(fila + QStringList{QStringLiteral("Correcto"), {}, {}});
        for (const TAvisoImportacion& a : f.avisos)
            lineas.append(fila +
                          QStringList{a.detiene ? QStringLiteral("Error") : QStringLiteral("Aviso"),
                                      a.campo, a.texto});
    }
    return lineas;
}

void GuardarComprobacionCSV(const TComprobacionImportacion& comprobacion, const QString& archivo) {
    QByteArray csv("\xEF\xBB\xBF");
    auto linea = [&](const QStringList& campos) {
        QStringList citados;
        for (const QString& c : campos) citados << CampoCSV(c);
        csv += citados.join(u';').toUtf8() + "\r\n";
    };
    linea(TitulosComprobacion());
    for (const QStringList& l : LineasComprobacion(comprobacion)) linea(l);
    WriteFileAtomically(archivo, csv);
}

}  // namespace zmk
