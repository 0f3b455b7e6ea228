#pragma once
// What the main window shows at the moment of an export, collected by the main window and
// handed to the reports as plain data: the reports never reach into the window's widgets.

#include <QList>
#include <QString>
#include <QStringList>

#include "NumberFormat.h"

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

    // The results grid's cell texts, rows x columns, row 0 the header (the grid's TextMatrix).
    QList<QStringList> grid;

    // The separators the window wrote the input and grid texts with (the user's locale).
    NumberLocale numberLocale;

    // The grid's column count: the longest row (shorter rows read as empty cells).
    int gridColumns() const;
    // Cell text, empty outside the rows and columns held.
    QString cell(int row, int column) const;
    // UnitLength item i, empty when it is not held.
    QString unitLengthItem(int index) const;
};

}  // namespace bpd::reports
