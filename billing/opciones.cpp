#include "billing/opciones.h"

#include "billing/textoconcepto.h"
#include "core/parametrosapp.h"
#include "host/parametres.h"
#include "host/reports.h"

namespace zmk {

namespace {

struct TOpcion {
    const char* clave;
    QVariant valor;
    int tipo;
    const char* descripcion;
};

const QString kHandlerFacturacion = QStringLiteral("DeclararOpcionesFacturacion");
const QString kHandlerDivisa = QStringLiteral("DeclararOpcionesDivisa");

void Declarar(const std::vector<TOpcion>& opciones) {
    for (const TOpcion& o : opciones)
        ParametrosApp().DefineParametro(QString::fromUtf8(o.clave),
                                        QString::fromUtf8(o.descripcion), o.valor, o.tipo);
}

QString Repite(char c, int n) {
    return QString(n, QLatin1Char(c));
}

}  // namespace

void DeclararOpcionesFacturacion() {
    const QString guiones = Repite('-', 72) + QLatin1Char(' ') + Repite('-', 7);
    Declarar({
        {"NuevoCodigoAlumno", 1, tpInteger, "El código del siguiente alumno"},
        {"DefaultFormatoFactura", QVariant(), tpInteger, "El Formato de Factura predefinido"},
        {"TipoCodigoReferencia_N19", QVariant(), tpInteger,
         "Tipo de código de referéncia en la Norma 19"},
        {"AgruparPorAlumno", false, tpBoolean, "Facturar agrupando por alumno"},
        {"NumerarFacturas", true, tpBoolean, "Numerar las facturas al facturar"},
        {"PermitirCrearFactManualmente", false, tpBoolean,
         "Permiso para crear facturas manualmente"},
        {"EvitarDuplicadosFechaFactura", true, tpBoolean,
         "Evitar los duplicados al facturar segun fecha factura"},
        {"EvitarDuplicadosConceptos", true, tpBoolean,
         "Evitar los duplicados al facturar por conceptos"},
        {"FacturarAlAlumnoRelacionado", false, tpBoolean, "Facturar al alumno relacionado"},
        {"FacturarConDatosPadreOMadre", false, tpBoolean,
         "Facturar usando los datos del padre o madre del alumno(nombre y NIF)"},
        {"ComprobarFechaBajaMatrAlFact", false, tpBoolean,
         "Comprobar la fecha de baja de las matrículas al facturar"},
        {"FacturarObligarSerieEnFacturas", true, tpBoolean,
         "Al facturar manualmente obligar a seleccionar una serie para la factura"},
        {"NumerarFacturaAlCobrar", false, tpBoolean, "Numerar la factura al cobrarla"},
        {"ModificarFechaFacturaAlCobrar", false, tpBoolean,
         "Modificar la fecha de factura al cobrarla si no tiene número"},
        {"GR_D_NLineasCabecera", 2, tpInteger,
         "Detalle Recibos: Número de líneas que se mostrarán en la cabecera del recibo"},
        {"GR_D_NLineasPie", 1, tpInteger,
         "Detalle Recibos: Número de líneas que se mostrarán en el pie del recibo"},
        {"GR_D_Linea1Cabecera",
         Repite(' ', 32) + QStringLiteral("CONCEPTO") + Repite(' ', 33) + QStringLiteral("IMPORTE"),
         tpTexto, "Detalle Recibos: Primera línea de la cabecera del recibo"},
        {"GR_D_Linea2Cabecera", guiones, tpTexto,
         "Detalle Recibos: Segunda línea de la cabecera del recibo"},
        {"GR_D_Linea3Cabecera", guiones, tpTexto,
         "Detalle Recibos: Tercera línea de la cabecera del recibo"},
        {"GR_D_LineaDetalle", Repite('D', 72) + QLatin1Char(' ') + Repite('T', 7), tpTexto,
         "Detalle Recibos: Línea del cuerpo (plantilla de como se generará el cuerpo del "
         "recibo)"},
        {"GR_D_Linea1Pie", Repite('=', 80), tpTexto,
         "Detalle Recibos: Primera línea del pie del recibo"},
        {"GR_D_Linea2Pie", QString(), tpTexto, "Detalle Recibos: Segunda línea del pie del recibo"},
        {"GR_D_ConceptoSepa", QStringLiteral("{concepto}"), tpTexto,
         "Concepto del Recibo formato SEPA"},
        {"N19_FormatoSepa", QStringLiteral("N19SEPAXML"), tpTexto, "Formato SEPA Norma 19"},
        {"N19_VersionCuaderno", QStringLiteral("19143"), tpTexto,
         "Versión del cuaderno Norma 19 Sepa core"},
    });
}

void DeclararOpcionesDivisa() {
    struct TDivisa {
        TOpcion opcion;
        const char* publicado;
    };
    const std::vector<TDivisa> divisa{
        {{"DIVISANAME", QStringLiteral("EUR"), tpTexto, "Nombre corto de la divisa"}, "DIVISA_NOM"},
        {{"DIVISALONGNAME", QStringLiteral("Euros"), tpTexto, "Nombre largo de la divisa"},
         "DIVISA_LONGNAME"},
        {{"DIVISAMASK", QStringLiteral("#,#0.00"), tpTexto,
          "Máscara de la divisa utilizada listados"},
         "DIVISA_MASK"},
        {{"DIVISAEDITMASK", QStringLiteral("#,#0.00##"), tpTexto,
          "Máscara de la divisa utilizada en modificación de precios"},
         "DIVISA_EDITMASK"},
        {{"DIVISAROUND", 100, tpInteger, "Redondeo parcial en los cálculos de la divisa"},
         "DIVISA_ROUND"},
        {{"DIVISAROUNDTOT", 100, tpInteger,
          "Redondeo final en los cálculos de totales de la divisa"},
         "DIVISA_TOTALROUND"},
    };
    for (const TDivisa& d : divisa) {
        Declarar({d.opcion});
        const QString clave = QString::fromUtf8(d.opcion.clave);
        QVariant valor = d.opcion.tipo == tpInteger
                             ? QVariant(ParametrosApp().AsInteger(clave, d.opcion.valor.toInt()))
                             : QVariant(ParametrosApp().AsString(clave, d.opcion.valor.toString()));
        Parametres().SetParametreValue(QString::fromUtf8(d.publicado), valor);
    }
}

void RegisterOpcionesFacturacion() {
    ParametrosApp().AddReloadHandler(kHandlerFacturacion, DeclararOpcionesFacturacion);
    ParametrosApp().AddReloadHandler(kHandlerDivisa, DeclararOpcionesDivisa);
}

void UnregisterOpcionesFacturacion() {
    ParametrosApp().RemoveReloadHandler(kHandlerDivisa);
    ParametrosApp().RemoveReloadHandler(kHandlerFacturacion);
}

QString FormatearMascara(Currency importe, const QString& mascara) {
    return FormatReportMoney(QVariant::fromValue(importe), mascara);
}

QString FormatoDivisa(Currency importe) {
    return FormatearMascara(
        importe, Parametres().AsString(QStringLiteral("DIVISA_MASK"), QStringLiteral("#,##0.00")));
}

QString NombreLargoDivisa() {
    return Parametres().AsString(QStringLiteral("DIVISA_LONGNAME"), QStringLiteral("Euros"));
}

QString NombreCortoDivisa() {
    return Parametres().AsString(QStringLiteral("DIVISA_NOM"), QStringLiteral("EUR"));
}

QString EjemploConceptoSepa(const QString& formato) {
    TValoresConceptoRecibo v;
    v[crNombreAlumno] = QStringLiteral("ALUMNO");
    v[crNombreCentro] = QStringLiteral("CENTRO");
    v[crNumeroMatricula] = QStringLiteral("Nº MATRICULA");
    v[crCodigoCurso] = QStringLiteral("CODIGO_CURSO");
    v[crNombreCurso] = QStringLiteral("NOMBRE_CURSO");
    v[crCodigoGrupo] = QStringLiteral("CODIGO_GRUPO");
    v[crNombreGrupo] = QStringLiteral("NOMBRE_GRUPO");
    v[crConcepto] = QStringLiteral("CONCEPTO");
    v[crFraNumeroFactura] = QStringLiteral("999");
    v[crFraFechaFactura] = QStringLiteral("01/01/2014");
    v[crFraNumeroMes] = QStringLiteral("1");
    v[crFraNombreMes] = QStringLiteral("ENERO");
    v[crFraAnyo] = QStringLiteral("2014");
    v[crFraImporteTotal] = QStringLiteral("100,00");
    v[crImporteBase] = QStringLiteral("IMPORTE_BASE");
    v[crUnidades] = QStringLiteral("UNIDADES");
    v[crPorcentajeDescuento] = QStringLiteral("20%");
    v[crBaseImponible] = QStringLiteral("BASE_IMPONIBLE");
    v[crPorcentajeIva] = QStringLiteral("%IVA");
    v[crImporteTotal] = QStringLiteral("IMPORTE_TOTAL");
    return FormatearConceptoRecibo(true, formato, v).texto;
}

}  // namespace zmk
