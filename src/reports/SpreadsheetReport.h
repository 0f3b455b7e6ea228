#pragma once
// Export > Excel: the report as a new .xlsx workbook, opened with the desktop's program for
// spreadsheets.
//
// The sheet holds the project data (A1:M5, the texts merged across B:M and wrapped), the inputs
// with their units (A7:C13), the results grid from A16 and the owner's contact lines in
// F26:F31. Labels and the grid header are bold, the thickness column is text ("@"), A8:M23 is
// aligned left. Columns A to the grid's last are fitted to the input and output sections only.
// Input texts that read as plain decimal numbers in the locale the window wrote them in are
// stored as numbers, as a spreadsheet stores typed-in values; a result value cell holds the
// number the result table says it shows. Both get a number format that shows them as written
// (".667" and ",667" both become 0.667 shown "#.000"); the thickness column keeps its texts.
//
// Each export writes a new workbook under a name the spreadsheet stand-in reserves in its
// reports folder. The library writes it into a private temporary file, which is read back
// (WorkbookCheck) before it takes the reserved name; only then is it opened. On any failure
// the user is told which file and why, nothing is opened and the reserved name is given back.
// When no program can open a written workbook, the user is told where it is.

#include <QByteArray>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

#include "DesktopShell.h"
#include "NumberFormat.h"
#include "ProjectData.h"
#include "ReportInputs.h"

class QWidget;

namespace bpd::platform {
class MessageService;
class RegistryStore;
class SpreadsheetService;
}  // namespace bpd::platform

namespace bpd::reports {

class SpreadsheetReport {
public:
    struct Outcome {
        bool written = false;
        QString path;
        platform::ShellResult opened = platform::ShellResult::Failed;
    };

    // One cell of the sheet as the export leaves it (rows and columns from 1).
    struct Cell {
        QString text;
        bool bold = false;
        bool textFormat = false;  // number format "@"
        bool left = false;
        bool wrap = false;
        std::optional<double> number;  // stored as this number, shown with numberFormat
        QByteArray numberFormat;       // empty for the General format
    };
    struct Sheet {
        QMap<QPair<int, int>, Cell> cells;
        QMap<int, double> columnWidths;  // fitted columns only
        QMap<int, double> rowHeights;    // project rows that need more than one line
        QList<int> wrappedRows;          // rows whose every cell wraps
        QList<int> mergedRows;           // rows merged across B:M
    };

    // The workbook goes to `spreadsheet`, the project data come from `settings`, and the user
    // is told through `messages`.
    SpreadsheetReport(QWidget* mainWindow, platform::SpreadsheetService& spreadsheet,
                      platform::RegistryStore& settings, platform::MessageService& messages);

    // Excel_Click: reloads `projectData`, writes the new workbook and opens it.
    Outcome Excel_Click(const ReportInputs& inputs, ProjectData& projectData,
                        const QStringList& colContactLines);

    // The sheet in the order of its steps, and its writing to a file. writeWorkbook lets the
    // library write into a private temporary file beside `path`, reads it back and only then
    // renames it over `path`; `path` keeps its old bytes on any failure.
    static Sheet buildSheet(const ReportInputs& inputs, const ProjectData& projectData,
                            const QStringList& colContactLines);
    static bool writeWorkbook(const Sheet& sheet, const QString& path, QString* error);

    // A text a spreadsheet would take as a number: digits with an optional sign, the locale's
    // decimal separator and an exponent ("4.0000", ".99", "-3"; "4,0000" under a comma
    // locale), no group separators. Sets `value`.
    static bool readsAsNumber(const QString& text, const NumberLocale& locale, double* value);
    // The fitted width, in the sheet's character units, of a column holding these texts.
    static double fittedWidth(int characters, bool bold);

private:
    QWidget* mainWindow_;
    platform::SpreadsheetService& spreadsheet_;
    platform::RegistryStore& settings_;
    platform::MessageService& messages_;
};

}  // namespace bpd::reports
