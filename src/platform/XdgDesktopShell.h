#pragma once
// The desktop shell on a freedesktop (XDG) desktop, through GLib's GIO: the content type of a
// file, the desktop's default program for it, the programs for Open With and the launch are
// GIO's, as GNOME, its file manager and `gio open` have them (mimeapps.list and the desktop's
// own <desktop>-mimeapps.list, added and removed associations, mimeinfo.cache, aliases and
// parent types, Exec field codes and their quoting, Terminal=true in a terminal).
//
// What GIO leaves to us, and why:
// - Deciding before anything starts. The Help commands offer Open With only when no program
//   can open the type, and tell the user when the chosen program failed; so `open` asks GIO
//   for the default itself instead of handing the document to g_app_info_launch_default_for_uri.
// - A text-mode program (Terminal=true) on a desktop with no terminal that GIO knows gives way
//   to the next program GIO associates with the type; when every one needs a terminal, the
//   association cannot be used (IncompleteAssociation) and Open With is offered.
// - A plain program (startProgram, a program browsed for in Open With) is looked for on the
//   PATH first: GIO starts it through a wrapper and reports success even when it is missing.
// - The working directory: GIO starts a program in the process's current directory (unless
//   its entry names a Path=), so the given folder is made current for the launch.
//
// GIO reads the XDG folders and the desktop's name once, at its first use, and notices later
// changes of the folders through the GLib main loop, which Qt's event loop runs.
//
// Show modes are a request the window manager may ignore: a started program places its own
// windows, so they are not passed on. Why a launch failed (GIO's message) goes to the
// standard error; the caller tells the user that it failed.

#include <QString>
#include <QStringList>

#include "DesktopShell.h"

namespace bpd::platform {

class XdgDesktopShell : public DesktopShell {
public:
    ShellResult open(const QString& target, const QString& workingDirectory,
                     ShowMode mode) override;
    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& workingDirectory, ShowMode mode) override;
    QString mimeTypeOf(const QString& target) const override;
    // The desktop's default first, then the recommended programs (declaring the type itself),
    // then the others GIO associates with it (its parent types); NoDisplay ones left out.
    QList<DesktopApplication> applicationsFor(const QString& mimeType) const override;
    QString currentDirectory() const override;
    bool setCurrentDirectory(const QString& path) override;
    bool fileExists(const QString& path) const override;
};

}  // namespace bpd::platform
