#include "ScheduleWorkbook.h"

#include <xlsxwriter.h>

#include "ScheduleModel.h"
#include "ScheduleSheet.h"
#include "WorkbookFile.h"

namespace bpd::schedule {

namespace {

// Column widths in characters: the texts' columns wider than the numbers'.
double widthOf(int column) {
    switch (column) {
        case ScheduleModel::Location:
        case ScheduleModel::Status:
            return 24;
        case ScheduleModel::Mark:
        case ScheduleModel::Thinnest:
        case ScheduleModel::Governs:
        case ScheduleModel::Utilisation:
            return 16;
        default:
            return 11;
    }
}

}  // namespace

bool ScheduleWorkbook::write(const ScheduleSheet& sheet, const QString& path, QString* error) {
    reports::WorkbookFile file(path);
    lxw_workbook* workbook = file.start(error);
    if (!workbook) return false;
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, "Bearing Schedule");
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_format* input = workbook_add_format(workbook);
    format_set_num_format(input, "0.0000");
    lxw_format* percent = workbook_add_format(workbook);
    format_set_num_format(percent, "0.0");

    lxw_error status = LXW_NO_ERROR;
    auto keep = [&status](lxw_error result) {
        if (status == LXW_NO_ERROR) status = result;
    };
    auto text = [&](lxw_row_t row, int column, const std::string& value, lxw_format* format) {
        if (!value.empty())
            keep(worksheet_write_string(worksheet, row, lxw_col_t(column), value.c_str(), format));
    };
    for (int column = 0; column < sheet.captions.size(); ++column) {
        worksheet_set_column(worksheet, lxw_col_t(column), lxw_col_t(column), widthOf(column),
                             nullptr);
        text(0, column, sheet.captions[column].toStdString(), bold);
    }
    worksheet_freeze_panes(worksheet, 1, 0);

    const auto& inputs = kInputs;
    for (std::size_t i = 0; i < sheet.lines.size() && status == LXW_NO_ERROR; ++i) {
        const auto row = static_cast<lxw_row_t>(i + 1);
        const designfile::ScheduleLine& line = sheet.lines[i];
        const designfile::DesignBearing& bearing = line.bearing;
        text(row, ScheduleModel::Mark, bearing.mark.value_or(std::string()), nullptr);
        text(row, ScheduleModel::Location, bearing.location, nullptr);
        keep(worksheet_write_number(worksheet, row, ScheduleModel::Qty, bearing.quantity, nullptr));
        for (std::size_t k = 0; k < inputs.size(); ++k) {
            if (const std::optional<double> value = inputs[k].of(bearing.values))
                keep(worksheet_write_number(worksheet, row, lxw_col_t(ScheduleModel::W1 + int(k)),
                                            *value, input));
        }
        text(row, ScheduleModel::Sliding, bearing.sliding ? "Yes" : "No", nullptr);
        text(row, ScheduleModel::Thickness, bearing.thickness, nullptr);
        text(row, ScheduleModel::Status, line.status, nullptr);
        text(row, ScheduleModel::Thinnest, line.thinnest, nullptr);
        text(row, ScheduleModel::Governs, line.governs, nullptr);
        if (const std::optional<double> value = sheet.utilisation[i])
            keep(worksheet_write_number(worksheet, row, ScheduleModel::Utilisation, *value,
                                        percent));
        else
            text(row, ScheduleModel::Utilisation, line.utilisation, nullptr);
    }

    return file.finish(status, error);
}

}  // namespace bpd::schedule
