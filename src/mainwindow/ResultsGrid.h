#pragma once
// The results grid: the member vocabulary of a flex grid, over a Qt table that it owns and
// keeps to itself (the window speaks only the grid's vocabulary; the reports read the
// results the grid shows, not the grid).
//
// Rows are numbered as the grid's users number them: row 0 is the fixed header row (shown as
// the table's horizontal header, so it stays in place and lets the user drag column widths),
// rows 1.. are the body. Cell formatting (background, bold) applies to the current cell
// (Row, Col). The grid has one tooltip text for the whole control. MouseMove and MouseDown
// report the cell under the mouse through MouseRow and MouseCol (-1 outside any cell).

#include <QColor>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <vector>

class QTableWidget;
class QTableWidgetItem;

namespace bpd::mainwindow {

class FixedRowHeader;

class ResultsGrid : public QWidget {
    Q_OBJECT
public:
    // Column alignments of the flex grid (flexAlignLeftTop .. flexAlignGeneral).
    enum Alignment {
        LeftTop = 0,
        LeftCenter = 1,
        LeftBottom = 2,
        CenterTop = 3,
        CenterCenter = 4,
        CenterBottom = 5,
        RightTop = 6,
        RightCenter = 7,
        RightBottom = 8,
        General = 9
    };

    explicit ResultsGrid(QWidget* parent = nullptr);

    // Design settings: colours of the cells, the header row, the grid lines and the area
    // outside the cells.
    struct Colours {
        QColor cellBack, cellText, fixedBack, fixedText, gridLines, fixedGridLines, outside;
    };
    void setColours(const Colours& colours);
    const Colours& colours() const { return colours_; }

    // Empties the text and formatting of every cell; row and column counts stay.
    void Clear();
    void setAllowUserResizing(int mode);  // 0 none, otherwise columns can be dragged
    void setColAlignment(int col, int alignment);
    int ColAlignment(int col) const;

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    // A column's width in pixels (the layout's design setting).
    void setColumnWidth(int col, int pixels);
    int FixedRows() const { return 1; }

    int Row() const { return row_; }
    void setRow(int row);
    int Col() const { return col_; }
    void setCol(int col);

    // Formatting of the current cell.
    QColor CellBackColor() const { return cellBackColorAt(row_, col_); }
    void setCellBackColor(const QColor& colour);
    bool CellFontBold() const { return cellFontBoldAt(row_, col_); }
    void setCellFontBold(bool bold);

    bool Redraw() const { return redraw_; }
    void setRedraw(bool redraw);

    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }

    QString ToolTipText() const { return toolTipText_; }
    void setToolTipText(const QString& text);

    // Formatting of any cell, for readers such as the reports and the tests.
    QColor cellBackColorAt(int row, int col) const;
    bool cellFontBoldAt(int row, int col) const;
    Qt::Alignment cellAlignmentAt(int row, int col) const;
    // What assistive technology reads as a cell's description (row 0: the header); nothing
    // on screen. Clear keeps it: the grid's users rewrite it with each run.
    void setCellDescription(int row, int col, const QString& text);
    // The rectangle of a cell in the grid's own coordinates (row 0: the header).
    QRect cellRect(int row, int col) const;

signals:
    void MouseMove();
    void MouseDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTableWidgetItem* cell(int row, int col) const;  // nullptr outside the grid
    void resetCell(QTableWidgetItem* item, int col, bool header);
    void updateMouseCell(QObject* source, const QPoint& pos);
    bool showToolTip(QEvent* event);

    QTableWidget* table_ = nullptr;
    FixedRowHeader* header_ = nullptr;
    Colours colours_;
    std::vector<int> colAlignment_;
    int row_ = 1;
    int col_ = 0;
    bool redraw_ = true;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    QString toolTipText_;
};

}  // namespace bpd::mainwindow
