// The template language of the report engine (described in host/reports.h).
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <memory>
#include <vector>

#include "host/app.h"
#include "host/currency.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/datetime.h"
#include "host/errors.h"
#include "host/fieldtype.h"
#include "host/parametres.h"
#include "host/reports.h"

namespace zmk {

namespace {

[[noreturn]] void Fail(const QString& what) {
    throw EZMKError(QStringLiteral("Error en el informe: %1").arg(what));
}

struct Cell {
    QVariant value;
    TFieldType type = TFieldType::Unknown;
};
using Row = QHash<QString, Cell>;  // keyed by the lower-case column name

// --- Parsing into a tree ----------------------------------------------------------------------

struct Node {
    enum Kind { Text, Value, Section, If } kind = Text;
    QString text;  // literal text, expression, or section name
    std::vector<Node> children;
    std::vector<Node> otherwise;  // {{else}} part of an if
};

struct Parsed {
    std::vector<Node> nodes;
    std::vector<Node> otherwise;  // after {{else}}, only inside an if
};

// Parses up to the closing tag {{/closing}} (the end of the text when closing is empty).
Parsed Parse(const QString& tpl, qsizetype& pos, const QString& closing) {
    Parsed result;
    std::vector<Node>* out = &result.nodes;
    while (pos < tpl.size()) {
        const qsizetype open = tpl.indexOf(QStringLiteral("{{"), pos);
        if (open < 0) {
            out->push_back({Node::Text, tpl.mid(pos), {}, {}});
            pos = tpl.size();
            break;
        }
        if (open > pos) out->push_back({Node::Text, tpl.mid(pos, open - pos), {}, {}});
        const qsizetype close = tpl.indexOf(QStringLiteral("}}"), open);
        if (close < 0) Fail(QStringLiteral("\"{{\" sin cerrar"));
        const QString tag = tpl.mid(open + 2, close - open - 2).trimmed();
        pos = close + 2;
        if (tag.startsWith(QLatin1Char('/'))) {
            if (tag.mid(1).trimmed() != closing)
                Fail(QStringLiteral("\"{{%1}}\" no cierra \"%2\"").arg(tag, closing));
            return result;
        }
        if (tag == QLatin1String("else")) {
            if (closing != QLatin1String("if") || out == &result.otherwise)
                Fail(QStringLiteral("\"{{else}}\" fuera de un \"{{#if}}\""));
            out = &result.otherwise;
            continue;
        }
        if (tag.startsWith(QLatin1Char('#'))) {
            const QString head = tag.mid(1).trimmed();
            Node n;
            const bool isIf = head.startsWith(QLatin1String("if "));
            n.kind = isIf ? Node::If : Node::Section;
            n.text = isIf ? head.mid(3).trimmed() : head;
            Parsed inner = Parse(tpl, pos, isIf ? QStringLiteral("if") : head);
            n.children = std::move(inner.nodes);
            n.otherwise = std::move(inner.otherwise);
            out->push_back(std::move(n));
            continue;
        }
        out->push_back({Node::Value, tag, {}, {}});
    }
    if (!closing.isEmpty()) Fail(QStringLiteral("falta \"{{/%1}}\"").arg(closing));
    return result;
}

// --- Values -----------------------------------------------------------------------------------

bool IsEmpty(const Cell& c) {
    const QVariant& v = c.value;
    if (!v.isValid() || v.isNull()) return true;
    switch (v.metaType().id()) {
        case QMetaType::QString:
            return v.toString().trimmed().isEmpty();
        case QMetaType::Bool:
            return !v.toBool();
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Double:
            return v.toDouble() == 0;
        default:
            break;
    }
    if (v.canConvert<Currency>() && v.metaType() == QMetaType::fromType<Currency>())
        return v.value<Currency>().Raw() == 0;
    return false;
}

// Splits at a separator outside quotes and parentheses.
QStringList SplitTop(const QString& text, const QString& sep) {
    QStringList parts;
    int depth = 0;
    bool quoted = false;
    qsizetype last = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) quoted = !quoted;
        if (quoted) continue;
        if (c == QLatin1Char('(')) ++depth;
        if (c == QLatin1Char(')')) --depth;
        if (depth == 0 && text.mid(i, sep.size()) == sep) {
            parts << text.mid(last, i - last);
            i += sep.size() - 1;
            last = i + 1;
        }
    }
    parts << text.mid(last);
    return parts;
}

const QStringList& MonthNames() {
    static const QStringList names = {
        QStringLiteral("Enero"),   QStringLiteral("Febrero"),   QStringLiteral("Marzo"),
        QStringLiteral("Abril"),   QStringLiteral("Mayo"),      QStringLiteral("Junio"),
        QStringLiteral("Julio"),   QStringLiteral("Agosto"),    QStringLiteral("Septiembre"),
        QStringLiteral("Octubre"), QStringLiteral("Noviembre"), QStringLiteral("Diciembre")};
    return names;
}

QString Escape(const QString& text) {
    return text.toHtmlEscaped();
}

QString DefaultText(const Cell& c) {
    const QVariant& v = c.value;
    if (!v.isValid() || v.isNull()) return QString();
    if (v.metaType() == QMetaType::fromType<Currency>() || c.type == TFieldType::Currency)
        return FormatReportMoney(
            v, Parametres().AsString(QStringLiteral("DIVISA_MASK"), QStringLiteral("#,##0.00")));
    if (v.metaType().id() == QMetaType::QDateTime || c.type == TFieldType::DateTime) {
        const QDateTime dt = v.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("dd/MM/yyyy"))
                                        : dt.toString(QStringLiteral("dd/MM/yyyy hh:mm"));
    }
    if (v.metaType().id() == QMetaType::Bool) return v.toBool() ? QStringLiteral("Sí") : "No";
    return v.toString();
}

QString MoneyMask() {
    return Parametres().AsString(QStringLiteral("DIVISA_MASK"), QStringLiteral("#,##0.00"));
}

// The currency mask with optional decimals up to four.
QString PriceMask() {
    QString mask = MoneyMask();
    if (!mask.contains(QLatin1Char('.'))) mask += QLatin1Char('.');
    const qsizetype decimals = mask.size() - mask.indexOf(QLatin1Char('.')) - 1;
    return mask + QString(std::max<qsizetype>(0, 4 - decimals), QLatin1Char('#'));
}

QString MaskIban(const QString& iban) {
    QString compact = iban;
    compact.remove(QLatin1Char(' '));
    if (compact.size() <= 8) return compact;
    QString shown =
        compact.left(4) + QString(compact.size() - 8, QLatin1Char('*')) + compact.right(4);
    QString grouped;
    for (qsizetype i = 0; i < shown.size(); i += 4) {
        if (!grouped.isEmpty()) grouped += QLatin1Char(' ');
        grouped += shown.mid(i, 4);
    }
    return grouped;
}

// Formats a value; the result is HTML (escaped unless "raw").
QString Format(const Cell& c, const QStringList& formats) {
    QString text;
    bool escaped = false;
    if (formats.isEmpty()) return Escape(DefaultText(c));
    Cell cur = c;
    text = DefaultText(cur);
    for (const QString& f : formats) {
        if (f == QLatin1String("money")) {
            text = IsEmpty(cur) && !cur.value.isValid()
                       ? QString()
                       : FormatReportMoney(cur.value,
                                           Parametres().AsString(QStringLiteral("DIVISA_MASK"),
                                                                 QStringLiteral("#,##0.00")));
        } else if (f == QLatin1String("price")) {
            // A unit price shows every decimal it has (up to four), so that price x units
            // reads as the amount printed beside it.
            text = IsEmpty(cur) && !cur.value.isValid() ? QString()
                                                        : FormatReportMoney(cur.value, PriceMask());
        } else if (f == QLatin1String("int")) {
            text = cur.value.isNull() ? QString() : QString::number(cur.value.toLongLong());
        } else if (f == QLatin1String("date")) {
            text = cur.value.isNull()
                       ? QString()
                       : cur.value.toDateTime().toString(QStringLiteral("dd/MM/yyyy"));
        } else if (f == QLatin1String("pct")) {
            text = cur.value.isNull() ? QString()
                                      : VarToCurrency(cur.value)
                                            .value_or(Currency())
                                            .ToString()
                                            .replace(QLatin1Char('.'), QLatin1Char(','));
        } else if (f == QLatin1String("month")) {
            const int m = cur.value.toInt();
            text = m >= 1 && m <= 12 ? MonthNames()[m - 1] : QString();
        } else if (f == QLatin1String("upper")) {
            text = text.toUpper();
        } else if (f == QLatin1String("iban")) {
            text = MaskIban(text);
        } else if (f == QLatin1String("pre")) {
            text = Escape(text)
                       .replace(QStringLiteral("\r\n"), QStringLiteral("<br/>"))
                       .replace(QLatin1Char('\n'), QStringLiteral("<br/>"));
            escaped = true;
        } else if (f == QLatin1String("raw")) {
            escaped = true;
        } else {
            Fail(QStringLiteral("formato desconocido \"%1\"").arg(f));
        }
        cur = Cell{text, TFieldType::String};
    }
    return escaped ? text : Escape(text);
}

// --- Rendering --------------------------------------------------------------------------------

class Renderer {
  public:
    Renderer(const TReportDefinition& def, QString filter)
        : def_(def), filter_(std::move(filter)) {}

    QString Run() {
        qsizetype pos = 0;
        const auto nodes = Parse(def_.templateText, pos, QString()).nodes;
        Row top;
        scopes_.push_back(&top);
        QString out;
        RenderNodes(nodes, out);
        return out;
    }

  private:
    const Cell* Lookup(const QString& name) const {
        const QString key = name.toLower();
        for (auto it = scopes_.rbegin(); it != scopes_.rend(); ++it) {
            auto found = (*it)->constFind(key);
            if (found != (*it)->constEnd()) return &found.value();
        }
        return nullptr;
    }

    Cell Term(const QString& raw) const {
        const QString t = raw.trimmed();
        if (t.isEmpty()) Fail(QStringLiteral("expresión vacía"));
        if (t.startsWith(QLatin1Char('"'))) {
            if (t.size() < 2 || !t.endsWith(QLatin1Char('"')))
                Fail(QStringLiteral("texto sin cerrar: %1").arg(t));
            return {t.mid(1, t.size() - 2), TFieldType::String};
        }
        if (t[0].isDigit() || (t[0] == QLatin1Char('-') && t.size() > 1 && t[1].isDigit())) {
            bool ok = false;
            const int n = t.toInt(&ok);
            if (ok) return {n, TFieldType::Integer};
            auto c = Currency::Parse(t);
            if (!c) Fail(QStringLiteral("número no válido: %1").arg(t));
            return {QVariant::fromValue(*c), TFieldType::Currency};
        }
        if (t.startsWith(QLatin1String("param:")))
            return {Parametres().GetParametreValue(t.mid(6).trimmed()), TFieldType::Unknown};
        if (t.startsWith(QLatin1String("fn:")) || t.startsWith(QLatin1String("fn?:"))) {
            const bool optional = t.startsWith(QLatin1String("fn?:"));
            const QString call = t.mid(optional ? 4 : 3);
            const qsizetype paren = call.indexOf(QLatin1Char('('));
            if (paren < 0 || !call.endsWith(QLatin1Char(')')))
                Fail(QStringLiteral("llamada mal escrita: %1").arg(t));
            const QString name = call.left(paren).trimmed();
            const QString inner = call.mid(paren + 1, call.size() - paren - 2);
            QVariantList args;
            if (!inner.trimmed().isEmpty())
                for (const QString& a : SplitTop(inner, QStringLiteral(",")))
                    args << Chain(a).value;
            QVariant result;
            if (!frCallFunction(name, args, result)) {
                if (optional) return {};
                Fail(QStringLiteral("función desconocida \"%1\"").arg(name));
            }
            return {result, TFieldType::Unknown};
        }
        if (const Cell* c = Lookup(t)) return *c;
        Fail(QStringLiteral("campo desconocido \"%1\"").arg(t));
    }

    Cell Chain(const QString& text) const {
        Cell last;
        for (const QString& part : SplitTop(text, QStringLiteral("??"))) {
            last = Term(part);
            if (!IsEmpty(last)) return last;
        }
        return last;
    }

    QString Value(const QString& expr) const {
        QStringList parts = SplitTop(expr, QStringLiteral("|"));
        const QString head = parts.takeFirst();
        for (QString& f : parts) f = f.trimmed();
        return Format(Chain(head), parts);
    }

    // Runs a named query with the enclosing rows' values bound to its {{Field}} markers.
    std::vector<Row> Query(const QString& name) {
        QString sql;
        if (name.compare(QLatin1String("master"), Qt::CaseInsensitive) == 0) {
            sql = def_.masterSql;
            if (!filter_.trimmed().isEmpty()) {
                const bool hasWhere = sql.contains(QRegularExpression(
                    QStringLiteral("\\bWHERE\\b"), QRegularExpression::CaseInsensitiveOption));
                sql += (hasWhere ? QStringLiteral(" AND (") : QStringLiteral(" WHERE (")) +
                       filter_ + QLatin1Char(')');
            }
            if (!def_.orderBy.isEmpty()) sql += QStringLiteral(" ORDER BY ") + def_.orderBy;
        } else {
            for (const auto& [n, s] : def_.data)
                if (n.compare(name, Qt::CaseInsensitive) == 0) sql = s;
            if (sql.isEmpty()) Fail(QStringLiteral("sección desconocida \"%1\"").arg(name));
        }
        static const QRegularExpression marker(QStringLiteral("\\{\\{\\s*([^}]+?)\\s*\\}\\}"));
        QVariantList values;
        QString bound;
        qsizetype last = 0;
        for (auto it = marker.globalMatch(sql); it.hasNext();) {
            const auto m = it.next();
            bound += sql.mid(last, m.capturedStart() - last) + QLatin1Char('?');
            values << ToStorage(Term(m.captured(1)).value);
            last = m.capturedEnd();
        }
        bound += sql.mid(last);

        QSqlQuery q = DefaultDB().Prepared(bound, values);
        const QSqlRecord rec = q.record();
        std::vector<TFieldType> types;
        for (int i = 0; i < rec.count(); ++i) types.push_back(ResolveFieldType(rec.fieldName(i)));
        std::vector<Row> rows;
        while (q.next()) {
            Row row;
            for (int i = 0; i < rec.count(); ++i)
                row.insert(rec.fieldName(i).toLower(),
                           Cell{FromStorage(types[size_t(i)], q.value(i)), types[size_t(i)]});
            rows.push_back(std::move(row));
        }
        return rows;
    }

    void RenderNodes(const std::vector<Node>& nodes, QString& out) {
        for (const Node& n : nodes) {
            switch (n.kind) {
                case Node::Text:
                    out += n.text;
                    break;
                case Node::Value:
                    out += Value(n.text);
                    break;
                case Node::If:
                    RenderNodes(IsEmpty(Chain(n.text)) ? n.otherwise : n.children, out);
                    break;
                case Node::Section: {
                    std::vector<Row> rows = Query(n.text);
                    for (size_t i = 0; i < rows.size(); ++i) {
                        Row& row = rows[i];
                        row.insert(QStringLiteral("_index"), Cell{int(i + 1), TFieldType::Integer});
                        row.insert(
                            QStringLiteral("_pagebreak"),
                            Cell{i == 0 ? QString() : QStringLiteral("page-break-before: always;"),
                                 TFieldType::String});
                        scopes_.push_back(&row);
                        RenderNodes(n.children, out);
                        scopes_.pop_back();
                    }
                    break;
                }
            }
        }
    }

    const TReportDefinition& def_;
    QString filter_;
    std::vector<const Row*> scopes_;
};

}  // namespace

QString RenderReportHtml(const TReportDefinition& definition, const QString& filter) {
    return Renderer(definition, filter).Run();
}

QString RenderReportHtml(int reportId, const QString& filter) {
    const TReportDefinition* def = Reports().Find(reportId);
    if (!def) throw EZMKError(QStringLiteral("No existe el informe número %1").arg(reportId));
    return RenderReportHtml(*def, filter);
}

namespace {
bool IsNumeric(TFieldType type) {
    return type == TFieldType::Currency || type == TFieldType::Integer || type == TFieldType::Float;
}
}  // namespace

QString RenderListHtml(const QString& title, TDataSet& dataSet,
                       const std::vector<TListColumn>& columns) {
    std::vector<int> indexes;
    for (const TListColumn& col : columns)
        indexes.push_back(dataSet.FieldByName(col.field).Index());
    // A lookup column prints the looked-up row's text, read once per key.
    std::vector<QHash<QString, QString>> lookups(columns.size());
    auto lookupText = [&](size_t c, const QVariant& key) {
        if (!key.isValid() || key.isNull()) return QString();
        auto it = lookups[c].constFind(key.toString());
        if (it != lookups[c].constEnd()) return *it;
        const QStringList parts = columns[c].lookup.split(QLatin1Char(':'));
        QString text = key.toString();
        if (parts.size() >= 3) {
            try {
                QSqlQuery q =
                    dataSet.DataBase().Prepared(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                                    .arg(parts[2], parts[0], parts[1]),
                                                {key});
                if (q.next()) text = q.value(0).toString();
            } catch (const EZMKError&) {
                // A wrong lookup prints the key itself.
            }
        }
        lookups[c].insert(key.toString(), text);
        return text;
    };
    auto numeric = [&](size_t c) {
        return columns[c].lookup.isEmpty() && IsNumeric(dataSet.Fields(indexes[c]).DataType());
    };
    QString html = QStringLiteral(
        "<html><head><style>"
        "body{font-family:'DejaVu Sans',sans-serif;font-size:8pt;}"
        "h1{font-size:13pt;color:#1f3b63;margin:0;}"
        "table.list{border-collapse:collapse;}"
        "table.list th{background:#1f3b63;color:white;padding:3px 5px;text-align:left;}"
        "table.list td{padding:2px 5px;border-bottom:1px solid #d0d7e2;}"
        "td.num{text-align:right;} .foot{color:#555;font-size:7pt;}"
        "tr.total td{font-weight:bold;border-top:2px solid #1f3b63;}"
        "</style></head><body>");
    html += QStringLiteral("<h1>") + title.toHtmlEscaped() + QStringLiteral("</h1>");
    html += QStringLiteral("<p class=\"foot\">Impreso el ") +
            Ahora().toString(QStringLiteral("dd/MM/yyyy hh:mm")) +
            QStringLiteral(" &#8212; %1 registros</p>").arg(dataSet.RecordCount());
    html += QStringLiteral("<table class=\"list\" width=\"100%\" cellspacing=\"0\"><thead><tr>");
    for (size_t c = 0; c < columns.size(); ++c)
        html += (numeric(c) ? QStringLiteral("<th style=\"text-align:right\">")
                            : QStringLiteral("<th>")) +
                columns[c].title.toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr></thead><tbody>");
    std::vector<Currency> totals(columns.size());
    bool anyMoney = false;
    for (size_t c = 0; c < columns.size(); ++c)
        anyMoney = anyMoney || (columns[c].lookup.isEmpty() &&
                                dataSet.Fields(indexes[c]).DataType() == TFieldType::Currency);
    for (int r = 0; r < dataSet.RecordCount(); ++r) {
        html +=
            r % 2 ? QStringLiteral("<tr style=\"background:#f2f5f9\">") : QStringLiteral("<tr>");
        for (size_t c = 0; c < indexes.size(); ++c) {
            TField& field = dataSet.Fields(indexes[c]);
            const QVariant value = dataSet.ValueAt(r, indexes[c]);
            html += numeric(c) ? QStringLiteral("<td class=\"num\">") : QStringLiteral("<td>");
            if (!columns[c].lookup.isEmpty()) {
                html += Escape(lookupText(c, value)) + QStringLiteral("</td>");
                continue;
            }
            if (field.DataType() == TFieldType::Currency)
                if (auto amount = VarToCurrency(value)) totals[c] += *amount;
            html += Escape(DefaultText(Cell{value, field.DataType()})) + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    if (anyMoney) {
        html += QStringLiteral("<tr class=\"total\">");
        for (size_t c = 0; c < columns.size(); ++c) {
            const bool money = columns[c].lookup.isEmpty() &&
                               dataSet.Fields(indexes[c]).DataType() == TFieldType::Currency;
            if (money)
                html += QStringLiteral("<td class=\"num\">") +
                        Escape(DefaultText(
                            Cell{QVariant::fromValue(totals[c]), TFieldType::Currency})) +
                        QStringLiteral("</td>");
            else if (c == 0)
                html += QStringLiteral("<td>Total (%1)</td>").arg(dataSet.RecordCount());
            else
                html += QStringLiteral("<td></td>");
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</tbody></table></body></html>");
    return html;
}

}  // namespace zmk
