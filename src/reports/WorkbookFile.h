#pragma once
// A workbook written by libxlsxwriter to a file, as every file of ours is written: the
// library opens its output by name, so it gets a name in a private folder of ours beside the
// target (where nothing can be planted, and its scratch files go too); the closed workbook is
// read back (WorkbookCheck) before it takes the target's name in one step. On any failure the
// target keeps what it held and the reason is the system's where there is one.

#include <QByteArray>
#include <QString>

#include <xlsxwriter.h>

#include "AtomicFile.h"

namespace bpd::reports {

class WorkbookFile {
public:
    explicit WorkbookFile(const QString& path);
    ~WorkbookFile();  // a workbook not finished is closed and its file removed
    WorkbookFile(const WorkbookFile&) = delete;
    WorkbookFile& operator=(const WorkbookFile&) = delete;

    // The workbook to fill, or null with the reason.
    lxw_workbook* start(QString* error);
    // Closes the workbook (the library writes it then) and puts it at the target. writing is
    // the first failure while filling it (LXW_NO_ERROR when none).
    bool finish(lxw_error writing, QString* error);

private:
    platform::AtomicFile file_;
    QByteArray scratchFolder_;  // the library keeps a pointer to it until the close
    lxw_workbook* workbook_ = nullptr;
};

}  // namespace bpd::reports
