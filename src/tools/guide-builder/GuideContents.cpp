#include "GuideContents.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace bpd::guide {

QList<ContentsEntry> contentsEntriesOf(const QString& html) {
    const qsizetype start = html.indexOf(kContentsPlaceholder);
    if (start < 0) return {};
    static const QRegularExpression heading(QStringLiteral("<h([23])[^>]*>(.*?)</h\\1>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QList<ContentsEntry> entries;
    auto it = heading.globalMatch(html, start);
    while (it.hasNext()) {
        const auto match = it.next();
        const QString text = QTextDocumentFragment::fromHtml(match.captured(2)).toPlainText();
        entries.append({match.captured(1).toInt(), text.simplified()});
    }
    return entries;
}

QString withContentsTable(const QString& html, const QList<ContentsEntry>& entries) {
    QString table = QStringLiteral(
        "<table class=\"contents\" width=\"100%\" cellspacing=\"0\" cellpadding=\"3\">");
    for (const auto& entry : entries) {
        table += QStringLiteral(
                     "<tr><td class=\"contents%1\">%2</td>"
                     "<td class=\"page%1\" align=\"right\" width=\"12%\">0</td></tr>")
                     .arg(entry.level)
                     .arg(entry.title.toHtmlEscaped());
    }
    table += QStringLiteral("</table>");
    QString out = html;
    return out.replace(kContentsPlaceholder, table);
}

}  // namespace bpd::guide
