// The results grid on its own: the flex grid vocabulary the rest of the program relies on.

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

#include "GridPresenter.h"
#include "ResultsGrid.h"

using bpd::mainwindow::GridPresenter;
using bpd::mainwindow::ResultsGrid;

class TestResultsGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<ResultsGrid> grid_;

    // The Qt table the grid keeps to itself.
    QTableWidget& table() const { return *grid_->findChild<QTableWidget*>(); }

    void makeGrid(int rows) {
        grid_ = std::make_unique<ResultsGrid>();
        grid_->setCols(13);
        grid_->setRows(rows);
        ResultsGrid::Colours colours{
            QColor(255, 255, 225), Qt::black, QColor(255, 192, 128), Qt::black,
            QColor(192, 192, 192), Qt::black, QColor(224, 224, 224)};
        grid_->setColours(colours);
    }

private slots:
    void rowsCountTheHeader() {
        makeGrid(2);
        QCOMPARE(grid_->Rows(), 2);
        QCOMPARE(grid_->Cols(), 13);
        QCOMPARE(grid_->FixedRows(), 1);
        grid_->setRows(8);
        QCOMPARE(grid_->Rows(), 8);
        QCOMPARE(table().rowCount(), 7);  // the header row is the table's header
    }

    void textMatrixReachesHeaderAndBody() {
        makeGrid(3);
        grid_->setTextMatrix(0, 4, QStringLiteral("Snr(psi)"));
        grid_->setTextMatrix(2, 12, QStringLiteral("200.55"));
        QCOMPARE(grid_->TextMatrix(0, 4), QStringLiteral("Snr(psi)"));
        QCOMPARE(table().horizontalHeaderItem(4)->text(), QStringLiteral("Snr(psi)"));
        QCOMPARE(grid_->TextMatrix(2, 12), QStringLiteral("200.55"));
        QCOMPARE(grid_->TextMatrix(3, 0), QString());  // outside the grid
    }

    void clearEmptiesTextAndFormattingButKeepsCounts() {
        makeGrid(4);
        grid_->setTextMatrix(1, 0, QStringLiteral("Pass"));
        grid_->setRow(1);
        grid_->setCol(0);
        grid_->setCellBackColor(Qt::green);
        grid_->setCellFontBold(true);
        grid_->Clear();
        QCOMPARE(grid_->Rows(), 4);
        QCOMPARE(grid_->Cols(), 13);
        QCOMPARE(grid_->TextMatrix(1, 0), QString());
        QCOMPARE(grid_->cellBackColorAt(1, 0), QColor(255, 255, 225));
        QVERIFY(!grid_->cellFontBoldAt(1, 0));
        QCOMPARE(grid_->cellBackColorAt(0, 0), QColor(255, 192, 128));
    }

    void formattingAppliesToTheCurrentCellOnly() {
        makeGrid(3);
        grid_->setRow(2);
        grid_->setCol(5);
        grid_->setCellBackColor(Qt::red);
        grid_->setCellFontBold(true);
        QCOMPARE(grid_->CellBackColor(), QColor(Qt::red));
        QVERIFY(grid_->CellFontBold());
        QCOMPARE(grid_->cellBackColorAt(2, 4), QColor(255, 255, 225));
        QCOMPARE(grid_->cellBackColorAt(1, 5), QColor(255, 255, 225));
        QVERIFY(!grid_->cellFontBoldAt(2, 6));
    }

    void columnAlignmentLeftCentreAndGeneral() {
        makeGrid(2);
        grid_->setColAlignment(3, ResultsGrid::LeftCenter);
        grid_->setTextMatrix(1, 3, QStringLiteral("83.24"));
        grid_->setTextMatrix(1, 0, QStringLiteral("Pass"));
        grid_->setTextMatrix(1, 2, QStringLiteral("8.00"));
        QCOMPARE(grid_->cellAlignmentAt(1, 3), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(grid_->cellAlignmentAt(1, 0), Qt::AlignLeft | Qt::AlignVCenter);
        // The general alignment puts numbers to the right.
        QCOMPARE(grid_->cellAlignmentAt(1, 2), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(grid_->ColAlignment(2), int(ResultsGrid::General));
    }

    void userResizingFollowsAllowUserResizing() {
        makeGrid(2);
        QCOMPARE(table().horizontalHeader()->sectionResizeMode(2), QHeaderView::Fixed);
        grid_->setAllowUserResizing(1);
        QCOMPARE(table().horizontalHeader()->sectionResizeMode(2), QHeaderView::Interactive);
    }

    void shadeGridRowsBandsBodyColumnsFromOne_data() {
        QTest::addColumn<int>("rows");
        QTest::newRow("all seven") << 8;
        QTest::newRow("one thickness") << 2;
    }
    void shadeGridRowsBandsBodyColumnsFromOne() {
        QFETCH(int, rows);
        makeGrid(rows);
        grid_->setRow(1);
        grid_->setCol(0);
        grid_->setRedraw(true);
        GridPresenter::ShadeGridRows(*grid_, QColor(255, 255, 192), Qt::white);
        for (int r = 1; r < rows; ++r) {
            const QColor want = r % 2 == 0 ? QColor(255, 255, 192) : QColor(Qt::white);
            for (int c = 1; c < 13; ++c) QCOMPARE(grid_->cellBackColorAt(r, c), want);
            QCOMPARE(grid_->cellBackColorAt(r, 0), QColor(255, 255, 225));  // never banded
        }
        QCOMPARE(grid_->cellBackColorAt(0, 5), QColor(255, 192, 128));  // header untouched
        QCOMPARE(grid_->Row(), 1);
        QCOMPARE(grid_->Col(), 0);
        QVERIFY(grid_->Redraw());
    }

    void oneTooltipForTheWholeGrid() {
        makeGrid(2);
        grid_->setToolTipText(QStringLiteral("Summary of the design parameters"));
        QCOMPARE(grid_->ToolTipText(), QStringLiteral("Summary of the design parameters"));
        QCOMPARE(grid_->toolTip(), grid_->ToolTipText());
    }

    void mouseRowAndColFollowThePointer() {
        makeGrid(8);
        grid_->resize(841, 137);
        for (int c = 0; c < 13; ++c) grid_->setColumnWidth(c, 60);
        grid_->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
        int moves = 0;
        connect(grid_.get(), &ResultsGrid::MouseMove, this, [&moves] { ++moves; });
        auto moveTo = [this](int row, int col) {
            QTest::mouseMove(grid_->windowHandle(), grid_->cellRect(row, col).center());
        };
        moveTo(3, 4);
        QTRY_COMPARE(grid_->MouseRow(), 3);
        QCOMPARE(grid_->MouseCol(), 4);
        moveTo(0, 10);
        QTRY_COMPARE(grid_->MouseRow(), 0);
        QCOMPARE(grid_->MouseCol(), 10);
        QVERIFY(moves >= 2);
        // Beyond the last column nothing is under the mouse.
        QTest::mouseMove(grid_->windowHandle(), QPoint(835, grid_->cellRect(1, 0).center().y()));
        QTRY_COMPARE(grid_->MouseCol(), -1);
    }
};

QTEST_MAIN(TestResultsGrid)
#include "tst_resultsgrid.moc"
