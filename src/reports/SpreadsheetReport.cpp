#include "SpreadsheetReport.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <cmath>

#include <xlsxwriter.h>

#include "MessageService.h"
#include "NotOpenedNotice.h"
#include "SpreadsheetService.h"
#include "WorkbookFile.h"

namespace bpd::reports {

namespace {

constexpr int kLastMergedColumn = 13;  // M
constexpr int kDefaultRowHeight = 15;  // points
constexpr double kDefaultColumnWidth = 8.43;

using Sheet = SpreadsheetReport::Sheet;
using Cell = SpreadsheetReport::Cell;

Cell& at(Sheet& sheet, int row, int column) {
    return sheet.cells[qMakePair(row, column)];
}

// The number format that shows a number as its text was written: as many decimals, and no
// leading zero where the text had none (".667" -> "#.000", "4,0000" -> "0.0000"). Whole numbers
// and exponents keep the General format. Format codes always use "." (the file's own syntax).
QByteArray displayFormat(const QString& text, const NumberLocale& locale) {
    QString digits = text;
    if (digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')))
        digits.remove(0, 1);
    const qsizetype point = digits.indexOf(QString::fromStdString(locale.decimalSeparator));
    if (point < 0 || digits.contains(QLatin1Char('e'), Qt::CaseInsensitive)) return {};
    const qsizetype decimals =
        digits.size() - point - static_cast<qsizetype>(locale.decimalSeparator.size());
    return (point == 0 ? QByteArray("#") : QByteArray("0")) +
           (decimals > 0 ? "." + QByteArray(decimals, '0') : QByteArray());
}

// Writes a text into a cell; a cell not in text format stores a text that reads as a number as
// that number.
void put(Sheet& sheet, const NumberLocale& locale, int row, int column, const QString& text,
         bool bold = false) {
    Cell& cell = at(sheet, row, column);
    cell.text = text;
    cell.bold = cell.bold || bold;
    double value = 0;
    if (!cell.textFormat && SpreadsheetReport::readsAsNumber(text, locale, &value)) {
        cell.number = value;
        cell.numberFormat = displayFormat(text, locale);
    } else {
        cell.number.reset();
        cell.numberFormat.clear();
    }
}

// Writes a result cell: a value cell as the number the engine shows in it, any other (the
// header, the status, the thickness label) as its text.
void putResult(Sheet& sheet, const NumberLocale& locale, int row, int column, const QString& text,
               std::optional<double> shown, bool bold) {
    Cell& cell = at(sheet, row, column);
    cell.text = text;
    cell.bold = cell.bold || bold;
    cell.number.reset();
    cell.numberFormat.clear();
    if (shown && !cell.textFormat) {
        cell.number = shown;
        cell.numberFormat = displayFormat(text, locale);
    }
}

// What a cell shows: its text, also when it is stored as a number (see displayFormat),
// except a whole number or an exponent in the General format.
QString shownText(const Cell& cell) {
    if (cell.number && cell.numberFormat.isEmpty()) return QString::number(*cell.number, 'g', 11);
    return cell.text;
}

}  // namespace

bool SpreadsheetReport::readsAsNumber(const QString& text, const NumberLocale& locale,
                                      double* value) {
    const QString separator =
        QRegularExpression::escape(QString::fromStdString(locale.decimalSeparator));
    const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+(%1)?\\d*|(%1)\\d+)([eE][+-]?\\d+)?$").arg(separator));
    if (locale.decimalSeparator.empty() || !number.match(text).hasMatch()) return false;
    // The plain form above leaves the engine's reading no grouping to interpret.
    const std::optional<double> parsed = parseNumber(text.toStdString(), locale);
    if (!parsed || !std::isfinite(*parsed)) return false;
    if (value) *value = *parsed;
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
    const NumberLocale& locale = inputs.numberLocale;
    const QString slide = inputs.sliding ? QStringLiteral("Yes") : QStringLiteral("No");

    put(sheet, locale, 7, 1, QStringLiteral("INPUT DATA:"), true);
    const QStringList inputLabels = {
        QStringLiteral("Slide Bearing"),          QStringLiteral("Bearing Length"),
        QStringLiteral("Bearing Width"),          QStringLiteral("Angle of Rotation"),
        QStringLiteral("Horizontal Deformation"), QStringLiteral("Applied Load")};
    for (int i = 0; i < inputLabels.size(); ++i) put(sheet, locale, 8 + i, 1, inputLabels.at(i));
    const QStringList values = {slide,        inputs.w1Text, inputs.b1Text,
                                inputs.AText, inputs.dhText, inputs.VapText};
    for (int i = 0; i < values.size(); ++i) put(sheet, locale, 8 + i, 2, values.at(i));
    const QStringList units = {inputs.unitLengthItem(1), inputs.unitLengthItem(2), inputs.unitAngle,
                               inputs.unitLengthItem(0), inputs.unitsForce};
    for (int i = 0; i < units.size(); ++i) put(sheet, locale, 9 + i, 3, units.at(i));
    put(sheet, locale, 15, 1, QStringLiteral("OUTPUT DATA:"), true);

    const int rows = inputs.gridRows();
    const int columns = inputs.gridColumns();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c == 1) at(sheet, 16 + r, 2).textFormat = true;
            putResult(sheet, locale, 16 + r, 1 + c, inputs.cell(r, c),
                      inputs.results.shownNumber(r, c), r == 0);
        }
    }

    // Fit the columns to the input and output sections, before the project data and the
    // contact lines are written.
    for (int column = 1; column <= columns; ++column) {
        double width = 0;
        bool any = false;
        for (auto it = sheet.cells.cbegin(); it != sheet.cells.cend(); ++it) {
            if (it.key().second != column || it.value().text.isEmpty()) continue;
            any = true;
            width = std::max(width, fittedWidth(static_cast<int>(shownText(it.value()).size()),
                                                it.value().bold));
        }
        if (any) sheet.columnWidths.insert(column, width);
    }

    for (int k = 1; k <= colContactLines.size(); ++k)
        put(sheet, locale, 25 + k, 6, colContactLines.at(k - 1), true);

    put(sheet, locale, 1, 1, QStringLiteral("PROJECT DATA:"), true);
    const QStringList projectLabels = {QStringLiteral("Company Name"),
                                       QStringLiteral("Project Name"), QStringLiteral("Engineer"),
                                       QStringLiteral("Description")};
    const QStringList projectTexts = {projectData.sCompany, projectData.sProjectName,
                                      projectData.sEngineer, projectData.sDescription};
    for (int i = 0; i < 4; ++i) {
        put(sheet, locale, 2 + i, 1, projectLabels.at(i), true);
        put(sheet, locale, 2 + i, 2, projectTexts.at(i));
    }

    // The merged project texts wrap inside B:M; give each row the lines its text needs.
    double mergedWidth = 0;
    for (int column = 2; column <= kLastMergedColumn; ++column)
        mergedWidth += sheet.columnWidths.value(column, kDefaultColumnWidth);
    for (int row = 2; row <= 5; ++row) {
        sheet.wrappedRows << row;
        sheet.mergedRows << row;
        for (auto it = sheet.cells.begin(); it != sheet.cells.end(); ++it)
            if (it.key().first == row) it.value().wrap = true;
        int lines = 0;
        const QStringList paragraphs = at(sheet, row, 2).text.split(QLatin1Char('\n'));
        for (const QString& paragraph : paragraphs)
            lines += std::max(1, static_cast<int>(std::ceil(paragraph.size() / mergedWidth)));
        if (lines > 1) sheet.rowHeights.insert(row, double(kDefaultRowHeight * lines));
    }

    for (int row = 2; row <= 5; ++row) at(sheet, row, 2).left = true;
    for (int row = 8; row <= 23; ++row)
        for (int column = 1; column <= 13; ++column) at(sheet, row, column).left = true;
    return sheet;
}

bool SpreadsheetReport::writeWorkbook(const Sheet& sheet, const QString& path, QString* error) {
    WorkbookFile file(path);
    lxw_workbook* workbook = file.start(error);
    if (!workbook) return false;
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, nullptr);

    QHash<QByteArray, lxw_format*> formats;
    auto formatFor = [&](bool bold, bool text, bool left, bool wrap,
                         const QByteArray& numberFormat = {}) -> lxw_format* {
        const QByteArray key =
            QByteArray::number((bold ? 1 : 0) | (text ? 2 : 0) | (left ? 4 : 0) | (wrap ? 8 : 0)) +
            ':' + numberFormat;
        if (key == "0:") return nullptr;
        if (lxw_format* known = formats.value(key)) return known;
        lxw_format* format = workbook_add_format(workbook);
        if (bold) format_set_bold(format);
        if (text)
            format_set_num_format_index(format, 49);  // the built-in "@"
        else if (!numberFormat.isEmpty())
            format_set_num_format(format, numberFormat.constData());
        if (left) format_set_align(format, LXW_ALIGN_LEFT);
        if (wrap) format_set_text_wrap(format);
        formats.insert(key, format);
        return format;
    };
    auto formatOf = [&](const Cell& cell, const QByteArray& numberFormat = {}) {
        return formatFor(cell.bold, cell.textFormat, cell.left, cell.wrap, numberFormat);
    };

    for (auto it = sheet.columnWidths.cbegin(); it != sheet.columnWidths.cend(); ++it)
        worksheet_set_column(worksheet, lxw_col_t(it.key() - 1), lxw_col_t(it.key() - 1),
                             it.value(), nullptr);
    for (int row : sheet.wrappedRows)
        worksheet_set_row(worksheet, lxw_row_t(row - 1),
                          sheet.rowHeights.value(row, kDefaultRowHeight),
                          formatFor(false, false, false, true));

    lxw_error status = LXW_NO_ERROR;
    auto keep = [&status](lxw_error result) {
        if (status == LXW_NO_ERROR) status = result;
    };
    auto writeCell = [&](int row, int column, const Cell& cell) {
        lxw_format* format = formatOf(cell, cell.numberFormat);
        if (cell.text.isEmpty())
            keep(format ? worksheet_write_blank(worksheet, lxw_row_t(row - 1),
                                                lxw_col_t(column - 1), format)
                        : LXW_NO_ERROR);
        else if (cell.number)
            keep(worksheet_write_number(worksheet, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                        *cell.number, format));
        else
            keep(worksheet_write_string(worksheet, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                        cell.text.toUtf8().constData(), format));
    };

    for (auto it = sheet.cells.cbegin(); it != sheet.cells.cend(); ++it) {
        const auto [row, column] = it.key();
        if (sheet.mergedRows.contains(row) && column >= 2 && column <= kLastMergedColumn) continue;
        writeCell(row, column, it.value());
    }
    for (int row : sheet.mergedRows) {
        const Cell first = sheet.cells.value(qMakePair(row, 2));
        Cell blank = first;
        blank.text.clear();
        blank.number.reset();
        blank.numberFormat.clear();
        keep(worksheet_merge_range(worksheet, lxw_row_t(row - 1), 1, lxw_row_t(row - 1),
                                   lxw_col_t(kLastMergedColumn - 1), "", formatOf(blank)));
        // The merged range's first cell takes the text (or number) itself.
        writeCell(row, 2, first);
    }

    return file.finish(status, error);
}

SpreadsheetReport::SpreadsheetReport(QWidget* mainWindow, platform::SpreadsheetService& spreadsheet,
                                     platform::RegistryStore& settings,
                                     platform::MessageService& messages)
    : mainWindow_(mainWindow),
      spreadsheet_(spreadsheet),
      settings_(settings),
      messages_(messages) {}

SpreadsheetReport::Outcome SpreadsheetReport::Excel_Click(const ReportInputs& inputs,
                                                          ProjectData& projectData,
                                                          const QStringList& colContactLines) {
    projectData = GetGenaralSettingsfromRegistry(settings_, projectData);
    Outcome outcome;
    QString error;
    outcome.path = spreadsheet_.newWorkbookPath(&error);
    if (!outcome.path.isEmpty()) {
        outcome.written =
            writeWorkbook(buildSheet(inputs, projectData, colContactLines), outcome.path, &error);
        if (!outcome.written) QFile::remove(outcome.path);  // the reserved, still empty name
    }
    if (!outcome.written) {
        const QString where = outcome.path.isEmpty() ? spreadsheet_.reportsFolder() : outcome.path;
        messages_.warning(mainWindow_, platform::kMessageTitle,
                          QStringLiteral("The spreadsheet report could not be written to\n%1\n\n%2")
                              .arg(QDir::toNativeSeparators(where), error));
        return outcome;
    }
    outcome.opened = spreadsheet_.show(outcome.path);
    if (outcome.opened != platform::ShellResult::Opened)
        platform::NotOpenedNotice::tell(
            messages_, mainWindow_, outcome.opened,
            {QStringLiteral("No program to open spreadsheets is set up on this desktop."),
             QStringLiteral("The spreadsheet report could not be opened."),
             QStringLiteral("The workbook was written to")},
            QDir::toNativeSeparators(outcome.path));
    return outcome;
}

}  // namespace bpd::reports
