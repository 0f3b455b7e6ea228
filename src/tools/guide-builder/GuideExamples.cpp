#include "GuideExamples.h"

#include <QRegularExpression>
#include <array>

#include "AllowableLoadTables.h"
#include "LoadTablesHtml.h"
#include "ThicknessCatalogue.h"

namespace bpd::guide {

namespace {

AnalysisRequest request(UnitSystem units, InputTexts texts, bool sliding = false,
                        int selection = 0) {
    AnalysisRequest r;
    r.units = units;
    r.texts = std::move(texts);
    r.sliding = sliding;
    r.selection = selection;
    return r;
}

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// The header row in <thead>: the guide repeats it on every page the table runs onto.
QString htmlTable(const ResultTable& table) {
    QString html = QStringLiteral(
        "<table class=\"results\" width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">"
        "<thead><tr>");
    for (const auto& header : table.header)
        html += QStringLiteral("<th style=\"white-space: nowrap\">%1</th>")
                    .arg(q(header).toHtmlEscaped());
    html += QStringLiteral("</tr></thead>");
    for (const auto& row : table.rows) {
        html += QStringLiteral("<tr>");
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const QString text = q(row.cells[c]).toHtmlEscaped();
            if (c == 0)
                html +=
                    QStringLiteral("<td class=\"%1\" style=\"white-space: nowrap\"><b>%2</b></td>")
                        .arg(row.values.passes() ? QStringLiteral("pass") : QStringLiteral("fail"),
                             text);
            else
                html += QStringLiteral("<td style=\"white-space: nowrap\">%1</td>").arg(text);
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// {{loads:UNITS}} every allowable-load table of a unit system, {{loads:UNITS:POSITION}} the
// table of one catalogue position, so that the guide's source lays them out on its pages.
bool loadTablesPlaceholder(const QStringList& parts, QString& html) {
    if (parts.isEmpty() || parts.size() > 2) return false;
    if (parts.first() != u"imperial" && parts.first() != u"si") return false;
    std::vector<AllowableLoadTable> tables =
        allowableLoadTables(parts.first() == u"si" ? UnitSystem::SI : UnitSystem::Imperial);
    if (parts.size() == 2) {
        bool isNumber = false;
        const int position = parts.at(1).toInt(&isNumber);
        if (!isNumber || position < 1 || position > static_cast<int>(tables.size())) return false;
        tables = {tables[static_cast<std::size_t>(position - 1)]};
    }
    html = loadTablesHtml(tables);
    return true;
}

const Example* findExample(const QString& name) {
    for (const auto& example : examples())
        if (example.name == name) return &example;
    return nullptr;
}

}  // namespace

const QList<Example>& examples() {
    static const QList<Example> all = {
        {QStringLiteral("default"),
         request(UnitSystem::Imperial, {"4.00", "4.00", ".01", "0.0711", "7.13"})},
        {QStringLiteral("sliding"),
         request(UnitSystem::Imperial, {"4.00", "4.00", ".01", "0.0711", "7.13"}, true)},
        {QStringLiteral("no-rotation"),
         request(UnitSystem::Imperial, {"4.00", "4.00", "0", "0.0711", "7.13"})},
        {QStringLiteral("rotation"),
         request(UnitSystem::Imperial, {"4.00", "4.00", "0.1", "0.0711", "7.13"})},
        {QStringLiteral("shear"),
         request(UnitSystem::Imperial, {"4.00", "4.00", ".01", "0.1", "45"})},
        {QStringLiteral("si"),
         request(UnitSystem::SI, {"101.6", "101.6", ".01", "1.80594", "31.72"})},
        {QStringLiteral("si-sliding"),
         request(UnitSystem::SI, {"101.6", "101.6", ".01", "1.80594", "31.72"}, true)},
    };
    return all;
}

ResultTable tableOf(const Example& example) {
    std::array<double, ThicknessCatalogue::count> thickness{};
    for (int p = 1; p <= ThicknessCatalogue::count; ++p)
        thickness[static_cast<std::size_t>(p - 1)] = ThicknessCatalogue::thicknessInches(p);
    return analyze(example.request, thickness, NumberLocale::c());
}

QString expandPlaceholders(const QString& source, QStringList& errors) {
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{([a-z]+):([^}]*)\\}\\}"));
    QString out;
    qsizetype last = 0;
    auto it = placeholder.globalMatch(source);
    while (it.hasNext()) {
        const auto match = it.next();
        out += source.mid(last, match.capturedStart() - last);
        last = match.capturedEnd();
        const QString kind = match.captured(1);
        const QStringList parts = match.captured(2).split(u':');
        const Example* example = parts.isEmpty() ? nullptr : findExample(parts.first());
        QString replacement;
        bool ok = example != nullptr;
        if (kind == u"loads") {
            ok = loadTablesPlaceholder(parts, replacement);
        } else if (ok && kind == u"table" && parts.size() == 1) {
            const ResultTable table = tableOf(*example);
            ok = !table.fault.has_value();
            replacement = htmlTable(table);
        } else if (ok && kind == u"cell" && parts.size() == 3) {
            const ResultTable table = tableOf(*example);
            bool rowOk = false, colOk = false;
            const int row = parts.at(1).toInt(&rowOk);
            const int col = parts.at(2).toInt(&colOk);
            ok = rowOk && colOk && col >= 0 && col < kResultColumns && row >= 0 &&
                 row <= static_cast<int>(table.rows.size()) && !table.fault.has_value();
            if (ok)
                replacement = row == 0 ? q(table.header[static_cast<std::size_t>(col)])
                                       : q(table.rows[static_cast<std::size_t>(row - 1)]
                                               .cells[static_cast<std::size_t>(col)]);
        } else if (ok && kind == u"input" && parts.size() == 2) {
            const InputTexts& t = example->request.texts;
            const QString field = parts.at(1);
            if (field == u"w1")
                replacement = q(t.w1);
            else if (field == u"b1")
                replacement = q(t.b1);
            else if (field == u"A")
                replacement = q(t.A);
            else if (field == u"dh")
                replacement = q(t.dh);
            else if (field == u"Vap")
                replacement = q(t.Vap);
            else if (field == u"sliding")
                replacement = example->request.sliding ? QStringLiteral("checked")
                                                       : QStringLiteral("not checked");
            else if (field == u"units")
                replacement = example->request.units == UnitSystem::SI ? QStringLiteral("SI")
                                                                       : QStringLiteral("Imperial");
            else
                ok = false;
        } else {
            ok = false;
        }
        if (!ok) errors << match.captured(0);
        out += ok ? replacement : match.captured(0);
    }
    out += source.mid(last);
    return out;
}

}  // namespace bpd::guide
