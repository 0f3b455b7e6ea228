#include "LoadTablesHtml.h"

#include "ThicknessCatalogue.h"

namespace bpd::guide {

namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toHtmlEscaped();
}

QString lengthUnit(UnitSystem units) {
    return q(unitCaption(units, QuantityKind::Length));
}

QString tableHtml(const AllowableLoadTable& table) {
    const UnitSystem units = table.units;
    const qsizetype columns = static_cast<qsizetype>(table.columns.size());
    QString html = QStringLiteral(
        "<table class=\"loads\" width=\"100%\" cellspacing=\"0\" cellpadding=\"3\"><thead>");
    html += QStringLiteral(
                "<tr><th class=\"title\" colspan=\"%1\">Pad thickness t = %2 %3"
                " &mdash; allowable load with rotation Var (%4)</th></tr>")
                .arg(columns + 1)
                .arg(q(ThicknessCatalogue::label(units, table.position)), lengthUnit(units),
                     q(unitCaption(units, QuantityKind::Load)));
    // The angles, each over its two columns (not sliding, sliding).
    html += QStringLiteral("<tr><th class=\"size\" rowspan=\"2\">Plan size w1 &times; b1 (%1)</th>")
                .arg(lengthUnit(units));
    for (qsizetype c = 0; c < columns;) {
        qsizetype span = 1;
        while (c + span < columns && table.columns[static_cast<std::size_t>(c + span)].angle ==
                                         table.columns[static_cast<std::size_t>(c)].angle)
            ++span;
        html += QStringLiteral("<th colspan=\"%1\">A = %2 rad</th>")
                    .arg(span)
                    .arg(q(table.columns[static_cast<std::size_t>(c)].angle));
        c += span;
    }
    html += QStringLiteral("</tr><tr>");
    for (const AllowableLoadColumn& column : table.columns)
        html += column.sliding ? QStringLiteral("<th>sliding</th>")
                               : QStringLiteral("<th>not sliding</th>");
    html += QStringLiteral("</tr></thead><tbody>");
    for (std::size_t r = 0; r < table.sides.size(); ++r) {
        html += r % 2 == 1 ? QStringLiteral("<tr class=\"band\">") : QStringLiteral("<tr>");
        const QString side = q(table.sides[r]);
        html += QStringLiteral("<td class=\"size\">%1 &times; %1</td>").arg(side);
        for (const std::string& var : table.var[r])
            html += QStringLiteral("<td>%1</td>").arg(q(var));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</tbody></table>");
}

}  // namespace

QString loadTablesHtml(const std::vector<AllowableLoadTable>& tables) {
    QString html;
    for (const AllowableLoadTable& table : tables) html += tableHtml(table);
    return html;
}

}  // namespace bpd::guide
