#include "WorkbookFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include "WorkbookCheck.h"

namespace bpd::reports {

namespace {

// The system's reason when the library's failure left one ("No space left on device"), else
// the library's own.
QString libraryReason(lxw_error status, int savedErrno) {
    return savedErrno ? QString::fromLocal8Bit(std::strerror(savedErrno))
                      : QString::fromUtf8(lxw_strerror(status));
}

}  // namespace

WorkbookFile::WorkbookFile(const QString& path) : file_(path) {}

WorkbookFile::~WorkbookFile() {
    if (workbook_) workbook_close(workbook_);  // frees it; file_ removes what it wrote
}

lxw_workbook* WorkbookFile::start(QString* error) {
    if (!file_.openForLibrary()) {
        *error = file_.errorString();
        return nullptr;
    }
    const QByteArray temporaryName = QFile::encodeName(file_.temporaryPath());
    scratchFolder_ = QFile::encodeName(QFileInfo(file_.temporaryPath()).path());
    lxw_workbook_options options{};
    options.tmpdir = scratchFolder_.data();
    workbook_ = workbook_new_opt(temporaryName.constData(), &options);
    if (!workbook_) *error = QStringLiteral("The spreadsheet library could not start a workbook.");
    return workbook_;
}

bool WorkbookFile::finish(lxw_error writing, QString* error) {
    errno = 0;
    const lxw_error closed = workbook_close(workbook_);  // writes the file, frees the workbook
    const int closeErrno = errno;
    workbook_ = nullptr;
    if (writing != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        *error =
            writing != LXW_NO_ERROR ? libraryReason(writing, 0) : libraryReason(closed, closeErrno);
        return false;  // file_ removes what the library left
    }
    // Complete and closed: read back, then take the target's name in one step.
    if (!file_.commit(&WorkbookCheck::problem)) {
        *error = file_.errorString();
        return false;
    }
    return true;
}

}  // namespace bpd::reports
