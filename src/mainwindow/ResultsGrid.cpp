#include "ResultsGrid.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTableWidget>
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

ResultsGrid::ResultsGrid(QWidget* parent) : QWidget(parent), table_(new QTableWidget(this)) {
    auto* cells = new GridCellDelegate(table_);
    table_->setItemDelegate(cells);
    header_ = new FixedRowHeader(cells, table_);
    header_->setRowHeight(kRowHeight);
    table_->setHorizontalHeader(header_);
    QHeaderView* rows = table_->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(4);
    rows->setDefaultSectionSize(kRowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setTabKeyNavigation(false);  // Tab leaves the grid for the next control
    table_->setTextElideMode(Qt::ElideNone);
    table_->setCornerButtonEnabled(false);
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->viewport()->setMouseTracking(true);
    header_->viewport()->setMouseTracking(true);
    table_->viewport()->installEventFilter(this);
    header_->viewport()->installEventFilter(this);
    // The grid takes the focus as one control: the table inside it gets it.
    setFocusPolicy(table_->focusPolicy());
    setFocusProxy(table_);
    setAllowUserResizing(0);
}

void ResultsGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    table_->setGeometry(rect());
}

int ResultsGrid::Rows() const {
    return table_->rowCount() + 1;
}

int ResultsGrid::Cols() const {
    return table_->columnCount();
}

void ResultsGrid::setColumnWidth(int col, int pixels) {
    table_->setColumnWidth(col, pixels);
}

void ResultsGrid::setColours(const Colours& colours) {
    colours_ = colours;
    QPalette p = table_->palette();
    p.setColor(QPalette::Base, colours.outside);
    p.setColor(QPalette::Window, colours.outside);
    p.setColor(QPalette::Button, colours.outside);
    p.setColor(QPalette::Text, colours.cellText);
    table_->setPalette(p);
    GridLineStyle::applyTo(table_, colours.gridLines);
    header_->setFixedColours(colours.fixedBack, colours.fixedText, colours.fixedGridLines);
    Clear();
}

QTableWidgetItem* ResultsGrid::cell(int row, int col) const {
    if (col < 0 || col >= Cols() || row < 0 || row >= Rows()) return nullptr;
    return row == 0 ? table_->horizontalHeaderItem(col) : table_->item(row - 1, col);
}

void ResultsGrid::resetCell(QTableWidgetItem* item, int col, bool header) {
    item->setText(QString());
    item->setData(Qt::BackgroundRole, header ? QVariant() : QVariant(QBrush(colours_.cellBack)));
    item->setData(Qt::FontRole, QVariant());
    const int alignment = colAlignment_[static_cast<std::size_t>(col)];
    item->setTextAlignment(toQt(alignment == General ? LeftCenter : alignment));
}

void ResultsGrid::Clear() {
    for (int c = 0; c < Cols(); ++c) {
        for (int r = 0; r < Rows(); ++r) resetCell(cell(r, c), c, r == 0);
    }
}

void ResultsGrid::setAllowUserResizing(int mode) {
    header_->setSectionResizeMode(mode != 0 ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void ResultsGrid::setColAlignment(int col, int alignment) {
    if (col < 0 || col >= Cols()) return;
    colAlignment_[static_cast<std::size_t>(col)] = alignment;
    for (int r = 1; r < Rows(); ++r) {
        QTableWidgetItem* it = cell(r, col);
        it->setTextAlignment(alignment == General ? generalAlignment(it->text()) : toQt(alignment));
    }
}

int ResultsGrid::ColAlignment(int col) const {
    if (col < 0 || col >= Cols()) return General;
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

void ResultsGrid::setRows(int rows) {
    const int oldBody = table_->rowCount();
    const int body = std::max(rows - 1, 0);
    table_->setRowCount(body);
    for (int r = oldBody; r < body; ++r) {
        for (int c = 0; c < Cols(); ++c) {
            auto* it = new QTableWidgetItem;
            table_->setItem(r, c, it);
            resetCell(it, c, false);
        }
    }
    row_ = std::min(row_, body);
}

void ResultsGrid::setCols(int cols) {
    const int old = Cols();
    table_->setColumnCount(cols);
    colAlignment_.resize(static_cast<std::size_t>(cols), General);
    for (int c = old; c < cols; ++c) {
        auto* head = new QTableWidgetItem;
        table_->setHorizontalHeaderItem(c, head);
        resetCell(head, c, true);
        for (int r = 0; r < table_->rowCount(); ++r) {
            auto* it = new QTableWidgetItem;
            table_->setItem(r, c, it);
            resetCell(it, c, false);
        }
    }
    col_ = std::min(col_, std::max(cols - 1, 0));
}

void ResultsGrid::setRow(int row) {
    if (row >= 0 && row < Rows()) row_ = row;
}

void ResultsGrid::setCol(int col) {
    if (col >= 0 && col < Cols()) col_ = col;
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
    table_->viewport()->setUpdatesEnabled(redraw);
    header_->viewport()->setUpdatesEnabled(redraw);
}

void ResultsGrid::setToolTipText(const QString& text) {
    toolTipText_ = text;
    setToolTip(text);
    table_->setToolTip(text);
}

void ResultsGrid::setCellDescription(int row, int col, const QString& text) {
    if (QTableWidgetItem* it = cell(row, col)) it->setData(Qt::AccessibleDescriptionRole, text);
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
    const QPoint origin = table_->geometry().topLeft();
    const int x = table_->columnViewportPosition(col) + table_->viewport()->x() + origin.x();
    const int width = table_->columnWidth(col);
    if (row == 0) return QRect(x, header_->y() + origin.y(), width, header_->height());
    return QRect(x, table_->rowViewportPosition(row - 1) + table_->viewport()->y() + origin.y(),
                 width, table_->rowHeight(row - 1));
}

void ResultsGrid::updateMouseCell(QObject* source, const QPoint& pos) {
    if (source == header_->viewport()) {
        mouseRow_ = 0;
        mouseCol_ = header_->logicalIndexAt(pos.x());
        return;
    }
    const int r = table_->rowAt(pos.y());
    mouseRow_ = r < 0 ? -1 : r + 1;
    mouseCol_ = table_->columnAt(pos.x());
}

bool ResultsGrid::showToolTip(QEvent* event) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (toolTipText_.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), toolTipText_, table_);
    return true;
}

bool ResultsGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_->viewport() || watched == header_->viewport()) {
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
    return QWidget::eventFilter(watched, event);
}

}  // namespace bpd::mainwindow
