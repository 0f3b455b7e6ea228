#include "FixedRowHeader.h"

#include <QPainter>

#include "GridCellDelegate.h"

namespace bpd::mainwindow {

FixedRowHeader::FixedRowHeader(const GridCellDelegate* cells, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), cells_(cells) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void FixedRowHeader::setFixedColours(const QColor& background, const QColor& text,
                                     const QColor& lines) {
    background_ = background;
    text_ = text;
    lines_ = lines;
    viewport()->update();
}

void FixedRowHeader::setRowHeight(int height) {
    rowHeight_ = height;
    updateGeometry();
}

QSize FixedRowHeader::sizeHint() const {
    return QSize(QHeaderView::sizeHint().width(), rowHeight_);
}

void FixedRowHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid()) return;
    painter->save();
    const QVariant back = model()->headerData(logicalIndex, Qt::Horizontal, Qt::BackgroundRole);
    painter->fillRect(rect, back.canConvert<QBrush>() && back.value<QBrush>().style() != Qt::NoBrush
                                ? back.value<QBrush>()
                                : QBrush(background_));
    const QVariant font = model()->headerData(logicalIndex, Qt::Horizontal, Qt::FontRole);
    const QVariant align = model()->headerData(logicalIndex, Qt::Horizontal, Qt::TextAlignmentRole);
    painter->setPen(text_);
    cells_->drawCellText(
        painter, rect.adjusted(0, 0, 0, -1),
        model()->headerData(logicalIndex, Qt::Horizontal).toString(),
        font.canConvert<QFont>() ? font.value<QFont>() : this->font(),
        align.isValid() ? Qt::Alignment(align.toInt()) : Qt::AlignLeft | Qt::AlignVCenter);
    painter->setPen(lines_);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->restore();
}

}  // namespace bpd::mainwindow
