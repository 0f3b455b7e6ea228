// One call of the program's desktop shell, in this process's environment, with its answer on
// the standard output. GIO reads the XDG folders and the desktop's name once per process, so
// tst_xdgdesktopshell runs each desktop set-up in a probe of its own.
//
//   desktop_shell_probe open TARGET [WORKING_DIRECTORY]   -> Opened, NoAssociation, ...
//   desktop_shell_probe start WORKING_DIRECTORY PROGRAM [ARGUMENTS...]   -> started | failed
//   desktop_shell_probe type TARGET                       -> the MIME type
//   desktop_shell_probe apps MIME_TYPE                    -> id<TAB>name<TAB>file, a line each

#include <QCoreApplication>
#include <QTextStream>

#include "XdgDesktopShell.h"

using bpd::platform::ShellResult;
using bpd::platform::ShowMode;

namespace {

const char* nameOf(ShellResult result) {
    switch (result) {
        case ShellResult::Opened:
            return "Opened";
        case ShellResult::NoAssociation:
            return "NoAssociation";
        case ShellResult::IncompleteAssociation:
            return "IncompleteAssociation";
        case ShellResult::NotFound:
            return "NotFound";
        case ShellResult::Failed:
            return "Failed";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments().mid(1);
    const QString command = args.value(0);
    bpd::platform::XdgDesktopShell shell;
    QTextStream out(stdout);
    if (command == u"open" && args.size() >= 2) {
        out << nameOf(shell.open(args[1], args.value(2), ShowMode::Maximized)) << '\n';
    } else if (command == u"start" && args.size() >= 3) {
        out << (shell.startProgram(args[2], args.mid(3), args[1], ShowMode::Normal) ? "started"
                                                                                    : "failed")
            << '\n';
    } else if (command == u"type" && args.size() == 2) {
        out << shell.mimeTypeOf(args[1]) << '\n';
    } else if (command == u"apps" && args.size() == 2) {
        for (const auto& app : shell.applicationsFor(args[1]))
            out << app.id << '\t' << app.name << '\t' << app.filePath << '\n';
    } else {
        QTextStream(stderr) << "usage: desktop_shell_probe open|start|type|apps ...\n";
        return 2;
    }
    return 0;
}
