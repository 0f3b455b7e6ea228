#include "SpreadsheetService.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "Services.h"

namespace bpd::platform {

SpreadsheetService::SpreadsheetService(QString reportsFolder)
    : folder_(reportsFolder.isEmpty() ? defaultReportsFolder() : std::move(reportsFolder)) {}

QString SpreadsheetService::defaultReportsFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return documents + QStringLiteral("/Pelgro Bearing Pad Design Reports");
}

QString SpreadsheetService::newWorkbookPath(QString* error) {
    if (!QDir().mkpath(folder_)) {
        if (error)
            *error = QStringLiteral("The folder %1 cannot be created.").arg(QDir::toNativeSeparators(folder_));
        return {};
    }
    const QString stem = folder_ + QStringLiteral("/Bearing Pad Report ") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    for (int n = 1; n < 10000; ++n) {
        const QString path = stem + (n == 1 ? QString() : QStringLiteral(" (%1)").arg(n)) +
                             QStringLiteral(".xlsx");
        QFile file(path);
        // NewOnly: the name is ours only when this call created the file.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (!QFile::exists(path)) {
            if (error)
                *error = file.errorString();
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
