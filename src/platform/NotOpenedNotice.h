#pragma once
// What the user is told when the shell did not open something the program made or names:
// why (no program for the type, or the program did not start), then where it is, so the user
// can open it some other way.

#include <QString>

#include "DesktopShell.h"

class QWidget;

namespace bpd::platform {

class MessageService;

class NotOpenedNotice {
public:
    struct Texts {
        QString noProgram;   // "No program to open text files is set up on this desktop."
        QString notStarted;  // "The report could not be opened."
        QString where;       // "The report was written to"
    };

    // The message: the reason, then `where` and the location on lines of their own.
    static QString text(ShellResult result, const Texts& texts, const QString& location);
    // Shows it as an information message, titled as the program's messages are.
    static void tell(MessageService& messages, QWidget* parent, ShellResult result,
                     const Texts& texts, const QString& location);
    // Opens a file the program wrote (maximised, in its folder) and tells the user where it is
    // when it did not open.
    static ShellResult openWritten(DesktopShell& shell, MessageService& messages, QWidget* parent,
                                   const QString& path, const Texts& texts);
};

}  // namespace bpd::platform
