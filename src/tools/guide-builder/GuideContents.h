#pragma once
// The design guide's contents list: {{contents}} in the guide's source becomes a table with
// one row for each section (<h2>) and subsection (<h3>) that follows it, the title and a page
// cell. The page numbers are known only once the guide is laid out: GuideLayout fills them in.

#include <QList>
#include <QString>

namespace bpd::guide {

struct ContentsEntry {
    int level = 2;  // 2 a section, 3 a subsection
    QString title;  // as the heading's text reads, entities resolved
};

// The headings after the {{contents}} placeholder; empty when there is no placeholder.
QList<ContentsEntry> contentsEntriesOf(const QString& html);

// html with the placeholder replaced by the contents table of entries (page cells "0").
QString withContentsTable(const QString& html, const QList<ContentsEntry>& entries);

inline const QString kContentsPlaceholder = QStringLiteral("{{contents}}");

}  // namespace bpd::guide
