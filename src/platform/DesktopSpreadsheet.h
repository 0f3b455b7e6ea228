#pragma once
// The spreadsheet application on this desktop: a per-user reports folder, a new workbook file
// for each report, named after the moment, and the desktop's program for spreadsheets to open
// it with. The workbooks are saved files that the user's program owns, so the quit loses
// nothing; the stand-in only lets go of them.

#include <QStringList>

#include "SpreadsheetService.h"

namespace bpd::platform {

class DesktopSpreadsheet : public SpreadsheetService {
public:
    // reportsFolder: empty for "<Documents>/Pelgro Bearing Pad Design Reports".
    explicit DesktopSpreadsheet(DesktopShell& shell, QString reportsFolder = {});

    static QString defaultReportsFolder();

    void start() override { running_ = true; }
    bool isRunning() const override { return running_; }
    QString reportsFolder() const override { return folder_; }
    // The name gets " (2)", " (3)", ... when it is taken (by anything, a symlink too); empty
    // when the folder cannot be made or written.
    QString newWorkbookPath(QString* error) override;
    ShellResult show(const QString& workbookPath) override;
    QString latestWorkbook() const override;
    void quit() override;

private:
    DesktopShell& shell_;
    QString folder_;
    QStringList workbooks_;
    bool running_ = false;
};

}  // namespace bpd::platform
