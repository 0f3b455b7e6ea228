#pragma once
// File > Export > Calculation Package...: the calculation package (CalculationDocument) of the
// schedule's bearings, or of the selected ones when the user chooses so, saved under a name
// the FileNameChooser gives. The package is made and written off the user-interface thread
// with a progress bar and Cancel (BackgroundJob); a cancelled or failed export leaves the file
// at the name as it was. A written package is opened with the desktop's PDF viewer, as the
// other documents are. Bearings that cannot be checked are left out, as bpd-check leaves them.

#include <QPointer>
#include <QString>
#include <vector>

#include "DesignDocument.h"

#include <QWidget>

namespace bpd::platform {
class DesktopShell;
class FileNameChooser;
class MessageService;
}  // namespace bpd::platform

namespace bpd::schedule {

class PackageExportCommand {
public:
    enum class Outcome { NothingToExport, Cancelled, NotWritten, Written };

    PackageExportCommand(QWidget* window, platform::DesktopShell& shell,
                         platform::MessageService& messages, platform::FileNameChooser& files);

    // selected: the selected lines (any order; empty when none is).
    Outcome run(const designfile::DesignDocument& document, const std::vector<int>& selected);

    // "<project name> Calculation Package.pdf" in the user's documents folder.
    static QString suggestedPath(const QString& projectName);

private:
    QPointer<QWidget> window_;
    platform::DesktopShell& shell_;
    platform::MessageService& messages_;
    platform::FileNameChooser& files_;
};

}  // namespace bpd::schedule
