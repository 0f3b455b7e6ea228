#pragma once
// What the main window shows at the moment of an export, collected by the main window and
// handed to the reports as plain data: the inputs as their boxes show them, and the last
// run's results as the engine left them. The reports never reach into the window's widgets
// and never read a number back from a result text.

#include <QList>
#include <QString>
#include <QStringList>

#include "NumberFormat.h"
#include "ResultTable.h"

namespace bpd::reports {

struct ReportInputs {
    bool sliding = false;  // CheckSliding's value is not 0

    // The input boxes' texts, exactly as the boxes show them.
    QString w1Text, b1Text, AText, dhText, VapText;

    // Unit captions: UnitLength items 0 (dh), 1 (w1), 2 (b1), 3 (t); UnitAngle; UnitsForce.
    QStringList unitLength = {QStringLiteral("in."), QStringLiteral("in."), QStringLiteral("in."),
                              QStringLiteral("in.")};
    QString unitAngle = QStringLiteral("rad");
    QString unitsForce = QStringLiteral("kips");

    // The results the grid shows: its rows (header first), cell texts and shown numbers.
    ResultTable results;

    // The separators the window wrote the input and result texts with (the user's locale).
    NumberLocale numberLocale;

    // The grid's row count (header included) and column count.
    int gridRows() const { return results.rowCount; }
    static constexpr int gridColumns() { return kResultColumns; }
    // Cell text as the grid shows it, empty outside the table.
    QString cell(int row, int column) const;
    // UnitLength item i, empty when it is not held.
    QString unitLengthItem(int index) const;
};

}  // namespace bpd::reports
