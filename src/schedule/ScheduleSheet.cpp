#include "ScheduleSheet.h"

#include <cmath>

#include "RowExplanation.h"
#include "ScheduleModel.h"

namespace bpd::schedule {

ScheduleSheet ScheduleSheet::of(const ScheduleModel& model) {
    ScheduleSheet sheet;
    sheet.units = model.document().units;
    for (int column = 0; column < ScheduleModel::ColumnCount; ++column)
        sheet.captions << model.headerData(column, Qt::Horizontal).toString();
    const int rows = model.rowCount();
    sheet.lines.reserve(static_cast<std::size_t>(rows));
    sheet.utilisation.reserve(static_cast<std::size_t>(rows));
    auto text = [&](int row, int column) {
        return model.data(model.index(row, column)).toString().toStdString();
    };
    for (int row = 0; row < rows; ++row) {
        sheet.lines.push_back({model.document().bearings[static_cast<std::size_t>(row)],
                               text(row, ScheduleModel::Status), text(row, ScheduleModel::Thinnest),
                               text(row, ScheduleModel::Governs),
                               text(row, ScheduleModel::Utilisation)});
        const LineCheck& check = model.line(row);
        const double percent = utilisationPercent(check.utilisation);
        sheet.utilisation.push_back(check.explanation && std::isfinite(percent)
                                        ? std::optional<double>(percent)
                                        : std::nullopt);
    }
    return sheet;
}

}  // namespace bpd::schedule
