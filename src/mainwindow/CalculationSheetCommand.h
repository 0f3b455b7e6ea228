#pragma once
// Design > Calculation Sheet: asks where to save the sheet of the main window's bearing
// (offering "<project name> Calculation Sheet.pdf" in the user's documents folder), writes it
// through the sheet library (CalculationDocument, over AtomicFile) with the project data
// reloaded from the settings store, and opens it with the desktop's PDF viewer. A sheet that
// cannot be written is reported and the file at the name is left as it was; a sheet that was
// written but not opened is reported by NotOpenedNotice.

#include <QString>

#include "NumberFormat.h"
#include "ProjectData.h"
#include "Units.h"

class QWidget;

namespace bpd::platform {
class DesktopShell;
class FileNameChooser;
class MessageService;
class RegistryStore;
}  // namespace bpd::platform

namespace bpd::mainwindow {

class CalculationSheetCommand {
public:
    // The bearing as the main window shows it.
    struct Bearing {
        UnitSystem units = UnitSystem::Imperial;
        QString w1, b1, A, dh, Vap;  // the fields' texts
        bool sliding = false;
        int selection = 0;  // the visible thickness selector
        NumberLocale locale;
    };
    enum class Outcome { Cancelled, NotWritten, Written };

    CalculationSheetCommand(QWidget* mainWindow, platform::DesktopShell& shell,
                            platform::RegistryStore& settings, platform::MessageService& messages,
                            platform::FileNameChooser& files);

    // projectData: the window's copy, reloaded from the store first.
    Outcome Calculation_Sheet_Click(const Bearing& bearing, reports::ProjectData& projectData);

    // The name offered: the project name (characters a file name cannot hold replaced), or
    // "Calculation Sheet.pdf" without one, in the user's documents folder.
    static QString suggestedPath(const QString& projectName);

private:
    QWidget* mainWindow_;
    platform::DesktopShell& shell_;
    platform::RegistryStore& settings_;
    platform::MessageService& messages_;
    platform::FileNameChooser& files_;
};

}  // namespace bpd::mainwindow
