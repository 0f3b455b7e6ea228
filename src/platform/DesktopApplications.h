#pragma once
// The applications installed on a freedesktop desktop, read from the desktop entries
// (applications/*.desktop) of the XDG data folders, and the association of MIME types with
// them (mimeapps.list, or the entries' own MimeType lines).
//
// Entries earlier in the data folder list win (the user's data home first), as the desktop
// entry specification orders them. Hidden entries and entries whose TryExec program is missing
// do not count as installed.
//
// A field code inside a quoted part of an Exec argument (`sh -c "view %f"`) is put in
// shell-quoted, as GLib's launchers do: such an argument is a command line for a shell, and a
// file name with `$(...)` or quotes in it must reach that shell as one literal word. Entries
// that run in a terminal (Terminal=true) are started inside the desktop's terminal
// (x-terminal-emulator -e ...); without one they cannot be started.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace bpd::platform {

struct DesktopApplication {
    QString id;        // desktop file id, e.g. "org.gnome.Evince.desktop"
    QString name;      // Name=
    QString exec;      // Exec=, unescaped, field codes kept
    QString icon;      // Icon=
    QString filePath;  // the .desktop file
    QStringList mimeTypes;
    bool noDisplay = false;
    bool terminal = false;  // Terminal=true: a text-mode program
};

// A program and its arguments, ready to start.
struct CommandLine {
    QString program;
    QStringList arguments;
};

class DesktopApplications {
public:
    // The installed applications of the given data folders (each holding applications/).
    explicit DesktopApplications(const QStringList& dataDirectories);
    // The current environment's data folders: $XDG_DATA_HOME, then $XDG_DATA_DIRS (defaults
    // ~/.local/share and /usr/local/share:/usr/share).
    static QStringList dataDirectories();
    // The current environment's configuration folders: $XDG_CONFIG_HOME, then $XDG_CONFIG_DIRS.
    static QStringList configDirectories();

    const QList<DesktopApplication>& all() const { return applications_; }
    std::optional<DesktopApplication> find(const QString& id) const;
    // The applications that declare the type (or one of its aliases) in their MimeType line,
    // in data folder order; entries marked NoDisplay are left out unless includeHidden.
    QList<DesktopApplication> forMimeType(const QString& mimeType,
                                          bool includeHidden = false) const;

    // The desktop file ids that mimeapps.list names as defaults for the type or one of its
    // aliases, in precedence
    // order (configuration folders first, then the data folders' applications/ lists).
    static QStringList defaultIds(const QString& mimeType, const QStringList& configDirectories,
                                  const QStringList& dataDirectories);

    // Parses one desktop entry; nullopt when it is not an application entry.
    static std::optional<DesktopApplication> parseEntry(const QString& filePath, const QString& id);
    // Splits an Exec line into program and arguments and puts the target in place of its
    // field codes (%f %F %u %U; appended when the line has none), inside the terminal for a
    // terminal entry. nullopt for an empty line, or a terminal entry without a terminal.
    static std::optional<CommandLine> commandFor(const DesktopApplication& application,
                                                 const QString& fileOrUrl,
                                                 const QString& terminal = terminalEmulator());
    // True when the entry's program is installed and, for a terminal entry, there is a terminal.
    static bool isRunnable(const DesktopApplication& application, const QString& terminal);
    // The desktop's terminal: x-terminal-emulator on the PATH, or "".
    static QString terminalEmulator();
    // The MIME type that decides the association of a path or URL ("x-scheme-handler/https"
    // for a web address).
    static QString mimeTypeOf(const QString& target);
    // True for a web or other scheme address (not a path, not a file: URL).
    static bool isAddress(const QString& target);
    // The local path of a path or file: URL.
    static QString localPath(const QString& target);

private:
    QList<DesktopApplication> applications_;
};

}  // namespace bpd::platform
