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

QString TextoEntero(TField& campo) {
    return campo.IsNull() ? QString() : QString::number(campo.AsInteger());
}
QString TextoNumero(TField& campo) {
    return campo.IsNull() ? QString() : campo.AsCurrency().ToString();
}

QHash<QChar, QString> ValoresDetalle(TDataSet& ds) {
    auto texto = [&](const char* campo) { return ds.FieldByName(QLatin1String(campo)).AsString(); };
    auto importe = [&](const char* campo) {
        return FormatoImporte(ds.FieldByName(QLatin1String(campo)).AsCurrency());
    };
    auto porcentaje = [&](const char* campo) {
        return FormatoPorcentaje(ds.FieldByName(QLatin1String(campo)).AsCurrency());
    };
    TField& mes = ds.FieldByName(QStringLiteral("NMesFacturadoT16"));
    return {
        {QLatin1Char('A'), texto("NombreAlumnoT16")},
        {QLatin1Char('W'), texto("NombreCentroT16")},
        {QLatin1Char('N'), texto("NMatriculaT16")},
        {QLatin1Char('c'), texto("CodigoCursoT16")},
        {QLatin1Char('C'), texto("DescrCursoT16")},
        {QLatin1Char('g'), texto("CodigoGrupoT16")},
        {QLatin1Char('G'), texto("DescrGrupoT16")},
        {QLatin1Char('D'), texto("DescConceptoT16")},
        {QLatin1Char('m'), TextoEntero(mes)},
        {QLatin1Char('M'), mes.IsNull() ? QString() : NombreMesLargo(mes.AsInteger())},
        {QLatin1Char('a'), TextoEntero(ds.FieldByName(QStringLiteral("AnyoFacturadoT16")))},
        {QLatin1Char('b'), importe("ImporteBaseT16")},
        {QLatin1Char('u'), TextoNumero(ds.FieldByName(QStringLiteral("UnidadesT16")))},
        {QLatin1Char('%'), porcentaje("TPCDtoT16")},
        {QLatin1Char('i'), importe("BaseImponibleT16")},
        {QLatin1Char('I'), porcentaje("TPCIvaT16")},
        {QLatin1Char('T'), importe("ImporteIvaIncluidoT16")},
    };
}

TValoresConceptoRecibo ValoresConcepto(TDataSet& ds, const QHash<QChar, QString>& detalle) {
    TValoresConceptoRecibo v;
    v[crNombreAlumno] = detalle.value(QLatin1Char('A'));
    v[crNombreCentro] = detalle.value(QLatin1Char('W'));
    v[crNumeroMatricula] = detalle.value(QLatin1Char('N'));
    v[crCodigoCurso] = detalle.value(QLatin1Char('c'));
    v[crNombreCurso] = detalle.value(QLatin1Char('C'));
    v[crCodigoGrupo] = detalle.value(QLatin1Char('g'));
    v[crNombreGrupo] = detalle.value(QLatin1Char('G'));
    v[crConcepto] = detalle.value(QLatin1Char('D'));
    v[crFraNumeroFactura] = TextoEntero(ds.FieldByName(QStringLiteral("NumeroT15")));
    TField& fecha = ds.FieldByName(QStringLiteral("FechaT15"));
    if (!fecha.IsNull()) {
        QDate d = fecha.AsDateTime().date();
        v[crFraFechaFactura] = d.toString(QStringLiteral("dd/MM/yyyy"));
        v[crFraNumeroMes] = QString::number(d.month());
        v[crFraNombreMes] = NombreMesLargo(d.month());
        v[crFraAnyo] = QString::number(d.year());
    }
    v[crFraImporteTotal] =
        FormatoImporte(ds.FieldByName(QStringLiteral("ImporteTotalT15")).AsCurrency());
    v[crImporteBase] = detalle.value(QLatin1Char('b'));
    v[crUnidades] = detalle.value(QLatin1Char('u'));
    v[crPorcentajeDescuento] = detalle.value(QLatin1Char('%'));
    v[crBaseImponible] = detalle.value(QLatin1Char('i'));
    v[crPorcentajeIva] = detalle.value(QLatin1Char('I'));
    v[crImporteTotal] = detalle.value(QLatin1Char('T'));
    return v;
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

QString FormatoImporte(Currency importe) {
    return importe.ToString(2);
}

QString FormatoPorcentaje(Currency porcentaje) {
    QString s = porcentaje.ToString(1);
    if (s.endsWith(QLatin1String(".0"))) s.chop(2);
    return s;
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

void GenerarTextoRecibo(int idFactura) {
    TDataBaseZMK& db = DefaultDB();
    const TFormatoRecibo formato = TFormatoRecibo::DeOpciones();
    QStringList lineas;
    for (int i = 0; i < formato.nLineasCabecera; ++i) lineas << formato.cabecera[i];

    QString conceptoSepa;
    auto ds = db.GetTSQLDataSet(
        QStringLiteral("SELECT T16FacturasCue.*,T15FacturasCab.* \nFROM T15FacturasCab INNER "
                       "JOIN T16FacturasCue ON T15FacturasCab.IDFacturaCabT15 = "
                       "T16FacturasCue.IDFacturaCabT16\nWHERE IDFacturaCabT16=") +
            ValorSQL(idFactura) + QStringLiteral("\nORDER BY IDFacturaCueT16,NOrdenT16"),
        true);
    ds->Open();
    for (ds->First(); !ds->Eof(); ds->Next()) {
        QHash<QChar, QString> detalle = ValoresDetalle(*ds);
        lineas << ComponerLineaDetalle(formato.detalle, detalle);
        // Optional sections belong to the first line's text only.
        TConceptoRecibo concepto = FormatearConceptoRecibo(
            conceptoSepa.isEmpty(), formato.conceptoSepa, ValoresConcepto(*ds, detalle));
        if (!concepto.error.isEmpty()) Informa(concepto.error);
        conceptoSepa += concepto.texto;
    }
    ds->Close();
    for (int i = 0; i < formato.nLineasPie; ++i) lineas << formato.pie[i];

    QString asignaciones;
    for (int k = 1; k <= TFormatoRecibo::kLineas; ++k) {
        QString linea =
            k <= lineas.size() ? lineas[k - 1].left(TFormatoRecibo::kAnchoLinea) : QString();
        asignaciones += QStringLiteral("Linea%1T15=").arg(k, 2, 10, QLatin1Char('0')) +
                        ValorSQL(linea) + QLatin1Char(',');
    }
    asignaciones += QStringLiteral("ConceptoSEPAT15=") +
                    ValorSQL(conceptoSepa.left(TFormatoRecibo::kAnchoConceptoSepa));
    ModificaRegistres(db, QStringLiteral("T15FacturasCab"), asignaciones,
                      QStringLiteral("IDFacturaCabT15=") + ValorSQL(idFactura));
}

}  // namespace zmk
