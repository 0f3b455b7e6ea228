#pragma once
// How a design check run appears in the results grid: preparation, row styling with the
// alternate-row banding, the hover tooltip and the preview key of a clicked column.
//
// The numbers and texts all come from the engine's ResultTable; this class only places and
// styles them.

#include <QColor>
#include <QString>

#include "ResultTable.h"

namespace bpd::mainwindow {

class ResultsGrid;

class GridPresenter {
public:
    explicit GridPresenter(ResultsGrid& grid);

    // Writes a run into the grid, in the order of a run: empty and prepare the grid, header,
    // row count, thickness labels, then per computed row the banding, the styled status cell
    // and the eleven values. Rows after a fault stay unwritten.
    void write(const ResultTable& table);

    // Bands columns 1.. of every body row: evenColour on even rows, oddColour on odd rows.
    // Restores the current cell and leaves Redraw on.
    static void ShadeGridRows(ResultsGrid& grid, const QColor& evenColour, const QColor& oddColour);

    // The hover rule over the cell under the mouse: the header's descriptions, and for a body
    // row of `results` (the table the grid shows) its explanation; vapText is the text of the
    // load field.
    void MouseMove(const ResultTable& results, const QString& vapText);
    // The hover text of body row r of `results`: "Pass", or the engine's failing check as the
    // load text vapText decides; empty when the row has no verdict or the load does not read.
    static QString rowExplanation(const ResultTable& results, int r, const QString& vapText);
    // Makes each body row's hover text the accessible description of its cells, so a screen
    // reader tells why a row fails without the mouse. Run after each write.
    void describeRows(const ResultTable& results, const QString& vapText);
    // The preview key of the column under the mouse, empty for column 0 and outside columns.
    QString MouseDownPreviewKey(bool sliding) const;

    // The hover description of a column header (0..12).
    static QString hoverDescription(int col);

    static constexpr const char* kCompressiveFailure =
        "Check Failed. Applied compressive load exceeds the limit.";
    static constexpr const char* kShearFailure =
        "Check Failed. Applied shear load exceeds the limit.";

private:
    void prepare(const RowTexts& header);
    void writeRow(int r, const ResultRow& row);

    ResultsGrid& grid_;
};

}  // namespace bpd::mainwindow
