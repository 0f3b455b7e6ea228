#pragma once
// Export > NotePad: the plain-text report of the project data, the inputs and the results
// grid, written to "PelgroBearingPadDesignOutput.txt" and opened with the desktop's program
// for text files.
//
// The file is UTF-8 with CR LF line ends, written through AtomicFile (replaced whole or not at
// all, never through a symlink) and closed before the viewer starts. It goes into the
// program's folder; when that folder cannot be written (an installed program, a full disk),
// into the per-user data folder. When neither can be written the user is told which files and
// why, the old report stays as it was and no viewer starts; when no program can open text
// files, or the viewer's settings cannot be saved, the user is told too.

#include <QString>
#include <QStringList>

#include "DesktopShell.h"
#include "ProjectData.h"
#include "ReportInputs.h"

class QWidget;

namespace bpd::platform {
class MessageService;
class RegistryStore;
}  // namespace bpd::platform

namespace bpd::reports {

class TextReport {
public:
    struct Outcome {
        bool written = false;
        QString path;  // where the report was written (or last tried)
        platform::ShellResult opened = platform::ShellResult::Failed;
    };

    static inline const QString kFileName = QStringLiteral("PelgroBearingPadDesignOutput.txt");
    static inline const QString kViewerKey = QStringLiteral("Software\\Microsoft\\Notepad\\");
    static constexpr int kSeparatorLength = 173;

    // The report opens through `shell`, reads the project data from and saves the viewer's
    // settings to `settings`, and tells the user through `messages`. programFolder: empty for
    // the executable's folder; fallbackFolder: empty for the per-user data folder.
    TextReport(QWidget* mainWindow, platform::DesktopShell& shell,
               platform::RegistryStore& settings, platform::MessageService& messages,
               QString programFolder = {}, QString fallbackFolder = {});

    // NotePad_Click: reloads `projectData` from the store, writes the report, writes the
    // viewer settings and opens the file.
    Outcome NotePad_Click(const ReportInputs& inputs, ProjectData& projectData,
                          const QString& sContactText);

    // The whole report text, CR LF line ends.
    static QString buildText(const ReportInputs& inputs, const ProjectData& projectData,
                             const QString& sContactText);
    // One grid row as fixed-width cells (10 or 15 characters, filled or cut).
    static QString rowLine(const ReportInputs& inputs, int row);
    static int columnWidth(int column);
    // The folder, one separator, the name; a folder ending with a separator (a root) gets none.
    static QString reportPath(const QString& folder);

private:
    QWidget* mainWindow_;
    platform::DesktopShell& shell_;
    platform::RegistryStore& settings_;
    platform::MessageService& messages_;
    QString programFolder_;
    QString fallbackFolder_;
};

}  // namespace bpd::reports
