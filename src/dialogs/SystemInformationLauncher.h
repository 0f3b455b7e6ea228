#pragma once
// Starts the system information tool (the About box's "System Info" button).
//
// The tool's path comes from the local-machine settings store: first the value "PATH" under
// "SOFTWARE\Microsoft\Shared Tools\MSINFO" (the full path of the tool); failing that, the
// folder in the value "MSINFO" under "SOFTWARE\Microsoft\Shared Tools Location", with the
// tool's file name "MSINFO32.EXE" appended after one separator (the folder text is used
// unchanged, so a trailing separator doubles). The tool is started without waiting; when no
// path is found or it cannot start, the message "System Information Is Unavailable At This
// Time" titled "Pelgro Bearing" is shown. The install records our own pelgro-sysinfo program
// under the first value.

#include <QString>
#include <functional>

class QWidget;

namespace bpd::platform {
class DesktopShell;
class MessageService;
}  // namespace bpd::platform

namespace bpd::dialogs {

// Reads one value of the local-machine root; true when it was read (value set), false when the
// key or value is missing (value unchanged). The program passes
//     [](const QString& k, const QString& n, QString& v) {
//         return ReadRegistryValue(HKEY_LOCAL_MACHINE, k, n, v); }
using LocalMachineReader =
    std::function<bool(const QString& subKey, const QString& valueName, QString& value)>;

class SystemInformationLauncher {
public:
    static constexpr const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    static constexpr const char* kPathValue = "PATH";
    static constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
    static constexpr const char* kLocationValue = "MSINFO";
    static constexpr const char* kToolFile = "/MSINFO32.EXE";

    // The tool is looked for and started through `shell`; its absence is told through
    // `messages`.
    SystemInformationLauncher(LocalMachineReader reader, platform::DesktopShell& shell,
                              platform::MessageService& messages);

    void StartSysInfo(QWidget* parent) const;

    // The tool's path by the two look-ups, or "" (the failure step).
    QString toolPath() const;

private:
    LocalMachineReader reader_;
    platform::DesktopShell* shell_;
    platform::MessageService* messages_;
};

}  // namespace bpd::dialogs
