#pragma once
// The report engine: report definitions (HTML templates with their data queries), the
// function libraries that templates call, and printing through the framework procedure
// "DoPrintIDReport". No widgets here: rendering to a printer or a preview lives in host/forms.
//
// A report file is HTML that starts with a header comment:
//   <!--ZMKREPORT
//   id: 101
//   kind: 101
//   name: Factura
//   master: SELECT * FROM T15FacturasCab LEFT JOIN T20Centros ON IDCentroT20=IDCentroT15
//   order: SerieT15, NumeroT15
//   data lineas: SELECT * FROM T16FacturasCue WHERE IDFacturaCabT16={{IDFacturaCabT15}}
//   -->
// The print filter is added to the master query's WHERE. In a "data" query, {{Field}} takes the
// enclosing row's value as a bound parameter (never pasted into the text).
//
// Template language:
//   {{expr}}                  a value, HTML-escaped; formatted by the column's type (money with
//                             "DIVISA_MASK", dates dd/mm/yyyy, booleans Sí/No)
//   expr := term ("??" term)* ("|" format)*   "??" takes the first non-empty term
//   term := Field | param:NAME (framework parameter) | fn:NAME(args) | fn?:NAME(args)
//           (fn? gives empty when no library has the function) | "text" | number
//   formats: money, int, date, pct, month, upper, iban (hides the middle digits), pre (keeps
//            line breaks), raw (no escaping)
//   {{#master}}..{{/master}}, {{#name}}..{{/name}}   repeated for every row of that query
//   {{#if expr}}..{{else}}..{{/if}}                  shown when expr is not empty, zero or false
//   Inside a repeated section: _index (from 1), and _pagebreak (a CSS page break, except first).
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

namespace zmk {

class TDataSet;
class TRecursosZMK;

// Kinds of report for the billing options' format list.
constexpr int kReportKindFactura = 101;
constexpr int kReportKindRecibo = 102;

struct TReportDefinition {
    int id = 0;
    int kind = 0;
    QString name;
    QString masterSql;
    QString orderBy;
    std::vector<std::pair<QString, QString>> data;  // named detail queries
    QString templateText;                           // the body, header comment removed
};

// Reads a report file; raises on a missing or malformed header.
TReportDefinition ParseReportDefinition(const QString& text);

class TReportRegistry {
  public:
    // Adding an id again replaces that definition.
    void Add(TReportDefinition definition);
    bool Remove(int id);
    const TReportDefinition* Find(int id) const;
    // Every definition, by id; with kinds given, only those kinds.
    std::vector<const TReportDefinition*> All(const std::vector<int>& kinds = {}) const;
    // Adds every *.html of a folder (a Qt resource path works too); returns how many. A line
    // "<!--#include NAME-->" takes in the folder's file NAME (the shipped reports share their
    // stylesheet and header so).
    int LoadFromDirectory(const QString& dir);
    void Clear() { defs_.clear(); }

  private:
    std::vector<TReportDefinition> defs_;
};

// The application's report definitions.
TReportRegistry& Reports();

// Users' report files live in the resource store under kRecursoInformes + their id (1..99999);
// they override the shipped ones with the same id once loaded.
constexpr int kRecursoInformes = 200000;
// Checks the file and stores it; returns its report id.
int GuardaInformeEnRecursos(TRecursosZMK& recursos, const QString& reportFile);
// Adds every stored report to the registry; returns how many.
int CargaInformesDeRecursos(const TRecursosZMK& recursos, TReportRegistry& registry);

// Runs the report's queries on the default database and fills its template. Raises when the
// report does not exist ("No existe el informe número %d") or the template is faulty.
QString RenderReportHtml(int reportId, const QString& filter);
QString RenderReportHtml(const TReportDefinition& definition, const QString& filter);

// Any screen's list as a printable document: the data set's rows (from the first, position kept)
// under the given columns.
struct TListColumn {
    QString field;
    QString title;
    QString lookup = {};  // "TABLE:KEY:TEXT[:ORDER]": the text printed for the key the field holds
};
// A screen's list as a document: its columns, a row per record, and under the money columns
// their totals (rounded once) with the count of records.
QString RenderListHtml(const QString& title, TDataSet& dataSet,
                       const std::vector<TListColumn>& columns);

// Writes an HTML document to a PDF file (A4). Needs a QGuiApplication.
void WriteHtmlToPdf(const QString& html, const QString& path);

// Amount formatted with a Delphi-style mask ("#,##0.00"): "." groups thousands, "," decimals.
QString FormatReportMoney(const QVariant& amount, const QString& mask);

// --- Function libraries ---------------------------------------------------------------------

class TfrFunctionLibrary {
  public:
    struct TFunctionDesc {
        QString name;
        QString category;
        QString description;
    };
    virtual ~TfrFunctionLibrary() = default;

    // Function names; a function's number is its position here.
    const QStringList& List() const { return list_; }
    const std::vector<TFunctionDesc>& Descriptions() const { return descs_; }
    // Runs the named function when this library has it.
    bool OnFunction(const QString& name, const QVariantList& args, QVariant& result);

  protected:
    // Declares a function (its number is the next free one) with its category and description.
    void AddFunctionDesc(const QString& funName, const QString& category,
                         const QString& description);
    // Arguments arrive already evaluated (field references resolved to their values).
    virtual void DoFunction(int fnNumber, const QVariantList& args, QVariant& result) = 0;

  private:
    QStringList list_;
    std::vector<TFunctionDesc> descs_;
};

using TfrLibraryFactory = std::function<std::unique_ptr<TfrFunctionLibrary>()>;
void frRegisterFunctionLibrary(std::type_index type, const TfrLibraryFactory& factory);
void frUnRegisterFunctionLibrary(std::type_index type);

template <class T>
void frRegisterFunctionLibrary() {
    frRegisterFunctionLibrary(typeid(T), [] { return std::make_unique<T>(); });
}
template <class T>
void frUnRegisterFunctionLibrary() {
    frUnRegisterFunctionLibrary(typeid(T));
}

// Calls a function of the registered libraries (the last registered first); false when none has it.
bool frCallFunction(const QString& name, const QVariantList& args, QVariant& result);
// The descriptions of every registered function, for a designer's list.
std::vector<TfrFunctionLibrary::TFunctionDesc> frFunctionDescriptions();

// --- Printing -------------------------------------------------------------------------------

enum class TPrintTarget { Preview = 0, Printer = 1, Pdf = 2 };

// The framework procedure that prints a report. Its parameters: "PRME01" report number,
// "PRME06" filter, and the print options "PRME02" target (TPrintTarget), "PRME03" PDF file,
// "PRME04" copies, "PRME05" whether to show the printer dialog.
inline const QString kDoPrintIDReport = QStringLiteral("DoPrintIDReport");

// Whether "DoPrintIDReport" is registered (lets an operation refuse before changing anything).
bool ReportEngineInstalled();

// Prints through "DoPrintIDReport"; without a report engine registered raises
// "No hay ningún motor de informes instalado: no se puede imprimir."
void PrintReport(int reportId, const QString& filter, TPrintTarget target,
                 const QString& pdfPath = QString());

}  // namespace zmk
