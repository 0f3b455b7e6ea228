#include "SystemInformationLauncher.h"

#include "DesktopShell.h"
#include "MessageService.h"

namespace bpd::dialogs {

SystemInformationLauncher::SystemInformationLauncher(LocalMachineReader reader,
                                                     platform::DesktopShell& shell,
                                                     platform::MessageService& messages)
    : reader_(std::move(reader)), shell_(&shell), messages_(&messages) {}

QString SystemInformationLauncher::toolPath() const {
    if (!reader_) return {};
    QString path;
    if (reader_(QString::fromLatin1(kPathKey), QString::fromLatin1(kPathValue), path)) return path;
    QString folder;
    if (!reader_(QString::fromLatin1(kLocationKey), QString::fromLatin1(kLocationValue), folder))
        return {};
    const QString candidate = folder + QString::fromLatin1(kToolFile);
    return shell_->fileExists(candidate) ? candidate : QString();
}

void SystemInformationLauncher::StartSysInfo(QWidget* parent) const {
    const QString path = toolPath();
    if (!path.isEmpty() && shell_->startProgram(path, {}, QString(), platform::ShowMode::Normal))
        return;
    messages_->information(parent, QStringLiteral("Pelgro Bearing"),
                           QStringLiteral("System Information Is Unavailable At This Time"));
}

}  // namespace bpd::dialogs
