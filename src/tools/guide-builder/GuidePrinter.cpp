#include "GuidePrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include "GuideLayout.h"

namespace bpd::guide {

namespace {

const QColor kBrand(0x1f, 0x3f, 0x7f);
const QColor kMuted(0x60, 0x60, 0x60);
constexpr qreal kCssDpi = 96;

}  // namespace

// The section in force at the top of the page: one that starts there, or the last before it.
QString GuidePrinter::sectionOn(int page) const {
    QString current;
    for (const auto& heading : layout_.headings())
        if (heading.level == 2 &&
            (heading.page < page || (heading.page == page && heading.top < 40)))
            current = heading.title;
    return current;
}

bool GuidePrinter::print(QPagedPaintDevice& device, const QString& title, const QString& owner) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // Everything below is in CSS pixels, 96 to the inch, as the layout is.
    const qreal scale = device.logicalDpiY() / kCssDpi;
    painter.scale(scale, scale);
    const QRectF body(body_.left() * kCssDpi, body_.top() * kCssDpi, body_.width() * kCssDpi,
                      body_.height() * kCssDpi);
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPointSizeF(8);
    small.setHintingPreference(QFont::PreferNoHinting);
    const qreal pageHeight = layout_.pageHeight();

    for (int page = 0; page < layout_.pageCount(); ++page) {
        if (page > 0) device.newPage();
        painter.save();
        painter.translate(body.left(), body.top() - page * pageHeight);
        QAbstractTextDocumentLayout::PaintContext context;
        // Less the page's last hairline: a table the layout moved onto the next page draws half
        // of its top border across the page end.
        context.clip = QRectF(0, page * pageHeight, body.width(), pageHeight - 0.75);
        painter.setClipRect(context.clip);
        layout_.document().documentLayout()->draw(&painter, context);
        painter.restore();
        if (page == 0) continue;

        // The running lines in device pixels, so that their font keeps its point size.
        painter.save();
        painter.resetTransform();
        painter.setFont(small);
        const qreal lineHeight = painter.fontMetrics().height();
        const qreal headBase = (body.top() - 0.3 * kCssDpi) * scale;
        const qreal left = body.left() * scale, right = body.right() * scale;
        const QRectF head(left, headBase - lineHeight, right - left, lineHeight);
        painter.setPen(kMuted);
        painter.drawText(head, Qt::AlignLeft | Qt::AlignBottom, title);
        painter.drawText(head, Qt::AlignRight | Qt::AlignBottom, sectionOn(page));
        const qreal footTop = (body.bottom() + 0.3 * kCssDpi) * scale;
        const QRectF foot(left, footTop, right - left, lineHeight);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignTop, owner);
        painter.drawText(foot, Qt::AlignRight | Qt::AlignTop, QString::number(page + 1));
        painter.setPen(QPen(kBrand, 0.75 * scale));
        const qreal gap = 0.12 * kCssDpi * scale;  // between a running line and its rule
        painter.drawLine(QPointF(left, headBase + gap), QPointF(right, headBase + gap));
        painter.drawLine(QPointF(left, footTop - gap), QPointF(right, footTop - gap));
        painter.restore();
    }
    return painter.end();
}

}  // namespace bpd::guide
