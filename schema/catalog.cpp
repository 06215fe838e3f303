// The tables and columns of the company database, in creation order.
#include <QHash>

#include "host/datetime.h"
#include "schema/schema.h"

namespace zmk::schema {

namespace {

Column Key(const QString& name) {
    return {name, TFieldType::AutoInc};
}
Column Int(const QString& name) {
    return {name, TFieldType::Integer};
}
Column Bool(const QString& name) {
    return {name, TFieldType::Boolean};
}
// The active flag of a centre, course, group, teacher, student, enrolment, concept or series: what
// the office adds is in use until it is deactivated.
Column Active(const QString& name) {
    return {name, TFieldType::Boolean, 0, Column::Starts::True};
}
// The date of what is being recorded: an enrolment starts today, an incidence happens now.
Column Today(const QString& name) {
    return {name, TFieldType::DateTime, 0, Column::Starts::Today};
}
Column Now(const QString& name) {
    return {name, TFieldType::DateTime, 0, Column::Starts::Now};
}
Column Money(const QString& name) {
    return {name, TFieldType::Currency};
}
Column Date(const QString& name) {
    return {name, TFieldType::DateTime};
}
Column Text(const QString& name, int size = 0) {
    return {name, TFieldType::String, size};
}
Column Memo(const QString& name) {
    return {name, TFieldType::Memo};
}

void AddTexts(std::vector<Column>& cols, std::initializer_list<const char*> names) {
    for (const char* n : names) cols.push_back(Text(QString::fromLatin1(n)));
}

Table Alumnos() {
    Table t{"T01Alumnos", "Alumnos", 3, "IDAlumnoT01", {}};
    auto& c = t.columns;
    c = {Key("IDAlumnoT01"), Int("IDCentroT01"), Int("CodigoT01")};
    AddTexts(
        c, {"NombreT01",      "ApellidosT01",   "NombreCompletoT01", "NIFT01",      "DomicilioT01",
            "PoblacionT01",   "CPPoblacionT01", "ProvinciaT01",      "Telf1T01",    "Telf2T01",
            "Telf3T01",       "FaxT01",         "NombrePadreT01",    "DNIPadreT01", "TelfPadreT01",
            "NombreMadreT01", "DNIMadreT01",    "TelfMadreT01",      "SexoT01",     "EMailT01"});
    c.push_back(Date("FechaNacT01"));
    c.push_back(Int("IDFormaCobroT01"));
    AddTexts(c, {"CCCNombreTitularT01", "NIFTitularCuentaT01", "IBANT01", "BICT01",
                 "ReferenciaMandatoT01"});
    c.insert(c.end(), {Date("FechaMandatoT01"), Int("IDAlumnoRelacionadoT01"), Active("ActivoT01"),
                       Memo("ComentariosT01")});
    return t;
}

Table Matriculas() {
    return {"T02Matriculas",
            "Matrículas",
            186,
            "IDMatriculaT02",
            {Key("IDMatriculaT02"), Int("IDGrupoT02"), Int("IDCentroT02"), Int("IDAlumnoT02"),
             Text("NMatriculaT02"), Bool("DatosCobroEnMatriculaT02"), Int("IDFormaCobroT02"),
             Text("CCCNombreTitularT02"), Active("ActivaT02"), Memo("ComentariosT02"),
             Today("FechaAltaT02"), Date("FechaBajaT02"), Text("CursoEscolarT02"), Text("IBANT02"),
             Text("BICT02"), Text("NIFTitularCuentaT02"), Text("ReferenciaMandatoT02"),
             Date("FechaMandatoT02")}};
}

Table Cursos() {
    return {"T03Cursos",
            "Cursos",
            110,
            "IDCursoT03",
            {Key("IDCursoT03"), Active("ActivoT03"), Text("CodigoT03"), Memo("ComentariosT03"),
             Text("DescripcionT03", 50), Date("InicioCursoT03"), Date("FinCursoT03"),
             Int("IDCentroT03"), Money("TotalHorasT03"), Money("ImporteColabT03")}};
}

// Only the centre, the state and the bank account are used by the program; the rest is what
// the office keeps about a teacher. The bank account carries a direct-debit mandate like a
// student's, for teachers who are also charged.
Table Profesores() {
    Table t{"T04Profesores", "Profesores", 5, "IDProfesorT04", {}};
    auto& c = t.columns;
    c = {Key("IDProfesorT04"), Int("IDCentroT04"), Active("ActivoT04")};
    AddTexts(c, {"CodigoT04", "NombreT04", "ApellidosT04", "NombreCompletoT04", "NIFT04",
                 "DomicilioT04", "PoblacionT04", "CPT04", "ProvinciaT04", "Telf1T04", "Telf2T04",
                 "EMailT04", "CCCNombreTitularT04", "IBANT04", "BICT04", "ReferenciaMandatoT04"});
    c.push_back(Date("FechaMandatoT04"));
    c.push_back(Memo("ComentariosT04"));
    return t;
}

Table Grupos() {
    Table t{"T05Grupos", "Grupos", 14, "IDGrupoT05", {}};
    auto& c = t.columns;
    c = {Key("IDGrupoT05"), Int("IDCursoT05"),     Int("IDCentroT05"),     Int("IDProfesorT05"),
         Text("CodigoT05"), Text("NombreT05", 50), Memo("ComentariosT05"), Text("DiasHorasTxtT05")};
    for (const char* day : {"Lunes", "Martes", "Miercoles", "Jueves", "Viernes", "Sabado"})
        for (const char* part : {"MHI", "MHF", "THI", "THF"})
            c.push_back(Date(QString::fromLatin1(day) + QLatin1String(part) + "T05"));
    c.push_back(Active("ActivoT05"));
    c.push_back(Text("DescrHorarioT05"));
    return t;
}

Table Tarifas() {
    return {"T07TarifasPrecios",
            "Tarifas de precios",
            88,
            "IDTarifaPreciosT07",
            {Key("IDTarifaPreciosT07"), Int("IDCentroT07"), Text("CodigoTarifaT07"),
             Text("DescrTarifaT07"), Money("ImporteSinIVAT07"), Money("TPCIvaT07"),
             Money("ImporteConIVAT07")}};
}

Table Incidencias() {
    return {"T11Incidencias",
            "Incidencias",
            193,
            "IDIncidenciaT11",
            {Key("IDIncidenciaT11"), Int("IDCentroT11"), Int("IDCursoT11"), Int("IDGrupoT11"),
             Int("IDMatriculaT11"), Int("IDAlumnoT11"), Int("IDProfesorT11"),
             Int("IDFacturaCabT11"), Int("IDTipoIncidenciaT11"), Bool("AutomaticaT11"),
             Text("TituloT11"), Memo("IncidenciaT11"), Bool("ResueltaT11"), Now("DiaHoraT11"),
             Date("DiaHoraResolucionT11")}};
}

Table TiposIncidencia() {
    return {"T12TipoIncidencias",
            "Tipos de incidencias",
            0,
            "IDTipoIncidenciaT12",
            {Key("IDTipoIncidenciaT12"), Text("DescripcionT12")}};
}

const char* const kMeses[] = {"Enero",      "Febrero", "Marzo",     "Abril",
                              "Mayo",       "Junio",   "Julio",     "Agosto",
                              "Septiembre", "Octubre", "Noviembre", "Diciembre"};

Table Conceptos() {
    Table t{"T14ConceptosMatricula", "Conceptos de matrícula", 242, "IDConceptoMatriculaT14", {}};
    auto& c = t.columns;
    c = {Key("IDConceptoMatriculaT14"),
         Int("IDCentroT14"),
         Int("IDPlantillaCobroT14"),
         Int("IDAlumnoT14"),
         Int("IDTarifaPreciosT14"),
         Date("FechaAltaT14"),
         Text("ConceptoT14", 80),
         Money("ImporteBaseT14"),
         Money("UnidadesT14"),
         Money("TPCDtoT14"),
         Money("BaseImponibleT14"),
         Money("TPCIvaT14"),
         Money("ImporteIvaIncluidoT14"),
         Memo("ComentariosT14"),
         Bool("EsCuotaT14")};
    for (const char* mes : kMeses) c.push_back(Bool("Cobrar" + QString::fromLatin1(mes) + "T14"));
    c.insert(c.end(), {Active("ActivoT14"), Int("NOrdenT14"), Int("IDCursoT14"), Int("IDGrupoT14"),
                       Int("IDMatriculaT14"), Int("IDConcMatrPadreT14")});
    return t;
}

Table FacturasCab() {
    Table t{"T15FacturasCab", "Cabecera de las facturas", 198, "IDFacturaCabT15", {}};
    auto& c = t.columns;
    c = {Key("IDFacturaCabT15"), Int("IDCentroT15"), Int("IDAlumnoT15"), Int("IDSerieT15"),
         Int("IDFormaCobroT15"), Text("SerieT15"),   Int("NumeroT15"),   Date("FechaT15")};
    AddTexts(c, {"CodigoAlumnoT15", "NombreT15", "NIFT15", "DireccionT15", "CPT15", "PoblacionT15",
                 "ProvinciaT15", "TipoPagoT15", "CCCNombreTitularT15", "NIFTitularCuentaT15",
                 "IBANT15", "BICT15", "ReferenciaMandatoT15"});
    c.push_back(Date("FechaMandatoT15"));
    for (const char* n : {"ImporteArticulosT15", "ImporteDescuentosT15",
                          "ImporteBasesImponiblesT15", "ImporteIvasT15", "ImporteTotalT15"})
        c.push_back(Money(QString::fromLatin1(n)));
    for (int i = 1; i <= 3; ++i)
        for (const char* n : {"TPCIva%1T15", "BaseImponible%1T15", "ImporteIva%1T15"})
            c.push_back(Money(QString::fromLatin1(n).arg(i)));
    c.insert(c.end(), {Bool("CobradaT15"), Date("FechaCobroT15"), Bool("DevueltaT15"),
                       Date("FechaDevolucionT15"), Bool("PteRevisarT15"), Int("IDNorma19T15")});
    AddTexts(c, {"Norma19RefClienteT15", "Norma19RefInternaT15", "Norma19CodDevT15",
                 "Norma19CodMotivoDevT15"});
    c.push_back(Text("ConceptoSEPAT15", 140));
    for (int i = 1; i <= 8; ++i)
        c.push_back(Text(QStringLiteral("Linea%1T15").arg(i, 2, 10, QLatin1Char('0')), 80));
    c.push_back(Memo("ComentariosT15"));
    // The issuer as it was on the day: a reprint shows what the invoice was issued with.
    AddTexts(c, {"EmisorNombreT15", "EmisorCIFT15", "EmisorDireccionT15", "EmisorCPT15",
                 "EmisorPoblacionT15"});
    return t;
}

Table FacturasCue() {
    Table t{"T16FacturasCue", "Cuerpo de las facturas", 199, "IDFacturaCueT16", {}};
    auto& c = t.columns;
    c = {Key("IDFacturaCueT16"), Int("IDFacturaCabT16"), Int("NOrdenT16"), Int("IDMatriculaT16"),
         Int("IDConceptoMatriculaT16")};
    AddTexts(c, {"CodigoCentroT16", "NombreCentroT16", "CodigoCursoT16", "DescrCursoT16",
                 "CodigoGrupoT16", "DescrGrupoT16", "NMatriculaT16", "NombreAlumnoT16",
                 "CodConceptoT16", "DescConceptoT16"});
    c.push_back(Int("NMesFacturadoT16"));
    c.push_back(Int("AnyoFacturadoT16"));
    for (const char* n : {"ImporteBaseT16", "UnidadesT16", "TPCDtoT16", "BaseImponibleT16",
                          "TPCIvaT16", "ImporteIvaIncluidoT16"})
        c.push_back(Money(QString::fromLatin1(n)));
    return t;
}

Table FormasCobro() {
    Table t{"T17FormasCobro", "Formas de cobro", 213, "IDFormaCobroT17", {}};
    auto& c = t.columns;
    c = {Key("IDFormaCobroT17"), Text("CodFormaCobroT17"), Text("DescFormaCobroT17"),
         Bool("UsaNorma19T17")};
    AddTexts(c, {"NombrePresentadorT17", "NIFPresentadorT17", "SufijoT17", "AgenciaT17",
                 "OficinaT17", "LocalidadExpedT17", "IBANT17", "BICT17", "AcreedorPaisT17",
                 "AcreedorIdentificadorT17"});
    return t;
}

Table Series() {
    return {
        "T18Series",
        "Series de facturas",
        0,
        "IDSerieT18",
        {Key("IDSerieT18"), Text("SerieT18"), Int("NSiguienteFacturaT18"), Active("ActivaT18")}};
}

Table Centros() {
    Table t{"T20Centros", "Centros", 251, "IDCentroT20", {Key("IDCentroT20")}};
    AddTexts(t.columns,
             {"CodigoCentroT20", "NombreCentroT20", "CIFT20", "DireccionT20", "CPT20",
              "PoblacionT20", "ProvinciaT20", "Telf1T20", "Telf2T20", "FaxT20", "EMailT20"});
    t.columns.push_back(Active("ActivoT20"));
    return t;
}

Table TiposIva() {
    // Its own data source: deleting a rate that tariffs, concepts or invoices use is refused.
    return {"T22TiposIva",
            "Tipos de IVA",
            222,
            "IDTipoIvaT22",
            {Key("IDTipoIvaT22"), Money("TPCIvaT22"), Text("DescripcionT22"),
             // Printed under the VAT table of an invoice with this rate (an exemption's article).
             Memo("TextoLegalT22")}};
}

// Name, format and allowed values of the eight grade concepts, with the table's suffix.
void AddConceptosNota(std::vector<Column>& c, const QString& suffix) {
    for (int i = 1; i <= 8; ++i) c.push_back(Text(QStringLiteral("NombreConc%1").arg(i) + suffix));
    for (int i = 1; i <= 8; ++i) c.push_back(Text(QStringLiteral("FormatoConc%1").arg(i) + suffix));
    for (int i = 1; i <= 8; ++i)
        c.push_back(Text(QStringLiteral("ValoresConc%1").arg(i) + suffix, 255));
}

Table FormatosBoletin() {
    Table t{"T23FormatosBoletinesNotas",
            "Formato de los boletines de notas",
            0,
            "IDFormatoBoletinNotasT23",
            {Key("IDFormatoBoletinNotasT23"), Text("DescripcionT23")}};
    AddConceptosNota(t.columns, QStringLiteral("T23"));
    return t;
}

Table Boletines() {
    Table t{"T24BoletinesNotas",
            "Boletines de notas",
            296,
            "IDBoletinNotasT24",
            {Key("IDBoletinNotasT24"), Int("IDCursoT24"), Bool("BloqueadoT24")}};
    AddConceptosNota(t.columns, QStringLiteral("T24"));
    return t;
}

Table NotasBoletin() {
    Table t{"T25NotasBoletin",
            "Notas de los boletines",
            300,
            "IDNotasBoletinT25",
            {Key("IDNotasBoletinT25"), Int("IDBoletinNotasT25"), Int("IDMatriculaT25")}};
    for (int i = 1; i <= 8; ++i) t.columns.push_back(Text(QStringLiteral("ValorConc%1T25").arg(i)));
    return t;
}

Table Faltas() {
    return {"T26FaltasAsistencia",
            "Faltas de asistencia",
            302,
            "IDFaltaAsistenciaT26",
            {Key("IDFaltaAsistenciaT26"), Int("IDMatriculaT26"), Date("FechaFaltaT26"),
             Date("DHInicioFaltaT26"), Date("DHFinalFaltaT26"), Bool("JustificadaT26"),
             Bool("ResueltaT26")}};
}

Table LiquidacionesCab() {
    Table t{
        "T27LiquidacionesCab",
        "Cabecera de las liquidaciones",
        348,
        "IDLiquidacionCabT27",
        {Key("IDLiquidacionCabT27"), Int("IDCentroT27"), Int("NLiquidacionT27"),
         Today("FechaLiquidacionT27"), Text("DescrLiquidacionT27"), Money("ImporteLiquidadoT27")}};
    AddTexts(t.columns,
             {"CodigoT27", "NombreT27", "CIFT27", "DireccionT27", "CPT27", "PoblacionT27",
              "ProvinciaT27", "Telf1T27", "Telf2T27", "FaxT27", "EMailT27"});
    t.columns.push_back(Memo("ComentariosT27"));
    return t;
}

// The program reaches lines through their settlement; the key lets screens edit single lines.
Table LiquidacionesCue() {
    return {"T28LiquidacionesCue",
            "Cuerpo de las liquidaciones",
            349,
            "IDLiquidacionCueT28",
            {Key("IDLiquidacionCueT28"), Int("IDLiquidacionCabT28"), Text("CodigoT28"),
             Text("DescripcionT28"), Money("PrecioUnitarioT28"), Money("UnidadesT28"),
             Money("ImporteLineaT28")}};
}

// The program gives this key itself (maximum plus one), so it is a plain integer.
Table ParametrosAplicacion() {
    return {"T99ParametrosAplicacion",
            QString(),
            0,
            "IDParamAplicT99",
            {Int("IDParamAplicT99"), Int("IDUsuarioT99"), Text("NombreParametroT99"),
             Text("DescrParametroT99"), Text("NombreCampoValorT99"), Bool("ValorBooleanT99"),
             Money("ValorCurrencyT99"), Date("ValorFechaHoraT99"), Int("ValorIntegerT99"),
             Text("ValorTextoT99"), Memo("ValorMemoT99"), Column{"ValorOLET99", TFieldType::Blob}}};
}

std::vector<Table> BuildTables() {
    return {Alumnos(),
            Matriculas(),
            Cursos(),
            Profesores(),
            Grupos(),
            Tarifas(),
            Incidencias(),
            TiposIncidencia(),
            Conceptos(),
            FacturasCab(),
            FacturasCue(),
            FormasCobro(),
            Series(),
            Centros(),
            TiposIva(),
            FormatosBoletin(),
            Boletines(),
            NotasBoletin(),
            Faltas(),
            LiquidacionesCab(),
            LiquidacionesCue(),
            ParametrosAplicacion(),
            {"TZMKImportVersions",
             QString(),
             0,
             QString(),
             {Text("NombreAplicacion"), Int("NumeroVersion"), Text("NombreArchivo"),
              Text("PrefijoConsultas")}},
            {"TZMKVersionInfo",
             QString(),
             0,
             QString(),
             {Text("NombreAplicacion"), Int("NumeroVersion"), Text("MasterFileName")}}};
}

const QHash<QString, TFieldType>& TypesByColumn() {
    static const QHash<QString, TFieldType> types = [] {
        QHash<QString, TFieldType> h;
        for (const Table& t : Tables())
            for (const Column& c : t.columns) h.insert(c.name.toLower(), c.type);
        return h;
    }();
    return types;
}

// What each column a new row fills by itself starts with, by lower-case name.
const QHash<QString, Column::Starts>& StartingValues() {
    static const QHash<QString, Column::Starts> starts = [] {
        QHash<QString, Column::Starts> h;
        for (const Table& t : Tables())
            for (const Column& c : t.columns)
                if (c.starts != Column::Starts::Empty) h.insert(c.name.toLower(), c.starts);
        return h;
    }();
    return starts;
}

}  // namespace

const std::vector<Table>& Tables() {
    static const std::vector<Table> tables = BuildTables();
    return tables;
}

const Table* FindTable(const QString& name) {
    for (const Table& t : Tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

const Table* FindTableByDataSource(int dataSourceId) {
    if (dataSourceId == 0) return nullptr;
    for (const Table& t : Tables())
        if (t.dataSourceId == dataSourceId) return &t;
    return nullptr;
}

TFieldType ColumnType(const QString& column) {
    return TypesByColumn().value(column.toLower(), TFieldType::Unknown);
}

void InstallFieldTypeResolver() {
    const auto& types = TypesByColumn();
    SetFieldTypeResolver([&types](const QString& column) {
        return types.value(column.toLower(), TFieldType::Unknown);
    });
    const auto& starts = StartingValues();
    SetFieldDefaultResolver([&starts](const QString& column) {
        switch (starts.value(column.toLower(), Column::Starts::Empty)) {
            case Column::Starts::True:
                return QVariant(true);
            case Column::Starts::Today:
                return QVariant(QDateTime(Hoy(), QTime(0, 0)));
            case Column::Starts::Now:
                return QVariant(Ahora());
            case Column::Starts::Empty:
                break;
        }
        return QVariant();
    });
}

}  // namespace zmk::schema
