#pragma once
// The Help menu's two document commands: the help file and the design guide, both in the
// "Help" folder beside the program.
//
// Usage (main window): a member `HelpDocuments help{this, shell, messages};`, then
//     Help_Topics_Click:                  help.Help_Topics_Click();
//     Pelgro_Ravelon_Design_Guide_Click:  help.Pelgro_Ravelon_Design_Guide_Click();
// Each hands its document to the desktop's associated program with the program folder as the
// working directory. When no program is associated with the type (or the association cannot
// be used), it saves the current directory, makes <program folder>/Help current, offers the
// Open With chooser for the document's name there (naming the Debian package that gives the
// document a viewer), and restores the saved directory. A viewer that cannot be started is
// reported; a missing document passes silently.

#include <QString>
#include <functional>

class QWidget;

namespace bpd::platform {
class DesktopShell;
class MessageService;
}  // namespace bpd::platform

namespace bpd::dialogs {

class HelpDocuments {
public:
    // Offers the user a program for the document (absolute path); does not wait for it.
    // installHint tells which package to install for a viewer ("Install xchm to read ...").
    using OpenWith = std::function<void(const QString& documentPath, const QString& installHint,
                                        QWidget* parent)>;

    struct Document {
        const char* relativeName;
        const char* viewerPackage;  // the Debian package the program recommends for it
        const char* description;
    };
    static const Document kHelpFile;
    static const Document kDesignGuide;

    // "Install <package> to read <the document>".
    static QString installHint(const Document& document);

    // The documents open through `shell`; a viewer that cannot start is told through
    // `messages`. programFolder "" means QCoreApplication::applicationDirPath(); openWith empty
    // means our OpenWithDialog, shown not modal.
    HelpDocuments(QWidget* mainWindow, platform::DesktopShell& shell,
                  platform::MessageService& messages, QString programFolder = {},
                  OpenWith openWith = {});

    void Help_Topics_Click();
    void Pelgro_Ravelon_Design_Guide_Click();

    // The full path rule: the folder, one separator unless the folder already ends with one,
    // then the relative name ("/opt/bpd" -> "/opt/bpd/Help/x", "/" -> "/Help/x").
    static QString fullPath(const QString& programFolder, const QString& relativeName);

    QString programFolder() const { return programFolder_; }

private:
    void openDocument(const Document& which);

    QWidget* mainWindow_;
    platform::DesktopShell& shell_;
    platform::MessageService& messages_;
    QString programFolder_;
    OpenWith openWith_;
};

}  // namespace bpd::dialogs
