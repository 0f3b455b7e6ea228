#pragma once
// A program the desktop could open a document with, as the Open With list shows it.

#include <QString>
#include <QStringList>

namespace bpd::platform {

struct DesktopApplication {
    QString id;        // desktop file id, e.g. "org.gnome.Evince.desktop"; "" for a browsed one
    QString name;      // Name=
    QString exec;      // its command line, field codes kept
    QString icon;      // Icon=
    QString filePath;  // what startProgram starts: the .desktop file, or the program browsed for
    QStringList mimeTypes;
    bool noDisplay = false;
    bool terminal = false;  // Terminal=true: a text-mode program
};

}  // namespace bpd::platform
