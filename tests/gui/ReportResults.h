#pragma once
// Results for the report tests: a ResultTable holding given cell texts, as the window hands
// its last run to the reports. Each value cell's number is the number its text shows, so a
// test can write any texts and still get the rows a run would give for them.

#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>

#include "NumberFormat.h"
#include "ResultTable.h"

namespace bpd::testing {

// Sets one cell of a computed row: its text and, for a value column, the value it shows.
inline void setResultCell(ResultTable& table, int row, int column, const QString& text,
                          const NumberLocale& locale = NumberLocale::c()) {
    ResultRow& r = table.rows[static_cast<std::size_t>(row - 1)];
    r.cells[static_cast<std::size_t>(column)] = text.toStdString();
    double PadResult::*const values[] = {&PadResult::SF, &PadResult::Vnr, &PadResult::Snr,
                                         &PadResult::R,  &PadResult::Var, &PadResult::W2,
                                         &PadResult::Es, &PadResult::Sap, &PadResult::N,
                                         &PadResult::Ss, &PadResult::G};
    if (column >= kFirstValueColumn)
        r.values.*values[column - kFirstValueColumn] =
            parseNumber(text.toStdString(), locale).value_or(0);
    if (column == kStatusColumn)
        r.values.compressionPasses = r.values.shearPasses = text == QLatin1String("Pass");
    if (column == kLabelColumn) table.labels[static_cast<std::size_t>(row - 1)] = r.cells[1];
}

// A table of Imperial results: rows.first() the header, every other row computed.
inline ResultTable resultTable(const QList<QStringList>& rows) {
    ResultTable table;
    table.rowCount = static_cast<int>(rows.size());
    for (int c = 0; c < kResultColumns && !rows.isEmpty(); ++c)
        table.header[static_cast<std::size_t>(c)] = rows.first().value(c).toStdString();
    table.rows.resize(static_cast<std::size_t>(std::max<qsizetype>(rows.size() - 1, 0)));
    table.labels.resize(table.rows.size());
    for (int r = 1; r < rows.size(); ++r)
        for (int c = 0; c < kResultColumns; ++c) setResultCell(table, r, c, rows.at(r).value(c));
    return table;
}

}  // namespace bpd::testing
