#include "SpreadsheetReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <memory>

#include <xlsxwriter.h>

#include "MessageService.h"
#include "Services.h"
#include "SpreadsheetService.h"

namespace bpd::reports {

namespace {

const QString kMessageTitle = QStringLiteral("Pelgro Pad Bearing Design");
constexpr int kLastMergedColumn = 13;   // M
constexpr int kDefaultRowHeight = 15;   // points
constexpr double kDefaultColumnWidth = 8.43;

using Sheet = SpreadsheetReport::Sheet;
using Cell = SpreadsheetReport::Cell;

Cell& at(Sheet& sheet, int row, int column) { return sheet.cells[qMakePair(row, column)]; }

void put(Sheet& sheet, int row, int column, const QString& text, bool bold = false) {
    Cell& cell = at(sheet, row, column);
    cell.text = text;
    cell.bold = cell.bold || bold;
}

// The number format that shows a number exactly as its text was written: as many decimals,
// and no leading zero where the text had none (".667" -> "#.000", "4.0000" -> "0.0000").
// Whole numbers and exponents keep the General format.
QByteArray displayFormat(const QString& text) {
    QString digits = text;
    if (digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')))
        digits.remove(0, 1);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    if (point < 0 || digits.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return {};
    const qsizetype decimals = digits.size() - point - 1;
    return (point == 0 ? QByteArray("#") : QByteArray("0")) +
           (decimals > 0 ? "." + QByteArray(decimals, '0') : QByteArray());
}

// What a cell shows: its text, also when it is stored as a number (see displayFormat),
// except a whole number or an exponent in the General format.
QString shownText(const Cell& cell) {
    double value = 0;
    if (!cell.textFormat && SpreadsheetReport::readsAsNumber(cell.text, &value) &&
        displayFormat(cell.text).isEmpty())
        return QString::number(value, 'g', 11);
    return cell.text;
}

}  // namespace

SpreadsheetReport::SpreadsheetReport(QWidget* mainWindow) : mainWindow_(mainWindow) {}

bool SpreadsheetReport::readsAsNumber(const QString& text, double* value) {
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!number.match(text).hasMatch())
        return false;
    bool ok = false;
    const double parsed = text.toDouble(&ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    if (value)
        *value = parsed;
    return true;
}

double SpreadsheetReport::fittedWidth(int characters, bool bold) {
    // Character units of the default font, bold a tenth wider, plus the cell's margins.
    const double width = characters * (bold ? 1.1 : 1.0) + 1.0;
    return std::round(width * 100.0) / 100.0;
}

Sheet SpreadsheetReport::buildSheet(const ReportInputs& inputs, const ProjectData& projectData,
                                    const QStringList& colContactLines) {
    Sheet sheet;
    const QString slide = inputs.sliding ? QStringLiteral("Yes") : QStringLiteral("No");

    put(sheet, 7, 1, QStringLiteral("INPUT DATA:"), true);
    const QStringList inputLabels = {QStringLiteral("Slide Bearing"), QStringLiteral("Bearing Length"),
                                     QStringLiteral("Bearing Width"), QStringLiteral("Angle of Rotation"),
                                     QStringLiteral("Horizontal Deformation"), QStringLiteral("Applied Load")};
    for (int i = 0; i < inputLabels.size(); ++i)
        put(sheet, 8 + i, 1, inputLabels.at(i));
    const QStringList values = {slide, inputs.w1Text, inputs.b1Text, inputs.AText, inputs.dhText,
                                inputs.VapText};
    for (int i = 0; i < values.size(); ++i)
        put(sheet, 8 + i, 2, values.at(i));
    const QStringList units = {inputs.unitLengthItem(1), inputs.unitLengthItem(2), inputs.unitAngle,
                               inputs.unitLengthItem(0), inputs.unitsForce};
    for (int i = 0; i < units.size(); ++i)
        put(sheet, 9 + i, 3, units.at(i));
    put(sheet, 15, 1, QStringLiteral("OUTPUT DATA:"), true);

    const int rows = static_cast<int>(inputs.grid.size());
    const int columns = inputs.gridColumns();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c == 1)
                at(sheet, 16 + r, 2).textFormat = true;
            put(sheet, 16 + r, 1 + c, inputs.cell(r, c), r == 0);
        }
    }

    // Fit the columns to the input and output sections, before the project data and the
    // contact lines are written.
    for (int column = 1; column <= columns; ++column) {
        double width = 0;
        bool any = false;
        for (auto it = sheet.cells.cbegin(); it != sheet.cells.cend(); ++it) {
            if (it.key().second != column || it.value().text.isEmpty())
                continue;
            any = true;
            width = std::max(width, fittedWidth(static_cast<int>(shownText(it.value()).size()),
                                                it.value().bold));
        }
        if (any)
            sheet.columnWidths.insert(column, width);
    }

    for (int k = 1; k <= colContactLines.size(); ++k)
        put(sheet, 25 + k, 6, colContactLines.at(k - 1), true);

    put(sheet, 1, 1, QStringLiteral("PROJECT DATA:"), true);
    const QStringList projectLabels = {QStringLiteral("Company Name"), QStringLiteral("Project Name"),
                                       QStringLiteral("Engineer"), QStringLiteral("Description")};
    const QStringList projectTexts = {projectData.sCompany, projectData.sProjectName,
                                      projectData.sEngineer, projectData.sDescription};
    for (int i = 0; i < 4; ++i) {
        put(sheet, 2 + i, 1, projectLabels.at(i), true);
        put(sheet, 2 + i, 2, projectTexts.at(i));
    }

    // The merged project texts wrap inside B:M; give each row the lines its text needs.
    double mergedWidth = 0;
    for (int column = 2; column <= kLastMergedColumn; ++column)
        mergedWidth += sheet.columnWidths.value(column, kDefaultColumnWidth);
    for (int row = 2; row <= 5; ++row) {
        sheet.wrappedRows << row;
        sheet.mergedRows << row;
        for (auto it = sheet.cells.begin(); it != sheet.cells.end(); ++it)
            if (it.key().first == row)
                it.value().wrap = true;
        int lines = 0;
        const QStringList paragraphs = at(sheet, row, 2).text.split(QLatin1Char('\n'));
        for (const QString& paragraph : paragraphs)
            lines += std::max(1, static_cast<int>(std::ceil(paragraph.size() / mergedWidth)));
        if (lines > 1)
            sheet.rowHeights.insert(row, double(kDefaultRowHeight * lines));
    }

    for (int row = 2; row <= 5; ++row)
        at(sheet, row, 2).left = true;
    for (int row = 8; row <= 23; ++row)
        for (int column = 1; column <= 13; ++column)
            at(sheet, row, column).left = true;
    return sheet;
}

bool SpreadsheetReport::writeWorkbook(const Sheet& sheet, const QString& path, QString* error) {
    const QString partial = QFileInfo(path).dir().filePath(QStringLiteral(".") +
                                                             QFileInfo(path).fileName() +
                                                             QStringLiteral(".part"));
    const QByteArray partialName = QFile::encodeName(partial);
    lxw_workbook* workbook = workbook_new(partialName.constData());
    if (!workbook) {
        *error = QStringLiteral("The spreadsheet library could not start a workbook.");
        return false;
    }
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, nullptr);

    QHash<QByteArray, lxw_format*> formats;
    auto formatFor = [&](bool bold, bool text, bool left, bool wrap,
                         const QByteArray& numberFormat = {}) -> lxw_format* {
        const QByteArray key = QByteArray::number((bold ? 1 : 0) | (text ? 2 : 0) | (left ? 4 : 0) |
                                                  (wrap ? 8 : 0)) + ':' + numberFormat;
        if (key == "0:")
            return nullptr;
        if (lxw_format* known = formats.value(key))
            return known;
        lxw_format* format = workbook_add_format(workbook);
        if (bold) format_set_bold(format);
        if (text) format_set_num_format_index(format, 49);  // the built-in "@"
        else if (!numberFormat.isEmpty()) format_set_num_format(format, numberFormat.constData());
        if (left) format_set_align(format, LXW_ALIGN_LEFT);
        if (wrap) format_set_text_wrap(format);
        formats.insert(key, format);
        return format;
    };
    auto formatOf = [&](const Cell& cell, const QByteArray& numberFormat = {}) {
        return formatFor(cell.bold, cell.textFormat, cell.left, cell.wrap, numberFormat);
    };

    for (auto it = sheet.columnWidths.cbegin(); it != sheet.columnWidths.cend(); ++it)
        worksheet_set_column(worksheet, lxw_col_t(it.key() - 1), lxw_col_t(it.key() - 1), it.value(), nullptr);
    for (int row : sheet.wrappedRows)
        worksheet_set_row(worksheet, lxw_row_t(row - 1), sheet.rowHeights.value(row, kDefaultRowHeight),
                          formatFor(false, false, false, true));

    lxw_error status = LXW_NO_ERROR;
    auto keep = [&status](lxw_error result) {
        if (status == LXW_NO_ERROR)
            status = result;
    };
    auto writeCell = [&](int row, int column, const Cell& cell) {
        double number = 0;
        const bool isNumber = !cell.textFormat && readsAsNumber(cell.text, &number);
        lxw_format* format = formatOf(cell, isNumber ? displayFormat(cell.text) : QByteArray());
        if (cell.text.isEmpty())
            keep(format ? worksheet_write_blank(worksheet, lxw_row_t(row - 1), lxw_col_t(column - 1), format)
                        : LXW_NO_ERROR);
        else if (isNumber)
            keep(worksheet_write_number(worksheet, lxw_row_t(row - 1), lxw_col_t(column - 1), number, format));
        else
            keep(worksheet_write_string(worksheet, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                        cell.text.toUtf8().constData(), format));
    };

    for (auto it = sheet.cells.cbegin(); it != sheet.cells.cend(); ++it) {
        const auto [row, column] = it.key();
        if (sheet.mergedRows.contains(row) && column >= 2 && column <= kLastMergedColumn)
            continue;
        writeCell(row, column, it.value());
    }
    for (int row : sheet.mergedRows) {
        const Cell first = sheet.cells.value(qMakePair(row, 2));
        Cell blank = first;
        blank.text.clear();
        keep(worksheet_merge_range(worksheet, lxw_row_t(row - 1), 1, lxw_row_t(row - 1),
                                   lxw_col_t(kLastMergedColumn - 1), "", formatOf(blank)));
        // The merged range's first cell takes the text (or number) itself.
        writeCell(row, 2, first);
    }

    const lxw_error closed = workbook_close(workbook);
    if (status != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        *error = QString::fromUtf8(lxw_strerror(status != LXW_NO_ERROR ? status : closed));
        QFile::remove(partial);
        return false;
    }
    // Complete and closed: move it into place in one step.
    if (std::rename(partialName.constData(), QFile::encodeName(path).constData()) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(partial);
        return false;
    }
    return true;
}

SpreadsheetReport::Outcome SpreadsheetReport::Excel_Click(const ReportInputs& inputs,
                                                          ProjectData& projectData,
                                                          const QStringList& colContactLines) {
    projectData = GetGenaralSettingsfromRegistry(projectData);
    platform::Services& services = platform::Services::instance();
    std::unique_ptr<platform::SpreadsheetService> local;
    if (!services.hasSpreadsheet())
        local = std::make_unique<platform::SpreadsheetService>();
    platform::SpreadsheetService& spreadsheet = local ? *local : services.spreadsheet();

    Outcome outcome;
    QString error;
    outcome.path = spreadsheet.newWorkbookPath(&error);
    if (!outcome.path.isEmpty()) {
        outcome.written = writeWorkbook(buildSheet(inputs, projectData, colContactLines), outcome.path, &error);
        if (!outcome.written)
            QFile::remove(outcome.path);  // the reserved, still empty name
    }
    if (!outcome.written) {
        services.messages().warning(
            mainWindow_, kMessageTitle,
            QStringLiteral("The spreadsheet report could not be written in\n%1\n(%2).")
                .arg(QDir::toNativeSeparators(spreadsheet.reportsFolder()), error));
        return outcome;
    }
    outcome.opened = spreadsheet.show(outcome.path);
    if (outcome.opened != platform::ShellResult::Opened) {
        const QString why = (outcome.opened == platform::ShellResult::NoAssociation ||
                             outcome.opened == platform::ShellResult::IncompleteAssociation)
                                ? QStringLiteral("No program to open spreadsheets is set up on this desktop.")
                                : QStringLiteral("The spreadsheet report could not be opened.");
        services.messages().information(
            mainWindow_, kMessageTitle,
            why + QStringLiteral("\nThe workbook was written to\n%1").arg(QDir::toNativeSeparators(outcome.path)));
    }
    return outcome;
}

}  // namespace bpd::reports
