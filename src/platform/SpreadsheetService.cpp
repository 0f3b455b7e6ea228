#include "SpreadsheetService.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "Services.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace bpd::platform {

namespace {
QString systemReason(int savedErrno) {
    return QString::fromLocal8Bit(std::strerror(savedErrno));
}
}  // namespace

SpreadsheetService::SpreadsheetService(QString reportsFolder)
    : folder_(reportsFolder.isEmpty() ? defaultReportsFolder() : std::move(reportsFolder)) {}

QString SpreadsheetService::defaultReportsFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    return documents + QStringLiteral("/Pelgro Bearing Pad Design Reports");
}

QString SpreadsheetService::newWorkbookPath(QString* error) {
    errno = 0;
    if (!QDir().mkpath(folder_)) {
        if (error)
            *error = QStringLiteral("The folder %1 cannot be created%2.")
                         .arg(QDir::toNativeSeparators(folder_),
                              errno ? QStringLiteral(" (%1)").arg(systemReason(errno)) : QString());
        return {};
    }
    const QString stem =
        folder_ + QStringLiteral("/Bearing Pad Report ") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    for (int n = 1; n < 10000; ++n) {
        const QString path =
            stem + (n == 1 ? QString() : QStringLiteral(" (%1)").arg(n)) + QStringLiteral(".xlsx");
        // The name is ours only when this call created it; anything already there, a file or
        // a symlink (dangling or not), is passed by and never written through.
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) {
            if (error) *error = systemReason(errno);
            return {};
        }
    }
    if (error)
        *error = QStringLiteral("No free file name in %1.").arg(QDir::toNativeSeparators(folder_));
    return {};
}

ShellResult SpreadsheetService::show(const QString& workbookPath) {
    workbooks_ << workbookPath;
    quit_ = false;
    return Services::instance().shell().open(workbookPath, folder_, ShowMode::Maximized);
}

void SpreadsheetService::quit() {
    workbooks_.clear();
    quit_ = true;
}

}  // namespace bpd::platform
