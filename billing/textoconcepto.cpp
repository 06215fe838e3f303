#include "billing/textoconcepto.h"

#include <algorithm>
#include <functional>

#include "billing/register.h"
#include "core/parametrosapp.h"
#include "core/sqlhelpers.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/prompt.h"

namespace zmk {
namespace {

const char* const kNombresMesLargos[12] = {"Enero",      "Febrero", "Marzo",     "Abril",
                                           "Mayo",       "Junio",   "Julio",     "Agosto",
                                           "Septiembre", "Octubre", "Noviembre", "Diciembre"};

const char* const kCamposMesCobroT14[12] = {
    "CobrarEneroT14",      "CobrarFebreroT14", "CobrarMarzoT14",     "CobrarAbrilT14",
    "CobrarMayoT14",       "CobrarJunioT14",   "CobrarJulioT14",     "CobrarAgostoT14",
    "CobrarSeptiembreT14", "CobrarOctubreT14", "CobrarNoviembreT14", "CobrarDiciembreT14"};

const char* const kMarcadores[kCamposConceptoRecibo] = {"{nombre_alumno}",
                                                        "{nombre_centro}",
                                                        "{numero_matricula}",
                                                        "{codigo_curso}",
                                                        "{nombre_curso}",
                                                        "{codigo_grupo}",
                                                        "{nombre_grupo}",
                                                        "{concepto}",
                                                        "{fra_numero_factura}",
                                                        "{fra_fecha_factura}",
                                                        "{fra_numero_mes}",
                                                        "{fra_nombre_mes}",
                                                        "{fra_anyo}",
                                                        "{fra_importe_total}",
                                                        "{importe_base}",
                                                        "{unidades}",
                                                        "{porcentaje_descuento}",
                                                        "{base_imponible}",
                                                        "{porcentaje_iva}",
                                                        "{importe_total}"};

// The order in which the placeholders are replaced: the invoice's values first.
const TCampoConceptoRecibo kOrdenSustitucion[kCamposConceptoRecibo] = {
    crFraNumeroFactura, crFraFechaFactura,     crFraNumeroMes,  crFraNombreMes,    crFraAnyo,
    crFraImporteTotal,  crNombreAlumno,        crNombreCentro,  crNumeroMatricula, crCodigoCurso,
    crNombreCurso,      crCodigoGrupo,         crNombreGrupo,   crConcepto,        crImporteBase,
    crUnidades,         crPorcentajeDescuento, crBaseImponible, crPorcentajeIva,   crImporteTotal};

const QString kPrmFiltroMes = QStringLiteral("PRM_FILTRO_MES_FACTURAR");
const QString kPrmFiltroAno = QStringLiteral("PRM_FILTRO_ANO_FACTURAR");
const QString kTituloFiltro = QStringLiteral("Facturación");

// Months counted from January of year 0, so that month numbers past December (or before
// January) fall into the right year.
int MesesAbsolutos(int anyo, int mes) {
    return anyo * 12 + (mes - 1);
}
int FloorDiv(int a, int b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

QString NombreMesRelativo(int anyo, int mes) {
    int absoluto = MesesAbsolutos(anyo, mes);
    return NombreMesLargo(absoluto - FloorDiv(absoluto, 12) * 12 + 1);
}

int AnyoMesRelativo(int anyo, int mes) {
    return FloorDiv(MesesAbsolutos(anyo, mes), 12);
}

// A month typed as its number or its name; 0 when it is neither.
int LeeMes(const QString& texto) {
    bool ok = false;
    int mes = texto.trimmed().toInt(&ok);
    if (ok) return (mes >= 1 && mes <= 12) ? mes : 0;
    for (int i = 1; i <= 12; ++i)
        if (texto.trimmed().compare(NombreMesLargo(i), Qt::CaseInsensitive) == 0) return i;
    return 0;
}

// Asks until the answer is valid; cancelling aborts.
int PideEntero(const QString& pregunta, int defecto,
               const std::function<int(const QString&)>& lee) {
    for (;;) {
        auto respuesta = Prompt().InputBox(kTituloFiltro, pregunta, QString::number(defecto));
        if (!respuesta) throw EAbort();
        if (int valor = lee(*respuesta)) return valor;
    }
}

TDialogoFiltroMes& DialogoFiltroMes() {
    static TDialogoFiltroMes dialogo;
    return dialogo;
}

}  // namespace

TDialogoFiltroMes SetDialogoFiltroMes(TDialogoFiltroMes dialogo) {
    TDialogoFiltroMes anterior = std::move(DialogoFiltroMes());
    DialogoFiltroMes() = std::move(dialogo);
    return anterior;
}

QString NombreMesLargo(int mes) {
    return (mes >= 1 && mes <= 12) ? QString::fromUtf8(kNombresMesLargos[mes - 1]) : QString();
}

QString CampoMesCobroT14(int mes) {
    return (mes >= 1 && mes <= 12) ? QString::fromLatin1(kCamposMesCobroT14[mes - 1]) : QString();
}

QString ExpandirTextoConcepto(const QString& texto, int anyo, int mes) {
    QString r = texto;
    r.replace(QStringLiteral("[AÑO]"), QString::number(anyo), Qt::CaseInsensitive);
    r.replace(QStringLiteral("[MES]"), NombreMesRelativo(anyo, mes), Qt::CaseInsensitive);
    for (int i = 1; i <= 12; ++i)
        r.replace(QStringLiteral("[MES%1]").arg(i), NombreMesRelativo(anyo, mes + i - 1),
                  Qt::CaseInsensitive);
    for (int i = 1; i <= 12; ++i)
        r.replace(QStringLiteral("[AÑO%1]").arg(i),
                  QString::number(AnyoMesRelativo(anyo, mes + i - 1)), Qt::CaseInsensitive);
    return r;
}

QString MarcadorConceptoRecibo(TCampoConceptoRecibo campo) {
    return QString::fromLatin1(kMarcadores[campo]);
}

TConceptoRecibo FormatearConceptoRecibo(bool incluirOpcional, const QString& formato,
                                        const TValoresConceptoRecibo& valores) {
    TConceptoRecibo r;
    bool opcional = false;
    for (QChar c : formato) {
        if (c == QLatin1Char('['))
            opcional = true;
        else if (c == QLatin1Char(']'))
            opcional = false;
        else if (!opcional || incluirOpcional)
            r.texto += c;
    }
    // One pass over the format: a value that looks like a placeholder (a concept named
    // "{importe_total}") is text, not expanded again.
    QString expandido;
    for (qsizetype i = 0; i < r.texto.size();) {
        bool sustituido = false;
        if (r.texto[i] == QLatin1Char('{')) {
            for (TCampoConceptoRecibo campo : kOrdenSustitucion) {
                const QString marcador = MarcadorConceptoRecibo(campo);
                if (QStringView(r.texto)
                        .mid(i, marcador.size())
                        .compare(marcador, Qt::CaseInsensitive) == 0) {
                    expandido += valores[campo];
                    i += marcador.size();
                    sustituido = true;
                    break;
                }
            }
        }
        if (!sustituido) expandido += r.texto[i++];
    }
    r.texto = expandido;
    if (int pos = r.texto.indexOf(QLatin1Char('{')); pos >= 0)
        r.error = QStringLiteral("Encontrado un carácter \"{\" en la posición %1. ").arg(pos + 1);
    if (int pos = r.texto.indexOf(QLatin1Char('}')); pos >= 0)
        r.error += QStringLiteral("Encontrado un carácter \"}\" en la posición %1. ").arg(pos + 1);
    return r;
}

void FiltroMesFacturar() {
    TParametres& prm = Parametres();
    prm.DeleteParam(kPrmFiltroMes);
    prm.DeleteParam(kPrmFiltroAno);

    QDate hoy = Hoy();
    int mes = 0, anyo = 0;
    if (DialogoFiltroMes()) {
        std::optional<TMesAnyo> elegido =
            DialogoFiltroMes()({hoy.month(), std::clamp(hoy.year(), 2000, 2100)});
        if (!elegido) throw EAbort();
        mes = elegido->mes;
        anyo = elegido->anyo;
    } else {
        mes = PideEntero(QStringLiteral("Seleccione el Mes a Facturar:"), hoy.month(), LeeMes);
        anyo = PideEntero(QStringLiteral("Año a Facturar:"), std::clamp(hoy.year(), 2000, 2100),
                          [](const QString& texto) {
                              bool ok = false;
                              int y = texto.trimmed().toInt(&ok);
                              return (ok && y >= 2000 && y <= 2100) ? y : 0;
                          });
    }

    prm.SetParametreValue(kPrmFiltroMes, mes);
    prm.SetParametreValue(QStringLiteral("PRMS01"), CampoMesCobroT14(mes));
    prm.SetParametreValue(QStringLiteral("PRMS02"), QStringLiteral("Conceptos a facturar en ") +
                                                        NombreMesLargo(mes).toUpper() +
                                                        QLatin1Char(' ') + QString::number(anyo));
    prm.SetParametreValue(kPrmFiltroAno, anyo);
    prm.SetParametreValue(QStringLiteral("PRMS03"), mes);
    prm.SetParametreValue(QStringLiteral("PRMS04"), anyo);
    if (ParametrosApp().AsBoolean(QStringLiteral("EvitarDuplicadosConceptos"), true)) {
        prm.SetParametreValue(QStringLiteral("PRMS05"), true);
        prm.SetParametreValue(
            QStringLiteral("PRMS06"),
            QStringLiteral(" (NOT (IDConceptoMatriculaT14 IN (SELECT "
                           "COALESCE(IDConceptoMatriculaT16,-1) FROM T16FacturasCue WHERE "
                           "NMesFacturadoT16=") +
                ValorSQL(mes) + QStringLiteral(" AND AnyoFacturadoT16=") + ValorSQL(anyo) +
                QStringLiteral(")))"));
    } else {
        prm.SetParametreValue(QStringLiteral("PRMS05"), 0);
        prm.SetParametreValue(QStringLiteral("PRMS06"), QString());
    }
}

void TZMKDS_TextoConcepto::CreateParams() {
    if (!Params().ParamExists(kFieldValue)) Params().AddParam(kFieldValue, QVariant());
}

void TZMKDS_TextoConcepto::ParamsSetValor(const QString& name, const QVariant& value) {
    TCustomZMKDataSourceAbstract::ParamsSetValor(name, value);
    if (name.compare(kFieldValue, Qt::CaseInsensitive) == 0) texto_ = value.toString();
}

QVariant TZMKDS_TextoConcepto::ParamsGetValor(const QString& name) {
    QVariant valor = TCustomZMKDataSourceAbstract::ParamsGetValor(name);
    if (name.compare(kFieldValue, Qt::CaseInsensitive) == 0) return texto_;
    return valor;
}

bool TZMKDS_TextoConcepto::Execute(const QString&) {
    auto texto = Prompt().InputBox(QStringLiteral("Codificación del Concepto"),
                                   QStringLiteral("Texto del concepto codificado:"), texto_);
    if (!texto) return false;
    texto_ = texto->left(kLongitudMaxima);
    return true;
}

void RegisterConceptTextProcedures() {
    SetProcedureBody(QStringLiteral("FILTRO_MES_FACTURAR"),
                     [](const TProcCall&) { FiltroMesFacturar(); });
    ZMKDataSource_RegisterClassName(
        TZMKDS_TextoConcepto::kNombre,
        [](const QString& name) -> std::unique_ptr<TCustomZMKDataSourceAbstract> {
            if (name.compare(TZMKDS_TextoConcepto::kNombre, Qt::CaseInsensitive) != 0)
                return nullptr;
            return std::make_unique<TZMKDS_TextoConcepto>();
        });
}

void UnregisterConceptTextProcedures() {
    ZMKDataSource_UnRegisterCreateClass(TZMKDS_TextoConcepto::kNombre);
}

}  // namespace zmk
