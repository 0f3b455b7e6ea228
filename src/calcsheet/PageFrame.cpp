#include "PageFrame.h"

#include <QFontMetricsF>
#include <QPainter>

#include "SheetStyle.h"

namespace bpd::calcsheet {

namespace {

constexpr qreal kInfoRowHeight = 42;  // three lines of the title block
constexpr qreal kSignRowHeight = 26;  // room to sign
constexpr qreal kCellPad = 3;

// A label and its value in one cell line: "Company" small and grey, the value after it.
void paintField(QPainter& painter, QPointF at, qreal width, const QString& label,
                const QString& value) {
    painter.setFont(SheetStyle::small());
    painter.setPen(SheetStyle::muted());
    const QFontMetricsF labelMetrics(painter.font(), painter.device());
    const QString labelText = label + QStringLiteral(": ");
    painter.drawText(at, labelText);
    const qreal used = labelMetrics.horizontalAdvance(labelText);
    painter.setFont(SheetStyle::bold());
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(at.x() + used, at.y()),
                     metrics.elidedText(value, Qt::ElideRight, width - used));
}

}  // namespace

PageFrame::PageFrame(SheetHeading heading, QRectF page)
    : heading_(std::move(heading)), page_(page) {
    const qreal m = SheetStyle::kMargin;
    const QRectF inner = page_.adjusted(m, m, -m, -m);
    titleBlock_ = QRectF(inner.left(), inner.top(), inner.width(), kInfoRowHeight + kSignRowHeight);
    const qreal footerHeight = 12;
    footer_ = QRectF(inner.left(), inner.bottom() - footerHeight, inner.width(), footerHeight);
    body_ = QRectF(inner.left(), titleBlock_.bottom() + 14, inner.width(),
                   footer_.top() - 8 - (titleBlock_.bottom() + 14));
}

QString PageFrame::pageText(int pageNumber, int pageCount) {
    return QStringLiteral("Page %1 of %2").arg(pageNumber).arg(pageCount);
}

void PageFrame::paint(QPainter& painter, int pageNumber, int pageCount,
                      const QString& digest) const {
    painter.save();
    paintTitleBlock(painter, pageNumber, pageCount);
    paintFooter(painter, digest);
    painter.restore();
}

void PageFrame::paintTitleBlock(QPainter& painter, int pageNumber, int pageCount) const {
    const QRectF box = titleBlock_;
    const qreal left = box.left(), top = box.top(), width = box.width();
    const qreal split1 = left + width * 0.40, split2 = left + width * 0.74;
    const qreal infoBottom = top + kInfoRowHeight;

    painter.setPen(QPen(Qt::black, 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.setPen(QPen(Qt::black, 0.5));
    painter.drawLine(QPointF(left, infoBottom), QPointF(box.right(), infoBottom));
    painter.drawLine(QPointF(split1, top), QPointF(split1, box.bottom()));
    painter.drawLine(QPointF(split2, top), QPointF(split2, box.bottom()));

    const qreal line = kInfoRowHeight / 3;
    const auto baseline = [&](int row) { return top + line * (row + 1) - 3.5; };
    const reports::ProjectData& p = heading_.project;
    const qreal w1 = split1 - left - 2 * kCellPad, w2 = split2 - split1 - 2 * kCellPad,
                w3 = box.right() - split2 - 2 * kCellPad;
    paintField(painter, {left + kCellPad, baseline(0)}, w1, QStringLiteral("Company"), p.sCompany);
    paintField(painter, {left + kCellPad, baseline(1)}, w1, QStringLiteral("Project"),
               p.sProjectName);
    paintField(painter, {left + kCellPad, baseline(2)}, w1, QStringLiteral("Engineer"),
               p.sEngineer);
    paintField(painter, {split1 + kCellPad, baseline(0)}, w2, QStringLiteral("Description"),
               p.sDescription);
    if (!heading_.mark.isEmpty())
        paintField(painter, {split1 + kCellPad, baseline(1)}, w2, QStringLiteral("Mark"),
                   heading_.mark);
    if (!heading_.location.isEmpty())
        paintField(painter, {split1 + kCellPad, baseline(2)}, w2, QStringLiteral("Location"),
                   heading_.location);

    painter.setFont(SheetStyle::bold());
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(split2 + kCellPad, baseline(0)),
                     metrics.elidedText(heading_.program, Qt::ElideRight, w3));
    painter.setFont(SheetStyle::small());
    painter.drawText(QPointF(split2 + kCellPad, baseline(1)),
                     QStringLiteral("Version ") + heading_.version);
    painter.setFont(SheetStyle::bold());
    painter.drawText(QPointF(split2 + kCellPad, baseline(2)), pageText(pageNumber, pageCount));

    // The boxes to sign, left empty.
    painter.setFont(SheetStyle::small());
    painter.setPen(SheetStyle::muted());
    const qreal labelBase = infoBottom + 8.5;
    painter.drawText(QPointF(left + kCellPad, labelBase), QStringLiteral("Designed by"));
    painter.drawText(QPointF(split1 + kCellPad, labelBase), QStringLiteral("Checked by"));
    painter.drawText(QPointF(split2 + kCellPad, labelBase), QStringLiteral("Date"));
}

void PageFrame::paintFooter(QPainter& painter, const QString& digest) const {
    painter.setPen(QPen(SheetStyle::muted(), 0.5));
    painter.drawLine(footer_.topLeft(), footer_.topRight());
    painter.setFont(SheetStyle::small());
    const QString made = QStringLiteral("Made ") +
                         heading_.made.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'"));
    const QString program = heading_.program + QLatin1Char(' ') + heading_.version;
    painter.drawText(footer_, Qt::AlignLeft | Qt::AlignBottom, made);
    painter.drawText(footer_, Qt::AlignHCenter | Qt::AlignBottom, program);
    painter.drawText(footer_, Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("Inputs digest ") + digest);
}

}  // namespace bpd::calcsheet
