#include "DesktopSpreadsheet.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "UserFolders.h"

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

DesktopSpreadsheet::DesktopSpreadsheet(DesktopShell& shell, QString reportsFolder)
    : shell_(shell),
      folder_(reportsFolder.isEmpty() ? defaultReportsFolder() : std::move(reportsFolder)) {}

QString DesktopSpreadsheet::defaultReportsFolder() {
    return UserFolders::documents() + QStringLiteral("/Pelgro Bearing Pad Design Reports");
}

QString DesktopSpreadsheet::newWorkbookPath(QString* error) {
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

ShellResult DesktopSpreadsheet::show(const QString& workbookPath) {
    workbooks_ << workbookPath;
    return shell_.open(workbookPath, folder_, ShowMode::Maximized);
}

QString DesktopSpreadsheet::latestWorkbook() const {
    return workbooks_.isEmpty() ? QString() : workbooks_.last();
}

void DesktopSpreadsheet::quit() {
    workbooks_.clear();
    running_ = false;
}

}  // namespace bpd::platform
