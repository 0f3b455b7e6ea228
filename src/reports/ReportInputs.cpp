#include "ReportInputs.h"

namespace bpd::reports {

QString ReportInputs::cell(int row, int column) const {
    const std::string_view text = results.cellText(row, column);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ReportInputs::unitLengthItem(int index) const {
    return unitLength.value(index);
}

}  // namespace bpd::reports
