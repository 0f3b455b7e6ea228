#pragma once
// The spreadsheet application behind the spreadsheet report (objExcelApp): it runs from the
// main window's load to its unload, hands out a new workbook file for each report, opens a
// finished workbook, and keeps the latest one (objWorkbook) until it quits.
// DesktopSpreadsheet is the program's.

#include <QString>

#include "DesktopShell.h"

namespace bpd::platform {

class SpreadsheetService {
public:
    virtual ~SpreadsheetService() = default;

    // The main window's load: the application starts (it is not shown).
    virtual void start() = 0;
    virtual bool isRunning() const = 0;

    // Where the workbooks go.
    virtual QString reportsFolder() const = 0;
    // Reserves a new, empty workbook file that nothing else has, never an earlier one (it may
    // still be open in the user's spreadsheet program). Empty, with the reason in `error`,
    // when none can be had.
    virtual QString newWorkbookPath(QString* error) = 0;
    // Records a finished workbook as the latest one and opens it, maximised.
    virtual ShellResult show(const QString& workbookPath) = 0;
    // The workbook of the latest report, empty before the first and after the quit.
    virtual QString latestWorkbook() const = 0;

    // The main window's unload: the application lets go of its workbooks and ends.
    virtual void quit() = 0;
};

}  // namespace bpd::platform
