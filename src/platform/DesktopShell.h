#pragma once
// The desktop's shell: opening documents and addresses with their associated programs, the
// applications that could open a type, starting programs without waiting, the process's
// current directory and file tests.

#include <QList>
#include <QString>
#include <QStringList>

#include "DesktopApplication.h"

namespace bpd::platform {

enum class ShellResult {
    Opened,                 // handed to an associated program
    NoAssociation,          // no program is associated with the type (the shell's 31)
    IncompleteAssociation,  // an association exists but cannot be used (the shell's 27)
    NotFound,               // the document does not exist
    Failed                  // any other failure
};

enum class ShowMode { Normal, Maximized, Minimized };

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // Opens a file path or a URL with the desktop's associated program, without waiting.
    // Decides on association before starting anything.
    virtual ShellResult open(const QString& target, const QString& workingDirectory,
                             ShowMode mode) = 0;
    // Starts a program without waiting; false when it cannot be started. A desktop entry
    // (*.desktop) starts its application with the arguments as its documents, as `gio launch`
    // does.
    virtual bool startProgram(const QString& program, const QStringList& arguments,
                              const QString& workingDirectory, ShowMode mode) = 0;
    // The MIME type that decides the association of a path or URL.
    virtual QString mimeTypeOf(const QString& target) const = 0;
    // The installed applications that declare the type, for the user to choose from (Open
    // With), best first.
    virtual QList<DesktopApplication> applicationsFor(const QString& mimeType) const = 0;
    virtual QString currentDirectory() const = 0;
    virtual bool setCurrentDirectory(const QString& path) = 0;
    virtual bool fileExists(const QString& path) const = 0;
};

}  // namespace bpd::platform
