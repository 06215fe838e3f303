#include "billing/textorecibo.h"

#include <QDate>
#include <QStringList>
#include <algorithm>

#include "billing/textoconcepto.h"
#include "core/parametrosapp.h"
#include "core/sqlhelpers.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/prompt.h"

namespace zmk {
namespace {

struct TCampoDetalle {
    char letra;
    bool derecha;
};
// The field letters of the detail template, in the order they are written.
const TCampoDetalle kCamposDetalle[] = {
    {'A', false}, {'W', false}, {'N', false}, {'c', false}, {'C', false}, {'g', false},
    {'G', false}, {'D', false}, {'m', false}, {'M', false}, {'a', false}, {'b', true},
    {'u', true},  {'%', true},  {'i', true},  {'I', true},  {'T', true}};

QString TextoEntero(const std::optional<int>& n) {
    return n ? QString::number(*n) : QString();
}

QHash<QChar, QString> ValoresDetalle(const TLineaFactura& l) {
    return {
        {QLatin1Char('A'), l.alumno},
        {QLatin1Char('W'), l.centro},
        {QLatin1Char('N'), l.nMatricula},
        {QLatin1Char('c'), l.codCurso},
        {QLatin1Char('C'), l.curso},
        {QLatin1Char('g'), l.codGrupo},
        {QLatin1Char('G'), l.grupo},
        {QLatin1Char('D'), l.concepto},
        {QLatin1Char('m'), TextoEntero(l.mes)},
        {QLatin1Char('M'), l.mes ? NombreMesLargo(*l.mes) : QString()},
        {QLatin1Char('a'), TextoEntero(l.anyo)},
        {QLatin1Char('b'), FormatoImporte(l.precio)},
        {QLatin1Char('u'), l.unidades ? l.unidades->ToString().replace(u'.', u',') : QString()},
        {QLatin1Char('%'), FormatoPorcentaje(l.dto)},
        {QLatin1Char('i'), FormatoImporte(l.base)},
        {QLatin1Char('I'), FormatoPorcentaje(l.iva)},
        {QLatin1Char('T'), FormatoImporte(l.total)},
    };
}

TValoresConceptoRecibo ValoresConcepto(const TCabeceraRecibo& cabecera,
                                       const QHash<QChar, QString>& detalle) {
    TValoresConceptoRecibo v;
    v[crNombreAlumno] = detalle.value(QLatin1Char('A'));
    v[crNombreCentro] = detalle.value(QLatin1Char('W'));
    v[crNumeroMatricula] = detalle.value(QLatin1Char('N'));
    v[crCodigoCurso] = detalle.value(QLatin1Char('c'));
    v[crNombreCurso] = detalle.value(QLatin1Char('C'));
    v[crCodigoGrupo] = detalle.value(QLatin1Char('g'));
    v[crNombreGrupo] = detalle.value(QLatin1Char('G'));
    v[crConcepto] = detalle.value(QLatin1Char('D'));
    v[crFraNumeroFactura] = TextoEntero(cabecera.numero);
    if (!cabecera.fecha.isNull()) {
        const QDate& d = cabecera.fecha;
        v[crFraFechaFactura] = d.toString(QStringLiteral("dd/MM/yyyy"));
        v[crFraNumeroMes] = QString::number(d.month());
        v[crFraNombreMes] = NombreMesLargo(d.month());
        v[crFraAnyo] = QString::number(d.year());
    }
    v[crFraImporteTotal] = FormatoImporte(cabecera.total);
    v[crImporteBase] = detalle.value(QLatin1Char('b'));
    v[crUnidades] = detalle.value(QLatin1Char('u'));
    v[crPorcentajeDescuento] = detalle.value(QLatin1Char('%'));
    v[crBaseImponible] = detalle.value(QLatin1Char('i'));
    v[crPorcentajeIva] = detalle.value(QLatin1Char('I'));
    v[crImporteTotal] = detalle.value(QLatin1Char('T'));
    return v;
}

std::optional<int> Entero(TField& campo) {
    return campo.IsNull() ? std::nullopt : std::optional<int>(campo.AsInteger());
}

}  // namespace

TFormatoRecibo TFormatoRecibo::PorDefecto() {
    TFormatoRecibo f;
    f.nLineasCabecera = 2;
    f.cabecera[0] = QString(32, QLatin1Char(' ')) + QStringLiteral("CONCEPTO") +
                    QString(33, QLatin1Char(' ')) + QStringLiteral("IMPORTE");
    f.cabecera[1] = QString(72, QLatin1Char('-')) + QLatin1Char(' ') + QString(7, QLatin1Char('-'));
    f.cabecera[2] = f.cabecera[1];
    f.detalle = QString(72, QLatin1Char('D')) + QLatin1Char(' ') + QString(7, QLatin1Char('T'));
    f.nLineasPie = 1;
    f.pie[0] = QString(80, QLatin1Char('='));
    f.pie[1] = QString();
    f.conceptoSepa = QStringLiteral("{concepto}");
    return f;
}

TFormatoRecibo TFormatoRecibo::DeOpciones() {
    const TFormatoRecibo d = PorDefecto();
    TParametrosApp& o = ParametrosApp();
    TFormatoRecibo f;
    f.nLineasCabecera = std::clamp(o.AsInteger(kNLineasCabecera, d.nLineasCabecera), 0, 3);
    f.cabecera[0] = o.AsString(kLinea1Cabecera, d.cabecera[0]);
    f.cabecera[1] = o.AsString(kLinea2Cabecera, d.cabecera[1]);
    f.cabecera[2] = o.AsString(kLinea3Cabecera, d.cabecera[2]);
    f.detalle = o.AsString(kLineaDetalle, d.detalle);
    f.nLineasPie = std::clamp(o.AsInteger(kNLineasPie, d.nLineasPie), 0, 2);
    f.pie[0] = o.AsString(kLinea1Pie, d.pie[0]);
    f.pie[1] = o.AsString(kLinea2Pie, d.pie[1]);
    f.conceptoSepa = o.AsString(kConceptoSepa, d.conceptoSepa);
    return f;
}

// The receipt is read in Spanish: a decimal comma ("0.00" as a Spanish system writes it).
QString FormatoImporte(Currency importe) {
    return importe.ToString(2).replace(u'.', u',');
}

QString FormatoPorcentaje(Currency porcentaje) {
    QString s = porcentaje.ToString(1);
    if (s.endsWith(QLatin1String(".0"))) s.chop(2);
    return s.replace(u'.', u',');
}

QString ComponerLineaDetalle(const QString& plantilla, const QHash<QChar, QString>& valores) {
    QString linea(TFormatoRecibo::kAnchoLinea, QLatin1Char(' '));
    for (const TCampoDetalle& campo : kCamposDetalle) {
        QChar letra = QLatin1Char(campo.letra);
        int inicio = plantilla.indexOf(letra);
        if (inicio < 0) continue;
        int fin = inicio;
        while (fin < plantilla.size() && plantilla[fin] == letra) ++fin;
        if (fin > TFormatoRecibo::kAnchoLinea) continue;
        int ancho = fin - inicio;
        QString valor = valores.value(letra);
        linea.replace(inicio, ancho,
                      campo.derecha ? valor.rightJustified(ancho, QLatin1Char(' '), true)
                                    : valor.leftJustified(ancho, QLatin1Char(' '), true));
    }
    return linea;
}

TLineaFactura TLineaFactura::De(TDataSet& ds) {
    auto campo = [&](const char* nombre) -> TField& {
        return ds.FieldByName(QLatin1String(nombre));
    };
    TLineaFactura l;
    l.id = campo("IDFacturaCueT16").Value();
    l.alumno = campo("NombreAlumnoT16").AsString();
    l.centro = campo("NombreCentroT16").AsString();
    l.nMatricula = campo("NMatriculaT16").AsString();
    l.codCurso = campo("CodigoCursoT16").AsString();
    l.curso = campo("DescrCursoT16").AsString();
    l.codGrupo = campo("CodigoGrupoT16").AsString();
    l.grupo = campo("DescrGrupoT16").AsString();
    l.concepto = campo("DescConceptoT16").AsString();
    l.mes = Entero(campo("NMesFacturadoT16"));
    l.anyo = Entero(campo("AnyoFacturadoT16"));
    l.precio = campo("ImporteBaseT16").AsCurrency();
    l.dto = campo("TPCDtoT16").AsCurrency();
    l.base = campo("BaseImponibleT16").AsCurrency();
    l.iva = campo("TPCIvaT16").AsCurrency();
    l.ivaNulo = campo("TPCIvaT16").IsNull();
    l.total = campo("ImporteIvaIncluidoT16").AsCurrency();
    TField& unidades = campo("UnidadesT16");
    if (!unidades.IsNull()) l.unidades = unidades.AsCurrency();
    return l;
}

TTextoRecibo ComponerRecibo(const TFormatoRecibo& formato, const TCabeceraRecibo& cabecera,
                            const std::vector<TLineaFactura>& lineasFactura) {
    QStringList lineas;
    for (int i = 0; i < formato.nLineasCabecera; ++i) lineas << formato.cabecera[i];
    QString conceptoSepa;
    for (const TLineaFactura& l : lineasFactura) {
        const QHash<QChar, QString> detalle = ValoresDetalle(l);
        lineas << ComponerLineaDetalle(formato.detalle, detalle);
        // Optional sections belong to the first line's text only.
        TConceptoRecibo concepto = FormatearConceptoRecibo(
            conceptoSepa.isEmpty(), formato.conceptoSepa, ValoresConcepto(cabecera, detalle));
        if (!concepto.error.isEmpty()) Informa(concepto.error);
        conceptoSepa += concepto.texto;
    }
    for (int i = 0; i < formato.nLineasPie; ++i) lineas << formato.pie[i];

    TTextoRecibo recibo;
    for (int k = 0; k < TFormatoRecibo::kLineas && k < lineas.size(); ++k)
        recibo.lineas[k] = lineas[k].left(TFormatoRecibo::kAnchoLinea);
    recibo.conceptoSepa = conceptoSepa.left(TFormatoRecibo::kAnchoConceptoSepa);
    return recibo;
}

void GenerarTextoRecibo(int idFactura) {
    TDataBaseZMK& db = DefaultDB();
    const TFormatoRecibo formato = TFormatoRecibo::DeOpciones();
    auto ds = db.GetTSQLDataSet(
        QStringLiteral("SELECT T16FacturasCue.*,T15FacturasCab.* \nFROM T15FacturasCab INNER "
                       "JOIN T16FacturasCue ON T15FacturasCab.IDFacturaCabT15 = "
                       "T16FacturasCue.IDFacturaCabT16\nWHERE IDFacturaCabT16=") +
            ValorSQL(idFactura) + QStringLiteral("\nORDER BY IDFacturaCueT16,NOrdenT16"),
        true);
    ds->Open();
    std::vector<TLineaFactura> lineas;
    TCabeceraRecibo cabecera;
    for (ds->First(); !ds->Eof(); ds->Next()) {
        if (lineas.empty()) {
            cabecera.numero = Entero(ds->FieldByName(QStringLiteral("NumeroT15")));
            TField& fecha = ds->FieldByName(QStringLiteral("FechaT15"));
            if (!fecha.IsNull()) cabecera.fecha = fecha.AsDateTime().date();
            cabecera.total = ds->FieldByName(QStringLiteral("ImporteTotalT15")).AsCurrency();
        }
        lineas.push_back(TLineaFactura::De(*ds));
    }
    ds->Close();
    const TTextoRecibo recibo = ComponerRecibo(formato, cabecera, lineas);

    QString asignaciones;
    for (int k = 1; k <= TFormatoRecibo::kLineas; ++k)
        asignaciones += QStringLiteral("Linea%1T15=").arg(k, 2, 10, QLatin1Char('0')) +
                        ValorSQL(recibo.lineas[k - 1]) + QLatin1Char(',');
    asignaciones += QStringLiteral("ConceptoSEPAT15=") + ValorSQL(recibo.conceptoSepa);
    ModificaRegistres(db, QStringLiteral("T15FacturasCab"), asignaciones,
                      QStringLiteral("IDFacturaCabT15=") + ValorSQL(idFactura));
}

}  // namespace zmk
