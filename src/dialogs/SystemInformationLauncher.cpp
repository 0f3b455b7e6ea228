#include "SystemInformationLauncher.h"

#include "DesktopShell.h"
#include "MessageService.h"
#include "Services.h"

namespace bpd::dialogs {

using platform::Services;

SystemInformationLauncher::SystemInformationLauncher(LocalMachineReader reader)
    : reader_(std::move(reader)) {}

QString SystemInformationLauncher::toolPath() const {
    if (!reader_) return {};
    QString path;
    if (reader_(QString::fromLatin1(kPathKey), QString::fromLatin1(kPathValue), path))
        return path;
    QString folder;
    if (!reader_(QString::fromLatin1(kLocationKey), QString::fromLatin1(kLocationValue), folder))
        return {};
    const QString candidate = folder + QString::fromLatin1(kToolFile);
    return Services::instance().shell().fileExists(candidate) ? candidate : QString();
}

void SystemInformationLauncher::StartSysInfo(QWidget* parent) const {
    const QString path = toolPath();
    if (!path.isEmpty() &&
        Services::instance().shell().startProgram(path, {}, QString(),
                                                  platform::ShowMode::Normal))
        return;
    Services::instance().messages().information(
        parent, QStringLiteral("Pelgro Bearing"),
        QStringLiteral("System Information Is Unavailable At This Time"));
}

}  // namespace bpd::dialogs
