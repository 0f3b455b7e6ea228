#pragma once
// Paints the cells of the results grid the way a flex grid does: the cell's background, its
// text in the cell's font and alignment, cut at the cell's edges. The text layouts are kept
// and reused (the same few hundred texts come back run after run), which makes a repaint of
// the whole grid cheap.

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace bpd::mainwindow {

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Draws a text in a cell rectangle with the grid's padding, from the layout cache.
    void drawCellText(QPainter* painter, const QRect& cell, const QString& text, const QFont& font,
                      Qt::Alignment alignment) const;

private:
    const QStaticText& layout(const QString& text, const QFont& font) const;

    mutable QHash<QString, QStaticText> regular_;
    mutable QHash<QString, QStaticText> bold_;
};

}  // namespace bpd::mainwindow
