#pragma once
// The fixed row of the results grid: a horizontal header that paints its sections like the
// grid's header cells (own background, left-aligned text, black grid lines) and lets the user
// drag column widths.

#include <QColor>
#include <QHeaderView>

namespace bpd::mainwindow {

class GridCellDelegate;

class FixedRowHeader : public QHeaderView {
    Q_OBJECT
public:
    // cells paints the texts, so header and body texts look alike.
    FixedRowHeader(const GridCellDelegate* cells, QWidget* parent = nullptr);

    void setFixedColours(const QColor& background, const QColor& text, const QColor& lines);
    // Height of the fixed row in pixels.
    void setRowHeight(int height);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    const GridCellDelegate* cells_;
    QColor background_;
    QColor text_;
    QColor lines_;
    int rowHeight_ = 16;
};

}  // namespace bpd::mainwindow
