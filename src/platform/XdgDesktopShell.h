#pragma once
// The desktop shell on a freedesktop (XDG) desktop.
//
// QDesktopServices::openUrl answers true even when nothing can open the document, so the
// association is decided here before anything starts: the default application named by
// `xdg-mime query default <type>` (when xdg-utils is installed) or by the mimeapps.list files,
// else the first installed application whose desktop entry declares the type. The chosen
// entry's Exec line is then started detached, in the given working directory. An entry that
// runs in a terminal counts only when the desktop has a terminal to run it in; otherwise the
// next entry that declares the type is chosen.
//
// Show modes are a request the window manager may ignore: a detached program places its own
// windows, so they are not passed on.

#include <QString>
#include <QStringList>
#include <functional>

#include "DesktopApplications.h"
#include "DesktopShell.h"

namespace bpd::platform {

class XdgDesktopShell : public DesktopShell {
public:
    // Answers the desktop's default application id for a MIME type ("" when none).
    using DefaultQuery = std::function<QString(const QString& mimeType)>;

    // The environment's XDG folders and terminal, with xdg-mime when it is installed.
    XdgDesktopShell();
    // Explicit folders (tests); defaultQuery empty means: read the mimeapps.list files;
    // terminal empty means: no terminal on this desktop.
    XdgDesktopShell(QStringList dataDirectories, QStringList configDirectories,
                    DefaultQuery defaultQuery = {}, QString terminal = {});

    ShellResult open(const QString& target, const QString& workingDirectory,
                     ShowMode mode) override;
    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& workingDirectory, ShowMode mode) override;
    QString mimeTypeOf(const QString& target) const override;
    QList<DesktopApplication> applicationsFor(const QString& mimeType) const override;
    QString currentDirectory() const override;
    bool setCurrentDirectory(const QString& path) override;
    bool fileExists(const QString& path) const override;

    struct Association {
        ShellResult result = ShellResult::NoAssociation;  // Opened means: usable
        DesktopApplication application;
    };
    // The application that would open documents of this type, or why there is none.
    Association associationFor(const QString& mimeType) const;

    // `xdg-mime query default <type>`; "" when xdg-mime is missing or answers nothing.
    static QString queryXdgMime(const QString& mimeType);

private:
    QStringList dataDirectories_;
    QStringList configDirectories_;
    DefaultQuery defaultQuery_;
    QString terminal_;
};

}  // namespace bpd::platform
