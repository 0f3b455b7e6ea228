#include "GridCellDelegate.h"

#include <QPainter>

#include "FocusCue.h"

namespace bpd::mainwindow {

namespace {
constexpr int kLeftPadding = 3;
constexpr int kRightPadding = 2;
constexpr qsizetype kCacheLimit = 4096;
}  // namespace

const QStaticText& GridCellDelegate::layout(const QString& text, const QFont& font) const {
    auto& cache = font.bold() ? bold_ : regular_;
    auto it = cache.find(text);
    if (it == cache.end()) {
        if (cache.size() >= kCacheLimit) cache.clear();
        QStaticText laidOut(text);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
        laidOut.prepare(QTransform(), font);
        it = cache.insert(text, laidOut);
    }
    return *it;
}

void GridCellDelegate::drawCellText(QPainter* painter, const QRect& cell, const QString& text,
                                    const QFont& font, Qt::Alignment alignment) const {
    if (text.isEmpty()) return;
    const QRect box = cell.adjusted(kLeftPadding, 0, -kRightPadding, 0);
    painter->setFont(font);
    const QStaticText& laidOut = layout(text, font);
    const QSizeF size = laidOut.size();
    qreal x = box.left();
    if (alignment & Qt::AlignRight)
        x = box.right() + 1 - size.width();
    else if (alignment & Qt::AlignHCenter)
        x = box.left() + (box.width() - size.width()) / 2;
    qreal y = box.top() + (box.height() - size.height()) / 2;
    if (alignment & Qt::AlignTop)
        y = box.top();
    else if (alignment & Qt::AlignBottom)
        y = box.bottom() + 1 - size.height();
    painter->save();
    painter->setClipRect(cell);
    painter->drawStaticText(QPointF(x, y), laidOut);
    painter->restore();
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const QVariant back = index.data(Qt::BackgroundRole);
    if (back.canConvert<QBrush>()) painter->fillRect(option.rect, back.value<QBrush>());
    const QVariant fontData = index.data(Qt::FontRole);
    const QFont font = fontData.canConvert<QFont>() ? fontData.value<QFont>() : option.font;
    const QVariant colour = index.data(Qt::ForegroundRole);
    painter->setPen(colour.canConvert<QBrush>() ? colour.value<QBrush>().color()
                                                : option.palette.color(QPalette::Text));
    const QVariant align = index.data(Qt::TextAlignmentRole);
    drawCellText(painter, option.rect, index.data(Qt::DisplayRole).toString(), font,
                 align.isValid() ? Qt::Alignment(align.toInt()) : Qt::AlignLeft | Qt::AlignVCenter);
    // The cell the arrow keys move, once the keyboard brought the focus to the grid.
    if (platform::FocusCue::shown(option, option.widget))
        platform::FocusCue::paint(*painter, option.rect, painter->pen().color());
}

}  // namespace bpd::mainwindow
