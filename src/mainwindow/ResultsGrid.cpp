#include "ResultsGrid.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "EngineText.h"
#include "FixedRowHeader.h"
#include "GridCellDelegate.h"
#include "GridLineStyle.h"

namespace bpd::mainwindow {

namespace {
constexpr int kRowHeight = 16;

Qt::Alignment toQt(int alignment) {
    switch (alignment) {
        case ResultsGrid::LeftTop:
            return Qt::AlignLeft | Qt::AlignTop;
        case ResultsGrid::LeftBottom:
            return Qt::AlignLeft | Qt::AlignBottom;
        case ResultsGrid::CenterTop:
            return Qt::AlignHCenter | Qt::AlignTop;
        case ResultsGrid::CenterCenter:
            return Qt::AlignCenter;
        case ResultsGrid::CenterBottom:
            return Qt::AlignHCenter | Qt::AlignBottom;
        case ResultsGrid::RightTop:
            return Qt::AlignRight | Qt::AlignTop;
        case ResultsGrid::RightCenter:
            return Qt::AlignRight | Qt::AlignVCenter;
        case ResultsGrid::RightBottom:
            return Qt::AlignRight | Qt::AlignBottom;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// The general alignment: numbers (the window's one numeric test) to the right, any other
// text to the left.
Qt::Alignment generalAlignment(const QString& text) {
    return readNumber(text) ? (Qt::AlignRight | Qt::AlignVCenter)
                            : (Qt::AlignLeft | Qt::AlignVCenter);
}
}  // namespace

ResultsGrid::ResultsGrid(QWidget* parent) : QTableWidget(parent) {
    auto* cells = new GridCellDelegate(this);
    setItemDelegate(cells);
    header_ = new FixedRowHeader(cells, this);
    header_->setRowHeight(kRowHeight);
    setHorizontalHeader(header_);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);  // Tab leaves the grid for the next control
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    viewport()->setMouseTracking(true);
    header_->viewport()->setMouseTracking(true);
    viewport()->installEventFilter(this);
    header_->viewport()->installEventFilter(this);
    setAllowUserResizing(0);
}

void ResultsGrid::setColours(const Colours& colours) {
    colours_ = colours;
    QPalette p = palette();
    p.setColor(QPalette::Base, colours.outside);
    p.setColor(QPalette::Window, colours.outside);
    p.setColor(QPalette::Button, colours.outside);
    p.setColor(QPalette::Text, colours.cellText);
    setPalette(p);
    GridLineStyle::applyTo(this, colours.gridLines);
    header_->setFixedColours(colours.fixedBack, colours.fixedText, colours.fixedGridLines);
    Clear();
}

QTableWidgetItem* ResultsGrid::cell(int row, int col) const {
    if (col < 0 || col >= columnCount() || row < 0 || row > rowCount()) return nullptr;
    return row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
}

void ResultsGrid::resetCell(QTableWidgetItem* item, int col, bool header) {
    item->setText(QString());
    item->setData(Qt::BackgroundRole, header ? QVariant() : QVariant(QBrush(colours_.cellBack)));
    item->setData(Qt::FontRole, QVariant());
    const int alignment = colAlignment_[static_cast<std::size_t>(col)];
    item->setTextAlignment(toQt(alignment == General ? LeftCenter : alignment));
}

void ResultsGrid::Clear() {
    for (int c = 0; c < columnCount(); ++c) {
        for (int r = 0; r <= rowCount(); ++r) resetCell(cell(r, c), c, r == 0);
    }
}

void ResultsGrid::setAllowUserResizing(int mode) {
    allowUserResizing_ = mode;
    header_->setSectionResizeMode(mode != 0 ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void ResultsGrid::setColAlignment(int col, int alignment) {
    if (col < 0 || col >= columnCount()) return;
    colAlignment_[static_cast<std::size_t>(col)] = alignment;
    for (int r = 1; r <= rowCount(); ++r) {
        QTableWidgetItem* it = cell(r, col);
        it->setTextAlignment(alignment == General ? generalAlignment(it->text()) : toQt(alignment));
    }
}

int ResultsGrid::ColAlignment(int col) const {
    if (col < 0 || col >= columnCount()) return General;
    return colAlignment_[static_cast<std::size_t>(col)];
}

QString ResultsGrid::TextMatrix(int row, int col) const {
    const QTableWidgetItem* it = cell(row, col);
    return it ? it->text() : QString();
}

void ResultsGrid::setTextMatrix(int row, int col, const QString& text) {
    QTableWidgetItem* it = cell(row, col);
    if (!it) return;
    it->setText(text);
    if (row > 0 && colAlignment_[static_cast<std::size_t>(col)] == General)
        it->setTextAlignment(generalAlignment(text));
}

QString ResultsGrid::TextArray(int index) const {
    if (columnCount() == 0 || index < 0) return QString();
    return TextMatrix(index / columnCount(), index % columnCount());
}

void ResultsGrid::setRows(int rows) {
    const int oldBody = rowCount();
    const int body = std::max(rows - 1, 0);
    setRowCount(body);
    for (int r = oldBody; r < body; ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            auto* it = new QTableWidgetItem;
            setItem(r, c, it);
            resetCell(it, c, false);
        }
    }
    row_ = std::min(row_, body);
}

void ResultsGrid::setCols(int cols) {
    const int old = columnCount();
    setColumnCount(cols);
    colAlignment_.resize(static_cast<std::size_t>(cols), General);
    for (int c = old; c < cols; ++c) {
        auto* head = new QTableWidgetItem;
        setHorizontalHeaderItem(c, head);
        resetCell(head, c, true);
        for (int r = 0; r < rowCount(); ++r) {
            auto* it = new QTableWidgetItem;
            setItem(r, c, it);
            resetCell(it, c, false);
        }
    }
    col_ = std::min(col_, std::max(cols - 1, 0));
}

void ResultsGrid::setRow(int row) {
    if (row >= 0 && row <= rowCount()) row_ = row;
}

void ResultsGrid::setCol(int col) {
    if (col >= 0 && col < columnCount()) col_ = col;
}

void ResultsGrid::setCellBackColor(const QColor& colour) {
    if (QTableWidgetItem* it = cell(row_, col_)) it->setBackground(colour);
}

void ResultsGrid::setCellFontBold(bool bold) {
    QTableWidgetItem* it = cell(row_, col_);
    if (!it) return;
    QFont f = font();
    f.setBold(bold);
    it->setFont(f);
}

void ResultsGrid::setRedraw(bool redraw) {
    if (redraw_ == redraw) return;
    redraw_ = redraw;
    // Only the cell areas: switching the whole control would repaint its frame and bars too.
    viewport()->setUpdatesEnabled(redraw);
    header_->viewport()->setUpdatesEnabled(redraw);
}

void ResultsGrid::setToolTipText(const QString& text) {
    toolTipText_ = text;
    setToolTip(text);
}

QColor ResultsGrid::cellBackColorAt(int row, int col) const {
    const QTableWidgetItem* it = cell(row, col);
    if (!it) return {};
    const QVariant back = it->data(Qt::BackgroundRole);
    if (back.canConvert<QBrush>() && back.value<QBrush>().style() != Qt::NoBrush)
        return back.value<QBrush>().color();
    return row == 0 ? colours_.fixedBack : colours_.cellBack;
}

bool ResultsGrid::cellFontBoldAt(int row, int col) const {
    const QTableWidgetItem* it = cell(row, col);
    if (!it) return false;
    const QVariant f = it->data(Qt::FontRole);
    return f.canConvert<QFont>() && f.value<QFont>().bold();
}

Qt::Alignment ResultsGrid::cellAlignmentAt(int row, int col) const {
    const QTableWidgetItem* it = cell(row, col);
    return it ? Qt::Alignment(it->textAlignment()) : Qt::Alignment();
}

QRect ResultsGrid::cellRect(int row, int col) const {
    if (!cell(row, col)) return {};
    const int x = columnViewportPosition(col) + viewport()->x();
    if (row == 0) return QRect(x, header_->y(), columnWidth(col), header_->height());
    return QRect(x, rowViewportPosition(row - 1) + viewport()->y(), columnWidth(col),
                 rowHeight(row - 1));
}

void ResultsGrid::updateMouseCell(QObject* source, const QPoint& pos) {
    if (source == header_->viewport()) {
        mouseRow_ = 0;
        mouseCol_ = header_->logicalIndexAt(pos.x());
        return;
    }
    const int r = rowAt(pos.y());
    mouseRow_ = r < 0 ? -1 : r + 1;
    mouseCol_ = columnAt(pos.x());
}

bool ResultsGrid::showToolTip(QEvent* event) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (toolTipText_.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), toolTipText_, this);
    return true;
}

bool ResultsGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport() || watched == header_->viewport()) {
        switch (event->type()) {
            case QEvent::MouseMove:
                updateMouseCell(watched, static_cast<QMouseEvent*>(event)->position().toPoint());
                emit MouseMove();
                break;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                updateMouseCell(watched, static_cast<QMouseEvent*>(event)->position().toPoint());
                if (mouseRow_ > 0 && mouseCol_ >= 0) {
                    row_ = mouseRow_;
                    col_ = mouseCol_;
                }
                emit MouseDown();
                break;
            case QEvent::ToolTip:
                return showToolTip(event);
            default:
                break;
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

}  // namespace bpd::mainwindow
