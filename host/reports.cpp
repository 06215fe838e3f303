#include "host/reports.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QTextDocument>
#include <algorithm>

#include "host/app.h"
#include "host/atomicfile.h"
#include "host/currency.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/fieldtype.h"
#include "host/parametres.h"
#include "host/pdftext.h"
#include "host/resources.h"

namespace zmk {

namespace {

// --- Header -----------------------------------------------------------------------------------

[[noreturn]] void Faulty(const QString& what) {
    throw EZMKError(QStringLiteral("Informe mal definido: %1").arg(what));
}

}  // namespace

TReportDefinition ParseReportDefinition(const QString& text) {
    static const QString open = QStringLiteral("<!--ZMKREPORT");
    const qsizetype start = text.indexOf(open);
    if (start < 0 || !text.left(start).trimmed().isEmpty())
        Faulty(QStringLiteral("falta la cabecera <!--ZMKREPORT"));
    const qsizetype end = text.indexOf(QStringLiteral("-->"), start);
    if (end < 0) Faulty(QStringLiteral("la cabecera no se cierra"));
    TReportDefinition def;
    bool hasId = false;
    const QStringList lines = text.mid(start + open.size(), end - start - open.size())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0) Faulty(QStringLiteral("línea \"%1\"").arg(line));
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        bool ok = true;
        if (key == QLatin1String("id")) {
            def.id = value.toInt(&ok);
            hasId = ok;
        } else if (key == QLatin1String("kind")) {
            def.kind = value.toInt(&ok);
        } else if (key == QLatin1String("name")) {
            def.name = value;
        } else if (key == QLatin1String("master")) {
            def.masterSql = value;
        } else if (key == QLatin1String("order")) {
            def.orderBy = value;
        } else if (key.startsWith(QLatin1String("data "))) {
            def.data.emplace_back(key.mid(5).trimmed(), value);
        } else {
            Faulty(QStringLiteral("clave desconocida \"%1\"").arg(key));
        }
        if (!ok) Faulty(QStringLiteral("\"%1\" no es un número").arg(key));
    }
    if (!hasId) Faulty(QStringLiteral("falta \"id\""));
    if (def.name.isEmpty()) Faulty(QStringLiteral("falta \"name\""));
    if (def.masterSql.isEmpty()) Faulty(QStringLiteral("falta \"master\""));
    def.templateText = text.mid(end + 3).trimmed();
    return def;
}

// --- Registry ---------------------------------------------------------------------------------

void TReportRegistry::Add(TReportDefinition definition) {
    for (auto& d : defs_)
        if (d.id == definition.id) {
            d = std::move(definition);
            return;
        }
    defs_.push_back(std::move(definition));
}

bool TReportRegistry::Remove(int id) {
    auto it = std::find_if(defs_.begin(), defs_.end(), [id](const auto& d) { return d.id == id; });
    if (it == defs_.end()) return false;
    defs_.erase(it);
    return true;
}

const TReportDefinition* TReportRegistry::Find(int id) const {
    for (const auto& d : defs_)
        if (d.id == id) return &d;
    return nullptr;
}

std::vector<const TReportDefinition*> TReportRegistry::All(const std::vector<int>& kinds) const {
    std::vector<const TReportDefinition*> result;
    for (const auto& d : defs_)
        if (kinds.empty() || std::find(kinds.begin(), kinds.end(), d.kind) != kinds.end())
            result.push_back(&d);
    std::sort(result.begin(), result.end(), [](auto a, auto b) { return a->id < b->id; });
    return result;
}

namespace {

// A template's "<!--#include NAME-->" lines replaced by the files of its folder they name.
QString ConIncluidos(const QDir& folder, QString text) {
    static const QRegularExpression include(QStringLiteral("<!--#include ([A-Za-z0-9_.-]+)-->"));
    for (QRegularExpressionMatch m = include.match(text); m.hasMatch(); m = include.match(text)) {
        QFile part(folder.filePath(m.captured(1)));
        if (!part.open(QIODevice::ReadOnly))
            throw EZMKError(QStringLiteral("No se puede leer \"%1\"").arg(m.captured(1)));
        text.replace(m.capturedStart(), m.capturedLength(), QString::fromUtf8(part.readAll()));
    }
    return text;
}

}  // namespace

int TReportRegistry::LoadFromDirectory(const QString& dir) {
    int count = 0;
    const QDir folder(dir);
    for (const QString& name : folder.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            throw EZMKError(
                QStringLiteral("No se puede leer el informe \"%1\"").arg(file.fileName()));
        try {
            Add(ParseReportDefinition(ConIncluidos(folder, QString::fromUtf8(file.readAll()))));
        } catch (const EZMKError& e) {
            throw EZMKError(e.Message() + QStringLiteral(" (") + name + QLatin1Char(')'));
        }
        ++count;
    }
    return count;
}

int GuardaInformeEnRecursos(TRecursosZMK& recursos, const QString& reportFile) {
    const TReportDefinition def = ParseReportDefinition(reportFile);
    if (def.id < 1 || def.id > 99999)
        throw EZMKError(QStringLiteral("El número de informe debe estar entre 1 y 99999"));
    recursos.Insert(kRecursoInformes + def.id, reportFile.toUtf8());
    return def.id;
}

int CargaInformesDeRecursos(const TRecursosZMK& recursos, TReportRegistry& registry) {
    int count = 0;
    for (int number : recursos.Numbers()) {
        if (number <= kRecursoInformes || number > kRecursoInformes + 99999) continue;
        registry.Add(ParseReportDefinition(QString::fromUtf8(*recursos.Find(number))));
        ++count;
    }
    return count;
}

TReportRegistry& Reports() {
    static TReportRegistry registry;
    return registry;
}

// --- Money ------------------------------------------------------------------------------------

QString FormatReportMoney(const QVariant& amount, const QString& mask) {
    const Currency value = VarToCurrency(amount).value_or(Currency());
    const qsizetype point = mask.indexOf(QLatin1Char('.'));
    const QString intMask = point < 0 ? mask : mask.left(point);
    const QString decMask = point < 0 ? QString() : mask.mid(point + 1);
    const int maxDec =
        std::min<int>(4, int(decMask.count(QLatin1Char('0')) + decMask.count(QLatin1Char('#'))));
    const int minDec = std::min<int>(maxDec, int(decMask.count(QLatin1Char('0'))));
    const int minInt = int(intMask.count(QLatin1Char('0')));
    const bool group = intMask.contains(QLatin1Char(','));

    const Currency rounded = value.Rounded(maxDec);
    QString text = rounded.ToString(maxDec);
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative) text.remove(0, 1);
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    QString ent = dot < 0 ? text : text.left(dot);
    QString dec = dot < 0 ? QString() : text.mid(dot + 1);
    while (dec.size() > minDec && dec.endsWith(QLatin1Char('0'))) dec.chop(1);
    if (ent == QLatin1String("0") && minInt == 0) ent.clear();
    while (ent.size() < minInt) ent.prepend(QLatin1Char('0'));
    if (group)
        for (qsizetype i = ent.size() - 3; i > 0; i -= 3) ent.insert(i, QLatin1Char('.'));
    QString result = dec.isEmpty() ? ent : ent + QLatin1Char(',') + dec;
    if (result.isEmpty()) result = QStringLiteral("0");
    // An amount that rounds to zero shows no sign.
    return negative && rounded.Raw() != 0 ? QLatin1Char('-') + result : result;
}

// --- Function libraries -----------------------------------------------------------------------

bool TfrFunctionLibrary::OnFunction(const QString& name, const QVariantList& args,
                                    QVariant& result) {
    const qsizetype n = list_.indexOf(name.toUpper());
    if (n < 0) return false;
    DoFunction(int(n), args, result);
    return true;
}

void TfrFunctionLibrary::AddFunctionDesc(const QString& funName, const QString& category,
                                         const QString& description) {
    if (!list_.contains(funName.toUpper())) list_ << funName.toUpper();
    descs_.push_back({funName, category, description});
}

namespace {

std::vector<std::pair<std::type_index, std::unique_ptr<TfrFunctionLibrary>>>& Libraries() {
    static std::vector<std::pair<std::type_index, std::unique_ptr<TfrFunctionLibrary>>> libs;
    return libs;
}

}  // namespace

void frRegisterFunctionLibrary(std::type_index type, const TfrLibraryFactory& factory) {
    auto& libs = Libraries();
    for (auto& [t, lib] : libs)
        if (t == type) {
            lib = factory();
            return;
        }
    libs.emplace_back(type, factory());
}

void frUnRegisterFunctionLibrary(std::type_index type) {
    auto& libs = Libraries();
    libs.erase(std::remove_if(libs.begin(), libs.end(), [&](auto& e) { return e.first == type; }),
               libs.end());
}

bool frCallFunction(const QString& name, const QVariantList& args, QVariant& result) {
    auto& libs = Libraries();
    for (auto it = libs.rbegin(); it != libs.rend(); ++it)
        if (it->second->OnFunction(name, args, result)) return true;
    return false;
}

std::vector<TfrFunctionLibrary::TFunctionDesc> frFunctionDescriptions() {
    std::vector<TfrFunctionLibrary::TFunctionDesc> all;
    for (const auto& [type, lib] : Libraries())
        all.insert(all.end(), lib->Descriptions().begin(), lib->Descriptions().end());
    return all;
}

// --- Printing ---------------------------------------------------------------------------------

bool ReportEngineInstalled() {
    return ZMKApp().Procedures().Exists(kDoPrintIDReport);
}

void PrintReport(int reportId, const QString& filter, TPrintTarget target, const QString& pdfPath) {
    if (!ReportEngineInstalled())
        throw EZMKError(
            QStringLiteral("No hay ningún motor de informes instalado: no se puede imprimir."));
    TParametres& p = Parametres();
    p.SetParametreValue(QStringLiteral("PRME01"), reportId);
    p.SetParametreValue(QStringLiteral("PRME02"), int(target));
    p.SetParametreValue(QStringLiteral("PRME03"), pdfPath);
    p.SetParametreValue(QStringLiteral("PRME04"), 1);
    p.SetParametreValue(QStringLiteral("PRME05"), false);
    p.SetParametreValue(QStringLiteral("PRME06"), filter);
    // Call inputs, not settings: they never go into the saved block.
    for (const char* name : {"PRME01", "PRME02", "PRME03", "PRME04", "PRME05", "PRME06"})
        p.SetWritables(QString::fromLatin1(name), false);
    ZMKApp().Procedures().ExecuteProcedure(kDoPrintIDReport);
}

void WriteHtmlToPdf(const QString& html, const QString& path) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("ZMK-Escolia"));
        QTextDocument doc;
        doc.setHtml(html);
        doc.print(&writer);
    }
    WriteFileAtomically(path, PreferUnifiedIdeographs(pdf.data()));
}

}  // namespace zmk
