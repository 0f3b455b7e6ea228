#include "HelpDocuments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "DesktopShell.h"
#include "MessageService.h"
#include "OpenWithDialog.h"

namespace bpd::dialogs {

using platform::ShellResult;

// The viewer packages are named where the Debian package recommends them (the top CMakeLists).
const HelpDocuments::Document HelpDocuments::kHelpFile{"Help/Pelgro_BPD.chm",
                                                       BPD_HELP_VIEWER_PACKAGE, "the help file"};
const HelpDocuments::Document HelpDocuments::kDesignGuide{
    "Help/DG3-RavelonDesignGuide.pdf", BPD_GUIDE_VIEWER_PACKAGE, "the design guide"};

HelpDocuments::HelpDocuments(QWidget* mainWindow, platform::DesktopShell& shell,
                             platform::MessageService& messages, QString programFolder,
                             OpenWith openWith)
    : mainWindow_(mainWindow),
      shell_(shell),
      messages_(messages),
      programFolder_(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                             : std::move(programFolder)),
      openWith_(std::move(openWith)) {
    if (!openWith_) {
        openWith_ = [shell = &shell_, messages = &messages_](
                        const QString& documentPath, const QString& installHint, QWidget* parent) {
            auto* dialog = new OpenWithDialog(documentPath, *shell, *messages, parent);
            dialog->setInstallHint(installHint);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->show();
        };
    }
}

QString HelpDocuments::fullPath(const QString& programFolder, const QString& relativeName) {
    if (programFolder.endsWith(u'/') || programFolder.endsWith(u'\\'))
        return programFolder + relativeName;
    return programFolder + u'/' + relativeName;
}

QString HelpDocuments::installHint(const Document& document) {
    return QStringLiteral("Install %1 to read %2")
        .arg(QLatin1String(document.viewerPackage), QLatin1String(document.description));
}

void HelpDocuments::Help_Topics_Click() {
    openDocument(kHelpFile);
}

void HelpDocuments::Pelgro_Ravelon_Design_Guide_Click() {
    openDocument(kDesignGuide);
}

void HelpDocuments::openDocument(const Document& which) {
    const QString relativeName = QString::fromLatin1(which.relativeName);
    platform::DesktopShell& shell = shell_;
    const QString document = fullPath(programFolder_, relativeName);
    const ShellResult result = shell.open(document, programFolder_, platform::ShowMode::Maximized);
    if (result == ShellResult::Failed) {
        // A viewer was chosen but could not be started: the user would wait for nothing.
        messages_.warning(mainWindow_, platform::kMessageTitle,
                          QStringLiteral("The program that opens\n%1\ncould not be started.")
                              .arg(QDir::toNativeSeparators(document)));
        return;
    }
    if (result != ShellResult::NoAssociation && result != ShellResult::IncompleteAssociation)
        return;
    // Offer the same document by its name in the Help folder, from that folder.
    const QString saved = shell.currentDirectory();
    shell.setCurrentDirectory(programFolder_ + QStringLiteral("/Help"));
    const QString name = QFileInfo(relativeName).fileName();
    openWith_(QDir(shell.currentDirectory()).absoluteFilePath(name), installHint(which),
              mainWindow_);
    shell.setCurrentDirectory(saved);
}

}  // namespace bpd::dialogs
