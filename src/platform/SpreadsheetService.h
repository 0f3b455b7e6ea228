#pragma once
// The spreadsheet application's stand-in, owned by the main window from its load to its
// unload: a per-user reports folder, a new workbook file for each report (never overwriting an
// earlier one, which may still be open in the user's spreadsheet program), opening a finished
// workbook with the desktop's program for spreadsheets, and the quit at unload.

#include <QString>
#include <QStringList>

#include "DesktopShell.h"

namespace bpd::platform {

class SpreadsheetService {
public:
    // reportsFolder: empty for "<Documents>/Pelgro Bearing Pad Design Reports".
    explicit SpreadsheetService(QString reportsFolder = {});
    virtual ~SpreadsheetService() = default;

    static QString defaultReportsFolder();
    QString reportsFolder() const { return folder_; }

    // Reserves a new, empty workbook file in the reports folder, named after the moment, with
    // " (2)", " (3)", ... when the name is taken (by anything, a symlink too). Empty, with the
    // reason in `error`, when the folder cannot be made or written.
    QString newWorkbookPath(QString* error = nullptr);

    // Records a finished workbook as the latest one and opens it, maximised, with the
    // desktop's program for spreadsheets.
    virtual ShellResult show(const QString& workbookPath);

    // The workbook of the latest report (objWorkbook), empty before the first.
    QString latestWorkbook() const { return workbooks_.isEmpty() ? QString() : workbooks_.last(); }
    QStringList workbooks() const { return workbooks_; }

    // The main window's unload. The workbooks are saved files that the user's program owns,
    // so nothing is lost; the stand-in only lets go of them.
    void quit();
    bool hasQuit() const { return quit_; }

private:
    QString folder_;
    QStringList workbooks_;
    bool quit_ = false;
};

}  // namespace bpd::platform
