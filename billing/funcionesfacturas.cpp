#include "billing/funcionesfacturas.h"

#include <QStringList>
#include <memory>

#include "billing/emisorfactura.h"
#include "billing/estadofactura.h"
#include "billing/factura.h"
#include "billing/opciones.h"
#include "core/parametrosapp.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "host/reports.h"
#include "rules/comunes.h"

namespace zmk {

namespace {

QString Fecha(const QDate& d) {
    return ValorSQL(QDateTime(d, QTime(0, 0)));
}

// The invoice row; raises 10407 when it does not exist.
std::unique_ptr<TDataSet> LeerFactura(int idFactura) {
    auto ds = DefaultDB().GetTSQLDataSet(
        QStringLiteral("SELECT * FROM T15FacturasCab\nWHERE IDFacturaCabT15=") +
            ValorSQL(idFactura),
        true);
    ds->Open();
    if (ds->IsEmpty()) throw EZMKError(ProgramStringFmt(10407, {idFactura}));
    return ds;
}

void Modificar(int idFactura, const QString& asignaciones, const QString& condicionExtra = {}) {
    ModificaRegistres(DefaultDB(), QStringLiteral("T15FacturasCab"), asignaciones,
                      QStringLiteral("IDFacturaCabT15=") + ValorSQL(idFactura) + condicionExtra);
}

const QStringList kColumnasCopiaCabecera{
    QStringLiteral("BaseImponible1T15"),
    QStringLiteral("BaseImponible2T15"),
    QStringLiteral("BaseImponible3T15"),
    QStringLiteral("IBANT15"),
    QStringLiteral("BICT15"),
    QStringLiteral("NIFTitularCuentaT15"),
    QStringLiteral("ReferenciaMandatoT15"),
    QStringLiteral("FechaMandatoT15"),
    QStringLiteral("TipoPagoT15"),
    QStringLiteral("CCCNombreTitularT15"),
    QStringLiteral("ConceptoSEPAT15"),
    QStringLiteral("CobradaT15"),
    QStringLiteral("CodigoAlumnoT15"),
    QStringLiteral("ComentariosT15"),
    QStringLiteral("CPT15"),
    QStringLiteral("DireccionT15"),
    QStringLiteral("FechaCobroT15"),
    QStringLiteral("FechaDevolucionT15"),
    QStringLiteral("DevueltaT15"),
    QStringLiteral("PteRevisarT15"),
    QStringLiteral("FechaT15"),
    QStringLiteral("IDAlumnoT15"),
    QStringLiteral("IDCentroT15"),
    QStringLiteral("IDFormaCobroT15"),
    QStringLiteral("IDNorma19T15"),
    QStringLiteral("IDSerieT15"),
    QStringLiteral("ImporteArticulosT15"),
    QStringLiteral("ImporteBasesImponiblesT15"),
    QStringLiteral("ImporteDescuentosT15"),
    QStringLiteral("ImporteIva1T15"),
    QStringLiteral("ImporteIva2T15"),
    QStringLiteral("ImporteIva3T15"),
    QStringLiteral("ImporteIvasT15"),
    QStringLiteral("ImporteTotalT15"),
    QStringLiteral("NIFT15"),
    QStringLiteral("NombreT15"),
    QStringLiteral("Norma19CodDevT15"),
    QStringLiteral("Norma19CodMotivoDevT15"),
    QStringLiteral("Norma19RefClienteT15"),
    QStringLiteral("Norma19RefInternaT15"),
    QStringLiteral("NumeroT15"),
    QStringLiteral("PoblacionT15"),
    QStringLiteral("ProvinciaT15"),
    QStringLiteral("SerieT15"),
    QStringLiteral("TPCIva1T15"),
    QStringLiteral("TPCIva2T15"),
    QStringLiteral("TPCIva3T15"),
    QStringLiteral("Linea01T15"),
    QStringLiteral("Linea02T15"),
    QStringLiteral("Linea03T15"),
    QStringLiteral("Linea04T15"),
    QStringLiteral("Linea05T15"),
    QStringLiteral("Linea06T15"),
    QStringLiteral("Linea07T15"),
    QStringLiteral("Linea08T15"),
};

const QStringList kColumnasCopiaLinea{
    QStringLiteral("BaseImponibleT16"),
    QStringLiteral("CodConceptoT16"),
    QStringLiteral("CodigoCentroT16"),
    QStringLiteral("CodigoCursoT16"),
    QStringLiteral("CodigoGrupoT16"),
    QStringLiteral("DescConceptoT16"),
    QStringLiteral("DescrCursoT16"),
    QStringLiteral("DescrGrupoT16"),
    QStringLiteral("IDConceptoMatriculaT16"),
    QStringLiteral("IDFacturaCabT16"),
    QStringLiteral("IDMatriculaT16"),
    QStringLiteral("ImporteBaseT16"),
    QStringLiteral("ImporteIvaIncluidoT16"),
    QStringLiteral("NMatriculaT16"),
    QStringLiteral("NombreAlumnoT16"),
    QStringLiteral("NombreCentroT16"),
    QStringLiteral("NOrdenT16"),
    QStringLiteral("TPCDtoT16"),
    QStringLiteral("TPCIvaT16"),
    QStringLiteral("UnidadesT16"),
    QStringLiteral("NMesFacturadoT16"),
    QStringLiteral("AnyoFacturadoT16"),
};

}  // namespace

int FormatoFactura() {
    return ParametrosApp().AsInteger(QStringLiteral("DefaultFormatoFactura"), 0);
}

void ImprimirFacturas(const QList<int>& ids) {
    const int formato = FormatoFactura();
    if (formato < 1 || ids.isEmpty()) return;
    try {
        PrintReport(formato,
                    QStringLiteral("IDFacturaCabT15 IN (") + SqlKeyList(ids) + QLatin1Char(')'),
                    TPrintTarget::Preview);
    } catch (const EAbort&) {
        // The user closed the printer's dialog: nothing to report.
    } catch (const EZMKError& e) {
        MuestraError(e.Message());
    }
}

void AnotarIncidenciaFactura(int idFactura, const QString& texto, bool resuelta) {
    const int idCentro =
        VarAEnter(ValorCamp(QStringLiteral("T15FacturasCab"), QStringLiteral("IDCentroT15"),
                            QStringLiteral("IDFacturaCabT15=") + ValorSQL(idFactura)));
    const QDateTime ahora = Ahora();
    CreaRegistre(DefaultDB(), QStringLiteral("T11Incidencias"),
                 {QStringLiteral("IDCentroT11"), QStringLiteral("IDFacturaCabT11"),
                  QStringLiteral("IDAlumnoT11"), QStringLiteral("IDTipoIncidenciaT11"),
                  QStringLiteral("AutomaticaT11"), QStringLiteral("IncidenciaT11"),
                  QStringLiteral("ResueltaT11"), QStringLiteral("TituloT11"),
                  QStringLiteral("DiaHoraT11"), QStringLiteral("DiaHoraResolucionT11")},
                 {idCentro > 0 ? QVariant(idCentro) : QVariant(), idFactura, QVariant(), QVariant(),
                  true, texto, resuelta, texto, ahora, ahora});
}

QString DescripcionFactura(TDataSet& factura) {
    TField& numero = factura.FieldByName(QStringLiteral("NumeroT15"));
    TField& serie = factura.FieldByName(QStringLiteral("SerieT15"));
    QString texto =
        numero.IsNull() ? ProgramString(10422) : ProgramStringFmt(10421, {numero.AsInteger()});
    texto += serie.AsString().isEmpty() ? ProgramString(10423)
                                        : ProgramStringFmt(10424, {serie.AsString()});
    texto += ProgramStringFmt(
        10425,
        {factura.FieldByName(QStringLiteral("NombreT15")).AsString(),
         FormatoDivisa(factura.FieldByName(QStringLiteral("ImporteTotalT15")).AsCurrency())});
    return texto;
}

void CobrarFactura(int idFactura, int idRemesa, bool numerar, int idFormaCobro,
                   const QDate& fechaFactura, bool cambiarFecha, const QDate& fechaCobro,
                   bool ponerFechaCobro) {
    auto ds = LeerFactura(idFactura);
    if (ds->FieldByName(QStringLiteral("CobradaT15")).AsBoolean())
        throw EZMKError(ProgramString(10401));
    QString asignaciones = QStringLiteral(
        "CobradaT15=TRUE,PteRevisarT15=FALSE,FechaDevolucionT15=NULL,DevueltaT15=FALSE");
    if (ds->FieldByName(QStringLiteral("NumeroT15")).IsNull() && numerar) {
        const QVariant idSerie = ds->FieldByName(QStringLiteral("IDSerieT15")).Value();
        const int n = SiguienteNumeroFactura(idSerie);
        asignaciones += QStringLiteral(",NumeroT15=") + ValorSQL(n);
        if (VarAEnter(idSerie) > 0)
            ModificaRegistres(DefaultDB(), QStringLiteral("T18Series"),
                              QStringLiteral("NSiguienteFacturaT18=") + ValorSQL(n + 1),
                              QStringLiteral("IDSerieT18=") + ValorSQL(idSerie));
    }
    if (idRemesa > 0) asignaciones += QStringLiteral(",IDNorma19T15=") + ValorSQL(idRemesa);
    if (ponerFechaCobro) asignaciones += QStringLiteral(",FechaCobroT15=") + Fecha(fechaCobro);
    if (cambiarFecha) asignaciones += QStringLiteral(",FechaT15=") + Fecha(fechaFactura);
    if (idFormaCobro > 0)
        asignaciones += QStringLiteral(",IDFormaCobroT15=") + ValorSQL(idFormaCobro);
    Modificar(idFactura, asignaciones);
    AnotarIncidenciaFactura(idFactura, QStringLiteral("10-Cobro de factura"), true);
}

int DevolverFactura(int idFactura, const QVariant& codigoMotivo, const QDate& fechaDevolucion) {
    TDataBaseZMK& db = DefaultDB();
    auto ds = LeerFactura(idFactura);
    switch (EstadoFactura(*ds)) {
        case kFacturaPendiente:
            throw EZMKError(ProgramString(10409));
        case kFacturaDevuelta:
            throw EZMKError(ProgramString(10410));
        case kFacturaCobrada:
            break;
        default:
            throw EZMKError(ProgramString(10408));
    }
    const bool hayMotivo = codigoMotivo.isValid() && !codigoMotivo.isNull();
    QString asignaciones;
    if (!ds->FieldByName(QStringLiteral("IDNorma19T15")).IsNull() && hayMotivo)
        asignaciones = QStringLiteral("Norma19CodMotivoDevT15=") +
                       ValorSQL(codigoMotivo.toString()) + QLatin1Char(',');
    asignaciones += QStringLiteral("CobradaT15=TRUE,DevueltaT15=TRUE,FechaDevolucionT15=") +
                    Fecha(fechaDevolucion);
    Modificar(idFactura, asignaciones);
    AnotarIncidenciaFactura(idFactura, QStringLiteral("11-Devolución de factura"), false);

    // The copy that lets the returned amount be collected again.
    // It is the same invoice presented again: it keeps the issuer the original was issued with.
    QStringList columnas = kColumnasCopiaCabecera;
    if (ds->FindField(ColumnasEmisor().first())) columnas += ColumnasEmisor();
    QVariantList valores;
    for (const QString& c : columnas) valores << ds->FieldByName(c).Value();
    auto poner = [&](const char* columna, const QVariant& v) {
        valores[columnas.indexOf(QLatin1String(columna))] = v;
    };
    poner("TipoPagoT15", QVariant());
    poner("CobradaT15", false);
    poner("FechaDevolucionT15", QDateTime(fechaDevolucion, QTime(0, 0)));
    poner("DevueltaT15", false);
    poner("PteRevisarT15", true);
    poner("IDNorma19T15", QVariant());
    poner("Norma19CodMotivoDevT15", hayMotivo ? QVariant(codigoMotivo.toString()) : QVariant());
    const int nuevo =
        VarAEnter(CreaRegistreNouID(db, QStringLiteral("T15FacturasCab"),
                                    QStringLiteral("IDFacturaCabT15"), columnas, valores));

    auto lineas =
        db.GetTSQLDataSet(QStringLiteral("SELECT * FROM T16FacturasCue WHERE IDFacturaCabT16=") +
                              ValorSQL(idFactura) + QStringLiteral(" ORDER BY IDFacturaCueT16"),
                          true);
    lineas->Open();
    for (lineas->First(); !lineas->Eof(); lineas->Next()) {
        QVariantList v;
        for (const QString& c : kColumnasCopiaLinea)
            v << (c == QLatin1String("IDFacturaCabT16") ? QVariant(nuevo)
                                                        : lineas->FieldByName(c).Value());
        CreaRegistre(db, QStringLiteral("T16FacturasCue"), kColumnasCopiaLinea, v);
    }
    db.ExecuteSQL(
        QStringLiteral(
            "INSERT INTO T11Incidencias\n(AutomaticaT11,DiaHoraResolucionT11,DiaHoraT11,"
            "IDAlumnoT11,IDCentroT11,IDCursoT11,IDFacturaCabT11,IDGrupoT11,IDMatriculaT11,"
            "IDProfesorT11,IDTipoIncidenciaT11,IncidenciaT11,ResueltaT11,TituloT11)\nSELECT "
            "AutomaticaT11,DiaHoraResolucionT11,DiaHoraT11,IDAlumnoT11,IDCentroT11,"
            "IDCursoT11,") +
        ValorSQL(nuevo) +
        QStringLiteral(",IDGrupoT11,IDMatriculaT11,IDProfesorT11,IDTipoIncidenciaT11,IncidenciaT11,"
                       "ResueltaT11,TituloT11\nFROM T11Incidencias\nWHERE IDFacturaCabT11=") +
        ValorSQL(idFactura));
    return nuevo;
}

void AnularDevolucion(int idFactura) {
    auto ds = LeerFactura(idFactura);
    if (EstadoFactura(*ds) != kFacturaDevuelta) throw EZMKError(ProgramString(10411));
    Modificar(idFactura,
              QStringLiteral("DevueltaT15=FALSE,FechaDevolucionT15=NULL,CobradaT15=TRUE"));
    AnotarIncidenciaFactura(idFactura, QStringLiteral("12-Anular devolución de factura"), true);
}

void AnularCobro(int idFactura) {
    auto ds = LeerFactura(idFactura);
    if (EstadoFactura(*ds) != kFacturaCobrada) throw EZMKError(ProgramString(10412));
    if (!ds->FieldByName(QStringLiteral("IDNorma19T15")).IsNull())
        throw EZMKError(ProgramString(10413));
    Modificar(idFactura,
              QStringLiteral("FechaCobroT15=NULL,FechaDevolucionT15=NULL,CobradaT15=FALSE"),
              QStringLiteral(" AND (Not DevueltaT15)"));
    AnotarIncidenciaFactura(idFactura, QStringLiteral("14-Anular cobro de factura"), true);
}

}  // namespace zmk
