#pragma once
// The design guide laid out on pages: the text document at the page size of its body, page
// breaks placed so that what belongs together stays together, the headings found on their
// pages and the contents list's page numbers filled in.
//
// Usage:
//     GuideLayout layout(html, bodySize);  // CSS pixels, 96 to the inch
//     layout.pageCount(); layout.headings(); layout.contentsRows();
//     layout.document().documentLayout()->draw(...)  // one page at a time (GuidePrinter)
//
// Kept together on one page, when it fits: a heading with what follows it, a paragraph that
// ends with ":" with what it introduces, a caption ("Table 3." or "Figure 2.") with its table
// or figure, a section's short opening paragraph with the caption after it, and every table
// or figure itself. A table longer than a page runs on, its header
// rows (<thead>) repeated at the top of each page. page-break-before in the source still
// starts a new page.

#include <QList>
#include <QRectF>
#include <QString>
#include <QTextBlock>
#include <QTextDocument>

class QTextFrame;

namespace bpd::guide {

class GuideLayout {
public:
    struct Heading {
        int level = 2;  // 2 a section, 3 a subsection
        QString title;
        int page = 0;   // 0 is the first page
        qreal top = 0;  // of its first line, from the top of its page's body (CSS pixels)
    };
    struct ContentsRow {
        int page = 0;     // where the row is
        QRectF rect;      // on that page's body (CSS pixels)
        int heading = 0;  // index into headings()
    };

    GuideLayout(const QString& html, const QSizeF& bodySize);

    QTextDocument& document() { return document_; }
    qreal pageHeight() const { return document_.pageSize().height(); }
    int pageCount() const { return document_.pageCount(); }
    // Sections and subsections after the contents list, in order.
    const QList<Heading>& headings() const { return headings_; }
    // The rows of the contents list, each leading to its heading.
    const QList<ContentsRow>& contentsRows() const { return contentsRows_; }
    // What went wrong laying the guide out (missing artwork, a contents list that does not
    // match the headings); empty when all is well.
    const QStringList& problems() const { return problems_; }

private:
    struct Element {
        QTextBlock firstBlock() const;
        bool isHeading() const;
        QTextBlock block;
        QTextFrame* frame = nullptr;
    };
    QList<Element> elements() const;
    static bool keepsWithNext(const QList<Element>& all, qsizetype i);
    int pageOf(qreal y) const;
    qreal firstLineTop(const QTextBlock& block) const;
    qreal firstLineTop(const Element& element) const;
    qreal lastLineBottom(const Element& element) const;
    bool breakBefore(const Element& element);
    void keepGroupsTogether();
    void findHeadings();
    void numberContents();

    QTextDocument document_;
    QList<Heading> headings_;
    QList<int> headingPositions_;  // of each heading's block
    QList<ContentsRow> contentsRows_;
    QStringList problems_;
};

}  // namespace bpd::guide
