#include "GridPresenter.h"

#include <array>

#include "ClassicColours.h"
#include "EngineText.h"
#include "ResultsGrid.h"
#include "RowExplanation.h"

namespace bpd::mainwindow {

using platform::ClassicColours;

namespace {
const std::array<const char*, kResultColumns> kHoverDescriptions = {
    "Design status, whether the design is passed or failed.",
    "Initial thickness of pad.",
    "Shape factor, the actual loaded area of the pad divided by the perimeter free to bulge.",
    "Total allowable non-ultimate vertical working load at zero angle of rotation.",
    "Compressive stress allowed without rotation, total allowable compressive load divided by "
    "loaded area, non-ultimate stress.",
    "Reduction factor for compressive load with angle of rotation.",
    "Total allowable vertical non-ultimate load on pad with angle of rotation (compressive load).",
    "Loaded bearing pad length, usually parallel to flexural span, under rotation.",
    "Shear strain in percent, total horizontal deformation divided by the initial thickness "
    "multiplied by 100.",
    "Applied non-ultimate compressive stress, total applied compressive load divided by loaded "
    "area, non-ultimate stress.",
    "Total allowable non-ultimate shear working load.",
    "Shear stress, total shear load divided by the compressive loaded area, non-ultimate stress.",
    "Shear modulus, slope of the shear stress strain curve at any point.",
};

// Preview keys of columns 1..12; column 1 takes "t" or "ts" by the Sliding box.
const std::array<const char*, kResultColumns> kPreviewKeys = {
    "", "t", "SF", "Vnr", "Snr", "R", "Var", "W2", "Es", "Sap", "N", "Ss", "G"};

const QString kPass = QStringLiteral("Pass");
}  // namespace

GridPresenter::GridPresenter(ResultsGrid& grid) : grid_(grid) {
    // A header cell's hover text is read as its description.
    for (int c = 0; c < kResultColumns; ++c) grid_.setCellDescription(0, c, hoverDescription(c));
}

QString GridPresenter::hoverDescription(int col) {
    if (col < 0 || col >= kResultColumns) return {};
    return QString::fromLatin1(kHoverDescriptions[static_cast<std::size_t>(col)]);
}

void GridPresenter::prepare(const RowTexts& header) {
    grid_.Clear();
    grid_.setAllowUserResizing(1);
    for (int c = 1; c < kResultColumns; ++c) grid_.setColAlignment(c, ResultsGrid::LeftCenter);
    for (int c = 0; c < kResultColumns; ++c)
        grid_.setTextMatrix(0, c, fromEngine(header[static_cast<std::size_t>(c)]));
}

void GridPresenter::write(const ResultTable& table) {
    prepare(table.header);
    grid_.setRows(table.rowCount);
    for (std::size_t i = 0; i < table.labels.size(); ++i)
        grid_.setTextMatrix(static_cast<int>(i) + 1, kLabelColumn, fromEngine(table.labels[i]));
    int r = 1;
    for (const ResultRow& row : table.rows) writeRow(r++, row);
}

void GridPresenter::writeRow(int r, const ResultRow& row) {
    ShadeGridRows(grid_, ClassicColours::fromWindowsValue(ClassicColours::kEvenRow),
                  ClassicColours::fromWindowsValue(ClassicColours::kOddRow));
    grid_.setTextMatrix(r, kStatusColumn, fromEngine(row.cells[kStatusColumn]));
    grid_.setRow(r);
    grid_.setCol(kStatusColumn);
    const bool pass = row.values.passes();
    grid_.setCellBackColor(
        ClassicColours::fromWindowsValue(pass ? ClassicColours::kPass : ClassicColours::kFail));
    grid_.setCellFontBold(true);
    // Only a passing row clears the tooltip; a failing one leaves what was there.
    if (pass) grid_.setToolTipText(QString());
    for (int c = 2; c < kResultColumns; ++c)
        grid_.setTextMatrix(r, c, fromEngine(row.cells[static_cast<std::size_t>(c)]));
}

void GridPresenter::ShadeGridRows(ResultsGrid& grid, const QColor& evenColour,
                                  const QColor& oddColour) {
    grid.setRedraw(false);
    const int row = grid.Row();
    const int col = grid.Col();
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        grid.setRow(r);
        const QColor& colour = r % 2 == 0 ? evenColour : oddColour;
        for (int c = 1; c < grid.Cols(); ++c) {
            grid.setCol(c);
            grid.setCellBackColor(colour);
        }
    }
    grid.setRow(row);
    grid.setCol(col);
    grid.setRedraw(true);
}

void GridPresenter::MouseMove(const ResultTable& results, const QString& vapText) {
    const int r = grid_.MouseRow();
    if (r == 0) {
        const QString description = hoverDescription(grid_.MouseCol());
        if (!description.isEmpty()) grid_.setToolTipText(description);
        return;
    }
    // A row without a verdict, or an emptied load field, leaves the tooltip as it is.
    const QString text = rowExplanation(results, r, vapText);
    if (!text.isEmpty()) grid_.setToolTipText(text);
}

QString GridPresenter::rowExplanation(const ResultTable& results, int r, const QString& vapText) {
    const ResultRow* row = results.computedRow(r);
    if (!row) return {};  // outside the body, or a row a fault left uncomputed
    if (row->values.passes()) return kPass;
    const std::optional<double> vap = readNumber(vapText);
    if (!vap) return {};
    return QString::fromLatin1(shownFailure(results, r, *vap) == DesignCheck::Compression
                                   ? kCompressiveFailure
                                   : kShearFailure);
}

void GridPresenter::describeRows(const ResultTable& results, const QString& vapText) {
    for (int r = grid_.FixedRows(); r < grid_.Rows(); ++r) {
        const QString text = rowExplanation(results, r, vapText);
        for (int c = 0; c < grid_.Cols(); ++c) grid_.setCellDescription(r, c, text);
    }
}

QString GridPresenter::MouseDownPreviewKey(bool sliding) const {
    const int c = grid_.MouseCol();
    if (c < 1 || c >= kResultColumns) return {};
    if (c == kLabelColumn) return sliding ? QStringLiteral("ts") : QStringLiteral("t");
    return QString::fromLatin1(kPreviewKeys[static_cast<std::size_t>(c)]);
}

}  // namespace bpd::mainwindow
