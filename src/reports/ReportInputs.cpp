#include "ReportInputs.h"

#include <algorithm>

namespace bpd::reports {

int ReportInputs::gridColumns() const {
    qsizetype columns = 0;
    for (const QStringList& row : grid) columns = std::max(columns, row.size());
    return static_cast<int>(columns);
}

QString ReportInputs::cell(int row, int column) const {
    if (row < 0 || row >= grid.size()) return {};
    return grid.at(row).value(column);
}

QString ReportInputs::unitLengthItem(int index) const {
    return unitLength.value(index);
}

}  // namespace bpd::reports
