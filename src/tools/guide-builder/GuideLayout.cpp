#include "GuideLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include "ArtworkObject.h"

namespace bpd::guide {

namespace {

// A group must fit in this share of a page to be moved whole onto the next one.
constexpr qreal kFitShare = 0.97;

QString plainText(const QTextBlock& block) {
    return block.text().trimmed();
}

bool isCaption(const QString& text) {
    static const QRegularExpression caption(QStringLiteral("^(Table|Figure) [A-Z]?\\d+\\."));
    return caption.match(text).hasMatch();
}

QString cellText(QTextTable* table, int row, int column) {
    QTextCursor cursor = table->cellAt(row, column).firstCursorPosition();
    cursor.setPosition(table->cellAt(row, column).lastCursorPosition().position(),
                       QTextCursor::KeepAnchor);
    return cursor.selectedText().simplified();
}

}  // namespace

QTextBlock GuideLayout::Element::firstBlock() const {
    return frame ? frame->firstCursorPosition().block() : block;
}

bool GuideLayout::Element::isHeading() const {
    return !frame && block.blockFormat().headingLevel() > 0;
}

// Whether element i stays on the page of the element after it.
bool GuideLayout::keepsWithNext(const QList<Element>& all, qsizetype i) {
    const Element& element = all[i];
    if (element.frame || i + 1 >= all.size()) return false;
    const QString text = plainText(element.block);
    if (element.isHeading() || text.endsWith(u':') || isCaption(text)) return true;
    // A section's short opening paragraph that leads to a caption introduces its table.
    const Element& next = all[i + 1];
    const int shortParagraph = 4;
    return i > 0 && all[i - 1].isHeading() && !next.frame && isCaption(plainText(next.block)) &&
           element.block.layout() && element.block.layout()->lineCount() <= shortParagraph;
}

GuideLayout::GuideLayout(const QString& html, const QSizeF& bodySize) {
    ArtworkObject::install(document_);
    document_.setDocumentMargin(0);
    document_.setUseDesignMetrics(true);  // the printed page's spacing, not the screen's
    QFont body(QStringLiteral("Liberation Serif"));
    body.setPointSizeF(10.5);
    body.setHintingPreference(QFont::PreferNoHinting);
    document_.setDefaultFont(body);
    document_.setPageSize(bodySize);
    document_.setHtml(html);

    QStringList missing;
    if (!ArtworkObject::allArtworkExists(document_, missing))
        problems_ << QStringLiteral("no artwork %1").arg(missing.join(QStringLiteral(", ")));
    keepGroupsTogether();
    findHeadings();
    numberContents();
}

QList<GuideLayout::Element> GuideLayout::elements() const {
    QList<Element> all;
    for (auto it = document_.rootFrame()->begin(); !it.atEnd(); ++it) {
        Element element;
        if (it.currentFrame())
            element.frame = it.currentFrame();
        else
            element.block = it.currentBlock();
        // The empty block the layout keeps after each table belongs to no group.
        if (!element.frame && element.block.length() <= 1) continue;
        all.append(element);
    }
    return all;
}

// The layout works in 1/64 pixels, so a page's first line may start a hair above its page.
int GuideLayout::pageOf(qreal y) const {
    return int((y + 0.5) / pageHeight());
}

qreal GuideLayout::firstLineTop(const QTextBlock& block) const {
    const QRectF rect = document_.documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    return layout && layout->lineCount() > 0 ? rect.top() + layout->lineAt(0).y() : rect.top();
}

qreal GuideLayout::firstLineTop(const Element& element) const {
    return firstLineTop(element.firstBlock());
}

qreal GuideLayout::lastLineBottom(const Element& element) const {
    if (element.frame) return document_.documentLayout()->frameBoundingRect(element.frame).bottom();
    const QTextLayout* layout = element.block.layout();
    if (!layout || layout->lineCount() == 0)
        return document_.documentLayout()->blockBoundingRect(element.block).bottom();
    const QTextLine last = layout->lineAt(layout->lineCount() - 1);
    return document_.documentLayout()->blockBoundingRect(element.block).top() + last.y() +
           last.height();
}

bool GuideLayout::breakBefore(const Element& element) {
    if (element.frame) {
        QTextFrameFormat format = element.frame->frameFormat();
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) return false;
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        element.frame->setFrameFormat(format);
    } else {
        QTextBlockFormat format = element.block.blockFormat();
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) return false;
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(element.block).setBlockFormat(format);
    }
    return true;
}

// Moves each group that runs over a page end, and would fit on one page, to the next page.
// A move that does not make the group fit is taken back and the group left to run on.
void GuideLayout::keepGroupsTogether() {
    QSet<int> leftToRunOn;  // first positions of groups that do not fit on a page
    for (int pass = 0; pass < 500; ++pass) {
        const QList<Element> all = elements();
        bool moved = false;
        for (qsizetype i = 0; i < all.size() && !moved;) {
            qsizetype last = i;
            while (keepsWithNext(all, last)) ++last;
            const int key = all[i].firstBlock().position();
            const qreal top = firstLineTop(all[i]);
            const qreal bottom = lastLineBottom(all[last]);
            const int page = pageOf(top);
            if (page != pageOf(bottom - 1.5) && !leftToRunOn.contains(key) &&
                top - page * pageHeight() > 1) {
                const Element& moving = all[i];  // the group's first element takes the break
                const auto before = moving.frame ? moving.frame->frameFormat()
                                                 : QTextFormat(moving.block.blockFormat());
                if (breakBefore(moving)) {
                    const qreal movedTop = firstLineTop(all[i]);
                    const qreal movedBottom = lastLineBottom(all[last]);
                    const bool fits = pageOf(movedTop) == page + 1 &&
                                      pageOf(movedBottom - 1.5) == page + 1 &&
                                      movedBottom - movedTop <= pageHeight() * kFitShare;
                    if (fits) {
                        moved = true;
                    } else {
                        leftToRunOn.insert(key);
                        if (moving.frame)
                            moving.frame->setFrameFormat(before.toFrameFormat());
                        else
                            QTextCursor(moving.block).setBlockFormat(before.toBlockFormat());
                    }
                }
            }
            i = last + 1;
        }
        if (!moved) return;
    }
    problems_ << QStringLiteral("the page breaks did not settle");
}

void GuideLayout::findHeadings() {
    headings_.clear();
    headingPositions_.clear();
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 2 && level != 3) continue;
        const qreal top = firstLineTop(block);
        const int page = pageOf(top);
        headings_.append({level, plainText(block).simplified(), page, top - page * pageHeight()});
        headingPositions_.append(block.position());
    }
}

// The contents list is the two-column table whose first column reads the headings after it.
void GuideLayout::numberContents() {
    contentsRows_.clear();
    for (const Element& element : elements()) {
        auto* table = qobject_cast<QTextTable*>(element.frame);
        if (!table || table->columns() != 2) continue;
        QList<Heading> listed;
        for (qsizetype h = 0; h < headings_.size(); ++h)
            if (headingPositions_[h] > table->lastPosition()) listed.append(headings_[h]);
        bool matches = listed.size() == table->rows();
        for (int r = 0; r < table->rows() && matches; ++r)
            matches = cellText(table, r, 0) == listed[r].title;
        if (!matches) continue;

        headings_ = listed;
        for (int r = 0; r < table->rows(); ++r) {
            QTextCursor page = table->cellAt(r, 1).firstCursorPosition();
            page.setPosition(table->cellAt(r, 1).lastCursorPosition().position(),
                             QTextCursor::KeepAnchor);
            page.insertText(QString::number(headings_[r].page + 1));
        }
        const QRectF tableRect = document_.documentLayout()->frameBoundingRect(table);
        for (int r = 0; r < table->rows(); ++r) {
            const QRectF cell = document_.documentLayout()->blockBoundingRect(
                table->cellAt(r, 0).firstCursorPosition().block());
            const int onPage = pageOf(cell.top());
            contentsRows_.append({onPage,
                                  QRectF(tableRect.left(), cell.top() - onPage * pageHeight(),
                                         tableRect.width(), cell.height()),
                                  r});
        }
        return;
    }
    if (!headings_.isEmpty()) problems_ << QStringLiteral("no contents list matches the headings");
}

}  // namespace bpd::guide
